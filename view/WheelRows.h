#pragma once
// How far the mouse wheel or a touchpad moves the rows. A wheel notch is 120
// units of angle and scrolls the desktop's lines per notch; a touchpad sends
// many small events per gesture, each a fraction of that, or exact pixel
// distances. Fractions are kept between events so that slow gestures scroll
// as far as fast ones, and are dropped when the direction turns.
#include <QPoint>

class CWheelRows {
public:
    // Rows to move the top row by for one event: positive toward the end of
    // the file. Pixel distances are used when the device gives them.
    int Take(QPoint angleDelta, QPoint pixelDelta, int linesPerNotch, int lineHeight);

private:
    // Keeps `rest` in step with a new amount and returns the whole units in it.
    static int Whole(int& rest, int amount, int unit);

    int angleRest_ = 0;  // angle units times lines per notch, below one line
    int pixelRest_ = 0;  // pixels below one row
};

#pragma once
// The view's colours resolved for one paint. Settings keep 0x00BBGGRR values
// or, with bit 31 set, a system colour index that follows the desktop theme;
// those are looked up in the palette each time the view paints, so a theme
// change shows at the next repaint.
#include <QColor>
#include <QPalette>
#include <cstdint>

struct ViewColors {
    QColor offsetText;
    QColor oddText;
    QColor evenText;
    QColor asciiText;
    QColor background;
    QColor selText;
    QColor selBackground;
    QColor selTextInactive;
    QColor selBackgroundInactive;
    QColor dataText;
    QColor dataBackground;
    QColor sizeBar;
};

// 0x00BBGGRR to a colour.
QColor ColorFromRef(uint32_t rgb);
// System colour indexes 5, 8, 13, 14, 15, 18 through the palette roles Base,
// Text, Highlight, HighlightedText, Button and ButtonText; others are black.
QColor SystemColorFromPalette(int index, const QPalette& palette);
QColor ResolveStoredColor(uint32_t stored, const QPalette& palette);
// colors holds the settings' colour slots in AppSettings::ColorIndex order.
ViewColors ResolveViewColors(const uint32_t* colors, const QPalette& palette);

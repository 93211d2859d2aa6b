#pragma once
// Keeps every top-level window and dialog inside the available area of its
// screen, as a window manager would: a window larger than that area is made
// smaller, one that runs past an edge is moved back in. It runs as each
// window is shown, so it holds at any scale factor and for stored window
// rectangles from a larger screen.
#include <QObject>
#include <QRect>

class QWidget;

// The frame rectangle moved and, when larger, shrunk to lie inside `available`.
QRect FitInside(const QRect& frame, const QRect& available);

// Fits one window into its screen now (nothing for maximised, full-screen
// or popup windows).
void FitWindowToScreen(QWidget* window);

// Watches the application's windows being shown and fits each one.
class CScreenFit : public QObject {
public:
    explicit CScreenFit(QObject* parent = nullptr) : QObject(parent) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

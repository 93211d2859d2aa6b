#pragma once
// The main window's restored rectangle as the settings keep it: left, top,
// right, bottom as four little-endian 32-bit integers (right and bottom
// exclusive, unlike QRect's).
#include <QByteArray>
#include <QRect>
#include <cstdint>
#include <optional>

struct WindowRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    bool operator==(const WindowRect&) const = default;
};

constexpr int kWindowRectBytes = 16;

QByteArray WindowRectToBytes(const WindowRect& rect);
// Only a block of exactly 16 bytes describing a non-empty rectangle means
// anything; everything else gives no rectangle, so the window keeps the
// placement the desktop gives it instead of shrinking to nothing.
std::optional<WindowRect> WindowRectFromBytes(const QByteArray& bytes);

QRect ToQRect(const WindowRect& rect);
WindowRect FromQRect(const QRect& rect);

#include "WheelRows.h"

#include <algorithm>

int CWheelRows::Whole(int& rest, int amount, int unit)
{
    // A turn of direction starts afresh: left-over fractions of the other
    // way would swallow the first movement back.
    if ((rest > 0 && amount < 0) || (rest < 0 && amount > 0))
        rest = 0;
    rest += amount;
    const int whole = rest / unit;
    rest -= whole * unit;
    return whole;
}

int CWheelRows::Take(QPoint angleDelta, QPoint pixelDelta, int linesPerNotch, int lineHeight)
{
    // Turning the wheel away from the user (a positive amount) shows earlier rows.
    if (pixelDelta.y() != 0) {
        angleRest_ = 0;
        return Whole(pixelRest_, -pixelDelta.y(), std::max(lineHeight, 1));
    }
    pixelRest_ = 0;
    constexpr int kNotch = 120;
    return Whole(angleRest_, -angleDelta.y() * std::max(linesPerNotch, 0), kNotch);
}

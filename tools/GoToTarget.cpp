#include "GoToTarget.h"

#include "types/IntegerText.h"

QString GoToInvalidValueText()
{
    return QStringLiteral("The value you have entered is not valid. Please enter a valid integer value.");
}

QString GoToOutOfRangeText()
{
    return QStringLiteral(
        "Invalid file offset specified. The target offset must be within the range of the existing file.");
}

QString GoToOutcome::Message() const
{
    switch (status) {
    case GoToStatus::InvalidValue:
        return GoToInvalidValueText();
    case GoToStatus::OutOfRange:
        return GoToOutOfRangeText();
    case GoToStatus::Ok:
    default:
        return QString();
    }
}

GoToOutcome ComputeGoTo(QStringView text, int currentRadix, GoToMode mode, bool extendSelection,
                        const SelectionState& selection, int64_t fileSize)
{
    GoToOutcome out;
    out.radix = currentRadix;
    out.caret = selection.caret;
    out.anchor = selection.Anchor();
    const ParsedInteger parsed = ParseInteger(text);
    if (!parsed.Ok()) {
        out.status = GoToStatus::InvalidValue;
        return out;
    }
    out.radix = parsed.radix;
    // No offset lies beyond 63 bits, whichever way the value is read; below
    // that, a move that would overflow lies outside the file too.
    const uint64_t magnitude = parsed.Magnitude();
    if (magnitude > uint64_t(INT64_MAX)) {
        out.status = GoToStatus::OutOfRange;
        return out;
    }
    const int64_t value = parsed.negative ? -int64_t(magnitude) : int64_t(magnitude);
    int64_t target = value;
    bool overflow = false;
    if (mode == GoToMode::Ahead)
        overflow = __builtin_add_overflow(selection.caret, value, &target);
    else if (mode == GoToMode::Back)
        overflow = __builtin_sub_overflow(selection.caret, value, &target);
    if (overflow || target < 0 || target > fileSize) {
        out.status = GoToStatus::OutOfRange;
        return out;
    }
    out.caret = target;
    if (!extendSelection)
        out.anchor = out.caret;
    return out;
}

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
                        const SelectionState& selection, int32_t fileSize)
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
    // Anything beyond 32 bits is out of range whichever way it is read.
    const uint64_t magnitude = parsed.Magnitude();
    if (magnitude > 0xFFFFFFFFull) {
        out.status = GoToStatus::OutOfRange;
        return out;
    }
    const int64_t value = parsed.negative ? -int64_t(magnitude) : int64_t(magnitude);
    int64_t target = value;
    if (mode == GoToMode::Ahead)
        target = int64_t(selection.caret) + value;
    else if (mode == GoToMode::Back)
        target = int64_t(selection.caret) - value;
    if (target < 0 || target > fileSize) {
        out.status = GoToStatus::OutOfRange;
        return out;
    }
    out.caret = int32_t(target);
    if (!extendSelection)
        out.anchor = out.caret;
    return out;
}

#include "ViewStatus.h"

namespace {

bool HexadecimalStatus(const StatusInputs& in)
{
    if (in.statusFormat == 0)
        return false;
    if (in.statusFormat == 1)
        return true;
    return in.offsetFormat != 0;
}

// "%X" or "%d" of a non-negative value.
QString Number(int64_t value, bool hexadecimal)
{
    return hexadecimal ? QString::number(uint64_t(value), 16).toUpper() : QString::number(value);
}

QString RadixName(bool hexadecimal)
{
    return hexadecimal ? QStringLiteral("hexadecimal") : QStringLiteral("decimal");
}

QString ByteCount(int64_t count)
{
    return count == 1 ? QStringLiteral("1 byte") : QStringLiteral("%1 bytes").arg(count);
}

QString PositionTip(const StatusInputs& in, bool hex)
{
    if (!in.hasSelection)
        return QStringLiteral("Offset of the caret (%1)").arg(RadixName(hex));
    return QStringLiteral("Selection from %1 to %2 (%3): %4")
        .arg(Number(in.selStart, hex), Number(in.selEnd, hex), RadixName(hex),
             ByteCount(int64_t(in.selEnd) - in.selStart));
}

QString ModeTip(const StatusInputs& in)
{
    if (in.readOnly)
        return QStringLiteral("READ: the document is read-only");
    return in.insertMode ? QStringLiteral("INS: typing inserts bytes (Insert switches to overwrite)")
                         : QStringLiteral("OVR: typing overwrites bytes (Insert switches to insert)");
}

const QString kColumnTip = QStringLiteral("Column of the caret: HEX for the hexadecimal digits, ASCII for the characters");
const QString kModifiedTip = QStringLiteral("MOD when the document has changes that are not saved");

} // namespace

ViewStatus IdleStatusTips()
{
    ViewStatus s;
    s.positionTip = QStringLiteral("Offset of the caret, or the selection with its length");
    s.sizeTip = QStringLiteral("File size");
    s.columnTip = kColumnTip;
    s.modeTip = QStringLiteral("READ when read-only, INS when typing inserts, OVR when it overwrites");
    s.modifiedTip = kModifiedTip;
    return s;
}

ViewStatus FormatViewStatus(const StatusInputs& in)
{
    const bool hex = HexadecimalStatus(in);
    ViewStatus s;
    s.size = Number(in.size, hex);
    if (!in.hasSelection)
        s.position = Number(in.caret, hex);
    else if (in.posSelStyle == 1)
        s.position = Number(in.selStart, hex) + QStringLiteral(" (") + Number(in.selEnd - in.selStart, hex) + u')';
    else
        s.position = Number(in.selStart, hex) + u'-' + Number(in.selEnd, hex);
    s.column = in.hexActive ? QStringLiteral("HEX") : QStringLiteral("ASCII");
    s.mode = in.readOnly ? QStringLiteral("READ") : in.insertMode ? QStringLiteral("INS") : QStringLiteral("OVR");
    s.modified = in.modified ? QStringLiteral("MOD") : QString();
    s.positionTip = PositionTip(in, hex);
    s.sizeTip = QStringLiteral("File size (%1): %2").arg(RadixName(hex), ByteCount(in.size));
    s.columnTip = kColumnTip;
    s.modeTip = ModeTip(in);
    s.modifiedTip = kModifiedTip;
    return s;
}

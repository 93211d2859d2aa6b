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

// "%X" or "%d" of a non-negative 32-bit value.
QString Number(int32_t value, bool hexadecimal)
{
    return hexadecimal ? QString::number(uint32_t(value), 16).toUpper() : QString::number(value);
}

} // namespace

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
    return s;
}

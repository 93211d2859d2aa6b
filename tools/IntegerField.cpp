#include "IntegerField.h"

#include "types/IntegerText.h"

#include <algorithm>

QString StepIntegerField(QStringView text, int delta, int64_t minimum, int64_t maximum, int radix)
{
    const ParsedInteger parsed = ParseInteger(text);
    int64_t value = minimum;
    if (parsed.Ok()) {
        // A magnitude past the signed range ("0xFFFFFFFFFFFFFFFF") lies above
        // any maximum, not below the minimum.
        const int64_t current = parsed.negative ? int64_t(parsed.value)
                                                : int64_t(std::min<uint64_t>(parsed.value, INT64_MAX));
        // Saturate rather than wrap at the ends of the 64-bit range.
        if (delta > 0 && current > maximum - delta)
            value = maximum;
        else if (delta < 0 && current < minimum - delta)
            value = minimum;
        else
            value = std::clamp<int64_t>(current + delta, minimum, maximum);
    }
    return FormatInteger(uint64_t(value), true, radix);
}

QString RewriteIntegerField(QStringView text, int radix)
{
    const ParsedInteger parsed = ParseInteger(text);
    if (!parsed.Ok())
        return text.toString();
    return FormatInteger(parsed.value, true, radix);
}

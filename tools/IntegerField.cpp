#include "IntegerField.h"

#include "types/IntegerText.h"

#include <algorithm>

QString StepIntegerField(QStringView text, int delta, int64_t minimum, int64_t maximum, int radix)
{
    const ParsedInteger parsed = ParseInteger(text);
    int64_t value = minimum;
    if (parsed.Ok()) {
        const auto current = int64_t(parsed.value);
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

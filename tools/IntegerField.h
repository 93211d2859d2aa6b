#pragma once
// The integer edit with an up-down control that the count, Go To and
// bookmark fields use: what the arrows and the radix menu items do to its
// text. The text follows the one integer syntax of the program.
#include <QString>
#include <QStringView>
#include <cstdint>

// Up (+1) or Down (-1): the value moves by delta within [minimum, maximum]
// and is written in radix; an unparsable text jumps to the minimum.
QString StepIntegerField(QStringView text, int delta, int64_t minimum, int64_t maximum, int radix);

// The "Hexadecimal", "Decimal" and "Octal" menu items: the current value
// written again in radix. An unparsable text stays as it is.
QString RewriteIntegerField(QStringView text, int radix);

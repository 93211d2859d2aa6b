#pragma once
// The dump as HTML, a fragment (a font element) or a whole page, coloured
// like the view: offsets, alternating hex groups and characters.
#include "DumpSettings.h"
#include "OutputBuffer.h"
#include "RowSource.h"

#include <string>

namespace exporter {

void WriteHtmlDump(RowSource& rows, OutputBuffer& out, const DumpSettings& settings, bool page);

// HTML text for dump text: space "&nbsp;", the quote, ampersand and angle
// brackets as entities, characters from 128 up as numeric references.
void AppendEscaped(std::string& out, char16_t c);
// An attribute value or title in the code page, with the characters that
// would end it escaped (a space stays a space: face names contain them).
std::string AttributeText(const QString& text);

} // namespace exporter

#pragma once
// The texts the import module shows; all are warnings or notices with the
// caption "Error".
#include <QString>

namespace importer {

inline QString LineTooLongText()
{
    return QStringLiteral("Input data contains lines that are too long. Please shorten line lengths and try again.");
}

inline QString NotRecognisedText()
{
    return QStringLiteral("Unable to convert source data: Hexadecimal text format was not recognized and could "
                          "not be interpreted.");
}

inline QString ClipboardUnreadableText()
{
    return QStringLiteral("Unable to read the specified clipboard format. Either the selected format is no longer "
                          "available or another application has exclusive use of the clipboard.");
}

inline QString ErrorCaption() { return QStringLiteral("Error"); }

} // namespace importer

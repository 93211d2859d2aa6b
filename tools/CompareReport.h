#pragma once
// The texts a comparison shows the user: the difference just found, the
// entries of the results list, the plain-text report for the clipboard and
// the messages. Offsets follow the views: hexadecimal or decimal.
#include "tools/FileCompare.h"

#include <QString>
#include <cstdint>
#include <vector>

QString FilesMatchText(const QString& path1, const QString& path2);
QString CompareSameFileText();  // "You must select two different files in order to compare them."
QString CompareResultsLabelText(int64_t count);  // "&Differences (%d found):"

// "Difference found:\r\n=================" then both files' paths, offsets and lengths.
QString DifferenceFoundText(const QString& path1, const QString& path2, const CompareDifference& difference,
                            bool hexOffsets);
// "[File 1] Offset=0x10, Length=0x2" or "[File 1] Offset=16, Length=2".
QString DifferenceEntryLine(int fileNumber, int64_t offset, int64_t length, bool hexOffsets);
// The whole report as it goes to the clipboard.
QString CompareReportText(const QString& path1, const QString& path2,
                          const std::vector<CompareDifference>& differences, bool hexOffsets);

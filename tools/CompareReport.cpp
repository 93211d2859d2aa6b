#include "CompareReport.h"

QString FilesMatchText(const QString& path1, const QString& path2)
{
    return QStringLiteral("Files match.\n\nNo differences found between \"%1\" and \"%2\".").arg(path1, path2);
}

QString CompareSameFileText() { return QStringLiteral("You must select two different files in order to compare them."); }

QString CompareResultsLabelText(int count) { return QStringLiteral("&Differences (%1 found):").arg(count); }

namespace {

QString Hex(int32_t value) { return QString::number(uint32_t(value), 16).toUpper(); }

QString OffsetAndLength(int32_t offset, int32_t length, bool hexOffsets)
{
    if (hexOffsets)
        return QStringLiteral("Offset=0x%1, Length=0x%2").arg(Hex(offset), Hex(length));
    return QStringLiteral("Offset=%1, Length=%2").arg(offset).arg(length);
}

} // namespace

QString DifferenceFoundText(const QString& path1, const QString& path2, const CompareDifference& difference,
                            bool hexOffsets)
{
    QString text = QStringLiteral("Difference found:\r\n=================");
    text += QStringLiteral("\r\nFile 1: %1\r\n").arg(path1);
    text += OffsetAndLength(difference.offset1, difference.length1, hexOffsets) + QStringLiteral("\r\n");
    text += QStringLiteral("\r\nFile 2: %1\r\n").arg(path2);
    text += OffsetAndLength(difference.offset2, difference.length2, hexOffsets) + QStringLiteral("\r\n");
    return text;
}

QString DifferenceEntryLine(int fileNumber, int32_t offset, int32_t length, bool hexOffsets)
{
    return QStringLiteral("[File %1] ").arg(fileNumber) + OffsetAndLength(offset, length, hexOffsets);
}

QString CompareReportText(const QString& path1, const QString& path2,
                          const std::vector<CompareDifference>& differences, bool hexOffsets)
{
    QString text = QStringLiteral("Vantrel Hex Editor\r\nFile Compare Results\r\n\r\n");
    text += QStringLiteral("File 1: %1\r\nFile 2: %2\r\n").arg(path1, path2);
    text += QStringLiteral("\r\nDifferences (%1 found):\r\n").arg(differences.size());
    int n = 0;
    for (const CompareDifference& d : differences) {
        text += QStringLiteral("%1:\t").arg(++n);
        text += DifferenceEntryLine(1, d.offset1, d.length1, hexOffsets) + QStringLiteral("\r\n\t");
        text += DifferenceEntryLine(2, d.offset2, d.length2, hexOffsets) + QStringLiteral("\r\n");
    }
    return text;
}

#include "CompareReport.h"

QString FilesMatchText(const QString& path1, const QString& path2)
{
    return QStringLiteral("Files match.\n\nNo differences found between \"%1\" and \"%2\".").arg(path1, path2);
}

QString CompareSameFileText() { return QStringLiteral("You must select two different files in order to compare them."); }

QString CompareResultsLabelText(int64_t count)
{
    return QStringLiteral("&Differences (%1 found):").arg(qlonglong(count));
}

namespace {

// Offsets and lengths are never negative: shown whole, however large.
QString Hex(int64_t value) { return QString::number(qulonglong(value), 16).toUpper(); }

QString OffsetAndLength(int64_t offset, int64_t length, bool hexOffsets)
{
    if (hexOffsets)
        return QStringLiteral("Offset=0x%1, Length=0x%2").arg(Hex(offset), Hex(length));
    return QStringLiteral("Offset=%1, Length=%2").arg(qlonglong(offset)).arg(qlonglong(length));
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

QString DifferenceEntryLine(int fileNumber, int64_t offset, int64_t length, bool hexOffsets)
{
    return QStringLiteral("[File %1] ").arg(fileNumber) + OffsetAndLength(offset, length, hexOffsets);
}

QString CompareReportText(const QString& path1, const QString& path2,
                          const std::vector<CompareDifference>& differences, bool hexOffsets)
{
    QString text = QStringLiteral("Vantrel Hex Editor\r\nFile Compare Results\r\n\r\n");
    text += QStringLiteral("File 1: %1\r\nFile 2: %2\r\n").arg(path1, path2);
    text += QStringLiteral("\r\nDifferences (%1 found):\r\n").arg(qulonglong(differences.size()));
    qulonglong n = 0;
    for (const CompareDifference& d : differences) {
        text += QStringLiteral("%1:\t").arg(++n);
        text += DifferenceEntryLine(1, d.offset1, d.length1, hexOffsets) + QStringLiteral("\r\n\t");
        text += DifferenceEntryLine(2, d.offset2, d.length2, hexOffsets) + QStringLiteral("\r\n");
    }
    return text;
}

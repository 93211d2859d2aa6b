#include "CompareSummary.h"

#include <QLocale>
#include <algorithm>

CompareSummary SummarizeDifferences(const std::vector<CompareDifference>& differences)
{
    CompareSummary summary;
    summary.differences = int64_t(differences.size());
    for (const CompareDifference& d : differences) {
        const int64_t both = std::min<int64_t>(d.length1, d.length2);
        summary.bytesDiffering += both;
        summary.onlyInFirst += d.length1 - both;
        summary.onlyInSecond += d.length2 - both;
    }
    return summary;
}

namespace {

// Grouped digits as the rest of the program shows counts, with the noun
// agreeing with the number.
QString Count(int64_t n, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(QLocale(QLocale::English).toString(qlonglong(n)),
                                       QLatin1String(n == 1 ? one : many));
}

} // namespace

QString CompareSummaryText(const CompareSummary& s)
{
    return QStringLiteral("%1: %2 %3, %4 only in file 1, %5 only in file 2")
        .arg(Count(s.differences, "difference", "differences"), Count(s.bytesDiffering, "byte", "bytes"),
             QLatin1String(s.bytesDiffering == 1 ? "differs" : "differ"), Count(s.onlyInFirst, "byte", "bytes"),
             Count(s.onlyInSecond, "byte", "bytes"));
}

// "compare": the Compare Files engine over two files read as extents, all
// differences at once (Find All Differences), with cmp's exit statuses.
#include "CliCommand.h"
#include "CliMessages.h"
#include "CliNumbers.h"
#include "CliOutput.h"
#include "InputDocument.h"
#include "ProgressLine.h"

#include "settings/AppSettings.h"
#include "tools/CoreMessages.h"
#include "tools/FileCompare.h"

#include <QJsonArray>

namespace {

std::optional<int32_t> MinMatchLength(const CliArguments& arguments)
{
    if (!arguments.Has(QStringLiteral("--min-match"))) {
        const int stored = LoadCliSettings().minMatchLen;
        return stored >= 1 && stored <= MIN_MATCH_LEN_MAX ? stored : 16;
    }
    const std::optional<int64_t> value = ParseCliNumber(arguments.Value(QStringLiteral("--min-match")));
    if (!value || *value < 1 || *value > MIN_MATCH_LEN_MAX) {
        Fail(QString(), QStringLiteral("--min-match: please enter an integer between 1 and %1").arg(MIN_MATCH_LEN_MAX));
        return std::nullopt;
    }
    return int32_t(*value);
}

// Every difference, or nothing after the problem has been printed.
std::optional<std::vector<CompareDifference>> AllDifferences(InputDocument& first, InputDocument& second,
                                                             int32_t minMatch)
{
    CFileCompare compare(first.Buffer(), second.Buffer(), minMatch);
    ProgressLine progress(QStringLiteral("Comparing"));
    const int64_t total = std::max(first.Size(), second.Size());
    compare.SetEscapePoller([&] {
        progress.Update(std::max<int64_t>(compare.Offset1(), compare.Offset2()), total);
        return false;
    });
    for (;;) {
        switch (compare.FindNextDifference()) {
        case CompareStep::Found:
            continue;
        case CompareStep::NoMore:
        case CompareStep::Cancelled:
            return compare.Differences();
        case CompareStep::OutOfMemory:
            Fail(QString(), CompareOutOfMemoryText());
            return std::nullopt;
        case CompareStep::ReadFailed: {
            const CoreProblem& problem = compare.Problem();
            const QString file = problem.path.isEmpty() ? first.Path() : problem.path;
            Fail(file, CoreMessages::ProblemText(problem));
            return std::nullopt;
        }
        }
    }
}

void PrintText(const std::vector<CompareDifference>& differences, const QString& a, const QString& b)
{
    for (const CompareDifference& d : differences)
        PrintLine(QStringLiteral("File 1: offset %1, length %2; File 2: offset %3, length %4")
                      .arg(d.offset1)
                      .arg(d.length1)
                      .arg(d.offset2)
                      .arg(d.length2));
    if (differences.empty())
        PrintLine(QStringLiteral("Files match. No differences found between \"%1\" and \"%2\".").arg(a, b));
    else
        PrintLine(QStringLiteral("Differences (%1 found)").arg(differences.size()));
}

void PrintJsonReport(const std::vector<CompareDifference>& differences, const QString& a, const QString& b,
                     int32_t minMatch)
{
    QJsonArray list;
    for (const CompareDifference& d : differences)
        list.append(QJsonObject{{QStringLiteral("offset1"), qint64(d.offset1)},
                                {QStringLiteral("length1"), qint64(d.length1)},
                                {QStringLiteral("offset2"), qint64(d.offset2)},
                                {QStringLiteral("length2"), qint64(d.length2)}});
    PrintJson(QJsonObject{{QStringLiteral("file1"), a},
                          {QStringLiteral("file2"), b},
                          {QStringLiteral("minMatch"), minMatch},
                          {QStringLiteral("equal"), differences.empty()},
                          {QStringLiteral("differences"), list}});
}

} // namespace

int RunCompareCommand(const CliArguments& arguments)
{
    const QStringList& words = arguments.Positional();
    if (words.size() != 2)
        return Fail(QString(), QStringLiteral("compare: name two files (see \"vantrel-cli compare --help\")"));
    const std::optional<int32_t> minMatch = MinMatchLength(arguments);
    if (!minMatch)
        return kExitTrouble;
    const std::unique_ptr<InputDocument> first = InputDocument::Open(words[0]);
    if (!first)
        return kExitTrouble;
    const std::unique_ptr<InputDocument> second = InputDocument::Open(words[1]);
    if (!second)
        return kExitTrouble;
    const std::optional<std::vector<CompareDifference>> differences = AllDifferences(*first, *second, *minMatch);
    if (!differences)
        return kExitTrouble;
    if (arguments.Has(QStringLiteral("--json")))
        PrintJsonReport(*differences, words[0], words[1], *minMatch);
    else
        PrintText(*differences, words[0], words[1]);
    return differences->empty() ? kExitSuccess : kExitNegative;
}

// "sum": digests by algorithm name, each computed by the installed module
// that offers it. A task that reports several digests is asked for only the
// lines wanted, and runs once however many of them are wanted.
#include "CliCommand.h"
#include "CliMessages.h"
#include "CliOutput.h"
#include "CliTaskRun.h"
#include "DigestCatalogue.h"

#include "ext/ExtensionRegistries.h"
#include "ext/TaskTexts.h"
#include "settings/AppSettings.h"

#include <QJsonArray>

#include <map>

namespace {

constexpr int64_t kMaxReportBytes = 1 << 20;

const DigestSource* FindAlgorithm(const std::vector<DigestSource>& sources, const QString& name)
{
    for (const DigestSource& source : sources)
        if (source.algorithm.compare(name, Qt::CaseInsensitive) == 0
            || source.lineName.compare(name, Qt::CaseInsensitive) == 0)
            return &source;
    return nullptr;
}

QString AlgorithmList(const std::vector<DigestSource>& sources)
{
    QStringList names;
    for (const DigestSource& source : sources)
        names << source.algorithm;
    return names.join(QStringLiteral(", "));
}

// Runs each task once for its wanted lines; values by line name.
std::optional<std::map<QString, QString>> ComputeDigests(TaskExtensions& tasks,
                                                         const std::vector<const DigestSource*>& wanted,
                                                         const StagedInput& input, const TaskViewParams& view)
{
    std::map<int, uint32_t> masks;
    for (const DigestSource* source : wanted)
        masks[source->task.index] |= source->line < 32 ? 1u << source->line : 0u;
    std::map<QString, QString> values;
    for (const auto& [index, mask] : masks) {
        std::unique_ptr<TaskTempFile> output = MakeTaskTempFileOrReport();
        if (!output || !RunTaskHandler(tasks, {TASK_CHECKSUM, index}, input.Path(), output->Path(), &view, mask))
            return std::nullopt;
        const std::optional<QByteArray> report = ReadTaskOutput(output->Path(), kMaxReportBytes);
        if (!report)
            return std::nullopt;
        for (const auto& [name, value] : ReportResultLines(ChecksumReportText(*report)))
            values[name] = value;
    }
    return values;
}

QString Normalised(const QString& hex) { return hex.simplified().remove(u' ').toUpper(); }

} // namespace

int RunSumCommand(const CliArguments& arguments)
{
    TaskExtensions& tasks = LoadedTaskRegistry();
    const std::optional<std::vector<DigestSource>> sources = DiscoverDigests(tasks);
    if (!sources)
        return kExitTrouble;
    if (arguments.Has(QStringLiteral("--list"))) {
        for (const DigestSource& source : *sources)
            PrintLine(source.algorithm);
        return kExitSuccess;
    }
    const QStringList& words = arguments.Positional();
    if (words.size() < 2)
        return Fail(QString(), QStringLiteral("sum: name at least one algorithm and a file (see \"vantrel-cli sum --help\")"));
    const QString path = words.last();
    std::vector<const DigestSource*> wanted;
    for (const QString& name : words.first(words.size() - 1)) {
        const DigestSource* source = FindAlgorithm(*sources, name);
        if (!source)
            return Fail(QString(), QStringLiteral("unknown algorithm \"%1\"; the installed modules offer: %2")
                                       .arg(name, AlgorithmList(*sources)));
        wanted.push_back(source);
    }
    const bool check = arguments.Has(QStringLiteral("--check"));
    if (check && wanted.size() != 1)
        return Fail(QString(), QStringLiteral("sum: --check needs exactly one algorithm"));

    const std::optional<StagedStretch> staged = StageFileStretch(path, arguments);
    if (!staged)
        return kExitTrouble;
    // Digests do not depend on the layout: the default row width serves.
    const TaskViewParams view = CliViewParams(path, staged->stretch, AppSettings().bytesPerRow);
    const std::optional<std::map<QString, QString>> values = ComputeDigests(tasks, wanted, staged->input, view);
    if (!values)
        return kExitTrouble;

    QJsonArray digests;
    bool matches = true;
    for (const DigestSource* source : wanted) {
        const auto it = values->find(source->lineName);
        if (it == values->end())
            return Fail(path, QStringLiteral("the module's report has no \"%1\" line").arg(source->lineName));
        if (check)
            matches = Normalised(it->second) == Normalised(arguments.Value(QStringLiteral("--check")));
        if (arguments.Has(QStringLiteral("--json")))
            digests.append(QJsonObject{{QStringLiteral("algorithm"), source->algorithm},
                                       {QStringLiteral("value"), it->second}});
        else
            PrintLine(QStringLiteral("%1  %2  %3").arg(source->algorithm, it->second, path));
    }
    if (arguments.Has(QStringLiteral("--json"))) {
        QJsonObject document{{QStringLiteral("file"), path},
                             {QStringLiteral("offset"), qint64(staged->stretch.offset)},
                             {QStringLiteral("length"), qint64(staged->stretch.length)},
                             {QStringLiteral("digests"), digests}};
        if (check)
            document.insert(QStringLiteral("check"), matches);
        PrintJson(document);
    }
    return matches ? kExitSuccess : kExitNegative;
}

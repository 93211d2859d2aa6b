#include "DigestCatalogue.h"

#include "CliTaskRun.h"

#include "ext/TaskExtensions.h"
#include "ext/TaskTempFile.h"
#include "ext/TaskTexts.h"

namespace {

// Reports are a few lines; anything longer is not one.
constexpr int64_t kMaxReportBytes = 1 << 20;

} // namespace

QString AlgorithmOfLine(const QString& lineName)
{
    static const QString kSuffix = QStringLiteral(" Checksum");
    return lineName.endsWith(kSuffix) ? lineName.chopped(kSuffix.size()) : lineName;
}

std::vector<std::pair<QString, QString>> ReportResultLines(const QString& report)
{
    std::vector<std::pair<QString, QString>> lines;
    bool inResults = false;
    for (const QString& line : report.split(QStringLiteral("\r\n"))) {
        if (!inResults) {
            // The results follow the rule of hyphens under the header.
            inResults = line.startsWith(QStringLiteral("----"));
            continue;
        }
        const qsizetype colon = line.indexOf(QStringLiteral(": "));
        if (colon > 0)
            lines.emplace_back(line.left(colon), line.mid(colon + 2).trimmed());
    }
    return lines;
}

std::optional<std::vector<DigestSource>> DiscoverDigests(TaskExtensions& tasks)
{
    std::unique_ptr<TaskTempFile> empty = MakeTaskTempFileOrReport();
    if (!empty)
        return std::nullopt;
    std::vector<DigestSource> sources;
    for (int index = 0; index < tasks.TaskCount(TASK_CHECKSUM); ++index) {
        std::unique_ptr<TaskTempFile> output = MakeTaskTempFileOrReport();
        if (!output)
            return std::nullopt;
        const TaskRef task{TASK_CHECKSUM, index};
        // A task that fails on an empty input offers nothing to name.
        if (!RunTaskHandler(tasks, task, empty->Path(), output->Path(), nullptr))
            continue;
        const std::optional<QByteArray> report = ReadTaskOutput(output->Path(), kMaxReportBytes);
        if (!report)
            return std::nullopt;
        int line = 0;
        for (const auto& [name, value] : ReportResultLines(ChecksumReportText(*report)))
            sources.push_back({AlgorithmOfLine(name), name, task, line++});
    }
    return sources;
}

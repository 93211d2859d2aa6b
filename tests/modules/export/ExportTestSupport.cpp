#include "ExportTestSupport.h"

#include "TestFiles.h"

#include <QFile>
#include <stdexcept>
#include <string>

const LoadedModule& ExportModule()
{
    static const LoadedModule module(QStringLiteral(EXPORT_MODULE_PATH));
    if (!module.IsLoaded())
        throw std::runtime_error("cannot load Export.vtx: " + module.Error().toStdString());
    return module;
}

uint32_t CallTask(const RegisteredTask& task, const QString& inputPath, const QString& outputPath,
                  const ViewSettings& view)
{
    const std::u16string input = inputPath.toStdU16String();
    const std::u16string output = outputPath.toStdU16String();
    const std::u16string title = view.fileName.toStdU16String();
    TaskArgs args{};
    args.kind = task.kind;
    args.id = task.id;
    args.inputPath = inputPath.isEmpty() ? nullptr : input.c_str();
    args.outputPath = outputPath.isEmpty() ? nullptr : output.c_str();
    args.fileName = title.c_str();
    args.offset = view.offset;
    args.bytesPerRow = view.bytesPerRow;
    args.offsetRadix = view.offsetRadix;
    args.groupBy = view.groupBy;
    args.columns = view.columns;
    args.showDash = view.showDash;
    args.showAllChars = view.showAllChars;
    const std::u16string face = view.face.left(31).toStdU16String();
    std::copy(face.begin(), face.end(), args.font.faceName);
    for (size_t i = 0; i < view.colors.size(); ++i)
        args.colors[i] = view.colors[i];
    return task.handler(&args);
}

ExportRunner::ExportRunner()
{
    if (!dir_.isValid())
        throw std::runtime_error("no temporary folder");
}

ExportOutcome ExportRunner::Export(const QString& name, const QByteArray& input, const ViewSettings& view)
{
    ++runs_;
    const QString inputPath = Path(QStringLiteral("input%1.bin").arg(runs_));
    const QString outputPath = Path(QStringLiteral("output%1.txt").arg(runs_));
    WriteWholeFile(inputPath, input);
    ExportOutcome outcome;
    outcome.result = CallTask(ExportModule().Task(TASK_EXPORT, name), inputPath, outputPath, view);
    if (QFile::exists(outputPath))
        outcome.output = ReadWholeFile(outputPath);
    return outcome;
}

uint32_t ExportRunner::CopyAs(const QString& name, const QByteArray& input, const ViewSettings& view)
{
    ++runs_;
    const QString inputPath = Path(QStringLiteral("selection%1.bin").arg(runs_));
    WriteWholeFile(inputPath, input);
    return CallTask(ExportModule().Task(TASK_COPY_AS, name), inputPath, QString(), view);
}

QByteArray Padded(const QByteArray& text, int width)
{
    return text + QByteArray(std::max<qsizetype>(0, width - text.size()), ' ');
}

#include "ModuleHarness.h"

#include "TestFiles.h"

#include <QFile>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

namespace {

std::optional<QString> OptionalText(const char16_t* text)
{
    if (!text)
        return std::nullopt;
    return QString::fromUtf16(text);
}

} // namespace

LoadedModule::LoadedModule(const QString& path)
{
    handle_ = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        error_ = QString::fromLocal8Bit(dlerror());
        return;
    }
    auto entry = reinterpret_cast<VantrelExtensionProc>(dlsym(handle_, VANTREL_EXTENSION_ENTRY));
    if (!entry) {
        error_ = QStringLiteral("no export ") + QLatin1String(VANTREL_EXTENSION_ENTRY);
        return;
    }
    const char16_t* description = nullptr;
    entry(this, &LoadedModule::Register, &description);
    description_ = OptionalText(description);
}

LoadedModule::~LoadedModule()
{
    if (handle_)
        dlclose(handle_);
}

int32_t LoadedModule::Register(void* hostContext, const void* record)
{
    auto* self = static_cast<LoadedModule*>(hostContext);
    const auto* task = static_cast<const TaskRecord*>(record);
    RegisteredTask copy;
    copy.kind = task->kind;
    copy.name = task->name ? QString::fromUtf16(task->name) : QString();
    copy.description = OptionalText(task->description);
    copy.filter = OptionalText(task->filter);
    copy.handler = task->handler;
    copy.id = task->id;
    self->tasks_.push_back(copy);
    return 1;
}

const RegisteredTask& LoadedModule::Task(uint32_t kind, const QString& name) const
{
    for (const RegisteredTask& task : tasks_) {
        if (task.kind == kind && task.name == name)
            return task;
    }
    throw std::runtime_error("no task " + name.toStdString() + " of kind " + std::to_string(kind));
}

TaskRunner::TaskRunner()
{
    if (!dir_.isValid())
        throw std::runtime_error("no temporary folder");
}

TaskOutcome TaskRunner::Run(const RegisteredTask& task, const QByteArray& input)
{
    ++runs_;
    const QString inputPath = Path(QStringLiteral("input%1.bin").arg(runs_));
    const QString outputPath = Path(QStringLiteral("output%1.bin").arg(runs_));
    WriteWholeFile(inputPath, input);
    TaskOutcome outcome;
    outcome.result = RunOnPaths(task, inputPath, outputPath);
    outcome.outputExists = QFile::exists(outputPath);
    if (outcome.outputExists)
        outcome.output = ReadWholeFile(outputPath);
    return outcome;
}

uint32_t TaskRunner::RunOnPaths(const RegisteredTask& task, const QString& inputPath, const QString& outputPath)
{
    const std::u16string input = inputPath.toStdU16String();
    const std::u16string output = outputPath.toStdU16String();
    const std::u16string title = fileName.toStdU16String();
    TaskArgs args{};
    args.kind = task.kind;
    args.id = task.id;
    args.inputPath = inputPath.isEmpty() ? nullptr : input.c_str();
    args.outputPath = outputPath.isEmpty() ? nullptr : output.c_str();
    args.fileName = title.c_str();
    // As the host fills them: the wide offset always, the narrow one where it fits.
    args.offset64 = offset;
    args.argsVersion = VANTREL_TASK_ARGS_VERSION;
    args.offset = offset <= INT32_MAX ? int32_t(offset) : 0;
    args.bytesPerRow = 16;
    args.offsetRadix = offsetRadix;
    args.groupBy = 1;
    args.columns = 3;
    args.reportLines = reportLines;
    return task.handler(&args);
}

QString ReportText(const QByteArray& utf16le)
{
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(utf16le.constData()), utf16le.size() / 2);
}

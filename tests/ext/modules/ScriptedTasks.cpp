// A task module for the task-command tests: conversion, checksum and import
// tasks that fail in every way the host must survive, one that writes an
// output too big for any document, one that takes its time and asks the
// user a question from inside the task, and a slow copy. The task's id selects its behaviour.
#include "ext/interface/VantrelExtension.h"
#include "platform/MessageBox.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <chrono>
#include <thread>

namespace {

enum Behaviour : int32_t {
    EmptyOutput,
    HalfThenUnknown,
    OutOfMemory,
    WriteFailed,
    ReadFailed,
    AlreadyReported,
    UnknownCode,
    HugeOutput,
    OddReport,
    SlowQuestion,
    HalfThenWriteFailed,
    SlowCopy,
};

QString PathOf(const char16_t* text) { return text ? QString::fromUtf16(text) : QString(); }

QByteArray ReadAll(const TaskArgs* args)
{
    QFile file(PathOf(args->inputPath));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteOutput(const TaskArgs* args, const QByteArray& bytes)
{
    QFile file(PathOf(args->outputPath));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray Utf16Le(const QString& text)
{
    QByteArray bytes;
    for (QChar c : text) {
        bytes.append(char(c.unicode() & 0xFF));
        bytes.append(char(c.unicode() >> 8));
    }
    return bytes;
}

uint32_t Run(const TaskArgs* args)
{
    switch (Behaviour(args->id)) {
    case EmptyOutput:
        return TASK_RESULT_SUCCESS;
    case HalfThenUnknown:
    case HalfThenWriteFailed: {
        const QByteArray input = ReadAll(args);
        WriteOutput(args, input.left(input.size() / 2));
        return args->id == HalfThenUnknown ? 1u : TASK_RESULT_WRITE_ERROR;
    }
    case OutOfMemory: return TASK_RESULT_OUT_OF_MEMORY;
    case WriteFailed: return TASK_RESULT_WRITE_ERROR;
    case ReadFailed: return TASK_RESULT_READ_ERROR;
    case AlreadyReported: return TASK_RESULT_REPORTED;
    case UnknownCode: return 7;
    case HugeOutput: {
        // Sparse: three gigabytes that cost no disk space.
        QFile file(PathOf(args->outputPath));
        return file.open(QIODevice::WriteOnly) && file.resize(qint64(3) << 30) ? TASK_RESULT_SUCCESS
                                                                               : TASK_RESULT_WRITE_ERROR;
    }
    case OddReport:
        return WriteOutput(args, Utf16Le(QStringLiteral("AB")) + QByteArray(1, 'C')) ? TASK_RESULT_SUCCESS
                                                                                       : TASK_RESULT_WRITE_ERROR;
    case SlowCopy:
        // Long enough for the progress window and for whatever happens to the
        // program meanwhile.
        std::this_thread::sleep_for(std::chrono::milliseconds(1000));
        return WriteOutput(args, ReadAll(args)) ? TASK_RESULT_SUCCESS : TASK_RESULT_WRITE_ERROR;
    case SlowQuestion: {
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
        const platform::MsgResult answer = platform::ShowMessage(
            QStringLiteral("Go on?"), platform::MsgButtons::YesNo, platform::MsgIcon::Question, QStringLiteral("Scripted"));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        const QString report = answer == platform::MsgResult::Yes ? QStringLiteral("Answer: Yes")
                                                                  : QStringLiteral("Answer: No");
        return WriteOutput(args, Utf16Le(report)) ? TASK_RESULT_SUCCESS : TASK_RESULT_WRITE_ERROR;
    }
    }
    return 1;
}

uint32_t Handle(const TaskArgs* args) { return Run(args); }

struct Task {
    uint32_t kind;
    const char16_t* name;
    Behaviour behaviour;
};

const Task kTasks[] = {
    {TASK_CONVERSION, u"Empty Output", EmptyOutput},
    {TASK_CONVERSION, u"Half Then Unknown", HalfThenUnknown},
    {TASK_CONVERSION, u"Out Of Memory", OutOfMemory},
    {TASK_CONVERSION, u"Write Failed", WriteFailed},
    {TASK_CONVERSION, u"Read Failed", ReadFailed},
    {TASK_CONVERSION, u"Already Reported", AlreadyReported},
    {TASK_CONVERSION, u"Unknown Code", UnknownCode},
    {TASK_CONVERSION, u"Huge Output", HugeOutput},
    {TASK_CONVERSION, u"Slow Copy", SlowCopy},
    {TASK_CHECKSUM, u"Odd Report", OddReport},
    {TASK_CHECKSUM, u"Slow Question", SlowQuestion},
    {TASK_CHECKSUM, u"Half Then Write Failed", HalfThenWriteFailed},
    {TASK_IMPORT, u"Half Import", HalfThenWriteFailed},
};

} // namespace

extern "C" VANTREL_EXPORT void VantrelExtension(void* host, RegisterProc registerProc, const char16_t** description)
{
    *description = u"Scripted Test Tasks\r\nVersion 1.00";
    for (const Task& task : kTasks) {
        TaskRecord record{};
        record.kind = task.kind;
        record.name = task.name;
        record.description = task.kind == TASK_IMPORT ? nullptr : u"A scripted task";
        record.filter = task.kind == TASK_IMPORT ? u"*.hex" : nullptr;
        record.handler = Handle;
        record.id = task.behaviour;
        registerProc(host, &record);
    }
}

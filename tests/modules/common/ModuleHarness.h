#pragma once
// Loads a module with dlopen, collects the records it registers through a
// callback like the host's, and runs its handlers on staged files with a
// TaskArgs filled the way the host fills it.
#include "ext/interface/VantrelExtension.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <optional>
#include <vector>

struct RegisteredTask {
    uint32_t kind = 0;
    QString name;
    std::optional<QString> description; // nothing: the record's pointer was null
    std::optional<QString> filter;
    TaskHandler handler = nullptr;
    int32_t id = 0;
};

class LoadedModule {
public:
    explicit LoadedModule(const QString& path);
    ~LoadedModule();
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    bool IsLoaded() const { return handle_ != nullptr; }
    QString Error() const { return error_; }
    const std::vector<RegisteredTask>& Tasks() const { return tasks_; }
    std::optional<QString> Description() const { return description_; }
    // The first task of that kind and name; fails the test when missing.
    const RegisteredTask& Task(uint32_t kind, const QString& name) const;

private:
    static int32_t Register(void* hostContext, const void* record);

    void* handle_ = nullptr;
    QString error_;
    std::vector<RegisteredTask> tasks_;
    std::optional<QString> description_;
};

struct TaskOutcome {
    uint32_t result = 0;
    QByteArray output;     // empty when no output file exists
    bool outputExists = false;
};

// A scratch folder for the staged files of task runs.
class TaskRunner {
public:
    TaskRunner();

    QString Path(const QString& name) const { return dir_.filePath(name); }
    // Stages the input, runs the task with a fresh output file name and
    // reads the output back.
    TaskOutcome Run(const RegisteredTask& task, const QByteArray& input);
    uint32_t RunOnPaths(const RegisteredTask& task, const QString& inputPath, const QString& outputPath);

    // Fields the host takes from the document and the view.
    QString fileName = QStringLiteral("sample.bin");
    int64_t offset = 0;
    int32_t offsetRadix = 16;
    uint32_t reportLines = 0;  // checksum tasks: the report lines asked for, 0 for all

private:
    QTemporaryDir dir_;
    int runs_ = 0;
};

// The UTF-16LE report of a checksum task as text.
QString ReportText(const QByteArray& utf16le);

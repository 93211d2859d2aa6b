#pragma once
// TaskExtensions: the registry of tasks offered by task modules ("*.vtx").
// It keeps one list per task kind, each in registration order (module load
// order, then record order within a module), and runs a task: it fills
// TaskArgs, calls the handler and turns a failure code into one message.
#include "ext/ExtensionManager.h"
#include "ext/TaskEntry.h"
#include "ext/TaskLayout.h"
#include "ext/TaskViewParams.h"

#include <QString>

#include <array>
#include <functional>
#include <vector>

class TaskExtensions final : public ExtensionManager {
public:
    explicit TaskExtensions(QString directory = QString());
    ~TaskExtensions() override;

    static bool IsValidKind(int kind) { return kind >= 0 && kind < TASK_KIND_COUNT; }

    // kind must satisfy IsValidKind; index must be below TaskCount(kind).
    int TaskCount(int kind) const;
    const TaskEntry& Task(int kind, int index) const;
    const std::vector<TaskEntry>& Tasks(int kind) const;

    // Where the layout handed to tasks comes from, asked at every run;
    // without a source tasks see the default layout.
    void SetLayoutSource(std::function<TaskLayout()> source) { layoutSource_ = std::move(source); }
    TaskLayout CurrentLayout() const;

    // The main window, handed to handlers for their own dialogs and message boxes.
    void SetOwnerWindow(void* window) { ownerWindow_ = window; }
    void* OwnerWindow() const { return ownerWindow_; }

    // Runs task index of kind. An empty path is passed as a null pointer;
    // view is null for Import and for any run without a hex view. Shows the
    // progress text and the wait cursor while the handler runs, and the
    // message for a failure code. Returns true only when the handler
    // returned 0; on false the caller must not use the output.
    bool RunTask(int kind, int index, const QString& inputPath, const QString& outputPath,
                 const TaskViewParams* view);

protected:
    QString FilePattern() const override { return QStringLiteral("*.vtx"); }
    bool RegisterRecord(const void* record) override;
    void ForgetRecords() override;

private:
    uint32_t CallHandler(int kind, int index, const QString& inputPath, const QString& outputPath,
                         const TaskViewParams* view);

    std::array<std::vector<TaskEntry>, TASK_KIND_COUNT> tasks_;
    void* ownerWindow_ = nullptr;
    std::function<TaskLayout()> layoutSource_;
};

// The status text shown while a task of this kind runs.
QString TaskProgressText(int kind);

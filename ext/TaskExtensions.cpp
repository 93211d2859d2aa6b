#include "TaskExtensions.h"

#include "settings/AppSettings.h"
#include "ext/TaskArgsBlock.h"
#include "ext/TaskResultMessage.h"
#include "platform/FileErrors.h"
#include "platform/MessageBox.h"
#include "platform/StatusHooks.h"

#include <new>
#include <utility>

namespace {

QString HostText(const char16_t* text) { return text ? QString::fromUtf16(text) : QString(); }

// Clears the progress text however the run ends.
class ProgressText {
public:
    explicit ProgressText(const QString& text) { platform::ShowStatusText(text); }
    ~ProgressText() { platform::ShowStatusText(QString()); }
    ProgressText(const ProgressText&) = delete;
    ProgressText& operator=(const ProgressText&) = delete;
};

} // namespace

QString TaskProgressText(int kind)
{
    return kind == TASK_CHECKSUM ? QStringLiteral("Computing checksum...") : QStringLiteral("Converting data...");
}

TaskExtensions::TaskExtensions(QString directory) : ExtensionManager(std::move(directory)) {}

TaskExtensions::~TaskExtensions() { ForgetRecords(); }

TaskLayout TaskExtensions::CurrentLayout() const
{
    return layoutSource_ ? layoutSource_() : TaskLayoutOf(AppSettings());
}

int TaskExtensions::TaskCount(int kind) const { return int(tasks_[size_t(kind)].size()); }

const TaskEntry& TaskExtensions::Task(int kind, int index) const { return tasks_[size_t(kind)][size_t(index)]; }

const std::vector<TaskEntry>& TaskExtensions::Tasks(int kind) const { return tasks_[size_t(kind)]; }

bool TaskExtensions::RegisterRecord(const void* record)
{
    const auto& task = *static_cast<const TaskRecord*>(record);
    // An empty name is allowed; a missing one is not.
    if (!task.name || !task.handler || task.kind >= uint32_t(TASK_KIND_COUNT))
        return false;
    tasks_[task.kind].push_back({QString::fromUtf16(task.name), HostText(task.description), HostText(task.filter),
                                 task.handler, task.id, LoadingModuleIndex(),
                                 (LoadingModuleFeatures() & VANTREL_FEATURE_OFFSET64) != 0});
    return true;
}

void TaskExtensions::ForgetRecords()
{
    for (auto& list : tasks_)
        list.clear();
}

bool TaskExtensions::RunTask(int kind, int index, const QString& inputPath, const QString& outputPath,
                             const TaskViewParams* view)
{
    if (!IsValidKind(kind) || index < 0 || index >= TaskCount(kind))
        return false;

    ProgressText progress(TaskProgressText(kind));
    platform::WaitCursor wait;
    uint32_t result = TASK_RESULT_REPORTED;
    try {
        result = CallHandler(kind, index, inputPath, outputPath, view);
    } catch (const std::bad_alloc&) {
        // The host's own failure: reported as such, not as a task error.
        platform::ShowMessage(platform::OutOfMemoryText());
        return false;
    }
    ReportTaskResult(result);
    return result == TASK_RESULT_SUCCESS;
}

uint32_t TaskExtensions::CallHandler(int kind, int index, const QString& inputPath, const QString& outputPath,
                                     const TaskViewParams* view)
{
    const TaskEntry& task = Task(kind, index);
    TaskRunTarget target;
    target.kind = uint32_t(kind);
    target.id = task.id;
    target.inputPath = inputPath;
    target.outputPath = outputPath;
    target.ownerWindow = ownerWindow_;
    target.view = view;
    if (const QString refusal = TaskOffsetRefusal(task, target); !refusal.isEmpty()) {
        platform::ShowMessage(refusal);
        return TASK_RESULT_REPORTED;
    }
    const TaskArgsBlock block(target, CurrentLayout());
    return task.handler(&block.Args());
}

#pragma once
// The TaskArgs record of one run together with the texts it points to. It
// lives only as long as the handler call, as the contract requires.
#include "ext/TaskEntry.h"
#include "ext/TaskLayout.h"
#include "ext/TaskViewParams.h"
#include "ext/interface/VantrelExtension.h"

#include <QString>

#include <string>

struct TaskRunTarget {
    uint32_t kind = TASK_EXPORT;
    int32_t id = 0;
    QString inputPath;   // empty: none (the handler sees a null pointer)
    QString outputPath;  // empty: none
    void* ownerWindow = nullptr;
    const TaskViewParams* view = nullptr;  // null: the task runs without a view
    uint32_t reportLines = 0;  // checksum tasks: the report lines wanted, 0 for all
};

// Why task may not run on target: its module reads only the 32-bit offset,
// which cannot hold where the selection starts. Empty when it may run.
QString TaskOffsetRefusal(const TaskEntry& task, const TaskRunTarget& target);

class TaskArgsBlock {
public:
    // Fills every field from the target and the layout.
    TaskArgsBlock(const TaskRunTarget& target, const TaskLayout& layout);
    TaskArgsBlock(const TaskArgsBlock&) = delete;
    TaskArgsBlock& operator=(const TaskArgsBlock&) = delete;

    const TaskArgs& Args() const { return args_; }

private:
    void FillFromLayout(const TaskLayout& layout);
    void FillFromView(const TaskRunTarget& target, const TaskLayout& layout);

    std::u16string inputPath_;
    std::u16string outputPath_;
    std::u16string fileName_;
    TaskArgs args_;
};

#pragma once
// The TaskArgs record of one run together with the texts it points to. It
// lives only as long as the handler call, as the contract requires.
#include "ext/TaskViewParams.h"
#include "ext/interface/VantrelExtension.h"

#include <QString>

#include <string>

struct AppSettings;

struct TaskRunTarget {
    uint32_t kind = TASK_EXPORT;
    int32_t id = 0;
    QString inputPath;   // empty: none (the handler sees a null pointer)
    QString outputPath;  // empty: none
    void* ownerWindow = nullptr;
    const TaskViewParams* view = nullptr;  // null: the task runs without a view
    uint32_t reportLines = 0;  // checksum tasks: the report lines wanted, 0 for all
};

class TaskArgsBlock {
public:
    // Fills every field from the target and the settings; system colours are
    // resolved to plain RGB.
    TaskArgsBlock(const TaskRunTarget& target, const AppSettings& settings);
    TaskArgsBlock(const TaskArgsBlock&) = delete;
    TaskArgsBlock& operator=(const TaskArgsBlock&) = delete;

    const TaskArgs& Args() const { return args_; }

private:
    void FillFromSettings(const AppSettings& settings);
    void FillFromView(const TaskRunTarget& target, const AppSettings& settings);

    std::u16string inputPath_;
    std::u16string outputPath_;
    std::u16string fileName_;
    TaskArgs args_;
};

// Bytes per display group for the GroupBy setting: 1, 2, 4 or 8 (1 for a
// value outside 0 to 3).
int GroupSizeForSetting(int groupBy);

#pragma once
// The display layout a task is told about: how the hex view shows offsets,
// groups, columns, its font and colours, in the contract's own form. The
// host builds it from its settings for every run, so a layout changed in
// the Options reaches the next task.
#include "ext/SystemColorResolver.h"
#include "ext/interface/VantrelExtension.h"

#include <cstdint>

struct AppSettings;

// Made only by TaskLayoutOf, which sets every field: the settings' defaults
// are the one place the default layout is written down.
struct TaskLayout {
    int32_t offsetRadix = 0;
    int32_t groupBy = 0;  // bytes per group
    int32_t columns = 0;
    int32_t showDash = 0;
    int32_t showAllChars = 0;
    TaskFont font{};
    uint32_t colors[16] = {};  // plain RGB; slots past the used colours stay zero
    int32_t bytesPerRow = 0;   // for a run without a view
};

// System colours are resolved to plain RGB here.
TaskLayout TaskLayoutOf(const AppSettings& settings, const SystemColorResolver& resolve = DefaultSystemColor);

#pragma once
// What the Options dialog edits: a copy of the settings, plus the visibility
// of the bars, which the General page shows but which are no settings.
#include "settings/AppSettings.h"

struct OptionsState {
    AppSettings settings;
    bool standardBar = true;
    bool bookmarksBar = true;
    bool statusBar = true;
};

#pragma once
// What a task run needs to know about the hex view the command came from.
// The view fills it; the host copies it into TaskArgs.
#include <QString>

#include <cstdint>

struct TaskViewParams {
    QString documentTitle;      // the title of the view's document
    int bytesPerRow = 16;       // the view's current bytes per row
    bool hasSelection = false;
    int64_t selectionStart = 0; // first selected byte; meaningful only with a selection
};

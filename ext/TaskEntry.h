#pragma once
// A task accepted from a task module. The texts are the host's own copies;
// the handler stays valid while the module is loaded, which is until exit.
#include "ext/interface/VantrelExtension.h"

#include <QString>

struct TaskEntry {
    QString name;
    QString description;  // empty when the module gave none
    QString filter;       // "*.txt;*.b64" for import and export tasks, else empty
    TaskHandler handler = nullptr;
    int32_t id = 0;
    int moduleIndex = 0;  // index into the registry's module list
    // The module reads the 64-bit offset: it may run at any offset. Others
    // only see the 32-bit one and run only where it holds the offset.
    bool readsOffset64 = false;
};

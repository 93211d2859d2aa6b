#pragma once
// One module kept loaded by a registry: its position in the registry's
// module list is the module index its records carry.
#include <QString>

struct ExtensionModule {
    void* handle = nullptr;  // from dlopen; closed only when the registry releases its modules
    QString path;            // full path of the module file
    QString description;     // copied from the module; empty when it gave none
};

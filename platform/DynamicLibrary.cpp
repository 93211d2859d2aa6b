#include "DynamicLibrary.h"

#include <QFile>
#include <dlfcn.h>

namespace platform {

void* OpenLibrary(const QString& path) { return ::dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL); }

void* FindSymbol(void* library, const char* name) { return library ? ::dlsym(library, name) : nullptr; }

void CloseLibrary(void* library)
{
    if (library)
        ::dlclose(library);
}

} // namespace platform

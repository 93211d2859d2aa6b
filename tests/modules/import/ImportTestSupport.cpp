#include "ImportTestSupport.h"

#include <stdexcept>

const LoadedModule& ImportModule()
{
    static const LoadedModule module(QStringLiteral(IMPORT_MODULE_PATH));
    if (!module.IsLoaded())
        throw std::runtime_error("cannot load Import.vtx: " + module.Error().toStdString());
    return module;
}

TaskOutcome ImportText(const QByteArray& text)
{
    TaskRunner runner;
    return runner.Run(ImportModule().Task(TASK_IMPORT, QStringLiteral("Text Files")), text);
}

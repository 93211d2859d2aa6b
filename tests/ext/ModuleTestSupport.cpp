#include "ModuleTestSupport.h"

#include "TestFiles.h"

#include <QFile>

#include <dirent.h>
#include <dlfcn.h>
#include <stdexcept>

QString TestModuleDir() { return QStringLiteral(VANTREL_TEST_MODULE_DIR); }

ModuleDir::ModuleDir()
{
    if (!dir_.isValid())
        throw std::runtime_error("cannot create a module directory");
}

void ModuleDir::Add(const QString& builtName, const QString& asName)
{
    if (!QFile::copy(TestModuleDir() + QLatin1Char('/') + builtName, FilePath(asName)))
        throw std::runtime_error("cannot copy test module " + builtName.toStdString());
}

void ModuleDir::AddJunk(const QString& asName) { WriteWholeFile(FilePath(asName), "not a shared library"); }

void ModuleDir::Remove(const QString& name) { QFile::remove(FilePath(name)); }

ProbeState* ProbeOf(const QString& modulePath)
{
    void* handle = ::dlopen(QFile::encodeName(modulePath).constData(), RTLD_NOW | RTLD_NOLOAD);
    if (!handle)
        return nullptr;
    auto get = reinterpret_cast<ProbeStateProc>(::dlsym(handle, PROBE_STATE_ENTRY));
    ProbeState* state = get ? get() : nullptr;
    // The registry keeps its own reference, so the state stays valid.
    ::dlclose(handle);
    return state;
}

UnloadLog::UnloadLog() : path_(dir_.filePath(QStringLiteral("unload.log")))
{
    qputenv(PROBE_UNLOAD_LOG_VARIABLE, QFile::encodeName(path_));
}

UnloadLog::~UnloadLog() { qunsetenv(PROBE_UNLOAD_LOG_VARIABLE); }

QStringList UnloadLog::Paths() const
{
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLocal8Bit(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList DirectoryOrder(const QString& directory, const QString& suffix)
{
    QStringList names;
    DIR* dir = ::opendir(QFile::encodeName(directory).constData());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (name.endsWith(suffix, Qt::CaseInsensitive))
            names << name;
    }
    ::closedir(dir);
    return names;
}

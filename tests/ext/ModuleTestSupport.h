#pragma once
// Helpers for tests that load modules: a private directory holding copies of
// the test modules under chosen names, the probe state of a loaded copy, and
// the log the test modules write when they are unloaded.
#include "modules/ProbeState.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The folder the test modules are built into.
QString TestModuleDir();

class ModuleDir {
public:
    ModuleDir();
    // Copies the built test module builtName into this directory as asName.
    void Add(const QString& builtName, const QString& asName);
    // Writes a file that is not a library at all.
    void AddJunk(const QString& asName);
    void Remove(const QString& name);
    QString Path() const { return dir_.path(); }
    QString FilePath(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

// The probe state of the module loaded from path; the module must be loaded.
ProbeState* ProbeOf(const QString& modulePath);

// Points the test modules' unload log at a fresh file for its lifetime.
class UnloadLog {
public:
    UnloadLog();
    ~UnloadLog();
    // Module paths in the order they were unloaded.
    QStringList Paths() const;

private:
    QTemporaryDir dir_;
    QString path_;
};

// Entries of directory in the order the file system lists them, as readdir
// gives them, keeping names ending in suffix regardless of case.
QStringList DirectoryOrder(const QString& directory, const QString& suffix);

#pragma once
// ExtensionManager: what the task registry and the data-type registry share.
// It finds the module files of one sort in one directory, loads each, lets
// the module register its records, keeps the modules that had at least one
// record accepted and unloads the others at once. Discovery runs at most once
// per registry; the modules stay loaded until the registry releases them.
#include "ext/ExtensionModule.h"
#include "ext/interface/VantrelExtension.h"

#include <QString>

#include <vector>

class ExtensionManager {
public:
    // directory: where to look for modules; empty means the program's own
    // directory, the only place the program itself ever looks.
    explicit ExtensionManager(QString directory = QString());
    virtual ~ExtensionManager();
    ExtensionManager(const ExtensionManager&) = delete;
    ExtensionManager& operator=(const ExtensionManager&) = delete;

    // Runs discovery the first time; afterwards returns at once.
    void Load();
    bool IsLoaded() const { return loaded_; }

    int ModuleCount() const { return int(modules_.size()); }
    // index must be below ModuleCount().
    const ExtensionModule& Module(int index) const { return modules_[size_t(index)]; }

    // Forgets every record and closes the libraries in list order. Used at
    // exit; the registry is not scanned again afterwards.
    void Release();

    // The directory searched: the given one, or the program's directory.
    QString SearchDirectory() const;

protected:
    // The file pattern searched for, matched without regard to case.
    virtual QString FilePattern() const = 0;
    // The name of the export to call.
    virtual const char* ExportName() const { return VANTREL_EXTENSION_ENTRY; }
    // Takes one record of the module being loaded; true when accepted.
    virtual bool RegisterRecord(const void* record) = 0;
    // Runs once after every module has been loaded.
    virtual void AfterLoading() {}
    // Drops everything that points into module code, before the libraries close.
    virtual void ForgetRecords() {}

    // The index the module being loaded will have if it is kept.
    int LoadingModuleIndex() const { return int(modules_.size()); }
    // What the module being loaded announced (VANTREL_FEATURE_*).
    uint32_t LoadingModuleFeatures() const { return loadingFeatures_; }

    // Closes every library in list order. Derived destructors forget their
    // records first; this base destructor then calls it.
    void CloseLibraries();

private:
    static int32_t RegisterCallback(void* hostContext, const void* record);
    void LoadModule(const QString& path);

    QString directory_;
    std::vector<ExtensionModule> modules_;
    bool loaded_ = false;
    int acceptedCount_ = 0;
    uint32_t loadingFeatures_ = 0;
};

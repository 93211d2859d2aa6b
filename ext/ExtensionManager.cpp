#include "ExtensionManager.h"

#include "platform/DynamicLibrary.h"
#include "platform/StatusHooks.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <utility>

ExtensionManager::ExtensionManager(QString directory) : directory_(std::move(directory)) {}

ExtensionManager::~ExtensionManager() { CloseLibraries(); }

QString ExtensionManager::SearchDirectory() const
{
    if (!directory_.isEmpty())
        return directory_;
    // Without an application object Qt cannot name the program's directory;
    // an empty result would mean the working directory, which is never searched.
    if (!QCoreApplication::instance())
        return QString();
    return QCoreApplication::applicationDirPath();
}

void ExtensionManager::Load()
{
    if (loaded_)
        return;
    platform::WaitCursor wait;

    const QString directory = SearchDirectory();
    if (!directory.isEmpty()) {
        // Unsorted: modules load in the order the file system lists them.
        const QDir dir(directory, FilePattern(), QDir::Unsorted, QDir::Files);
        for (const QString& name : dir.entryList())
            LoadModule(dir.absoluteFilePath(name));
    }

    loaded_ = true;
    AfterLoading();
}

void ExtensionManager::LoadModule(const QString& path)
{
    void* handle = platform::OpenLibrary(path);
    if (!handle)
        return;

    acceptedCount_ = 0;
    // Asked before the records come, so that each record knows its module's features.
    const auto features = reinterpret_cast<VantrelFeaturesProc>(platform::FindSymbol(handle, VANTREL_FEATURES_ENTRY));
    loadingFeatures_ = features ? features() : 0;
    const char16_t* description = nullptr;
    if (auto entry = reinterpret_cast<VantrelExtensionProc>(platform::FindSymbol(handle, ExportName())))
        entry(this, &ExtensionManager::RegisterCallback, &description);

    if (acceptedCount_ == 0) {
        platform::CloseLibrary(handle);
        return;
    }
    modules_.push_back({handle, path, description ? QString::fromUtf16(description) : QString()});
}

int32_t ExtensionManager::RegisterCallback(void* hostContext, const void* record)
{
    auto* manager = static_cast<ExtensionManager*>(hostContext);
    if (!manager || !record || !manager->RegisterRecord(record))
        return 0;
    ++manager->acceptedCount_;
    return 1;
}

void ExtensionManager::Release()
{
    ForgetRecords();
    CloseLibraries();
}

void ExtensionManager::CloseLibraries()
{
    for (ExtensionModule& module : modules_) {
        if (module.handle)
            platform::CloseLibrary(module.handle);
        module.handle = nullptr;
    }
    modules_.clear();
}

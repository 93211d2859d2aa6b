#include "DocManager.h"

#include "settings/AppSettings.h"
#include "app/RecentFileList.h"
#include "core/BinEditDoc.h"
#include "core/BlockCache.h"
#include "platform/FileNames.h"
#include "platform/MessageBox.h"
#include "furniture/AppDialogs.h"
#include "furniture/FileDialogFolder.h"

#include <QDir>
#include <algorithm>

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

QString DocumentPathFor(const QString& path) { return QDir::cleanPath(platform::AbsoluteFileName(path)); }

CDocManager::CDocManager(IAppDialogs& dialogs, AppSettings& settings)
    : dialogs_(dialogs), settings_(settings), feedback_(
                             [this](CBinEditDoc& document) {
                                 if (windows_)
                                     windows_->DocumentStateChanged(&document);
                             },
                             [this] { return settings_.warnCantUndo; }),
      blockCache_(std::make_shared<CBlockCache>())
{
}

std::unique_ptr<CBinEditDoc> CDocManager::MakeDocument()
{
    auto document =
        std::make_unique<CBinEditDoc>(&feedback_, HistoryLevels{settings_.undoLevels, settings_.redoLevels});
    ConfigureBuffer(document->Buffer());
    return document;
}

void CDocManager::ConfigureBuffer(CFileBuffer& buffer)
{
    constexpr int64_t kMiB = int64_t(1) << 20;
    blockCache_->SetCapacity(settings_.blockCacheMiB * kMiB);
    buffer.SetBlockCache(blockCache_);
    buffer.SetExtentThreshold(settings_.extentThresholdMiB * kMiB);
}

void CDocManager::ApplyDocumentSettings()
{
    for (const auto& document : documents_) {
        document->ConfigureHistory(settings_.undoLevels, settings_.redoLevels);
        ConfigureBuffer(document->Buffer());
    }
}

CDocManager::~CDocManager() = default;

QWidget* CDocManager::Parent() const { return windows_ ? windows_->DialogParent() : nullptr; }

void CDocManager::Changed(CBinEditDoc* document)
{
    if (windows_)
        windows_->DocumentChanged(document);
}

bool CDocManager::Contains(const CBinEditDoc* document) const
{
    return std::any_of(documents_.begin(), documents_.end(), [&](const auto& d) { return d.get() == document; });
}

CBinEditDoc* CDocManager::FindByPath(const QString& path) const
{
    const QString wanted = DocumentPathFor(path);
    for (const auto& document : documents_)
        if (!document->PathName().isEmpty() && document->PathName() == wanted)
            return document.get();
    return nullptr;
}

CBinEditDoc* CDocManager::NewDocument()
{
    auto document = MakeDocument();
    if (!document->OnNewDocument())
        return nullptr;
    document->SetTitle(QStringLiteral("Untitled%1").arg(++untitledCount_));
    CBinEditDoc* created = documents_.emplace_back(std::move(document)).get();
    if (windows_)
        windows_->CreateFrame(created);
    return created;
}

CBinEditDoc* CDocManager::OpenDocumentFile(const QString& path)
{
    const QString fullPath = DocumentPathFor(path);
    if (CBinEditDoc* open = FindByPath(fullPath)) {
        if (windows_)
            windows_->ActivateDocument(open);
        return open;
    }
    auto document = MakeDocument();
    // Stamped before reading: a change made while the file is read shows up
    // later as a change, never the other way round.
    const platform::FileStamp stamp = platform::StampOf(fullPath);
    if (!document->OnOpenDocument(fullPath))
        return nullptr;
    CBinEditDoc* opened = documents_.emplace_back(std::move(document)).get();
    disk_[opened] = DiskState{stamp, stamp};
    AddToRecentFiles(settings_.recentFiles, fullPath);
    if (windows_)
        windows_->CreateFrame(opened);
    return opened;
}

bool CDocManager::DoSave(CBinEditDoc* document, bool askForName)
{
    QString path = document->PathName();
    if (askForName) {
        // A new document is suggested in the folder the file dialogs start in.
        const QString folder = FileDialogStartFolder();
        const QString suggested =
            path.isEmpty() ? QDir(folder.isEmpty() ? QDir::currentPath() : folder).filePath(document->Title()) : path;
        const std::optional<QString> chosen = dialogs_.ChooseSaveAsPath(Parent(), suggested, settings_.fileFilters);
        if (!chosen || chosen->isEmpty())
            return false;
        path = DocumentPathFor(*chosen);
    }
    if (path == document->PathName() && !ConfirmOverwriteOfChangedFile(document, path))
        return false;
    if (!document->OnSaveDocument(path)) {
        Changed(document);
        return false;
    }
    const platform::FileStamp saved = platform::StampOf(path);
    disk_[document] = DiskState{saved, saved};
    if (askForName)
        AddToRecentFiles(settings_.recentFiles, path);
    Changed(document);
    return true;
}

bool CDocManager::ConfirmOverwriteOfChangedFile(CBinEditDoc* document, const QString& path)
{
    const auto known = disk_.find(document);
    if (known == disk_.end())
        return true;
    const platform::FileStamp now = platform::StampOf(path);
    // A file that is gone loses nothing when it is written again.
    if (!now.exists || now == known->second.known)
        return true;
    return platform::ShowMessage(QStringLiteral("%1 has been changed by another program since it was opened. "
                                                "Save and overwrite those changes?")
                                     .arg(platform::DisplayFileName(path)),
                                 MsgButtons::YesNo, MsgIcon::Warning) == MsgResult::Yes;
}

void CDocManager::CheckChangedOnDisk(CBinEditDoc* document)
{
    // The question itself deactivates and reactivates the window.
    if (checkingDisk_ || !document || !Contains(document) || document->PathName().isEmpty())
        return;
    const auto state = disk_.find(document);
    if (state == disk_.end())
        return;
    // Bytes still on disk in the changed file must not be shown or saved:
    // this turns the document read-only (and says so) before the question.
    document->Buffer().SourceChangedUnderneath();
    const platform::FileStamp now = platform::StampOf(document->PathName());
    if (!now.exists || now == state->second.known || now == state->second.offered)
        return;
    state->second.offered = now;
    checkingDisk_ = true;
    const bool reload = platform::ShowMessage(QStringLiteral("%1 has been changed by another program.\n\n"
                                                             "Do you want to reload it?")
                                                  .arg(platform::DisplayFileName(document->PathName())),
                                              MsgButtons::YesNo, MsgIcon::Question) == MsgResult::Yes;
    checkingDisk_ = false;
    if (reload && Contains(document))
        Reload(document);
}

bool CDocManager::Save(CBinEditDoc* document)
{
    // A read-only document keeps its file as it is; saving means a new name.
    return DoSave(document, document->PathName().isEmpty() || document->IsReadOnly());
}

bool CDocManager::SaveAs(CBinEditDoc* document) { return DoSave(document, true); }

bool CDocManager::SaveAll()
{
    const std::vector<CBinEditDoc*> snapshot = [this] {
        std::vector<CBinEditDoc*> list;
        for (const auto& d : documents_)
            list.push_back(d.get());
        return list;
    }();
    for (CBinEditDoc* document : snapshot)
        if (Contains(document) && document->IsModified() && !Save(document))
            return false;
    return true;
}

bool CDocManager::SaveModified(CBinEditDoc* document)
{
    if (!document->IsModified())
        return true;
    const QString name = document->PathName().isEmpty() ? document->Title() : document->PathName();
    switch (platform::ShowMessage(QStringLiteral("Save changes to %1?").arg(name), MsgButtons::YesNoCancel, MsgIcon::Warning)) {
    case MsgResult::Yes: return Save(document);
    case MsgResult::No: return true;
    default: return false;
    }
}

bool CDocManager::SaveAllModified()
{
    for (const auto& document : documents_)
        if (!SaveModified(document.get()))
            return false;
    return true;
}

bool CDocManager::CloseDocument(CBinEditDoc* document, bool ask)
{
    if (!Contains(document))
        return true;
    if (ask && !SaveModified(document))
        return false;
    if (windows_)
        windows_->CloseFrames(document);
    // Without windows (or if a window refused) the document still goes.
    if (Contains(document))
        WindowsClosed(document);
    return true;
}

bool CDocManager::CloseAll(bool ask)
{
    while (!documents_.empty())
        if (!CloseDocument(documents_.front().get(), ask))
            return false;
    return true;
}

void CDocManager::WindowsClosed(CBinEditDoc* document)
{
    const auto it = std::find_if(documents_.begin(), documents_.end(), [&](const auto& d) { return d.get() == document; });
    if (it == documents_.end())
        return;
    // Keep the object alive until it is out of the list, then destroy it.
    std::unique_ptr<CBinEditDoc> going = std::move(*it);
    documents_.erase(it);
    disk_.erase(document);
}

void CDocManager::Reload(CBinEditDoc* document)
{
    if (document->PathName().isEmpty()) {
        platform::ShowMessage(QStringLiteral("Cannot reload this file because no filename is associated with the current window."),
                              MsgButtons::Ok, MsgIcon::Warning);
        return;
    }
    if (document->IsModified() &&
        platform::ShowMessage(QStringLiteral("WARNING: This file will be reloaded from disk and all of your unsaved changes "
                                             "to this file will be lost!\n\nAre you sure this is what you want to do?"),
                              MsgButtons::YesNo, MsgIcon::Warning) != MsgResult::Yes)
        return;
    const QString path = document->PathName();
    CloseDocument(document, false);
    OpenDocumentFile(path);
}

void CDocManager::ShowProperties(CBinEditDoc* document)
{
    const std::optional<bool> readOnly = dialogs_.EditFileProperties(Parent(), FilePropertiesOf(*document));
    if (!readOnly || !Contains(document))
        return;
    document->SetReadOnly(*readOnly);
    Changed(document);
}

#pragma once
// The open documents and the commands that act on a whole document: new,
// open, save, save as, save all, close with the save question, reload and
// properties. The windows showing the documents belong to the main frame,
// which this reaches through IDocumentWindows.
#include "platform/FileStamp.h"
#include "tools/DocumentFeedback.h"

#include <QString>
#include <map>
#include <memory>
#include <vector>

class CBinEditDoc;
class CBlockCache;
class CFileBuffer;
class IAppDialogs;
struct AppSettings;
class QWidget;

class IDocumentWindows {
public:
    virtual ~IDocumentWindows() = default;
    // A new child window on the document, activated, its view focused.
    virtual void CreateFrame(CBinEditDoc* document) = 0;
    virtual void ActivateDocument(CBinEditDoc* document) = 0;
    // Closes every window of the document without the save question.
    virtual void CloseFrames(CBinEditDoc* document) = 0;
    // Title, modified mark, read-only state or path changed.
    virtual void DocumentChanged(CBinEditDoc* document) = 0;
    // An edit, undo, the modified flag, the read-only switch or a caret
    // changed: what shows the bytes at the caret looks again when idle.
    virtual void DocumentStateChanged(CBinEditDoc* document) = 0;
    virtual QWidget* DialogParent() = 0;
};

class CDocManager {
public:
    CDocManager(IAppDialogs& dialogs, AppSettings& settings);
    ~CDocManager();
    CDocManager(const CDocManager&) = delete;
    CDocManager& operator=(const CDocManager&) = delete;

    void SetWindows(IDocumentWindows* windows) { windows_ = windows; }
    IAppDialogs& Dialogs() const { return dialogs_; }

    const std::vector<std::unique_ptr<CBinEditDoc>>& Documents() const { return documents_; }
    int Count() const { return int(documents_.size()); }
    bool Contains(const CBinEditDoc* document) const;
    CBinEditDoc* FindByPath(const QString& path) const;

    // A new empty document titled "Untitled" and a sequence number.
    CBinEditDoc* NewDocument();
    // Opens the file in a new document, or activates the document that has
    // it open already. Nothing when loading failed (the failure was reported).
    CBinEditDoc* OpenDocumentFile(const QString& path);
    // The cache every document reads its file extents through.
    const CBlockCache& BlockCache() const { return *blockCache_; }

    // "Save changes to %1?": Yes saves, No discards; false for Cancel or a
    // save that failed or was cancelled.
    bool SaveModified(CBinEditDoc* document);
    // Save asks for a name when the document has none or is read-only.
    bool Save(CBinEditDoc* document);
    bool SaveAs(CBinEditDoc* document);
    // Saves every modified document in order; stops at the first failure or cancel.
    bool SaveAll();
    // The save question for every modified document; false at the first Cancel.
    bool SaveAllModified();

    // Closes the document's windows and the document; with ask, the save
    // question comes first and may stop it.
    bool CloseDocument(CBinEditDoc* document, bool ask);
    // Closes every document; with ask, each modified one is asked about and a
    // Cancel stops there.
    bool CloseAll(bool ask);
    // The last window of the document has gone.
    void WindowsClosed(CBinEditDoc* document);

    // The undo and redo levels and the big-file settings, for every open document.
    void ApplyDocumentSettings();

    // Reads the file again, after a warning when there are unsaved changes.
    void Reload(CBinEditDoc* document);
    // When another program changed the document's file since it was loaded
    // or saved (and the user was not asked about that change yet), offers
    // to reload it. Called when the window is activated.
    void CheckChangedOnDisk(CBinEditDoc* document);
    void ShowProperties(CBinEditDoc* document);

private:
    bool DoSave(CBinEditDoc* document, bool askForName);
    // Before saving over the document's own file: false when another program
    // changed it meanwhile and the user chose not to overwrite that.
    bool ConfirmOverwriteOfChangedFile(CBinEditDoc* document, const QString& path);

    // The file as it was when loaded or saved, and the last change the user
    // was already asked about.
    struct DiskState {
        platform::FileStamp known;
        platform::FileStamp offered;
    };
    void Changed(CBinEditDoc* document);
    QWidget* Parent() const;

    std::unique_ptr<CBinEditDoc> MakeDocument();
    // Extent threshold and the block cache every document shares.
    void ConfigureBuffer(CFileBuffer& buffer);

    IAppDialogs& dialogs_;
    AppSettings& settings_;
    IDocumentWindows* windows_ = nullptr;
    // Every document's host; it outlives them.
    DocumentFeedback feedback_;
    std::shared_ptr<CBlockCache> blockCache_;  // shared by every document
    std::vector<std::unique_ptr<CBinEditDoc>> documents_;
    int untitledCount_ = 0;
    std::map<const CBinEditDoc*, DiskState> disk_;
    bool checkingDisk_ = false;
};

// The path a document is known by: absolute and cleaned, links not resolved
// (opening a link opens the link's own name).
QString DocumentPathFor(const QString& path);

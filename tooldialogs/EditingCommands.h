#pragma once
// The editing tools' commands on the active hex view: find and replace,
// modify, insert and delete, go to, and the bookmark commands, each opening
// its dialog through the user interface and handing the work to the
// window-free engine.
#include "furniture/UserInterface.h"
#include "tools/EscapePoller.h"

#include <QObject>
#include <functional>

class CBinEditView;
class CBookmarkCollection;
class QWidget;
struct AppSettings;
struct SearchState;
class ValueTypeRegistry;

// The Load and Save dialogs of bookmark collections, starting at the collection's file.
FileRequest BookmarkFileRequest(FileChoice kind, const QString& title, const QString& startPath);

class CEditingCommands : public QObject {
    Q_OBJECT
public:
    using ActiveViewFn = std::function<CBinEditView*()>;

    // The commands work on the session's bookmarks, search and settings
    // (the dialogs' remembered choices), which outlive them.
    CEditingCommands(QWidget* dialogParent, ActiveViewFn activeView, CBookmarkCollection& bookmarks,
                     SearchState& search, AppSettings& settings, const ValueTypeRegistry& types, IUserInterface& ui);

    // Replace All's Esc check; the program's default processes pending
    // events and notes an Esc press.
    void SetEscapePoller(EscapePoller poller) { escapePoller_ = std::move(poller); }

    void Find();
    void FindNext();
    void FindPrevious();
    void Replace();
    void Modify();
    void Insert();
    void Delete();
    void GoTo();
    void ToggleBookmark();
    void ShowBookmarks();
    void NextBookmark();
    void PreviousBookmark();
    void ClearAllBookmarks();

    // The save dialog, then the file; false when nothing was saved.
    bool SaveBookmarksAs();
    // The save-changes question, the open dialog, then the file; false when
    // cancelled or the file could not be read whole.
    bool LoadBookmarks();
    // At exit: the save-changes question; false cancels the exit.
    bool QuerySaveBookmarks();

private:
    void FindAgain(bool upward);
    CBinEditView* WritableView() const;
    void RunReplaceAll(bool inSelection);

    QWidget* parent_;
    ActiveViewFn activeView_;
    CBookmarkCollection& bookmarks_;
    SearchState& search_;
    AppSettings& settings_;
    const ValueTypeRegistry& types_;
    EscapePoller escapePoller_;
    IUserInterface& ui_;
};

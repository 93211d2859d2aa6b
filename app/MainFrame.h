#pragma once
// The main window: the menus and the "Standard" and "Bookmarks" tool bars,
// the MDI area with one child window per document window, the status bar
// and the dockable "Data Inspector" pane. It keeps its placement, the bar
// layout and the inspector keys in the settings when it closes, and it runs
// the one update step that sets every command's enabled and checked state.
#include "app/CommandTable.h"
#include "app/DocManager.h"
#include "view/InspectedRange.h"

#include <QMainWindow>
#include <QMetaObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

struct AppContext;
class CBinEditFrame;
class CBookmarkMarks;
class CBinEditView;
class CCompareWindows;
class CEditingCommands;
class CStructureCommands;
class CTaskCommands;
class CUserTools;
class CInspectorDock;
class CStatusPanes;
class QActionGroup;
class IUserInterface;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

class CMainFrame : public QMainWindow, public IDocumentWindows {
    Q_OBJECT
public:
    // The frame's commands work on the parts of context they need; both
    // documents and context outlive the frame.
    CMainFrame(CDocManager& documents, AppContext& context, IUserInterface& ui, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Which of the standard bar, the bookmarks bar and the status bar show.
    struct ShownBars {
        bool standard = true;
        bool bookmarks = true;
        bool status = true;
    };
    ShownBars Bars() const;
    void ShowBars(const ShownBars& bars);

    // The frame hands out its commands, never its widgets: the menus, bars,
    // window area, status panes and inspector are its own to arrange.
    QAction* Action(Cmd id) const { return commands_[id]; }
    const CommandTable& Commands() const { return commands_; }

    const std::vector<CBinEditFrame*>& Frames() const { return frames_; }
    std::vector<CBinEditFrame*> FramesOf(const CBinEditDoc* document) const;
    CBinEditFrame* ActiveFrame() const;
    CBinEditView* ActiveView() const;
    CBinEditDoc* ActiveDocument() const;
    // Find, replace, modify, insert, delete, go to and the bookmark commands.
    CEditingCommands& Editing() const { return *editing_; }
    // Compare Files and the window arrangement it makes.
    CCompareWindows& Compare() const { return *compare_; }
    // The structure collection's files and questions (load, save, import).
    CStructureCommands& StructureFiles() const { return *structures_; }
    // Import, Export, Copy As, Paste As, Convert Data and Compute Checksum.
    CTaskCommands& TaskCommands() const { return *tasks_; }
    // The Tools menu's user tools: running them, "Edit User Tools...".
    CUserTools& UserTools() const { return *userTools_; }
    // What shows the dialogs of the window, its views and its commands.
    IUserInterface& UserInterface() const { return ui_; }

    // Start-up: shown maximised when it was maximised when it last closed.
    void ShowInitially();
    // After several files were opened at start-up: the active child leaves
    // the maximised state.
    void RestoreActiveChild();
    // Between these, new child windows open in the background: none is
    // activated or maximised until the end, when the last one is, as if
    // they had been opened one by one. Activating and maximising every
    // window on the way costs more the more windows are open.
    void BeginBulkOpen();
    void EndBulkOpen();
    // Another copy of the program reached this one: come to the front.
    void ActivateFromOtherInstance();

    // The one update step: enabled and checked states, titles.
    void UpdateCommands();
    // Asks for the update step once the current event is handled.
    void RequestUpdate();
    void UpdateStatus();
    // The inspector pages follow the active view at the next idle moment;
    // with a rebuild their rows are laid out again from the type registry.
    void RefreshInspector();
    void RebuildInspector();
    // Insert and overwrite mode, shared by every view.
    void ToggleInsertMode();
    // The bytes the inspector highlights in the hex views.
    CInspectedRange& InspectedRange() { return inspected_; }

    // Asked when the window is about to close (the exit's save questions).
    void SetCloseQuery(std::function<bool()> query) { closeQuery_ = std::move(query); }
    // Placement, bar layout and the inspector keys, into the settings store.
    // Returns the errno of a store that could not be written, 0 when written.
    int SaveWindowState();
    // What the last close met writing the window state (0: nothing), told
    // to the user at exit together with the other settings.
    int WindowStateWriteError() const { return windowStateWriteError_; }

    // IDocumentWindows
    void CreateFrame(CBinEditDoc* document) override;
    void ActivateDocument(CBinEditDoc* document) override;
    void CloseFrames(CBinEditDoc* document) override;
    void DocumentChanged(CBinEditDoc* document) override;
    void DocumentStateChanged(CBinEditDoc*) override { RefreshInspector(); }
    QWidget* DialogParent() override { return this; }

    // Window commands.
    void OnWindowNew();
    void OnWindowSplit();
    void OnWindowCascade();
    void OnWindowTile(Qt::Orientation orientation);
    void OnDataInspector();
    void OnDataTypes();

signals:
    void filesDropped(const QStringList& paths);
    void recentFileChosen(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateToolBars();
    void CreateMenus();
    void CreateFileMenu();
    void CreateEditMenu();
    void CreateViewMenu();
    void CreateToolsMenu();
    void CreateWindowMenu();
    void CreateHelpMenu();
    void ConnectWindowCommands();
    // The Edit menu's view commands and the editing tools (MainFrameEditing.cpp).
    void ConnectEditingCommands();
    void UpdateEditingCommands();
    // The task commands (MainFrameTasks.cpp).
    void ConnectTaskCommands();
    void UpdateTaskCommands();
    // The Structures dialog (MainFrameStructures.cpp).
    void ConnectStructureCommands();
    void OnStructures();
    bool OpenImported(const QString& path);
    void RestoreWindowState();
    void RebuildRecentFiles();
    void RebuildWindowList();

    void ConnectPane(CBinEditView* view);
    void SetActiveView(CBinEditView* view);
    void OnSubWindowActivated(QMdiSubWindow* window);
    void OnPaneActivated(CBinEditFrame* frame, CBinEditView* view);
    void OnFrameClosing(CBinEditFrame* frame);
    void OnFrameClosed(CBinEditFrame* frame);
    bool QueryCloseFrame(CBinEditFrame* frame);
    void NumberWindows(const CBinEditDoc* document);
    void ShowViewContextMenu(const QPoint& globalPos, bool layoutMenu);
    void UpdateWindowTitle();
    QSize DefaultChildSize() const;

    CDocManager& documents_;
    AppContext& context_;
    IUserInterface& ui_;
    CommandTable commands_;
    QMdiArea* mdi_;
    CStatusPanes* panes_ = nullptr;
    CInspectorDock* inspector_ = nullptr;
    QToolBar* standardBar_ = nullptr;
    QToolBar* bookmarksBar_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    QMenu* toolsMenu_ = nullptr;
    QMenu* layoutMenu_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    QAction* windowListSeparator_ = nullptr;
    QList<QAction*> recentActions_;
    QList<QAction*> windowListActions_;
    QAction* statusBarToggle_ = nullptr;

    std::vector<CBinEditFrame*> frames_;
    // Guarded: a view may go with its window before this hears of it.
    QPointer<CBinEditView> activeView_;
    QPointer<CBinEditFrame> lastActiveFrame_;
    bool arrangingMaximised_ = false;
    int bulkOpen_ = 0;
    bool bulkMaximize_ = false;
    QPointer<CBinEditFrame> bulkLastFrame_;
    QMetaObject::Connection statusConnection_;
    QTimer updateTimer_;
    std::function<bool()> closeQuery_;
    int windowStateWriteError_ = 0;
    std::unique_ptr<CEditingCommands> editing_;
    std::unique_ptr<CCompareWindows> compare_;
    CInspectedRange inspected_;
    std::unique_ptr<CBookmarkMarks> viewMarks_;  // every hex view marks the bookmarks' starts and the inspected bytes
    std::unique_ptr<CTaskCommands> tasks_;
    std::unique_ptr<CStructureCommands> structures_;
    CUserTools* userTools_ = nullptr;  // a child of the frame
};

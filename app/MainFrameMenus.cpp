// The main window's menus and tool bars, and the menu parts rebuilt before
// they show: the recent files and the window list.
#include "MainFrame.h"

#include "app/AppContext.h"
#include "settings/AppSettings.h"
#include "app/BinEditFrame.h"
#include "app/RecentFileList.h"

#include <QActionGroup>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>

namespace {
constexpr int kToolBarIconSize = 16;

QString EscapeMnemonic(QString text) { return text.replace(QLatin1Char('&'), QStringLiteral("&&")); }
} // namespace

void CMainFrame::CreateToolBars()
{
    standardBar_ = new QToolBar(QStringLiteral("Standard"), this);
    standardBar_->setObjectName(QStringLiteral("Standard"));
    standardBar_->setIconSize(QSize(kToolBarIconSize, kToolBarIconSize));
    const std::vector<std::vector<Cmd>> groups = {
        {Cmd::FileNew, Cmd::FileOpen, Cmd::FileSave, Cmd::FileSaveAll},
        {Cmd::FilePrint},
        {Cmd::EditCut, Cmd::EditCopy, Cmd::EditPaste},
        {Cmd::EditUndo, Cmd::EditRedo},
        {Cmd::EditFind, Cmd::EditFindNext, Cmd::EditFindPrevious, Cmd::EditGoTo},
        {Cmd::ToolsOptions, Cmd::FileProperties},
        {Cmd::ViewHexAndAscii, Cmd::ViewHexOnly, Cmd::ViewAsciiOnly},
        {Cmd::WindowCascade, Cmd::WindowTileHorizontally, Cmd::WindowTileVertically},
    };
    for (size_t g = 0; g < groups.size(); ++g) {
        if (g > 0)
            standardBar_->addSeparator();
        for (Cmd id : groups[g])
            standardBar_->addAction(commands_[id]);
    }
    addToolBar(Qt::TopToolBarArea, standardBar_);

    bookmarksBar_ = new QToolBar(QStringLiteral("Bookmarks"), this);
    bookmarksBar_->setObjectName(QStringLiteral("Bookmarks"));
    bookmarksBar_->setIconSize(QSize(kToolBarIconSize, kToolBarIconSize));
    for (Cmd id : {Cmd::BookmarkToggle, Cmd::BookmarkList, Cmd::BookmarkNext, Cmd::BookmarkPrevious, Cmd::BookmarkClearAll})
        bookmarksBar_->addAction(commands_[id]);
    // Same row, right of "Standard".
    addToolBar(Qt::TopToolBarArea, bookmarksBar_);
}

void CMainFrame::CreateMenus()
{
    CreateFileMenu();
    CreateEditMenu();
    CreateViewMenu();
    CreateToolsMenu();
    CreateWindowMenu();
    CreateHelpMenu();
    for (QMenu* menu : {fileMenu_, editMenu_, viewMenu_, toolsMenu_, windowMenu_, helpMenu_})
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommands);
    // Named, so that scripts and tests find each menu as the user sees it.
    const std::pair<QMenu*, const char*> named[] = {{fileMenu_, "File"},     {editMenu_, "Edit"},
                                                     {viewMenu_, "View"},     {layoutMenu_, "Layout"},
                                                     {toolsMenu_, "Tools"},   {windowMenu_, "Window"},
                                                     {helpMenu_, "Help"}};
    for (const auto& [menu, name] : named)
        menu->setObjectName(QLatin1String(name));
}

void CMainFrame::CreateFileMenu()
{
    fileMenu_ = menuBar()->addMenu(QStringLiteral("&File"));
    auto add = [this](std::initializer_list<Cmd> ids) {
        for (Cmd id : ids)
            fileMenu_->addAction(commands_[id]);
        fileMenu_->addSeparator();
    };
    add({Cmd::FileNew, Cmd::FileOpen, Cmd::FileClose, Cmd::FileCloseAll});
    add({Cmd::FileSave, Cmd::FileSaveAs, Cmd::FileSaveAll, Cmd::FileReload});
    add({Cmd::FileImport, Cmd::FileExport});
    add({Cmd::FilePrint, Cmd::FilePrintPreview, Cmd::FilePrintSetup});
    add({Cmd::FileProperties});
    recentSeparator_ = fileMenu_->addSeparator();
    fileMenu_->addAction(commands_[Cmd::FileExit]);
    connect(fileMenu_, &QMenu::aboutToShow, this, &CMainFrame::RebuildRecentFiles);
    RebuildRecentFiles();
}

void CMainFrame::CreateEditMenu()
{
    editMenu_ = menuBar()->addMenu(QStringLiteral("&Edit"));
    const std::vector<std::vector<Cmd>> groups = {
        {Cmd::EditUndo, Cmd::EditRedo},
        {Cmd::EditCut, Cmd::EditCopy, Cmd::EditPaste, Cmd::EditCopyAs, Cmd::EditPasteAs},
        {Cmd::EditCopyToFile, Cmd::EditPasteFromFile},
        {Cmd::EditSelectAll},
        {Cmd::EditFind, Cmd::EditFindNext, Cmd::EditFindPrevious, Cmd::EditReplace},
        {Cmd::EditGoTo},
        {Cmd::BookmarkToggle, Cmd::BookmarkList, Cmd::BookmarkNext, Cmd::BookmarkPrevious, Cmd::BookmarkClearAll},
    };
    for (size_t g = 0; g < groups.size(); ++g) {
        if (g > 0)
            editMenu_->addSeparator();
        for (Cmd id : groups[g])
            editMenu_->addAction(commands_[id]);
    }
}

void CMainFrame::CreateViewMenu()
{
    viewMenu_ = menuBar()->addMenu(QStringLiteral("&View"));
    QAction* standardToggle = standardBar_->toggleViewAction();
    standardToggle->setText(QStringLiteral("Tool&bar"));
    QAction* bookmarksToggle = bookmarksBar_->toggleViewAction();
    bookmarksToggle->setText(QStringLiteral("Boo&kmarks Toolbar"));
    statusBarToggle_ = new QAction(QStringLiteral("Stat&us Bar"), this);
    statusBarToggle_->setCheckable(true);
    statusBarToggle_->setChecked(true);
    connect(statusBarToggle_, &QAction::toggled, statusBar(), &QStatusBar::setVisible);
    viewMenu_->addAction(standardToggle);
    viewMenu_->addAction(bookmarksToggle);
    viewMenu_->addAction(statusBarToggle_);
    viewMenu_->addAction(commands_[Cmd::ViewDataInspector]);
    viewMenu_->addSeparator();

    auto* columns = new QActionGroup(this);
    for (Cmd id : {Cmd::ViewHexAndAscii, Cmd::ViewHexOnly, Cmd::ViewAsciiOnly}) {
        columns->addAction(commands_[id]);
        viewMenu_->addAction(commands_[id]);
    }
    viewMenu_->addSeparator();

    layoutMenu_ = viewMenu_->addMenu(QStringLiteral("La&yout"));
    auto* offsets = new QActionGroup(this);
    for (Cmd id : {Cmd::ViewHexOffsets, Cmd::ViewDecimalOffsets}) {
        offsets->addAction(commands_[id]);
        layoutMenu_->addAction(commands_[id]);
    }
    layoutMenu_->addSeparator();
    for (Cmd id : {Cmd::ViewShowDash, Cmd::ViewShowSizeBar, Cmd::ViewAutoFit})
        layoutMenu_->addAction(commands_[id]);
    connect(layoutMenu_, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommands);

    viewMenu_->addSeparator();
    viewMenu_->addAction(commands_[Cmd::ViewDataTypes]);
    viewMenu_->addAction(commands_[Cmd::ViewStructures]);
    viewMenu_->addSeparator();
    viewMenu_->addAction(commands_[Cmd::ToolsOptions]);
}

void CMainFrame::CreateToolsMenu()
{
    toolsMenu_ = menuBar()->addMenu(QStringLiteral("&Tools"));
    for (Cmd id : {Cmd::ToolsModify, Cmd::ToolsInsert, Cmd::ToolsDelete})
        toolsMenu_->addAction(commands_[id]);
    toolsMenu_->addSeparator();
    for (Cmd id : {Cmd::ToolsCompareFiles, Cmd::ToolsNextDifference, Cmd::ToolsPreviousDifference})
        toolsMenu_->addAction(commands_[id]);
    for (Cmd id : {Cmd::ToolsConvertData, Cmd::ToolsComputeChecksum})
        toolsMenu_->addAction(commands_[id]);
}

void CMainFrame::CreateWindowMenu()
{
    windowMenu_ = menuBar()->addMenu(QStringLiteral("&Window"));
    windowMenu_->addAction(commands_[Cmd::WindowNew]);
    windowMenu_->addAction(commands_[Cmd::WindowSplit]);
    windowMenu_->addSeparator();
    windowMenu_->addAction(commands_[Cmd::WindowCascade]);
    windowMenu_->addAction(commands_[Cmd::WindowTileHorizontally]);
    windowMenu_->addAction(commands_[Cmd::WindowTileVertically]);
    windowMenu_->addAction(commands_[Cmd::WindowLinkScrolling]);
    windowListSeparator_ = windowMenu_->addSeparator();
    connect(windowMenu_, &QMenu::aboutToShow, this, &CMainFrame::RebuildWindowList);
}

void CMainFrame::CreateHelpMenu()
{
    helpMenu_ = menuBar()->addMenu(QStringLiteral("&Help"));
    helpMenu_->addAction(commands_[Cmd::HelpContents]);
    helpMenu_->addAction(commands_[Cmd::HelpHomePage]);
    helpMenu_->addSeparator();
    helpMenu_->addAction(commands_[Cmd::HelpAbout]);
}

void CMainFrame::RebuildRecentFiles()
{
    for (QAction* action : recentActions_)
        delete action;
    recentActions_.clear();
    const QStringList files = context_.settings.recentFiles;
    if (files.isEmpty()) {
        auto* placeholder = new QAction(QStringLiteral("Recent File"), fileMenu_);
        placeholder->setEnabled(false);
        fileMenu_->insertAction(recentSeparator_, placeholder);
        recentActions_.append(placeholder);
        return;
    }
    for (int i = 0; i < files.size() && i < kRecentFileCount; ++i) {
        auto* action = new QAction(RecentFileMenuText(i, files[i]), fileMenu_);
        action->setStatusTip(QStringLiteral("Open %1").arg(files[i]));
        const QString path = files[i];
        connect(action, &QAction::triggered, this, [this, path] { emit recentFileChosen(path); });
        fileMenu_->insertAction(recentSeparator_, action);
        recentActions_.append(action);
    }
}

void CMainFrame::RebuildWindowList()
{
    for (QAction* action : windowListActions_)
        delete action;
    windowListActions_.clear();
    const CBinEditFrame* active = ActiveFrame();
    const QList<QMdiSubWindow*> windows = mdi_->subWindowList(QMdiArea::CreationOrder);
    int number = 0;
    for (QMdiSubWindow* window : windows) {
        auto* frame = qobject_cast<CBinEditFrame*>(window);
        if (!frame || std::find(frames_.begin(), frames_.end(), frame) == frames_.end())
            continue;
        ++number;
        const QString prefix = number <= 9 ? QStringLiteral("&%1 ").arg(number) : QStringLiteral("%1 ").arg(number);
        auto* action = new QAction(prefix + EscapeMnemonic(frame->TitleText()), windowMenu_);
        action->setCheckable(true);
        action->setChecked(frame == active);
        connect(action, &QAction::triggered, this, [this, frame] {
            if (std::find(frames_.begin(), frames_.end(), frame) == frames_.end())
                return;
            mdi_->setActiveSubWindow(frame);
            frame->FocusActiveView();
        });
        windowMenu_->addAction(action);
        windowListActions_.append(action);
    }
    windowListSeparator_->setVisible(number > 0);
}

void CMainFrame::ShowViewContextMenu(const QPoint& globalPos, bool layoutMenu)
{
    UpdateCommands();
    (layoutMenu ? layoutMenu_ : editMenu_)->exec(globalPos);
}

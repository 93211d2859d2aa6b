#include "MainFrame.h"

#include "app/AppContext.h"
#include "settings/AppSettings.h"
#include "app/BarState.h"
#include "app/BinEditFrame.h"
#include "app/CompareWindows.h"
#include "app/InspectorDock.h"
#include "settings/SettingsStore.h"
#include "app/StatusPanes.h"
#include "app/UserTools.h"
#include "core/BinEditDoc.h"
#include "ext/ExtensionRegistries.h"
#include "types/ValueTypeRegistry.h"
#include "inspectview/DataViewDlg.h"
#include "inspectview/StructureCommands.h"
#include "inspectview/TypextsDlg.h"
#include "platform/FileNames.h"
#include "platform/SettingsBackend.h"
#include "platform/StatusHooks.h"
#include "tools/BookmarkStore.h"
#include "tooldialogs/BookmarkMarks.h"
#include "tooldialogs/EditingCommands.h"
#include "tooldialogs/TaskCommands.h"
#include "view/BinEditView.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>
#include <algorithm>

namespace {

constexpr QSize kDefaultWindowSize(1024, 720);
constexpr int kDefaultInspectorWidth = 340;

QStringList LocalFiles(const QMimeData* data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            files.append(platform::FileNameOfUrl(url));
    return files;
}

// A stored placement from another screen layout may be off every screen now.
bool IsOnSomeScreen(const QRect& rect)
{
    const auto screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(),
                       [&](const QScreen* screen) { return screen->availableGeometry().intersects(rect); });
}

} // namespace

CMainFrame::CMainFrame(CDocManager& documents, AppContext& context, IUserInterface& ui, QWidget* parent)
    : QMainWindow(parent), documents_(documents), context_(context), ui_(ui), commands_(this)
{
    setObjectName(QStringLiteral("MainFrame"));
    setWindowTitle(QStringLiteral("Vantrel"));
    setAcceptDrops(true);
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);

    mdi_ = new QMdiArea;
    mdi_->setObjectName(QStringLiteral("MdiArea"));
    // Which window is maximised is decided here (OnSubWindowActivated), so
    // that a window put back to normal size stays so while the main window
    // is shown and activated.
    mdi_->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);

    editing_ = std::make_unique<CEditingCommands>(
        this, [this] { return ActiveView(); }, context_.bookmarks, context_.search, context_.settings, ValueTypes(),
        ui_);
    compare_ = std::make_unique<CCompareWindows>(*this, *mdi_, documents_, context_.settings, ui_);

    // Created in this order: tool bars, status bar, Data Inspector pane.
    CreateToolBars();
    panes_ = new CStatusPanes(statusBar());
    inspector_ = new CInspectorDock(ValueTypes(), context_.structures, inspected_, this);
    inspector_->DataView()->SetTypeLoader([] { TypeRegistry().Load(); });
    connect(inspector_, &CInspectorDock::dataTypesRequested, this, &CMainFrame::OnDataTypes);
    connect(inspector_, &CInspectorDock::structuresRequested, this, [this] { commands_[Cmd::ViewStructures]->trigger(); });
    addDockWidget(Qt::LeftDockWidgetArea, inspector_);
    CreateMenus();
    addActions(commands_.All());
    ConnectWindowCommands();
    ConnectEditingCommands();
    ConnectTaskCommands();
    ConnectStructureCommands();
    userTools_ = new CUserTools(*this, *toolsMenu_, context_.settings.tools);
    RestoreWindowState();

    platform::SetStatusTextHandler([this](const QString& text) { panes_->ShowMessage(text); });
    // Every hex view marks the starts of the application's bookmarks, the
    // bytes the inspector highlights and the differences of a comparison.
    viewMarks_ = std::make_unique<CBookmarkMarks>(context_.bookmarks, &inspected_);
    viewMarks_->SetComparison([this] { return compare_->Command().Session(); });

    updateTimer_.setSingleShot(true);
    updateTimer_.setInterval(0);
    connect(&updateTimer_, &QTimer::timeout, this, &CMainFrame::UpdateCommands);
    UpdateCommands();
}

CMainFrame::ShownBars CMainFrame::Bars() const
{
    return {standardBar_->isVisibleTo(this), bookmarksBar_->isVisibleTo(this), statusBar()->isVisibleTo(this)};
}

void CMainFrame::ShowBars(const ShownBars& bars)
{
    standardBar_->setVisible(bars.standard);
    bookmarksBar_->setVisible(bars.bookmarks);
    statusBar()->setVisible(bars.status);
}

CMainFrame::~CMainFrame()
{
    platform::SetStatusTextHandler({});
    // Closing windows one by one would activate the others meanwhile.
    disconnect(mdi_, nullptr, this, nullptr);
    disconnect(statusConnection_);
    activeView_ = nullptr;
    // The child windows go first, while every document they show still exists.
    const std::vector<CBinEditFrame*> frames = frames_;
    frames_.clear();
    for (CBinEditFrame* frame : frames) {
        frame->disconnect(this);
        delete frame;
    }
    // The pages highlight through inspected_, which goes before the child widgets would.
    delete inspector_;
    inspector_ = nullptr;
}

// ---------------------------------------------------------------- creation

void CMainFrame::ConnectWindowCommands()
{
    connect(commands_[Cmd::WindowNew], &QAction::triggered, this, &CMainFrame::OnWindowNew);
    connect(commands_[Cmd::WindowSplit], &QAction::triggered, this, &CMainFrame::OnWindowSplit);
    connect(commands_[Cmd::WindowCascade], &QAction::triggered, this, &CMainFrame::OnWindowCascade);
    connect(commands_[Cmd::WindowTileHorizontally], &QAction::triggered, this, [this] { OnWindowTile(Qt::Horizontal); });
    connect(commands_[Cmd::WindowTileVertically], &QAction::triggered, this, [this] { OnWindowTile(Qt::Vertical); });
    connect(commands_[Cmd::ViewDataInspector], &QAction::triggered, this, &CMainFrame::OnDataInspector);
    connect(commands_[Cmd::ViewDataTypes], &QAction::triggered, this, &CMainFrame::OnDataTypes);
}

// ---------------------------------------------------------------- placement

void CMainFrame::RestoreWindowState()
{
    AppSettings& s = context_.settings;
    auto store = platform::OpenSettings();
    LoadMainWindowSettings(s, *store);
    if (s.windowPos && IsOnSomeScreen(ToQRect(*s.windowPos)))
        setGeometry(ToQRect(*s.windowPos));
    else
        resize(kDefaultWindowSize);
    const QByteArray bars = LoadBarState(*store);
    if (bars.isEmpty() || !restoreState(bars, kBarStateVersion))
        resizeDocks({inspector_}, {kDefaultInspectorWidth}, Qt::Horizontal);
    inspector_->SelectTab(s.dataViewType);
    inspector_->LoadSettings(s);
}

int CMainFrame::SaveWindowState()
{
    AppSettings& s = context_.settings;
    const bool maximized = windowState() & Qt::WindowMaximized;
    const bool restored = !(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
    s.windowPos = FromQRect(restored ? geometry() : normalGeometry());
    s.windowMax = maximized;
    s.dataViewType = inspector_->SelectedTab();
    inspector_->SaveSettings(s);
    auto store = platform::OpenSettings();
    SaveBarState(*store, saveState(kBarStateVersion));
    return SaveMainWindowSettings(s, *store) ? 0 : platform::SettingsWriteError(*store);
}

void CMainFrame::ShowInitially()
{
    if (context_.settings.windowMax)
        showMaximized();
    else
        show();
    activateWindow();
    if (CBinEditFrame* frame = ActiveFrame())
        frame->FocusActiveView();
}

void CMainFrame::ActivateFromOtherInstance()
{
    const Qt::WindowStates state = windowState();
    if (state & Qt::WindowMinimized)
        setWindowState((state & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (closeQuery_ && !closeQuery_()) {
        event->ignore();
        return;
    }
    windowStateWriteError_ = SaveWindowState();
    documents_.CloseAll(false);
    event->accept();
}

// ---------------------------------------------------------------- child windows

QSize CMainFrame::DefaultChildSize() const
{
    const QSize area = mdi_->viewport()->size();
    if (area.width() < 200 || area.height() < 150)
        return QSize(640, 420);
    return QSize(area.width() * 3 / 4, area.height() * 3 / 4);
}

std::vector<CBinEditFrame*> CMainFrame::FramesOf(const CBinEditDoc* document) const
{
    std::vector<CBinEditFrame*> result;
    for (CBinEditFrame* frame : frames_)
        if (frame->Document() == document)
            result.push_back(frame);
    return result;
}

CBinEditFrame* CMainFrame::ActiveFrame() const
{
    // The current window stays current while the main window is inactive.
    auto* frame = qobject_cast<CBinEditFrame*>(mdi_->currentSubWindow());
    if (frame && std::find(frames_.begin(), frames_.end(), frame) != frames_.end())
        return frame;
    return nullptr;
}

CBinEditView* CMainFrame::ActiveView() const { return activeView_.data(); }

CBinEditDoc* CMainFrame::ActiveDocument() const
{
    if (activeView_)
        return activeView_->Document();
    CBinEditFrame* frame = ActiveFrame();
    return frame ? frame->Document() : nullptr;
}

void CMainFrame::CreateFrame(CBinEditDoc* document)
{
    // A window opens maximised when it is the first, or when the one it
    // joins is maximised, as MDI windows always have.
    CBinEditFrame* current = ActiveFrame();
    const bool maximize = frames_.empty() || (current && current->isMaximized());

    auto* frame = new CBinEditFrame(document, context_.settings, ui_, nullptr, viewMarks_.get(), &context_.cells);
    frame->SetCloseQuery([this](CBinEditFrame* f) { return QueryCloseFrame(f); });
    connect(frame, &CBinEditFrame::closing, this, &CMainFrame::OnFrameClosing);
    connect(frame, &CBinEditFrame::closed, this, &CMainFrame::OnFrameClosed);
    connect(frame, &CBinEditFrame::activeViewChanged, this, &CMainFrame::OnPaneActivated);
    connect(frame, &QMdiSubWindow::windowStateChanged, this, &CMainFrame::RequestUpdate);
    for (CBinEditView* view : frame->Panes())
        ConnectPane(view);
    frames_.push_back(frame);
    NumberWindows(document);

    mdi_->addSubWindow(frame);
    frame->resize(DefaultChildSize());
    if (bulkOpen_ > 0) {
        bulkLastFrame_ = frame;
        frame->show();
        return;
    }
    if (maximize)
        frame->showMaximized();
    else
        frame->show();
    mdi_->setActiveSubWindow(frame);
    SetActiveView(frame->ActiveView());
    frame->FocusActiveView();
    UpdateCommands();
}

void CMainFrame::ActivateDocument(CBinEditDoc* document)
{
    const std::vector<CBinEditFrame*> frames = FramesOf(document);
    if (frames.empty())
        return;
    mdi_->setActiveSubWindow(frames.front());
    frames.front()->FocusActiveView();
}

void CMainFrame::CloseFrames(CBinEditDoc* document)
{
    for (CBinEditFrame* frame : FramesOf(document))
        frame->CloseWithoutPrompt();
}

void CMainFrame::DocumentChanged(CBinEditDoc* document)
{
    for (CBinEditFrame* frame : FramesOf(document))
        frame->UpdateTitle();
    UpdateStatus();
    UpdateCommands();
}

void CMainFrame::BeginBulkOpen()
{
    if (bulkOpen_++ > 0)
        return;
    CBinEditFrame* current = ActiveFrame();
    bulkMaximize_ = frames_.empty() || (current && current->isMaximized());
    bulkLastFrame_ = nullptr;
}

void CMainFrame::EndBulkOpen()
{
    if (bulkOpen_ == 0 || --bulkOpen_ > 0)
        return;
    CBinEditFrame* frame = bulkLastFrame_.data();
    bulkLastFrame_ = nullptr;
    if (!frame || std::find(frames_.begin(), frames_.end(), frame) == frames_.end())
        return;
    if (bulkMaximize_)
        frame->showMaximized();
    mdi_->setActiveSubWindow(frame);
    SetActiveView(frame->ActiveView());
    frame->FocusActiveView();
    UpdateCommands();
}

void CMainFrame::RestoreActiveChild()
{
    if (CBinEditFrame* frame = ActiveFrame(); frame && frame->isMaximized())
        frame->showNormal();
}

bool CMainFrame::QueryCloseFrame(CBinEditFrame* frame)
{
    // Only the last window of a document takes the document with it.
    if (FramesOf(frame->Document()).size() > 1)
        return true;
    return documents_.SaveModified(frame->Document());
}

void CMainFrame::OnFrameClosing(CBinEditFrame* frame)
{
    if (activeView_ && std::find(frame->Panes().begin(), frame->Panes().end(), activeView_.data()) != frame->Panes().end())
        SetActiveView(nullptr);
    frames_.erase(std::remove(frames_.begin(), frames_.end(), frame), frames_.end());
}

void CMainFrame::OnFrameClosed(CBinEditFrame* frame)
{
    CBinEditDoc* document = frame->Document();
    if (FramesOf(document).empty())
        documents_.WindowsClosed(document);
    else
        NumberWindows(document);
    RequestUpdate();
}

void CMainFrame::NumberWindows(const CBinEditDoc* document)
{
    const std::vector<CBinEditFrame*> frames = FramesOf(document);
    for (size_t i = 0; i < frames.size(); ++i)
        frames[i]->SetWindowNumber(frames.size() == 1 ? 0 : int(i + 1));
}

void CMainFrame::ConnectPane(CBinEditView* view)
{
    connect(view, &CBinEditView::contextMenuRequested, this, &CMainFrame::ShowViewContextMenu, Qt::UniqueConnection);
    connect(view, &CBinEditView::filesDropped, this, &CMainFrame::filesDropped, Qt::UniqueConnection);
    connect(view, &CBinEditView::insertModeToggleRequested, this, &CMainFrame::ToggleInsertMode, Qt::UniqueConnection);
}

void CMainFrame::ToggleInsertMode()
{
    context_.settings.insertMode = !context_.settings.insertMode;
    for (CBinEditFrame* frame : frames_)
        for (CBinEditView* view : frame->Panes())
            view->ShowInsertMode();
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow* window)
{
    if (arrangingMaximised_)
        return;
    auto* frame = qobject_cast<CBinEditFrame*>(window);
    if (!frame) {
        // Deactivating the main window reports no window; the current one stays.
        if (!ActiveFrame())
            SetActiveView(nullptr);
        return;
    }
    // Moving from a maximised window maximises the next one, as MDI does.
    CBinEditFrame* previous = lastActiveFrame_.data();
    lastActiveFrame_ = frame;
    if (previous && previous != frame && previous->isMaximized() &&
        std::find(frames_.begin(), frames_.end(), previous) != frames_.end()) {
        // Changing window states activates windows on the way; those
        // activations are part of this one.
        arrangingMaximised_ = true;
        previous->showNormal();
        frame->showMaximized();
        arrangingMaximised_ = false;
        if (mdi_->currentSubWindow() != frame)
            mdi_->setActiveSubWindow(frame);
    }
    SetActiveView(frame->ActiveView());
}

void CMainFrame::OnPaneActivated(CBinEditFrame* frame, CBinEditView* view)
{
    ConnectPane(view);
    if (frame == ActiveFrame())
        SetActiveView(view);
}

void CMainFrame::SetActiveView(CBinEditView* view)
{
    if (view == activeView_)
        return;
    if (activeView_) {
        disconnect(statusConnection_);
        activeView_->SetActiveView(false);
    }
    activeView_ = view;
    if (activeView_) {
        activeView_->SetActiveView(true);
        statusConnection_ = connect(activeView_, &CBinEditView::statusChanged, this, [this] {
            UpdateStatus();
            RefreshInspector();
            RequestUpdate();
        });
    }
    UpdateStatus();
    RefreshInspector();
    RequestUpdate();
}

// ---------------------------------------------------------------- update step

void CMainFrame::RequestUpdate() { updateTimer_.start(); }

void CMainFrame::UpdateCommands()
{
    // A pending idle update still runs: it follows changes (such as the title
    // decoration of a child being maximised) made after this one.
    const AppSettings& s = context_.settings;
    const CBinEditDoc* doc = ActiveDocument();
    const bool hasDoc = doc != nullptr;
    const CBinEditFrame* frame = ActiveFrame();

    commands_.SetEnabled(Cmd::FileClose, hasDoc);
    commands_.SetEnabled(Cmd::FileCloseAll, documents_.Count() > 0);
    commands_.SetEnabled(Cmd::FileSave, hasDoc && !doc->IsReadOnly());
    commands_.SetEnabled(Cmd::FileSaveAs, hasDoc);
    commands_.SetEnabled(Cmd::FileReload, hasDoc && !doc->PathName().isEmpty());
    commands_.SetEnabled(Cmd::FileProperties, hasDoc);
    commands_.SetEnabled(Cmd::FilePrint, hasDoc);
    commands_.SetEnabled(Cmd::FilePrintPreview, hasDoc);
    UpdateEditingCommands();
    UpdateTaskCommands();

    commands_.SetChecked(Cmd::ViewHexAndAscii, s.columns == 3);
    commands_.SetChecked(Cmd::ViewHexOnly, s.columns == 1);
    commands_.SetChecked(Cmd::ViewAsciiOnly, s.columns == 2);
    commands_.SetChecked(Cmd::ViewHexOffsets, s.offsetFormat == 1);
    commands_.SetChecked(Cmd::ViewDecimalOffsets, s.offsetFormat == 0);
    commands_.SetChecked(Cmd::ViewShowDash, s.showDash);
    commands_.SetChecked(Cmd::ViewShowSizeBar, s.showSizeBar);
    commands_.SetChecked(Cmd::ViewAutoFit, s.sizeToFit);

    commands_.SetEnabled(Cmd::WindowNew, hasDoc);
    commands_.SetEnabled(Cmd::WindowSplit, frame != nullptr);
    commands_.SetChecked(Cmd::WindowSplit, frame && frame->IsSplit());
    for (Cmd id : {Cmd::WindowCascade, Cmd::WindowTileHorizontally, Cmd::WindowTileVertically})
        commands_.SetEnabled(id, !frames_.empty());

    statusBarToggle_->setChecked(statusBar()->isVisibleTo(this));
    for (CBinEditFrame* f : frames_)
        f->UpdateTitle();
    UpdateWindowTitle();
}

void CMainFrame::UpdateWindowTitle()
{
    // A maximised child's title stands in brackets. Qt adds " - [title]"
    // itself when a child is maximised unless the title has it already, and
    // puts back an older title when the child leaves that state; the update
    // that follows every state change sets the right one again.
    const CBinEditFrame* frame = ActiveFrame();
    QString title = QStringLiteral("Vantrel");
    if (frame)
        title += frame->isMaximized() ? QStringLiteral(" - [%1]").arg(frame->TitleText())
                                      : QStringLiteral(" - %1").arg(frame->TitleText());
    if (windowTitle() != title)
        setWindowTitle(title);
}

void CMainFrame::UpdateStatus()
{
    if (activeView_)
        panes_->Show(activeView_->Status());
    else
        panes_->Clear();
}

void CMainFrame::RefreshInspector() { inspector_->RequestRefresh(activeView_, false); }

void CMainFrame::RebuildInspector() { inspector_->RequestRefresh(activeView_, true); }

// ---------------------------------------------------------------- window commands

void CMainFrame::OnWindowNew()
{
    if (CBinEditDoc* doc = ActiveDocument())
        CreateFrame(doc);
}

void CMainFrame::OnWindowSplit()
{
    CBinEditFrame* frame = ActiveFrame();
    if (!frame)
        return;
    frame->SetSplit(!frame->IsSplit());
    for (CBinEditView* view : frame->Panes())
        ConnectPane(view);
    SetActiveView(frame->ActiveView());
    UpdateCommands();
}

void CMainFrame::OnWindowCascade() { mdi_->cascadeSubWindows(); }

void CMainFrame::OnWindowTile(Qt::Orientation orientation)
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : mdi_->subWindowList(QMdiArea::CreationOrder))
        if (window->isVisible() && !window->isMinimized())
            windows.append(window);
    if (windows.isEmpty())
        return;
    // Horizontally: full-width strips one above the other; vertically: side by side.
    const QRect area = mdi_->viewport()->rect();
    const int count = int(windows.size());
    for (int i = 0; i < count; ++i) {
        QMdiSubWindow* window = windows[i];
        if (window->isMaximized())
            window->showNormal();
        QRect cell;
        if (orientation == Qt::Horizontal) {
            const int top = area.height() * i / count;
            cell = QRect(0, top, area.width(), area.height() * (i + 1) / count - top);
        } else {
            const int left = area.width() * i / count;
            cell = QRect(left, 0, area.width() * (i + 1) / count - left, area.height());
        }
        window->setGeometry(cell);
    }
}

void CMainFrame::OnDataInspector()
{
    inspector_->ShowAndFocus();
    RefreshInspector();
}

void CMainFrame::OnDataTypes()
{
    if (RunDataTypesDialog(this, ValueTypes(), ui_))
        RebuildInspector();
}

// ---------------------------------------------------------------- drops

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (!LocalFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    const QStringList files = LocalFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    activateWindow();
    emit filesDropped(files);
}

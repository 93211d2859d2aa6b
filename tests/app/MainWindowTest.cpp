// The main window's furniture: menus, tool bars, accelerators, status panes,
// display toggles, window arrangement, drops and the About box.
#include "AppTestSupport.h"
#include "ScopedEnv.h"
#include "app/BinEditFrame.h"
#include "app/CommandTable.h"
#include "app/InspectorDock.h"
#include "inspectview/StructureViewDlg.h"
#include "app/StatusPanes.h"
#include "core/BinEditDoc.h"
#include "core/BufferPos.h"
#include "platform/DesktopEntry.h"
#include "platform/StatusHooks.h"
#include "TestFiles.h"
#include "furniture/AboutDlg.h"
#include "furniture/HelpManual.h"
#include "furniture/ManualWindow.h"
#include "furniture/MessageBoxHandler.h"
#include "furniture/OpenFileDialog.h"
#include "view/BinEditView.h"
#include "view/CaretController.h"

#include <QFileInfo>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <map>

namespace {

// The commands and gaps of a tool bar, a gap as Cmd::Count.
std::vector<Cmd> BarLayout(const CMainFrame* frame, const QToolBar* bar)
{
    std::vector<Cmd> layout;
    for (QAction* action : bar->actions()) {
        if (action->isSeparator()) {
            layout.push_back(Cmd::Count);
            continue;
        }
        for (int i = 0; i < kCommandCount; ++i)
            if (frame->Action(Cmd(i)) == action)
                layout.push_back(Cmd(i));
    }
    return layout;
}

void PressKeys(QWidget* target, const QKeySequence& keys)
{
    const QKeyCombination combination = keys[0];
    QTest::keyClick(target, combination.key(), combination.keyboardModifiers());
}

} // namespace

// ---------------------------------------------------------------- menus and bars

TEST_F(AppTest, MenusHaveMnemonicsAndFileEndsWithExit)
{
    ASSERT_TRUE(Start());
    QStringList titles;
    for (QAction* action : Frame()->menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, QStringList({"&File", "&Edit", "&View", "&Tools", "&Window", "&Help"}));
    EXPECT_EQ(Part<QMenu>("File")->actions().last()->text(), "E&xit");
    for (QMenu* menu : {Part<QMenu>("File"), Part<QMenu>("Edit"), Part<QMenu>("View"), Part<QMenu>("Tools"), Part<QMenu>("Window"),
                        Part<QMenu>("Help"), Part<QMenu>("Layout")}) {
        for (QAction* action : menu->actions()) {
            if (action->isSeparator() || action->text() == "Recent File" || action->text() == "Clear All Bookmarks")
                continue;
            EXPECT_TRUE(action->text().contains('&')) << action->text().toStdString();
        }
    }
}

TEST_F(AppTest, ToolBarsHoldTheirButtonsInOrder)
{
    ASSERT_TRUE(Start());
    const Cmd gap = Cmd::Count;
    const std::vector<Cmd> standard = {
        Cmd::FileNew, Cmd::FileOpen, Cmd::FileSave, Cmd::FileSaveAll, gap, Cmd::FilePrint, gap,
        Cmd::EditCut, Cmd::EditCopy, Cmd::EditPaste, gap, Cmd::EditUndo, Cmd::EditRedo, gap,
        Cmd::EditFind, Cmd::EditFindNext, Cmd::EditFindPrevious, Cmd::EditGoTo, gap,
        Cmd::ToolsOptions, Cmd::FileProperties, gap, Cmd::ViewHexAndAscii, Cmd::ViewHexOnly, Cmd::ViewAsciiOnly, gap,
        Cmd::WindowCascade, Cmd::WindowTileHorizontally, Cmd::WindowTileVertically};
    EXPECT_EQ(BarLayout(Frame(), Part<QToolBar>("Standard")), standard);
    const std::vector<Cmd> bookmarks = {Cmd::BookmarkToggle, Cmd::BookmarkList, Cmd::BookmarkNext,
                                        Cmd::BookmarkPrevious, Cmd::BookmarkClearAll};
    EXPECT_EQ(BarLayout(Frame(), Part<QToolBar>("Bookmarks")), bookmarks);
    EXPECT_EQ(Part<QToolBar>("Standard")->windowTitle(), "Standard");
    EXPECT_EQ(Part<QToolBar>("Bookmarks")->windowTitle(), "Bookmarks");
    for (QToolBar* bar : {Part<QToolBar>("Standard"), Part<QToolBar>("Bookmarks")}) {
        for (QAction* action : bar->actions()) {
            if (!action->isSeparator()) {
                EXPECT_FALSE(action->icon().isNull()) << action->text().toStdString();
            }
        }
    }
}

TEST_F(AppTest, CommandsNotBuiltYetStayDisabledWithADocumentOpen)
{
    ASSERT_TRUE(Start({MakeFile("a.bin", QByteArray(64, 'x'))}));
    Frame()->UpdateCommands();
    for (const CommandSpec& spec : CommandSpecs()) {
        QAction* action = Frame()->Action(spec.id);
        if (!spec.available) {
            EXPECT_FALSE(action->isEnabled()) << spec.text;
            for (QToolBar* bar : {Part<QToolBar>("Standard"), Part<QToolBar>("Bookmarks")}) {
                if (QWidget* button = bar->widgetForAction(action)) {
                    EXPECT_FALSE(button->isEnabled()) << spec.text;
                }
            }
        }
    }
    for (Cmd id : {Cmd::FileNew, Cmd::FileOpen, Cmd::FileSave, Cmd::FileSaveAll, Cmd::FileProperties,
                   Cmd::ViewHexOnly, Cmd::WindowCascade, Cmd::FilePrintSetup, Cmd::HelpAbout})
        EXPECT_TRUE(Frame()->Action(id)->isEnabled()) << CommandSpecs()[size_t(id)].text;
}

TEST_F(AppTest, WithoutADocumentItsCommandsAreDisabled)
{
    ASSERT_TRUE(Start());
    for (Cmd id : {Cmd::FileClose, Cmd::FileCloseAll, Cmd::FileSave, Cmd::FileSaveAs, Cmd::FileReload,
                   Cmd::FileProperties, Cmd::WindowNew, Cmd::WindowSplit, Cmd::WindowCascade})
        EXPECT_FALSE(Frame()->Action(id)->isEnabled()) << CommandSpecs()[size_t(id)].text;
    EXPECT_TRUE(Frame()->Action(Cmd::FileSaveAll)->isEnabled());
}

// ---------------------------------------------------------------- keyboard

TEST(CommandTableTest, NoTwoCommandsShareAKey)
{
    // Commands not built yet have their keys already; a clash would make
    // both keys dead the day the second command is switched on.
    std::map<QString, const char*> owner;
    for (const CommandSpec& spec : CommandSpecs()) {
        for (const QKeySequence& keys : spec.keys) {
            const auto [it, fresh] = owner.emplace(keys.toString(), spec.text);
            EXPECT_TRUE(fresh) << keys.toString().toStdString() << ": " << spec.text << " and " << it->second;
        }
    }
}

TEST_F(AppTest, EveryAcceleratorOfABuiltCommandTriggersIt)
{
    const QString file = MakeFile("a.bin", QByteArray(64, 'x'));
    ASSERT_TRUE(Start({file}));
    ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
    for (const CommandSpec& spec : CommandSpecs()) {
        // Exit's key ends the window; the next test presses it on its own.
        if (!spec.available || spec.id == Cmd::FileExit)
            continue;
        for (const QKeySequence& keys : spec.keys) {
            Frame()->UpdateCommands();
            ASSERT_NE(Frame()->ActiveView(), nullptr) << spec.text;
            // A disabled command's key does nothing (Undo with nothing to
            // undo, Copy without a selection).
            if (!Frame()->Action(spec.id)->isEnabled())
                continue;
            Frame()->ActiveFrame()->FocusActiveView();
            QSignalSpy triggered(Frame()->Action(spec.id), &QAction::triggered);
            PressKeys(QApplication::focusWidget(), keys);
            EXPECT_EQ(triggered.count(), 1) << spec.text << " " << keys.toString().toStdString();
            // Undo what the key did so the next one starts alike.
            while (Docs().Count() > 1)
                Docs().CloseDocument(Docs().Documents().back().get(), false);
        }
    }
    EXPECT_EQ(dialogs_->openAsked, 1);
    EXPECT_EQ(dialogs_->propertiesShown.size(), 2) << "Alt+Return and Alt+Enter";
    EXPECT_TRUE(messages_.Messages().empty());
}

// The keys a Linux desktop expects, besides the program's own: Ctrl+Shift+Z
// redoes and Ctrl+Q exits.
TEST_F(AppTest, LinuxDesktopKeysRedoAndExitBesideTheProgramsOwn)
{
    const struct {
        Cmd id;
        QList<QKeySequence> keys;
    } expected[] = {
        {Cmd::EditUndo, {QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")}},
        {Cmd::EditRedo, {QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}},
        {Cmd::FileExit, {QKeySequence("Ctrl+Q")}},
    };
    for (const auto& e : expected)
        EXPECT_EQ(CommandSpecs()[size_t(e.id)].keys, e.keys) << CommandSpecs()[size_t(e.id)].text;

    ASSERT_TRUE(Start({MakeFile("a.bin", "abc")}));
    ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
    CBinEditDoc* doc = ActiveDoc();
    ASSERT_NE(doc, nullptr);
    Frame()->ActiveFrame()->FocusActiveView();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    ASSERT_EQ(doc->Size(), 2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    ASSERT_EQ(doc->Size(), 3);
    Frame()->UpdateCommands();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(doc->Size(), 2);
    // The view on its own knows the key too, for when no menu takes it.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    CBinEditView* view = Frame()->ActiveView();
    QKeyEvent redo(QEvent::KeyPress, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCoreApplication::sendEvent(view, &redo);
    EXPECT_EQ(doc->Size(), 2);

    doc->SetModifiedFlag(false);
    Frame()->UpdateCommands();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(WaitUntil([&] { return !Frame()->isVisible(); }));
}

TEST_F(AppTest, DataInspectorCommandShowsThePaneAndFocusesItsPage)
{
    ASSERT_TRUE(Start({MakeFile("a.bin", "abc")}));
    ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
    Part<CInspectorDock>()->hide();
    Part<CInspectorDock>()->SelectTab(1);
    PressKeys(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_F9));
    EXPECT_TRUE(Part<CInspectorDock>()->isVisible());
    // The Structure View passes the focus to its tree.
    QWidget* tree = Part<CInspectorDock>()->StructureView()->List().List();
    EXPECT_TRUE(WaitUntil([&] { return QApplication::focusWidget() == tree; }));
}

// ---------------------------------------------------------------- status bar

TEST_F(AppTest, StatusPanesAreSizedFromTheirTemplatesAndFollowTheView)
{
    ASSERT_TRUE(Start({MakeFile("a.bin", QByteArray(5000, 'x'))}));
    const CStatusPanes& panes = *Part<CStatusPanes>();
    const QFontMetrics metrics(Frame()->statusBar()->font());
    EXPECT_GE(panes.PaneWidth(CStatusPanes::Position), metrics.horizontalAdvance("AAAAAAAA-AAAAAAAA"));
    EXPECT_GE(panes.PaneWidth(CStatusPanes::Size), metrics.horizontalAdvance("AAAAAAAA"));
    EXPECT_GT(panes.PaneWidth(CStatusPanes::Position), panes.PaneWidth(CStatusPanes::Size));
    EXPECT_GT(panes.PaneWidth(CStatusPanes::Size), panes.PaneWidth(CStatusPanes::Column));
    EXPECT_GT(panes.PaneWidth(CStatusPanes::Column), panes.PaneWidth(CStatusPanes::Modified));

    EXPECT_EQ(panes.Text(CStatusPanes::Size), "1388");
    EXPECT_EQ(panes.Text(CStatusPanes::Column), "HEX");
    EXPECT_EQ(panes.Text(CStatusPanes::Modified), "");
    CBufferPos at;
    at.Bind(&ActiveDoc()->Buffer(), true, 0);
    ASSERT_TRUE(ActiveDoc()->OverwriteAt(at, "y", 1));
    EXPECT_EQ(panes.Text(CStatusPanes::Modified), "MOD");

    // Each pane's tooltip says what it shows.
    EXPECT_EQ(panes.ToolTip(CStatusPanes::Size), "File size (hexadecimal): 5000 bytes");
    Frame()->ActiveView()->CaretControl().SetCaret(2, CaretMode::Move);
    Frame()->ActiveView()->CaretControl().SetCaret(5, CaretMode::Extend);
    EXPECT_TRUE(WaitUntil([&] { return panes.ToolTip(CStatusPanes::Position) ==
                                       "Selection from 2 to 5 (hexadecimal): 3 bytes"; }))
        << panes.ToolTip(CStatusPanes::Position).toStdString();
    for (int pane = 0; pane < CStatusPanes::PaneCount; ++pane)
        EXPECT_FALSE(panes.ToolTip(CStatusPanes::Pane(pane)).isEmpty()) << pane;

    platform::ShowStatusText("Loading something");
    EXPECT_EQ(panes.MessageText(), "Loading something");
    platform::ShowStatusText("");
    EXPECT_EQ(panes.MessageText(), "Ready");
}

// ---------------------------------------------------------------- display toggles

TEST_F(AppTest, DisplayTogglesChangeTheSettingsAndEveryView)
{
    ASSERT_TRUE(Start({MakeFile("a.bin", QByteArray(300, 'x')), MakeFile("b.bin", "b")}));
    std::vector<CBinEditView*> views;
    for (CBinEditFrame* frame : Frame()->Frames())
        views.push_back(frame->ActiveView());

    Trigger(Cmd::ViewDecimalOffsets);
    EXPECT_EQ(Context().settings.offsetFormat, 0);
    EXPECT_TRUE(Frame()->Action(Cmd::ViewDecimalOffsets)->isChecked());
    EXPECT_FALSE(Frame()->Action(Cmd::ViewHexOffsets)->isChecked());
    for (CBinEditView* view : views)
        EXPECT_TRUE(view->Geometry().decimalOffsets);
    Trigger(Cmd::ViewHexOffsets);
    EXPECT_EQ(Context().settings.offsetFormat, 1);
    EXPECT_FALSE(views[0]->Geometry().decimalOffsets);

    Trigger(Cmd::ViewShowDash);
    EXPECT_FALSE(Context().settings.showDash);
    EXPECT_FALSE(Frame()->Action(Cmd::ViewShowDash)->isChecked());
    EXPECT_FALSE(views[1]->Geometry().dashShown);

    Trigger(Cmd::ViewShowSizeBar);
    EXPECT_TRUE(Context().settings.showSizeBar);
    EXPECT_TRUE(views[0]->Geometry().showSizeBar);

    Trigger(Cmd::ViewHexOnly);
    EXPECT_EQ(Context().settings.columns, 1);
    EXPECT_TRUE(Frame()->Action(Cmd::ViewHexOnly)->isChecked());
    EXPECT_FALSE(views[0]->Geometry().charShown);
    Trigger(Cmd::ViewAsciiOnly);
    EXPECT_EQ(Context().settings.columns, 2);
    EXPECT_FALSE(views[1]->Geometry().hexShown);
    Trigger(Cmd::ViewHexAndAscii);
    EXPECT_EQ(Context().settings.columns, 3);

    Trigger(Cmd::ViewAutoFit);
    EXPECT_TRUE(Context().settings.sizeToFit);
    EXPECT_TRUE(Frame()->Action(Cmd::ViewAutoFit)->isChecked());
}

TEST_F(AppTest, TheInsertKeySwitchesTheSharedModeOfEveryView)
{
    ASSERT_TRUE(Start({MakeFile("a.bin", "aaaa"), MakeFile("b.bin", "bbbb")}));
    std::vector<CBinEditView*> views;
    for (CBinEditFrame* frame : Frame()->Frames())
        views.push_back(frame->ActiveView());
    ASSERT_EQ(views.size(), 2u);
    const bool before = Context().settings.insertMode;
    QTest::keyClick(views[0], Qt::Key_Insert);
    EXPECT_EQ(Context().settings.insertMode, !before);
    for (CBinEditView* view : views)
        EXPECT_EQ(view->Status().mode, before ? "OVR" : "INS");
    QTest::keyClick(views[1], Qt::Key_Insert);
    EXPECT_EQ(Context().settings.insertMode, before);
    EXPECT_EQ(views[0]->Status().mode, before ? "INS" : "OVR");
}

TEST_F(AppTest, ViewContextMenuOffersTheLayoutTogglesOrTheEditMenu)
{
    ASSERT_TRUE(Start({MakeFile("a.bin", "abc")}));
    CBinEditView* view = Frame()->ActiveView();
    QList<QWidget*> shown;
    auto closeMenu = [&] {
        QWidget* popup = QApplication::activePopupWidget();
        shown << popup;
        if (popup)
            popup->close();
    };
    QTimer::singleShot(50, closeMenu);
    emit view->contextMenuRequested(view->mapToGlobal(QPoint(5, 5)), true);
    QTimer::singleShot(50, closeMenu);
    emit view->contextMenuRequested(view->mapToGlobal(QPoint(5, 5)), false);
    EXPECT_EQ(shown, (QList<QWidget*>{Part<QMenu>("Layout"), Part<QMenu>("Edit")}));
}

// ---------------------------------------------------------------- windows

TEST_F(AppTest, TilingArrangesTheWindowsInStripsOrSideBySide)
{
    ASSERT_TRUE(Start({MakeFile("a.bin", "a"), MakeFile("b.bin", "b")}));
    const QSize area = Part<QMdiArea>()->viewport()->size();
    Trigger(Cmd::WindowTileHorizontally);
    const auto frames = Frame()->Frames();
    ASSERT_EQ(frames.size(), 2u);
    for (CBinEditFrame* frame : frames) {
        EXPECT_FALSE(frame->isMaximized());
        EXPECT_EQ(frame->width(), area.width());
        EXPECT_EQ(frame->height(), area.height() / 2);
    }
    EXPECT_NE(frames[0]->y(), frames[1]->y());

    Trigger(Cmd::WindowTileVertically);
    for (CBinEditFrame* frame : frames) {
        EXPECT_EQ(frame->height(), area.height());
        EXPECT_EQ(frame->width(), area.width() / 2);
    }
    EXPECT_NE(frames[0]->x(), frames[1]->x());

    Trigger(Cmd::WindowCascade);
    EXPECT_NE(frames[0]->pos(), frames[1]->pos());
}

TEST_F(AppTest, WindowMenuListsTheWindowsAndSwitchesBetweenThem)
{
    const QString a = MakeFile("a.bin", "a"), b = MakeFile("R&D.bin", "b");
    ASSERT_TRUE(Start({a, b}));
    emit Part<QMenu>("Window")->aboutToShow();
    QList<QAction*> entries;
    for (QAction* action : Part<QMenu>("Window")->actions())
        if (action->text().startsWith("&1 ") || action->text().startsWith("&2 "))
            entries << action;
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0]->text(), "&1 a.bin");
    EXPECT_EQ(entries[1]->text(), "&2 R&&D.bin");
    EXPECT_TRUE(entries[1]->isChecked());
    entries[0]->trigger();
    EXPECT_EQ(ActiveDoc()->PathName(), a);
}

TEST_F(AppTest, FilesDroppedOnTheWindowAreOpened)
{
    const QString a = MakeFile("a.bin", "a"), b = MakeFile("b.bin", "b");
    ASSERT_TRUE(Start());
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(a), QUrl::fromLocalFile(b), QUrl("https://example.org/x")});
    const QPoint centre = Frame()->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Frame(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Frame(), &drop);
    ASSERT_EQ(Docs().Count(), 2);
    EXPECT_EQ(Docs().Documents()[0]->PathName(), a);
    EXPECT_EQ(Docs().Documents()[1]->PathName(), b);

    QMimeData text;
    text.setText("not a file");
    QDragEnterEvent refused(centre, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    refused.ignore();
    QCoreApplication::sendEvent(Frame(), &refused);
    EXPECT_FALSE(refused.isAccepted());
}

// ---------------------------------------------------------------- help and setup

TEST_F(AppTest, AboutHomePageAndPrintSetupOpenTheirDialogs)
{
    ASSERT_TRUE(Start());
    Trigger(Cmd::HelpAbout);
    EXPECT_EQ(dialogs_->aboutShown, 1);
    Trigger(Cmd::FilePrintSetup);
    EXPECT_EQ(dialogs_->pageSetupShown, 1);
    // Print uses the printer Print Setup set up (its print dialog is cancelled).
    ASSERT_TRUE(Docs().OpenDocumentFile(MakeFile("p.bin", "data")));
    Trigger(Cmd::FilePrint);
    EXPECT_EQ(dialogs_->printOrientations, QList<QPageLayout::Orientation>{QPageLayout::Landscape});
    Trigger(Cmd::HelpHomePage);
    EXPECT_EQ(ui_.urls, QList<QUrl>{kHomePageUrl});
    EXPECT_TRUE(messages_.Messages().empty());
    ui_.urlsOpen = false;
    Trigger(Cmd::HelpHomePage);
    EXPECT_EQ(messages_.Count(), 1) << "a page that cannot be opened is reported";
}

// Help needs no browser: the manual opens in a window of the program, whose
// button hands the page to the desktop's browser when there is one.
TEST_F(AppTest, HelpContentsShowsTheBuiltManualInTheProgramsOwnWindow)
{
    ASSERT_TRUE(Start());
    ui_.urlsOpen = false;  // no browser on this desktop
    Trigger(Cmd::HelpContents);
    CManualWindow* manual = ShownManualWindow();
    ASSERT_NE(manual, nullptr);
    EXPECT_TRUE(manual->isVisible());
    const QUrl page = manual->Page();
    EXPECT_TRUE(page.toLocalFile().endsWith("/manual/index.html")) << page.toString().toStdString();
    EXPECT_TRUE(QFileInfo(page.toLocalFile()).isFile());
    EXPECT_TRUE(manual->Browser()->toPlainText().contains("Vantrel Hex Editor manual"));
    EXPECT_TRUE(messages_.Messages().empty());
    EXPECT_TRUE(ui_.urls.empty());

    manual->BrowserButton()->click();
    ASSERT_EQ(ui_.urls.size(), 1);
    EXPECT_EQ(ui_.urls.front(), page);
    EXPECT_EQ(messages_.Last(),
              "No web browser could be started for " + page.toLocalFile() + ". The page stays shown here.");
    // Asked again, the same window comes back.
    Trigger(Cmd::HelpContents);
    EXPECT_EQ(ShownManualWindow(), manual);
}

TEST_F(AppTest, SendToShortcutIsTheOpenWithDesktopEntry)
{
    QTemporaryDir dataHome;
    const ScopedEnv xdg("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    ASSERT_TRUE(Start());
    EXPECT_TRUE(app_->UpdateSendToShortcut(true));
    const QString entry = dataHome.filePath("applications/vantrel-hex-editor.desktop");
    EXPECT_TRUE(QFile::exists(entry));
    EXPECT_TRUE(QString::fromUtf8(ReadWholeFile(entry)).contains(QCoreApplication::applicationFilePath()));
    EXPECT_TRUE(app_->UpdateSendToShortcut(false));
    EXPECT_FALSE(QFile::exists(entry));
}

// ---------------------------------------------------------------- real dialogs

TEST(OpenFileDialogTest, TheChoiceCarriesTheReadOnlyBox)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.bin");
    WriteWholeFile(path, "x");
    COpenFileDialog dialog(nullptr, "Binary (*.bin)|*.bin|All Files (*.*)|*.*||");
    EXPECT_FALSE(dialog.Choice()) << "nothing was chosen";
    EXPECT_EQ(dialog.ReadOnlyBox()->text(), "Open as &read-only");
    dialog.selectFile(path);
    dialog.ReadOnlyBox()->setChecked(true);
    dialog.accept();
    const std::optional<OpenFileChoice> choice = dialog.Choice();
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->path, path);
    EXPECT_TRUE(choice->readOnly);
}

namespace {
// Presses a button of the message box that is about to open.
void PressInNextMessageBox(std::function<void(QMessageBox*)> press)
{
    QTimer::singleShot(0, [press] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible())
                press(box);
    });
}
} // namespace

TEST(MessageBoxHandlerTest, ButtonsAndAnswersMatch)
{
    PressInNextMessageBox([](QMessageBox* box) {
        EXPECT_EQ(box->text(), "Save changes to x?");
        EXPECT_EQ(box->windowTitle(), "Vantrel");
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(ShowMessageBox({"Save changes to x?", platform::MsgButtons::YesNoCancel, platform::MsgIcon::Warning, "Vantrel"}),
              platform::MsgResult::No);

    // Escape is the cautious answer.
    PressInNextMessageBox([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
    EXPECT_EQ(ShowMessageBox({"Sure?", platform::MsgButtons::YesNo, platform::MsgIcon::Question, "Vantrel"}),
              platform::MsgResult::No);
    PressInNextMessageBox([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); });
    EXPECT_EQ(ShowMessageBox({"Save?", platform::MsgButtons::YesNoCancel, platform::MsgIcon::Warning, "Vantrel"}),
              platform::MsgResult::Cancel);

    PressInNextMessageBox([](QMessageBox* box) {
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(ShowMessageBox({"Failed.", platform::MsgButtons::Ok, platform::MsgIcon::Error, "Vantrel"}), platform::MsgResult::Ok);
}

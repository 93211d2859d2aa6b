// Start-up, the single-instance rule with real second copies, settings at
// exit and the main window's placement.
#include "AppTestSupport.h"
#include "TestFiles.h"
#include "app/BinEditFrame.h"
#include "app/ForwardMessage.h"
#include "app/InspectorDock.h"
#include "app/StatusPanes.h"
#include "settings/WindowRect.h"
#include "core/BinEditDoc.h"
#include "platform/SettingsBackend.h"
#include "view/BinEditView.h"

#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QLocalSocket>
#include <QMdiArea>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QToolBar>
#include <functional>

namespace {

QStringList PathsOf(const CDocManager& docs)
{
    QStringList paths;
    for (const auto& doc : docs.Documents())
        paths << doc->PathName();
    return paths;
}

// A real copy of the program, with this test's settings folder and channel.
class SecondCopy {
public:
    explicit SecondCopy(const QStringList& arguments)
    {
        process_.setProgram(QStringLiteral(VANTREL_EXECUTABLE));
        process_.setArguments(arguments);
        process_.setProcessChannelMode(QProcess::ForwardedChannels);
        process_.start();
    }
    ~SecondCopy()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }
    // Keeps this process's event loop running: the first copy lives here.
    bool WaitForExit(int timeoutMs = 60000)
    {
        return WaitUntil([this] { return process_.state() == QProcess::NotRunning; }, timeoutMs);
    }
    bool IsRunning() const { return process_.state() == QProcess::Running; }
    int ExitCode() const { return process_.exitCode(); }
    QProcess::ExitStatus ExitStatus() const { return process_.exitStatus(); }

private:
    QProcess process_;
};

} // namespace

// ---------------------------------------------------------------- start-up

TEST_F(AppTest, WithoutNewFileTheWindowOpensWithNoDocument)
{
    ASSERT_TRUE(Start());
    EXPECT_TRUE(app_->StartupComplete());
    EXPECT_TRUE(Frame()->isVisible());
    EXPECT_EQ(Docs().Count(), 0);
    EXPECT_EQ(MainTitle(), "Vantrel");
    EXPECT_EQ(Part<CStatusPanes>()->Text(CStatusPanes::Size), "");
    EXPECT_EQ(Part<CStatusPanes>()->MessageText(), "Ready");
    EXPECT_TRUE(messages_.Messages().empty()) << messages_.Last().toStdString();
}

TEST_F(AppTest, WithNewFileOneUntitledDocumentOpens)
{
    Store("NewFile", 1);
    ASSERT_TRUE(Start());
    ASSERT_EQ(Docs().Count(), 1);
    EXPECT_EQ(ActiveDoc()->Title(), "Untitled1");
    EXPECT_EQ(ActiveDoc()->PathName(), "");
    EXPECT_EQ(MainTitle(), "Vantrel - [Untitled1]") << "a maximised child shows its title in brackets";
    ASSERT_EQ(Frame()->Frames().size(), 1u);
    EXPECT_TRUE(Frame()->Frames().front()->isMaximized()) << "the only window fills the area";
}

TEST_F(AppTest, WithNewFileAFileOnTheCommandLineIsAllThatOpens)
{
    Store("NewFile", 1);
    const QString file = MakeFile("a.bin", "abc");
    ASSERT_TRUE(Start({file}));
    EXPECT_EQ(PathsOf(Docs()), QStringList{file});
}

TEST_F(AppTest, FileOnTheCommandLineHasTheKeyboardFocus)
{
    const QString file = MakeFile("a.bin", QByteArray(100, 'x'));
    ASSERT_TRUE(Start({file}));
    ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
    ASSERT_NE(Frame()->ActiveView(), nullptr);
    EXPECT_EQ(QApplication::focusWidget(), Frame()->ActiveView());
    EXPECT_EQ(MainTitle(), "Vantrel - [a.bin]");
    EXPECT_EQ(Part<CStatusPanes>()->Text(CStatusPanes::Size), "64");
    EXPECT_EQ(Part<CStatusPanes>()->Text(CStatusPanes::Mode), "OVR");
}

TEST_F(AppTest, ThreeFilesLeaveTheActiveChildInNormalSize)
{
    const QString a = MakeFile("a.bin", "a"), b = MakeFile("b.bin", "bb"), c = MakeFile("c.bin", "ccc");
    ASSERT_TRUE(Start({a, b, c}));
    EXPECT_EQ(PathsOf(Docs()), QStringList({a, b, c}));
    ASSERT_NE(Frame()->ActiveFrame(), nullptr);
    EXPECT_EQ(Frame()->ActiveDocument()->PathName(), c);
    EXPECT_FALSE(Frame()->ActiveFrame()->isMaximized());
    EXPECT_TRUE(Frame()->ActiveFrame()->isVisible());
}

TEST_F(AppTest, OneFileOpensMaximised)
{
    ASSERT_TRUE(Start({MakeFile("a.bin", "a")}));
    ASSERT_NE(Frame()->ActiveFrame(), nullptr);
    EXPECT_TRUE(Frame()->ActiveFrame()->isMaximized());
}

TEST_F(AppTest, FileThatCannotBeOpenedEndsStartUpAndNothingIsWritten)
{
    const QString missing = files_.filePath("missing.bin");
    EXPECT_FALSE(Start({missing}));
    EXPECT_FALSE(app_->StartupComplete());
    ASSERT_EQ(messages_.Count(), 1);
    EXPECT_TRUE(messages_.Last().contains(missing)) << messages_.Last().toStdString();
    Context().settings.bytesPerRow = 32;
    Exit();
    EXPECT_FALSE(Stored("BytesPerRow").isValid());
    EXPECT_FALSE(Stored("WindowPos").isValid());
}

TEST_F(AppTest, SettingsAreWrittenAtExitAfterACompleteStartUp)
{
    ASSERT_TRUE(Start());
    Context().settings.bytesPerRow = 32;
    EXPECT_FALSE(Stored("BytesPerRow").isValid()) << "nothing is written before the exit";
    ASSERT_TRUE(CloseMainWindow());
    Exit();
    EXPECT_EQ(Stored("BytesPerRow").toInt(), 32);
    EXPECT_TRUE(Stored("WindowPos").isValid());
}

// The window state (at closing) and the rest (at exit) both fail on such a
// file; the user hears of it once, by the file's name.
TEST_F(AppTest, SettingsThatCannotBeWrittenAtExitAreReportedOnceByName)
{
    const QString ini = platform::SettingsFilePath();
    const QString folder = QFileInfo(ini).absolutePath();
    struct Case {
        const char* what;
        std::function<void()> block;
        std::function<void()> unblock;
    };
    const Case cases[] = {
        {"a folder in place of the file", [&] { QDir().mkpath(ini); }, [&] { QDir(ini).removeRecursively(); }},
        {"a file in place of its folder (it cannot be made)",
         [&] {
             QDir(folder).removeRecursively();
             WriteWholeFile(folder, "not a folder");
         },
         [&] { QFile::remove(folder); }},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(Start()) << c.what;
        c.block();
        messages_.Clear();
        ASSERT_TRUE(CloseMainWindow()) << c.what;
        Exit();
        c.unblock();
        EXPECT_EQ(messages_.Texts(), QStringList{QString("Access to %1 was denied.").arg(ini)}) << c.what;
    }
}


TEST_F(AppTest, OverstrikeOnStartupDecidesTheFirstMode)
{
    Store("InsertMode", 1);
    Store("OverstrikeOnStartup", 1);
    ASSERT_TRUE(Start());
    EXPECT_FALSE(Context().settings.insertMode);
    ASSERT_TRUE(CloseMainWindow());
    Exit();

    Store("InsertMode", 1);
    Store("OverstrikeOnStartup", 0);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Context().settings.insertMode);
}

// ---------------------------------------------------------------- placement

TEST_F(AppTest, DefaultLayoutHasBothBarsInOneRowAndTheInspectorOnTheLeft)
{
    ASSERT_TRUE(Start());
    QToolBar* standard = Part<QToolBar>("Standard");
    QToolBar* bookmarks = Part<QToolBar>("Bookmarks");
    EXPECT_EQ(Frame()->toolBarArea(standard), Qt::TopToolBarArea);
    EXPECT_EQ(Frame()->toolBarArea(bookmarks), Qt::TopToolBarArea);
    EXPECT_FALSE(Frame()->toolBarBreak(bookmarks));
    EXPECT_EQ(bookmarks->y(), standard->y());
    EXPECT_GT(bookmarks->x(), standard->x());
    EXPECT_EQ(Frame()->dockWidgetArea(Part<CInspectorDock>()), Qt::LeftDockWidgetArea);
    EXPECT_TRUE(Part<CInspectorDock>()->isVisible());
    EXPECT_EQ(Part<CInspectorDock>()->windowTitle(), "Data Inspector");
}

TEST_F(AppTest, WindowPlacementAndBarLayoutAreRestored)
{
    ASSERT_TRUE(Start());
    const QRect placement(40, 50, 700, 500);
    Frame()->setGeometry(placement);
    Part<QToolBar>("Bookmarks")->hide();
    Frame()->addDockWidget(Qt::RightDockWidgetArea, Part<CInspectorDock>());
    Part<CInspectorDock>()->SelectTab(1);
    ASSERT_TRUE(CloseMainWindow());
    Exit();
    EXPECT_EQ(Stored("WindowMax").toInt(), 0);
    EXPECT_EQ(Stored("DataViewType").toInt(), 1);
    EXPECT_EQ(WindowRectFromBytes(Stored("WindowPos").toByteArray()), FromQRect(placement));
    EXPECT_TRUE(Stored("CtrlBars-Summary/MainWindowState").isValid());

    ASSERT_TRUE(Start());
    EXPECT_EQ(Frame()->geometry(), placement);
    EXPECT_FALSE(Part<QToolBar>("Bookmarks")->isVisible());
    EXPECT_TRUE(Part<QToolBar>("Standard")->isVisible());
    EXPECT_EQ(Frame()->dockWidgetArea(Part<CInspectorDock>()), Qt::RightDockWidgetArea);
    EXPECT_EQ(Part<CInspectorDock>()->SelectedTab(), 1);
}

TEST_F(AppTest, MaximisedWindowKeepsItsNormalRectangleAndReopensMaximised)
{
    ASSERT_TRUE(Start());
    const QRect placement(30, 40, 600, 400);
    Frame()->setGeometry(placement);
    Frame()->showMaximized();
    ASSERT_TRUE(WaitUntil([&] { return Frame()->isMaximized(); }));
    ASSERT_TRUE(CloseMainWindow());
    Exit();
    EXPECT_EQ(Stored("WindowMax").toInt(), 1);
    EXPECT_EQ(WindowRectFromBytes(Stored("WindowPos").toByteArray()), FromQRect(placement));

    ASSERT_TRUE(Start());
    EXPECT_TRUE(Frame()->isMaximized());
}

TEST_F(AppTest, PlacementOffEveryScreenIsNotUsed)
{
    Store("WindowPos", WindowRectToBytes(WindowRect{20000, 20000, 20600, 20400}));
    ASSERT_TRUE(Start());
    EXPECT_LT(Frame()->x(), 10000);
}

// The first window's default size and a rectangle stored on a larger screen
// are both pulled inside this one, title bar first.
TEST_F(AppTest, TheMainWindowIsShownInsideItsScreen)
{
    const std::optional<WindowRect> stored[] = {
        std::nullopt,                       // the first start: the default size
        WindowRect{300, 200, 2348, 1640},   // 2048x1440 from a large screen
        WindowRect{-500, -300, 200, 300},   // partly above and left of the screen
    };
    for (const std::optional<WindowRect>& rect : stored) {
        SCOPED_TRACE(rect ? rect->left : -1);
        if (rect)
            Store("WindowPos", WindowRectToBytes(*rect));
        ASSERT_TRUE(Start());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Frame()));
        const QRect available = Frame()->screen()->availableGeometry();
        EXPECT_TRUE(available.contains(Frame()->frameGeometry()))
            << Frame()->frameGeometry().width() << "x" << Frame()->frameGeometry().height() << " at "
            << Frame()->frameGeometry().x() << "," << Frame()->frameGeometry().y();
        ASSERT_TRUE(CloseMainWindow());
        Exit();
    }
}

// ---------------------------------------------------------------- the channel, in-process

TEST_F(AppTest, ForwardedBlocksAreCheckedBeforeAnythingOpens)
{
    ASSERT_TRUE(Start());
    const QString a = MakeFile("a.bin", "a");
    const QString name = guard_->Path();
    EXPECT_EQ(ExchangeWithInstance(name, TerminatedForwardBlock("VANX", kForwardGuid + "|" + a)), 0u) << "wrong tag";
    EXPECT_EQ(ExchangeWithInstance(name, RawForwardBlock("VANT", 30, kForwardGuid + "|" + a)), 0u) << "short count";
    QString wrongGuid = kForwardGuid;
    wrongGuid[1] = QLatin1Char('C');
    EXPECT_EQ(ExchangeWithInstance(name, TerminatedForwardBlock("VANT", wrongGuid + "|" + a)), 0u) << "wrong GUID";
    EXPECT_EQ(Docs().Count(), 0);

    EXPECT_EQ(ExchangeWithInstance(name, BuildForwardBlock({a})), 1u);
    EXPECT_TRUE(WaitUntil([&] { return PathsOf(Docs()) == QStringList{a}; }, 30000));
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(AppTest, ForwardedFlagsAndArgumentsContainingABar)
{
    ASSERT_TRUE(Start());
    const QString a = MakeFile("a.bin", "a"), b = MakeFile("b.bin", "b"), c = MakeFile("c.bin", "c");
    // "-flag" is no file; both halves of "a|b" are.
    EXPECT_EQ(ExchangeWithInstance(guard_->Path(), BuildForwardBlock({"-flag", a + "|" + b})), 1u);
    EXPECT_TRUE(WaitUntil([&] { return PathsOf(Docs()) == QStringList({a, b}); }, 30000));
    EXPECT_TRUE(messages_.Messages().empty());

    // "-pt" prints c into the PDF and leaves it closed.
    const QString pdf = files_.filePath("c.pdf");
    EXPECT_EQ(ExchangeWithInstance(guard_->Path(), BuildForwardBlock({"-pt", c, pdf})), 1u);
    EXPECT_TRUE(WaitUntil([&] { return QFileInfo(pdf).size() > 0; }, 30000));
    EXPECT_EQ(Docs().Count(), 2);
    EXPECT_TRUE(messages_.Messages().empty()) << messages_.Last().toStdString();
}

// The sender is answered once the block is checked, before any file opens;
// a file that then cannot be opened is reported here, in the running copy.
TEST_F(AppTest, ForwardedFileThatCannotBeOpenedIsReportedByTheRunningCopy)
{
    ASSERT_TRUE(Start());
    const QString gone = files_.filePath("gone.bin");
    EXPECT_EQ(ExchangeWithInstance(guard_->Path(), BuildForwardBlock({gone})), 1u);
    EXPECT_TRUE(WaitUntil([&] { return messages_.Count() == 1; }, 30000));
    EXPECT_EQ(messages_.Last(), QString("%1 was not found.").arg(gone));
    EXPECT_EQ(Docs().Count(), 0);
}

TEST_F(AppTest, ContactBringsAMinimisedWindowBack)
{
    ASSERT_TRUE(Start());
    Frame()->showMinimized();
    ASSERT_TRUE(WaitUntil([&] { return Frame()->isMinimized(); }));
    QLocalSocket probe;
    probe.connectToServer(guard_->Path());
    ASSERT_TRUE(probe.waitForConnected(1000));
    EXPECT_TRUE(WaitUntil([&] { return !Frame()->isMinimized(); }));
    EXPECT_TRUE(Frame()->isVisible());
}

// ---------------------------------------------------------------- real second copies

TEST_F(AppTest, SecondCopyForwardsItsFilesToTheFirstAndEnds)
{
    Store("MultipleInstances", 0);
    const QString a = MakeFile("a.bin", "a"), b = MakeFile("b b.bin", "bb");
    ASSERT_TRUE(Start({}, true));
    Frame()->showMinimized();
    ASSERT_TRUE(WaitUntil([&] { return Frame()->isMinimized(); }));

    SecondCopy second({a, b});
    ASSERT_TRUE(second.WaitForExit());
    EXPECT_EQ(second.ExitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.ExitCode(), 0);
    EXPECT_TRUE(WaitUntil([&] { return PathsOf(Docs()) == QStringList({a, b}); }, 30000));
    EXPECT_FALSE(Frame()->isMinimized());
    EXPECT_TRUE(messages_.Messages().empty());
}

TEST_F(AppTest, SecondCopyWithoutFilesOnlyActivatesTheFirst)
{
    Store("MultipleInstances", 0);
    ASSERT_TRUE(Start({}, true));
    Frame()->showMinimized();
    ASSERT_TRUE(WaitUntil([&] { return Frame()->isMinimized(); }));

    SecondCopy second({});
    ASSERT_TRUE(second.WaitForExit());
    EXPECT_EQ(second.ExitCode(), 0);
    EXPECT_EQ(Docs().Count(), 0);
    EXPECT_TRUE(WaitUntil([&] { return !Frame()->isMinimized(); }));
}

TEST_F(AppTest, WithMultipleInstancesEveryCopyRunsOnItsOwn)
{
    Store("MultipleInstances", 1);
    const QString a = MakeFile("a.bin", "a");
    ASSERT_TRUE(Start({}, true));
    SecondCopy second({a});
    // The second copy starts its own window and keeps running.
    EXPECT_FALSE(second.WaitForExit(3000));
    EXPECT_TRUE(second.IsRunning());
    EXPECT_EQ(Docs().Count(), 0);
}

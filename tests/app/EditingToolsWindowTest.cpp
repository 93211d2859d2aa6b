// The editing tools through the main window: commands, keys and tool bar
// states, with the dialogs answered by the scripted user interface.
#include "AppTestSupport.h"
#include "TestFiles.h"
#include "app/StatusPanes.h"
#include "core/BinEditDoc.h"
#include "platform/EscapePoller.h"
#include "tools/BookmarkCollection.h"
#include "tools/BookmarkStore.h"
#include "tools/ReplaceAll.h"
#include "tools/SearchPattern.h"
#include "app/BinEditFrame.h"
#include "app/MainFrame.h"
#include "tooldialogs/BookmarksDlg.h"
#include "tooldialogs/CompareFilesDlg.h"
#include "tooldialogs/EditingCommands.h"
#include "tooldialogs/FindDlg.h"
#include "tooldialogs/FindPages.h"
#include "tooldialogs/GoToDlg.h"
#include "tooldialogs/IntEdit.h"
#include "tooldialogs/ModifyDlg.h"
#include "tooldialogs/ReplaceDlg.h"
#include "tooldialogs/ReplaceNextDlg.h"
#include "view/BinEditView.h"
#include "view/CaretController.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QRegion>
#include <QScrollBar>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>
#include <functional>
#include <ostream>

static void PrintTo(const Bookmark& b, std::ostream* out)
{
    *out << '"' << b.name.toStdString() << "\" " << b.start << ".." << b.end;
}

namespace {

constexpr char kSaveBookmarksQuestion[] =
    "You have made changes to the current collection of bookmarks. Would you like to save your bookmarks to disk?";

class EditingToolsTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        ui_.otherwise = {};  // every dialog is scripted
    }

    // Opens a file with these bytes and returns its view.
    CBinEditView* OpenBytes(const QByteArray& bytes)
    {
        const QString path = MakeFile("data.bin", bytes);
        if (!Start({path}))
            return nullptr;
        return Frame()->ActiveView();
    }

    // The next Find dialog searches for text.
    void DriveFind(const QString& text, bool up = false)
    {
        ui_.Then([text, up](QDialog& d) {
            auto& find = dynamic_cast<CFindDlg&>(d);
            find.Pages()->setCurrentIndex(FIND_PAGE_TEXT);
            find.Pages()->TextEdit()->setText(text);
            (up ? find.UpButton() : find.DownButton())->setChecked(true);
            find.accept();
            return find.result();
        });
    }

    void DriveReplaceAll(const QString& find, const QString& replace)
    {
        ui_.Then([find, replace](QDialog& d) {
            auto& dialog = dynamic_cast<CReplaceDlg&>(d);
            dialog.FindPages()->setCurrentIndex(FIND_PAGE_TEXT);
            dialog.FindPages()->TextEdit()->setText(find);
            dialog.ReplacePages()->setCurrentIndex(FIND_PAGE_TEXT);
            dialog.ReplacePages()->TextEdit()->setText(replace);
            dialog.OnReplaceAll();
            return dialog.result();
        });
    }

    static std::pair<int32_t, int32_t> Selected(const CBinEditView* view)
    {
        const CSelectionPos& caret = view->Caret();
        return caret.hasSelection ? std::make_pair(int32_t(caret.selStart), int32_t(caret.selEnd)) : std::make_pair(-1, -1);
    }

    QByteArray Contents() const
    {
        CBinEditDoc* doc = ActiveDoc();
        QByteArray bytes(doc->Size(), '\0');
        CBufferPos at;
        at.Bind(&doc->Buffer(), false, 0);
        at.Read(bytes.data(), doc->Size());
        return bytes;
    }

    // Keys go where the user's would: to the focused view of the active window.
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
};

TEST_F(EditingToolsTest, FindThenFindNextAndPreviousSelectTheMatches)
{
    CBinEditView* view = OpenBytes("abcXabcXabc");
    ASSERT_NE(view, nullptr);
    DriveFind("abc");
    Trigger(Cmd::EditFind);
    EXPECT_EQ(Selected(view), std::make_pair(0, 3));
    EXPECT_EQ(view->Caret().Offset(), 3);
    // F3 and Shift+F3 reach the commands.
    Press(Qt::Key_F3);
    EXPECT_EQ(Selected(view), std::make_pair(4, 7));
    Trigger(Cmd::EditFindNext);
    EXPECT_EQ(Selected(view), std::make_pair(8, 11));
    Press(Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(Selected(view), std::make_pair(4, 7));
    EXPECT_EQ(ui_.titles, QStringList({"Find"}));

    // Past the end, the search wraps with the status text.
    Trigger(Cmd::EditFindNext);
    Trigger(Cmd::EditFindNext);
    EXPECT_EQ(Selected(view), std::make_pair(0, 3));
    EXPECT_EQ(Part<CStatusPanes>()->MessageText(), "Passed the end of the file.");
    EXPECT_EQ(Context().settings.findText, "abc");
}

TEST_F(EditingToolsTest, FindNextWithoutAPatternOpensTheFindDialog)
{
    CBinEditView* view = OpenBytes("xyz");
    ASSERT_NE(view, nullptr);
    ui_.Then([](QDialog& d) {
        d.reject();
        return d.result();
    });
    Trigger(Cmd::EditFindNext);
    EXPECT_EQ(ui_.titles, QStringList({"Find"}));
    DriveFind("nothing here");
    Trigger(Cmd::EditFindPrevious);
    EXPECT_EQ(messages_.Last(), "Search pattern not found.");
}

TEST_F(EditingToolsTest, ReplaceAllIsOneUndoStep)
{
    CBinEditView* view = OpenBytes("aXaXAXa");
    ASSERT_NE(view, nullptr);
    DriveReplaceAll("a", "bb");
    Trigger(Cmd::EditReplace);
    // Without match case the capital A is replaced too.
    EXPECT_EQ(Contents(), QByteArray("bbXbbXbbXbb"));
    EXPECT_EQ(Part<CStatusPanes>()->MessageText(), "Replaced 4 occurrence(s).");
    EXPECT_TRUE(Frame()->Action(Cmd::EditUndo)->isEnabled());
    Trigger(Cmd::EditUndo);
    EXPECT_EQ(Contents(), QByteArray("aXaXAXa"));
    Trigger(Cmd::EditRedo);
    EXPECT_EQ(Contents(), QByteArray("bbXbbXbbXbb"));
}

TEST_F(EditingToolsTest, ReplaceNextStepsThroughTheMatchesOneUndoEach)
{
    CBinEditView* view = OpenBytes("a1a2a3");
    ASSERT_NE(view, nullptr);
    view->CaretControl().SetCaret(2, CaretMode::Move);
    ui_.Then([](QDialog& d) {
        auto& dialog = dynamic_cast<CReplaceDlg&>(d);
        dialog.FindPages()->TextEdit()->setText("a");
        dialog.ReplacePages()->TextEdit()->setText("");
        dialog.OnFindNext();
        return dialog.result();
    });
    std::vector<std::pair<int32_t, int32_t>> found;
    ui_.Then([&](QDialog& d) {
        auto& next = dynamic_cast<CReplaceNextDlg&>(d);
        next.OnFindNext();
        found.push_back(Selected(view));
        next.OnReplace();  // deletes the a at 2, then finds the one at 3
        found.push_back(Selected(view));
        next.OnFindNext();  // wraps to the one at 0
        found.push_back(Selected(view));
        next.OnReplace();   // nothing more before the start: complete
        return next.result();
    });
    Trigger(Cmd::EditReplace);
    EXPECT_EQ(ui_.titles, QStringList({"Replace", "Replace Next"}));
    EXPECT_EQ(found, (std::vector<std::pair<int32_t, int32_t>>{{2, 3}, {3, 4}, {0, 1}}));
    EXPECT_EQ(Contents(), QByteArray("12a3"));
    EXPECT_EQ(messages_.Last(), "Search and replace is complete.");
    Trigger(Cmd::EditUndo);
    // The last replacement comes back first.
    EXPECT_EQ(Contents(), QByteArray("a12a3"));
}

TEST_F(EditingToolsTest, EscStopsReplaceAllAtTheNextCheck)
{
    CBinEditView* view = OpenBytes(QByteArray(200, 'a'));
    ASSERT_NE(view, nullptr);
    int polls = 0;
    Frame()->Editing().SetEscapePoller([&polls] { return ++polls == 2; });
    DriveReplaceAll("a", "b");
    Trigger(Cmd::EditReplace);
    EXPECT_EQ(polls, 2);
    EXPECT_EQ(Contents(), QByteArray(REPLACE_ESC_INTERVAL, 'b') + QByteArray(200 - REPLACE_ESC_INTERVAL, 'a'));
    Trigger(Cmd::EditUndo);
    EXPECT_EQ(Contents(), QByteArray(200, 'a'));
}

TEST_F(EditingToolsTest, EventPollerSwallowsInputAndNotesEsc)
{
    QWidget target;
    target.show();
    struct KeyCounter : QObject {
        int keys = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::KeyPress)
                ++keys;
            return false;
        }
    } counter;
    target.installEventFilter(&counter);
    const std::function<bool()> poll = platform::MakeEventEscapePoller();
    QCoreApplication::postEvent(&target, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
    EXPECT_FALSE(poll());
    QCoreApplication::postEvent(&target, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    EXPECT_TRUE(poll());
    EXPECT_FALSE(poll());
    EXPECT_EQ(counter.keys, 0);
}

TEST_F(EditingToolsTest, GoToMovesTheCaretAndRemembersTheRadix)
{
    CBinEditView* view = OpenBytes(QByteArray(64, 'z'));
    ASSERT_NE(view, nullptr);
    ui_.Then([](QDialog& d) {
        auto& goTo = dynamic_cast<CGoToDlg&>(d);
        goTo.ValueEdit()->SetText("40");
        goTo.accept();
        return goTo.result();
    });
    Press(Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(view->Caret().Offset(), 40);
    EXPECT_EQ(Context().settings.goToRadix, 10);
}

TEST_F(EditingToolsTest, ModifyChangesTheBytesInOneUndoStep)
{
    CBinEditView* view = OpenBytes(QByteArray(8, '\0'));
    ASSERT_NE(view, nullptr);
    view->CaretControl().SetCaret(2, CaretMode::Move);
    ui_.Then([](QDialog& d) {
        auto& modify = dynamic_cast<CModifyDlg&>(d);
        modify.CountEdit()->SetText("3");
        modify.ValueEdit()->setText("0x41");
        modify.accept();
        return modify.result();
    });
    Trigger(Cmd::ToolsModify);
    EXPECT_EQ(Contents(), QByteArray("\0\0AAA\0\0\0", 8));
    EXPECT_EQ(Selected(view), std::make_pair(2, 5));
    EXPECT_EQ(Context().settings.modifyCount, 3);
    Trigger(Cmd::EditUndo);
    EXPECT_EQ(Contents(), QByteArray(8, '\0'));
}

TEST_F(EditingToolsTest, ReadOnlyDocumentsRefuseTheChangingTools)
{
    CBinEditView* view = OpenBytes("abc");
    ASSERT_NE(view, nullptr);
    Frame()->UpdateCommands();
    for (Cmd id : {Cmd::EditReplace, Cmd::ToolsModify, Cmd::ToolsInsert, Cmd::ToolsDelete})
        EXPECT_TRUE(Frame()->Action(id)->isEnabled());
    ActiveDoc()->SetReadOnly(true);
    Frame()->UpdateCommands();
    for (Cmd id : {Cmd::EditReplace, Cmd::ToolsModify, Cmd::ToolsInsert, Cmd::ToolsDelete})
        EXPECT_FALSE(Frame()->Action(id)->isEnabled());
    for (Cmd id : {Cmd::EditFind, Cmd::EditGoTo, Cmd::BookmarkToggle})
        EXPECT_TRUE(Frame()->Action(id)->isEnabled());
    // Even called directly, nothing opens.
    Frame()->Editing().Insert();
    EXPECT_TRUE(ui_.titles.isEmpty());
}

TEST_F(EditingToolsTest, ToggledBookmarksAreMarkedInTheView)
{
    CBinEditView* view = OpenBytes(QByteArray(64, '\x11'));
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
    view->CaretControl().SetCaret(10, CaretMode::Move);
    const QImage without = view->grab().toImage();
    Trigger(Cmd::BookmarkToggle);
    ASSERT_EQ(Context().bookmarks.Count(), 1);
    const QImage with = view->grab().toImage();
    Trigger(Cmd::BookmarkToggle);
    EXPECT_TRUE(Context().bookmarks.IsEmpty());
    EXPECT_NE(with, without);
    EXPECT_EQ(view->grab().toImage(), without);
}

TEST_F(EditingToolsTest, ToggleNextAndPreviousBookmarksFromKeysAndToolBar)
{
    CBinEditView* view = OpenBytes(QByteArray(64, '\x11'));
    ASSERT_NE(view, nullptr);
    Frame()->UpdateCommands();
    for (Cmd id : {Cmd::BookmarkNext, Cmd::BookmarkPrevious, Cmd::BookmarkClearAll})
        EXPECT_FALSE(Frame()->Action(id)->isEnabled());

    view->CaretControl().SetCaret(10, CaretMode::Move);
    Press(Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(Context().bookmarks.Count(), 1);
    EXPECT_EQ(Context().bookmarks.At(0).name, "Bookmark 001");
    // The tool bar follows at once.
    for (Cmd id : {Cmd::BookmarkNext, Cmd::BookmarkPrevious, Cmd::BookmarkClearAll})
        EXPECT_TRUE(Frame()->Action(id)->isEnabled());

    view->CaretControl().SetCaret(20, CaretMode::Move);
    Trigger(Cmd::BookmarkToggle);
    // Next from the last bookmark wraps to the first; F4 and Shift+F4 reach them.
    Press(Qt::Key_F4);
    EXPECT_EQ(view->Caret().Offset(), 10);
    EXPECT_EQ(Part<CStatusPanes>()->MessageText(), "Bookmark: \"Bookmark 001\", Offset=0xA, Length=0x0");
    Press(Qt::Key_F4, Qt::ShiftModifier);
    EXPECT_EQ(view->Caret().Offset(), 20);

    // Toggling twice at one place removes it; the freed name comes back.
    Trigger(Cmd::BookmarkToggle);
    EXPECT_EQ(Context().bookmarks.Count(), 1);
    Trigger(Cmd::BookmarkToggle);
    EXPECT_EQ(Context().bookmarks.At(1).name, "Bookmark 002");
}

TEST_F(EditingToolsTest, ClearAllBookmarksAsksFirst)
{
    CBinEditView* view = OpenBytes(QByteArray(16, 'q'));
    ASSERT_NE(view, nullptr);
    Trigger(Cmd::BookmarkToggle);
    Trigger(Cmd::BookmarkClearAll);
    EXPECT_EQ(messages_.Last(), "Are you sure you want to clear all bookmarks?");
    EXPECT_EQ(Context().bookmarks.Count(), 1);
    messages_.Answer(platform::MsgResult::Yes);
    Trigger(Cmd::BookmarkClearAll);
    EXPECT_TRUE(Context().bookmarks.IsEmpty());
    EXPECT_FALSE(Frame()->Action(Cmd::BookmarkClearAll)->isEnabled());
}

TEST_F(EditingToolsTest, BookmarksDialogSavesAndLoadsCollectionFiles)
{
    CBinEditView* view = OpenBytes(QByteArray(64, 'q'));
    ASSERT_NE(view, nullptr);
    Context().bookmarks.Insert({"A", 0x10, 0x20});
    const QString marks = files_.filePath("marks.bmk");
    SaveBookmarksThroughTheDialog(marks);
    const QByteArray expected("BOOK\0\0\0\0\1\0\0\0\1\0\0\0A\0\x10\0\0\0\x20\0\0\0", 26);
    EXPECT_EQ(ReadWholeFile(marks), expected);
    EXPECT_EQ(ui_.FileTitles(), QStringList({"Save Bookmark Collection"}));
    EXPECT_FALSE(Context().bookmarks.IsChanged());

    // Loading over a changed collection asks first; No goes on without saving.
    Context().bookmarks.Insert({"B", 0x30, 0x30});
    messages_.Answer(platform::MsgResult::No);
    ui_.ThenFile(marks);
    ui_.Then([](QDialog& d) {
        auto& dialog = dynamic_cast<CBookmarksDlg&>(d);
        dialog.OnLoad();
        dialog.List()->setCurrentRow(0);
        dialog.OnGoTo();
        return dialog.result();
    });
    Trigger(Cmd::BookmarkList);
    EXPECT_EQ(messages_.Last(), kSaveBookmarksQuestion);
    ASSERT_EQ(Context().bookmarks.Count(), 1);
    EXPECT_EQ(Context().bookmarks.At(0), (Bookmark{"A", 0x10, 0x20}));
    // Go To Bookmark selected the range with the caret at its end.
    EXPECT_EQ(Selected(view), std::make_pair(0x10, 0x20));
    EXPECT_EQ(view->Caret().Offset(), 0x20);
}

// Files damaged after a good header, loaded through the Bookmarks dialog:
// each is refused with the corrupt-file message, and the collection (its
// bookmarks, its file and its unchanged state) stays as it was.
TEST_F(EditingToolsTest, LoadingADamagedCollectionKeepsTheCurrentOne)
{
    ASSERT_TRUE(Start());
    const QByteArray header("BOOK\0\0\0\0\2\0\0\0", 12);
    const QByteArray record("\1\0\0\0Z\0\x05\0\0\0\x06\0\0\0", 14);
    struct Case {
        const char* what;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"cut inside the second record", header + record + record.left(9)},
        {"cut right after the first record", header + record},
        {"cut inside the count", header.left(10)},
        {"a negative start in the second record",
         header + record + QByteArray("\1\0\0\0Y\0\xff\xff\xff\xff\0\0\0\0", 14)},
    };
    const QString current = files_.filePath("current.bmk");
    Context().bookmarks.Insert({"kept", 0x40, 0x48});
    Context().bookmarks.SetPath(current);
    Context().bookmarks.SetChanged(false);
    for (const Case& c : cases) {
        const QString damaged = MakeFile("damaged.bmk", c.bytes);
        ui_.ThenFile(damaged);
        messages_.Clear();
        int listed = -1;
        ui_.Then([&listed](QDialog& d) {
            auto& dialog = dynamic_cast<CBookmarksDlg&>(d);
            dialog.OnLoad();
            listed = dialog.List()->count();
            dialog.reject();
            return dialog.result();
        });
        Trigger(Cmd::BookmarkList);
        EXPECT_EQ(messages_.Texts(), QStringList{QString("Unable to load file:\r\n\r\n\"%1\" is corrupt or is not a "
                                                         "valid bookmark collection file.")
                                                     .arg(damaged)})
            << c.what;
        EXPECT_EQ(Context().bookmarks.Items(), (std::vector<Bookmark>{{"kept", 0x40, 0x48}})) << c.what;
        EXPECT_EQ(listed, 1) << c.what;
        EXPECT_EQ(Context().bookmarks.Path(), current) << c.what;
        EXPECT_FALSE(Context().bookmarks.IsChanged()) << c.what;
    }
}

TEST_F(EditingToolsTest, ExitAsksAboutAChangedCollection)
{
    ASSERT_TRUE(Start());
    Context().bookmarks.Insert({"kept", 1, 2});
    messages_.Answer(platform::MsgResult::Cancel);
    EXPECT_FALSE(CloseMainWindow());
    EXPECT_EQ(messages_.Last(), kSaveBookmarksQuestion);
    // Yes saves through the save dialog first.
    const QString saved = files_.filePath("exit.bmk");
    ui_.ThenFile(saved);
    messages_.Answer(platform::MsgResult::Yes);
    EXPECT_TRUE(CloseMainWindow());
    EXPECT_EQ(ReadWholeFile(saved).left(4), QByteArray("BOOK"));
    Exit();
    EXPECT_EQ(Stored("BookmarksFile").toString(), saved);
}

TEST_F(EditingToolsTest, StartUpReloadsTheLastCollection)
{
    const QString path = MakeFile("last.bmk", QByteArray("BOOK\0\0\0\0\1\0\0\0\1\0\0\0Z\0\x05\0\0\0\x06\0\0\0", 26));
    Store("ReloadBookmarks", 1);
    Store("BookmarksFile", path);
    ASSERT_TRUE(Start());
    ASSERT_EQ(Context().bookmarks.Count(), 1);
    EXPECT_EQ(Context().bookmarks.At(0).name, "Z");
    // Managing the collection needs no document.
    Frame()->UpdateCommands();
    EXPECT_TRUE(Frame()->Action(Cmd::BookmarkList)->isEnabled());
    EXPECT_TRUE(Frame()->Action(Cmd::BookmarkClearAll)->isEnabled());
    EXPECT_FALSE(Frame()->Action(Cmd::BookmarkNext)->isEnabled());
}

} // namespace

// Side by side, each compared window shows whole rows (hex and characters)
// without a horizontal scroll bar, the two cover the work area, and a
// narrow area gets fewer bytes per row.
TEST_F(EditingToolsTest, ComparedWindowsShowWholeRowsAndFillTheWorkArea)
{
    QByteArray a(100000, 'a');
    QByteArray b = a;
    b[5000] = 'b';
    const QString first = MakeFile("first.bin", a);
    const QString second = MakeFile("second.bin", b);
    ASSERT_TRUE(Start({first, second}));
    const struct {
        int width;
        int fontHeight;
        bool allSixteen;
    } cases[] = {{1700, -12, true}, {1000, -12, false}, {1700, -20, false}, {1200, -20, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " px wide, font " << c.fontHeight);
        Context().settings.bytesPerRow = 16;
        Context().settings.font2.height = c.fontHeight;
        app_->RefreshAllViews(true);
        Frame()->resize(c.width, 600);
        QCoreApplication::processEvents();
        ui_.Then([](QDialog& d) {
            auto& files = dynamic_cast<CCompareFilesDlg&>(d);
            files.SideBySideBox()->setChecked(true);
            files.accept();
            return files.result();
        });
        ui_.Then([](QDialog&) { return int(QDialog::Rejected); });  // Done at the first difference
        Trigger(Cmd::ToolsCompareFiles);
        QCoreApplication::processEvents();

        QRegion covered;
        for (CBinEditFrame* frame : Frame()->Frames())
            covered += frame->geometry();
        EXPECT_EQ(covered, QRegion(Part<QMdiArea>()->viewport()->rect()));
        for (CBinEditFrame* frame : Frame()->Frames()) {
            const CBinEditView* view = frame->ActiveView();
            EXPECT_LE(view->Geometry().totalWidth, view->ClientWidth());
            EXPECT_FALSE(view->horizontalScrollBar()->isVisible());
            EXPECT_EQ(view->BytesPerRow() == 16, c.allSixteen) << view->BytesPerRow();
        }
    }
}

// The Go To, Bookmarks and Edit Bookmark dialogs.
#include "DialogTestSupport.h"
#include "MessageRecorder.h"
#include "ScriptedInterface.h"
#include "tools/BookmarkCollection.h"
#include "tooldialogs/BookmarksDlg.h"
#include "tooldialogs/EditBookmarkDlg.h"
#include "tooldialogs/GoToDlg.h"
#include "tooldialogs/IntEdit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

SelectionState CaretAt(int64_t caret)
{
    SelectionState s;
    s.caret = caret;
    return s;
}

TEST(GoToDialogTest, OpensWithTheCaretInTheRememberedRadixSelected)
{
    CGoToDlg dialog(CaretAt(0x1234), 0x2000, 16);
    dialog.show();
    EXPECT_EQ(dialog.ValueEdit()->Text(), "0x1234");
    EXPECT_TRUE(FocusIsIn(dialog, dialog.ValueEdit()));
    EXPECT_EQ(FocusedSelection(dialog), "0x1234");
    EXPECT_TRUE(dialog.AbsoluteButton()->isChecked());
    EXPECT_FALSE(dialog.ExtendBox()->isChecked());
}

TEST(GoToDialogTest, ShowsTheWordsOfItsControlsSpelledRight)
{
    CGoToDlg dialog(CaretAt(0), 0x10, 16);
    QStringList groups;
    for (const QGroupBox* group : dialog.findChildren<QGroupBox*>())
        groups << group->title();
    EXPECT_EQ(groups, QStringList{"Interpret value as"});
    EXPECT_EQ(dialog.AbsoluteButton()->text(), "Absolute &offset");
    EXPECT_EQ(dialog.BackButton()->text(), "Distance to move &back");
    EXPECT_EQ(dialog.ExtendBox()->text(), "&Extend selection to new position");
}

TEST(GoToDialogTest, TargetsOutsideTheFileAndBadTextKeepItOpen)
{
    MessageRecorder messages;
    CGoToDlg dialog(CaretAt(10), 100, 10);
    dialog.show();
    dialog.BackButton()->setChecked(true);
    dialog.ValueEdit()->SetText("11");
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(messages.Last(),
              "Invalid file offset specified. The target offset must be within the range of the existing file.");

    dialog.ValueEdit()->SetText("ten");
    dialog.accept();
    EXPECT_EQ(messages.Last(), "The value you have entered is not valid. Please enter a valid integer value.");
    EXPECT_TRUE(dialog.isVisible());

    // The file size itself is a valid target.
    dialog.AbsoluteButton()->setChecked(true);
    dialog.ExtendBox()->setChecked(true);
    dialog.ValueEdit()->SetText("0x64");
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Outcome().caret, 100);
    EXPECT_EQ(dialog.Outcome().anchor, 10);
    EXPECT_EQ(dialog.Outcome().radix, 16);
}

TEST(GoToDialogTest, ShowsAndTakesOffsetsPastFourGiBWhole)
{
    CGoToDlg dialog(CaretAt(0x100000005), 0x300000000, 16);
    dialog.show();
    EXPECT_EQ(dialog.ValueEdit()->Text(), "0x100000005");
    dialog.ValueEdit()->stepBy(1);
    EXPECT_EQ(dialog.ValueEdit()->Text(), "0x100000006") << "the arrows are not held to 31 bits";
    dialog.ValueEdit()->SetText("0x7FFFFFFFFFFFFFFF");
    dialog.ValueEdit()->stepBy(1);
    EXPECT_EQ(dialog.ValueEdit()->Text(), "0x7FFFFFFFFFFFFFFF");
    dialog.AheadButton()->setChecked(true);
    dialog.ValueEdit()->SetText("0x100000000");
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Outcome().caret, 0x200000005);
}

TEST(EditBookmarkDialogTest, OkNeedsANameAndValidNumbers)
{
    MessageRecorder messages;
    CEditBookmarkDlg dialog(true, Bookmark{"Bookmark 001", 0x10, 0x18}, 16, 10);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Add Bookmark");
    EXPECT_EQ(dialog.OffsetEdit()->Text(), "0x10");
    EXPECT_EQ(dialog.LengthEdit()->Text(), "8");
    EXPECT_TRUE(FocusIsIn(dialog, dialog.NameEdit()));
    EXPECT_EQ(FocusedSelection(dialog), "Bookmark 001");

    dialog.NameEdit()->setText("   ");
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(messages.Count(), 0);

    dialog.NameEdit()->setText("  start ");
    dialog.OffsetEdit()->SetText("x");
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(messages.Last().startsWith("The bookmark offset value is not valid."));
    EXPECT_TRUE(FocusIsIn(dialog, dialog.OffsetEdit()));

    dialog.OffsetEdit()->SetText("020");
    dialog.LengthEdit()->SetText("0x4");
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Fields().bookmark, (Bookmark{"start", 16, 20}));
    EXPECT_EQ(dialog.Fields().offsetRadix, 8);
    EXPECT_EQ(dialog.Fields().lengthRadix, 16);
}

class BookmarksDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        bookmarks_.Insert({"ten", 10, 12});
        bookmarks_.Insert({"twenty", 20, 20});
        bookmarks_.SetChanged(false);
        hooks_.changed = [this] { ++changes_; };
    }

    CBookmarkCollection bookmarks_;
    BookmarkDialogHooks hooks_;
    ScriptedInterface ui_;
    int changes_ = 0;
    MessageRecorder messages_;
};

TEST_F(BookmarksDialogTest, ListsNamesAndShowsTheSelectedRange)
{
    CBookmarksDlg dialog(bookmarks_, BookmarkRadixes{16, 10, true}, Bookmark{}, true, hooks_, ui_);
    dialog.show();
    ASSERT_EQ(dialog.List()->count(), 2);
    EXPECT_EQ(dialog.List()->item(1)->text(), "twenty");
    EXPECT_TRUE(FocusIsIn(dialog, dialog.List()));
    EXPECT_EQ(dialog.OffsetLabel()->text(), "0xA");
    EXPECT_EQ(dialog.LengthLabel()->text(), "2");
    EXPECT_TRUE(dialog.ReloadBox()->isChecked());
    dialog.List()->setCurrentRow(1);
    EXPECT_EQ(dialog.OffsetLabel()->text(), "0x14");
    dialog.OnGoTo();
    EXPECT_EQ(dialog.result(), CBookmarksDlg::GoToResult);
    EXPECT_EQ(dialog.SelectedBookmark()->name, "twenty");
}

TEST_F(BookmarksDialogTest, AddProposesTheDefaultNameAndAsksBeforeOverwriting)
{
    QString proposedName;
    ui_.otherwise = [&](QDialog& d) {
        auto& edit = dynamic_cast<CEditBookmarkDlg&>(d);
        proposedName = edit.NameEdit()->text();
        edit.OffsetEdit()->SetText("0xA");  // where "ten" starts
        edit.accept();
        return edit.result();
    };
    CBookmarksDlg dialog(bookmarks_, BookmarkRadixes{}, Bookmark{"", 30, 34}, true, hooks_, ui_);
    messages_.Answer(platform::MsgResult::No);
    dialog.OnAdd();
    EXPECT_EQ(proposedName, "Bookmark 001");
    EXPECT_TRUE(messages_.Last().contains("You already have a bookmark defined at offset A with the name \"ten\""))
        << messages_.Last().toStdString();
    EXPECT_EQ(bookmarks_.At(0).name, "ten");
    EXPECT_EQ(changes_, 0);

    messages_.Answer(platform::MsgResult::Yes);
    dialog.OnAdd();
    EXPECT_EQ(bookmarks_.Count(), 2);
    EXPECT_EQ(bookmarks_.At(0).name, "Bookmark 001");
    EXPECT_EQ(dialog.List()->currentRow(), 0);
    EXPECT_EQ(changes_, 1);
    // The radixes the values were written in are kept.
    EXPECT_EQ(dialog.Radixes().offsetRadix, 16);
}

TEST_F(BookmarksDialogTest, DeleteAndDeleteAllAskFirst)
{
    CBookmarksDlg dialog(bookmarks_, BookmarkRadixes{}, Bookmark{}, false, hooks_, ui_);
    EXPECT_FALSE(dialog.GoToButton()->isEnabled());
    dialog.OnDelete();
    EXPECT_EQ(messages_.Last(), "Are you sure you want to delete the selected bookmark?");
    EXPECT_EQ(bookmarks_.Count(), 2);
    messages_.Answer(platform::MsgResult::Yes);
    dialog.OnDeleteAll();
    EXPECT_EQ(messages_.Last(), "Are you sure you want to delete all bookmarks?");
    EXPECT_TRUE(bookmarks_.IsEmpty());
    EXPECT_EQ(dialog.List()->count(), 0);
    EXPECT_TRUE(dialog.OffsetLabel()->text().isEmpty());
}

TEST_F(BookmarksDialogTest, LoadRefillsTheListFromTheStart)
{
    hooks_.load = [this] {
        bookmarks_.Clear();
        bookmarks_.Insert({"loaded", 5, 6});
        return true;
    };
    CBookmarksDlg dialog(bookmarks_, BookmarkRadixes{}, Bookmark{}, true, hooks_, ui_);
    dialog.List()->setCurrentRow(1);
    dialog.OnLoad();
    ASSERT_EQ(dialog.List()->count(), 1);
    EXPECT_EQ(dialog.List()->currentRow(), 0);
    EXPECT_EQ(dialog.List()->item(0)->text(), "loaded");
}

} // namespace

// The Find and Replace dialogs: their enabling rules, where the focus goes
// when they open, and the messages that keep them open.
#include "DialogTestSupport.h"
#include "MessageRecorder.h"
#include "ScriptedInterface.h"
#include "tooldialogs/FindDlg.h"
#include "tooldialogs/FindPages.h"
#include "tooldialogs/ReplaceDlg.h"
#include "tooldialogs/VantrelHexEdit.h"
#include "types/ValueTypeRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Would answer what the dialogs' Help buttons open; none is pressed here.
ScriptedInterface ui;
const ValueTypeRegistry types;

FindSettings TextSettings(const QString& text)
{
    FindSettings s;
    s.find.type = FIND_PAGE_TEXT;
    s.find.text = text;
    return s;
}

TEST(FindDialogTest, OpensWithTheTextSelectedInTheActivePage)
{
    CFindDlg dialog(TextSettings("needle"), types, ui);
    dialog.show();
    EXPECT_TRUE(FocusIsIn(dialog, dialog.Pages()->TextEdit()));
    EXPECT_EQ(FocusedSelection(dialog), "needle");
    EXPECT_TRUE(dialog.DownButton()->isChecked());

    FindSettings value;
    value.find.type = FIND_PAGE_VALUE;
    value.find.value = "1234";
    CFindDlg valueDialog(value, types, ui);
    valueDialog.show();
    EXPECT_TRUE(FocusIsIn(valueDialog, valueDialog.Pages()->ValueEdit()));
    EXPECT_EQ(FocusedSelection(valueDialog), "1234");
}

TEST(FindDialogTest, DataPageFocusesTheByteEntryWithEverythingSelected)
{
    FindSettings s;
    s.find.type = FIND_PAGE_DATA;
    s.find.data = QByteArray("\x01\x02\x03", 3);
    s.find.hexCol = false;
    CFindDlg dialog(s, types, ui);
    dialog.show();
    VantrelHexEdit* data = dialog.Pages()->DataEdit();
    EXPECT_TRUE(FocusIsIn(dialog, data));
    EXPECT_EQ(data->Selection(), (3u << 16) | 0u);
    EXPECT_FALSE(data->HexActive());
    EXPECT_EQ(data->MaxLength(), FIND_DATA_MAX_LENGTH);
}

TEST(FindDialogTest, MatchCaseAndByteOrderFollowTheirRules)
{
    CFindDlg dialog(TextSettings("x"), types, ui);
    CFindPages* pages = dialog.Pages();
    EXPECT_TRUE(dialog.MatchCaseBox()->isEnabled());
    EXPECT_FALSE(pages->TextBigEndianBox()->isEnabled());
    pages->UnicodeBox()->setChecked(true);
    EXPECT_TRUE(pages->TextBigEndianBox()->isEnabled());
    pages->setCurrentIndex(FIND_PAGE_VALUE);
    EXPECT_FALSE(dialog.MatchCaseBox()->isEnabled());
    pages->setCurrentIndex(FIND_PAGE_DATA);
    EXPECT_TRUE(dialog.MatchCaseBox()->isEnabled());
}

TEST(FindDialogTest, EmptyPatternOrBadValueKeepsTheDialogOpen)
{
    MessageRecorder messages;
    CFindDlg dialog(TextSettings(""), types, ui);
    dialog.show();
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(messages.Last(), "Nothing to search for.");

    dialog.Pages()->setCurrentIndex(FIND_PAGE_VALUE);
    dialog.Pages()->ValueTypeBox()->setCurrentIndex(0);  // Byte
    dialog.Pages()->ValueEdit()->setText("300");
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(messages.Last().contains("could not be converted")) << messages.Last().toStdString();
    EXPECT_TRUE(FocusIsIn(dialog, dialog.Pages()->ValueEdit()));
}

TEST(FindDialogTest, EnterInTheTextAcceptsWithThePattern)
{
    CFindDlg dialog(TextSettings(""), types, ui);
    dialog.show();
    QTest::keyClicks(dialog.Pages()->TextEdit(), "abc");
    dialog.UpButton()->setChecked(true);
    QTest::keyClick(dialog.Pages()->TextEdit(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Build().search.pattern, QByteArray("abc"));
    EXPECT_TRUE(dialog.SearchUp());
    EXPECT_EQ(dialog.Current().find.text, "abc");
}

TEST(ReplaceDialogTest, SelectionChoiceDisablesFindNextAndMovesTheDefault)
{
    CReplaceDlg dialog(TextSettings("a"), true, types, ui);
    EXPECT_TRUE(dialog.SelectionButton()->isChecked());
    EXPECT_FALSE(dialog.FindNextButton()->isEnabled());
    EXPECT_TRUE(dialog.ReplaceAllButton()->isDefault());
    dialog.WholeFileButton()->setChecked(true);
    EXPECT_TRUE(dialog.FindNextButton()->isEnabled());
    EXPECT_TRUE(dialog.FindNextButton()->isDefault());
    EXPECT_FALSE(dialog.ReplaceAllButton()->isDefault());

    CReplaceDlg noSelection(TextSettings("a"), false, types, ui);
    EXPECT_TRUE(noSelection.WholeFileButton()->isChecked());
    EXPECT_TRUE(noSelection.FindNextButton()->isDefault());
    noSelection.FindPages()->setCurrentIndex(FIND_PAGE_VALUE);
    EXPECT_FALSE(noSelection.MatchCaseBox()->isEnabled());
    // Only the upper pages decide it.
    noSelection.FindPages()->setCurrentIndex(FIND_PAGE_TEXT);
    noSelection.ReplacePages()->setCurrentIndex(FIND_PAGE_VALUE);
    EXPECT_TRUE(noSelection.MatchCaseBox()->isEnabled());
}

TEST(ReplaceDialogTest, OpensInTheFindTextAndRefusesAnEmptyPattern)
{
    MessageRecorder messages;
    FindSettings s = TextSettings("old");
    s.replace.text = "new";
    CReplaceDlg dialog(s, false, types, ui);
    dialog.show();
    EXPECT_TRUE(FocusIsIn(dialog, dialog.FindPages()->TextEdit()));
    EXPECT_EQ(FocusedSelection(dialog), "old");

    dialog.FindPages()->TextEdit()->clear();
    dialog.OnReplaceAll();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(messages.Last(), "There is nothing to search for.");

    dialog.FindPages()->TextEdit()->setText("old");
    dialog.OnReplaceAll();
    EXPECT_EQ(dialog.result(), CReplaceDlg::ReplaceAllResult);
    EXPECT_EQ(dialog.Build().search.pattern, QByteArray("old"));
    EXPECT_EQ(dialog.Build().search.replacement, QByteArray("new"));
}

TEST(ReplaceDialogTest, BadReplacementValueFocusesTheLowerValuePage)
{
    MessageRecorder messages;
    FindSettings s = TextSettings("old");
    s.replace.type = FIND_PAGE_VALUE;
    s.replace.value = "not a number";
    CReplaceDlg dialog(s, false, types, ui);
    dialog.show();
    dialog.OnFindNext();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(FocusIsIn(dialog, dialog.ReplacePages()->ValueEdit()));
    EXPECT_EQ(messages.Count(), 1);
}

} // namespace

// The Modify, Insert and Delete dialogs: the status line and the live
// selection while the count or type changes, the user's selection back on
// Cancel, the count messages and the Modify enabling rules.
#include "DialogTestSupport.h"
#include "FakeToolView.h"
#include "MessageRecorder.h"
#include "tools/ItemCount.h"
#include "types/StdValueType.h"
#include "types/ValueAction.h"
#include "tooldialogs/DeleteDlg.h"
#include "tooldialogs/InsertDlg.h"
#include "tooldialogs/IntEdit.h"
#include "tooldialogs/ModifyDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include "types/ValueTypeRegistry.h"

#include <gtest/gtest.h>

namespace {

class ItemDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The user had 0x08-0x20 selected; the command collapsed it to its start.
        user_.caret = 0x20;
        user_.hasSelection = true;
        user_.selStart = 0x08;
        user_.selEnd = 0x20;
        CBufferPos end;
        end.Bind(&doc_.Buffer(), false, 0);
        ASSERT_EQ(end.Insert(0x100), 0x100);
        view_.Select(0x08, 0x08);
    }

    CBinEditDoc doc_;
    FakeToolView view_{doc_};
    SelectionState user_;
    MessageRecorder messages_;
    const ValueTypeRegistry types_;
};

TEST_F(ItemDialogTest, ModifyStatusLineAndSelectionFollowCountAndType)
{
    ModifyInputs inputs;
    inputs.countText = "1";
    CModifyDlg dialog(inputs, 16, view_, 0x08, user_, true, types_);
    EXPECT_EQ(dialog.StatusLine()->text(), "Modify 1 byte at offset 0x8");
    EXPECT_EQ(view_.Selection().selStart, 0x08);
    EXPECT_EQ(view_.Selection().selEnd, 0x09);

    dialog.TypeBox()->setCurrentIndex(TYPE_WORD);
    EXPECT_EQ(dialog.TypeBox()->currentText(), "Word (2 bytes)");
    dialog.CountEdit()->SetText("4");
    EXPECT_EQ(dialog.StatusLine()->text(), "Modify 8 bytes at offset 0x8");
    EXPECT_EQ(view_.Selection().selEnd, 0x10);

    dialog.CountEdit()->SetText("0");
    EXPECT_EQ(dialog.StatusLine()->text(), "(Invalid item count)");
    EXPECT_FALSE(view_.Selection().hasSelection);

    // A run past the end of the file selects only what is there.
    dialog.CountEdit()->SetText("0x1000");
    EXPECT_EQ(view_.Selection().selEnd, 0x100);
}

TEST_F(ItemDialogTest, CancelGivesTheUserSelectionBack)
{
    CDeleteDlg dialog(DeleteInputs{}, 16, view_, 0x08, user_, true, types_);
    dialog.CountEdit()->SetText("3");
    dialog.reject();
    EXPECT_EQ(view_.Selection().caret, 0x20);
    EXPECT_EQ(view_.Selection().selStart, 0x08);
    EXPECT_EQ(view_.Selection().selEnd, 0x20);
}

TEST_F(ItemDialogTest, DeleteStatusUsesTheSingularAndDecimalOffsets)
{
    CDeleteDlg dialog(DeleteInputs{}, 16, view_, 16, user_, false, types_);
    EXPECT_EQ(dialog.StatusLine()->text(), "Delete 1 byte at offset 16");
}

TEST_F(ItemDialogTest, InvalidCountsAreRefusedWithTheVerbsMessage)
{
    for (const char* text : {"0", "65536", "", "0x10000", "-1", "two"}) {
        messages_.Clear();
        CInsertDlg dialog(InsertInputs{}, 16, view_, 0x08, user_, true, types_);
        dialog.show();
        dialog.CountEdit()->SetText(QString::fromLatin1(text));
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible()) << text;
        EXPECT_NE(dialog.result(), QDialog::Accepted) << text;
        EXPECT_EQ(messages_.Last(), "You must enter a valid number of items to insert in the range 1 to 65,535. (Note: "
                                    "Use the 0x prefix to specify hexadecimal numbers.)")
            << text;
        EXPECT_TRUE(FocusIsIn(dialog, dialog.CountEdit())) << text;
    }
}

TEST_F(ItemDialogTest, ValidCountAcceptsAndRemembersTheRadix)
{
    CDeleteDlg dialog(DeleteInputs{}, 16, view_, 0x08, user_, true, types_);
    dialog.show();
    dialog.CountEdit()->SetText("65535");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(messages_.Texts().isEmpty());
    EXPECT_EQ(dialog.Validation().request.count, 65535);
    EXPECT_EQ(dialog.Validation().countRadix, 10);
}

TEST_F(ItemDialogTest, OpensWithTheCountSelected)
{
    CModifyDlg dialog(ModifyInputs{}, 16, view_, 0x08, user_, true, types_);
    dialog.show();
    EXPECT_TRUE(FocusIsIn(dialog, dialog.CountEdit()));
    EXPECT_EQ(FocusedSelection(dialog), "1");
}

TEST_F(ItemDialogTest, ModifyEnablesOperandsOnlyWhereTheyMeanSomething)
{
    ModifyInputs inputs;
    inputs.action = ACTION_SET_VALUE;
    inputs.modifyValue = false;
    CModifyDlg dialog(inputs, 16, view_, 0x08, user_, true, types_);
    EXPECT_TRUE(dialog.ValueEdit()->isEnabled());
    EXPECT_TRUE(dialog.ModifyValueBox()->isEnabled());
    EXPECT_FALSE(dialog.Action2Box()->isEnabled());
    EXPECT_FALSE(dialog.Value2Edit()->isEnabled());
    EXPECT_EQ(dialog.Action2Box()->count(), VALUE_ACTION_COUNT - 1);

    dialog.ModifyValueBox()->setChecked(true);
    EXPECT_TRUE(dialog.Action2Box()->isEnabled());
    EXPECT_TRUE(dialog.Value2Edit()->isEnabled());
    dialog.Action2Box()->setCurrentText(ValueActionAt(ACTION_BITWISE_NOT).Name());
    EXPECT_FALSE(dialog.Value2Edit()->isEnabled());

    dialog.ActionBox()->setCurrentIndex(ACTION_BITWISE_NOT);
    EXPECT_FALSE(dialog.ValueEdit()->isEnabled());
    EXPECT_FALSE(dialog.ModifyValueBox()->isEnabled());
    EXPECT_FALSE(dialog.Action2Box()->isEnabled());
}

TEST_F(ItemDialogTest, ModifyAcceptWritesTheTrimmedValuesBack)
{
    ModifyInputs inputs;
    inputs.actionValue = "  0x10 ";
    CModifyDlg dialog(inputs, 16, view_, 0x08, user_, true, types_);
    dialog.show();
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.ValueEdit()->text(), "0x10");
    EXPECT_EQ(dialog.Inputs().action2, dialog.Validation().request.action2);
}

TEST_F(ItemDialogTest, InsertValueThatDoesNotParseKeepsTheDialogOpen)
{
    InsertInputs inputs;
    inputs.value = "999";
    CInsertDlg dialog(inputs, 16, view_, 0x08, user_, true, types_);
    dialog.show();
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(messages_.Last().contains("could not be converted to the data type Byte"))
        << messages_.Last().toStdString();
    EXPECT_TRUE(FocusIsIn(dialog, dialog.ValueEdit()));
}

} // namespace

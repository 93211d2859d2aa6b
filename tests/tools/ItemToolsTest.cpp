// Modify, Insert and Delete over typed runs: the count rules, the status
// line, the extension question, big-endian items, the sequence generator
// and the one undo step each.
#include "MessageRecorder.h"
#include "ToolTestSupport.h"

#include "settings/AppSettings.h"
#include "types/ValueTypeRegistry.h"
#include "tools/DeleteItems.h"
#include "tools/InsertItems.h"
#include "tools/IntegerField.h"
#include "tools/ItemCount.h"
#include "tools/ModifyItems.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using platform::MsgResult;

ModifyRequest Request(int type, int action, const QString& value, int32_t count)
{
    ModifyInputs inputs;
    inputs.countText = QString::number(count);
    inputs.type = type;
    inputs.action = action;
    inputs.actionValue = value;
    const ModifyValidation v = ValidateModify(inputs);
    EXPECT_TRUE(v.Ok());
    return v.request;
}

class ItemToolsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    MessageRecorder messages;
    ValueTypeRegistry types;
    std::unique_ptr<CBinEditDoc> doc;
    std::unique_ptr<FakeToolView> view;

    void Open(const QByteArray& bytes)
    {
        view.reset();
        doc = OpenChunkedDocument(dir, bytes, bytes.isEmpty() ? std::vector<int32_t>{} : std::vector<int32_t>{int32_t(bytes.size())});
        ASSERT_TRUE(doc);
        view = std::make_unique<FakeToolView>(*doc);
    }
    QByteArray Bytes() { return Contents(doc->Buffer()); }
    void TearDown() override
    {
        view.reset();
        doc.reset();
    }
};

// ---------------------------------------------------------------- count and status line

TEST_F(ItemToolsTest, CountsOutsideOneTo65535AreRefusedWithTheVerbsMessage)
{
    for (const char* text : {"0", "65536", "", "  ", "abc", "-1", "0x10000", "1.5"})
        EXPECT_FALSE(ParseItemCount(QString::fromLatin1(text)).ok) << text;
    EXPECT_EQ(ParseItemCount(u"65535").count, 65535);
    EXPECT_EQ(ParseItemCount(u" 0xFFFF ").radix, 16);
    EXPECT_EQ(ParseItemCount(u"010").count, 8);
    EXPECT_EQ(ParseItemCount(u"010").radix, 8);

    ModifyInputs modify;
    modify.countText = QStringLiteral("0");
    EXPECT_EQ(ValidateModify(modify).failed, ModifyField::Count);
    InsertInputs insert;
    insert.countText = QStringLiteral("65536");
    EXPECT_EQ(ValidateInsert(insert, types).failed, InsertField::Count);
    DeleteInputs del;
    del.countText = QString();
    EXPECT_FALSE(ValidateDelete(del, types).ok);
    EXPECT_EQ(messages.Texts(),
              (QStringList{
                  QStringLiteral("You must enter a valid number of items to modify in the range 1 to 65,535. (Note: "
                                 "Use the 0x prefix to specify hexadecimal numbers.)"),
                  QStringLiteral("You must enter a valid number of items to insert in the range 1 to 65,535. (Note: "
                                 "Use the 0x prefix to specify hexadecimal numbers.)"),
                  QStringLiteral("You must enter a valid number of items to delete in the range 1 to 65,535. (Note: "
                                 "Use the 0x prefix to specify hexadecimal numbers.)")}));
}

TEST_F(ItemToolsTest, StatusLineCountsBytesWithSingularAndTheViewsOffsetRadix)
{
    EXPECT_EQ(PreviewItemRun(ItemVerb::Delete, u"1", 1, 0x1A, 100, true).text,
              QStringLiteral("Delete 1 byte at offset 0x1A"));
    EXPECT_EQ(PreviewItemRun(ItemVerb::Delete, u"1", 1, 26, 100, false).text,
              QStringLiteral("Delete 1 byte at offset 26"));
    const ItemRunPreview words = PreviewItemRun(ItemVerb::Modify, u"0x3", 2, 10, 14, true);
    EXPECT_EQ(words.text, QStringLiteral("Modify 6 bytes at offset 0xA"));
    EXPECT_EQ(words.selStart, 10);
    EXPECT_EQ(words.selEnd, 14) << "the preview selection stops at the end of the file";
    const ItemRunPreview bad = PreviewItemRun(ItemVerb::Insert, u"0", 4, 5, 14, true);
    EXPECT_FALSE(bad.valid);
    EXPECT_EQ(bad.text, QStringLiteral("(Invalid item count)"));
    EXPECT_EQ(ItemTypeLabel(QStringLiteral("Word"), 2), QStringLiteral("Word (2 bytes)"));
    EXPECT_EQ(ItemTypeLabel(QStringLiteral("Byte"), 1), QStringLiteral("Byte (1 byte)"));
}

TEST_F(ItemToolsTest, CountFieldArrowsStayInRangeAndRadixItemsRewriteTheValue)
{
    EXPECT_EQ(StepIntegerField(u"0x9", 1, 1, 65535, 16), QStringLiteral("0xA"));
    EXPECT_EQ(StepIntegerField(u"1", -1, 1, 65535, 10), QStringLiteral("1"));
    EXPECT_EQ(StepIntegerField(u"65535", 1, 1, 65535, 10), QStringLiteral("65535"));
    EXPECT_EQ(StepIntegerField(u"junk", 1, 1, 65535, 16), QStringLiteral("0x1")) << "unparsable: the minimum";
    EXPECT_EQ(StepIntegerField(u"0x7FFFFFFFFFFFFFFF", 1, 0, INT64_MAX, 10), QStringLiteral("9223372036854775807"));
    EXPECT_EQ(StepIntegerField(u"0xFFFFFFFFFFFFFFFF", 1, 0, INT64_MAX, 16), QStringLiteral("0x7FFFFFFFFFFFFFFF"))
        << "a magnitude past the signed range lies above the maximum, not below the minimum";
    EXPECT_EQ(StepIntegerField(u"0x8000000000000000", -1, 0, 0x100000005, 16), QStringLiteral("0x100000005"));
    EXPECT_EQ(StepIntegerField(u"0x100000005", 1, 0, INT64_MAX, 16), QStringLiteral("0x100000006"));
    EXPECT_EQ(RewriteIntegerField(u" 255 ", 16), QStringLiteral("0xFF"));
    EXPECT_EQ(RewriteIntegerField(u"0xFF", 8), QStringLiteral("0377"));
    EXPECT_EQ(RewriteIntegerField(u"0377", 10), QStringLiteral("255"));
    EXPECT_EQ(RewriteIntegerField(u"abc", 10), QStringLiteral("abc"));
}

// ---------------------------------------------------------------- Modify

TEST_F(ItemToolsTest, ModifyAtTheEndAsksAndNoLeavesTheFileAsItWas)
{
    Open("abc");
    messages.Answer(MsgResult::No);
    EXPECT_FALSE(RunModify(*doc, *view, 3, Request(TYPE_BYTE, ACTION_SET_VALUE, "7", 1)));
    EXPECT_EQ(messages.Texts(),
              QStringList{"The area to be modified extends beyond the end of the file. Would you like Vantrel to "
                          "increase the file size accordingly?\r\n\r\nYes: Increase the file size as needed and modify "
                          "the specified number of bytes.\r\nNo: Modify existing bytes up to the end of the "
                          "file.\r\nCancel: Cancel this operation."});
    EXPECT_EQ(messages.Messages()[0].buttons, platform::MsgButtons::YesNoCancel);
    EXPECT_EQ(Bytes(), QByteArray("abc"));
    EXPECT_FALSE(doc->CanUndo());
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(ItemToolsTest, ModifyOfThreeWordsOverFiveBytesWithNoLeavesTheLastByte)
{
    Open(QByteArray("\x01\x00\x02\x00\x03", 5));
    messages.Answer(MsgResult::No);
    ASSERT_TRUE(RunModify(*doc, *view, 0, Request(TYPE_WORD, ACTION_ADD, "0x100", 3)));
    EXPECT_EQ(Bytes(), QByteArray("\x01\x01\x02\x01\x03", 5));
    EXPECT_EQ(view->Selection().caret, 0);
    EXPECT_EQ(view->Selection().selEnd, 5) << "the range is selected";
    ASSERT_GE(doc->Undo(view->Caret()), 0);
    EXPECT_EQ(Bytes(), QByteArray("\x01\x00\x02\x00\x03", 5));
}

TEST_F(ItemToolsTest, ModifyWithYesAppendsZerosSoItemsKeepTheirPlacesAndUndoRemovesThem)
{
    Open(QByteArray("\x10\x00\x20", 3));
    messages.Answer(MsgResult::Yes);
    ASSERT_TRUE(RunModify(*doc, *view, 0, Request(TYPE_WORD, ACTION_ADD, "1", 2)));
    EXPECT_EQ(Bytes(), QByteArray("\x11\x00\x21\x00", 4));
    EXPECT_EQ(doc->UndoList().Count(), 1);
    ASSERT_GE(doc->Undo(view->Caret()), 0);
    EXPECT_EQ(Bytes(), QByteArray("\x10\x00\x20", 3));
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(ItemToolsTest, ModifyCancelDoesNothing)
{
    Open("ab");
    messages.Answer(MsgResult::Cancel);
    EXPECT_FALSE(RunModify(*doc, *view, 1, Request(TYPE_DWORD, ACTION_SET_VALUE, "0", 1)));
    EXPECT_EQ(Bytes(), QByteArray("ab"));
    EXPECT_FALSE(doc->CanUndo());
}

TEST_F(ItemToolsTest, SequenceGeneratorWritesZeroTo255)
{
    Open(QByteArray(256, '\xAA'));
    ModifyInputs inputs;
    inputs.countText = QStringLiteral("256");
    inputs.type = TYPE_BYTE;
    inputs.action = ACTION_SET_VALUE;
    inputs.actionValue = QStringLiteral("0");
    inputs.modifyValue = true;
    inputs.action2 = ACTION_ADD;
    inputs.actionValue2 = QStringLiteral("1");
    const ModifyValidation v = ValidateModify(inputs);
    ASSERT_TRUE(v.Ok());
    ASSERT_TRUE(RunModify(*doc, *view, 0, v.request));
    QByteArray expected(256, '\0');
    for (int i = 0; i < 256; ++i)
        expected[i] = char(i);
    EXPECT_EQ(Bytes(), expected);
    EXPECT_EQ(messages.Count(), 0);
}

TEST_F(ItemToolsTest, SequenceOfBigEndianWordsCountsDownwardAcrossTheByteBoundary)
{
    Open(QByteArray(6, '\0'));
    ModifyInputs inputs;
    inputs.countText = QStringLiteral("3");
    inputs.type = TYPE_WORD;
    inputs.action = ACTION_SET_VALUE;
    inputs.actionValue = QStringLiteral("0x101");
    inputs.bigEndian = true;
    inputs.modifyValue = true;
    inputs.action2 = ACTION_SUBTRACT;
    inputs.actionValue2 = QStringLiteral("1");
    const ModifyValidation v = ValidateModify(inputs);
    ASSERT_TRUE(v.Ok());
    ASSERT_TRUE(RunModify(*doc, *view, 0, v.request));
    EXPECT_EQ(Bytes(), QByteArray("\x01\x01\x01\x00\x00\xFF", 6));
}

TEST_F(ItemToolsTest, BigEndianWordAddCarriesIntoTheFirstByte)
{
    Open(QByteArray("\x00\xFF", 2));
    ModifyRequest request = Request(TYPE_WORD, ACTION_ADD, "1", 1);
    request.bigEndian = true;
    ASSERT_TRUE(RunModify(*doc, *view, 0, request));
    EXPECT_EQ(Bytes(), QByteArray("\x01\x00", 2));
    Open(QByteArray("\x00\xFF", 2));
    ASSERT_TRUE(RunModify(*doc, *view, 0, Request(TYPE_WORD, ACTION_ADD, "1", 1)));
    EXPECT_EQ(Bytes(), QByteArray("\x01\xFF", 2)) << "little-endian adds to the first byte";
}

TEST_F(ItemToolsTest, OperandsParseAsTheTypeOrAsAByteBitCountAndComeBackTrimmed)
{
    ModifyInputs inputs;
    inputs.type = TYPE_WORD;
    inputs.action = ACTION_SHIFT_LEFT;
    inputs.actionValue = QStringLiteral("  300 ");
    ModifyValidation v = ValidateModify(inputs);
    EXPECT_EQ(v.failed, ModifyField::ActionValue);
    EXPECT_EQ(messages.Last(), QStringLiteral("The text \"300\" could not be converted to the data type Byte."));
    inputs.actionValue = QStringLiteral(" 4 ");
    v = ValidateModify(inputs);
    ASSERT_TRUE(v.Ok());
    EXPECT_EQ(v.actionValue, QStringLiteral("4"));
    EXPECT_EQ(v.request.value.type, TYPE_BYTE);

    inputs.action = ACTION_BITWISE_NOT;  // no operand: the text is not looked at
    inputs.actionValue = QStringLiteral("junk");
    inputs.modifyValue = true;
    v = ValidateModify(inputs);
    EXPECT_TRUE(v.Ok());
    EXPECT_FALSE(v.request.modifyValue) << "the box is disabled without an operand";

    inputs.action = ACTION_ADD;
    inputs.actionValue = QStringLiteral("1");
    inputs.action2 = ACTION_MULTIPLY;
    inputs.actionValue2 = QStringLiteral("70000");
    EXPECT_EQ(ValidateModify(inputs).failed, ModifyField::ActionValue2);
    EXPECT_EQ(messages.Last(), QStringLiteral("The text \"70000\" could not be converted to the data type Word."));
    inputs.modifyValue = false;
    EXPECT_TRUE(ValidateModify(inputs).Ok()) << "the second value counts only while the box is checked";
}

TEST_F(ItemToolsTest, EnablingFollowsTheActionsOperands)
{
    EXPECT_TRUE(ModifyValueEnabled(ACTION_ADD));
    EXPECT_FALSE(ModifyValueEnabled(ACTION_TOGGLE_SIGN));
    EXPECT_FALSE(ModifySecondActionEnabled(ACTION_BITWISE_NOT, true));
    EXPECT_FALSE(ModifySecondActionEnabled(ACTION_ADD, false));
    EXPECT_TRUE(ModifySecondValueEnabled(ACTION_ADD, true, ACTION_SHIFT_LEFT));
    EXPECT_FALSE(ModifySecondValueEnabled(ACTION_ADD, true, ACTION_BITWISE_NOT));
}

TEST_F(ItemToolsTest, ModifySettingsRoundTrip)
{
    AppSettings record;
    ModifyInputs inputs = ModifyInputs::FromSettings(record);
    EXPECT_EQ(inputs.countText, QStringLiteral("0x1"));
    inputs.countText = QStringLiteral("12");
    inputs.type = TYPE_DWORD;
    inputs.actionValue = QStringLiteral(" 5 ");
    const ModifyValidation v = ValidateModify(inputs);
    ASSERT_TRUE(v.Ok());
    v.Store(record);
    EXPECT_EQ(record.modifyCount, 12);
    EXPECT_EQ(record.modifyCountRadix, 10);
    EXPECT_EQ(record.actionValue, QStringLiteral("5"));
    EXPECT_EQ(ModifyInputs::FromSettings(record).countText, QStringLiteral("12"));
}

TEST_F(ItemToolsTest, ReadOnlyDocumentsRefuseAllThree)
{
    Open("abcd");
    doc->SetReadOnly(true);
    EXPECT_FALSE(RunModify(*doc, *view, 0, Request(TYPE_BYTE, ACTION_SET_VALUE, "0", 1)));
    EXPECT_EQ(RunInsert(*doc, *view, 0, InsertRequest{1, TYPE_BYTE, QByteArray("x"), false}), 0);
    EXPECT_FALSE(RunDelete(*doc, *view, 0, DeleteRequest{1, TYPE_BYTE}, types));
    EXPECT_EQ(Bytes(), QByteArray("abcd"));
}

// ---------------------------------------------------------------- Insert and Delete

TEST_F(ItemToolsTest, InsertThreeDwordsOfTheValueAndSelectsThem)
{
    Open("xy");
    InsertInputs inputs;
    inputs.countText = QStringLiteral("3");
    inputs.type = TYPE_DWORD;
    inputs.value = QStringLiteral(" 0x1234 ");
    const InsertValidation v = ValidateInsert(inputs, types);
    ASSERT_TRUE(v.Ok());
    EXPECT_EQ(v.value, QStringLiteral("0x1234"));
    EXPECT_EQ(RunInsert(*doc, *view, 1, v.request), 12);
    EXPECT_EQ(Bytes(), QByteArray("x\x34\x12\0\0\x34\x12\0\0\x34\x12\0\0y", 14));
    EXPECT_EQ(view->Selection().selStart, 1);
    EXPECT_EQ(view->Selection().selEnd, 13);
    EXPECT_EQ(doc->UndoList().Count(), 1);
    ASSERT_GE(doc->Undo(view->Caret()), 0);
    EXPECT_EQ(Bytes(), QByteArray("xy"));
}

TEST_F(ItemToolsTest, InsertBigEndianAndValueFailures)
{
    Open("");
    InsertInputs inputs;
    inputs.type = TYPE_WORD;
    inputs.value = QStringLiteral("0x1234");
    inputs.bigEndian = true;
    InsertValidation v = ValidateInsert(inputs, types);
    ASSERT_TRUE(v.Ok());
    EXPECT_EQ(RunInsert(*doc, *view, 0, v.request), 2);
    EXPECT_EQ(Bytes(), QByteArray("\x12\x34"));
    inputs.value = QStringLiteral("word");
    v = ValidateInsert(inputs, types);
    EXPECT_EQ(v.failed, InsertField::Value);
    EXPECT_EQ(messages.Last(), QStringLiteral("The text \"word\" could not be converted to the data type Word."));
}

TEST_F(ItemToolsTest, DeleteRemovesWholeItemsClippedAtTheEndInOneStep)
{
    Open("0123456789");
    ASSERT_TRUE(RunDelete(*doc, *view, 2, DeleteRequest{2, TYPE_WORD}, types));
    EXPECT_EQ(Bytes(), QByteArray("016789"));
    ASSERT_TRUE(RunDelete(*doc, *view, 4, DeleteRequest{5, TYPE_QWORD}, types));
    EXPECT_EQ(Bytes(), QByteArray("0167"));
    EXPECT_FALSE(RunDelete(*doc, *view, 4, DeleteRequest{1, TYPE_BYTE}, types)) << "nothing after the end";
    ASSERT_GE(doc->Undo(view->Caret()), 0);
    ASSERT_GE(doc->Undo(view->Caret()), 0);
    EXPECT_EQ(Bytes(), QByteArray("0123456789"));
}

} // namespace

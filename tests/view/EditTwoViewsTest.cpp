// Two views of one document: edits made in one keep the other's caret,
// selection and top row on the same bytes, and both repaint.
#include "EditTestSupport.h"
#include "view/CaretController.h"
#include "view/ViewClipboard.h"

#include <QSignalSpy>
#include <QTest>

class EditTwoViews : public EditTest {
protected:
    void OpenTwo(const QByteArray& bytes)
    {
        Open(bytes, QSize(800, 200));
        other = std::make_unique<CBinEditView>(doc.get(), settings, ui);
        other->resize(800, 200);
        other->OnInitialUpdate();
    }
    void TearDown() override
    {
        other.reset();
        EditTest::TearDown();
    }
    uint8_t ByteAt(int32_t offset) const { return uint8_t(Bytes()[offset]); }

    std::unique_ptr<CBinEditView> other;
};

TEST_F(EditTwoViews, InsertionsAndDeletionsInOneViewKeepTheOtherCaretOnItsByte)
{
    settings.insertMode = true;
    OpenTwo(Counting(200));
    other->CaretControl().SetCaret(100, CaretMode::Move);
    const uint8_t watched = ByteAt(100);

    view->CaretControl().SetCaret(10, CaretMode::Move);
    Press(Qt::Key_Tab);
    Type("abc");
    EXPECT_EQ(other->Caret().Offset(), 103);
    EXPECT_EQ(ByteAt(other->Caret().Offset()), watched);

    view->CaretControl().SetCaret(50, CaretMode::Move);
    view->CaretControl().SetCaret(60, CaretMode::Extend);
    Press(Qt::Key_Delete);
    EXPECT_EQ(other->Caret().Offset(), 93);
    EXPECT_EQ(ByteAt(other->Caret().Offset()), watched);

    // Undo everything in the first view: the second caret walks back with its byte.
    UndoTimes(4);
    EXPECT_EQ(Bytes(), Counting(200));
    EXPECT_EQ(other->Caret().Offset(), 100);
}

TEST_F(EditTwoViews, TheOtherSelectionAndTopRowFollowTheirBytes)
{
    settings.insertMode = true;
    OpenTwo(Counting(16 * 100));
    other->SetTop(16 * 20);
    other->CaretControl().SetCaret(16 * 25 + 3, CaretMode::Move);
    other->CaretControl().SetCaret(16 * 25 + 9, CaretMode::Extend);
    QSignalSpy spy(other.get(), &CBinEditView::statusChanged);

    // 16 bytes inserted above keep whole rows: the top row shows the same bytes.
    view->CaretControl().SetCaret(0, CaretMode::Move);
    const QByteArray row(16, 'r');
    ASSERT_TRUE(view->Clipboard().PasteBytes(row.constData(), 16, PasteMode::Normal, true));
    EXPECT_EQ(other->Top().Offset(), 16 * 21);
    EXPECT_EQ(other->Caret().selStart, 16 * 26 + 3);
    EXPECT_EQ(other->Caret().selEnd, 16 * 26 + 9);
    EXPECT_GE(spy.count(), 1);

    // An insertion inside the selection grows it.
    view->CaretControl().SetCaret(16 * 26 + 5, CaretMode::Move);
    Type("4");
    EXPECT_EQ(other->Caret().selEnd - other->Caret().selStart, 7);
    // A deletion of the whole selection in the other view removes it.
    view->CaretControl().SetCaret(16 * 26, CaretMode::Move);
    view->CaretControl().SetCaret(16 * 27, CaretMode::Extend);
    Press(Qt::Key_Delete);
    EXPECT_FALSE(other->Caret().hasSelection);
}

TEST_F(EditTwoViews, AHalfTypedByteInOneViewIsNotDisturbedByTheOther)
{
    OpenTwo(Counting(64));
    other->CaretControl().SetCaret(40, CaretMode::Move);
    QTest::keyClicks(other.get(), "7");
    ASSERT_TRUE(other->LowNibblePending());
    settings.insertMode = true;
    view->CaretControl().SetCaret(2, CaretMode::Move);
    Type("00");
    EXPECT_EQ(other->Caret().Offset(), 41);
    QTest::keyClicks(other.get(), "c");
    EXPECT_EQ(ByteAt(41), 0x7C);
    EXPECT_EQ(other->Caret().Offset(), 42);
}

TEST_F(EditTwoViews, ExtendingAfterAnEditElsewhereKeepsTheSelectionsFixedEnd)
{
    settings.insertMode = true;
    OpenTwo(Counting(100));
    other->CaretControl().SetCaret(50, CaretMode::Move);
    other->CaretControl().SetCaret(60, CaretMode::Extend);
    view->CaretControl().SetCaret(5, CaretMode::Move);
    Press(Qt::Key_Tab);
    Type("xyz");
    QTest::keyClick(other.get(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(other->Caret().selStart, 53);
    EXPECT_EQ(other->Caret().selEnd, 64);
}

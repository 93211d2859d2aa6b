// Typing, deleting and moving with real key events in a hex view: the bytes,
// the caret, the selection, the status panes and the undo list after each.
#include "EditTestSupport.h"
#include "view/CaretController.h"
#include "view/EditCommands.h"
#include "view/ViewClipboard.h"

#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>

namespace {

QByteArray Hex(const char* digits) { return QByteArray::fromHex(digits); }

} // namespace

class EditKeys : public EditTest {};

TEST_F(EditKeys, TwoHexDigitsInInsertModeInsertOneByteWithOneUndoEntry)
{
    settings.insertMode = true;
    Open(Hex("102030"));
    view->CaretControl().SetCaret(1, CaretMode::Move);
    Type("4");
    EXPECT_EQ(Bytes(), Hex("10402030"));
    EXPECT_EQ(CaretAt(), 1);
    EXPECT_TRUE(view->LowNibblePending());
    Type("1");
    EXPECT_EQ(Bytes(), Hex("10412030"));
    EXPECT_EQ(CaretAt(), 2);
    EXPECT_FALSE(view->LowNibblePending());
    ASSERT_EQ(UndoCount(), 1);
    EXPECT_EQ(doc->UndoList().Top().kind, UndoKind::RemoveBytes);
    EXPECT_EQ(view->Status().mode, "INS");
    EXPECT_EQ(view->Status().modified, "MOD");

    UndoTimes(1);
    EXPECT_EQ(Bytes(), Hex("102030"));
    EXPECT_EQ(CaretAt(), 1);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(view->Status().modified, "");
}

TEST_F(EditKeys, OverwriteKeepsTheLowDigitUntilTheSecondDigitIsTyped)
{
    Open(Hex("2F00"));
    Type("4");
    EXPECT_EQ(Bytes(), Hex("4F00"));
    EXPECT_EQ(CaretAt(), 0);
    EXPECT_TRUE(view->LowNibblePending());
    EXPECT_EQ(view->Status().mode, "OVR");
    Type("1");
    EXPECT_EQ(Bytes(), Hex("4100"));
    EXPECT_EQ(CaretAt(), 1);
    EXPECT_FALSE(view->LowNibblePending());
    // The low digit is covered by the entry made for the high one.
    ASSERT_EQ(UndoCount(), 1);
    EXPECT_EQ(doc->UndoList().Top().kind, UndoKind::RestoreBytes);
    UndoTimes(1);
    EXPECT_EQ(Bytes(), Hex("2F00"));
}

TEST_F(EditKeys, NonHexCharactersAreIgnoredInTheHexColumnAndControlCodesInTheCharacterColumn)
{
    Open(QByteArray("abcd"));
    Type("xyz-");
    EXPECT_EQ(Bytes(), QByteArray("abcd"));
    Press(Qt::Key_Tab);
    ASSERT_FALSE(view->HexActive());
    Press(Qt::Key_Return);
    Press(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Bytes(), QByteArray("abcd"));
    EXPECT_EQ(UndoCount(), 0);
    Type("Q");
    EXPECT_EQ(Bytes(), QByteArray("Qbcd"));
    EXPECT_EQ(CaretAt(), 1);
}

TEST_F(EditKeys, OverwriteAtTheEndOfTheFileInserts)
{
    Open(QByteArray("AB"));
    Press(Qt::Key_End, Qt::ControlModifier);
    ASSERT_EQ(CaretAt(), 2);
    Type("7");
    EXPECT_EQ(Bytes(), QByteArray("AB\x70"));
    Type("e");
    EXPECT_EQ(Bytes(), QByteArray("AB\x7E"));
    Press(Qt::Key_Tab);
    Type("C");
    EXPECT_EQ(Bytes(), QByteArray("AB\x7E" "C"));
    ASSERT_EQ(UndoCount(), 2);
    EXPECT_EQ(doc->UndoList().Top().kind, UndoKind::RemoveBytes);
}

TEST_F(EditKeys, TypingOverATenByteSelectionWithReplaceSelectionLeavesOneByteAndOneEntry)
{
    settings.replaceSelection = true;
    const QByteArray original = Counting(20);
    for (bool hex : {true, false}) {
        Open(original);
        view->SetHexActive(hex);
        view->CaretControl().SetCaret(2, CaretMode::Move);
        for (int i = 0; i < 10; ++i)
            Press(Qt::Key_Right, Qt::ShiftModifier);
        ASSERT_EQ(Selection(), std::pair(2, 12));
        Type(hex ? "AB" : "Z");
        QByteArray expected = original;
        expected.replace(2, 10, hex ? QByteArray("\xAB") : QByteArray("Z"));
        EXPECT_EQ(Bytes(), expected);
        EXPECT_EQ(Selection(), std::pair(-1, -1));
        EXPECT_EQ(CaretAt(), 3);
        ASSERT_EQ(UndoCount(), 1);
        UndoTimes(1);
        EXPECT_EQ(Bytes(), original);
        // What the undo wrote back is selected.
        EXPECT_EQ(Selection(), std::pair(2, 12));
    }
}

TEST_F(EditKeys, WithoutReplaceSelectionTypingStartsAtTheSelectionAndKeepsItsBytes)
{
    settings.insertMode = true;
    Open(QByteArray("abcdef"));
    Press(Qt::Key_Tab);
    view->CaretControl().SetCaret(4, CaretMode::Move);
    view->CaretControl().SetCaret(1, CaretMode::Extend);
    Type("X");
    EXPECT_EQ(Bytes(), QByteArray("aXbcdef"));
    EXPECT_EQ(CaretAt(), 2);
    EXPECT_EQ(Selection(), std::pair(-1, -1));
}

TEST_F(EditKeys, BackspaceAfterTheFirstHexDigitRemovesTheHalfTypedByte)
{
    for (bool insert : {true, false}) {
        settings.insertMode = insert;
        Open(Hex("112233"));
        view->CaretControl().SetCaret(1, CaretMode::Move);
        Type("9");
        ASSERT_TRUE(view->LowNibblePending());
        Press(Qt::Key_Backspace);
        EXPECT_EQ(Bytes(), insert ? Hex("112233") : Hex("1133")) << "insert " << insert;
        EXPECT_EQ(CaretAt(), 1);
        EXPECT_FALSE(view->LowNibblePending());
        EXPECT_EQ(UndoCount(), 2);
        UndoTimes(2);
        EXPECT_EQ(Bytes(), Hex("112233"));
    }
}

TEST_F(EditKeys, BackspaceAndDeleteRemoveOneByteEachAndStopAtTheEnds)
{
    Open(QByteArray("abcde"));
    view->CaretControl().SetCaret(3, CaretMode::Move);
    Press(Qt::Key_Backspace);
    EXPECT_EQ(Bytes(), QByteArray("abde"));
    EXPECT_EQ(CaretAt(), 2);
    Press(Qt::Key_Delete);
    EXPECT_EQ(Bytes(), QByteArray("abe"));
    EXPECT_EQ(CaretAt(), 2);
    ASSERT_EQ(UndoCount(), 2);
    EXPECT_EQ(doc->UndoList().Top().kind, UndoKind::ReinsertBytes);
    Press(Qt::Key_End, Qt::ControlModifier);
    Press(Qt::Key_Delete);
    view->CaretControl().SetCaret(0, CaretMode::Move);
    Press(Qt::Key_Backspace);
    EXPECT_EQ(Bytes(), QByteArray("abe"));
    EXPECT_EQ(UndoCount(), 2);
    UndoTimes(2);
    EXPECT_EQ(Bytes(), QByteArray("abcde"));
}

TEST_F(EditKeys, DeleteAndBackspaceRemoveTheSelectionAsOneEdit)
{
    for (int key : {Qt::Key_Delete, Qt::Key_Backspace}) {
        Open(QByteArray("0123456789"));
        view->CaretControl().SetCaret(7, CaretMode::Move);
        view->CaretControl().SetCaret(3, CaretMode::Extend);
        Press(key);
        EXPECT_EQ(Bytes(), QByteArray("012789"));
        EXPECT_EQ(CaretAt(), 3);
        EXPECT_EQ(Selection(), std::pair(-1, -1));
        ASSERT_EQ(UndoCount(), 1);
        UndoTimes(1);
        EXPECT_EQ(Bytes(), QByteArray("0123456789"));
        EXPECT_EQ(Selection(), std::pair(3, 7));
    }
}

TEST_F(EditKeys, EndShowsTheCaretAfterTheRowsLastDigitUntilHome)
{
    Open(Counting(40));
    view->CaretControl().SetCaret(15, CaretMode::Move);
    Press(Qt::Key_End);
    EXPECT_EQ(CaretAt(), 16);
    EXPECT_TRUE(view->EndOfRow());
    const RowLayout& l = view->Geometry();
    EXPECT_EQ(view->CaretPoint().point, QPoint(l.Px(l.hexX + 47), 0));
    Press(Qt::Key_End);
    EXPECT_EQ(CaretAt(), 16);
    EXPECT_EQ(view->CaretPoint().point, QPoint(l.Px(l.hexX + 47), 0));
    Press(Qt::Key_Home);
    EXPECT_EQ(CaretAt(), 0);
    EXPECT_FALSE(view->EndOfRow());
    // On the last, short row End goes to the end of the file.
    view->CaretControl().SetCaret(35, CaretMode::Move);
    Press(Qt::Key_End);
    EXPECT_EQ(CaretAt(), 40);
    EXPECT_FALSE(view->EndOfRow());
    // Shift+End selects to the row end.
    view->CaretControl().SetCaret(20, CaretMode::Move);
    Press(Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(Selection(), std::pair(20, 32));
}

TEST_F(EditKeys, ShiftArrowsSelectAndTheStatusPaneShowsTheRange)
{
    Open(Counting(64));
    view->CaretControl().SetCaret(5, CaretMode::Move);
    Press(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(Selection(), std::pair(5, 6));
    EXPECT_EQ(view->Status().position, "5-6");
    settings.posSelStyle = 1;
    EXPECT_EQ(view->Status().position, "5 (1)");
    Press(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Selection(), std::pair(5, 22));
    EXPECT_EQ(view->Status().position, "5 (11)");
    // Back over the anchor: the selection turns round it.
    Press(Qt::Key_Up, Qt::ShiftModifier);
    Press(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(Selection(), std::pair(0, 5));
    Press(Qt::Key_Right);
    EXPECT_EQ(Selection(), std::pair(-1, -1));
    EXPECT_EQ(CaretAt(), 5);
    EXPECT_EQ(view->Status().position, "5");
}

TEST_F(EditKeys, CtrlLeftAtAGroupBoundaryMovesOneWholeGroupBack)
{
    settings.groupBy = 2;
    Open(Counting(64));
    view->CaretControl().SetCaret(8, CaretMode::Move);
    Press(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(CaretAt(), 4);
    view->CaretControl().SetCaret(6, CaretMode::Move);
    Press(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(CaretAt(), 4);
    Press(Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Selection(), std::pair(4, 8));
}

TEST_F(EditKeys, MovesStopAtTheEndsOfTheFile)
{
    Open(Counting(40));
    Press(Qt::Key_Left);
    Press(Qt::Key_Up);
    Press(Qt::Key_PageUp);
    EXPECT_EQ(CaretAt(), 0);
    Press(Qt::Key_PageDown);
    EXPECT_EQ(CaretAt(), 40);
    Press(Qt::Key_Right);
    Press(Qt::Key_Down);
    EXPECT_EQ(CaretAt(), 40);
    Press(Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Selection(), std::pair(0, 40));
}

TEST_F(EditKeys, CtrlUpAndDownScrollAndPageKeysMoveAWindowAtATime)
{
    Open(Counting(16 * 200), QSize(800, 16 * 10 + 5));
    const int rows = view->RowsInWindow();
    ASSERT_GT(rows, 2);
    view->CaretControl().SetCaret(16 * 3 + 2, CaretMode::Move);
    Press(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(view->Top().Offset(), 16);
    EXPECT_EQ(CaretAt(), 16 * 3 + 2);
    Press(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(view->Top().Offset(), 0);
    Press(Qt::Key_PageDown);
    EXPECT_EQ(CaretAt(), 16 * (3 + rows) + 2);
    EXPECT_EQ(view->Top().Offset(), 16 * rows);
    Press(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(CaretAt(), 16 * 3 + 2);
    EXPECT_EQ(view->Top().Offset(), 0);
    // The caret keys keep the caret in the window.
    Press(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(view->Top().Offset(), 16 * (200 - rows + 1));
}

TEST_F(EditKeys, TabSwitchesColumnsKeepingCaretAndSelectionButOnlyWithBothShown)
{
    Open(Counting(64));
    view->CaretControl().SetCaret(10, CaretMode::Move);
    view->CaretControl().SetCaret(14, CaretMode::Extend);
    Press(Qt::Key_Tab);
    EXPECT_FALSE(view->HexActive());
    EXPECT_EQ(view->Status().column, "ASCII");
    EXPECT_EQ(Selection(), std::pair(10, 14));
    EXPECT_EQ(CaretAt(), 14);
    Press(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(view->HexActive());
    EXPECT_EQ(view->Status().column, "HEX");

    settings.columns = 1;
    view->Layout(0);
    Press(Qt::Key_Tab);
    EXPECT_TRUE(view->HexActive());
}

TEST_F(EditKeys, EscapeCollapsesTheSelectionToItsStart)
{
    Open(Counting(64));
    view->CaretControl().SetCaret(30, CaretMode::Move);
    view->CaretControl().SetCaret(12, CaretMode::Extend);
    view->CaretControl().SetCaret(40, CaretMode::Extend);
    ASSERT_EQ(Selection(), std::pair(30, 40));
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    QCoreApplication::sendEvent(view.get(), &escape);
    EXPECT_EQ(Selection(), std::pair(-1, -1));
    EXPECT_EQ(CaretAt(), 30);
    // The window around the view still gets Escape.
    EXPECT_FALSE(escape.isAccepted());
}

TEST_F(EditKeys, InsertAsksTheApplicationForTheOtherModeAndAViewToldShowsIt)
{
    Open(Counting(32));
    CBinEditView other(doc.get(), settings, ui);
    other.OnInitialUpdate();
    QSignalSpy requests(view.get(), &CBinEditView::insertModeToggleRequested);
    QSignalSpy spyOther(&other, &CBinEditView::statusChanged);
    ASSERT_EQ(other.Status().mode, "OVR");
    Press(Qt::Key_Insert);
    EXPECT_EQ(requests.count(), 1);
    EXPECT_FALSE(settings.insertMode) << "the mode belongs to the application";
    // Shift+Insert is Paste and Ctrl+Insert is Copy; neither asks.
    Press(Qt::Key_Insert, Qt::ShiftModifier);
    Press(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(requests.count(), 1);

    settings.insertMode = true;
    view->ShowInsertMode();
    other.ShowInsertMode();
    EXPECT_EQ(view->Status().mode, "INS");
    EXPECT_EQ(other.Status().mode, "INS");
    EXPECT_GE(spyOther.count(), 1);
}

TEST_F(EditKeys, KeysThatWouldEditAReadOnlyDocumentAreIgnoredSilently)
{
    const QByteArray original("0123456789");
    Open(original);
    doc->SetReadOnly(true);
    EXPECT_EQ(view->Status().mode, "READ");
    view->CaretControl().SetCaret(4, CaretMode::Move);
    Type("AB");
    Press(Qt::Key_Tab);
    Type("xy");
    Press(Qt::Key_Delete);
    Press(Qt::Key_Backspace);
    view->CaretControl().SetCaret(2, CaretMode::Extend);
    Press(Qt::Key_X, Qt::ControlModifier);
    Press(Qt::Key_Delete);
    Press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Bytes(), original);
    EXPECT_EQ(UndoCount(), 0);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(messages.Count(), 0);
    EXPECT_FALSE(view->Clipboard().CanCut());
    EXPECT_FALSE(view->Clipboard().CanPaste());
    EXPECT_FALSE(view->Edits().CanDeleteSelection());
    // Moving and selecting still work.
    EXPECT_EQ(Selection(), std::pair(2, 4));
    EXPECT_TRUE(view->Clipboard().CanCopy());
}

TEST_F(EditKeys, UndoAndRedoAreDisabledWhileReadOnly)
{
    Open(QByteArray("abc"));
    Type("4");
    ASSERT_TRUE(view->Edits().CanUndo());
    doc->SetReadOnly(true);
    EXPECT_FALSE(view->Edits().CanUndo());
    UndoTimes(1);
    EXPECT_EQ(Bytes()[0], char(0x41));
    doc->SetReadOnly(false);
    UndoTimes(1);
    EXPECT_EQ(Bytes(), QByteArray("abc"));
    EXPECT_TRUE(view->Edits().CanRedo());
    doc->SetReadOnly(true);
    EXPECT_FALSE(view->Edits().CanRedo());
}

TEST_F(EditKeys, AltBackspaceUndoesAndANewEditDisablesRedo)
{
    Open(QByteArray("abc"));
    Press(Qt::Key_Tab);
    Type("XY");
    Press(Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(Bytes(), QByteArray("Xbc"));
    EXPECT_EQ(RedoCount(), 1);
    Type("Q");
    EXPECT_EQ(RedoCount(), 0);
    EXPECT_FALSE(view->Edits().CanRedo());
}

TEST_F(EditKeys, AFailedInsertionClearsTheUndoListAndChangesNothing)
{
    Open(Counting(32));  // one full chunk: one more byte needs new memory
    Press(Qt::Key_Tab);
    Type("a");
    ASSERT_EQ(UndoCount(), 1);
    const QByteArray before = Bytes();
    settings.insertMode = true;
    view->CaretControl().SetCaret(3, CaretMode::Move);
    doc->Buffer().Heap().FailAfter(0);
    Type("b");
    doc->Buffer().Heap().FailAfter(-1);
    EXPECT_EQ(Bytes(), before);
    EXPECT_EQ(UndoCount(), 0);
    EXPECT_FALSE(view->Edits().CanUndo());
    EXPECT_EQ(CaretAt(), 3);
    EXPECT_EQ(messages.Last(),
              "Out of memory.\n\nThere is not enough memory to complete the current operation. To prevent loss of "
              "data, you should not use this program in low memory conditions. If the data you are working with needs "
              "to be saved, you should save it now and then terminate the program. Note that the last edit performed "
              "may have not produced the expected results.");
}

TEST_F(EditKeys, SelectAllSelectsTheWholeFileAndIsDisabledWhenEmpty)
{
    Open(Counting(50));
    Press(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Selection(), std::pair(0, 50));
    EXPECT_EQ(CaretAt(), 50);
    Open(QByteArray());
    EXPECT_FALSE(view->CaretControl().CanSelectAll());
    Press(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Selection(), std::pair(-1, -1));
}

// Type, move, type, delete; then undo everything and redo everything,
// comparing with the file as it was before each recorded edit.
TEST_F(EditKeys, MultiKeySequencesUndoAndRedoStepByStepInBothModesAndColumns)
{
    const QByteArray original = Counting(48);
    for (bool insert : {false, true}) {
        for (bool hex : {true, false}) {
            SCOPED_TRACE(testing::Message() << (insert ? "insert" : "overwrite") << (hex ? " hex" : " char"));
            settings.insertMode = insert;
            Open(original);
            view->SetHexActive(hex);
            std::vector<QByteArray> before;  // the bytes before each recorded edit
            auto step = [&](auto&& action) {
                const QByteArray now = Bytes();
                const int entries = UndoCount();
                action();
                if (UndoCount() > entries)
                    before.push_back(now);
            };
            const QString text = hex ? "4a7" : "Hey";
            for (const QChar ch : text)
                step([&] { Type(ch); });
            step([&] { Press(Qt::Key_Right); });
            step([&] { Press(Qt::Key_Down); });
            for (const QChar ch : text)
                step([&] { Type(ch); });
            step([&] { Press(Qt::Key_Backspace); });
            step([&] { Press(Qt::Key_End, Qt::ControlModifier); });
            for (const QChar ch : text)
                step([&] { Type(ch); });
            step([&] { Press(Qt::Key_Home, Qt::ControlModifier); });
            step([&] { Press(Qt::Key_Delete); });
            const QByteArray final = Bytes();
            ASSERT_EQ(int(before.size()), UndoCount());
            ASSERT_GE(before.size(), 6u);

            for (int i = int(before.size()) - 1; i >= 0; --i) {
                Press(Qt::Key_Z, Qt::ControlModifier);
                ASSERT_EQ(Bytes(), before[size_t(i)]) << "undo down to entry " << i;
            }
            EXPECT_FALSE(view->Edits().CanUndo());
            EXPECT_FALSE(doc->IsModified());
            for (size_t i = 1; i <= before.size(); ++i) {
                Press(Qt::Key_Y, Qt::ControlModifier);
                ASSERT_EQ(Bytes(), i < before.size() ? before[i] : final) << "redo up to entry " << i;
            }
            EXPECT_FALSE(view->Edits().CanRedo());
            EXPECT_TRUE(doc->IsModified());
        }
    }
}

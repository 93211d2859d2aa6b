// Copy, Cut and Paste through the application clipboard, the count rule of
// the two formats, the three paste modes, the Paste Mode dialog (its buttons
// ticked by the test), and the transfers other tools reuse.
#include "EditTestSupport.h"
#include "platform/Clipboard.h"
#include "view/CaretController.h"
#include "view/ViewClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QCheckBox>
#include <QFile>
#include <QTemporaryDir>
#include <QMimeData>

class Clipboard : public EditTest {
protected:
    void SetUp() override
    {
        EditTest::SetUp();
        QGuiApplication::clipboard()->clear();
    }
    void CtrlV() { Press(Qt::Key_V, Qt::ControlModifier); }
    void Select(int32_t from, int32_t to)
    {
        view->CaretControl().SetCaret(from, CaretMode::Move);
        view->CaretControl().SetCaret(to, CaretMode::Extend);
    }
};

TEST_F(Clipboard, ACopiedSelectionWithZeroBytesPastesBackWhole)
{
    const QByteArray data("a\0b\0\0c", 6);
    Open(QByteArray("<") + data + QByteArray(">"));
    Select(1, 7);
    Press(Qt::Key_C, Qt::ControlModifier);
    // Plain text carries exactly the bytes; the length block their count.
    EXPECT_EQ(platform::ClipboardText(), data);
    EXPECT_EQ(platform::ClipboardBinaryLength(), 6);
    EXPECT_EQ(UndoCount(), 0);

    Press(Qt::Key_End, Qt::ControlModifier);
    CtrlV();
    EXPECT_EQ(Bytes(), QByteArray("<") + data + QByteArray(">") + data);
    EXPECT_EQ(CaretAt(), 14);
    EXPECT_EQ(Selection(), std::pair(-1, -1));
    ASSERT_EQ(UndoCount(), 1);
    EXPECT_EQ(doc->UndoList().Top().kind, UndoKind::RemoveBytes);
    // Ctrl+Insert copies and Shift+Insert pastes as well.
    Select(0, 2);
    Press(Qt::Key_Insert, Qt::ControlModifier);
    view->CaretControl().SetCaret(0, CaretMode::Move);
    Press(Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_TRUE(Bytes().startsWith(QByteArray("<a<a")));
}

TEST_F(Clipboard, TextFromAnotherProgramPastesUpToItsFirstZeroByte)
{
    Open(QByteArray("[]"));
    view->CaretControl().SetCaret(1, CaretMode::Move);
    ASSERT_TRUE(platform::SetClipboardText(QByteArray("hello\0world", 11)));
    CtrlV();
    EXPECT_EQ(Bytes(), QByteArray("[hello]"));
    ASSERT_TRUE(platform::SetClipboardText(QByteArray("xyz")));
    CtrlV();
    EXPECT_EQ(Bytes(), QByteArray("[helloxyz]"));
    // A length block never takes more than the text holds.
    ASSERT_TRUE(platform::SetClipboardTextWithLength(QByteArray("12"), 50));
    CtrlV();
    EXPECT_EQ(Bytes(), QByteArray("[helloxyz12]"));
}

TEST_F(Clipboard, PasteIsDisabledWithoutPlainTextAndEmptyTextPastesNothing)
{
    Open(QByteArray("abc"));
    EXPECT_FALSE(view->Clipboard().CanPaste());
    auto* other = new QMimeData;
    other->setData(QStringLiteral("image/png"), QByteArray("\x89PNG"));
    QGuiApplication::clipboard()->setMimeData(other);
    EXPECT_FALSE(view->Clipboard().CanPaste());
    CtrlV();
    ASSERT_TRUE(platform::SetClipboardText(QByteArray("\0abc", 4)));
    EXPECT_TRUE(view->Clipboard().CanPaste());
    CtrlV();
    EXPECT_EQ(Bytes(), QByteArray("abc"));
    EXPECT_EQ(UndoCount(), 0);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(Clipboard, OverwriteModePastesOverTheEndAndAppendsTheRest)
{
    settings.pasteOverwrite = true;
    Open(QByteArray("0123456789"));
    ASSERT_TRUE(platform::SetClipboardText(QByteArray("WXYZ")));
    view->CaretControl().SetCaret(8, CaretMode::Move);
    CtrlV();
    EXPECT_EQ(Bytes(), QByteArray("01234567WXYZ"));
    EXPECT_EQ(CaretAt(), 12);
    ASSERT_EQ(UndoCount(), 1);
    EXPECT_EQ(doc->UndoList().Top().kind, UndoKind::RestoreBytes);
    UndoTimes(1);
    EXPECT_EQ(Bytes(), QByteArray("0123456789"));
}

TEST_F(Clipboard, OverwriteWithReplaceSelectionRemovesTheSelectionAndOverwritesWhatFollows)
{
    settings.pasteOverwrite = true;
    settings.replaceSelection = true;
    Open(QByteArray("0123456789"));
    ASSERT_TRUE(platform::SetClipboardText(QByteArray("ab")));
    Select(2, 5);
    CtrlV();
    EXPECT_EQ(Bytes(), QByteArray("01ab789"));
    EXPECT_EQ(CaretAt(), 4);
    UndoTimes(1);
    EXPECT_EQ(Bytes(), QByteArray("0123456789"));
    EXPECT_EQ(Selection(), std::pair(2, 7));
}

TEST_F(Clipboard, InsertModeReplacesTheSelectionOnlyWithReplaceSelection)
{
    ASSERT_TRUE(platform::SetClipboardText(QByteArray("NEW")));
    Open(QByteArray("0123456789"));
    Select(2, 6);
    CtrlV();
    EXPECT_EQ(Bytes(), QByteArray("01NEW23456789"));
    EXPECT_EQ(CaretAt(), 5);

    settings.replaceSelection = true;
    Open(QByteArray("0123456789"));
    Select(2, 6);
    CtrlV();
    EXPECT_EQ(Bytes(), QByteArray("01NEW6789"));
    ASSERT_EQ(UndoCount(), 1);
    UndoTimes(1);
    // Undo after a paste into a selection restores the selection's bytes.
    EXPECT_EQ(Bytes(), QByteArray("0123456789"));
    EXPECT_EQ(Selection(), std::pair(2, 6));
    RedoTimes(1);
    EXPECT_EQ(Bytes(), QByteArray("01NEW6789"));
}

TEST_F(Clipboard, TheModesForTasksAndDropsSelectWhatTheyPasted)
{
    settings.pasteOverwrite = true;  // neither mode overwrites
    settings.promptForPasteMode = true;  // neither mode asks
    Open(QByteArray("0123456789"));
    Select(3, 5);
    ASSERT_TRUE(view->Clipboard().PasteBytes("abcd", 4, PasteMode::InsertReplaceSelect, true));
    EXPECT_EQ(Bytes(), QByteArray("012abcd56789"));
    EXPECT_EQ(Selection(), std::pair(3, 7));
    Select(1, 2);
    ASSERT_TRUE(view->Clipboard().PasteBytes("zz", 2, PasteMode::InsertAndSelect, true));
    EXPECT_EQ(Bytes(), QByteArray("0zz12abcd56789"));
    EXPECT_EQ(Selection(), std::pair(1, 3));
    EXPECT_EQ(UndoCount(), 2);
    // Without recording, the paste leaves the history alone.
    ASSERT_TRUE(view->Clipboard().PasteBytes("q", 1, PasteMode::InsertAndSelect, false));
    EXPECT_EQ(UndoCount(), 2);
    EXPECT_EQ(PasteModeAsked(), 0);
}

TEST_F(Clipboard, ThePasteModeDialogDecidesAndCanSwitchItselfOff)
{
    settings.promptForPasteMode = true;
    Open(QByteArray("0123456789"));
    ASSERT_TRUE(platform::SetClipboardText(QByteArray("ab")));
    view->CaretControl().SetCaret(4, CaretMode::Move);

    AnswerPasteMode(std::nullopt);  // Cancel
    CtrlV();
    EXPECT_EQ(Bytes(), QByteArray("0123456789"));
    EXPECT_FALSE(doc->IsModified());

    AnswerPasteMode(PasteModeChoice{true, true});
    CtrlV();
    EXPECT_EQ(Bytes(), QByteArray("0123ab6789"));
    EXPECT_TRUE(settings.pasteOverwrite);
    EXPECT_TRUE(settings.promptForPasteMode);

    AnswerPasteMode(PasteModeChoice{false, false});
    CtrlV();
    EXPECT_EQ(Bytes(), QByteArray("0123abab6789"));
    EXPECT_FALSE(settings.pasteOverwrite);
    EXPECT_FALSE(settings.promptForPasteMode);
    // No longer asked: later pastes insert.
    CtrlV();
    EXPECT_EQ(Bytes(), QByteArray("0123ababab6789"));
    EXPECT_EQ(PasteModeAsked(), 3);
}

TEST_F(Clipboard, ThePasteModeDialogIsPresetFromTheSettingsAndReportsItsChoice)
{
    CPasteModeDlg overwrite(PasteModeChoice{true, true});
    EXPECT_EQ(overwrite.windowTitle(), "Paste Mode");
    EXPECT_EQ(overwrite.Choice(), (PasteModeChoice{true, true}));
    CPasteModeDlg insert(PasteModeChoice{false, true});
    EXPECT_EQ(insert.Choice(), (PasteModeChoice{false, true}));
    auto* prompt = insert.findChild<QCheckBox*>();
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(prompt->text(), "&Prompt for paste mode");
    prompt->setChecked(false);
    EXPECT_EQ(insert.Choice(), (PasteModeChoice{false, false}));
}

TEST_F(Clipboard, CutCopiesThenDeletesAsOneEdit)
{
    Open(QByteArray("0123456789"));
    EXPECT_FALSE(view->Clipboard().CanCut());
    EXPECT_FALSE(view->Clipboard().CanCopy());
    Select(3, 7);
    Press(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Bytes(), QByteArray("012789"));
    EXPECT_EQ(platform::ClipboardText(), QByteArray("3456"));
    EXPECT_EQ(CaretAt(), 3);
    ASSERT_EQ(UndoCount(), 1);
    // Shift+Delete cuts too.
    Select(0, 1);
    Press(Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(Bytes(), QByteArray("12789"));
    EXPECT_EQ(platform::ClipboardText(), QByteArray("0"));
    UndoTimes(2);
    EXPECT_EQ(Bytes(), QByteArray("0123456789"));
}

TEST_F(Clipboard, AnInsertionPastTheSizeLimitChangesNothingAndClearsTheUndoList)
{
    Open(QByteArray("abc"));
    Press(Qt::Key_Tab);
    Type("x");
    ASSERT_EQ(UndoCount(), 1);
    // The insertion is refused before a single byte is read.
    static const char kOne = 'z';
    ASSERT_FALSE(view->Clipboard().PasteBytes(&kOne, MAX_FILE_SIZE - 1, PasteMode::Normal, true));
    EXPECT_EQ(Bytes(), QByteArray("xbc"));
    EXPECT_EQ(UndoCount(), 0);
    EXPECT_EQ(messages.Last(),
              "Cannot insert data : Will cause file buffer to exceed size limit of 9,223,372,036,854,775,807 bytes.");
}

// The clipboard holds its bytes in memory: a selection past 2 GiB is refused
// with a text that names the way that takes any size, before anything is read.
TEST_F(Clipboard, ASelectionTooLargeToHoldIsRefusedWithItsLength)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("three-gib.bin");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        if (!file.resize(int64_t(3) << 30))
            GTEST_SKIP() << "this file system makes no sparse file of 3 GiB";
    }
    ASSERT_TRUE(OpenFile(path));
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    view->CaretControl().SetSelection(1, CViewClipboard::kMaxHeldSelection + 2);
    EXPECT_FALSE(view->Clipboard().Copy());
    EXPECT_EQ(messages.Last(), "The selection of 2147483648 bytes is too large for the clipboard, which takes at most "
                               "2147483647 bytes. Copy to File writes a selection of any size.");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
    QByteArray held;
    EXPECT_FALSE(view->Clipboard().GetSelectionBytes(held)) << "nor is it dragged or handed to a tool";
}

TEST_F(Clipboard, AnInsertionThatRunsOutOfMemoryHalfwayLeavesNoUnwrittenBytes)
{
    const QByteArray original = Counting(100);
    Open(original);
    Press(Qt::Key_Tab);
    Type("x");
    ASSERT_EQ(UndoCount(), 1);
    const QByteArray before = Bytes();
    const QByteArray block(20000, 'p');  // about ten chunks
    view->CaretControl().SetCaret(50, CaretMode::Move);
    doc->Buffer().Heap().FailAfter(3);
    EXPECT_FALSE(view->Clipboard().PasteBytes(block.constData(), int32_t(block.size()), PasteMode::Normal, true));
    doc->Buffer().Heap().FailAfter(-1);
    EXPECT_EQ(Bytes(), before);
    EXPECT_EQ(UndoCount(), 0);
    EXPECT_EQ(messages.Last(),
              "Out of memory.\n\nThere is not enough memory to complete the current operation. To prevent loss of "
              "data, you should not use this program in low memory conditions. If the data you are working with needs "
              "to be saved, you should save it now and then terminate the program. Note that the last edit performed "
              "may have not produced the expected results.");
    EXPECT_FALSE(view->Caret().hasSelection);
}

TEST_F(Clipboard, OverwriteRangeWritesInPlaceClippedToTheFile)
{
    Open(QByteArray("0123456789"));
    view->CaretControl().SetCaret(9, CaretMode::Move);
    EXPECT_TRUE(view->Clipboard().OverwriteRange(7, "ABCDE", 5));
    EXPECT_EQ(Bytes(), QByteArray("0123456ABC"));
    EXPECT_EQ(CaretAt(), 9);
    ASSERT_EQ(UndoCount(), 1);
    EXPECT_EQ(doc->UndoList().Top().kind, UndoKind::RestoreBytes);
    EXPECT_FALSE(view->Clipboard().OverwriteRange(10, "Z", 1));
    EXPECT_FALSE(view->Clipboard().OverwriteRange(-1, "Z", 1));
    doc->SetReadOnly(true);
    EXPECT_FALSE(view->Clipboard().OverwriteRange(0, "Z", 1));
    doc->SetReadOnly(false);
    UndoTimes(1);
    EXPECT_EQ(Bytes(), QByteArray("0123456789"));
}

TEST_F(Clipboard, GetSelectionBytesCopiesExactlyTheSelection)
{
    Open(Counting(300));
    QByteArray bytes("untouched");
    EXPECT_FALSE(view->Clipboard().GetSelectionBytes(bytes));
    Select(250, 10);
    ASSERT_TRUE(view->Clipboard().GetSelectionBytes(bytes));
    EXPECT_EQ(bytes, Counting(300).mid(10, 240));
}

// The byte-entry control: typing in both columns, the keys, the owner
// operations and the clipboard convention shared with the hex view.
#include "platform/Clipboard.h"
#include "tooldialogs/VantrelHexEdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

class HexEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&window_);
        edit_ = new VantrelHexEdit;
        after_ = new QLineEdit;
        layout->addWidget(edit_);
        layout->addWidget(after_);
        window_.show();
        edit_->setFocus();
    }

    void Type(const char* keys) { QTest::keyClicks(edit_, QString::fromLatin1(keys)); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { QTest::keyClick(edit_, key, modifiers); }

    QWidget window_;
    VantrelHexEdit* edit_ = nullptr;
    QLineEdit* after_ = nullptr;
};

TEST_F(HexEditTest, HexDigitsFillHighThenLowNibble)
{
    Type("4");
    EXPECT_EQ(edit_->Bytes(), QByteArray("\x40", 1));
    EXPECT_TRUE(edit_->LowNibblePending());
    EXPECT_EQ(edit_->Caret(), 0);
    Type("1a");
    EXPECT_EQ(edit_->Bytes(), QByteArray("\x41\xA0", 2));
    EXPECT_EQ(edit_->Caret(), 1);
    Type("b");
    EXPECT_EQ(edit_->Bytes(), QByteArray("\x41\xAB", 2));
    EXPECT_EQ(edit_->Caret(), 2);
    // Not a hex digit: nothing happens in the hex column.
    Type("g");
    EXPECT_EQ(edit_->Length(), 2);
}

TEST_F(HexEditTest, TabSwitchesColumnsAndCharactersInsert)
{
    EXPECT_TRUE(edit_->HexActive());
    Key(Qt::Key_Tab);
    EXPECT_FALSE(edit_->HexActive());
    EXPECT_EQ(window_.focusWidget(), edit_);
    Type("Hi!");
    EXPECT_EQ(edit_->Bytes(), QByteArray("Hi!"));
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(edit_->HexActive());
}

TEST_F(HexEditTest, CtrlTabMovesToTheNextControl)
{
    QApplication::setActiveWindow(&window_);
    edit_->setFocus();
    Key(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_TRUE(after_->hasFocus());
    EXPECT_TRUE(edit_->HexActive());
}

TEST_F(HexEditTest, ShiftArrowsSelectAndTypingReplacesSelection)
{
    edit_->SetBytes("abcdefghij");
    Key(Qt::Key_Right);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(edit_->Selection(), (3u << 16) | 1u);
    Key(Qt::Key_Tab);
    Type("Z");
    EXPECT_EQ(edit_->Bytes(), QByteArray("aZdefghij"));
    EXPECT_EQ(edit_->Selection(), 0u);
}

TEST_F(HexEditTest, NavigationKeysFollowTheHexViewsRulesOnRowsOfEight)
{
    edit_->SetBytes(QByteArray(20, 'x'));
    Key(Qt::Key_Down);
    EXPECT_EQ(edit_->Caret(), 8);
    Key(Qt::Key_End);
    EXPECT_EQ(edit_->Caret(), 16);
    Key(Qt::Key_Right);
    Key(Qt::Key_Home);
    EXPECT_EQ(edit_->Caret(), 16);
    Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(edit_->Caret(), 20);
    // Down from the last row has nowhere to go.
    Key(Qt::Key_Down);
    EXPECT_EQ(edit_->Caret(), 20);
    Key(Qt::Key_Home, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(edit_->Selection(), (20u << 16) | 0u);
    // The hex view's rules: without Shift a move starts from the selection's
    // near end, and Up on the first row goes to the start.
    edit_->SetSelection(3, 6);
    Key(Qt::Key_Left);
    EXPECT_EQ(edit_->Caret(), 3);
    EXPECT_EQ(edit_->Selection(), 0u);
    Key(Qt::Key_Up);
    EXPECT_EQ(edit_->Caret(), 0);
}

TEST_F(HexEditTest, BackspaceAndDeleteRemoveOneByteOrTheSelection)
{
    edit_->SetBytes("abcd");
    Key(Qt::Key_Delete);
    EXPECT_EQ(edit_->Bytes(), QByteArray("bcd"));
    Key(Qt::Key_End);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(edit_->Bytes(), QByteArray("bc"));
    edit_->SetSelection(0, 2);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(edit_->Length(), 0);
    // Half a typed byte is taken back by Backspace.
    Type("7");
    Key(Qt::Key_Backspace);
    EXPECT_EQ(edit_->Length(), 0);
    EXPECT_FALSE(edit_->LowNibblePending());
}

TEST_F(HexEditTest, MaximumLengthCutsTypingAndPasting)
{
    edit_->SetMaxLength(3);
    Type("112233");
    EXPECT_EQ(edit_->Bytes(), QByteArray("\x11\x22\x33", 3));
    Type("44");
    EXPECT_EQ(edit_->Length(), 3);
    ASSERT_TRUE(platform::SetClipboardTextWithLength(QByteArray("xyz\0", 4), 3));
    edit_->SetSelection(1, 2);
    EXPECT_TRUE(edit_->Paste());
    // The selected byte made room for one of the three.
    EXPECT_EQ(edit_->Bytes(), QByteArray("\x11x\x33", 3));
}

TEST_F(HexEditTest, CopyWritesTheBytesAndTheLengthBlock)
{
    edit_->SetBytes(QByteArray("a\0b", 3));
    edit_->SelectAll();
    Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(platform::ClipboardText(), QByteArray("a\0b", 3));
    EXPECT_EQ(platform::ClipboardBinaryLength(), 3);
    Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(edit_->Length(), 0);
    // The length block brings back the embedded zero byte.
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit_->Bytes(), QByteArray("a\0b", 3));
}

TEST_F(HexEditTest, PasteWithoutLengthBlockStopsAtTheFirstZero)
{
    ASSERT_TRUE(platform::SetClipboardText(QByteArray("hi\0there", 8)));
    EXPECT_TRUE(edit_->Paste());
    EXPECT_EQ(edit_->Bytes(), QByteArray("hi"));
}

TEST_F(HexEditTest, ReadOnlyRefusesEveryChange)
{
    edit_->SetBytes("abc");
    edit_->SetReadOnly(true);
    Type("12");
    Key(Qt::Key_Delete);
    edit_->SelectAll();
    EXPECT_FALSE(edit_->Cut());
    EXPECT_EQ(edit_->Bytes(), QByteArray("abc"));
    EXPECT_TRUE(edit_->Copy());
}

TEST_F(HexEditTest, ContextMenuIsHexEditWithItsFourItems)
{
    edit_->SetBytes("abc");
    std::unique_ptr<QMenu> menu(edit_->CreateContextMenu(nullptr));
    EXPECT_EQ(menu->objectName(), "HexEdit");
    QStringList texts;
    for (QAction* action : menu->actions())
        texts.append(action->text());
    EXPECT_EQ(texts, QStringList({"Cu&t", "&Copy", "&Paste", "&Delete"}));
    // Nothing selected: only Paste may be offered.
    EXPECT_FALSE(menu->actions()[0]->isEnabled());
    EXPECT_FALSE(menu->actions()[1]->isEnabled());
    edit_->SetSelection(0, 2);
    std::unique_ptr<QMenu> selected(edit_->CreateContextMenu(nullptr));
    selected->actions()[3]->trigger();
    EXPECT_EQ(edit_->Bytes(), QByteArray("c"));
}

TEST_F(HexEditTest, SetBytesClearsCaretAndSelectionAndPacksSelection)
{
    edit_->SetBytes(QByteArray(40, 'q'));
    edit_->SetSelection(5, 33);
    EXPECT_EQ(edit_->Selection(), (33u << 16) | 5u);
    edit_->SetBytes("new");
    EXPECT_EQ(edit_->Selection(), 0u);
    EXPECT_EQ(edit_->Caret(), 0);
}

} // namespace

namespace {

// What the user sees and clicks: pairs three cells apart from the margin,
// characters two blank cells after the last pair, as the hex view lays out a
// row of single bytes. A click picks the byte boundary nearest the point in
// either column; below the last row it lands in that row.
TEST_F(HexEditTest, RowsAreLaidOutAndHitLikeTheHexView)
{
    edit_->resize(400, 200);
    edit_->SetBytes("ABCDEFGHIJKL");  // a full row of 8, then 4
    edit_->SetSelection(9, 10);
    QApplication::processEvents();
    const QFontMetrics metrics(edit_->font());
    const int w = metrics.horizontalAdvance(QLatin1Char('0'));
    const int h = metrics.height();
    constexpr int kMargin = 3;
    QWidget* viewport = edit_->viewport();
    const QImage image = viewport->grab().toImage();
    const int secondRow = kMargin + h + 1;  // above the glyphs' ink
    // Byte 9 is the second of row 1: hex cells 3-4, character cell 25 + 1,
    // both on the selection's background; the cells beside them are not.
    const QColor background = image.pixelColor(kMargin + 2 * w + 1, secondRow);  // the blank after byte 8
    const QColor selected = image.pixelColor(kMargin + 3 * w + 1, secondRow);
    EXPECT_NE(selected, background);
    EXPECT_EQ(image.pixelColor(kMargin + 5 * w - 1, secondRow), selected);
    EXPECT_EQ(image.pixelColor(kMargin + 26 * w + 1, secondRow), selected);
    EXPECT_EQ(image.pixelColor(kMargin + 5 * w + 1, secondRow), background);
    EXPECT_EQ(image.pixelColor(kMargin + 25 * w - 1, secondRow), background);
    EXPECT_EQ(image.pixelColor(kMargin + 27 * w + 1, secondRow), background);

    struct Click {
        int x;
        int row;
        int caret;
        bool hex;
    };
    const Click clicks[] = {
        {kMargin + 3 * 5 * w + 1, 0, 5, true},    // the first digit of byte 5
        {kMargin + 3 * 5 * w + 2 * w, 0, 6, true},  // just after its second digit
        {kMargin + (25 + 3) * w + 1, 0, 3, false}, // the left half of character 3
        {kMargin + (25 + 3) * w + w - 1, 1, 12, false},  // right half of character 11: after the last byte
        {kMargin + 3 * 2 * w + 1, 3, 10, true},   // below the last row: column 2 of that row
    };
    for (const Click& c : clicks) {
        SCOPED_TRACE(c.caret);
        QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(c.x, kMargin + c.row * h + h / 2));
        EXPECT_EQ(edit_->Caret(), c.caret);
        EXPECT_EQ(edit_->HexActive(), c.hex);
    }
}

} // namespace

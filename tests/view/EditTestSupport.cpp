#include "EditTestSupport.h"

#include <QCheckBox>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTest>

void EditTest::SetUp()
{
    ViewTest::SetUp();
    // Most tests paste without the question; those about it turn it back on.
    settings.promptForPasteMode = false;
}

void EditTest::TearDown()
{
    EXPECT_TRUE(ui.Done()) << "a scripted dialog or file dialog never opened";
    if (view && doc) {
        std::string why;
        EXPECT_TRUE(doc->Buffer().CheckInvariants(&why)) << why;
    }
    ViewTest::TearDown();
}

void EditTest::AnswerPasteMode(std::optional<PasteModeChoice> answer)
{
    ui.Then([answer](QDialog& dialog) {
        auto& paste = dynamic_cast<CPasteModeDlg&>(dialog);
        if (!answer) {
            paste.reject();
        } else {
            (answer->overwrite ? paste.OverwriteButton() : paste.InsertButton())->click();
            paste.PromptBox()->setChecked(answer->prompt);
            paste.accept();
        }
        return paste.result();
    });
}

QByteArray EditTest::Bytes(const CBinEditDoc& document)
{
    QByteArray bytes(document.Size(), '\0');
    CBufferPos at;
    at.Bind(const_cast<CFileBuffer*>(&document.Buffer()), false, 0);
    at.Read(bytes.data(), document.Size());
    return bytes;
}

QByteArray EditTest::Bytes() const { return Bytes(*doc); }

std::pair<int32_t, int32_t> EditTest::Selection() const
{
    const CSelectionPos& c = view->Caret();
    return c.hasSelection ? std::pair(int32_t(c.selStart), int32_t(c.selEnd)) : std::pair(-1, -1);
}

void EditTest::Press(int key, Qt::KeyboardModifiers modifiers) { Press(key, modifiers, *view); }

void EditTest::Press(int key, Qt::KeyboardModifiers modifiers, CBinEditView& to)
{
    QTest::keyClick(&to, Qt::Key(key), modifiers);
}

void EditTest::Type(const QString& text) { QTest::keyClicks(view.get(), text); }

void EditTest::UndoTimes(int count)
{
    for (int i = 0; i < count; ++i)
        Press(Qt::Key_Z, Qt::ControlModifier);
}

void EditTest::RedoTimes(int count)
{
    for (int i = 0; i < count; ++i)
        Press(Qt::Key_Y, Qt::ControlModifier);
}

QPoint EditTest::PointOfByte(int32_t offset, bool hex) const
{
    const RowLayout& l = view->Geometry();
    const int32_t r = offset - view->Top().Offset();
    const int row = r / l.bytesPerRow;
    const int col = r % l.bytesPerRow;
    const int cells = hex ? l.hexX + l.HexCellOfByte(col) : l.charX + col;
    return QPoint(l.Px(cells) + 2 - view->HScroll(), row * l.lineHeight + l.lineHeight / 2);
}

void EditTest::Click(QPoint at, Qt::KeyboardModifiers modifiers)
{
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, at);
}

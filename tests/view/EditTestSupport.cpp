#include "EditTestSupport.h"

#include <QMouseEvent>
#include <QTest>

void EditTest::SetUp()
{
    ViewTest::SetUp();
    previousPasteHook_ = CPasteModeDlg::SetAnswerHook([this](const PasteModeChoice&) -> std::optional<PasteModeChoice> {
        ++pasteModeAsked_;
        if (pasteAnswers_.empty()) {
            ADD_FAILURE() << "the Paste Mode dialog was not expected";
            return std::nullopt;
        }
        const std::optional<PasteModeChoice> answer = pasteAnswers_.front();
        pasteAnswers_.pop_front();
        return answer;
    });
    previousFileHook_ = SetTransferFileHook([this](TransferDialog) -> std::optional<QString> {
        if (fileAnswers_.empty()) {
            ADD_FAILURE() << "a file dialog was not expected";
            return std::nullopt;
        }
        const std::optional<QString> answer = fileAnswers_.front();
        fileAnswers_.pop_front();
        return answer;
    });
    // Most tests paste without the question; those about it turn it back on.
    settings.promptForPasteMode = false;
}

void EditTest::TearDown()
{
    EXPECT_TRUE(pasteAnswers_.empty()) << "a scripted Paste Mode answer was not used";
    EXPECT_TRUE(fileAnswers_.empty()) << "a scripted file dialog answer was not used";
    CPasteModeDlg::SetAnswerHook(std::move(previousPasteHook_));
    SetTransferFileHook(std::move(previousFileHook_));
    if (view && doc) {
        std::string why;
        EXPECT_TRUE(doc->Buffer().CheckInvariants(&why)) << why;
    }
    ViewTest::TearDown();
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

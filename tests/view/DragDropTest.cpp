// Dragging the selection and dropping data, with the drop events built in
// the test: moves within a file as one edit, copies with Ctrl, drops from
// another document and from other programs, refusals, and file drops.
#include "EditTestSupport.h"
#include "platform/Clipboard.h"
#include "platform/FileNames.h"
#include "view/CaretController.h"
#include "view/DragDrop.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QUrl>

namespace {

QMimeData* TextData(const QByteArray& bytes, std::optional<int32_t> length = std::nullopt)
{
    return platform::NewTextMimeData(bytes, length);
}

// Delivers one drag: enter, move and drop at point on target; the result is
// the action the target took.
Qt::DropAction DeliverDrop(QWidget* target, QMimeData* data, QPoint point, Qt::DropActions offered,
                           Qt::KeyboardModifiers modifiers)
{
    QDragEnterEvent enter(point, offered, data, Qt::LeftButton, modifiers);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return Qt::IgnoreAction;
    QDragMoveEvent move(point, offered, data, Qt::LeftButton, modifiers);
    QCoreApplication::sendEvent(target, &move);
    QDropEvent drop(QPointF(point), offered, data, Qt::LeftButton, modifiers);
    QCoreApplication::sendEvent(target, &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

void SendMouse(QWidget* to, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(at), to->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(to, &event);
}

} // namespace

class DragDrop : public EditTest {
protected:
    void TearDown() override
    {
        otherView.reset();
        otherDoc.reset();
        EditTest::TearDown();
    }
    void Select(CBinEditView& v, int32_t from, int32_t to)
    {
        v.CaretControl().SetCaret(from, CaretMode::Move);
        v.CaretControl().SetCaret(to, CaretMode::Extend);
    }
    // Presses on the selection of `from` and moves far enough to start its
    // drag, which is delivered to `target` at the point.
    Qt::DropAction DragSelection(CBinEditView& from, QWidget* target, QPoint point,
                                 Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        Qt::DropAction result = Qt::IgnoreAction;
        ui.drag = [&](QMimeData* data, Qt::DropActions offered) {
            offeredActions = offered;
            result = target ? DeliverDrop(target, data, point, offered, modifiers) : Qt::IgnoreAction;
            return result;
        };
        const QPoint press = PointOnView(from, from.Caret().selStart);
        SendMouse(from.viewport(), QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
        SendMouse(from.viewport(), QEvent::MouseMove, press + QPoint(QApplication::startDragDistance() + 5, 0),
                  Qt::NoButton, Qt::LeftButton);
        SendMouse(from.viewport(), QEvent::MouseButtonRelease, press, Qt::LeftButton, Qt::NoButton);
        return result;
    }
    QPoint PointOnView(const CBinEditView& v, int32_t offset) const
    {
        const RowLayout& l = v.Geometry();
        const int32_t r = offset - v.Top().Offset();
        return QPoint(l.Px(l.hexX + l.HexCellOfByte(r % l.bytesPerRow)) + 2, r / l.bytesPerRow * l.lineHeight + 4);
    }
    void OpenOther(const QByteArray& bytes)
    {
        otherDoc = std::make_unique<CBinEditDoc>();
        otherDoc->OnNewDocument();
        CBufferPos at;
        at.Bind(&otherDoc->Buffer(), false, 0);
        at.Insert(int32_t(bytes.size()));
        at.Write(bytes.constData(), int32_t(bytes.size()));
        otherView = std::make_unique<CBinEditView>(otherDoc.get(), settings, ui);
        otherView->resize(800, 200);
        otherView->OnInitialUpdate();
    }

    std::unique_ptr<CBinEditDoc> otherDoc;
    std::unique_ptr<CBinEditView> otherView;
    Qt::DropActions offeredActions;
};

TEST_F(DragDrop, MovingWithinTheFileIsOneEditThatOneUndoTakesBackSelectingTheBlock)
{
    Open(QByteArray("0123456789"));
    Select(*view, 2, 5);
    EXPECT_EQ(DragSelection(*view, view->viewport(), PointOfByte(8, true)), Qt::MoveAction);
    EXPECT_EQ(offeredActions, Qt::CopyAction | Qt::MoveAction);
    EXPECT_EQ(Bytes(), QByteArray("0156723489"));
    EXPECT_EQ(Selection(), std::pair(5, 8));
    ASSERT_EQ(UndoCount(), 1);
    EXPECT_EQ(doc->UndoList().Top().kind, UndoKind::MoveBack);
    UndoTimes(1);
    EXPECT_EQ(Bytes(), QByteArray("0123456789"));
    EXPECT_EQ(Selection(), std::pair(2, 5));
    RedoTimes(1);
    EXPECT_EQ(Bytes(), QByteArray("0156723489"));
    EXPECT_EQ(Selection(), std::pair(5, 8));
}

// The source view closes while its block is dragged: a drop into another
// view of the same document no longer sees where the block came from, so it
// inserts a copy instead of moving a block through a caret that is gone.
TEST_F(DragDrop, ASourceViewClosedDuringItsDragLeavesTheDropAPaste)
{
    Open(QByteArray("0123456789"));
    CBinEditView second(doc.get(), settings, ui);
    second.resize(800, 200);
    second.OnInitialUpdate();
    Select(*view, 2, 5);
    const QPoint press = PointOnView(*view, 2);
    QWidget* source = view->viewport();
    Qt::DropAction result = Qt::IgnoreAction;
    ui.drag = [&](QMimeData* data, Qt::DropActions offered) {
        view.reset();
        result = DeliverDrop(second.viewport(), data, PointOnView(second, 8), offered, Qt::NoModifier);
        return result;
    };
    SendMouse(source, QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
    SendMouse(source, QEvent::MouseMove, press + QPoint(QApplication::startDragDistance() + 5, 0), Qt::NoButton,
              Qt::LeftButton);
    EXPECT_EQ(result, Qt::MoveAction);
    EXPECT_EQ(Bytes(), QByteArray("01234567234" "89"));
}

TEST_F(DragDrop, MovingBackwardsAndDroppingOntoTheBlockItself)
{
    Open(QByteArray("0123456789"));
    Select(*view, 6, 9);
    EXPECT_EQ(DragSelection(*view, view->viewport(), PointOfByte(1, true)), Qt::MoveAction);
    EXPECT_EQ(Bytes(), QByteArray("0678123459"));
    EXPECT_EQ(Selection(), std::pair(1, 4));
    // Onto the block or its end: only the caret moves, nothing is deleted.
    for (int32_t at : {2, 4}) {
        Select(*view, 1, 4);
        DragSelection(*view, view->viewport(), PointOfByte(at, true));
        EXPECT_EQ(Bytes(), QByteArray("0678123459"));
        EXPECT_EQ(CaretAt(), at);
        EXPECT_EQ(Selection(), std::pair(-1, -1));
    }
    EXPECT_EQ(UndoCount(), 1);
}

TEST_F(DragDrop, CtrlCopiesTheBlockAndSelectsTheCopy)
{
    Open(QByteArray("0123456789"));
    Select(*view, 2, 5);
    EXPECT_EQ(DragSelection(*view, view->viewport(), PointOfByte(8, true), Qt::ControlModifier), Qt::CopyAction);
    EXPECT_EQ(Bytes(), QByteArray("0123456723489"));
    EXPECT_EQ(Selection(), std::pair(8, 11));
    ASSERT_EQ(UndoCount(), 1);
    EXPECT_EQ(doc->UndoList().Top().kind, UndoKind::RemoveBytes);
    // Strictly inside its own block a copy only places the caret.
    Select(*view, 2, 5);
    DragSelection(*view, view->viewport(), PointOfByte(3, true), Qt::ControlModifier);
    EXPECT_EQ(Bytes(), QByteArray("0123456723489"));
    EXPECT_EQ(CaretAt(), 3);
    UndoTimes(1);
    EXPECT_EQ(Bytes(), QByteArray("0123456789"));
}

TEST_F(DragDrop, ADropFromAnotherDocumentInsertsAndSelectsAndAMoveDeletesTheSource)
{
    Open(QByteArray("abcdef"));
    OpenOther(QByteArray("XY\0Z!", 5));
    Select(*otherView, 0, 4);
    EXPECT_EQ(DragSelection(*otherView, view->viewport(), PointOfByte(3, true)), Qt::MoveAction);
    EXPECT_EQ(Bytes(), QByteArray("abcXY\0Zdef", 10));
    EXPECT_EQ(Selection(), std::pair(3, 7));
    EXPECT_EQ(Bytes(*otherDoc), QByteArray("!"));
    EXPECT_EQ(otherDoc->UndoList().Count(), 1);
    EXPECT_EQ(UndoCount(), 1);

    // A copy leaves the source alone.
    Select(*otherView, 0, 1);
    EXPECT_EQ(DragSelection(*otherView, view->viewport(), PointOfByte(0, true), Qt::ControlModifier),
              Qt::CopyAction);
    EXPECT_TRUE(Bytes().startsWith("!abc"));
    EXPECT_EQ(Bytes(*otherDoc), QByteArray("!"));
}

TEST_F(DragDrop, AReadOnlySourceOffersOnlyCopyAndADropOutsideDeletesOnMove)
{
    Open(QByteArray("abcdef"));
    doc->SetReadOnly(true);
    Select(*view, 1, 3);
    DragSelection(*view, nullptr, QPoint());
    EXPECT_EQ(offeredActions, Qt::CopyAction);
    doc->SetReadOnly(false);

    // Another program took the block as a move: the source deletes it as one edit.
    QByteArray dragged;
    ui.drag = [&dragged](QMimeData* data, Qt::DropActions) {
        dragged = data->data(QStringLiteral("text/plain"));
        return Qt::MoveAction;
    };
    Select(*view, 1, 3);
    view->DragDrop().StartDrag();
    // It received the text as the bytes alone, with no terminating zero.
    EXPECT_EQ(dragged, QByteArray("bc"));
    EXPECT_EQ(Bytes(), QByteArray("adef"));
    ASSERT_EQ(UndoCount(), 1);
    EXPECT_EQ(doc->UndoList().Top().kind, UndoKind::ReinsertBytes);
}

TEST_F(DragDrop, TextFromAnotherProgramIsInsertedUpToItsFirstZeroByte)
{
    Open(QByteArray("[]"));
    std::unique_ptr<QMimeData> data(TextData(QByteArray("hello\0junk", 10)));
    EXPECT_EQ(DeliverDrop(view->viewport(), data.get(), PointOfByte(1, false), Qt::CopyAction, Qt::NoModifier),
              Qt::CopyAction);
    EXPECT_EQ(Bytes(), QByteArray("[hello]"));
    EXPECT_EQ(Selection(), std::pair(1, 6));
    EXPECT_FALSE(view->HexActive());  // dropped on the character column
}

TEST_F(DragDrop, AMoveThatPastesNothingIsNotTakenSoTheSourceKeepsItsBytes)
{
    Open(QByteArray("abc"));
    std::unique_ptr<QMimeData> data(TextData(QByteArray("\0lost", 5)));
    EXPECT_EQ(DeliverDrop(view->viewport(), data.get(), PointOfByte(1, true), Qt::MoveAction, Qt::NoModifier),
              Qt::IgnoreAction);
    EXPECT_EQ(Bytes(), QByteArray("abc"));
}

TEST_F(DragDrop, DropsAreRefusedWhileReadOnlyOrWithDragAndDropOff)
{
    Open(QByteArray("abc"));
    std::unique_ptr<QMimeData> data(TextData(QByteArray("zz")));
    doc->SetReadOnly(true);
    EXPECT_EQ(DeliverDrop(view->viewport(), data.get(), PointOfByte(1, true), Qt::CopyAction | Qt::MoveAction,
                          Qt::NoModifier),
              Qt::IgnoreAction);
    QDropEvent drop(QPointF(PointOfByte(1, true)), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view->viewport(), &drop);
    EXPECT_FALSE(drop.isAccepted());
    doc->SetReadOnly(false);
    settings.dragAndDrop = false;
    EXPECT_EQ(DeliverDrop(view->viewport(), data.get(), PointOfByte(1, true), Qt::CopyAction, Qt::NoModifier),
              Qt::IgnoreAction);
    std::unique_ptr<QMimeData> image(new QMimeData);
    image->setData(QStringLiteral("image/png"), QByteArray("png"));
    settings.dragAndDrop = true;
    EXPECT_EQ(DeliverDrop(view->viewport(), image.get(), PointOfByte(1, true), Qt::CopyAction, Qt::NoModifier),
              Qt::IgnoreAction);
    EXPECT_EQ(Bytes(), QByteArray("abc"));
    EXPECT_EQ(UndoCount(), 0);
}

TEST_F(DragDrop, DroppedFilesAreOpenedAndNeverPasted)
{
    Open(QByteArray("abc"));
    doc->SetReadOnly(true);  // opening files does not edit this document
    QSignalSpy spy(view.get(), &CBinEditView::filesDropped);
    std::unique_ptr<QMimeData> data(new QMimeData);
    data->setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/one.bin")), QUrl(QStringLiteral("https://example.org/")),
                   QUrl::fromLocalFile(QStringLiteral("/tmp/two words.bin")), QUrl::fromEncoded("file:///tmp/a%FFb.bin")});
    data->setData(QStringLiteral("text/plain"), QByteArray("/tmp/one.bin"));
    EXPECT_NE(DeliverDrop(view->viewport(), data.get(), PointOfByte(1, true), Qt::CopyAction, Qt::NoModifier),
              Qt::IgnoreAction);
    ASSERT_EQ(spy.count(), 1);
    // A name that is not UTF-8 arrives with its bytes, not with U+FFFD.
    EXPECT_EQ(spy.at(0).at(0).toStringList(),
              QStringList({"/tmp/one.bin", "/tmp/two words.bin", platform::DecodeFileName("/tmp/a\xff" "b.bin")}));
    EXPECT_EQ(Bytes(), QByteArray("abc"));
}

TEST_F(DragDrop, APressOnTheSelectionWithoutMovingIsAPlainClick)
{
    Open(Counting(32));
    Select(*view, 4, 12);
    const QPoint at = PointOfByte(8, true);
    SendMouse(view->viewport(), QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(Selection(), std::pair(4, 12));
    SendMouse(view->viewport(), QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(Selection(), std::pair(-1, -1));
    EXPECT_EQ(CaretAt(), 8);
}

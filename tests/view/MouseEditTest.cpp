// The mouse in the hex view: clicking, Shift+clicking, drag-selecting with
// the autoscroll timer, double-click words, cursor shapes and the menus.
#include "EditTestSupport.h"
#include "view/CaretController.h"
#include "view/MouseInput.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QSignalSpy>
#include <QTest>

namespace {

void SendMouse(QWidget* to, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent event(type, QPointF(at), to->mapToGlobal(QPointF(at)), button, held, modifiers);
    QCoreApplication::sendEvent(to, &event);
}

} // namespace

class MouseEdit : public EditTest {
protected:
    void PressAt(QPoint p) { SendMouse(view->viewport(), QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton); }
    void DragTo(QPoint p) { SendMouse(view->viewport(), QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton); }
    void ReleaseAt(QPoint p)
    {
        SendMouse(view->viewport(), QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
    }
};

TEST_F(MouseEdit, AClickPlacesTheCaretInTheColumnClickedAndShiftClickExtends)
{
    Open(Counting(64));
    Click(PointOfByte(20, false));
    EXPECT_EQ(CaretAt(), 20);
    EXPECT_FALSE(view->HexActive());
    Click(PointOfByte(5, true));
    EXPECT_EQ(CaretAt(), 5);
    EXPECT_TRUE(view->HexActive());
    Click(PointOfByte(37, true), Qt::ShiftModifier);
    EXPECT_EQ(Selection(), std::pair(5, 37));
    Click(PointOfByte(2, true), Qt::ShiftModifier);
    EXPECT_EQ(Selection(), std::pair(2, 5));
    Click(PointOfByte(9, true));
    EXPECT_EQ(Selection(), std::pair(-1, -1));
    // Past the last byte of a row: the row's end, shown there.
    const RowLayout& l = view->Geometry();
    Click(QPoint(l.Px(l.hexEnd) + 2, l.lineHeight + 3));
    EXPECT_EQ(CaretAt(), 32);
    EXPECT_TRUE(view->EndOfRow());
}

TEST_F(MouseEdit, DraggingSelectsFromThePressPoint)
{
    Open(Counting(64));
    PressAt(PointOfByte(3, true));
    DragTo(PointOfByte(20, true));
    EXPECT_EQ(Selection(), std::pair(3, 20));
    DragTo(PointOfByte(1, true));
    EXPECT_EQ(Selection(), std::pair(1, 3));
    ReleaseAt(PointOfByte(1, true));
    // Moving without the button no longer selects.
    SendMouse(view->viewport(), QEvent::MouseMove, PointOfByte(30, true), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(Selection(), std::pair(1, 3));
}

TEST_F(MouseEdit, OutsideTheWindowTheTimerScrollsARowAtATimeAndExtends)
{
    Open(Counting(16 * 500), QSize(800, 16 * 12));
    const int rows = view->RowsInWindow();
    const int x4 = PointOfByte(4, true).x();  // the column of each row's byte 4
    PressAt(PointOfByte(16 + 4, true));
    DragTo(QPoint(x4, view->ClientHeight() + 30));
    CMouseInput& mouse = view->MouseInput();
    EXPECT_TRUE(mouse.AutoScrolling());
    for (int i = 1; i <= 5; ++i) {
        mouse.AutoScrollStep();
        EXPECT_EQ(view->Top().Offset(), 16 * i);
        // The selection reaches the clamped point on the bottom row.
        EXPECT_EQ(Selection(), std::pair(20, 16 * (i + rows - 1) + 4));
    }
    DragTo(PointOfByte(16 * 8 + 4, true));
    EXPECT_FALSE(mouse.AutoScrolling());
    // Above the window it scrolls back up.
    DragTo(QPoint(x4, -20));
    mouse.AutoScrollStep();
    EXPECT_EQ(view->Top().Offset(), 16 * 4);
    EXPECT_EQ(Selection(), std::pair(20, 16 * 4 + 4));
    ReleaseAt(QPoint(10, -20));
    EXPECT_FALSE(mouse.AutoScrolling());
}

TEST_F(MouseEdit, DoubleClickSelectsTheWordUnderTheMouse)
{
    Open(QByteArray("int foo_bar = 42;  x"));
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, PointOfByte(6, false));
    EXPECT_EQ(Selection(), std::pair(4, 11));
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, PointOfByte(12, false));
    EXPECT_EQ(Selection(), std::pair(12, 13));
    // White space after a word selects the word before it, or nothing.
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, PointOfByte(3, false));
    EXPECT_EQ(Selection(), std::pair(0, 3));
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, PointOfByte(17, false));
    EXPECT_EQ(Selection(), std::pair(-1, -1));
    EXPECT_EQ(CaretAt(), 17);
}

TEST_F(MouseEdit, TheCursorShowsWhatAPressWouldDo)
{
    settings.showSizeBar = true;
    Open(Counting(64));
    view->CaretControl().SetCaret(4, CaretMode::Move);
    view->CaretControl().SetCaret(12, CaretMode::Extend);
    const CMouseInput& mouse = view->MouseInput();
    EXPECT_EQ(mouse.CursorFor(PointOfByte(8, true)), Qt::ArrowCursor);
    EXPECT_EQ(mouse.CursorFor(PointOfByte(8, false)), Qt::ArrowCursor);
    EXPECT_EQ(mouse.CursorFor(PointOfByte(20, true)), Qt::IBeamCursor);
    const RowLayout& l = view->Geometry();
    EXPECT_EQ(mouse.CursorFor(QPoint(l.Px(l.sizeBarX), 5)), Qt::SizeHorCursor);
    settings.dragAndDrop = false;
    EXPECT_EQ(mouse.CursorFor(PointOfByte(8, true)), Qt::IBeamCursor);
    // A press on the selection with drag and drop off selects afresh.
    Click(PointOfByte(8, true));
    EXPECT_EQ(CaretAt(), 8);
    EXPECT_EQ(Selection(), std::pair(-1, -1));
}

TEST_F(MouseEdit, RightClickAsksForTheLayoutMenuOverTheOffsetsAndTheEditMenuElsewhere)
{
    Open(Counting(64));
    QSignalSpy spy(view.get(), &CBinEditView::contextMenuRequested);
    auto menuAt = [&](QPoint p, QContextMenuEvent::Reason reason) {
        QContextMenuEvent event(reason, p, view->viewport()->mapToGlobal(p));
        QCoreApplication::sendEvent(view->viewport(), &event);
        return spy.takeLast();
    };
    EXPECT_TRUE(menuAt(QPoint(12, 5), QContextMenuEvent::Mouse).at(1).toBool());
    EXPECT_FALSE(menuAt(PointOfByte(3, true), QContextMenuEvent::Mouse).at(1).toBool());
    // The menu key opens it at (5, 5), over the offsets.
    const QList<QVariant> key = menuAt(PointOfByte(3, true), QContextMenuEvent::Keyboard);
    EXPECT_TRUE(key.at(1).toBool());
    EXPECT_EQ(key.at(0).toPoint(), view->viewport()->mapToGlobal(QPoint(5, 5)));
    // The right button itself does not move the caret.
    SendMouse(view->viewport(), QEvent::MouseButtonPress, PointOfByte(9, true), Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(CaretAt(), 0);
}

TEST_F(MouseEdit, TheWheelScrollsAndLeavesTheCaret)
{
    Open(Counting(16 * 100), QSize(800, 200));
    view->CaretControl().SetCaret(40, CaretMode::Move);
    QWheelEvent down(QPointF(10, 10), view->viewport()->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -360),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view->viewport(), &down);
    EXPECT_EQ(view->Top().Offset(), 16 * 3 * QApplication::wheelScrollLines());
    EXPECT_EQ(CaretAt(), 40);
}

// Scrolling, resizing, the size bar, the hints and the context menu signal,
// driven through the widget.
#include "ViewTestSupport.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <cstdio>

using namespace test_colors;

namespace {

void SendMouse(QWidget* to, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(at), to->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(to, &event);
}

void SendWheel(QWidget* to, int deltaY, int pixelsY = 0)
{
    const QPointF at(10, 10);
    QWheelEvent event(at, to->mapToGlobal(at), QPoint(0, pixelsY), QPoint(0, deltaY), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(to, &event);
}

} // namespace

class ViewScroll : public ViewTest {
protected:
    // What is on the screen: the window's backing store, where scrolled
    // pixels and partial repaints land.
    QImage OnScreen()
    {
        QApplication::processEvents();
        const QImage window = view->screen()->grabWindow(view->winId()).toImage().convertToFormat(QImage::Format_RGB32);
        return window.copy(view->viewport()->geometry());
    }
    void ShowView()
    {
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        QApplication::processEvents();
    }
    int64_t Top() { return view->Top().Offset(); }
    // Steps the bar of the open view of a file of size bytes at 16 bytes per
    // row through its ends, rows, pages, middle and the wheel.
    void ScrollThroughTheWholeFile(int64_t size, int offsetDigits)
    {
        const int rows = view->RowsInWindow();
        const int64_t limit = TopLimit(size, 16, rows);
        QScrollBar* vbar = view->verticalScrollBar();
        EXPECT_EQ(vbar->maximum(), kBarPositions);
        EXPECT_EQ(view->Geometry().offsetDigits, offsetDigits);

        struct Step {
            QAbstractSlider::SliderAction action;
            int64_t top;
        };
        const Step steps[] = {
            {QAbstractSlider::SliderSingleStepAdd, 16},
            {QAbstractSlider::SliderPageStepAdd, 16 + 16 * rows},
            {QAbstractSlider::SliderSingleStepSub, 16 * rows},
            {QAbstractSlider::SliderToMaximum, limit},
            {QAbstractSlider::SliderSingleStepSub, limit - 16},
            {QAbstractSlider::SliderSingleStepAdd, limit},
            {QAbstractSlider::SliderSingleStepAdd, limit},
            {QAbstractSlider::SliderPageStepSub, limit - 16 * rows},
            {QAbstractSlider::SliderToMinimum, 0},
            {QAbstractSlider::SliderSingleStepSub, 0},
        };
        for (const Step& s : steps) {
            vbar->triggerAction(s.action);
            EXPECT_EQ(Top(), s.top) << "after action " << s.action;
        }
        EXPECT_EQ(vbar->value(), 0);

        vbar->setValue(kBarPositions / 2);
        EXPECT_NEAR(double(Top()), double(limit) / 2, double(size) / kBarPositions);
        EXPECT_EQ(vbar->value(), kBarPositions / 2) << "the bar stays where it was put";

        vbar->triggerAction(QAbstractSlider::SliderToMinimum);
        const int previousLines = QApplication::wheelScrollLines();
        QApplication::setWheelScrollLines(3);
        SendWheel(vbar, -120);
        EXPECT_EQ(Top(), 3 * 16);
        QApplication::setWheelScrollLines(previousLines);
    }
};

TEST_F(ViewScroll, TheScrollBarCountsRowsAndMovesTheTopRow)
{
    Open(Counting(16 * 1000 + 5), QSize(800, 16 * 20 + 1));
    const int rows = view->RowsInWindow();
    QScrollBar* vbar = view->verticalScrollBar();
    EXPECT_EQ(vbar->maximum(), 1000 - rows + 1);
    EXPECT_EQ(vbar->pageStep(), rows);
    vbar->setValue(37);
    EXPECT_EQ(Top(), 37 * 16);
    vbar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(Top(), 38 * 16);
    vbar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(Top(), (38 + rows) * 16);
    vbar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(Top(), (1000 - rows + 1) * 16);
    // The last row of the file is the bottom row of the window.
    EXPECT_EQ(Top() + 16 * (rows - 1), 1000 * 16);
}

TEST_F(ViewScroll, WithoutScrollTrackingTheThumbMovesTheRowsOnlyWhenReleased)
{
    settings.scrollTracking = false;
    Open(Counting(16 * 1000), QSize(800, 300));
    QScrollBar* vbar = view->verticalScrollBar();
    vbar->setSliderDown(true);
    vbar->setSliderPosition(50);
    EXPECT_EQ(Top(), 0);
    vbar->setSliderDown(false);
    EXPECT_EQ(Top(), 50 * 16);

    settings.scrollTracking = true;
    view->UpdateScrollBars();
    vbar->setSliderDown(true);
    vbar->setSliderPosition(80);
    EXPECT_EQ(Top(), 80 * 16);
    vbar->setSliderDown(false);
}

// A notch of 120 units scrolls the desktop's lines per notch, touchpads'
// small amounts add up, and pixel distances count in row heights.
TEST_F(ViewScroll, TheWheelScrollsTheDesktopsLinesPerNotchAndAddsUpSmallAmounts)
{
    Open(Counting(16 * 1000), QSize(800, 300));
    const int previousLines = QApplication::wheelScrollLines();
    const int h = view->Geometry().lineHeight;
    struct Step {
        int linesPerNotch;
        int angle;
        int pixels;
        int32_t top;  // the top row's offset afterwards
    };
    const Step steps[] = {
        {3, -120, 0, 3 * 16},     // one notch down: three rows
        {3, -360, 0, 12 * 16},    // three notches at once: nine more
        {3, 120, 0, 9 * 16},      // one notch up
        {3, -15, 0, 9 * 16},      // an eighth of a notch is less than a row
        {3, -15, 0, 9 * 16},
        {3, -15, 0, 10 * 16},     // three eighths make one row and keep the rest
        {3, -15, 0, 10 * 16},
        {3, -15, 0, 10 * 16},
        {3, -15, 0, 11 * 16},     // eight eighths: a notch, three rows in all
        {3, 15, 0, 11 * 16},      // turning back starts afresh
        {1, -120, 0, 12 * 16},    // the desktop asks for one line per notch
        {5, 120, 0, 7 * 16},      // or five
        {3, -120, h / 2, 7 * 16}, // pixels win over the angle: half a row up
        {3, -120, h - h / 2, 6 * 16}, // and the other half
        {3, 0, -3 * h, 9 * 16},   // three rows down by pixels alone
    };
    int index = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(index++);
        QApplication::setWheelScrollLines(s.linesPerNotch);
        SendWheel(view->viewport(), s.angle, s.pixels);
        EXPECT_EQ(Top(), s.top);
    }
    QApplication::setWheelScrollLines(previousLines);
}

// Files of 64 GiB and 1 TiB have more top rows than the bar has positions:
// the bar spreads them, yet arrows move one row, pages one window, the ends
// reach the first and the last row exactly, the thumb's middle is the file's
// middle, the wheel over the bar scrolls as over the rows, and the offsets
// show whole.
TEST_F(ViewScroll, FilesOfManyGiBScrollByRowsAndReachBothEnds)
{
    struct Case {
        int64_t size;
        int offsetDigits;
    };
    for (const Case c : {Case{int64_t(64) << 30, 10}, Case{int64_t(1) << 40, 11}}) {
        SCOPED_TRACE(c.size);
        QTemporaryDir dir;
        const QString path = dir.filePath("big.bin");
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            if (!file.resize(c.size)) {
                std::printf("skipped %lld bytes: this file system makes no sparse file that large\n",
                            static_cast<long long>(c.size));
                continue;
            }
        }
        ASSERT_TRUE(OpenFile(path, QSize(800, 16 * 20 + 1)));
        ScrollThroughTheWholeFile(c.size, c.offsetDigits);
    }
}

TEST_F(ViewScroll, SetTopClampsSoTheEndOfTheFileStaysAtTheBottom)
{
    Open(Counting(1000), QSize(800, 16 * 10 + 3));
    const int rows = view->RowsInWindow();
    view->SetTop(37);
    EXPECT_EQ(Top(), 32);
    view->SetTop(1 << 30);
    EXPECT_EQ(Top(), (1000 - 16 * (rows - 1)) / 16 * 16);
    view->SetTop(-5);
    EXPECT_EQ(Top(), 0);
}

TEST_F(ViewScroll, HorizontalScrollingIsInPixelsAndOnlyCaretScrollingReachesTheOtherPane)
{
    Open(Counting(1000), QSize(300, 300));
    CBinEditView other(doc.get(), settings, ui);
    other.resize(300, 300);
    other.show();
    other.OnInitialUpdate();
    view->SetSplitPartner(&other);
    other.SetSplitPartner(view.get());

    QScrollBar* hbar = view->horizontalScrollBar();
    EXPECT_EQ(hbar->maximum(), view->Geometry().totalWidth - view->ClientWidth());
    EXPECT_EQ(hbar->pageStep(), view->ClientWidth());
    EXPECT_EQ(hbar->singleStep(), view->ClientWidth() / 5);
    hbar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(view->HScroll(), view->ClientWidth() / 5);
    EXPECT_EQ(other.HScroll(), 0);

    // Keeping the caret in view moves both panes.
    view->Caret().Seek(15);
    view->SetHexActive(false);
    view->EnsureCaretVisible();
    EXPECT_GT(view->HScroll(), view->ClientWidth() / 5);
    EXPECT_EQ(other.HScroll(), view->HScroll());
    const CaretPlace place = view->CaretPoint();
    EXPECT_GE(place.point.x(), 0);
    EXPECT_LT(place.point.x() + kCaretWidth, view->ClientWidth() + 1);
    view->SetSplitPartner(nullptr);
}

TEST_F(ViewScroll, KeepingTheCaretInViewScrollsDownToIt)
{
    Open(Counting(16 * 100), QSize(800, 16 * 10 + 2));
    const int rows = view->RowsInWindow();
    view->Caret().Seek(16 * 50 + 3);
    view->EnsureCaretVisible();
    EXPECT_EQ(Top(), 16 * (50 - rows + 1));
    view->Caret().Seek(5);
    view->EnsureCaretVisible();
    EXPECT_EQ(Top(), 0);
}

TEST_F(ViewScroll, ResizingWithSizeToFitChangesBytesPerRowInGroupSteps)
{
    settings.sizeToFit = true;
    settings.groupBy = 2;
    Open(Counting(5000), QSize(1200, 300));
    const int wide = view->BytesPerRow();
    EXPECT_EQ(wide % 4, 0);
    EXPECT_LT(view->Geometry().totalWidth, view->ClientWidth());
    int previous = wide;
    for (int width = 1200; width >= 300; width -= 20) {
        view->resize(width, 300);
        const int now = view->BytesPerRow();
        EXPECT_EQ(now % 4, 0);
        EXPECT_TRUE(now == previous || now == previous - 4) << width;
        EXPECT_LT(view->Geometry().totalWidth, view->ClientWidth()) << width;
        previous = now;
    }
    EXPECT_LT(previous, wide);
}

TEST_F(ViewScroll, DraggingTheSizeBarSetsBytesPerRowAndSwitchesSizeToFitOff)
{
    settings.showSizeBar = true;
    settings.sizeToFit = true;
    Open(Counting(5000), QSize(1400, 300));
    QWidget* vp = view->viewport();
    const RowLayout start = view->Geometry();
    const QPoint grab(start.Px(start.sizeBarX) + 3, 20);
    SendMouse(vp, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);

    LayoutOptions o;
    o.bytesPerRow = 8;
    o.groupBy = settings.groupBy;
    o.showSizeBar = true;
    o.charWidth = start.charWidth;
    o.lineHeight = start.lineHeight;
    SendMouse(vp, QEvent::MouseMove, QPoint(SizeBarXFor(o, 8) + 2, 20), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(view->BytesPerRow(), 8);
    EXPECT_FALSE(settings.sizeToFit);
    SendMouse(vp, QEvent::MouseMove, QPoint(SizeBarXFor(o, 20) - 2, 20), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(view->BytesPerRow(), 20);
    SendMouse(vp, QEvent::MouseButtonRelease, QPoint(SizeBarXFor(o, 20), 20), Qt::LeftButton, Qt::NoButton);
    // After the release moves do nothing.
    SendMouse(vp, QEvent::MouseMove, QPoint(SizeBarXFor(o, 30), 20), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(view->BytesPerRow(), 20);

    // Double-clicking the bar fits the window once, leaving SizeToFit off.
    const RowLayout now = view->Geometry();
    SendMouse(vp, QEvent::MouseButtonDblClick, QPoint(now.Px(now.sizeBarX), 20), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(view->BytesPerRow(), FitBytesPerRow(o, 20, view->ClientWidth()));
    EXPECT_GT(view->BytesPerRow(), 20);
    EXPECT_FALSE(settings.sizeToFit);
}

TEST_F(ViewScroll, PressingAwayFromTheSizeBarDoesNotDrag)
{
    settings.showSizeBar = true;
    Open(Counting(5000), QSize(1400, 300));
    const RowLayout l = view->Geometry();
    QWidget* vp = view->viewport();
    SendMouse(vp, QEvent::MouseButtonPress, QPoint(l.Px(l.sizeBarX) - l.charWidth, 20), Qt::LeftButton,
              Qt::LeftButton);
    SendMouse(vp, QEvent::MouseMove, QPoint(100, 20), Qt::NoButton, Qt::LeftButton);
    SendMouse(vp, QEvent::MouseButtonRelease, QPoint(100, 20), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(view->BytesPerRow(), 16);
}

TEST_F(ViewScroll, TheLayoutMenuIsOfferedOverTheOffsetsAndTheSizeBar)
{
    settings.showSizeBar = true;
    Open(Counting(100), QSize(900, 300));
    QSignalSpy spy(view.get(), &CBinEditView::contextMenuRequested);
    const RowLayout l = view->Geometry();
    auto rightClick = [&](int x) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(x, 10), view->viewport()->mapToGlobal(QPoint(x, 10)));
        QCoreApplication::sendEvent(view->viewport(), &event);
        return spy.takeLast().at(1).toBool();
    };
    EXPECT_TRUE(rightClick(l.Px(l.offsetX) + 3));
    EXPECT_FALSE(rightClick(l.Px(l.hexX) + 3));
    EXPECT_FALSE(rightClick(l.Px(l.charX) + 3));
    EXPECT_TRUE(rightClick(l.Px(l.sizeBarX)));
}

TEST_F(ViewScroll, RelayoutTakesBytesPerRowFromTheSettingsOnlyWhenAsked)
{
    Open(Counting(1000));
    view->Layout(24);
    settings.bytesPerRow = 8;
    view->Relayout(false);
    EXPECT_EQ(view->BytesPerRow(), 24);
    view->Relayout(true);
    EXPECT_EQ(view->BytesPerRow(), 8);
    EXPECT_EQ(view->Top().unit, 8);
}

TEST_F(ViewScroll, OneColumnBecomesTheCaretColumn)
{
    Open(Counting(100));
    settings.columns = kCharColumn;
    view->Layout(0);
    EXPECT_FALSE(view->HexActive());
    EXPECT_EQ(view->Status().column, "ASCII");
    settings.columns = kHexColumn;
    view->Layout(0);
    EXPECT_TRUE(view->HexActive());
}

TEST_F(ViewScroll, SizeChangesUpdateTheScrollRangeAndEditsBeforeTheTopMoveIt)
{
    Open(Counting(16 * 100), QSize(800, 16 * 10 + 2));
    view->SetTop(16 * 40);
    const int before = view->verticalScrollBar()->maximum();
    CBufferPos at;
    at.Bind(&doc->Buffer(), false, 0);
    at.Insert(16 * 5);
    view->OnDocumentChanged(nullptr, DocumentChange::Replaced(0, 0, 16 * 5));
    EXPECT_EQ(view->verticalScrollBar()->maximum(), before + 5);
    // The top is registered with the buffer, so it kept its bytes.
    EXPECT_EQ(Top(), 16 * 45);
    EXPECT_EQ(view->verticalScrollBar()->value(), 45);
}

TEST_F(ViewScroll, AnOverwrittenByteRepaintsOnlyItsRow)
{
    Open(Counting(16 * 8), QSize(800, 300));
    ShowView();
    const QImage before = OnScreen();
    // Change bytes in rows 1 and 4 behind the view's back, then announce only row 4.
    CBufferPos at;
    at.Bind(&doc->Buffer(), false, 16 + 2);
    at.Write("\xEE", 1);
    at.Seek(4 * 16 + 2);
    at.Write("\xEE", 1);
    view->OnDocumentChanged(nullptr, DocumentChange::Overwritten(4 * 16 + 2, 1));
    const QImage after = OnScreen();
    const int lh = view->Geometry().lineHeight;
    const int w = view->ClientWidth();
    EXPECT_EQ(after.copy(0, lh, w, lh), before.copy(0, lh, w, lh));  // row 1 still shows the old byte
    EXPECT_NE(after.copy(0, 4 * lh, w, lh), before.copy(0, 4 * lh, w, lh));
    EXPECT_EQ(after.copy(0, 4 * lh, w, lh), Grab().copy(0, 4 * lh, w, lh));
}

TEST_F(ViewScroll, ScrolledPixelsMatchAFreshPaint)
{
    Open(Counting(16 * 500), QSize(800, 16 * 12 + 5));
    ShowView();
    OnScreen();
    for (int32_t target : {16, 16 * 4, 16 * 3, 16 * 200, 16 * 199}) {
        view->SetTop(target);
        const QImage screen = OnScreen();
        EXPECT_EQ(screen, Grab()) << "top " << target;
    }
    view->resize(300, 16 * 12 + 5);
    view->SetHScroll(37, false, false);
    EXPECT_EQ(OnScreen(), Grab());
    view->SetHScroll(20, false, false);
    EXPECT_EQ(OnScreen(), Grab());
}

TEST_F(ViewScroll, StatusReflectsTheDocumentAndTheSettings)
{
    settings.statusFormat = 0;
    Open(Counting(300));
    view->Caret().Seek(200);
    ViewStatus s = view->Status();
    EXPECT_EQ(s.size, "300");
    EXPECT_EQ(s.position, "200");
    EXPECT_EQ(s.mode, "OVR");
    EXPECT_EQ(s.modified, "");
    doc->SetReadOnly(true);
    doc->SetModifiedFlag(true);
    settings.statusFormat = 1;
    s = view->Status();
    EXPECT_EQ(s.size, "12C");
    EXPECT_EQ(s.position, "C8");
    EXPECT_EQ(s.mode, "READ");
    EXPECT_EQ(s.modified, "MOD");
}

TEST_F(ViewScroll, ASecondPaneStartsWhereTheFirstStands)
{
    Open(Counting(5000), QSize(400, 300));
    view->Layout(24);
    view->SetTop(24 * 30);
    view->Caret().Seek(24 * 31 + 5);
    view->SetHScroll(40, false, false);
    CBinEditView pane(doc.get(), settings, ui);
    pane.resize(400, 300);
    pane.show();
    pane.OnInitialUpdate();
    pane.CopyPaneState(*view);
    EXPECT_EQ(pane.BytesPerRow(), 24);
    EXPECT_EQ(pane.Top().Offset(), 24 * 30);
    EXPECT_EQ(pane.Caret().Offset(), 24 * 31 + 5);
    EXPECT_EQ(pane.HScroll(), 40);
    EXPECT_TRUE(pane.Top().IsRegistered());
}

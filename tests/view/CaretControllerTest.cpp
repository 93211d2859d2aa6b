// The caret controller on its own: a real document, and in place of the
// window a recorder of what the controller asks of the view's faces. It
// shows which rows a caret move repaints, when the end-of-row flag survives
// and when Select All applies, without painting anything.
#include "core/AlignedPos.h"
#include "core/BinEditDoc.h"
#include "core/SelectionPos.h"
#include "settings/AppSettings.h"
#include "view/CaretController.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

class RecordingFaces : public IViewGeometry, public IViewScrolling, public IViewUpdates, public ICaretDisplay {
public:
    // IViewGeometry: sixteen bytes a row, nothing else is asked.
    const RowLayout& Geometry() const override { return layout; }
    const CAlignedPos& Top() const override { return top; }
    int HScroll() const override { return 0; }
    int ClientWidth() const override { return 640; }
    int ClientHeight() const override { return 160; }
    int RowsInWindow() const override { return 10; }
    HitResult HitTest(int, int) const override { return {}; }

    // IViewScrolling
    void SetTop(int64_t, bool) override {}
    void SetHScroll(int, bool, bool) override {}
    void EnsureCaretVisible() override { ++caretBroughtIntoView; }

    // IViewUpdates
    void RepaintOffsets(int64_t first, int64_t last) override { repaints.emplace_back(first, last); }
    void NotifyStatusChanged() override { ++statusNotices; }

    // ICaretDisplay
    bool HexActive() const override { return true; }
    void SetHexActive(bool) override {}
    bool EndOfRow() const override { return endOfRow; }
    void SetEndOfRow(bool shown) override { endOfRow = shown; }
    bool LowNibblePending() const override { return false; }
    void SetDropCaret(bool) override {}

    RowLayout layout;
    CAlignedPos top;
    bool endOfRow = false;
    std::vector<std::pair<int64_t, int64_t>> repaints;
    int caretBroughtIntoView = 0;
    int statusNotices = 0;
};

class CaretController : public ::testing::Test {
protected:
    void Open(int64_t size)
    {
        doc.OnNewDocument();
        if (size > 0) {
            CBufferPos at;
            at.Bind(&doc.Buffer(), false, 0);
            at.Insert(size);
        }
        caret.Bind(&doc.Buffer(), true, 0);
    }
    bool Selected(int64_t start, int64_t end) const
    {
        return caret.hasSelection && caret.selStart == start && caret.selEnd == end;
    }

    CBinEditDoc doc;
    CSelectionPos caret;
    AppSettings settings;
    RecordingFaces faces;
    CCaretController control{ViewSubject{&doc, caret, settings}, faces, faces, faces, faces};
};

using Repaints = std::vector<std::pair<int64_t, int64_t>>;

TEST_F(CaretController, ExtendingRepaintsOnlyTheBytesWhoseSelectionChanged)
{
    Open(100);
    control.SetCaret(10, CaretMode::Move);
    EXPECT_TRUE(faces.repaints.empty());
    EXPECT_EQ(faces.caretBroughtIntoView, 1);
    EXPECT_EQ(faces.statusNotices, 1);

    control.SetCaret(20, CaretMode::Extend);
    EXPECT_TRUE(Selected(10, 20));
    EXPECT_EQ(faces.repaints, (Repaints{{10, 19}}));
    // Once for the selection, once for the caret.
    EXPECT_EQ(faces.statusNotices, 3);

    control.SetCaret(25, CaretMode::Extend);
    control.SetCaret(15, CaretMode::Extend);
    EXPECT_TRUE(Selected(10, 15));
    EXPECT_EQ(faces.repaints, (Repaints{{10, 19}, {20, 24}, {15, 24}}));
    EXPECT_EQ(control.Anchor(), 10);
    EXPECT_EQ(control.LastExtend(), 15);

    control.SetCaret(5, CaretMode::Move);
    EXPECT_FALSE(caret.hasSelection);
    EXPECT_EQ(faces.repaints.back(), (std::pair<int64_t, int64_t>(10, 14)));
    EXPECT_EQ(faces.caretBroughtIntoView, 5);
    EXPECT_EQ(caret.Offset(), 5);
}

TEST_F(CaretController, TheEndOfRowFlagSurvivesOnlyAMoveOntoTheRowStartAsked)
{
    Open(96);
    auto flagAfter = [this](int64_t offset, bool pendingLowNibble) {
        faces.endOfRow = true;
        control.SetCaret(offset, CaretMode::Move, pendingLowNibble);
        return faces.endOfRow;
    };
    EXPECT_TRUE(flagAfter(32, false));
    EXPECT_FALSE(flagAfter(33, false));
    EXPECT_FALSE(flagAfter(0, false));
    // Clamped to the end of the file, a row start that was not asked for.
    EXPECT_FALSE(flagAfter(200, false));
    EXPECT_EQ(caret.Offset(), 96);
    EXPECT_FALSE(flagAfter(32, true));
    EXPECT_EQ(caret.spare, 1);
}

TEST_F(CaretController, SelectAllNeedsBytes)
{
    Open(0);
    EXPECT_FALSE(control.CanSelectAll());
    control.SelectAll();
    EXPECT_FALSE(caret.hasSelection);
    EXPECT_EQ(faces.statusNotices, 0);

    CBufferPos at;
    at.Bind(&doc.Buffer(), false, 0);
    at.Insert(40);
    EXPECT_TRUE(control.CanSelectAll());
    control.SelectAll();
    EXPECT_TRUE(Selected(0, 40));
    EXPECT_EQ(caret.Offset(), 40);
}

}  // namespace

// The editing tools over a sparse document of more than 4 GiB, opened
// through extents with the document's size limit lifted: find in both
// directions, the interactive replace and Replace All, typed runs and
// bookmarks at offsets that do not fit in 32 bits.
#include "MessageRecorder.h"
#include "ToolTestSupport.h"

#include "platform/StatusHooks.h"
#include "tools/BookmarkCollection.h"
#include "tools/BookmarkCommands.h"
#include "tools/CoreMessages.h"
#include "tools/DeleteItems.h"
#include "tools/FindCommands.h"
#include "tools/InsertItems.h"
#include "tools/ItemCount.h"
#include "tools/ModifyItems.h"
#include "tools/ReplaceAll.h"
#include "tools/ReplaceSession.h"
#include "tools/SearchPattern.h"
#include "types/StdValueType.h"
#include "types/ValueTypeRegistry.h"

#include <gtest/gtest.h>

namespace {

constexpr int64_t k2G = int64_t(1) << 31;
constexpr int64_t k4G = int64_t(1) << 32;
constexpr int64_t kSize = k4G + 65536;

// Six bytes of one value, so that a run of seven holds a match at each of
// two neighbouring offsets (2^31 - 1 and 2^31).
const QByteArray kPattern("ZZZZZZ");

class LargeDocumentToolsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetStatusTextHandler([this](const QString& text) { statuses << text; });
        doc = OpenSparseDocument(folder, kSize,
                                 {{0, kPattern}, {k2G - 1, kPattern + "Z"}, {k4G + 5, kPattern},
                                  {kSize - 6, kPattern}});
        ASSERT_TRUE(doc);
        view = std::make_unique<FakeToolView>(*doc);
    }
    void TearDown() override
    {
        view.reset();
        doc.reset();
        platform::SetStatusTextHandler(nullptr);
    }

    QByteArray At(int64_t offset, int64_t count) const { return ReadDocument(*doc, offset, count); }
    std::pair<int64_t, int64_t> Selected() const
    {
        const SelectionState s = view->Selection();
        return {s.hasSelection ? s.selStart : s.caret, s.hasSelection ? s.selEnd : s.caret};
    }

    SparseFolder folder;
    MessageRecorder messages;
    QStringList statuses;
    std::unique_ptr<CBinEditDoc> doc;
    std::unique_ptr<FakeToolView> view;
};

// One walk forward from 0 and one backward from the end step through every
// planted match and wrap once; the interactive replace and Replace All then
// change the length at 2^32 + 5 and past it.
TEST_F(LargeDocumentToolsTest, FindAndReplaceReachEveryMatchPastFourGiB)
{
    SearchState search;
    search.pattern = kPattern;
    search.matchCase = true;
    struct Step {
        bool forward;
        int64_t found;  // the match selected, with the caret at its end
        const char* status;
    };
    const Step walk[] = {
        {true, 0, nullptr},
        {true, k2G - 1, nullptr},
        {true, k4G + 5, nullptr},  // the overlapping match at 2^31 lies behind the last end
        {true, kSize - 6, nullptr},
        {true, 0, "Passed the end of the file."},
        {false, kSize - 6, nullptr},
        {false, k4G + 5, nullptr},
        {false, k2G, nullptr},
        {false, 0, nullptr},
        {false, kSize - 6, "Passed the beginning of the file."},
    };
    for (size_t i = 0; i < std::size(walk); ++i) {
        const Step& step = walk[i];
        if (i == 0)
            view->Select(0, 0);
        if (i == 5)
            view->Select(kSize, kSize);
        statuses.clear();
        ASSERT_TRUE(step.forward ? FindNext(doc->Buffer(), *view, search) : FindPrevious(doc->Buffer(), *view, search))
            << "step " << i;
        EXPECT_EQ(Selected(), std::make_pair(step.found, step.found + 6)) << "step " << i;
        EXPECT_EQ(view->Selection().caret, step.found + 6) << "step " << i;
        EXPECT_EQ(statuses, step.status ? QStringList{QString::fromLatin1(step.status)} : QStringList{})
            << "step " << i;
    }
    EXPECT_EQ(messages.Count(), 0);

    // Replace with three bytes more, from just before 2^32 + 5: the bytes land
    // there and the run goes on to the last match, moved by three.
    search.replacement = "REPLACED!";
    view->Select(k4G, k4G);
    CReplaceSession session(*doc, *view, search);
    session.Begin();
    ASSERT_EQ(session.FindNext(), CReplaceSession::Step::Found);
    EXPECT_EQ(session.CurrentMatch(), k4G + 5);
    ASSERT_EQ(session.Replace(), CReplaceSession::Step::Found);
    EXPECT_EQ(At(k4G + 4, 11), QByteArray("\0REPLACED!\0", 11));
    EXPECT_EQ(doc->Size(), kSize + 3);
    EXPECT_EQ(session.CurrentMatch(), kSize - 3);
    CBufferPos cursor;
    cursor.Bind(&doc->Buffer(), false, 0);
    ASSERT_GE(doc->Undo(cursor), 0);
    EXPECT_EQ(At(k4G + 4, 8), QByteArray("\0ZZZZZZ\0", 8));

    // Replace All over the whole file: four matches (the one at 2^31 overlaps
    // the one before), each later one moved by the growth before it.
    view->Select(0, 0);
    const ReplaceAllOutcome outcome = ReplaceAll(*doc, *view, search, false, {});
    EXPECT_EQ(outcome.replaced, 4);
    EXPECT_EQ(doc->Size(), kSize + 12);
    EXPECT_EQ(statuses.last(), "Replaced 4 occurrence(s).");
    for (const int64_t at : {int64_t(0), k2G - 1 + 3, k4G + 5 + 6, kSize - 6 + 9})
        EXPECT_EQ(At(at, 9), QByteArray("REPLACED!")) << at;
    EXPECT_EQ(At(k2G + 11, 2), QByteArray("Z\0", 2)) << "the seventh Z stays";
    EXPECT_EQ(view->Selection().caret, kSize + 12) << "the caret stands past the last replacement";
    ASSERT_GE(doc->Undo(cursor), 0);
    EXPECT_EQ(doc->Size(), kSize);
    EXPECT_EQ(At(k2G - 1, 8), QByteArray("ZZZZZZZ\0", 8));
    EXPECT_EQ(At(kSize - 6, 6), kPattern);
}

// Insert, modify and delete a few bytes at 2^32 + 5, and the insert limit
// checked against the buffer's own limit set just above the size.
TEST_F(LargeDocumentToolsTest, TypedRunsAndBookmarksPastFourGiB)
{
    ValueTypeRegistry types;
    const ItemRunPreview preview = PreviewItemRun(ItemVerb::Insert, u"3", 2, k4G + 5, kSize, true);
    EXPECT_EQ(preview.text, "Insert 6 bytes at offset 0x100000005");
    EXPECT_EQ(std::make_pair(preview.selStart, preview.selEnd), std::make_pair(k4G + 5, k4G + 11));
    EXPECT_EQ(PreviewItemRun(ItemVerb::Delete, u"8", 4, kSize - 6, kSize, false).text,
              "Delete 32 bytes at offset 4295032826");
    EXPECT_EQ(PreviewItemRun(ItemVerb::Delete, u"8", 4, kSize - 6, kSize, false).selEnd, kSize) << "clipped";

    EXPECT_EQ(RunInsert(*doc, *view, k4G + 5, InsertRequest{2, TYPE_WORD, "AB"}), 4);
    EXPECT_EQ(At(k4G + 4, 11), QByteArray("\0ABABZZZZZZ", 11));
    EXPECT_EQ(Selected(), std::make_pair(k4G + 5, k4G + 9));
    ModifyInputs add;  // two Bytes, Add 1
    add.countText = QStringLiteral("2");
    add.action = ACTION_ADD;
    add.actionValue = QStringLiteral("1");
    EXPECT_TRUE(RunModify(*doc, *view, k4G + 6, ValidateModify(add).request));
    EXPECT_EQ(At(k4G + 4, 6), QByteArray("\0ACBBZ", 6));
    EXPECT_EQ(Selected(), std::make_pair(k4G + 6, k4G + 8));
    EXPECT_TRUE(RunDelete(*doc, *view, k4G + 5, DeleteRequest{2, TYPE_WORD}, types));
    EXPECT_EQ(doc->Size(), kSize);
    EXPECT_EQ(At(k4G + 4, 8), QByteArray("\0ZZZZZZ\0", 8));
    EXPECT_EQ(messages.Count(), 0);

    // Seven bytes fit under the limit, eight do not: refused before anything
    // changes, with the buffer's message.
    doc->Buffer().SetSizeLimit(kSize + 7);
    EXPECT_EQ(RunInsert(*doc, *view, k4G + 5, InsertRequest{4, TYPE_WORD, ".."}), 0);
    EXPECT_EQ(messages.Texts(), QStringList{CoreMessages::SizeLimitInsertText()});
    EXPECT_EQ(doc->Size(), kSize);
    EXPECT_EQ(RunInsert(*doc, *view, kSize, InsertRequest{7, TYPE_BYTE, "."}), 7);
    EXPECT_EQ(At(kSize - 1, 8), QByteArray("Z......."));

    // A bookmark toggled at the caret past 4 GiB keeps its whole offset and
    // selects its range again.
    CBookmarkCollection bookmarks;
    view->Select(k4G + 5, k4G + 11);
    EXPECT_EQ(ToggleBookmark(bookmarks, *view), ToggleResult::Added);
    ASSERT_EQ(bookmarks.Count(), 1);
    EXPECT_EQ(std::make_pair(bookmarks.At(0).start, bookmarks.At(0).end), std::make_pair(k4G + 5, k4G + 11));
    view->Select(0, 0);
    EXPECT_TRUE(GoToNextBookmark(bookmarks, *view, true));
    EXPECT_EQ(Selected(), std::make_pair(k4G + 5, k4G + 11));
    EXPECT_EQ(statuses.last(), "Bookmark: \"Bookmark 001\", Offset=0x100000005, Length=0x6");
}

} // namespace

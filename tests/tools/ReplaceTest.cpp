// Replace All against a plain replace on a byte array, with its one undo
// step, and the interactive replace with its wrap bound.
#include "MessageRecorder.h"
#include "ToolTestSupport.h"

#include "settings/AppSettings.h"
#include "platform/StatusHooks.h"
#include "tools/FindCommands.h"
#include "tools/ReplaceAll.h"
#include "tools/ReplaceSession.h"
#include "tools/SearchPattern.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

namespace {

uint8_t Upper(uint8_t b) { return b >= 'a' && b <= 'z' ? uint8_t(b - 32) : b; }

bool MatchesAt(const QByteArray& text, qsizetype at, const QByteArray& pattern, bool matchCase)
{
    for (qsizetype k = 0; k < pattern.size(); ++k) {
        const auto t = uint8_t(text[at + k]);
        const auto p = uint8_t(pattern[k]);
        if (matchCase ? t != p : Upper(t) != Upper(p))
            return false;
    }
    return true;
}

// Left to right, never overlapping, continuing after each replacement.
QByteArray ReferenceReplace(const QByteArray& text, const SearchState& search, qsizetype start, qsizetype end,
                            int* count)
{
    QByteArray out = text.left(start);
    qsizetype at = start;
    *count = 0;
    const qsizetype n = search.pattern.size();
    while (at < end) {
        if (at + n <= end && MatchesAt(text, at, search.pattern, search.matchCase)) {
            out += search.replacement;
            at += n;
            ++*count;
        } else {
            out += text[at++];
        }
    }
    return out + text.mid(end);
}

QByteArray RandomText(int32_t size, std::mt19937& random)
{
    static const char alphabet[] = "aAbBc";
    QByteArray text(size, '\0');
    for (char& c : text)
        c = alphabet[random() % 5];
    return text;
}

QByteArray RandomBytesOf(int32_t size, std::mt19937& random)
{
    QByteArray bytes(size, '\0');
    for (char& c : bytes)
        c = "aAbBcxy"[random() % 7];
    return bytes;
}

class ReplaceTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    MessageRecorder messages;
    QStringList statuses;

    void TearDown() override { platform::SetStatusTextHandler(nullptr); }
    void RecordStatuses()
    {
        platform::SetStatusTextHandler([this](const QString& text) { statuses << text; });
    }
};

TEST_F(ReplaceTest, ReplaceAllMatchesAReferenceAndUndoesAndRedoesInOneStep)
{
    std::mt19937 random(31337);
    int withMatches = 0;
    for (int round = 0; round < 80; ++round) {
        const int32_t size = std::uniform_int_distribution<int32_t>(1, 2500)(random);
        const QByteArray original = RandomText(size, random);
        auto doc = OpenChunkedDocument(dir, original, RandomChunkSizes(size, round % 2 ? 7 : 300, random));
        ASSERT_TRUE(doc);
        FakeToolView view(*doc);
        SearchState search;
        search.pattern = RandomText(std::uniform_int_distribution<int32_t>(1, 4)(random), random);
        search.replacement = RandomBytesOf(std::uniform_int_distribution<int32_t>(0, 6)(random), random);
        search.matchCase = random() % 2;
        const bool inSelection = round % 3 == 0;
        qsizetype start = 0, end = size;
        if (inSelection) {
            start = std::uniform_int_distribution<int32_t>(0, size - 1)(random);
            end = std::uniform_int_distribution<int32_t>(int32_t(start) + 1, size)(random);
            view.Select(int32_t(start), int32_t(end));
        }
        int expectedCount = 0;
        const QByteArray expected = ReferenceReplace(original, search, start, end, &expectedCount);
        messages.Clear();

        const ReplaceAllOutcome outcome = ReplaceAll(*doc, view, search, inSelection, {});
        ASSERT_EQ(outcome.replaced, expectedCount) << "round " << round;
        ASSERT_EQ(Contents(doc->Buffer()), expected) << "round " << round;
        std::string why;
        ASSERT_TRUE(doc->Buffer().CheckInvariants(&why)) << why;
        if (expectedCount == 0) {
            EXPECT_EQ(messages.Texts(), QStringList{"Search pattern not found."});
            EXPECT_FALSE(doc->CanUndo());
            EXPECT_FALSE(doc->IsModified());
            continue;
        }
        ++withMatches;
        EXPECT_EQ(messages.Count(), 0);
        EXPECT_TRUE(doc->IsModified());
        EXPECT_EQ(doc->UndoList().Count(), 1) << "one undo step";

        ASSERT_GE(doc->Undo(view.Caret()), 0);
        ASSERT_EQ(Contents(doc->Buffer()), original) << "round " << round;
        EXPECT_FALSE(doc->IsModified());
        ASSERT_GE(doc->Redo(view.Caret()), 0);
        ASSERT_EQ(Contents(doc->Buffer()), expected) << "round " << round;
        EXPECT_TRUE(doc->IsModified());
    }
    EXPECT_GT(withMatches, 60);
}

TEST_F(ReplaceTest, CaretEndsPastTheLastReplacementAndTheStatusCountsThem)
{
    auto doc = OpenChunkedDocument(dir, "ab..ab..", {3, 5});
    FakeToolView view(*doc);
    RecordStatuses();
    const ReplaceAllOutcome outcome = ReplaceAll(*doc, view, SearchState{"ab", "XYZ", true}, false, {});
    EXPECT_EQ(outcome.replaced, 2);
    EXPECT_EQ(Contents(doc->Buffer()), QByteArray("XYZ..XYZ.."));
    EXPECT_EQ(view.Selection().caret, 8);
    EXPECT_FALSE(view.Selection().hasSelection);
    EXPECT_EQ(statuses, (QStringList{"Replacing...  Press Esc to stop", QStringLiteral("Replaced 2 occurrence(s).")}));
}

TEST_F(ReplaceTest, EmptyReplacementDeletesEveryMatchAndUndoRestoresThemAll)
{
    const QByteArray original("--abc--ABC--abc");
    auto doc = OpenChunkedDocument(dir, original, {2, 5, 1, 7});
    FakeToolView view(*doc);
    const ReplaceAllOutcome outcome = ReplaceAll(*doc, view, SearchState{"abc", {}, false}, false, {});
    EXPECT_EQ(outcome.replaced, 3);
    EXPECT_EQ(Contents(doc->Buffer()), QByteArray("------"));
    ASSERT_GE(doc->Undo(view.Caret()), 0);
    EXPECT_EQ(Contents(doc->Buffer()), original);
}

TEST_F(ReplaceTest, MatchesDifferingInCaseAreStoredOnceEach)
{
    QByteArray original;
    for (int i = 0; i < 30; ++i)
        original += QByteArray(i % 3 == 0 ? "abc." : (i % 3 == 1 ? "ABC." : "aBc."));
    auto doc = OpenChunkedDocument(dir, original, {40, 40, 40});
    FakeToolView view(*doc);
    const ReplaceAllOutcome outcome = ReplaceAll(*doc, view, SearchState{"abc", "x", false}, false, {});
    EXPECT_EQ(outcome.replaced, 30);
    EXPECT_EQ(outcome.distinctValues, 3);
    const UndoEntry& entry = doc->UndoList().Top();
    EXPECT_EQ(entry.kind, UndoKind::RestoreMany);
    // n, 30 pairs of 12 bytes (offset, value index), k, three values of 3 bytes.
    EXPECT_EQ(entry.dataSize, 8 + 30 * 12 + 8 + 3 * 3);
    ASSERT_GE(doc->Undo(view.Caret()), 0);
    EXPECT_EQ(Contents(doc->Buffer()), original);
}

TEST_F(ReplaceTest, EscStopsTheRunAtTheNextCheckAndKeepsWhatWasReplaced)
{
    QByteArray original;
    for (int i = 0; i < 200; ++i)
        original += "ab";
    std::mt19937 random(3);
    auto doc = OpenChunkedDocument(dir, original, RandomChunkSizes(400, 30, random));
    FakeToolView view(*doc);
    int polls = 0;
    std::vector<int32_t> pollSizes;
    const ReplaceAllOutcome outcome = ReplaceAll(*doc, view, SearchState{"ab", "Z", true}, false, [&] {
        pollSizes.push_back(doc->Size());
        return ++polls == 3;  // Esc is pressed before the third check
    });
    EXPECT_TRUE(outcome.stoppedByUser);
    EXPECT_EQ(outcome.replaced, 100) << "checks come before replacements 0, 50 and 100";
    EXPECT_EQ(pollSizes, (std::vector<int32_t>{400, 350, 300}));
    EXPECT_EQ(Contents(doc->Buffer()), QByteArray(100, 'Z') + original.mid(200));
    ASSERT_GE(doc->Undo(view.Caret()), 0) << "what was replaced is one undo step";
    EXPECT_EQ(Contents(doc->Buffer()), original);
}

TEST_F(ReplaceTest, EscBeforeTheFirstReplacementChangesNothingAndIsNoFailure)
{
    auto doc = OpenChunkedDocument(dir, "abab", {4});
    FakeToolView view(*doc);
    const ReplaceAllOutcome outcome = ReplaceAll(*doc, view, SearchState{"ab", "Z", true}, false, [] { return true; });
    EXPECT_TRUE(outcome.stoppedByUser);
    EXPECT_EQ(outcome.replaced, 0);
    EXPECT_EQ(messages.Count(), 0) << "the pattern was found: no not-found message";
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(ReplaceTest, SelectionRangeEndMovesWithTheEdits)
{
    auto doc = OpenChunkedDocument(dir, "ab ab ab ab", {4, 7});
    FakeToolView view(*doc);
    view.Select(0, 8);  // "ab ab ab" only the first three
    ReplaceAll(*doc, view, SearchState{"ab", "LONGER", true}, true, {});
    EXPECT_EQ(Contents(doc->Buffer()), QByteArray("LONGER LONGER LONGER ab"));
}

TEST_F(ReplaceTest, ReadOnlyDocumentsAreLeftAlone)
{
    auto doc = OpenChunkedDocument(dir, "abab", {4});
    doc->SetReadOnly(true);
    FakeToolView view(*doc);
    EXPECT_EQ(ReplaceAll(*doc, view, SearchState{"ab", "Z", true}, false, {}).replaced, 0);
    EXPECT_EQ(Contents(doc->Buffer()), QByteArray("abab"));
}

TEST_F(ReplaceTest, RunsBeyondThePlainUndoBlockLimitAreStillOneUndoStep)
{
    // 20000 replacements: far more old bytes than one plain entry may hold,
    // yet the record keeps only the one distinct value and the offsets.
    const QByteArray original(20000, 'a');
    std::mt19937 random(4);
    auto doc = OpenChunkedDocument(dir, original, RandomChunkSizes(20000, 2048, random));
    FakeToolView view(*doc);
    const ReplaceAllOutcome outcome = ReplaceAll(*doc, view, SearchState{"a", "bb", true}, false, {});
    EXPECT_EQ(outcome.replaced, 20000);
    EXPECT_EQ(messages.Count(), 0) << "no history question";
    EXPECT_EQ(Contents(doc->Buffer()), QByteArray(40000, 'b'));
    EXPECT_LE(outcome.tableBytes, int64_t(sizeof(OccurrencePair)) * 20000 * 3 / 2) << "the pair table grows by half at most";
    ASSERT_GE(doc->Undo(view.Caret()), 0);
    EXPECT_EQ(Contents(doc->Buffer()), original);
}

// ---------------------------------------------------------------- interactive

TEST_F(ReplaceTest, InteractiveReplaceStepsWrapsAndEndsAtTheStart)
{
    // Matches at 0, 4, 8; the user starts at 5, inside nothing.
    auto doc = OpenChunkedDocument(dir, "ab..ab..ab..", {5, 7});
    FakeToolView view(*doc);
    view.Select(5, 5);
    RecordStatuses();
    CReplaceSession session(*doc, view, SearchState{"ab", "XYZ", true});
    session.Begin();
    EXPECT_EQ(session.StartOffset(), 5);
    ASSERT_EQ(session.FindNext(), CReplaceSession::Step::Found);
    EXPECT_EQ(view.Selection().caret, 8) << "caret at the match start";
    EXPECT_EQ(view.Selection().selEnd, 10);
    ASSERT_EQ(session.Replace(), CReplaceSession::Step::Found) << "wraps to the start";
    EXPECT_EQ(Contents(doc->Buffer()), QByteArray("ab..ab..XYZ.."));
    EXPECT_EQ(session.WrapBound(), 5 + 2 - 1);
    EXPECT_TRUE(statuses.contains("Passed the end of the file."));
    EXPECT_EQ(view.Selection().selStart, 0);
    ASSERT_EQ(session.Replace(), CReplaceSession::Step::Found);
    EXPECT_EQ(session.WrapBound(), 7) << "the bound moves with the longer replacement";
    EXPECT_EQ(view.Selection().selStart, 5) << "the match at 4 moved to 5 and starts before the bound";
    ASSERT_EQ(session.Replace(), CReplaceSession::Step::Complete);
    EXPECT_EQ(Contents(doc->Buffer()), QByteArray("XYZ..XYZ..XYZ.."));
    EXPECT_EQ(messages.Texts(), QStringList{"Search and replace is complete."});
    EXPECT_EQ(doc->UndoList().Count(), 3) << "each replacement is one step";
    for (int i = 0; i < 3; ++i)
        ASSERT_GE(doc->Undo(view.Caret()), 0);
    EXPECT_EQ(Contents(doc->Buffer()), QByteArray("ab..ab..ab.."));
}

TEST_F(ReplaceTest, InteractiveReplaceFromZeroDoesNotWrap)
{
    auto doc = OpenChunkedDocument(dir, "..ab", {4});
    FakeToolView view(*doc);
    CReplaceSession session(*doc, view, SearchState{"ab", "", true});
    session.Begin();
    ASSERT_EQ(session.FindNext(), CReplaceSession::Step::Found);
    EXPECT_EQ(session.Replace(), CReplaceSession::Step::Complete);
    EXPECT_EQ(Contents(doc->Buffer()), QByteArray(".."));
    EXPECT_EQ(session.WrapBound(), -1);
}

TEST_F(ReplaceTest, InteractiveReplaceSkipsAMatchTheUserDidNotSelect)
{
    auto doc = OpenChunkedDocument(dir, "ab.ab", {5});
    FakeToolView view(*doc);
    CReplaceSession session(*doc, view, SearchState{"ab", "Q", true});
    session.Begin();
    ASSERT_EQ(session.FindNext(), CReplaceSession::Step::Found);
    view.Select(1, 1);  // the selection no longer covers the match
    EXPECT_EQ(session.Replace(), CReplaceSession::Step::Found) << "searches instead of replacing";
    EXPECT_EQ(Contents(doc->Buffer()), QByteArray("ab.ab"));
    EXPECT_EQ(session.CurrentMatch(), 3);
}

} // namespace

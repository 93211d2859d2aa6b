// The search engine against a naive search over documents made of many
// small chunks, so that windows straddle chunk boundaries in every way.
#include "MessageRecorder.h"
#include "ToolTestSupport.h"

#include "core/FileBuffer.h"
#include "tools/ByteSearch.h"
#include "tools/FindCommands.h"
#include "platform/StatusHooks.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>

namespace {

uint8_t Upper(uint8_t b) { return b >= 'a' && b <= 'z' ? uint8_t(b - 32) : b; }

bool MatchesAt(const QByteArray& text, int32_t at, const QByteArray& pattern, bool matchCase)
{
    for (int32_t k = 0; k < pattern.size(); ++k) {
        const auto t = uint8_t(text[at + k]);
        const auto p = uint8_t(pattern[k]);
        if (matchCase ? t != p : Upper(t) != Upper(p))
            return false;
    }
    return true;
}

int32_t NaiveForward(const QByteArray& text, const QByteArray& pattern, bool matchCase, int32_t start,
                     int32_t bound)
{
    const auto n = int32_t(pattern.size());
    bound = std::min<int32_t>(bound, int32_t(text.size()));
    for (int32_t p = start; n > 0 && p + n <= bound; ++p)
        if (MatchesAt(text, p, pattern, matchCase))
            return p;
    return -1;
}

int32_t NaiveBackward(const QByteArray& text, const QByteArray& pattern, bool matchCase, int32_t start,
                      int32_t lowerBound)
{
    const auto n = int32_t(pattern.size());
    for (int32_t p = start - n; n > 0 && p >= std::max(lowerBound, 0); --p)
        if (MatchesAt(text, p, pattern, matchCase))
            return p;
    return -1;
}

// Bytes from a small alphabet with both cases of a few letters, so that
// partial matches, case variants and real matches are frequent.
QByteArray RandomText(int32_t size, std::mt19937& random)
{
    static const char alphabet[] = {'a', 'A', 'b', 'B', 'z', 'Z', '\0', '\x80', '@', '[', '`', '{'};
    QByteArray text(size, '\0');
    std::uniform_int_distribution<int> pick(0, int(sizeof alphabet) - 1);
    for (char& c : text)
        c = alphabet[pick(random)];
    return text;
}

// A pattern taken from the text (so it occurs), sometimes case-flipped or
// changed in one byte, of 1 to maxLength bytes.
QByteArray RandomPattern(const QByteArray& text, int32_t maxLength, std::mt19937& random)
{
    const int32_t n = std::uniform_int_distribution<int32_t>(1, std::min<int32_t>(maxLength, int32_t(text.size())))(random);
    const int32_t at = std::uniform_int_distribution<int32_t>(0, int32_t(text.size()) - n)(random);
    QByteArray pattern = text.mid(at, n);
    switch (random() % 4) {
    case 0:
        for (char& c : pattern)
            if (QChar::isLetter(uchar(c)) && random() % 2)
                c = char(c ^ 0x20);
        break;
    case 1:
        pattern[int(random() % uint32_t(n))] = char(random());
        break;
    default:
        break;
    }
    return pattern;
}

class ByteSearchTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    MessageRecorder messages;
    QStringList statuses;

    void SetUp() override
    {
        platform::SetStatusTextHandler([this](const QString& text) { statuses << text; });
    }
    void TearDown() override { platform::SetStatusTextHandler(nullptr); }
    // Opening shows its own status texts; only the search's count here.
    std::unique_ptr<CBinEditDoc> Open(const QByteArray& text, const std::vector<int32_t>& chunks)
    {
        auto doc = OpenChunkedDocument(dir, text, chunks);
        statuses.clear();
        return doc;
    }
};

TEST_F(ByteSearchTest, ChunksOfTheTestDocumentsAreTheRequestedSizes)
{
    std::mt19937 random(7);
    const QByteArray text = RandomText(3000, random);
    const std::vector<int32_t> sizes = RandomChunkSizes(3000, 17, random);
    auto doc = OpenChunkedDocument(dir, text, sizes);
    ASSERT_TRUE(doc);
    EXPECT_EQ(ChunkSizes(doc->Buffer()), sizes);
    EXPECT_EQ(Contents(doc->Buffer()), text);
}

TEST_F(ByteSearchTest, ForwardAndBackwardAgreeWithTheNaiveSearchAcrossSmallChunks)
{
    std::mt19937 random(20240601);
    for (int round = 0; round < 60; ++round) {
        const int32_t size = std::uniform_int_distribution<int32_t>(1, 1500)(random);
        const QByteArray text = RandomText(size, random);
        const int32_t maxChunk = round % 3 == 0 ? 3 : (round % 3 == 1 ? 40 : 700);
        auto doc = OpenChunkedDocument(dir, text, RandomChunkSizes(size, maxChunk, random));
        ASSERT_TRUE(doc);
        CFileBuffer& buffer = doc->Buffer();
        for (int query = 0; query < 40; ++query) {
            const QByteArray pattern = RandomPattern(text, query % 4 == 0 ? 300 : 12, random);
            const bool matchCase = random() % 2;
            const CByteSearch search(pattern.constData(), int32_t(pattern.size()), matchCase);
            const int32_t start = std::uniform_int_distribution<int32_t>(0, size)(random);
            const int32_t bound = std::uniform_int_distribution<int32_t>(0, size + 3)(random);
            ASSERT_EQ(search.FindForward(buffer, start, bound), NaiveForward(text, pattern, matchCase, start, bound))
                << "round " << round << " query " << query << " n=" << pattern.size() << " start " << start
                << " bound " << bound << " matchCase " << matchCase;
            ASSERT_EQ(search.FindBackward(buffer, start, bound % (start + 1)),
                      NaiveBackward(text, pattern, matchCase, start, bound % (start + 1)))
                << "round " << round << " query " << query << " n=" << pattern.size() << " start " << start;
        }
    }
}

// Walks every match one after the other, as Find Next does, in both
// directions: each step must land on the next naive match.
class SteppingTest : public ByteSearchTest, public ::testing::WithParamInterface<int32_t> {};

TEST_P(SteppingTest, SteppingThroughEveryMatchFindsEachOnceInOrder)
{
    std::mt19937 random(99);
    const QByteArray text = RandomText(9000, random);
    auto doc = OpenChunkedDocument(dir, text, RandomChunkSizes(9000, GetParam(), random));
    ASSERT_TRUE(doc);
    for (const QByteArray& pattern : {QByteArray("aB"), QByteArray("a"), QByteArray("zZ"), text.mid(1234, 4)}) {
        for (const bool matchCase : {true, false}) {
            const CByteSearch search(pattern.constData(), int32_t(pattern.size()), matchCase);
            std::vector<int64_t> expected, forward, backward;
            for (int32_t p = 0; p + pattern.size() <= text.size(); ++p)
                if (MatchesAt(text, p, pattern, matchCase))
                    expected.push_back(p);
            for (int64_t p = search.FindForward(doc->Buffer(), 0, MAX_FILE_SIZE); p >= 0;
                 p = search.FindForward(doc->Buffer(), p + 1, MAX_FILE_SIZE))
                forward.push_back(p);
            for (int64_t p = search.FindBackward(doc->Buffer(), text.size(), 0); p >= 0;
                 p = search.FindBackward(doc->Buffer(), p + pattern.size() - 1, 0))
                backward.insert(backward.begin(), p);
            EXPECT_EQ(forward, expected) << pattern.constData() << " matchCase " << matchCase;
            EXPECT_EQ(backward, expected) << pattern.constData() << " matchCase " << matchCase;
            EXPECT_FALSE(expected.empty()) << pattern.toHex().constData();
        }
    }
}
// Tiny chunks put most windows across boundaries; full ones put most inside.
INSTANTIATE_TEST_SUITE_P(ChunkSizes, SteppingTest, ::testing::Values(9, 200, MAX_CHUNK));

TEST_F(ByteSearchTest, MatchesStraddlingEveryChunkBoundaryAreFound)
{
    // Chunks of 5 bytes; the pattern is planted across each boundary in turn.
    const QByteArray pattern("PQRSTUV");
    for (int32_t at = 0; at + pattern.size() <= 60; ++at) {
        QByteArray text(60, '.');
        text.replace(at, pattern.size(), pattern);
        auto doc = OpenChunkedDocument(dir, text, std::vector<int32_t>(12, 5));
        ASSERT_TRUE(doc);
        const CByteSearch exact(pattern.constData(), int32_t(pattern.size()), true);
        EXPECT_EQ(exact.FindForward(doc->Buffer(), 0, 60), at);
        EXPECT_EQ(exact.FindBackward(doc->Buffer(), 60, 0), at);
        const CByteSearch folded("pqrstuv", 7, false);
        EXPECT_EQ(folded.FindForward(doc->Buffer(), 0, 60), at);
        EXPECT_EQ(folded.FindBackward(doc->Buffer(), 60, 0), at);
    }
}

TEST_F(ByteSearchTest, BoundsAreExactAndPatternsLongerThanTheRestAreNotFound)
{
    auto doc = OpenChunkedDocument(dir, "xxabcxxabc", {3, 3, 4});
    CFileBuffer& buffer = doc->Buffer();
    const CByteSearch abc("abc", 3, true);
    EXPECT_EQ(abc.FindForward(buffer, 0, 5), 2) << "a match ending exactly at the bound counts";
    EXPECT_EQ(abc.FindForward(buffer, 0, 4), -1);
    EXPECT_EQ(abc.FindForward(buffer, 3, 10), 7);
    EXPECT_EQ(abc.FindForward(buffer, 8, 10), -1) << "fewer bytes left than the pattern";
    EXPECT_EQ(abc.FindBackward(buffer, 10, 7), 7) << "a match starting exactly at the lower bound counts";
    EXPECT_EQ(abc.FindBackward(buffer, 10, 8), -1);
    EXPECT_EQ(abc.FindBackward(buffer, 9, 0), 2) << "the later match does not end at or before the start";
    EXPECT_EQ(abc.FindBackward(buffer, 2, 0), -1);
    const CByteSearch longer("xxabcxxabcx", 11, true);
    EXPECT_EQ(longer.FindForward(buffer, 0, 10), -1);
    EXPECT_EQ(longer.FindBackward(buffer, 10, 0), -1);
    const CByteSearch none("", 0, true);
    EXPECT_EQ(none.FindForward(buffer, 0, 10), -1);
    EXPECT_EQ(none.FindBackward(buffer, 10, 0), -1);
}

TEST_F(ByteSearchTest, EmptyDocumentHasNoMatches)
{
    auto doc = OpenChunkedDocument(dir, QByteArray(), {});
    ASSERT_TRUE(doc);
    const CByteSearch a("a", 1, false);
    EXPECT_EQ(a.FindForward(doc->Buffer(), 0, 0), -1);
    EXPECT_EQ(a.FindBackward(doc->Buffer(), 0, 0), -1);
}

TEST_F(ByteSearchTest, SkipTablesHoldDistancesModulo256WithBothCasesWhenFolding)
{
    const CByteSearch exact("abca", 4, true);
    EXPECT_EQ(exact.ForwardSkip()['a'], 0);
    EXPECT_EQ(exact.ForwardSkip()['b'], 2);
    EXPECT_EQ(exact.ForwardSkip()['c'], 1);
    EXPECT_EQ(exact.ForwardSkip()['A'], 4);
    EXPECT_EQ(exact.BackwardSkip()['a'], 0);
    EXPECT_EQ(exact.BackwardSkip()['c'], 2);
    EXPECT_EQ(exact.BackwardSkip()['x'], 4);
    const CByteSearch folded("abca", 4, false);
    EXPECT_EQ(folded.ForwardSkip()['B'], 2);
    EXPECT_EQ(folded.BackwardSkip()['C'], 2);
    EXPECT_EQ(folded.ForwardSkip()['@'], 4) << "only letters fold";
    const QByteArray long300(300, 'q');
    const CByteSearch wide(long300.constData(), 300, true);
    EXPECT_EQ(wide.ForwardSkip()['x'], 300 % 256);
}

TEST_F(ByteSearchTest, PatternsOf256BytesAndMoreStillProgress)
{
    std::mt19937 random(5);
    for (const int32_t n : {255, 256, 257, 300, 512, 513}) {
        QByteArray text = RandomText(5000, random);
        QByteArray pattern = RandomText(n, random);
        pattern[0] = 'X';  // occurs nowhere else
        text.replace(4000, n, pattern);
        auto doc = OpenChunkedDocument(dir, text, RandomChunkSizes(5000, 100, random));
        const CByteSearch search(pattern.constData(), n, true);
        EXPECT_EQ(search.FindForward(doc->Buffer(), 0, 5000), 4000) << n;
        EXPECT_EQ(search.FindBackward(doc->Buffer(), 5000, 0), 4000) << n;
        EXPECT_EQ(search.FindForward(doc->Buffer(), 4001, 5000), -1) << n;
    }
}

namespace {
bool SameByte(char text, char pattern, bool matchCase)
{
    return matchCase ? text == pattern : Upper(uint8_t(text)) == Upper(uint8_t(pattern));
}

int32_t StdSearchForward(const QByteArray& text, const QByteArray& pattern, bool matchCase, int32_t start,
                         int32_t bound)
{
    bound = std::min<int32_t>(bound, int32_t(text.size()));
    if (start > bound)
        return -1;
    const auto same = [matchCase](char t, char p) { return SameByte(t, p, matchCase); };
    const auto found = std::search(text.begin() + start, text.begin() + bound, pattern.begin(), pattern.end(), same);
    return found == text.begin() + bound ? -1 : int32_t(found - text.begin());
}

int32_t StdSearchBackward(const QByteArray& text, const QByteArray& pattern, bool matchCase, int32_t start,
                          int32_t lowerBound)
{
    lowerBound = std::max(lowerBound, 0);
    if (lowerBound > start)
        return -1;
    const auto same = [matchCase](char t, char p) { return SameByte(t, p, matchCase); };
    const auto found =
        std::find_end(text.begin() + lowerBound, text.begin() + start, pattern.begin(), pattern.end(), same);
    return found == text.begin() + start ? -1 : int32_t(found - text.begin());
}
} // namespace

// Patterns from one byte up to 64 KiB, each window crossing from one to
// hundreds of chunks, planted at both ends of the buffer and in between, as
// found, case-flipped and changed in their last byte; the search ranges end
// exactly at the match, one byte short of it, or at the buffer's ends.
TEST_F(ByteSearchTest, PatternsOfEveryLengthAcrossChunksAgreeWithStdSearch)
{
    struct Case {
        int32_t size;
        int32_t maxChunk;
        int32_t length;
    };
    const std::vector<Case> cases = {
        {3000, 1, 1},      {3000, 5, 2},       {6000, 7, 300},        {6000, MAX_CHUNK, 2500},
        {9000, 40, 4100},  {140000, 300, 65536}, {140000, MAX_CHUNK, 65536},
    };
    std::mt19937 random(31);
    for (const Case& c : cases) {
        const QByteArray text = RandomText(c.size, random);
        auto doc = Open(text, RandomChunkSizes(c.size, c.maxChunk, random));
        ASSERT_TRUE(doc);
        const int32_t middle = std::uniform_int_distribution<int32_t>(0, c.size - c.length)(random);
        for (const int32_t at : {0, middle, c.size - c.length}) {
            const int32_t end = at + c.length;
            std::array<QByteArray, 3> variants = {text.mid(at, c.length), text.mid(at, c.length),
                                                  text.mid(at, c.length)};
            for (char& b : variants[1])
                b = char(QChar::isLetter(uchar(b)) ? b ^ 0x20 : b);
            variants[2][c.length - 1] = char(~variants[2][c.length - 1]);
            const std::vector<std::pair<int32_t, int32_t>> ranges = {
                {0, c.size}, {at, end}, {at, end - 1}, {at + 1, c.size}, {0, end - 1}};
            for (const QByteArray& pattern : variants)
                for (const bool matchCase : {true, false}) {
                    const CByteSearch search(pattern.constData(), c.length, matchCase);
                    for (const auto& [low, high] : ranges) {
                        SCOPED_TRACE("n " + std::to_string(c.length) + " chunks " + std::to_string(c.maxChunk) +
                                     " at " + std::to_string(at) + " range " + std::to_string(low) + ".." +
                                     std::to_string(high) + " matchCase " + std::to_string(matchCase));
                        EXPECT_EQ(search.FindForward(doc->Buffer(), low, high),
                                  StdSearchForward(text, pattern, matchCase, low, high));
                        EXPECT_EQ(search.FindBackward(doc->Buffer(), high, low),
                                  StdSearchBackward(text, pattern, matchCase, high, low));
                        EXPECT_FALSE(search.Problem());
                    }
                }
        }
    }
}

TEST_F(ByteSearchTest, FoldingIsAsciiOnlyAndByteByByte)
{
    const QByteArray text("..ABC..aBc..\xC4\xE4..A\0..", 20);
    auto doc = OpenChunkedDocument(dir, text, {4, 4, 4, 8});
    const CByteSearch abc("abc", 3, false);
    EXPECT_EQ(abc.FindForward(doc->Buffer(), 0, 20), 2);
    EXPECT_EQ(abc.FindForward(doc->Buffer(), 3, 20), 7);
    const CByteSearch umlaut("\xE4", 1, false);
    EXPECT_EQ(umlaut.FindForward(doc->Buffer(), 0, 20), 13) << "bytes above 127 never fold";
    const CByteSearch utf16a("a\0", 2, false);
    EXPECT_EQ(utf16a.FindForward(doc->Buffer(), 0, 20), 16) << "UTF-16 a finds A followed by a zero byte";
    const CByteSearch exact("abc", 3, true);
    EXPECT_EQ(exact.FindForward(doc->Buffer(), 0, 20), -1);
}

// ---------------------------------------------------------------- the wrap rules

TEST_F(ByteSearchTest, DownwardWrapsOnceAndSkipsMatchesStraddlingTheStart)
{
    auto doc = Open("abcdefabcdef", {5, 7});
    CFileBuffer& buffer = doc->Buffer();
    const CByteSearch cde("cde", 3, true);
    EXPECT_EQ(SearchDownward(buffer, cde, 9), 2) << "wrapped to the match before the start";
    EXPECT_EQ(messages.Count(), 0);
    EXPECT_EQ(statuses, QStringList{"Passed the end of the file."});
    // "fab" straddles offset 6; starting at 6 the first pass misses it
    // (it starts before 6) and the wrapped pass may not cross 6.
    const CByteSearch fab("fab", 3, true);
    EXPECT_EQ(SearchDownward(buffer, fab, 6), -1);
    EXPECT_EQ(messages.Last(), "Search pattern not found.");
    messages.Clear();
    EXPECT_EQ(SearchDownward(buffer, fab, 7), -1) << "it ends at 8, past the start of the first pass";
    messages.Clear();
    EXPECT_EQ(SearchDownward(buffer, fab, 8), 5) << "a match ending exactly at the start is taken";
    EXPECT_EQ(messages.Count(), 0);
}

TEST_F(ByteSearchTest, DownwardFromZeroReportsWithoutWrapping)
{
    auto doc = Open("abcdef", {2, 4});
    const CByteSearch xyz("xyz", 3, true);
    EXPECT_EQ(SearchDownward(doc->Buffer(), xyz, 0), -1);
    EXPECT_EQ(messages.Texts(), QStringList{"Search pattern not found."});
    EXPECT_TRUE(statuses.isEmpty()) << "no wrap text when the search started at 0";
}

TEST_F(ByteSearchTest, UpwardWrapsFromTheEndWithTheStartAsLowerBound)
{
    auto doc = Open("abcdefabcdef", {3, 3, 6});
    CFileBuffer& buffer = doc->Buffer();
    const CByteSearch efa("efa", 3, true);
    EXPECT_EQ(SearchUpward(buffer, efa, 5), -1) << "straddles the start: not in either pass";
    EXPECT_EQ(messages.Count(), 1);
    messages.Clear();
    const CByteSearch bcd("bcd", 3, true);
    statuses.clear();
    EXPECT_EQ(SearchUpward(buffer, bcd, 3), 7) << "wrapped from the end";
    EXPECT_EQ(statuses, QStringList{"Passed the beginning of the file."});
    EXPECT_EQ(SearchUpward(buffer, bcd, 12), 7);
    const CByteSearch xyz("xyz", 3, true);
    EXPECT_EQ(SearchUpward(buffer, xyz, 12), -1);
    EXPECT_EQ(messages.Texts(), QStringList{"Search pattern not found."});
}

} // namespace

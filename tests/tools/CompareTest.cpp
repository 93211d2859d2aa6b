// The comparison engine against a plain model of the same rules, on edge
// cases and on random pairs of files in chunks of every size, plus Esc and
// the memory limit.
#include "TestFiles.h"
#include "ToolTestSupport.h"

#include "tools/CompareReport.h"
#include "tools/FileCompare.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>

namespace {

using Diffs = std::vector<CompareDifference>;

// The rules written as plainly as possible: compare byte by byte; after a
// difference advance both files in turn one byte at a time, looking each
// window up among the other file's windows before keeping it (the earliest
// offset of equal windows wins).
Diffs ReferenceCompare(const QByteArray& f1, const QByteArray& f2, int32_t L)
{
    const std::array<std::string, 2> data = {f1.toStdString(), f2.toStdString()};
    const std::array<int32_t, 2> size = {int32_t(f1.size()), int32_t(f2.size())};
    std::array<int32_t, 2> c = {0, 0};
    Diffs out;
    for (;;) {
        while (c[0] < size[0] && c[1] < size[1] && data[0][size_t(c[0])] == data[1][size_t(c[1])])
            ++c[0], ++c[1];
        const std::array<int32_t, 2> start = c;
        if (c[0] == size[0] || c[1] == size[1]) {
            if (size[0] - c[0] != size[1] - c[1])
                out.push_back({c[0], c[1], size[0] - c[0], size[1] - c[1]});
            return out;
        }
        bool matched = false;
        if (size[0] - c[0] >= L && size[1] - c[1] >= L) {
            std::array<std::map<std::string, int32_t>, 2> seen;
            for (bool advanced = true; advanced && !matched;) {
                advanced = false;
                for (size_t i = 0; i < 2 && !matched; ++i) {
                    if (size[i] - c[i] < L)
                        continue;
                    const std::string window = data[i].substr(size_t(c[i]), size_t(L));
                    const auto found = seen[1 - i].find(window);
                    if (found != seen[1 - i].end()) {
                        c[1 - i] = found->second;
                        matched = true;
                        break;
                    }
                    seen[i].emplace(window, c[i]);
                    ++c[i];
                    advanced = true;
                }
            }
        }
        if (!matched) {
            out.push_back({start[0], start[1], size[0] - start[0], size[1] - start[1]});
            return out;
        }
        out.push_back({start[0], start[1], c[0] - start[0], c[1] - start[1]});
    }
}

struct Pair {
    QTemporaryDir dir1;
    QTemporaryDir dir2;
    std::unique_ptr<CBinEditDoc> doc1;
    std::unique_ptr<CBinEditDoc> doc2;

    Pair(const QByteArray& a, const QByteArray& b, int32_t maxChunk, std::mt19937& random)
    {
        doc1 = OpenChunkedDocument(dir1, a, RandomChunkSizes(int32_t(a.size()), maxChunk, random));
        doc2 = OpenChunkedDocument(dir2, b, RandomChunkSizes(int32_t(b.size()), maxChunk, random));
    }
    Pair(const QByteArray& a, const QByteArray& b) : Pair(a, b, MAX_CHUNK, Random()) {}

    static std::mt19937& Random()
    {
        static std::mt19937 random(7);
        return random;
    }
};

Diffs CompareAll(CFileCompare& compare)
{
    while (compare.FindNextDifference() == CompareStep::Found) {
    }
    return compare.Differences();
}

Diffs EngineCompare(const Pair& pair, int32_t L)
{
    CFileCompare compare(pair.doc1->Buffer(), pair.doc2->Buffer(), L);
    return CompareAll(compare);
}

QByteArray RandomBytes(int32_t size, int alphabet, std::mt19937& random)
{
    QByteArray bytes(size, '\0');
    std::uniform_int_distribution<int> byte(0, alphabet - 1);
    for (char& b : bytes)
        b = char(byte(random));
    return bytes;
}

// A copy of base with random insertions, deletions and replacements.
QByteArray Edited(QByteArray copy, int edits, int maxLength, int alphabet, std::mt19937& random)
{
    for (int e = 0; e < edits; ++e) {
        const int32_t length = std::uniform_int_distribution<int32_t>(1, maxLength)(random);
        const int32_t at = std::uniform_int_distribution<int32_t>(0, int32_t(copy.size()))(random);
        switch (random() % 3) {
        case 0:
            copy.insert(at, RandomBytes(length, alphabet, random));
            break;
        case 1:
            copy.remove(at, length);
            break;
        default:
            copy.replace(at, length, RandomBytes(length, alphabet, random));
            break;
        }
    }
    return copy;
}

std::string Describe(const Diffs& diffs)
{
    std::string text;
    for (const CompareDifference& d : diffs)
        text += "(" + std::to_string(d.offset1) + "," + std::to_string(d.offset2) + "," + std::to_string(d.length1) +
                "," + std::to_string(d.length2) + ")";
    return text;
}

QByteArray Pattern(int32_t size)
{
    std::mt19937 random{uint32_t(size)};
    return RandomBytes(size, 256, random);
}

struct EdgeCase {
    const char* name;
    QByteArray file1;
    QByteArray file2;
    int32_t minMatchLen;
    Diffs expected;
};

} // namespace

TEST(CompareEngine, EdgeCasesGiveTheDifferencesOfTheRules)
{
    const QByteArray base = Pattern(300);
    QByteArray oneByte = base;
    oneByte[40] = char(~base[40]);
    QByteArray inserted = base;
    inserted.insert(40, QByteArray("ABCDE"));
    QByteArray nearEnd = base;
    nearEnd[295] = char(~base[295]);
    QByteArray twoChanges = oneByte;
    twoChanges[200] = char(~base[200]);
    const QByteArray big = Pattern(20000);
    QByteArray bigEarly = big;
    bigEarly[100] = char(~big[100]);
    QByteArray bigLate = big;
    bigLate[5000] = char(~big[5000]);

    const std::vector<EdgeCase> cases = {
        {"identical", base, base, 16, {}},
        {"both empty", {}, {}, 16, {}},
        {"empty and not", {}, base, 16, {{0, 0, 0, 300}}},
        {"prefix of the second", base.left(100), base, 16, {{100, 100, 0, 200}}},
        {"prefix of the first", base, base.left(100), 16, {{100, 100, 200, 0}}},
        {"one changed byte", base, oneByte, 16, {{40, 40, 1, 1}}},
        {"five inserted bytes", base, inserted, 16, {{40, 40, 0, 5}}},
        {"five deleted bytes", inserted, base, 16, {{40, 40, 5, 0}}},
        {"closer than L to the end", base, nearEnd, 16, {{295, 295, 5, 5}}},
        {"two differences", base, twoChanges, 16, {{40, 40, 1, 1}, {200, 200, 1, 1}}},
        {"L of 1", base, oneByte, 1, {{40, 40, 1, 1}}},
        {"largest L with room after", big, bigEarly, 16384, {{100, 100, 1, 1}}},
        {"largest L without room", big, bigLate, 16384, {{5000, 5000, 15000, 15000}}},
    };
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Pair pair(c.file1, c.file2);
        const Diffs diffs = EngineCompare(pair, c.minMatchLen);
        EXPECT_EQ(Describe(diffs), Describe(c.expected));
        EXPECT_EQ(Describe(diffs), Describe(ReferenceCompare(c.file1, c.file2, c.minMatchLen)));
    }
}

// Random edits on random files, in chunks from a few bytes (windows and
// differences across many chunk boundaries) to full size, with small
// alphabets so that windows repeat and hashes collide in buckets.
TEST(CompareEngine, MatchesThePlainModelOnRandomEdits)
{
    for (uint32_t seed = 1; seed <= 6; ++seed) {
        std::mt19937 random(seed);
        for (int trial = 0; trial < 12; ++trial) {
            const int alphabet = std::array{2, 4, 256}[size_t(trial % 3)];
            const int32_t size = std::uniform_int_distribution<int32_t>(0, trial < 9 ? 4096 : 65536)(random);
            const QByteArray a = RandomBytes(size, alphabet, random);
            const int maxEditLength = trial % 4 == 0 ? 2000 : 64;
            const QByteArray b = Edited(a, 1 + int(random() % 8), maxEditLength, alphabet, random);
            const int32_t L = std::uniform_int_distribution<int32_t>(1, 64)(random);
            const int32_t maxChunk = std::array{7, 100, 2048}[size_t(random() % 3)];
            SCOPED_TRACE("seed " + std::to_string(seed) + " trial " + std::to_string(trial) + " L " +
                         std::to_string(L) + " chunks " + std::to_string(maxChunk));
            const Pair pair(a, b, maxChunk, random);
            ASSERT_TRUE(pair.doc1 && pair.doc2);
            EXPECT_EQ(Describe(EngineCompare(pair, L)), Describe(ReferenceCompare(a, b, L)));
        }
    }
}

// Long runs of one byte inside a difference: every window repeats the one
// before it, which the engine follows without comparing windows again.
TEST(CompareEngine, MatchesThePlainModelOnRepeatedRuns)
{
    std::mt19937 random(11);
    const QByteArray head = RandomBytes(500, 256, random);
    const QByteArray tail = RandomBytes(3000, 256, random);
    const std::vector<std::pair<QByteArray, QByteArray>> middles = {
        {QByteArray(800, '\0'), QByteArray(300, '\x01')},
        {QByteArray(800, '\0') + "x" + QByteArray(40, '\0'), QByteArray("y")},
        {QByteArray("ab").repeated(300), QByteArray("ba").repeated(10)},
        {QByteArray("abc").repeated(200), QByteArray(2, '\0')},
    };
    for (const auto& [m1, m2] : middles)
        for (int32_t L : {1, 3, 16, 64}) {
            const QByteArray a = head + m1 + tail;
            const QByteArray b = head + m2 + tail;
            SCOPED_TRACE("L " + std::to_string(L) + " middle " + m1.left(8).toHex().toStdString());
            const Pair pair(a, b, 100, random);
            EXPECT_EQ(Describe(EngineCompare(pair, L)), Describe(ReferenceCompare(a, b, L)));
        }
}

// Match lengths from below one chunk to many chunks long, over files
// chunked differently, with differences at both ends: every window the
// resynchronisation rolls and compares again crosses chunk boundaries.
TEST(CompareEngine, LongWindowsAcrossManyChunksMatchThePlainModel)
{
    struct Case {
        int32_t minMatchLen;
        int32_t maxChunk;
        int alphabet;
    };
    const std::vector<Case> cases = {{40, 3, 2}, {300, 7, 4}, {2100, 100, 256}, {2100, MAX_CHUNK, 4}, {5000, 300, 256}};
    std::mt19937 random(23);
    for (const Case& c : cases) {
        for (int trial = 0; trial < 3; ++trial) {
            const QByteArray a = RandomBytes(24000, c.alphabet, random);
            QByteArray b = Edited(a, 4, 600, c.alphabet, random);
            b[0] = char(~b[0]);
            b[b.size() - 1] = char(~b[b.size() - 1]);
            SCOPED_TRACE("L " + std::to_string(c.minMatchLen) + " chunks " + std::to_string(c.maxChunk) + " trial " +
                         std::to_string(trial));
            const Pair pair(a, b, c.maxChunk, random);
            ASSERT_TRUE(pair.doc1 && pair.doc2);
            EXPECT_EQ(Describe(EngineCompare(pair, c.minMatchLen)), Describe(ReferenceCompare(a, b, c.minMatchLen)));
        }
    }
}

namespace {

enum class Content { Random, ZeroRuns, ShortPattern, TextLike };

// Runs of zeros from 1 to 1.5 match lengths long between single random
// bytes: zero windows of every length, some long enough to match.
QByteArray ZeroRuns(int32_t size, int32_t L, std::mt19937& random)
{
    QByteArray bytes;
    while (bytes.size() < size) {
        bytes += QByteArray(std::uniform_int_distribution<int32_t>(1, L + L / 2 + 1)(random), '\0');
        bytes += char(1 + random() % 255);
    }
    return bytes.left(size);
}

// One pattern of 1 to 7 bytes repeated, broken now and then by a random byte.
QByteArray ShortPattern(int32_t size, std::mt19937& random)
{
    const QByteArray pattern = RandomBytes(1 + int32_t(random() % 7), 4, random);
    QByteArray bytes;
    while (bytes.size() < size) {
        bytes += pattern.repeated(std::uniform_int_distribution<int>(1, 600)(random));
        bytes += char(random());
    }
    return bytes.left(size);
}

// Words of a small vocabulary: many equal short runs, few equal long ones.
QByteArray TextLike(int32_t size, std::mt19937& random)
{
    static const std::array<const char*, 12> words = {"the ", "of ", "and ", "compare ", "file ", "byte ",
                                                      "offset ", "a ", "to ", "in ", "window ", "match "};
    QByteArray bytes;
    while (bytes.size() < size)
        bytes += words[random() % words.size()];
    return bytes.left(size);
}

QByteArray Stretch(Content content, int32_t size, int32_t L, std::mt19937& random)
{
    switch (content) {
    case Content::Random:
        return RandomBytes(size, 256, random);
    case Content::ZeroRuns:
        return ZeroRuns(size, L, random);
    case Content::ShortPattern:
        return ShortPattern(size, random);
    case Content::TextLike:
        return TextLike(size, random);
    }
    return {};
}

} // namespace

// Long divergent stretches of repeated content, which give many equal
// sampled windows on different diagonals, and one file's stretch copied
// piecemeal into the other so that common runs just shorter and just longer
// than the match length lie at many distances.
TEST(CompareEngine, DivergentStretchesOfRepeatedContentMatchThePlainModel)
{
    const std::vector<Content> contents = {Content::Random, Content::ZeroRuns, Content::ShortPattern,
                                           Content::TextLike};
    for (uint32_t seed = 31; seed <= 33; ++seed) {
        std::mt19937 random(seed);
        for (int32_t L : {1, 2, 7, 8, 9, 16, 4096}) {
            const int32_t size = L == 4096 ? 12000 : 3000;
            for (Content content : contents) {
                const QByteArray head = RandomBytes(200, 256, random);
                const QByteArray tail = Stretch(content, L + 500, L, random) + RandomBytes(300, 256, random);
                const QByteArray s1 = Stretch(content, size, L, random);
                QByteArray s2 = Stretch(content, size + int32_t(random() % 1000), L, random);
                for (int piece = 0; piece < 4; ++piece) {
                    const int32_t length = std::max(1, L + int32_t(random() % 3) - 1);
                    const int32_t from = int32_t(random() % uint32_t(s1.size() - std::min(length, int32_t(s1.size()))));
                    s2.insert(int32_t(random() % uint32_t(s2.size())), s1.mid(from, length));
                }
                const QByteArray a = head + s1 + tail;
                const QByteArray b = head + s2 + tail;
                SCOPED_TRACE("seed " + std::to_string(seed) + " L " + std::to_string(L) + " content " +
                             std::to_string(int(content)));
                const Pair pair(a, b, 2048, random);
                ASSERT_TRUE(pair.doc1 && pair.doc2);
                EXPECT_EQ(Describe(EngineCompare(pair, L)), Describe(ReferenceCompare(a, b, L)));
            }
        }
    }
}

// More random edits, with every listed match length and longer edits than
// the plain model's first table.
TEST(CompareEngine, MoreSeedsOfRandomEditsMatchThePlainModel)
{
    for (uint32_t seed = 101; seed <= 108; ++seed) {
        std::mt19937 random(seed);
        for (int32_t L : {1, 2, 7, 8, 9, 16, 4096}) {
            const int alphabet = std::array{2, 4, 16, 256}[size_t(seed % 4)];
            const int32_t size = L == 4096 ? 20000 : 8000;
            const QByteArray a = RandomBytes(size, alphabet, random);
            const QByteArray b = Edited(a, 1 + int(random() % 6), L == 4096 ? 3000 : 800, alphabet, random);
            SCOPED_TRACE("seed " + std::to_string(seed) + " L " + std::to_string(L));
            const Pair pair(a, b, std::array{7, 100, 2048}[size_t(random() % 3)], random);
            ASSERT_TRUE(pair.doc1 && pair.doc2);
            EXPECT_EQ(Describe(EngineCompare(pair, L)), Describe(ReferenceCompare(a, b, L)));
        }
    }
}

namespace {

// Presses Esc on the pressAt-th look (1-based) and counts the looks.
struct ScriptedEsc {
    int pressAt;
    std::shared_ptr<int> looks = std::make_shared<int>(0);
    EscapePoller Poller() const
    {
        return [looks = looks, pressAt = pressAt] { return ++*looks == pressAt; };
    }
};

} // namespace

TEST(CompareEngine, EscStopsTheScanKeepingTheDifferencesFound)
{
    QByteArray a = Pattern(1 << 20);
    QByteArray b = a;
    b[100] = char(~a[100]);
    const Pair pair(a, b);
    CFileCompare compare(pair.doc1->Buffer(), pair.doc2->Buffer(), 16);
    const ScriptedEsc esc{2};
    compare.SetEscapePoller(esc.Poller());
    // The resynchronisation after offset 100 takes under 16 steps: no look.
    EXPECT_EQ(compare.FindNextDifference(), CompareStep::Found);
    EXPECT_EQ(*esc.looks, 0);
    // The scan looks every 16 KiB; the second look presses Esc.
    EXPECT_EQ(compare.FindNextDifference(), CompareStep::Cancelled);
    EXPECT_EQ(*esc.looks, 2);
    EXPECT_TRUE(compare.Cancelled());
    EXPECT_EQ(Describe(compare.Differences()), Describe({{100, 100, 1, 1}}));
}

TEST(CompareEngine, EscStopsTheResynchronisation)
{
    // Unrelated megabytes take the resynchronisation well over 40 ms: it
    // looks at Esc after its first 256 steps, then every 20 ms; the third
    // look presses it.
    std::mt19937 random(3);
    const QByteArray same = RandomBytes(5000, 256, random);
    const QByteArray a = same + RandomBytes(4 << 20, 256, random) + same;
    const QByteArray b = same + RandomBytes(4 << 20, 256, random) + same;
    const Pair pair(a, b);
    CFileCompare compare(pair.doc1->Buffer(), pair.doc2->Buffer(), 16);
    const ScriptedEsc esc{3};
    compare.SetEscapePoller(esc.Poller());
    EXPECT_EQ(compare.FindNextDifference(), CompareStep::Cancelled);
    // The scan of 5000 bytes never looks.
    EXPECT_EQ(*esc.looks, 3);
    EXPECT_TRUE(compare.Differences().empty());
    EXPECT_TRUE(compare.Cancelled());
}

// A resynchronisation of a few hundred steps looks at Esc once: many short
// differences, each scanned in less than the scan's 16 KiB, still stop.
TEST(CompareEngine, EscStopsAShortResynchronisation)
{
    std::mt19937 random(4);
    const QByteArray same = RandomBytes(5000, 256, random);
    const QByteArray a = same + RandomBytes(400, 256, random) + same;
    const QByteArray b = same + RandomBytes(400, 256, random) + same;
    const Pair pair(a, b);
    CFileCompare compare(pair.doc1->Buffer(), pair.doc2->Buffer(), 16);
    const ScriptedEsc esc{1};
    compare.SetEscapePoller(esc.Poller());
    EXPECT_EQ(compare.FindNextDifference(), CompareStep::Cancelled);
    EXPECT_EQ(*esc.looks, 1);
    EXPECT_TRUE(compare.Differences().empty());
}

TEST(CompareEngine, TablesOverTheirBudgetReportOutOfMemory)
{
    std::mt19937 random(5);
    const QByteArray same = RandomBytes(1000, 256, random);
    const QByteArray a = same + RandomBytes(150000, 256, random) + same;
    const QByteArray b = same + RandomBytes(150000, 256, random) + same;
    const Pair pair(a, b);
    // Too small for the first slot arrays (2 KiB each); then room for them
    // but not for the 150,000 / 8 stride windows of each file, 8 bytes a
    // slot at most three quarters full.
    for (size_t limit : {size_t(100), size_t(64) << 10}) {
        CFileCompare compare(pair.doc1->Buffer(), pair.doc2->Buffer(), 16);
        compare.SetTableMemoryLimit(limit);
        EXPECT_EQ(compare.FindNextDifference(), CompareStep::OutOfMemory) << limit;
        EXPECT_TRUE(compare.Cancelled());
        EXPECT_TRUE(compare.Differences().empty());
        EXPECT_LE(compare.PeakTableBytes(), limit);
    }
    // With room the same pair compares to one difference. Each table holds
    // about 18,750 entries: at least 8 bytes each, at most 8 bytes for every
    // window position of both files (a table at least a quarter empty, plus
    // the old array while it doubles).
    CFileCompare roomy(pair.doc1->Buffer(), pair.doc2->Buffer(), 16);
    roomy.SetTableMemoryLimit(size_t(64) << 20);
    EXPECT_EQ(Describe(CompareAll(roomy)), Describe({{1000, 1000, 150000, 150000}}));
    EXPECT_GT(roomy.PeakTableBytes(), size_t(2 * 18750 * 8));
    EXPECT_LT(roomy.PeakTableBytes(), size_t(2 * 150000 * 8));
}

TEST(CompareReport, TextsInBothRadixes)
{
    const Diffs diffs = {{0x10, 0x1F, 2, 0}, {300, 4000, 0xAB, 17}};
    EXPECT_EQ(DifferenceFoundText("/a/one.bin", "/b/two.bin", diffs[1], true),
              QStringLiteral("Difference found:\r\n=================\r\nFile 1: /a/one.bin\r\n"
                             "Offset=0x12C, Length=0xAB\r\n\r\nFile 2: /b/two.bin\r\nOffset=0xFA0, Length=0x11\r\n"));
    EXPECT_EQ(DifferenceFoundText("/a/one.bin", "/b/two.bin", diffs[1], false),
              QStringLiteral("Difference found:\r\n=================\r\nFile 1: /a/one.bin\r\n"
                             "Offset=300, Length=171\r\n\r\nFile 2: /b/two.bin\r\nOffset=4000, Length=17\r\n"));
    EXPECT_EQ(CompareReportText("/a/one.bin", "/b/two.bin", diffs, true),
              QStringLiteral("Vantrel Hex Editor\r\nFile Compare Results\r\n\r\nFile 1: /a/one.bin\r\n"
                             "File 2: /b/two.bin\r\n\r\nDifferences (2 found):\r\n"
                             "1:\t[File 1] Offset=0x10, Length=0x2\r\n\t[File 2] Offset=0x1F, Length=0x0\r\n"
                             "2:\t[File 1] Offset=0x12C, Length=0xAB\r\n\t[File 2] Offset=0xFA0, Length=0x11\r\n"));
    EXPECT_EQ(CompareReportText("/a/one.bin", "/b/two.bin", diffs, false),
              QStringLiteral("Vantrel Hex Editor\r\nFile Compare Results\r\n\r\nFile 1: /a/one.bin\r\n"
                             "File 2: /b/two.bin\r\n\r\nDifferences (2 found):\r\n"
                             "1:\t[File 1] Offset=16, Length=2\r\n\t[File 2] Offset=31, Length=0\r\n"
                             "2:\t[File 1] Offset=300, Length=171\r\n\t[File 2] Offset=4000, Length=17\r\n"));
    EXPECT_EQ(FilesMatchText("/x", "/y"), QStringLiteral("Files match.\n\nNo differences found between \"/x\" and \"/y\"."));
}

// Two sparse documents of more than 4 GiB (read through extents, their
// limit lifted as the program will lift it) differing in a byte at 2^31 and
// at 2^32 + 5, the second three bytes longer: each difference is found where
// it is and the texts show the offsets whole.
TEST(CompareEngine, FilesPastFourGiBDifferWhereTheirBytesDo)
{
    QTemporaryDir dir;
    const int64_t size = (int64_t(4) << 30) + 4096, at31 = int64_t(1) << 31, at32 = (int64_t(1) << 32) + 5;
    WriteSparseFile(dir.filePath("1"), size, {{at31, "a"}, {at32, "b"}});
    WriteSparseFile(dir.filePath("2"), size + 3, {{at31, "A"}, {at32, "B"}, {size + 2, "z"}});
    CBinEditDoc docs[2];
    for (int i = 0; i < 2; ++i) {
        docs[i].Buffer().SetSizeLimit(CFileBuffer::kNoSizeLimit);
        ASSERT_TRUE(docs[i].OnOpenDocument(dir.filePath(QString::number(i + 1))));
    }
    CFileCompare compare(docs[0].Buffer(), docs[1].Buffer(), 16);
    const Diffs diffs = CompareAll(compare);
    EXPECT_EQ(Describe(diffs), Describe({{at31, at31, 1, 1}, {at32, at32, 1, 1}, {size, size, 0, 3}}));
    EXPECT_EQ(CompareReportText("/a", "/b", diffs, true),
              QStringLiteral("Vantrel Hex Editor\r\nFile Compare Results\r\n\r\nFile 1: /a\r\nFile 2: /b\r\n\r\n"
                             "Differences (3 found):\r\n"
                             "1:\t[File 1] Offset=0x80000000, Length=0x1\r\n\t[File 2] Offset=0x80000000, Length=0x1\r\n"
                             "2:\t[File 1] Offset=0x100000005, Length=0x1\r\n\t[File 2] Offset=0x100000005, Length=0x1\r\n"
                             "3:\t[File 1] Offset=0x100001000, Length=0x0\r\n\t[File 2] Offset=0x100001000, Length=0x3\r\n"));
    EXPECT_EQ(DifferenceFoundText("/a", "/b", diffs[1], false),
              QStringLiteral("Difference found:\r\n=================\r\nFile 1: /a\r\nOffset=4294967301, Length=1\r\n"
                             "\r\nFile 2: /b\r\nOffset=4294967301, Length=1\r\n"));
    EXPECT_EQ(DifferenceEntryLine(2, INT64_MAX - 3, INT64_MAX, true),
              QStringLiteral("[File 2] Offset=0x7FFFFFFFFFFFFFFC, Length=0x7FFFFFFFFFFFFFFF"));
}

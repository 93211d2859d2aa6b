// Offsets, sizes and counts inside the buffer are 64-bit: a sparse file of
// 6 GiB (two extents, the first ending just short of 4 GiB) is sought, read,
// edited by more than 2 GiB at a time, undone and redone with every byte
// where it belongs, and the document opens it under its own limit.
#include "BufferModel.h"
#include "TestFiles.h"

#include "core/BinEditDoc.h"
#include "core/SpanReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

constexpr int64_t kGiB = int64_t(1) << 30;
constexpr int64_t kFileSize = 6 * kGiB;

// Eight bytes that appear nowhere else in the file (the rest is zeros).
QByteArray Marker(int index) { return QByteArray("marker") + char('0' + index) + char(0xA5); }

// The markers' offsets in the file as written: one near the start, one
// across the boundary of the two extents, two far past 4 GiB.
const std::vector<int64_t> kMarkerOffsets{100, MAX_EXTENT - 4, 5 * kGiB + 1, kFileSize - 8};

class LargeOffsetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = dir.filePath("six-gib.bin");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(kFileSize)) << "sparse: no disk space used";
        for (size_t i = 0; i < kMarkerOffsets.size(); ++i) {
            ASSERT_TRUE(file.seek(kMarkerOffsets[i]));
            ASSERT_EQ(file.write(Marker(int(i))), 8);
        }
    }

    static QByteArray ReadAt(const CFileBuffer& buffer, int64_t offset)
    {
        CSpanReader reader(buffer, offset, CSpanReader::Access::Random);
        QByteArray bytes(8, '\0');
        bytes.resize(qsizetype(reader.ReadAt(offset, bytes.data(), 8)));
        return bytes;
    }

    // Each marker i at expected[i].
    static void ExpectMarkers(const CFileBuffer& buffer, const std::vector<int64_t>& expected, const char* when)
    {
        std::string why;
        EXPECT_TRUE(buffer.CheckInvariants(&why)) << when << ": " << why;
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(ReadAt(buffer, expected[i]), Marker(int(i))) << when << ", marker " << i;
        }
    }

    QTemporaryDir dir;
    QString path;
};

TEST_F(LargeOffsetTest, SeeksReadsAndSpansAreExactPastFourGiB)
{
    CFileBuffer buffer;
    ASSERT_TRUE(buffer.LoadFromFile(path));
    EXPECT_EQ(buffer.Size(), kFileSize);
    EXPECT_EQ(buffer.ExtentCount(), 2) << "one extent holds at most MAX_EXTENT bytes";
    ExpectMarkers(buffer, kMarkerOffsets, "as opened");

    CBufferPos at;
    at.Bind(&buffer, false, 0);
    for (const int64_t offset : kMarkerOffsets) {
        EXPECT_EQ(at.Seek(offset), offset);
        QByteArray got(8, '\0');
        EXPECT_EQ(at.Read(got.data(), 8), 8) << offset;
        EXPECT_EQ(got.left(6), QByteArray("marker")) << offset;
    }
    EXPECT_EQ(at.Seek(kFileSize + kGiB), kFileSize) << "seeks past the end stop at the end";
    EXPECT_EQ(at.Back(5 * kGiB + 3), 5 * kGiB + 3) << "a walk of more than 4 GiB in one call";
    EXPECT_EQ(at.Offset(), kGiB - 3);
    EXPECT_EQ(at.Forward(kFileSize), kFileSize - (kGiB - 3));

    // Backward spans across the extents' boundary end exactly where asked.
    CSpanReader reader(buffer, MAX_EXTENT + 4);
    QByteArray tail;
    while (tail.size() < 8) {
        const std::span<const uint8_t> span = reader.Previous(8 - tail.size());
        ASSERT_FALSE(span.empty());
        tail.prepend(reinterpret_cast<const char*>(span.data()), qsizetype(span.size()));
    }
    EXPECT_EQ(tail, Marker(1));
    EXPECT_EQ(reader.Offset(), MAX_EXTENT - 4);
}

TEST_F(LargeOffsetTest, EditsOfMoreThanTwoGiBAreUndoneAndRedoneExactly)
{
    CBinEditDoc doc(nullptr, HistoryLevels{10, 10});
    doc.Buffer().SetSizeLimit(CFileBuffer::kNoSizeLimit);
    ASSERT_TRUE(doc.OnOpenDocument(path));
    // Registered positions on every marker follow every edit.
    std::vector<CBufferPos> followers(kMarkerOffsets.size());
    for (size_t i = 0; i < followers.size(); ++i)
        followers[i].Bind(&doc.Buffer(), true, kMarkerOffsets[i]);
    CBufferPos at;
    at.Bind(&doc.Buffer(), true, 0);

    struct Step {
        const char* what;
        std::function<bool()> edit;
        int64_t size;
        std::vector<int64_t> markers;
        size_t firstFollowed;  // positions inside a moved block stay where it was cut
    };
    const int64_t deleted = 2 * kGiB + 5;
    const std::vector<Step> steps{
        {"three bytes inserted at 3 GiB",
         [&] { return at.Seek(3 * kGiB) == 3 * kGiB && doc.InsertAt(at, "XYZ", 3) == 3; }, kFileSize + 3,
         {100, MAX_EXTENT - 1, 5 * kGiB + 4, kFileSize - 5}, 0},
        {"2 GiB and 5 bytes deleted from 200",
         [&] { return at.Seek(200) == 200 && doc.DeleteAt(at, deleted); }, kFileSize + 3 - deleted,
         {100, MAX_EXTENT - 1 - deleted, 5 * kGiB + 4 - deleted, kFileSize - 5 - deleted}, 0},
        {"the first 4 KiB moved to the end",
         [&] { return doc.MoveBlock(at, 0, 4096, doc.Size()); }, kFileSize + 3 - deleted,
         {kFileSize + 3 - deleted - 4096 + 100, MAX_EXTENT - 1 - deleted - 4096, 5 * kGiB + 4 - deleted - 4096,
          kFileSize - 5 - deleted - 4096},
         1},
    };

    std::vector<std::vector<int64_t>> states{kMarkerOffsets};
    std::vector<int64_t> sizes{kFileSize};
    for (const Step& step : steps) {
        ASSERT_TRUE(step.edit()) << step.what;
        EXPECT_EQ(doc.Size(), step.size) << step.what;
        ExpectMarkers(doc.Buffer(), step.markers, step.what);
        for (size_t i = step.firstFollowed; i < followers.size(); ++i)
            EXPECT_EQ(followers[i].Offset(), step.markers[i]) << step.what << ", follower " << i;
        states.push_back(step.markers);
        sizes.push_back(step.size);
    }
    EXPECT_EQ(doc.LastProblem().error, CoreError::None) << "no edit asked to go without its history";

    for (size_t n = steps.size(); n > 0; --n) {
        ASSERT_GE(doc.Undo(at), 0) << "undo of " << steps[n - 1].what;
        EXPECT_EQ(doc.Size(), sizes[n - 1]) << "undo of " << steps[n - 1].what;
        ExpectMarkers(doc.Buffer(), states[n - 1], steps[n - 1].what);
    }
    for (size_t n = 0; n < steps.size(); ++n) {
        ASSERT_GE(doc.Redo(at), 0) << "redo of " << steps[n].what;
        EXPECT_EQ(doc.Size(), sizes[n + 1]) << "redo of " << steps[n].what;
        ExpectMarkers(doc.Buffer(), states[n + 1], steps[n].what);
    }
}

TEST_F(LargeOffsetTest, TheDocumentOpensTheFileWithItsOwnLimit)
{
    CBinEditDoc doc(nullptr, HistoryLevels{10, 10});
    ASSERT_TRUE(doc.OnOpenDocument(path));
    EXPECT_EQ(doc.Size(), kFileSize);
    ExpectMarkers(doc.Buffer(), kMarkerOffsets, "opened by the document");
}

} // namespace

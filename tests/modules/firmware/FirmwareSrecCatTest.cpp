// Intel HEX and S-records against srec_cat: files it writes import to the
// same bytes, files we write it reads back to the same bytes, across the
// 64 KiB and 16 MiB address boundaries and with gaps.
#include "ExternalTool.h"
#include "FirmwareFixture.h"
#include "TestFiles.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

class FirmwareSrecCatTest : public FirmwareFixture {
protected:
    void SetUp() override
    {
        if (!ToolExists(QStringLiteral("srec_cat")))
            GTEST_SKIP() << "srec_cat (package srecord) is not installed";
    }
    // Runs srec_cat in the scratch folder and returns the named output file.
    QByteArray SrecCat(const QStringList& arguments, const QString& output)
    {
        RunTool(QStringLiteral("srec_cat"), arguments);
        return ReadWholeFile(output);
    }
};

struct Segment {
    uint32_t address;
    int length;
};

TEST_F(FirmwareSrecCatTest, FilesWrittenBySrecCatImportToTheSameBytes)
{
    // Out of order, across 64 KiB and 16 MiB, with gaps between them.
    const std::vector<Segment> segments{{0x10100, 300}, {0xFFF0, 40}, {0xFFFFE0, 96}, {0x20, 7}};
    QStringList inputs;
    uint32_t lowest = UINT32_MAX, end = 0;
    std::vector<QByteArray> contents;
    for (size_t i = 0; i < segments.size(); ++i) {
        const QString path = runner_.Path(QStringLiteral("segment%1.bin").arg(i));
        contents.push_back(RandomBytes(segments[i].length, unsigned(i) + 1));
        WriteWholeFile(path, contents.back());
        inputs << path << "-binary" << "-offset" << QString::number(segments[i].address);
        lowest = std::min(lowest, segments[i].address);
        end = std::max(end, segments[i].address + uint32_t(segments[i].length));
    }
    QByteArray expected(qsizetype(end - lowest), char(0xFF));
    for (size_t i = 0; i < segments.size(); ++i)
        expected.replace(qsizetype(segments[i].address - lowest), contents[i].size(), contents[i]);

    for (bool intelHex : {true, false}) {
        SCOPED_TRACE(intelHex ? "Intel HEX" : "S-records");
        const QString file = runner_.Path(intelHex ? "by-srec_cat.hex" : "by-srec_cat.srec");
        const QByteArray text = SrecCat(inputs + QStringList{"-o", file, intelHex ? "-Intel" : "-Motorola"}, file);
        const TaskOutcome outcome = Import(intelHex, text);
        ASSERT_EQ(outcome.result, TASK_RESULT_SUCCESS) << messages_.Last().toStdString();
        EXPECT_TRUE(outcome.output == expected) << "image of " << outcome.output.size() << " bytes";
        EXPECT_EQ(messages_.Count(), 0);
    }
}

TEST_F(FirmwareSrecCatTest, ExportsReadBackThroughSrecCat)
{
    const struct {
        int size;
        const char* dataRecord; // the S-record type the highest address needs
    } cases[] = {{1, "S1"}, {65536, "S1"}, {65537 + 15, "S2"}, {(16 << 20) + 5, "S3"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        const QByteArray bytes = RandomBytes(c.size, unsigned(c.size));
        for (bool intelHex : {true, false}) {
            const QString file = runner_.Path(intelHex ? "ours.hex" : "ours.srec");
            const QString back = runner_.Path("back.bin");
            const QByteArray text = Export(intelHex, bytes);
            WriteWholeFile(file, text);
            EXPECT_TRUE(SrecCat({file, intelHex ? "-Intel" : "-Motorola", "-o", back, "-binary"}, back) == bytes)
                << (intelHex ? "Intel HEX" : "S-records");
            if (!intelHex) {
                EXPECT_TRUE(text.contains("\r\n" + QByteArray(c.dataRecord))) << c.dataRecord;
                EXPECT_TRUE(text.startsWith("S0"));
            }
            // And our own reader takes it back.
            const TaskOutcome outcome = Import(intelHex, text);
            EXPECT_EQ(outcome.result, TASK_RESULT_SUCCESS);
            EXPECT_TRUE(outcome.output == bytes);
        }
    }
}

// Copy As places the selection at its address; Paste As takes the records
// from the clipboard and yields the bytes alone.
TEST_F(FirmwareSrecCatTest, CopyAsKeepsTheSelectionsAddressAndPasteAsReadsItBack)
{
    const QByteArray bytes = RandomBytes(100, 9);
    WriteWholeFile(runner_.Path("selection.bin"), bytes);
    runner_.offset = 0x1FFF8;
    for (bool intelHex : {true, false}) {
        SCOPED_TRACE(intelHex ? "Intel HEX" : "S-records");
        ASSERT_EQ(runner_.RunOnPaths(Task(TASK_COPY_AS, NameOf(intelHex, TASK_COPY_AS)), runner_.Path("selection.bin"),
                                     QString()),
                  TASK_RESULT_SUCCESS);
        const QByteArray text = QGuiApplication::clipboard()->mimeData()->data("text/plain");
        ASSERT_FALSE(text.endsWith('\0'));
        const QString file = runner_.Path("copied");
        WriteWholeFile(file, text);
        const QString back = runner_.Path("copied.bin");
        const QByteArray image = SrecCat({file, intelHex ? "-Intel" : "-Motorola", "-offset", "-0x1FFF8", "-o", back,
                                          "-binary"},
                                         back);
        EXPECT_TRUE(image == bytes);

        const QString pasted = runner_.Path("pasted.bin");
        ASSERT_EQ(runner_.RunOnPaths(Task(TASK_PASTE_AS, NameOf(intelHex, TASK_PASTE_AS)), QString(), pasted),
                  TASK_RESULT_SUCCESS)
            << messages_.Last().toStdString();
        EXPECT_TRUE(ReadWholeFile(pasted) == bytes);
    }
}

} // namespace

// The Intel HEX and S-record readers on faulty and unusual input: each case
// gives the image a plain model expects, or one message naming the line.
// A fuzz loop then feeds mutated files: never a crash, never a silent failure.
#include "FirmwareFixture.h"
#include "TestFiles.h"

#include <random>

namespace {

// A record line with its checksum, built the way the formats define them.
QByteArray IntelLine(int type, int address, const QByteArray& data)
{
    QByteArray bytes;
    bytes += char(data.size());
    bytes += char(address >> 8);
    bytes += char(address);
    bytes += char(type);
    bytes += data;
    uint8_t sum = 0;
    for (char c : bytes)
        sum = uint8_t(sum + uint8_t(c));
    bytes += char(uint8_t(0 - sum));
    return ":" + bytes.toHex().toUpper() + "\r\n";
}

QByteArray SLine(char type, int addressBytes, uint32_t address, const QByteArray& data)
{
    QByteArray bytes;
    bytes += char(addressBytes + data.size() + 1);
    for (int i = addressBytes - 1; i >= 0; --i)
        bytes += char(address >> (8 * i));
    bytes += data;
    uint8_t sum = 0;
    for (char c : bytes)
        sum = uint8_t(sum + uint8_t(c));
    bytes += char(uint8_t(~sum));
    return QByteArray("S") + type + bytes.toHex().toUpper() + "\r\n";
}

const QByteArray kIntelEnd = ":00000001FF\r\n";
const QByteArray kSEnd = SLine('9', 2, 0, {});

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

struct Case {
    const char* what;
    bool intelHex;
    QByteArray text;
    QByteArray image;       // expected on success
    const char* message;    // expected failure text (a part of it), or null
};

class FirmwareBadInputTest : public FirmwareFixture {};

TEST_F(FirmwareBadInputTest, EachFaultIsNamedWithItsLineAndGoodFilesGiveTheirImage)
{
    QByteArray badChecksum = IntelLine(0, 0, "AB");
    badChecksum[badChecksum.size() - 3] = badChecksum[badChecksum.size() - 3] == '0' ? '1' : '0';
    const Case cases[] = {
        {"lower case and LF", true, (IntelLine(0, 0, "ABC") + kIntelEnd).toLower().replace("\r\n", "\n"), "ABC", nullptr},
        {"blank lines and trailing spaces", true, "\r\n" + IntelLine(0, 0, "AB").replace("\r\n", "  \r\n") + "\n" + kIntelEnd,
         "AB", nullptr},
        {"out of order, gap filled", true, IntelLine(0, 4, "\x01") + IntelLine(0, 0, "\x02") + kIntelEnd,
         Hex("02ffffff01"), nullptr},
        {"lowest address first", true, IntelLine(0, 0x100, "X") + IntelLine(0, 0x102, "Y") + kIntelEnd, "X\xFFY", nullptr},
        {"extended linear address", true,
         IntelLine(4, 0, Hex("0001")) + IntelLine(0, 0xFFFF, "A") + IntelLine(4, 0, Hex("0002")) + IntelLine(0, 0, "B")
             + kIntelEnd,
         "AB", nullptr},
        {"extended segment address", true, IntelLine(2, 0, Hex("1000")) + IntelLine(0, 0, "S") + IntelLine(0, 0xFFFF, "T") + kIntelEnd, "S" + QByteArray(0xFFFE, '\xFF') + "T", nullptr},
        {"start address records pass", true, IntelLine(5, 0, Hex("00000100")) + IntelLine(0, 0, "A") + kIntelEnd, "A", nullptr},
        {"text after the end is ignored", true, IntelLine(0, 0, "A") + kIntelEnd + "garbage\r\n", "A", nullptr},
        {"bad checksum", true, IntelLine(0, 0, "A") + badChecksum + kIntelEnd, {}, "Intel HEX line 2: the checksum does not match."},
        {"odd digit count", true, IntelLine(0, 0, "A").replace("\r\n", "0\r\n") + kIntelEnd, {}, "Intel HEX line 1: the record has an odd number"},
        {"no colon", true, IntelLine(0, 0, "A").mid(1) + kIntelEnd, {}, "Intel HEX line 1: a record must start with \":\"."},
        {"count does not match", true, ":0200000000FF\r\n" + kIntelEnd, {}, "line 1: the byte count does not match"},
        {"not hex", true, ":01000000ZZ00\r\n", {}, "line 1: the record holds a character"},
        {"unknown type", true, IntelLine(6, 0, "A") + kIntelEnd, {}, "Intel HEX line 1: the record type 6 is unknown."},
        {"long line", true, ":" + QByteArray(100000, '0') + "\r\n" + kIntelEnd, {}, "Intel HEX line 1: the line is too long"},
        {"long line at the end", true, IntelLine(0, 0, "A") + QByteArray(100000, 'x'), {}, "Intel HEX line 2: the line is too long"},
        {"missing end", true, IntelLine(0, 0, "A") + "\r\n", {}, "ends at line 2 without an end record"},
        {"empty file", true, "", {}, "ends at line 0 without an end record"},
        {"no data", true, kIntelEnd, {}, "The Intel HEX file holds no data records."},
        {"end record with data", true, ":01000001AA54\r\n", {}, "line 1: the end-of-file record must hold no data"},
        {"past 2 GiB", true, IntelLine(0, 0, "A") + IntelLine(4, 0, Hex("8000")) + IntelLine(0, 0, "B") + kIntelEnd, {},
         "Intel HEX line 3: the records would span more than 2,147,483,647 bytes"},
        {"past 4 GiB", true, IntelLine(4, 0, Hex("FFFF")) + IntelLine(0, 0xFFFF, "AB") + kIntelEnd, {},
         "line 2: the record runs past the 4 GiB address range"},
        {"S-records, all parts", false,
         SLine('0', 2, 0, "HDR") + SLine('2', 3, 0x123456, "xy") + SLine('1', 2, 0x10, "a") + SLine('5', 2, 2, {}) + kSEnd,
         "a" + QByteArray(0x123456 - 0x11, '\xFF') + "xy", nullptr},
        {"S3 and S7, lower case", false, (SLine('3', 4, 0x80000000, "hi") + SLine('7', 4, 0, {})).toLower(), "hi", nullptr},
        {"S-record bad checksum", false, SLine('1', 2, 0, "A").replace("\r\n", "").chopped(2) + "00\r\n" + kSEnd, {},
         "S-record line 1: the checksum does not match."},
        {"S4 unknown", false, SLine('4', 2, 0, "A") + kSEnd, {}, "S-record line 1: the record type S4 is unknown."},
        {"wrong count", false, SLine('1', 2, 0, "A") + SLine('5', 2, 3, {}) + kSEnd, {},
         "S-record line 2: the count record says 3 data records, but 1 came before it."},
        {"too short for its address", false, "S2030000FC\r\n" + kSEnd, {}, "line 1: the record is too short"},
        {"S-records need no end record", false, SLine('1', 2, 0, "A"), "A", nullptr},
        {"S-record past 2 GiB", false, SLine('3', 4, 0, "A") + SLine('3', 4, 0x80000000, "B") + kSEnd, {},
         "S-record line 2: the records would span more than"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        messages_.Clear();
        const TaskOutcome outcome = Import(c.intelHex, c.text);
        if (c.message) {
            EXPECT_EQ(outcome.result, TASK_RESULT_REPORTED);
            EXPECT_FALSE(outcome.outputExists);
            ASSERT_EQ(messages_.Count(), 1);
            EXPECT_TRUE(messages_.Last().contains(QLatin1String(c.message))) << messages_.Last().toStdString();
            EXPECT_EQ(messages_.Messages().back().icon, platform::MsgIcon::Warning);
        } else {
            EXPECT_EQ(outcome.result, TASK_RESULT_SUCCESS) << messages_.Last().toStdString();
            EXPECT_EQ(outcome.output.toHex(), c.image.toHex());
            EXPECT_EQ(messages_.Count(), 0);
        }
    }
}

TEST_F(FirmwareBadInputTest, OverlapKeepsTheLaterRecordAndSaysSoOnce)
{
    for (bool intelHex : {true, false}) {
        messages_.Clear();
        const QByteArray text = intelHex ? IntelLine(0, 0, "AAAA") + IntelLine(0, 1, "BB") + IntelLine(0, 3, "CC") + kIntelEnd
                                         : SLine('1', 2, 0, "AAAA") + SLine('1', 2, 1, "BB") + SLine('1', 2, 3, "CC") + kSEnd;
        const TaskOutcome outcome = Import(intelHex, text);
        EXPECT_EQ(outcome.result, TASK_RESULT_SUCCESS);
        EXPECT_EQ(outcome.output, QByteArray("ABBCC"));
        ASSERT_EQ(messages_.Count(), 1);
        EXPECT_TRUE(messages_.Last().contains(QLatin1String("overlap")));
        EXPECT_EQ(messages_.Messages().back().icon, platform::MsgIcon::Information);
    }
}

// Mutated valid files: every run either succeeds or reports why, and a
// failure leaves no output behind.
TEST_F(FirmwareBadInputTest, FuzzedFilesNeverCrashOrFailSilently)
{
    std::mt19937 random(17);
    const QByteArray pieces = ":S0123456789ABCDEFabcdef\r\n \x00\xFF";
    for (bool intelHex : {true, false}) {
        runner_.fileName = QStringLiteral("fuzz");
        const QByteArray valid = Export(intelHex, RandomBytes(200, 3)) + Export(intelHex, RandomBytes(40, 4));
        for (int round = 0; round < 1500; ++round) {
            QByteArray text = valid;
            for (int edits = 1 + int(random() % 4); edits > 0 && !text.isEmpty(); --edits) {
                const auto at = qsizetype(random() % uint32_t(text.size()));
                switch (random() % 4) {
                case 0: text[at] = pieces[qsizetype(random() % uint32_t(pieces.size()))]; break;
                case 1: text.insert(at, pieces[qsizetype(random() % uint32_t(pieces.size()))]); break;
                case 2: text.remove(at, qsizetype(random() % 40)); break;
                default: text.truncate(at); break;
                }
            }
            messages_.Clear();
            const TaskOutcome outcome = Import(intelHex, text);
            if (outcome.result == TASK_RESULT_SUCCESS) {
                EXPECT_TRUE(outcome.outputExists);
                EXPECT_LE(messages_.Count(), 1);
            } else {
                ASSERT_EQ(outcome.result, TASK_RESULT_REPORTED) << "round " << round;
                EXPECT_EQ(messages_.Count(), 1);
                EXPECT_FALSE(outcome.outputExists);
            }
        }
    }
}

// Records address 4 GiB: a selection may end on the last address, never
// past it (a wrapped address would place bytes at the wrong place).
TEST_F(FirmwareBadInputTest, CopyAsReachesTheLastAddressAndRefusesToWrapPastIt)
{
    constexpr int64_t k4GiB = int64_t(1) << 32;
    WriteWholeFile(runner_.Path("selection.bin"), QByteArray(100, '\x5A'));
    const struct Case {
        int64_t offset;
        bool fits;
    } cases[] = {{k4GiB - 100, true}, {k4GiB - 99, false}, {5 * k4GiB, false}};
    for (bool intelHex : {true, false}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(intelHex ? "Intel HEX at " : "S-records at ") + std::to_string(c.offset));
            messages_.Clear();
            runner_.offset = c.offset;
            const uint32_t result = runner_.RunOnPaths(Task(TASK_COPY_AS, NameOf(intelHex, TASK_COPY_AS)),
                                                       runner_.Path("selection.bin"), QString());
            if (c.fits) {
                EXPECT_EQ(result, TASK_RESULT_SUCCESS);
                EXPECT_EQ(messages_.Count(), 0);
                continue;
            }
            EXPECT_EQ(result, TASK_RESULT_REPORTED);
            EXPECT_EQ(messages_.Texts(), QStringList{QStringLiteral("%1 records address only the first 4 GiB; bytes "
                                                                    "from offset %2 on would run past them.")
                                                         .arg(intelHex ? "Intel HEX" : "S-record")
                                                         .arg(c.offset)});
        }
    }
}

TEST_F(FirmwareBadInputTest, RegistersEveryDirectionOfBothFormats)
{
    for (bool intelHex : {true, false})
        for (uint32_t kind : {TASK_EXPORT, TASK_IMPORT, TASK_COPY_AS, TASK_PASTE_AS}) {
            const RegisteredTask& task = Task(kind, NameOf(intelHex, kind));
            const bool file = kind == TASK_EXPORT || kind == TASK_IMPORT;
            EXPECT_EQ(task.filter, file ? std::optional<QString>(intelHex ? "*.hex" : "*.srec;*.s19;*.s28;*.s37")
                                        : std::nullopt);
            EXPECT_EQ(task.description.has_value(), !file);
        }
}

} // namespace

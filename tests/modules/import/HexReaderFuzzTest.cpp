// The hexadecimal reader over random and cut-off input: the line parser
// with buffers of exactly the promised size (so a write past them shows
// under AddressSanitizer), and the whole reader through the module.
#include "ImportTestSupport.h"

#include "MessageRecorder.h"
#include "modules/import/HexLineParser.h"

#include <gtest/gtest.h>
#include <memory>
#include <random>

namespace {

QByteArray RandomHexish(std::mt19937& random, int maxLength)
{
    static const char kAlphabet[] = "0123456789abcdefABCDEF -\t\r\n\n\0xyz\x80\xFF";
    QByteArray text;
    const int length = int(random() % uint32_t(maxLength + 1));
    for (int i = 0; i < length; ++i)
        text.append(random() % 8 == 0 ? char(random()) : kAlphabet[random() % (sizeof kAlphabet - 1)]);
    return text;
}

} // namespace

TEST(HexReaderFuzz, LineParserStaysInsideItsBuffer)
{
    std::mt19937 random(41);
    size_t produced = 0;
    for (int i = 0; i < 20000; ++i) {
        importer::HexLineParser parser;
        for (int line = 0; line < 3; ++line) {
            const QByteArray text = RandomHexish(random, i % 50 == 0 ? 4095 : 120);
            // Exactly the room the parser asks for, on the heap.
            auto out = std::make_unique<uint8_t[]>(size_t(text.size()) / 2 + 1);
            auto copy = std::make_unique<char[]>(size_t(text.size()) + 1);
            std::copy(text.begin(), text.end(), copy.get());
            size_t count = 0;
            const auto outcome = parser.Parse(copy.get(), size_t(text.size()), out.get(), count);
            if (outcome == importer::HexLineParser::Outcome::Bytes) {
                ASSERT_GT(count, 0u);
                ASSERT_LE(count, size_t(text.size()) / 2);
                produced += count;
            } else {
                ASSERT_EQ(count, 0u);
            }
        }
    }
    EXPECT_GT(produced, 0u);
}

TEST(HexReaderFuzz, ModuleReaderEndsWithAResultOnAnyInput)
{
    std::mt19937 random(43);
    MessageRecorder messages;
    const QByteArray dump = "00000000  41 42 43 44 45 46 47 48-49 4A 4B 4C 4D 4E 4F 50  ABCDEFGHIJKLMNOP\r\n"
                            "00000010  51 52                                            QR\r\n";
    int succeeded = 0;
    for (int i = 0; i < 300; ++i) {
        QByteArray input = i % 3 == 0 ? dump.left(qsizetype(random() % uint32_t(dump.size() + 1)))
                                      : RandomHexish(random, i % 10 == 0 ? 9000 : 400);
        const TaskOutcome outcome = ImportText(input);
        ASSERT_TRUE(outcome.result == 0u || outcome.result == 0x80000000u) << outcome.result;
        if (outcome.result == 0u) {
            EXPECT_FALSE(outcome.output.isEmpty());
            ++succeeded;
        }
    }
    EXPECT_GT(succeeded, 0);
    EXPECT_GT(messages.Count(), 0);
}

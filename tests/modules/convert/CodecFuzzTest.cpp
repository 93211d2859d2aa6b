// Every reader of Convert.vtx (base64 and uu decoders, the UTF-8 and UTF-16
// decoders) run over random and truncated input, and every codec fed in
// pieces against one call over the whole input. Output buffers are sized
// exactly to the stated capacity, so AddressSanitizer catches any overrun.
#include "modules/convert/Base64Codec.h"
#include "modules/convert/Utf16ToUtf8.h"
#include "modules/convert/Utf8ToUtf16.h"
#include "modules/convert/UuCodec.h"

#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// Random text drawn mostly from the characters a reader cares about.
Bytes RandomInput(std::mt19937& rng, std::string_view favourites, size_t maxLength)
{
    Bytes bytes(rng() % (maxLength + 1));
    for (uint8_t& b : bytes) {
        const uint32_t r = rng();
        b = r % 4 == 0 ? uint8_t(r >> 8) : uint8_t(favourites[(r >> 8) % favourites.size()]);
    }
    return bytes;
}

using namespace std::string_view_literals;
constexpr auto kBase64Favourites = "ABCXYZabcxyz0189+/=\r\n "sv;
constexpr auto kUuFavourites = "`!\"#0V%TMbeginEND \r\n_^"sv;
constexpr auto kUtf8Favourites = "a\x7F\xC2\xDF\xE0\xE1\xED\xEF\xF0\xF4\xF5\x80\x8F\x90\x9F\xA0\xBF\xFF"sv;
// Low bytes and high bytes of ASCII, surrogates of both halves and others.
constexpr auto kUtf16Favourites = "a\0\xD8\xDB\xDC\xDF\xFF\x3D"sv;

Bytes Base64Encoded(const Bytes& data)
{
    Bytes text(Base64EncodedSize(data.size()));
    text.resize(Base64Encode(data.data(), data.size(), text.data()));
    return text;
}

Bytes UuEncoded(const Bytes& data)
{
    Bytes text(UuEncodedSize(data.size()));
    text.resize(UuEncode(data.data(), data.size(), text.data()));
    return text;
}

Bytes RandomData(std::mt19937& rng, size_t length)
{
    Bytes data(length);
    for (uint8_t& b : data)
        b = uint8_t(rng());
    return data;
}

TEST(CodecFuzzTest, Base64DecoderStaysWithinItsCapacity)
{
    std::mt19937 rng(1);
    for (int round = 0; round < 3000; ++round) {
        const Bytes text = RandomInput(rng, kBase64Favourites, 700);
        Bytes out(Base64DecodedCapacity(text.size()));
        EXPECT_LE(Base64Decode(text.data(), text.size(), out.data()), out.size());
    }
}

TEST(CodecFuzzTest, TruncatedBase64DecodesToAPrefix)
{
    std::mt19937 rng(2);
    const Bytes data = RandomData(rng, 200);
    const Bytes text = Base64Encoded(data);
    EXPECT_EQ(text.size(), Base64EncodedSize(data.size()));
    for (size_t cut = 0; cut <= text.size(); ++cut) {
        Bytes out(Base64DecodedCapacity(cut));
        out.resize(Base64Decode(text.data(), cut, out.data()));
        ASSERT_LE(out.size(), data.size());
        EXPECT_TRUE(std::equal(out.begin(), out.end(), data.begin())) << cut;
    }
}

TEST(CodecFuzzTest, UuDecoderStaysWithinItsCapacity)
{
    std::mt19937 rng(3);
    int decoded = 0;
    for (int round = 0; round < 3000; ++round) {
        const Bytes text = RandomInput(rng, kUuFavourites, 700);
        Bytes out(UuDecodedCapacity(text.size()));
        const std::optional<size_t> length = UuDecode(text.data(), text.size(), out.data());
        if (length) {
            EXPECT_LE(*length, out.size());
            ++decoded;
        }
    }
    EXPECT_GT(decoded, 0); // the input is not all rejected before it is read
}

TEST(CodecFuzzTest, TruncatedUuTextDecodesToAPrefixCompletedWithZeros)
{
    std::mt19937 rng(4);
    const Bytes data = RandomData(rng, 150);
    const Bytes text = UuEncoded(data);
    EXPECT_EQ(text.size(), UuEncodedSize(data.size()));
    for (size_t cut = 0; cut <= text.size(); ++cut) {
        Bytes out(UuDecodedCapacity(cut));
        const std::optional<size_t> length = UuDecode(text.data(), cut, out.data());
        ASSERT_TRUE(length.has_value()) << cut; // cut text has no short line break
        out.resize(*length);
        ASSERT_LE(out.size(), data.size());
        // All but the last group are the data; the last may hold zeros.
        const size_t sure = out.size() > 3 ? out.size() - 3 : 0;
        EXPECT_TRUE(std::equal(out.begin(), out.begin() + ptrdiff_t(sure), data.begin())) << cut;
    }
}

// Feeds the decoder pieces of random size; each piece's output buffer is
// exactly as large as the decoder says it may need.
template <typename Decoder, typename Unit, size_t (*MaxOut)(size_t), size_t kFinish>
std::vector<Unit> DecodeInPieces(const Bytes& input, std::mt19937& rng, size_t maxPiece)
{
    Decoder decoder;
    std::vector<Unit> result;
    size_t pos = 0;
    while (pos < input.size()) {
        const size_t piece = std::min(input.size() - pos, size_t(1 + rng() % maxPiece));
        std::vector<Unit> out(MaxOut(piece));
        const size_t n = decoder.Convert(input.data() + pos, piece, out.data());
        EXPECT_LE(n, out.size());
        result.insert(result.end(), out.begin(), out.begin() + ptrdiff_t(n));
        pos += piece;
    }
    std::vector<Unit> tail(kFinish);
    const size_t n = decoder.Finish(tail.data());
    EXPECT_LE(n, kFinish);
    result.insert(result.end(), tail.begin(), tail.begin() + ptrdiff_t(n));
    return result;
}

constexpr size_t Utf8Max(size_t count) { return Utf8ToUtf16::MaxUnits(count); }
constexpr size_t Utf16Max(size_t count) { return Utf16ToUtf8::MaxBytes(count); }

TEST(CodecFuzzTest, Utf8DecoderGivesTheSameTextWhereverThePiecesAreCut)
{
    std::mt19937 rng(5);
    for (int round = 0; round < 1500; ++round) {
        const Bytes input = RandomInput(rng, kUtf8Favourites, 400);
        const auto whole = DecodeInPieces<Utf8ToUtf16, char16_t, Utf8Max, Utf8ToUtf16::kMaxFinishUnits>(
            input, rng, input.size() + 1);
        const auto pieces = DecodeInPieces<Utf8ToUtf16, char16_t, Utf8Max, Utf8ToUtf16::kMaxFinishUnits>(input, rng, 5);
        ASSERT_EQ(whole, pieces) << round;
        EXPECT_LE(whole.size(), input.size()); // never more units than bytes
    }
}

TEST(CodecFuzzTest, Utf16EncoderGivesTheSameBytesWhereverThePiecesAreCut)
{
    std::mt19937 rng(6);
    for (int round = 0; round < 1500; ++round) {
        const Bytes input = RandomInput(rng, kUtf16Favourites, 400);
        const auto whole = DecodeInPieces<Utf16ToUtf8, uint8_t, Utf16Max, Utf16ToUtf8::kMaxFinishBytes>(
            input, rng, input.size() + 1);
        const auto pieces = DecodeInPieces<Utf16ToUtf8, uint8_t, Utf16Max, Utf16ToUtf8::kMaxFinishBytes>(input, rng, 5);
        ASSERT_EQ(whole, pieces) << round;
        EXPECT_LE(whole.size(), input.size() / 2 * 3);
    }
}

// A codec fed in pieces of 1 to maxPiece bytes; nothing when it failed.
template <typename Codec>
std::optional<Bytes> CodeInPieces(const Bytes& input, std::mt19937& rng, size_t maxPiece)
{
    Codec codec;
    Bytes result;
    const auto failed = [&codec] {
        if constexpr (requires { codec.Failed(); })
            return codec.Failed();
        return false;
    };
    for (size_t pos = 0; pos < input.size();) {
        const size_t piece = std::min(input.size() - pos, size_t(1 + rng() % maxPiece));
        Bytes out(Codec::MaxOutput(piece));
        const size_t n = codec.Convert(input.data() + pos, piece, out.data());
        EXPECT_LE(n, out.size());
        result.insert(result.end(), out.begin(), out.begin() + ptrdiff_t(n));
        pos += piece;
    }
    Bytes tail(Codec::kMaxFinish);
    const size_t n = codec.Finish(tail.data());
    EXPECT_LE(n, tail.size());
    result.insert(result.end(), tail.begin(), tail.begin() + ptrdiff_t(n));
    return failed() ? std::nullopt : std::optional<Bytes>(result);
}

std::optional<Bytes> Whole(const Bytes& input, size_t (*capacity)(size_t),
                           std::optional<size_t> (*code)(const uint8_t*, size_t, uint8_t*))
{
    Bytes out(capacity(input.size()));
    const std::optional<size_t> length = code(input.data(), input.size(), out.data());
    if (!length)
        return std::nullopt;
    out.resize(*length);
    return out;
}

std::optional<size_t> Base64EncodeWhole(const uint8_t* in, size_t n, uint8_t* out) { return Base64Encode(in, n, out); }
std::optional<size_t> Base64DecodeWhole(const uint8_t* in, size_t n, uint8_t* out) { return Base64Decode(in, n, out); }
std::optional<size_t> UuEncodeWhole(const uint8_t* in, size_t n, uint8_t* out) { return UuEncode(in, n, out); }

// Lines of any length, cut anywhere: the carried group, the open base64 or
// uu line, a uu line longer than the part that decides it, a marker line
// split across pieces and a short line that fails.
TEST(CodecFuzzTest, EveryCodecGivesTheWholeInputResultWhereverThePiecesAreCut)
{
    std::mt19937 rng(7);
    constexpr auto kLongUuLines = "M`!\"#0V%TMbeginEND _^!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!\n"sv;
    int uuFailures = 0;
    for (int round = 0; round < 600; ++round) {
        SCOPED_TRACE(round);
        const size_t maxPiece = round % 3 == 0 ? 3 : round % 3 == 1 ? 90 : 400;
        const Bytes data = RandomData(rng, rng() % 700);
        EXPECT_EQ(CodeInPieces<Base64Encoder>(data, rng, maxPiece), Whole(data, Base64EncodedSize, Base64EncodeWhole));
        EXPECT_EQ(CodeInPieces<UuEncoder>(data, rng, maxPiece), Whole(data, UuEncodedSize, UuEncodeWhole));

        const Bytes base64 = round % 2 ? Base64Encoded(data) : RandomInput(rng, kBase64Favourites, 700);
        EXPECT_EQ(CodeInPieces<Base64Decoder>(base64, rng, maxPiece),
                  Whole(base64, Base64DecodedCapacity, Base64DecodeWhole));
        const Bytes uu = round % 3 == 0   ? UuEncoded(data)
                         : round % 3 == 1 ? RandomInput(rng, kUuFavourites, 700)
                                          : RandomInput(rng, kLongUuLines, 1500);
        const std::optional<Bytes> whole = Whole(uu, UuDecodedCapacity, UuDecode);
        EXPECT_EQ(CodeInPieces<UuDecoder>(uu, rng, maxPiece), whole);
        uuFailures += !whole;
    }
    EXPECT_GT(uuFailures, 0); // the failing case was met, not only decodable text
    EXPECT_LT(uuFailures, 600);
}

// Uu texts whose lines are decided at their edges, fed in pieces of every
// size up to longer than the longest line.
TEST(CodecFuzzTest, UuLinesDecidedAtTheirEdgesDecodeAlikeInPieces)
{
    Bytes beginData(34, 0x41); // a data line that spells "BEGIN" in capitals
    beginData[0] = 0x96;
    beginData[1] = 0x7A;
    beginData[2] = 0x6E;
    const Bytes beginLine = UuEncoded(beginData);
    const std::string longLine = "_" + std::string(84, '!') + std::string(40, 'x') + "\n#0V%T";
    const std::string_view texts[] = {
        "begin 644 cat.txt\r\n#0V%T\r\n`\r\nend\r\n",
        "BEGIN 644 x\r\r#0V%T\r\r\rEND\r",
        "#0V%T  text after the groups that cover the length, long enough to be skipped\n\" 0  \n",
        longLine,
        {reinterpret_cast<const char*>(beginLine.data()), beginLine.size()},
        "M0V%T\n#0V%T\n", // a line shorter than announced
        "#0V",
    };
    std::mt19937 rng(8);
    for (const std::string_view text : texts) {
        const Bytes input(text.begin(), text.end());
        const std::optional<Bytes> whole = Whole(input, UuDecodedCapacity, UuDecode);
        for (size_t maxPiece = 1; maxPiece <= 140; ++maxPiece)
            ASSERT_EQ(CodeInPieces<UuDecoder>(input, rng, maxPiece), whole) << text << " " << maxPiece;
    }
    EXPECT_EQ(Whole(beginLine, UuDecodedCapacity, UuDecode), beginData);
}

} // namespace

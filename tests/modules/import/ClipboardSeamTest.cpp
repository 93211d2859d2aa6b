// The platform's clipboard functions the modules rely on, under the
// offscreen platform: raw text bytes, the length block and format listing.
#include "platform/Clipboard.h"

#include <QMimeData>
#include <gtest/gtest.h>
#include <memory>

TEST(ClipboardSeam, TextTravelsAsRawBytesIncludingZeros)
{
    const QByteArray bytes("A\0\xFF\r\n", 5);
    ASSERT_TRUE(platform::SetClipboardText(bytes));
    EXPECT_EQ(platform::ClipboardText(), std::optional<QByteArray>(bytes));
    EXPECT_EQ(platform::ClipboardFormats(), QStringList{QStringLiteral("text/plain")});
    EXPECT_EQ(platform::ClipboardBinaryLength(), std::nullopt);
}

TEST(ClipboardSeam, TheLengthBlockIsFourLittleEndianBytes)
{
    ASSERT_TRUE(platform::SetClipboardTextWithLength(QByteArray("ab\0c\0", 5), 4));
    EXPECT_EQ(platform::ClipboardFormats(),
              (QStringList{QStringLiteral("text/plain"), QStringLiteral("application/x-vantrel-binary")}));
    EXPECT_EQ(platform::ClipboardData(QStringLiteral("application/x-vantrel-binary")),
              std::optional<QByteArray>(QByteArray("\x04\0\0\0", 4)));
    EXPECT_EQ(platform::ClipboardBinaryLength(), std::optional<int32_t>(4));
    EXPECT_EQ(platform::EncodeBinaryLength(-2), QByteArray("\xFE\xFF\xFF\xFF", 4));
    EXPECT_EQ(platform::DecodeBinaryLength(QByteArray("\x01\x02\0\0", 4)), std::optional<int32_t>(0x0201));
    EXPECT_EQ(platform::DecodeBinaryLength(QByteArray("\x01\x02\0", 3)), std::nullopt);
}

TEST(ClipboardSeam, DragDataCarriesTheSameFormats)
{
    const std::unique_ptr<QMimeData> data(platform::NewTextMimeData("xyz", 3));
    EXPECT_EQ(data->data(QStringLiteral("text/plain")), QByteArray("xyz"));
    EXPECT_EQ(platform::DecodeBinaryLength(data->data(QStringLiteral("application/x-vantrel-binary"))),
              std::optional<int32_t>(3));
}

TEST(ClipboardSeam, AMissingFormatHasNoData)
{
    ASSERT_TRUE(platform::SetClipboardText("x"));
    EXPECT_EQ(platform::ClipboardData(QStringLiteral("image/png")), std::nullopt);
    EXPECT_EQ(platform::ClipboardData(QString()), std::nullopt);
}

// The platform seam: text conversion, file-error texts, temporary files,
// the settings location and the message handler.
#include "MessageRecorder.h"
#include "ScopedEnv.h"

#include "platform/CodePage.h"
#include "platform/FileErrors.h"
#include "platform/PageMemory.h"
#include "platform/SettingsBackend.h"
#include "platform/TempFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>

namespace {

TEST(CodePage, RoundTripsEveryPlaneAndReplacesLoneSurrogates)
{
    const QString text = QString::fromUtf8("A\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80z");  // A é € 😀 z
    const QByteArray encoded = platform::ToCodePage(text);
    EXPECT_EQ(encoded, QByteArray("A\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80z"));
    EXPECT_EQ(platform::FromCodePage(encoded), text);

    const QChar lone[] = {QChar(u'x'), QChar(char16_t(0xD800)), QChar(u'y'), QChar(char16_t(0xDC00))};
    EXPECT_EQ(platform::ToCodePage(QStringView(lone, 4)), QByteArray("x?y?"));
}

TEST(FileErrors, EveryTextNamesTheFile)
{
    const QString path = "/data/file.bin";
    EXPECT_EQ(platform::FileErrorText(ENOENT, path), "/data/file.bin was not found.");
    EXPECT_EQ(platform::FileErrorText(EACCES, path), "Access to /data/file.bin was denied.");
    EXPECT_EQ(platform::FileErrorText(EBUSY, path), "A sharing violation occurred while accessing /data/file.bin.");
    EXPECT_EQ(platform::FileErrorText(ENOSPC, path), "There is not enough space on the disk to write /data/file.bin.");
    EXPECT_EQ(platform::FileErrorText(EFBIG, path), "/data/file.bin is larger than the file size limit allows.");
    EXPECT_EQ(platform::FileErrorText(EIO, path), "An unexpected error occurred while accessing /data/file.bin.");
}

// Blocks meant to be filled whole: huge-page multiples come back aligned to a
// huge page, every size is writable to its last byte, and freeing gives the
// range back (a second round of the same sizes must succeed as well).
TEST(PageMemory, FilledBlocksAreAlignedWhereHugePagesCanBackThem)
{
    constexpr size_t kHuge = size_t(2) << 20;
    struct Case {
        size_t bytes;
        bool aligned;
    };
    const Case cases[] = {{4096, false}, {kHuge - 4096, false}, {kHuge, true}, {4 * kHuge, true}, {kHuge + 4096, false}};
    for (int round = 0; round < 2; ++round) {
        for (const Case& c : cases) {
            auto* block = static_cast<unsigned char*>(platform::AllocateFilledPages(c.bytes));
            ASSERT_NE(block, nullptr) << c.bytes;
            if (c.aligned) {
                EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % kHuge, 0u) << c.bytes;
            }
            std::memset(block, 0xA5, c.bytes);
            EXPECT_EQ(block[0], 0xA5);
            EXPECT_EQ(block[c.bytes - 1], 0xA5);
            platform::FreePages(block, c.bytes);
        }
    }
}

TEST(TempFile, CreatesDistinctEmptyFilesWithPrefixAndSuffix)
{
    QSet<QString> names;
    for (int i = 0; i < 20; ++i) {
        const QString path = platform::CreateUniqueTempFile("VTL");
        ASSERT_FALSE(path.isEmpty());
        EXPECT_TRUE(QFileInfo(path).fileName().startsWith("VTL"));
        EXPECT_TRUE(path.endsWith(".tmp"));
        EXPECT_EQ(QFileInfo(path).size(), 0);
        names.insert(path);
    }
    EXPECT_EQ(names.size(), 20);
    for (const QString& path : names)
        QFile::remove(path);
}

// $TMPDIR is used only when it names a folder; anything else falls back to
// /tmp instead of the root folder.
TEST(TempFile, TemporaryFolderIsTmpdirOnlyWhenThatIsAFolder)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString plainFile = folder.filePath("plain");
    QFile(plainFile).open(QIODevice::WriteOnly);
    const QString canonicalFolder = QDir(folder.path()).canonicalPath();
    const struct {
        QByteArray tmpdir;
        QString expected;
    } cases[] = {
        {folder.path().toLocal8Bit(), canonicalFolder},
        {folder.filePath("missing").toLocal8Bit(), "/tmp"},
        {folder.filePath("missing/deeper").toLocal8Bit(), "/tmp"},
        {plainFile.toLocal8Bit(), "/tmp"},
        {"", "/tmp"},
    };
    for (const auto& c : cases) {
        ScopedEnv tmpdir("TMPDIR", c.tmpdir);
        EXPECT_EQ(platform::TempDirectory(), c.expected) << c.tmpdir.constData();
        const QString made = platform::CreateUniqueTempFile("VTL");
        ASSERT_FALSE(made.isEmpty()) << c.tmpdir.constData();
        EXPECT_EQ(QFileInfo(made).absolutePath(), c.expected) << c.tmpdir.constData();
        QFile::remove(made);
    }
}

TEST(SettingsBackend, TheConfigFolderVariableDecidesWhereSettingsLive)
{
    const QString dir = qEnvironmentVariable("VANTREL_CONFIG_DIR");
    ASSERT_FALSE(dir.isEmpty()) << "the test main sets a private folder";
    EXPECT_EQ(platform::SettingsFilePath(), dir + "/Kestrane/Vantrel.ini");
    auto store = platform::OpenSettings();
    store->setValue("Settings/Probe", 7);
    store->sync();
    EXPECT_TRUE(QFile::exists(dir + "/Kestrane/Vantrel.ini"));
}

TEST(MessageBox, HandlerSeesTheMessageAndAnswers)
{
    MessageRecorder messages;
    messages.Answer(platform::MsgResult::Yes);
    EXPECT_EQ(platform::ShowMessage("Sure?", platform::MsgButtons::YesNo, platform::MsgIcon::Question),
              platform::MsgResult::Yes);
    EXPECT_EQ(platform::ShowMessage("Again?", platform::MsgButtons::YesNoCancel), platform::MsgResult::Cancel)
        << "an unscripted question gets the cautious answer";
    ASSERT_EQ(messages.Count(), 2);
    EXPECT_EQ(messages.Messages()[0].caption, "Vantrel");
}

} // namespace

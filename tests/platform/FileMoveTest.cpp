// Putting a finished temporary file in place of a user's file, and streamed
// copies, by names that are not UTF-8.
#include "platform/FileCopy.h"
#include "platform/FileErrors.h"
#include "platform/FileMove.h"
#include "platform/FileNames.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <ftw.h>
#include <functional>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void WriteRaw(const QByteArray& path, const QByteArray& contents, mode_t mode = 0644)
{
    const int fd = ::open(path.constData(), O_CREAT | O_WRONLY | O_TRUNC, mode);
    ASSERT_GE(fd, 0) << path.toStdString();
    ASSERT_EQ(::write(fd, contents.constData(), size_t(contents.size())), contents.size());
    ::close(fd);
    ::chmod(path.constData(), mode);
}

std::optional<QByteArray> ReadRaw(const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd < 0)
        return std::nullopt;
    QByteArray contents;
    char piece[65536];
    for (ssize_t n; (n = ::read(fd, piece, sizeof piece)) > 0;)
        contents.append(piece, n);
    ::close(fd);
    return contents;
}

mode_t ModeOf(const QByteArray& path, bool followLink = true)
{
    struct stat info {};
    if ((followLink ? ::stat(path.constData(), &info) : ::lstat(path.constData(), &info)) != 0)
        return 0;
    return info.st_mode;
}

// Removes a folder whose entries the toolkit may not be able to name.
void RemoveTree(const QByteArray& path)
{
    ::nftw(
        path.constData(), [](const char* entry, const struct stat*, int, FTW*) { return ::remove(entry), 0; }, 16,
        FTW_DEPTH | FTW_PHYS);
}

class FileMoveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        ::umask(022);
    }
    void TearDown() override
    {
        RemoveTree(folder_);
        RemoveTree(otherFolder_);
    }
    QTemporaryDir dir_;
    QByteArray folder_ = platform::EncodeFileName(dir_.path()) + "/";
    // Another file system, where a rename cannot go.
    QByteArray otherFolder_ = "/dev/shm/vantrel-move-" + QByteArray::number(::getpid()) + "/";
};

TEST_F(FileMoveTest, TheMovedFileTakesTheExactNameAsASaveWould)
{
    const QByteArray output = "the module's output\n";
    struct Case {
        const char* what;
        bool sourceElsewhere;  // on another file system: copied, not renamed
        std::function<void(const QByteArray& target)> before;
        mode_t mode;               // of the file written
        bool linkStays = false;    // the target was a symbolic link and still is
    };
    const Case cases[] = {
        {"new file", false, [](const QByteArray&) {}, 0644},
        {"existing file keeps its permissions", false, [](const QByteArray& t) { WriteRaw(t, "old", 0600); }, 0600},
        {"link to a file", false,
         [this](const QByteArray& t) {
             WriteRaw(folder_ + "linked\xfe", "old", 0640);
             ASSERT_EQ(::symlink("linked\xfe", t.constData()), 0);
         },
         0640, true},
        {"new file from another file system", true, [](const QByteArray&) {}, 0644},
        {"existing file from another file system", true, [](const QByteArray& t) { WriteRaw(t, "old", 0604); },
         0604},
    };
    ASSERT_EQ(::mkdir(otherFolder_.constData(), 0700), 0);
    struct stat here {}, there {};
    ASSERT_EQ(::stat(folder_.constData(), &here), 0);
    ASSERT_EQ(::stat(otherFolder_.constData(), &there), 0);
    EXPECT_NE(here.st_dev, there.st_dev) << "/dev/shm is not another file system here";
    int number = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray source = (c.sourceElsewhere ? otherFolder_ : folder_) + "VTL" + QByteArray::number(number) + ".tmp";
        const QByteArray target = folder_ + "out\xff" + QByteArray::number(number++) + "\xc3\x28.txt";
        WriteRaw(source, output, 0600);
        c.before(target);
        ASSERT_EQ(platform::MoveFileOnto(platform::DecodeFileName(source), platform::DecodeFileName(target)), 0);
        EXPECT_EQ(ReadRaw(target).value_or("<missing>"), output);
        EXPECT_EQ(ModeOf(target) & 07777, c.mode);
        EXPECT_EQ(S_ISLNK(ModeOf(target, false)), c.linkStays);
        // A rename leaves nothing behind; after a copy (from elsewhere, or
        // through a link) the owner removes the source.
        EXPECT_EQ(ReadRaw(source).has_value(), c.sourceElsewhere || c.linkStays);
    }
}

TEST_F(FileMoveTest, WhatASaveMayNotReplaceIsLeftAsItWas)
{
    struct Case {
        const char* what;
        QByteArray target;
        int error;
        mode_t type;  // of the target afterwards; 0: still missing
    };
    const Case cases[] = {
        {"folder", folder_ + "dir\xff", EISDIR, S_IFDIR},
        {"pipe", folder_ + "pipe\xff", platform::kSaveOverSpecialFile, S_IFIFO},
        {"missing folder", folder_ + "none\xff/out.txt", ENOENT, 0},
    };
    ASSERT_EQ(::mkdir(cases[0].target.constData(), 0755), 0);
    ASSERT_EQ(::mkfifo(cases[1].target.constData(), 0644), 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray source = folder_ + "VTL.tmp";
        WriteRaw(source, "output", 0600);
        EXPECT_EQ(platform::MoveFileOnto(platform::DecodeFileName(source), platform::DecodeFileName(c.target)), c.error);
        EXPECT_EQ(ModeOf(c.target, false) & S_IFMT, c.type);
        EXPECT_TRUE(ReadRaw(source).has_value()) << "the source stays for its owner to remove";
    }
}

TEST_F(FileMoveTest, StreamedCopiesAreExactAndSayWhichSideFailed)
{
    // Several pieces of the copy, and a last piece that is not full.
    QByteArray big(3 * 1024 * 1024 + 17, '\0');
    for (qsizetype i = 0; i < big.size(); ++i)
        big[i] = char((i * 7919) >> 3);
    const QByteArray source = folder_ + "in\xff.bin";
    WriteRaw(source, big);
    struct Case {
        const char* what;
        QByteArray from;
        QByteArray to;
        std::function<platform::FileCopyResult(const QString&, const QString&)> copy;
        int error;
        bool failedReading;
    };
    const Case cases[] = {
        {"into a private file", source, folder_ + "VTL1.tmp", platform::CopyIntoPrivateFile, 0, false},
        {"onto a user's file", source, folder_ + "out\xc3\x28.bin", platform::CopyOntoUserFile, 0, false},
        {"missing source", folder_ + "gone\xff", folder_ + "VTL2.tmp", platform::CopyIntoPrivateFile, ENOENT, true},
        {"source is a folder", folder_, folder_ + "VTL3.tmp", platform::CopyIntoPrivateFile, EISDIR, true},
        {"missing target folder", source, folder_ + "none\xff/VTL.tmp", platform::CopyIntoPrivateFile, ENOENT, false},
        {"user's file in a missing folder", source, folder_ + "none\xff/out", platform::CopyOntoUserFile, ENOENT, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const platform::FileCopyResult result =
            c.copy(platform::DecodeFileName(c.from), platform::DecodeFileName(c.to));
        EXPECT_EQ(result.error, c.error);
        EXPECT_EQ(result.failedReading, c.failedReading);
        if (c.error == 0) {
            EXPECT_TRUE(ReadRaw(c.to) == big);
        }
    }
}

} // namespace

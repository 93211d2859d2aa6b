// Putting a finished temporary file in place of a user's file whose name is
// not UTF-8: what a save would give, or nothing changed.
#include "platform/FileErrors.h"
#include "platform/FileMove.h"
#include "platform/FileNames.h"
#include "TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct stat Lstat(const QByteArray& path)
{
    struct stat info {};
    ::lstat(path.constData(), &info);
    return info;
}

TEST(FileMove, TheTargetGetsWhatASaveGivesOrStaysAsItWas)
{
    QTemporaryDir dir;
    const QByteArray here = platform::EncodeFileName(dir.path()) + "/";
    // /dev/shm is another file system, where a rename cannot go: a copy.
    const QByteArray there = "/dev/shm/vantrel-move-" + QByteArray::number(::getpid()) + "/";
    ASSERT_EQ(::mkdir(there.constData(), 0700), 0);
    ::umask(022);
    struct Case {
        const char* what;
        QByteArray sourceFolder;
        std::function<void(const QByteArray& target)> before;
        int error;
        mode_t type;  // of the target (not following a link) afterwards
        mode_t mode;  // of the file written
    };
    const auto none = [](const QByteArray&) {};
    const Case cases[] = {
        {"new file", here, none, 0, S_IFREG, 0644},
        {"existing file", here, [](const QByteArray& t) { WriteRawFile(t, "old", 0600); }, 0, S_IFREG, 0600},
        {"link", here,
         [&](const QByteArray& t) {
             WriteRawFile(here + "to\xfe", "old", 0640);
             ::symlink("to\xfe", t);
         },
         0, S_IFLNK, 0640},
        {"from another file system", there, [](const QByteArray& t) { WriteRawFile(t, "old", 0604); }, 0, S_IFREG, 0604},
        {"folder", here, [](const QByteArray& t) { ::mkdir(t, 0755); }, EISDIR, S_IFDIR, 0755},
        {"pipe", here, [](const QByteArray& t) { ::mkfifo(t, 0644); }, platform::kSaveOverSpecialFile, S_IFIFO, 0644},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray source = c.sourceFolder + "VTL.tmp";
        const QByteArray target = here + "out\xff" + QByteArray(c.what) + "\xc3\x28";
        WriteRawFile(source, "output", 0600);
        c.before(target);
        EXPECT_EQ(platform::MoveFileOnto(platform::DecodeFileName(source), platform::DecodeFileName(target)), c.error);
        EXPECT_EQ(Lstat(target).st_mode & S_IFMT, c.type);
        struct stat written {};
        ::stat(target.constData(), &written);
        EXPECT_EQ(written.st_mode & 07777, c.mode);
        if (c.type == S_IFREG || c.type == S_IFLNK) {
            EXPECT_EQ(written.st_size, c.error == 0 ? 6 : 3) << "the output, or the old contents";
        }
        ::unlink(source.constData());
        if (::unlink(target.constData()) != 0)
            ::rmdir(target.constData());
    }
    ::unlink((here + "to\xfe").constData());
    ::rmdir(there.constData());
}

} // namespace

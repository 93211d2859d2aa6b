// Dropping a source file's descriptor: a big file that was replaced or
// removed is closed on a thread of its own (freeing its blocks takes long),
// every other file at once; either way no descriptor is left open.
#include "platform/SourceFile.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

bool DescriptorOpen(int fd) { return ::fcntl(fd, F_GETFD) != -1 || errno != EBADF; }

// Waits a few seconds at most for a background close.
bool ClosesSoon(int fd)
{
    const QDeadlineTimer deadline(5000);
    while (DescriptorOpen(fd) && !deadline.hasExpired())
        QThread::msleep(5);
    return !DescriptorOpen(fd);
}

TEST(SourceFileTest, EveryDroppedSourceClosesItsDescriptor)
{
    struct Case {
        const char* name;
        int64_t allocatedBytes;
        bool removeBeforeDrop;
    };
    const Case cases[] = {
        {"small, still named", 4096, false},
        {"small, removed", 4096, true},
        {"big, still named", int64_t(80) << 20, false},
        {"big, removed: closed in the background", int64_t(80) << 20, true},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath("source.bin");
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            // Allocated blocks, not a hole: only freeing real blocks is slow.
            ASSERT_EQ(::posix_fallocate(file.handle(), 0, c.allocatedBytes), 0);
        }
        int error = 0;
        std::shared_ptr<platform::SourceFile> source = platform::SourceFile::Open(path, &error);
        ASSERT_TRUE(source) << error;
        const int fd = source->Descriptor();
        if (c.removeBeforeDrop) {
            ASSERT_TRUE(QFile::remove(path));
        }
        source.reset();
        EXPECT_TRUE(ClosesSoon(fd));
        QFile::remove(path);
    }
}

} // namespace

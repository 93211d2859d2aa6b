// Starting a detached program by the exact bytes of its names.
#include "platform/DetachedProcess.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

QByteArray WaitForFile(const QByteArray& path)
{
    for (int i = 0; i < 500; ++i) {
        const int fd = ::open(path.constData(), O_RDONLY);
        if (fd >= 0) {
            char piece[4096];
            const ssize_t n = ::read(fd, piece, sizeof piece);
            ::close(fd);
            return QByteArray(piece, n > 0 ? n : 0);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return "<nothing written>";
}

TEST(DetachedProcess, ReportsWhatKeptTheProgramFromStarting)
{
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path()) + "/";
    const QByteArray notExecutable = folder + "plain\xff";
    ::close(::open(notExecutable.constData(), O_CREAT | O_WRONLY, 0644));
    struct Case {
        const char* what;
        QByteArray program;
        QByteArray workingDir;
        int error;
    };
    const Case cases[] = {
        {"missing program", folder + "gone\xff", QByteArray(), ENOENT},
        {"program not executable", notExecutable, QByteArray(), EACCES},
        {"missing folder", "/bin/true", folder + "none\xff", ENOENT},
        {"folder is a file", "/bin/true", notExecutable, ENOTDIR},
        {"runs", "/bin/true", folder, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::StartDetached(c.program, {}, c.workingDir), c.error) << c.what;
    ::unlink(notExecutable.constData());
}

// The program ignores SIGXFSZ for itself; a tool it starts must not.
TEST(DetachedProcess, RunsInTheFolderWithTheArgumentsAndDefaultSignals)
{
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path()) + "/in\xc3\x28";
    ASSERT_EQ(::mkdir(folder.constData(), 0755), 0);
    struct sigaction ignore {}, previous {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGXFSZ, &ignore, &previous);
    const QByteArray script =
        "{ pwd -P; printf '[%s]' \"$1\" \"$2\"; echo; grep SigIgn /proc/self/status; } > out.part && mv out.part out";
    ASSERT_EQ(platform::StartDetached("/bin/sh", {"-c", script, "sh", "a\xff b", ""}, folder), 0);
    ::sigaction(SIGXFSZ, &previous, nullptr);
    const QList<QByteArray> lines = WaitForFile(folder + "/out").split('\n');
    ASSERT_GE(lines.size(), 3);
    char resolved[PATH_MAX];
    ASSERT_NE(::realpath(folder.constData(), resolved), nullptr);
    EXPECT_EQ(lines[0], QByteArray(resolved));
    EXPECT_EQ(lines[1], "[a\xff b][]");
    const qulonglong ignored = lines[2].mid(lines[2].indexOf(':') + 1).trimmed().toULongLong(nullptr, 16);
    EXPECT_EQ(ignored & (1ull << (SIGXFSZ - 1)), 0u) << lines[2].constData();
    ::unlink((folder + "/out").constData());
    ::rmdir(folder.constData());
}

} // namespace

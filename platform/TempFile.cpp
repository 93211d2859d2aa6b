#include "TempFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

QString TempDirectory()
{
    // The toolkit answers with the canonical path of $TMPDIR, which is empty
    // when that folder does not exist: every temporary name would then start
    // at "/".
    const QString fromEnvironment = QDir::tempPath();
    if (!fromEnvironment.isEmpty() && QFileInfo(fromEnvironment).isDir())
        return fromEnvironment;
    return QStringLiteral("/tmp");
}

QString CreateUniqueTempFile(const QString& prefix)
{
    QByteArray pattern = QFile::encodeName(TempDirectory() + QLatin1Char('/') + prefix) + "XXXXXX.tmp";
    const int fd = ::mkostemps(pattern.data(), 4, O_CLOEXEC);
    if (fd < 0)
        return QString();
    ::close(fd);
    return QFile::decodeName(pattern);
}

} // namespace platform

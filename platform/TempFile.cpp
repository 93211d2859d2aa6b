#include "TempFile.h"

#include <QDir>
#include <QFile>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

QString TempDirectory() { return QDir::tempPath(); }

QString CreateUniqueTempFile(const QString& prefix)
{
    QByteArray pattern = QFile::encodeName(TempDirectory() + QLatin1Char('/') + prefix) + "XXXXXX.tmp";
    const int fd = ::mkstemps(pattern.data(), 4);
    if (fd < 0)
        return QString();
    ::close(fd);
    return QFile::decodeName(pattern);
}

} // namespace platform

#include "TaskTempFile.h"

#include "platform/TempFile.h"

#include <QFile>

#include <cerrno>

QString MakeTaskTempFileName() { return platform::CreateUniqueTempFile(QStringLiteral("VTL")); }

TaskTempFile::TaskTempFile()
{
    errno = 0;
    path_ = MakeTaskTempFileName();
    if (path_.isEmpty())
        error_ = errno ? errno : EIO;
}

TaskTempFile::~TaskTempFile()
{
    if (!path_.isEmpty())
        QFile::remove(path_);
}

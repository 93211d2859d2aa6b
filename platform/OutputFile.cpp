#include "OutputFile.h"

#include "FileErrors.h"
#include "FileNames.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

int OutputFileProblem(const QString& path)
{
    struct stat info {};
    if (::stat(EncodeFileName(path).constData(), &info) != 0)
        return 0;  // a new name, or one whose folder the writer will report
    if (S_ISDIR(info.st_mode))
        return EISDIR;
    if (!S_ISREG(info.st_mode))
        return kSaveOverSpecialFile;
    return 0;
}

void RemoveUnfinishedOutput(const QString& path)
{
    // Only a plain file: the name may have been replaced by something else
    // meanwhile, and that is not ours to remove.
    if (OutputFileProblem(path) == 0)
        ::unlink(EncodeFileName(path).constData());
}

} // namespace platform

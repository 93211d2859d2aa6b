#include "FileCopy.h"

#include "AtomicFileWriter.h"
#include "FileReader.h"
#include "StreamFileWriter.h"

#include <QByteArray>
#include <cerrno>

namespace platform {

namespace {

// Large enough that the system calls cost nothing next to the disk.
constexpr qsizetype kPieceBytes = 1024 * 1024;

template <typename Writer>
FileCopyResult CopyThrough(const QString& source, const QString& target)
{
    FileReader reader;
    if (!reader.Open(source))
        return {reader.Error(), true};
    Writer writer;
    if (!writer.Open(target))
        return {writer.Error(), false};
    QByteArray piece(kPieceBytes, Qt::Uninitialized);
    for (;;) {
        const int64_t read = reader.Read(piece.data(), piece.size());
        if (read < 0)
            return {reader.Error() ? reader.Error() : EIO, true};
        if (read == 0)
            break;
        if (!writer.Write(piece.constData(), read))
            return {writer.Error() ? writer.Error() : EIO, false};
    }
    if (!writer.Commit())
        return {writer.Error() ? writer.Error() : EIO, false};
    return {};
}

} // namespace

FileCopyResult CopyIntoPrivateFile(const QString& source, const QString& target)
{
    return CopyThrough<StreamFileWriter>(source, target);
}

FileCopyResult CopyOntoUserFile(const QString& source, const QString& target)
{
    return CopyThrough<AtomicFileWriter>(source, target);
}

} // namespace platform

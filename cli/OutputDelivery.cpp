#include "OutputDelivery.h"

#include "CliMessages.h"
#include "CliOutput.h"

#include "platform/AtomicFileWriter.h"
#include "platform/FileErrors.h"
#include "platform/FileReader.h"

#include <memory>

namespace {

constexpr int64_t kBlockBytes = int64_t(1) << 20;

bool FailOn(int error, const QString& path)
{
    PrintProblem(path, platform::FileErrorText(error, path));
    return false;
}

bool StreamToStandardOutput(platform::FileReader& reader)
{
    const std::unique_ptr<char[]> block(new char[size_t(kBlockBytes)]);
    for (;;) {
        const int64_t got = reader.Read(block.get(), kBlockBytes);
        if (got < 0)
            return FailOn(reader.Error(), reader.Path());
        if (got == 0)
            return true;
        if (!WriteStandardOutput(block.get(), got))
            return FinishStandardOutput();
    }
}

bool CopyIntoFile(platform::FileReader& reader, const QString& target)
{
    platform::AtomicFileWriter writer;
    if (!writer.Open(target))
        return FailOn(writer.Error(), target);
    const std::unique_ptr<char[]> block(new char[size_t(kBlockBytes)]);
    for (;;) {
        const int64_t got = reader.Read(block.get(), kBlockBytes);
        if (got < 0)
            return FailOn(reader.Error(), reader.Path());
        if (got == 0)
            break;
        if (!writer.Write(block.get(), got))
            return FailOn(writer.Error(), target);
    }
    return writer.Commit() || FailOn(writer.Error(), target);
}

} // namespace

bool IsStandardOutput(const QString& target) { return target.isEmpty() || target == u"-"; }

bool DeliverFile(const QString& producedPath, const QString& target)
{
    platform::FileReader reader;
    if (!reader.Open(producedPath))
        return FailOn(reader.Error(), producedPath);
    return IsStandardOutput(target) ? StreamToStandardOutput(reader) : CopyIntoFile(reader, target);
}

bool DeliverBytes(const QByteArray& bytes, const QString& target)
{
    if (IsStandardOutput(target))
        return WriteStandardOutput(bytes.constData(), bytes.size()) || FinishStandardOutput();
    platform::AtomicFileWriter writer;
    if (writer.Open(target) && writer.Write(bytes.constData(), bytes.size()) && writer.Commit())
        return true;
    return FailOn(writer.Error(), target);
}

#include "OutputDelivery.h"

#include "CliMessages.h"
#include "CliOutput.h"

#include "platform/AtomicFileWriter.h"
#include "platform/FileErrors.h"
#include "platform/FileReader.h"

#include <memory>

namespace {

// Blocks that stay in the processor's cache while they are read and written.
constexpr int64_t kBlockBytes = int64_t(1) << 16;

bool FailOn(int error, const QString& path)
{
    PrintProblem(path, platform::FileErrorText(error, path));
    return false;
}

enum class Pumped { All, ReadFailed, WriteRefused };

// Hands the file to write block by block, until its end or a failure.
template <typename Write>
Pumped Pump(platform::FileReader& reader, Write write)
{
    const std::unique_ptr<char[]> block(new char[size_t(kBlockBytes)]);
    for (;;) {
        const int64_t got = reader.Read(block.get(), kBlockBytes);
        if (got < 0)
            return Pumped::ReadFailed;
        if (got == 0)
            return Pumped::All;
        if (!write(block.get(), got))
            return Pumped::WriteRefused;
    }
}

bool StreamToStandardOutput(platform::FileReader& reader)
{
    switch (Pump(reader, WriteStandardOutput)) {
    case Pumped::All:
        return true;
    case Pumped::ReadFailed:
        return FailOn(reader.Error(), reader.Path());
    case Pumped::WriteRefused:
        break;
    }
    return FinishStandardOutput();
}

bool CopyIntoFile(platform::FileReader& reader, const QString& target)
{
    platform::AtomicFileWriter writer;
    if (!writer.Open(target))
        return FailOn(writer.Error(), target);
    switch (Pump(reader, [&writer](const char* bytes, int64_t count) { return writer.Write(bytes, count); })) {
    case Pumped::All:
        return writer.Commit() || FailOn(writer.Error(), target);
    case Pumped::ReadFailed:
        return FailOn(reader.Error(), reader.Path());
    case Pumped::WriteRefused:
        break;
    }
    return FailOn(writer.Error(), target);
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

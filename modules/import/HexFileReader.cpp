#include "HexFileReader.h"

#include "HexLineParser.h"
#include "ImportMessages.h"

#include "ext/interface/VantrelExtension.h"
#include "modules/common/FileHandle.h"
#include "platform/MessageBox.h"

#include <cstring>

namespace importer {

namespace {

constexpr size_t kInputBytes = size_t(1) << 20;
constexpr size_t kOutputBytes = size_t(1) << 20;

enum class Stop { None, ReadFailed, WriteFailed, TooLong, NotRecognised };

class Reader {
public:
    Reader(FileHandle& input, FileHandle& output, uint8_t* in, uint8_t* out)
        : input_(input), output_(output), in_(reinterpret_cast<char*>(in)), out_(out) {}

    Stop Run()
    {
        Stop stop = Stop::None;
        while (stop == Stop::None) {
            const char* lineEnd = static_cast<const char*>(std::memchr(in_ + start_, '\n', end_ - start_));
            if (lineEnd) {
                stop = Line(in_ + start_, size_t(lineEnd - (in_ + start_)));
                start_ = size_t(lineEnd - in_) + 1;
            } else if (end_ - start_ > kMaxLineLength + 1) {
                // Even with a CR before its LF this line cannot fit.
                stop = Stop::TooLong;
            } else if (!atEnd_) {
                stop = Refill();
            } else {
                if (end_ > start_)
                    stop = Line(in_ + start_, end_ - start_);
                break;
            }
        }
        if (stop == Stop::None && !Flush())
            stop = Stop::WriteFailed;
        if (stop == Stop::None && written_ == 0)
            stop = Stop::NotRecognised;
        return stop;
    }

private:
    Stop Line(const char* line, size_t length)
    {
        if (length > 0 && line[length - 1] == '\r')
            --length;
        if (length > kMaxLineLength)
            return Stop::TooLong;
        // The buffer always keeps room for the longest line's bytes.
        if (kOutputBytes - used_ <= kMaxLineBytes && !Flush())
            return Stop::WriteFailed;
        size_t count = 0;
        if (parser_.Parse(line, length, out_ + used_, count) == HexLineParser::Outcome::NotRecognised)
            return Stop::NotRecognised;
        used_ += count;
        return Stop::None;
    }

    Stop Refill()
    {
        std::memmove(in_, in_ + start_, end_ - start_);
        end_ -= start_;
        start_ = 0;
        if (!input_.ReadBytes(in_ + end_, int64_t(kInputBytes - end_)))
            return Stop::ReadFailed;
        if (input_.Moved() == 0)
            atEnd_ = true;
        end_ += size_t(input_.Moved());
        return Stop::None;
    }

    bool Flush()
    {
        if (used_ > 0 && !output_.WriteBytes(out_, int64_t(used_)))
            return false;
        written_ += used_;
        used_ = 0;
        return true;
    }

    FileHandle& input_;
    FileHandle& output_;
    char* in_;
    uint8_t* out_;
    size_t start_ = 0, end_ = 0, used_ = 0;
    uint64_t written_ = 0;
    bool atEnd_ = false;
    HexLineParser parser_;
};

uint32_t Warn(const QString& text)
{
    platform::ShowMessage(text, platform::MsgButtons::Ok, platform::MsgIcon::Warning, ErrorCaption());
    return TASK_RESULT_REPORTED;
}

} // namespace

uint32_t ConvertHexFile(const QString& inputPath, const QString& outputPath)
{
    FileHandle input;
    if (!input.Open(inputPath, FileHandle::OpenExisting, FileHandle::Read))
        return TASK_RESULT_READ_ERROR;
    uint8_t* in = input.AllocateBuffer(0, kInputBytes);
    uint8_t* out = input.AllocateBuffer(1, kOutputBytes);
    if (!in || !out)
        return TASK_RESULT_OUT_OF_MEMORY;
    FileHandle output;
    if (!output.Open(outputPath, FileHandle::CreateAlways, FileHandle::Write))
        return TASK_RESULT_WRITE_ERROR;

    const Stop stop = Reader(input, output, in, out).Run();
    const bool closed = output.Close();
    switch (stop) {
    case Stop::ReadFailed: return TASK_RESULT_READ_ERROR;
    case Stop::WriteFailed: return TASK_RESULT_WRITE_ERROR;
    case Stop::TooLong: return Warn(LineTooLongText());
    case Stop::NotRecognised: return Warn(NotRecognisedText());
    case Stop::None: break;
    }
    return closed ? TASK_RESULT_SUCCESS : TASK_RESULT_WRITE_ERROR;
}

} // namespace importer

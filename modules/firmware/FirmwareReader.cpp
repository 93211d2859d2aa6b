#include "FirmwareReader.h"

#include "RecordDecoder.h"

#include "ext/interface/VantrelExtension.h"
#include "modules/common/FileHandle.h"
#include "modules/common/ModuleHost.h"

#include <QFile>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <vector>

namespace firmware {

namespace {

constexpr uint64_t kMaxImage = 2147483647;
// Far more than the longest valid record (about 520 characters), so a line
// that does not fit is not a record, and its length never costs memory.
constexpr qint64 kMaxLine = 1024;

uint32_t Refuse(const QString& text)
{
    module_host::ShowWarning(text);
    return TASK_RESULT_REPORTED;
}

uint32_t RefuseLine(FirmwareFormat format, qint64 line, const std::string& why)
{
    return Refuse(QStringLiteral("%1 line %2: %3.").arg(QLatin1String(FormatName(format))).arg(line).arg(
        QString::fromStdString(why)));
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\0' || c == '\f' || c == '\v'; }

// Runs `visit` on every sound record up to the end record. Returns 0, 4, or
// TASK_RESULT_REPORTED after telling the user what is wrong and where.
uint32_t ForEachRecord(FirmwareFormat format, const QString& path,
                       const std::function<uint32_t(const DecodedRecord&, qint64 line)>& visit)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return TASK_RESULT_READ_ERROR;
    const std::unique_ptr<RecordDecoder> decoder = RecordDecoder::For(format);
    auto record = std::make_unique<DecodedRecord>();
    char buffer[kMaxLine + 1];
    for (qint64 line = 1;; ++line) {
        const qint64 got = file.readLine(buffer, sizeof buffer);
        if (got <= 0) {
            if (file.atEnd() && !decoder->EndRecordRequired())
                return TASK_RESULT_SUCCESS;
            if (file.atEnd())
                return Refuse(QStringLiteral("The %1 file ends at line %2 without an end record; it may be cut short.")
                                  .arg(QLatin1String(FormatName(format)))
                                  .arg(line - 1));
            return TASK_RESULT_READ_ERROR;
        }
        if (got == kMaxLine && buffer[got - 1] != '\n' && !file.atEnd())
            return RefuseLine(format, line, "the line is too long to be a record");
        std::string_view text(buffer, size_t(got));
        while (!text.empty() && IsBlank(text.front()))
            text.remove_prefix(1);
        while (!text.empty() && IsBlank(text.back()))
            text.remove_suffix(1);
        if (text.empty())
            continue;
        if (std::string why = decoder->Decode(text, *record); !why.empty())
            return RefuseLine(format, line, why);
        if (record->kind == DecodedRecord::End)
            return TASK_RESULT_SUCCESS;
        if (record->kind == DecodedRecord::Data && record->length > 0)
            if (const uint32_t result = visit(*record, line))
                return result;
    }
}

uint32_t WriteImage(const QString& outputPath, const uint8_t* image, uint64_t size)
{
    FileHandle output;
    if (!output.Open(outputPath, FileHandle::CreateAlways, FileHandle::Write))
        return TASK_RESULT_WRITE_ERROR;
    return output.WriteBytes(image, int64_t(size)) && output.Close() ? TASK_RESULT_SUCCESS : TASK_RESULT_WRITE_ERROR;
}

} // namespace

uint32_t ReadFirmwareFile(FirmwareFormat format, const QString& inputPath, const QString& outputPath)
{
    // First pass: check every record and find the span of the image.
    uint64_t lowest = UINT64_MAX, end = 0;
    uint32_t result = ForEachRecord(format, inputPath, [&](const DecodedRecord& record, qint64 line) {
        lowest = std::min(lowest, record.address);
        end = std::max(end, record.address + uint64_t(record.length));
        if (end - lowest > kMaxImage)
            return RefuseLine(format, line,
                              "the records would span more than 2,147,483,647 bytes, the largest file that can be opened");
        return TASK_RESULT_SUCCESS;
    });
    if (result != TASK_RESULT_SUCCESS)
        return result;
    if (end == 0)
        return Refuse(QStringLiteral("The %1 file holds no data records.").arg(QLatin1String(FormatName(format))));

    // Second pass: place the records; a bitmap of the bytes already placed
    // shows overlaps.
    const uint64_t size = end - lowest;
    std::unique_ptr<uint8_t[]> image(new (std::nothrow) uint8_t[size]);
    std::unique_ptr<uint64_t[]> placed(new (std::nothrow) uint64_t[size / 64 + 1]());
    if (!image || !placed)
        return TASK_RESULT_OUT_OF_MEMORY;
    std::memset(image.get(), 0xFF, size);
    bool overlap = false;
    result = ForEachRecord(format, inputPath, [&](const DecodedRecord& record, qint64) {
        const uint64_t at = record.address - lowest;
        std::memcpy(image.get() + at, record.bytes, size_t(record.length));
        for (uint64_t i = at; i < at + uint64_t(record.length); ++i) {
            uint64_t& word = placed[i / 64];
            const uint64_t bit = uint64_t(1) << (i % 64);
            overlap = overlap || (word & bit);
            word |= bit;
        }
        return TASK_RESULT_SUCCESS;
    });
    if (result != TASK_RESULT_SUCCESS)
        return result;
    if (overlap)
        module_host::ShowInformation(QStringLiteral("Some records of the %1 file overlap; the bytes of the later "
                                                    "records were kept.")
                                         .arg(QLatin1String(FormatName(format))),
                                     QStringLiteral("Import"));
    return WriteImage(outputPath, image.get(), size);
}

} // namespace firmware

#include "InputDocument.h"

#include "CliArguments.h"
#include "CliMessages.h"
#include "CliNumbers.h"

#include "core/BlockCache.h"
#include "tools/CoreMessages.h"

namespace {

// Long reads go straight past the cache; it only serves the short looks
// (a value at an offset, a structure), so it stays small.
constexpr int64_t kCacheBytes = int64_t(4) << 20;

} // namespace

InputDocument::InputDocument(const QString& path)
    : path_(path), cache_(std::make_shared<CBlockCache>(kCacheBytes)), document_(this)
{
    document_.Buffer().SetBlockCache(cache_);
    // Every file is read as extents, so no file is ever read wholly.
    document_.Buffer().SetExtentThreshold(0);
}

InputDocument::~InputDocument() = default;

std::unique_ptr<InputDocument> InputDocument::Open(const QString& path)
{
    std::unique_ptr<InputDocument> input(new InputDocument(path));
    const int before = ReportedMessageCount();
    if (!input->document_.OnOpenDocument(path)) {
        if (ReportedMessageCount() == before)
            PrintProblem(path, CoreMessages::ProblemText(input->document_.LastProblem()));
        return nullptr;
    }
    input->document_.SetReadOnly(true);
    return input;
}

void InputDocument::OnProblem(const CoreProblem& problem)
{
    PrintProblem(problem.path.isEmpty() ? path_ : problem.path, CoreMessages::ProblemText(problem));
}

std::optional<InputStretch> ResolveStretch(const QString& path, int64_t size, const CliArguments& arguments)
{
    const QString offsetText = arguments.Value(QStringLiteral("--offset"));
    const QString lengthText = arguments.Value(QStringLiteral("--length"));
    InputStretch stretch;
    stretch.length = size;
    if (arguments.Has(QStringLiteral("--offset"))) {
        const std::optional<int64_t> offset = ParseCliNumber(offsetText);
        if (!offset) {
            Fail(QString(), QStringLiteral("\"%1\" is not an offset (decimal, or hexadecimal after 0x)").arg(offsetText));
            return std::nullopt;
        }
        if (*offset > size) {
            Fail(path, QStringLiteral("offset %1 is past the end of the file (%2 bytes)").arg(*offset).arg(size));
            return std::nullopt;
        }
        stretch.offset = *offset;
        stretch.length = size - *offset;
        stretch.whole = false;
    }
    if (arguments.Has(QStringLiteral("--length"))) {
        const std::optional<int64_t> length = ParseCliNumber(lengthText);
        if (!length) {
            Fail(QString(), QStringLiteral("\"%1\" is not a length (decimal, or hexadecimal after 0x)").arg(lengthText));
            return std::nullopt;
        }
        if (*length > size - stretch.offset) {
            Fail(path, QStringLiteral("%1 bytes from offset %2 run past the end of the file (%3 bytes)")
                           .arg(*length)
                           .arg(stretch.offset)
                           .arg(size));
            return std::nullopt;
        }
        stretch.length = *length;
        stretch.whole = false;
    }
    return stretch;
}

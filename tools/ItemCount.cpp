#include "ItemCount.h"

#include "core/BufferChunk.h"
#include "types/IntegerText.h"

#include <algorithm>

namespace {
const char* VerbWord(ItemVerb verb)
{
    switch (verb) {
    case ItemVerb::Insert:
        return "insert";
    case ItemVerb::Delete:
        return "delete";
    case ItemVerb::Modify:
    default:
        return "modify";
    }
}
const char* VerbTitle(ItemVerb verb)
{
    switch (verb) {
    case ItemVerb::Insert:
        return "Insert";
    case ItemVerb::Delete:
        return "Delete";
    case ItemVerb::Modify:
    default:
        return "Modify";
    }
}
} // namespace

ItemCount ParseItemCount(QStringView text)
{
    const ParsedInteger parsed = ParseInteger(text);
    if (!parsed.Ok())
        return {};
    const auto value = int64_t(parsed.value);
    if (value < MIN_ITEM_COUNT || value > MAX_ITEM_COUNT)
        return {};
    return {true, int32_t(value), parsed.radix};
}

QString ItemCountMessage(ItemVerb verb)
{
    return QStringLiteral("You must enter a valid number of items to %1 in the range 1 to 65,535. (Note: Use the 0x "
                          "prefix to specify hexadecimal numbers.)")
        .arg(QLatin1String(VerbWord(verb)));
}

int64_t ItemRunBytes(int32_t count, int itemSize)
{
    const int64_t bytes = int64_t(count) * itemSize;
    return bytes < 0 || bytes > MAX_FILE_SIZE ? -1 : bytes;
}

ItemRunPreview PreviewItemRun(ItemVerb verb, QStringView countText, int itemSize, int64_t start, int64_t fileSize,
                              bool hexOffsets)
{
    ItemRunPreview preview;
    const ItemCount count = ParseItemCount(countText);
    const int64_t bytes = count.ok ? ItemRunBytes(count.count, itemSize) : -1;
    if (bytes < 0) {
        preview.text = QStringLiteral("(Invalid item count)");
        preview.selStart = preview.selEnd = start;
        return preview;
    }
    const QString offset =
        hexOffsets ? QStringLiteral("0x") + QString::number(uint64_t(start), 16).toUpper() : QString::number(start);
    preview.text = QStringLiteral("%1 %2 byte%3 at offset %4")
                       .arg(QLatin1String(VerbTitle(verb)))
                       .arg(bytes)
                       .arg(bytes == 1 ? QString() : QStringLiteral("s"))
                       .arg(offset);
    preview.valid = true;
    preview.selStart = std::clamp<int64_t>(start, 0, fileSize);
    preview.selEnd = preview.selStart + std::min(bytes, fileSize - preview.selStart);
    return preview;
}

QString ItemTypeLabel(const QString& name, int size)
{
    return QStringLiteral("%1 (%2 byte%3)").arg(name).arg(size).arg(size == 1 ? QString() : QStringLiteral("s"));
}

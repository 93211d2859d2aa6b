#include "DumpSettings.h"

#include <algorithm>

namespace exporter {

namespace {

QString FaceName(const TaskFont& font)
{
    qsizetype length = 0;
    const qsizetype capacity = qsizetype(sizeof font.faceName / sizeof font.faceName[0]);
    while (length < capacity && font.faceName[length])
        ++length;
    return QString::fromUtf16(font.faceName, length);
}

} // namespace

DumpSettings SettingsFrom(const TaskArgs& args)
{
    DumpSettings s;
    s.bytesPerRow = args.bytesPerRow < 1 ? 16 : std::min(args.bytesPerRow, kMaxBytesPerRow);
    s.groupSize = std::clamp(args.groupBy, 1, s.bytesPerRow);
    s.groups = (s.bytesPerRow + s.groupSize - 1) / s.groupSize;
    s.hexColumn = (args.columns & 1) != 0;
    s.charColumn = (args.columns & 2) != 0;
    s.showDash = args.showDash != 0;
    s.showAllChars = args.showAllChars != 0;
    s.decimalOffsets = args.offsetRadix == 10;
    s.selectionStart = std::max<int64_t>(0, VantrelTaskOffset(&args));
    for (int i = 0; i < 5; ++i)
        s.colors[i] = args.colors[i] & 0x00FFFFFFu;
    s.faceName = FaceName(args.font);
    s.title = args.fileName ? QString::fromUtf16(args.fileName) : QString();
    return s;
}

} // namespace exporter

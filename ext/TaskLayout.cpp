#include "TaskLayout.h"

#include "settings/AppSettings.h"

#include <cstring>

namespace {

TaskFont ToTaskFont(const platform::FontRecord& font)
{
    TaskFont out{};
    out.height = font.height;
    out.width = font.width;
    out.escapement = font.escapement;
    out.orientation = font.orientation;
    out.weight = font.weight;
    out.italic = font.italic;
    out.underline = font.underline;
    out.strikeOut = font.strikeOut;
    out.charSet = font.charSet;
    out.outPrecision = font.outPrecision;
    out.clipPrecision = font.clipPrecision;
    out.quality = font.quality;
    out.pitchAndFamily = font.pitchAndFamily;
    static_assert(sizeof(out.faceName) == sizeof(font.faceName));
    std::memcpy(out.faceName, font.faceName, sizeof(out.faceName));
    return out;
}

// Bytes per display group for the GroupBy setting: 1, 2, 4 or 8 (1 for a
// value outside 0 to 3).
int GroupSizeForSetting(int groupBy) { return groupBy >= 0 && groupBy <= 3 ? 1 << groupBy : 1; }

} // namespace

TaskLayout TaskLayoutOf(const AppSettings& settings, const SystemColorResolver& resolve)
{
    TaskLayout layout;
    layout.offsetRadix = settings.offsetFormat == 1 ? 16 : 10;
    layout.groupBy = GroupSizeForSetting(settings.groupBy);
    layout.columns = settings.columns;
    layout.showDash = settings.showDash ? 1 : 0;
    layout.showAllChars = settings.showAllChars ? 1 : 0;
    layout.font = ToTaskFont(settings.font2);
    static_assert(std::size(TaskLayout{}.colors) == AppSettings::kColorSlots);
    for (int slot = 0; slot < AppSettings::UsedColorCount; ++slot)
        layout.colors[slot] = ResolveColor(settings.colors[slot], resolve);
    layout.bytesPerRow = settings.bytesPerRow;
    return layout;
}

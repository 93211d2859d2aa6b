#pragma once
// The view's display settings a dump follows, taken from the task arguments
// and made safe to lay out with.
#include "ext/interface/VantrelExtension.h"

#include <QString>
#include <cstdint>

namespace exporter {

struct DumpSettings {
    int bytesPerRow = 16;
    int groupSize = 1;
    int groups = 16;        // groups per row, the last one possibly short
    bool hexColumn = true;
    bool charColumn = true;
    bool showDash = true;
    bool showAllChars = false;
    bool decimalOffsets = false;
    int64_t selectionStart = 0;
    uint32_t colors[5] = {}; // offset, odd column, even column, ASCII text, background (0x00BBGGRR)
    QString faceName;
    QString title;

    // The byte before which the dash may stand; 0 when there is one group.
    int DashByte() const { return groups >= 2 ? groups / 2 * groupSize : 0; }
    // Whether the separator before DashByte is a dash in a row whose bytes
    // occupy positions [lead, lead + count): it needs a byte on both sides,
    // because a blank position takes its separator with it.
    bool DashInRow(int lead, int count) const
    {
        const int dash = DashByte();
        return showDash && dash > 0 && lead < dash && lead + count > dash;
    }
    // Width of the hex column text: two digits per byte plus the separators.
    int HexWidth() const { return 2 * bytesPerRow + groups - 1; }
};

// Settings from the arguments. A row width below 1 falls back to 16 and one
// above kMaxBytesPerRow is cut to it; a group size outside 1 to the row width
// is brought into that range.
DumpSettings SettingsFrom(const TaskArgs& args);

inline constexpr int kMaxBytesPerRow = 1 << 16;

} // namespace exporter

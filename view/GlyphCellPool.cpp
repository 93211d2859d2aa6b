#include "GlyphCellPool.h"

#include <algorithm>

namespace {
constexpr size_t kMaxFonts = 4;
} // namespace

GlyphCellCache& GlyphCellPool::For(const CellFont& font)
{
    auto found = std::find_if(entries_.begin(), entries_.end(),
                              [&font](const Entry& e) { return e.font.SameCells(font); });
    if (found == entries_.end()) {
        if (entries_.size() == kMaxFonts)
            entries_.erase(entries_.begin());
        entries_.push_back(Entry{font, std::make_unique<GlyphCellCache>()});
        return *entries_.back().cache;
    }
    std::rotate(found, found + 1, entries_.end());
    return *entries_.back().cache;
}

#pragma once
// The character cells of every view in the program, one cache per font. A
// cache learns which cells it may copy by drawing a first window the usual
// way and reading it back; shared, that is paid once per font and kind of
// window instead of once per view, so a newly opened file's first window is
// copied from cells the other windows drew already.
#include "CellFont.h"
#include "GlyphCellCache.h"

#include <memory>
#include <vector>

class GlyphCellPool {
public:
    // The cache for font, made when no view used the font lately.
    GlyphCellCache& For(const CellFont& font);

private:
    struct Entry {
        CellFont font;
        std::unique_ptr<GlyphCellCache> cache;
    };
    // Most recently used last. A few fonts at a time: views of different
    // sizes (zoomed, printed) alternate without starting over each time.
    std::vector<Entry> entries_;
};

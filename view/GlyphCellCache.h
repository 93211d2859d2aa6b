#pragma once
// Character cells drawn once and copied afterwards. Blending a glyph's
// coverage into the window costs some twenty instructions a pixel and a full
// window holds thousands of glyphs, while a character whose ink stays inside
// its cell, in one colour over one opaque background, always comes out the
// same. Such a cell is drawn once by Qt's own text drawing into a small image
// and then copied into place, which gives the same pixels for a fraction of
// the cost.
//
// Copies are used only where they are known to match: the glyph's ink must
// stay inside its cell, and on each kind of device (a window's backing store,
// an image) the first paint is drawn the usual way and read back to check
// that the cached cells equal what Qt drew there. Desktops whose window text
// is drawn differently from text in images (sub-pixel anti-aliasing) fail
// that check and keep the usual drawing.
#include "CellFont.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class QPainter;

class GlyphCellCache {
public:
    // One character cell: c in color at cell (x, top) over background.
    struct Item {
        QChar c;
        QRgb color;
        QRgb background;
        int x;
        int top;
    };

    // Copies the cells of the items that can be copied and marks them in
    // copied (one flag per item); the caller draws the others as glyphs, in
    // their usual order. Returns whether anything was copied.
    bool CopyCells(QPainter& painter, const CellFont& font, const std::vector<Item>& items,
                   std::vector<char>& copied);
    // After all items were drawn as glyphs: on a device not yet checked,
    // compares what Qt drew with the cached cells and decides whether copies
    // may be used there from now on.
    void CheckAfterDrawing(QPainter& painter, const CellFont& font, const std::vector<Item>& items);

    // Cells copied since the cache was made; tests use it to know that the
    // copies were really used.
    int64_t CopiedCells() const { return copied_; }

private:
    enum class Check : uint8_t { Unknown, Same, Different };
    struct Target {
        int devType = 0;
        QImage::Format format = QImage::Format_Invalid;
        int hints = 0;
        QImage* image = nullptr;  // what the painter draws on
        QPoint offset;            // device pixels of logical (0, 0)
    };
    // How far a character's ink reaches past its cell, in pixels.
    struct Spill {
        bool known = false;
        bool wild = false;  // reaches the edge of the canvas: anywhere
        int left = 0, right = 0, up = 0, down = 0;
        bool Any() const { return left > 0 || right > 0 || up > 0 || down > 0; }
    };
    struct Slot {
        bool rendered = false;
        QImage image;  // null when the ink left the cell in these colours
    };
    struct ColorPair {
        QImage::Format format;
        int hints;
        QRgb color;
        QRgb background;
        std::array<Slot, 256> byChar;
    };
    struct Verdict {
        int devType;
        QImage::Format format;
        int hints;
        Check check;
    };

    static bool TargetOf(QPainter& painter, Target& target);
    void Follow(const CellFont& font);
    Check& VerdictFor(const Target& target);
    // Fills cells_ with the cell to copy for each item, or null where the
    // item must be drawn as a glyph. False when nothing can be copied.
    bool Plan(const Target& target, const std::vector<Item>& items);
    const QImage* Cell(const Target& target, const Item& item);
    const Spill& SpillOf(QChar c)
    {
        const Spill& spill = spills_[c.unicode()];
        return spill.known ? spill : MeasureSpill(c);
    }
    const Spill& MeasureSpill(QChar c);
    // c drawn over background at the centre of a canvas one cell larger on
    // every side; cellRect receives the cell's place on it.
    QImage Canvas(QImage::Format format, int hints, QChar c, QRgb color, QRgb background, QRect& cellRect) const;
    // Copies the cells of items [first, end), which stand side by side.
    void DrawStrip(QPainter& painter, const Target& target, const std::vector<Item>& items, size_t first,
                   size_t end);
    bool SameAsTarget(const Target& target, const Item& item, const QImage& cell) const;

    CellFont font_;  // what the cells were drawn with
    std::vector<std::unique_ptr<ColorPair>> pairs_;
    ColorPair* lastPair_ = nullptr;
    std::array<Spill, 256> spills_ = {};
    std::vector<Verdict> verdicts_;
    std::vector<const QImage*> cells_;  // of the items being drawn
    std::vector<std::pair<int, int>> grid_;  // row and column of each item
    std::vector<uint8_t> reached_;           // grid cells other characters' ink reaches
    QImage strip_;                      // cells side by side, drawn in one call
    std::vector<const uchar*> rows_;    // pixels of the cells of a strip
    int64_t copied_ = 0;
};

#include "GlyphCellCache.h"

#include "GlyphBatch.h"

#include <QPaintEngine>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Cells compared without a difference before a device is trusted.
constexpr int kCellsToTrust = 8;
// Colour pairs kept before the cache starts over (each holds 256 cells).
constexpr size_t kMaxColorPairs = 64;

} // namespace

bool GlyphCellCache::TargetOf(QPainter& painter, Target& target)
{
    QPaintEngine* engine = painter.paintEngine();
    if (!engine || engine->type() != QPaintEngine::Raster || painter.hasClipping() || painter.opacity() != 1.0 ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver)
        return false;
    QPaintDevice* device = engine->paintDevice();
    if (!device || device->devType() != QInternal::Image || !painter.device())
        return false;
    QImage* image = static_cast<QImage*>(device);
    if (image->format() != QImage::Format_RGB32 && image->format() != QImage::Format_ARGB32_Premultiplied)
        return false;
    // Whole device pixels only: a scaled or rotated painter draws glyphs
    // differently from the cells.
    const QTransform m = painter.deviceTransform();
    if (m.type() > QTransform::TxTranslate || m.dx() != std::round(m.dx()) || m.dy() != std::round(m.dy()))
        return false;
    target.devType = painter.device()->devType();
    target.format = image->format();
    target.hints = int(painter.renderHints());
    target.image = image;
    target.offset = QPoint(int(m.dx()), int(m.dy()));
    return true;
}

void GlyphCellCache::Follow(const CellFont& font)
{
    if (!font.SameCells(font_)) {
        font_ = font;
        pairs_.clear();
        spills_.fill(Spill{});
        verdicts_.clear();
    }
    if (pairs_.size() > kMaxColorPairs)
        pairs_.clear();
    lastPair_ = nullptr;
}

GlyphCellCache::Check& GlyphCellCache::VerdictFor(const Target& target)
{
    for (Verdict& v : verdicts_)
        if (v.devType == target.devType && v.format == target.format && v.hints == target.hints)
            return v.check;
    verdicts_.push_back(Verdict{target.devType, target.format, target.hints, Check::Unknown});
    return verdicts_.back().check;
}

QImage GlyphCellCache::Canvas(QImage::Format format, int hints, QChar c, QRgb color, QRgb background,
                              QRect& cellRect) const
{
    const int cw = font_.CharWidth();
    const int lh = font_.LineHeight();
    const int margin = std::max(cw, lh);
    QImage canvas(cw + 2 * margin, lh + 2 * margin, format);
    cellRect = QRect(margin, margin, cw, lh);
    if (canvas.isNull())
        return canvas;
    QPainter painter(&canvas);
    painter.setRenderHints(painter.renderHints(), false);
    painter.setRenderHints(QPainter::RenderHints(hints), true);
    painter.fillRect(canvas.rect(), QColor::fromRgba(background));
    DrawGlyphRun(painter, font_.Raw(), color, {font_.Glyph(c)}, {QPointF(margin, margin + font_.Ascent())});
    return canvas;
}

namespace {

// Bounding box of the pixels that differ from the canvas corner, which the
// glyph never reaches unless its ink is wild.
QRect InkBox(const QImage& canvas)
{
    const QRgb plain = canvas.pixel(0, 0);
    int left = canvas.width(), right = -1, top = canvas.height(), bottom = -1;
    for (int y = 0; y < canvas.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        for (int x = 0; x < canvas.width(); ++x) {
            if (line[x] != plain) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

} // namespace

// Dark on light and light on dark, so faint edge pixels show in one of them.
const GlyphCellCache::Spill& GlyphCellCache::MeasureSpill(QChar c)
{
    Spill& spill = spills_[c.unicode()];
    spill = Spill{};
    spill.known = true;
    const int hints = int(QPainter::TextAntialiasing);
    for (const auto& [ink, paper] : {std::pair(qRgb(0, 0, 0), qRgb(255, 255, 255)),
                                     std::pair(qRgb(255, 255, 255), qRgb(0, 0, 0))}) {
        QRect cell;
        const QImage canvas = Canvas(QImage::Format_ARGB32_Premultiplied, hints, c, ink, paper, cell);
        if (canvas.isNull()) {
            spill.wild = true;
            return spill;
        }
        const QRect box = InkBox(canvas);
        if (box.isNull())
            continue;
        if (box.left() == 0 || box.top() == 0 || box.right() == canvas.width() - 1 ||
            box.bottom() == canvas.height() - 1)
            spill.wild = true;
        spill.left = std::max(spill.left, cell.left() - box.left());
        spill.right = std::max(spill.right, box.right() - cell.right());
        spill.up = std::max(spill.up, cell.top() - box.top());
        spill.down = std::max(spill.down, box.bottom() - cell.bottom());
    }
    return spill;
}

const QImage* GlyphCellCache::Cell(const Target& target, const Item& item)
{
    ColorPair* pair = lastPair_;
    if (!pair || pair->color != item.color || pair->background != item.background || pair->format != target.format ||
        pair->hints != target.hints) {
        pair = nullptr;
        for (const auto& p : pairs_)
            if (p->format == target.format && p->hints == target.hints && p->color == item.color &&
                p->background == item.background)
                pair = p.get();
        if (!pair) {
            pairs_.push_back(std::make_unique<ColorPair>());
            pair = pairs_.back().get();
            pair->format = target.format;
            pair->hints = target.hints;
            pair->color = item.color;
            pair->background = item.background;
        }
        lastPair_ = pair;
    }
    Slot& slot = pair->byChar[item.c.unicode()];
    if (!slot.rendered) {
        QRect cell;
        const QImage canvas = Canvas(target.format, target.hints, item.c, item.color, item.background, cell);
        const QRect box = canvas.isNull() ? QRect(0, 0, 1, 1) : InkBox(canvas);
        if (box.isNull() || cell.contains(box))
            slot.image = canvas.copy(cell);
        slot.rendered = true;
    }
    return slot.image.isNull() ? nullptr : &slot.image;
}

namespace {

// Lines of the cells side by side into a strip; a cell's lines follow each
// other without padding (32-bit pixels). Common widths get a copy of a fixed
// size, which the compiler turns into a few moves.
template <size_t Bytes>
void CopyFixed(const std::vector<const uchar*>& cells, uchar* bits, qsizetype stride, int lh)
{
    for (int y = 0; y < lh; ++y) {
        uchar* out = bits + y * stride;
        const size_t from = size_t(y) * Bytes;
        for (const uchar* cell : cells) {
            std::memcpy(out, cell + from, Bytes);
            out += Bytes;
        }
    }
}

void CopyCellLines(const std::vector<const uchar*>& cells, uchar* bits, qsizetype stride, int cw, int lh)
{
    switch (cw) {
    case 6: return CopyFixed<24>(cells, bits, stride, lh);
    case 7: return CopyFixed<28>(cells, bits, stride, lh);
    case 8: return CopyFixed<32>(cells, bits, stride, lh);
    case 9: return CopyFixed<36>(cells, bits, stride, lh);
    case 10: return CopyFixed<40>(cells, bits, stride, lh);
    case 11: return CopyFixed<44>(cells, bits, stride, lh);
    case 12: return CopyFixed<48>(cells, bits, stride, lh);
    default: break;
    }
    const size_t bytes = size_t(cw) * 4;
    for (int y = 0; y < lh; ++y) {
        uchar* out = bits + y * stride;
        for (const uchar* cell : cells) {
            std::memcpy(out, cell + size_t(y) * bytes, bytes);
            out += bytes;
        }
    }
}

// n / d for 0 <= n < 2^16 by a multiply: exact there, since the error of
// the rounded-up reciprocal stays below 1 / d.
class GridDivider {
public:
    explicit GridDivider(int d) : reciprocal_((uint64_t(1) << 32) / uint64_t(d) + 1) {}
    int operator()(int n) const { return n < 0 || n >= 65536 ? -1 : int((uint64_t(n) * reciprocal_) >> 32); }

private:
    uint64_t reciprocal_;
};

} // namespace

bool GlyphCellCache::Plan(const Target& target, const std::vector<Item>& items)
{
    cells_.assign(items.size(), nullptr);
    if (items.empty())
        return false;
    const int cw = font_.CharWidth();
    const int lh = font_.LineHeight();
    int x0 = items.front().x;
    int y0 = items.front().top;
    int x1 = x0;
    int y1 = y0;
    for (const Item& item : items) {
        x0 = std::min(x0, item.x);
        x1 = std::max(x1, item.x);
        y0 = std::min(y0, item.top);
        y1 = std::max(y1, item.top);
    }
    // Every item on one grid of cells; a divide per item would cost more
    // than the rest of the plan.
    const GridDivider byColumn(cw);
    const GridDivider byRow(lh);
    const int columns = byColumn(x1 - x0) + 1;
    const int rows = byRow(y1 - y0) + 1;
    grid_.resize(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        const int column = byColumn(items[i].x - x0);
        const int row = byRow(items[i].top - y0);
        if (column * cw != items[i].x - x0 || row * lh != items[i].top - y0 || items[i].c.unicode() >= 256)
            return false;
        grid_[i] = {row, column};
    }
    // Cells that another character's ink reaches keep being drawn as glyphs,
    // so that overlapping ink blends in the usual order.
    reached_.assign(size_t(rows) * size_t(columns), 0);
    for (size_t i = 0; i < items.size(); ++i) {
        const Spill& spill = SpillOf(items[i].c);
        if (spill.wild)
            return false;
        if (!spill.Any())
            continue;
        const auto [row, column] = grid_[i];
        const int rowEnd = std::min(rows - 1, row + (spill.down + lh - 1) / lh);
        const int columnEnd = std::min(columns - 1, column + (spill.right + cw - 1) / cw);
        for (int r = std::max(0, row - (spill.up + lh - 1) / lh); r <= rowEnd; ++r)
            for (int c = std::max(0, column - (spill.left + cw - 1) / cw); c <= columnEnd; ++c)
                if (r != row || c != column)
                    reached_[size_t(r) * size_t(columns) + size_t(c)] = 1;
    }
    bool any = false;
    for (size_t i = 0; i < items.size(); ++i) {
        const Item& item = items[i];
        if (qAlpha(item.background) != 255 || spills_[item.c.unicode()].Any() ||
            reached_[size_t(grid_[i].first) * size_t(columns) + size_t(grid_[i].second)])
            continue;
        const QImage* cell = Cell(target, item);
        // Ink that stays inside in black and white but not in these colours
        // is not accounted for above: draw everything as glyphs.
        if (!cell)
            return false;
        cells_[i] = cell;
        any = true;
    }
    return any;
}

void GlyphCellCache::DrawStrip(QPainter& painter, const Target& target, const std::vector<Item>& items, size_t first,
                               size_t end)
{
    if (end - first == 1) {
        painter.drawImage(QPoint(items[first].x, items[first].top), *cells_[first]);
        return;
    }
    const int cw = font_.CharWidth();
    const int lh = font_.LineHeight();
    const int width = int(end - first) * cw;
    if (strip_.format() != target.format || strip_.width() < width || strip_.height() != lh)
        strip_ = QImage(std::max(width, strip_.width()), lh, target.format);
    uchar* bits = strip_.bits();
    const qsizetype stride = strip_.bytesPerLine();
    rows_.clear();
    for (size_t k = first; k < end; ++k)
        rows_.push_back(cells_[k]->constBits());
    CopyCellLines(rows_, bits, stride, cw, lh);
    painter.drawImage(QPoint(items[first].x, items[first].top), strip_, QRect(0, 0, width, lh));
}

bool GlyphCellCache::CopyCells(QPainter& painter, const CellFont& font, const std::vector<Item>& items,
                               std::vector<char>& copied)
{
    copied.assign(items.size(), 0);
    Target target;
    if (!font.Raw().isValid() || !TargetOf(painter, target))
        return false;
    Follow(font);
    if (VerdictFor(target) != Check::Same || !Plan(target, items))
        return false;
    painter.save();
    // The cells are opaque: copying one replaces the background that is
    // already there with the same background plus the character.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const int cw = font_.CharWidth();
    int64_t count = 0;
    size_t i = 0;
    while (i < items.size()) {
        if (!cells_[i]) {
            ++i;
            continue;
        }
        // Cells side by side in one row go out in one call.
        size_t end = i + 1;
        while (end < items.size() && cells_[end] && items[end].top == items[i].top &&
               items[end].x == items[end - 1].x + cw)
            ++end;
        DrawStrip(painter, target, items, i, end);
        for (size_t k = i; k < end; ++k)
            copied[k] = 1;
        count += int64_t(end - i);
        i = end;
    }
    painter.restore();
    copied_ += count;
    return count > 0;
}

bool GlyphCellCache::SameAsTarget(const Target& target, const Item& item, const QImage& cell) const
{
    const QPoint at(item.x + target.offset.x(), item.top + target.offset.y());
    const size_t bytes = size_t(cell.width()) * 4;
    for (int y = 0; y < cell.height(); ++y) {
        const uchar* painted = target.image->constScanLine(at.y() + y) + size_t(at.x()) * 4;
        if (std::memcmp(painted, cell.constScanLine(y), bytes) != 0)
            return false;
    }
    return true;
}

void GlyphCellCache::CheckAfterDrawing(QPainter& painter, const CellFont& font, const std::vector<Item>& items)
{
    Target target;
    if (!font.Raw().isValid() || !TargetOf(painter, target))
        return;
    Follow(font);
    Check& verdict = VerdictFor(target);
    if (verdict != Check::Unknown || !Plan(target, items))
        return;
    const QRegion clip = painter.paintEngine()->systemClip();
    const QRect bounds = target.image->rect();
    int same = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        if (!cells_[i])
            continue;
        const QRect cell = QRect(QPoint(items[i].x, items[i].top), cells_[i]->size()).translated(target.offset);
        if (!bounds.contains(cell) || (!clip.isEmpty() && !QRegion(cell).subtracted(clip).isEmpty()))
            continue;  // partly outside what this paint drew
        if (!SameAsTarget(target, items[i], *cells_[i])) {
            verdict = Check::Different;
            return;
        }
        ++same;
    }
    if (same >= kCellsToTrust)
        verdict = Check::Same;
}

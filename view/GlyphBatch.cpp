#include "GlyphBatch.h"

#include <QGlyphRun>
#include <QPainter>

void DrawGlyphRun(QPainter& painter, const QRawFont& font, QRgb color, const QList<quint32>& glyphs,
                  const QList<QPointF>& positions)
{
    QGlyphRun run;
    run.setRawFont(font);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    painter.setPen(QColor::fromRgba(color));
    painter.drawGlyphRun(QPointF(0, 0), run);
}

void GlyphBatch::Add(const QColor& color, QChar c, int x, int baseline)
{
    Add(color.rgba(), kUnknownBackground, c, x, baseline);
}

void GlyphBatch::AddText(const QColor& color, QStringView text, int x, int baseline)
{
    AddText(color.rgba(), kUnknownBackground, text, x, baseline);
}

// A blank draws nothing; with a known background it is kept, so that the
// cells around it can be copied together.
void GlyphBatch::AddText(QRgb color, QRgb background, QStringView text, int x, int baseline)
{
    const int cw = font_.CharWidth();
    for (qsizetype i = 0; i < text.size(); ++i, x += cw)
        Add(color, background, text[i], x, baseline);
}

GlyphBatch::Run& GlyphBatch::RunFor(QRgb color)
{
    for (Run& run : runs_)
        if (run.color == color)
            return run;
    runs_.push_back(Run{color, {}, {}});
    return runs_.back();
}

// One run per colour in the order the colours first came, each run in the
// order its characters came. Copied cells keep their colour's place, so the
// glyphs left to draw overlap in the same order as when all are drawn.
void GlyphBatch::DrawRuns(QPainter& painter)
{
    runs_.clear();
    for (size_t i = 0; i < items_.size(); ++i) {
        const GlyphCellCache::Item& item = items_[i];
        if (item.c == QChar(u' '))
            continue;
        Run& run = RunFor(item.color);
        if (!copied_.empty() && copied_[i])
            continue;
        run.glyphs.append(font_.Glyph(item.c));
        run.positions.append(QPointF(item.x, item.top + font_.Ascent()));
    }
    for (const Run& run : runs_)
        if (!run.glyphs.isEmpty())
            DrawGlyphRun(painter, font_.Raw(), run.color, run.glyphs, run.positions);
    runs_.clear();
}

void GlyphBatch::Flush(QPainter& painter)
{
    if (!font_.Raw().isValid() || items_.empty()) {
        items_.clear();
        return;
    }
    copied_.clear();
    const bool someCopied = cells_ && cells_->CopyCells(painter, font_, items_, copied_);
    if (!someCopied)
        copied_.clear();
    DrawRuns(painter);
    if (cells_ && !someCopied)
        cells_->CheckAfterDrawing(painter, font_, items_);
    items_.clear();
}

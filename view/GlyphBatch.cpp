#include "GlyphBatch.h"

#include <QGlyphRun>
#include <QPainter>

GlyphBatch::Run& GlyphBatch::RunFor(const QColor& color)
{
    const QRgb rgb = color.rgba();
    for (Run& run : runs_)
        if (run.color == rgb)
            return run;
    runs_.push_back(Run{rgb, {}, {}});
    return runs_.back();
}

void GlyphBatch::Add(const QColor& color, QChar c, int x, int baseline)
{
    if (c == QChar(u' '))
        return;
    Run& run = RunFor(color);
    run.glyphs.append(font_.Glyph(c));
    run.positions.append(QPointF(x, baseline));
}

void GlyphBatch::AddText(const QColor& color, QStringView text, int x, int baseline)
{
    Run* run = nullptr;
    const int cw = font_.CharWidth();
    for (qsizetype i = 0; i < text.size(); ++i, x += cw) {
        if (text[i] == QChar(u' '))
            continue;
        if (!run)
            run = &RunFor(color);
        run->glyphs.append(font_.Glyph(text[i]));
        run->positions.append(QPointF(x, baseline));
    }
}

void GlyphBatch::Flush(QPainter& painter)
{
    if (!font_.Raw().isValid()) {
        runs_.clear();
        return;
    }
    for (const Run& run : runs_) {
        if (run.glyphs.isEmpty())
            continue;
        QGlyphRun glyphs;
        glyphs.setRawFont(font_.Raw());
        glyphs.setGlyphIndexes(run.glyphs);
        glyphs.setPositions(run.positions);
        painter.setPen(QColor::fromRgba(run.color));
        painter.drawGlyphRun(QPointF(0, 0), glyphs);
    }
    runs_.clear();
}

#pragma once
// Characters collected by colour and drawn in one glyph run per colour: the
// whole update area of the view costs a handful of draw calls, and each
// character lands exactly on its cell.
#include "CellFont.h"

#include <QColor>
#include <QList>
#include <QPointF>
#include <QStringView>
#include <vector>

class QPainter;

class GlyphBatch {
public:
    explicit GlyphBatch(const CellFont& font) : font_(font) {}

    // One character with its cell's left edge at x and the baseline at y.
    // Blanks add nothing.
    void Add(const QColor& color, QChar c, int x, int baseline);
    // text[i] at x + i * charWidth.
    void AddText(const QColor& color, QStringView text, int x, int baseline);
    void Flush(QPainter& painter);

private:
    struct Run {
        QRgb color;
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };
    Run& RunFor(const QColor& color);

    const CellFont& font_;
    std::vector<Run> runs_;
};

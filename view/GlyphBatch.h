#pragma once
// Characters collected by colour and drawn in one glyph run per colour: the
// whole update area of the view costs a handful of draw calls, and each
// character lands exactly on its cell. Given a cell cache, characters whose
// background is known are copied from it instead when it can (GlyphCellCache).
#include "CellFont.h"
#include "GlyphCellCache.h"

#include <QColor>
#include <QList>
#include <QPointF>
#include <QStringView>
#include <vector>

class QPainter;

class GlyphBatch {
public:
    // The background of characters whose cells are never copied.
    static constexpr QRgb kUnknownBackground = 0;

    explicit GlyphBatch(const CellFont& font, GlyphCellCache* cells = nullptr) : font_(font), cells_(cells) {}

    // One character with its cell's left edge at x and the baseline at y.
    // Blanks draw nothing. Without a background the character is always
    // drawn as a glyph.
    void Add(const QColor& color, QChar c, int x, int baseline);
    void Add(QRgb color, QRgb background, QChar c, int x, int baseline)
    {
        if (c != QChar(u' ') || background != kUnknownBackground)
            items_.push_back(GlyphCellCache::Item{c, color, background, x, baseline - font_.Ascent()});
    }
    // text[i] at x + i * charWidth.
    void AddText(const QColor& color, QStringView text, int x, int baseline);
    void AddText(QRgb color, QRgb background, QStringView text, int x, int baseline);
    void Flush(QPainter& painter);

private:
    struct Run {
        QRgb color;
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };
    Run& RunFor(QRgb color);
    void DrawRuns(QPainter& painter);

    const CellFont& font_;
    GlyphCellCache* cells_;
    std::vector<GlyphCellCache::Item> items_;
    std::vector<char> copied_;  // per item, when cells were copied
    std::vector<Run> runs_;
};

// glyphs of font at positions in one colour, as the view draws text.
void DrawGlyphRun(QPainter& painter, const QRawFont& font, QRgb color, const QList<quint32>& glyphs,
                  const QList<QPointF>& positions);

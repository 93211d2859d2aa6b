#pragma once
// The view font measured as a grid of equal cells, with its glyphs looked up
// once. Every character is drawn at the left edge of its own cell, whatever
// the font's own advance, so columns line up even with a proportional font.
#include <QFont>
#include <QRawFont>
#include <array>
#include <cstdint>

class QPaintDevice;

class CellFont {
public:
    CellFont() = default;
    explicit CellFont(const QFont& font) { SetFont(font); }

    // Measures the font on device (a printer, say); the screen without one.
    void SetFont(const QFont& font, QPaintDevice* device = nullptr);

    const QFont& Font() const { return font_; }
    const QRawFont& Raw() const { return raw_; }
    int CharWidth() const { return charWidth_; }    // the font's average character width
    int LineHeight() const { return lineHeight_; }  // height plus external leading
    int Ascent() const { return ascent_; }

    // Glyph index of a character; 0 (the font's missing-glyph shape) when the
    // font has none.
    quint32 Glyph(QChar c) const;

    // True when both draw the same glyphs into the same cells.
    bool SameCells(const CellFont& other) const
    {
        return charWidth_ == other.charWidth_ && lineHeight_ == other.lineHeight_ && ascent_ == other.ascent_ &&
               font_ == other.font_ && raw_ == other.raw_;
    }

private:
    QFont font_;
    QRawFont raw_;
    int charWidth_ = 8;
    int lineHeight_ = 16;
    int ascent_ = 12;
    std::array<quint32, 256> latin1_ = {};
};

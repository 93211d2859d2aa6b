#include "CellFont.h"

#include <QFontMetrics>
#include <algorithm>

void CellFont::SetFont(const QFont& font, QPaintDevice* device)
{
    font_ = font;
    const QFontMetrics metrics = device ? QFontMetrics(font, device) : QFontMetrics(font);
    charWidth_ = metrics.averageCharWidth();
    if (charWidth_ <= 0)
        charWidth_ = std::max(1, metrics.horizontalAdvance(QLatin1Char('0')));
    lineHeight_ = std::max(1, metrics.height() + std::max(0, metrics.leading()));
    ascent_ = metrics.ascent();
    raw_ = QRawFont::fromFont(font);
    latin1_.fill(0);
    if (!raw_.isValid())
        return;
    QChar chars[256];
    for (int i = 0; i < 256; ++i)
        chars[i] = QChar(char16_t(i));
    int count = 256;
    raw_.glyphIndexesForChars(chars, 256, latin1_.data(), &count);
}

quint32 CellFont::Glyph(QChar c) const
{
    if (c.unicode() < 256)
        return latin1_[c.unicode()];
    quint32 glyph = 0;
    int count = 1;
    if (raw_.isValid())
        raw_.glyphIndexesForChars(&c, 1, &glyph, &count);
    return glyph;
}

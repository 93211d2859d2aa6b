#include "FontRecord.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace platform {

namespace {
constexpr uint8_t kFixedPitchModern = 0x31;  // fixed pitch, modern family

double LogicalDpi()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) && QGuiApplication::primaryScreen())
        return QGuiApplication::primaryScreen()->logicalDotsPerInchY();
    return 96.0;
}

void SetFaceName(FontRecord& record, const QString& family)
{
    std::fill(std::begin(record.faceName), std::end(record.faceName), u'\0');
    const qsizetype n = std::min<qsizetype>(family.size(), 31);
    for (qsizetype i = 0; i < n; ++i)
        record.faceName[i] = family[i].unicode();
}
} // namespace

QByteArray FontRecordToBytes(const FontRecord& record)
{
    return QByteArray(reinterpret_cast<const char*>(&record), sizeof record);
}

void FontRecordFromBytes(const QByteArray& bytes, FontRecord& record)
{
    const size_t n = std::min<size_t>(size_t(bytes.size()), sizeof record);
    std::memcpy(&record, bytes.constData(), n);
    record.faceName[31] = u'\0';
}

bool FontRecordIsUsable(const FontRecord& record)
{
    constexpr double kLargestPoints = 1638.0;
    const double points = std::abs(double(record.height)) * 72.0 / LogicalDpi();
    return record.height != 0 && points >= 1.0 - 1e-9 && points <= kLargestPoints + 1e-9;
}

QFont FontFromRecord(const FontRecord& record)
{
    QFont font(QString::fromUtf16(record.faceName));
    if (record.height != 0)
        font.setPixelSize(int(std::clamp<int64_t>(std::abs(int64_t(record.height)), 1, 32767)));
    font.setWeight(QFont::Weight(std::clamp(record.weight == 0 ? 400 : int(record.weight), 1, 1000)));
    font.setItalic(record.italic != 0);
    font.setUnderline(record.underline != 0);
    font.setStrikeOut(record.strikeOut != 0);
    if ((record.pitchAndFamily & 0x03) == 1)
        font.setStyleHint(QFont::TypeWriter);
    return font;
}

FontRecord RecordFromFont(const QFont& font)
{
    FontRecord record;
    int pixels = font.pixelSize();
    if (pixels <= 0)
        pixels = int(font.pointSizeF() * LogicalDpi() / 72.0 + 0.5);
    record.height = -pixels;
    record.weight = int(font.weight());
    record.italic = font.italic();
    record.underline = font.underline();
    record.strikeOut = font.strikeOut();
    record.pitchAndFamily = font.fixedPitch() || font.styleHint() == QFont::TypeWriter ? kFixedPitchModern : 0;
    SetFaceName(record, font.family());
    return record;
}

FontRecord SystemFixedFontRecord()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return RecordFromFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    FontRecord record;
    record.height = -13;
    record.pitchAndFamily = kFixedPitchModern;
    SetFaceName(record, QStringLiteral("Monospace"));
    return record;
}

} // namespace platform

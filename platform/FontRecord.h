#pragma once
// The 92-byte font description stored in the settings and passed to modules:
// five 32-bit integers, eight bytes and a 32-character UTF-16 face name,
// little-endian, with the field meanings of the classic logical-font record.
#include <QByteArray>
#include <QFont>
#include <cstdint>

namespace platform {

struct FontRecord {
    int32_t height = 0;  // negative: character height in pixels
    int32_t width = 0;
    int32_t escapement = 0;
    int32_t orientation = 0;
    int32_t weight = 400;
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strikeOut = 0;
    uint8_t charSet = 0;
    uint8_t outPrecision = 0;
    uint8_t clipPrecision = 0;
    uint8_t quality = 0;
    uint8_t pitchAndFamily = 0;
    char16_t faceName[32] = {};
};
static_assert(sizeof(FontRecord) == 92, "the font record is stored as exactly 92 bytes");

QByteArray FontRecordToBytes(const FontRecord& record);
// Copies at most 92 bytes over record; a shorter block replaces only the bytes it holds.
void FontRecordFromBytes(const QByteArray& bytes, FontRecord& record);

// True when the height is 1 to 1,638 points (in pixels at the screen's
// resolution, either sign); a record outside that draws nothing readable.
bool FontRecordIsUsable(const FontRecord& record);

QFont FontFromRecord(const FontRecord& record);
FontRecord RecordFromFont(const QFont& font);

// The system's fixed-pitch font, or a plain monospace description when no
// GUI application exists yet.
FontRecord SystemFixedFontRecord();

} // namespace platform

#pragma once
// The choices the Display and Font options offer, without any widget: the
// bytes-per-row list, the display items with their colours, the named colours
// and the font size rule.
#include "app/LayoutFile.h"
#include "settings/AppSettings.h"

#include <QList>
#include <QString>
#include <cstdint>
#include <optional>

// The group size in bytes of a group-by index (0..3 gives 1, 2, 4, 8).
int GroupSizeBytes(int groupBy);
// Every multiple of the group size from the larger of 2 and the group size
// up to 256.
QList<int> BytesPerRowChoices(int groupBy);
// The index of the largest choice not above previous, or 0 when none is.
int KeptBytesPerRowIndex(const QList<int>& choices, int previous);

// The twelve display items, in list order, as the colour slots of AppSettings.
const QStringList& DisplayItemNames();
// The colour "Automatic" stands for with each display item: its system colour.
uint32_t AutomaticColor(int item);

struct NamedColor {
    const char* name;
    uint32_t value;  // 0x00BBGGRR
};
// "Black" to "White", in list order.
const QList<NamedColor>& NamedColors();

// Where a colour stands in the colour list of one item: "Automatic" (0), a
// named colour (1..16), or the "Custom" entry after them (17).
constexpr int kAutomaticEntry = 0;
constexpr int kCustomEntry = 17;
int ColorListEntry(int item, uint32_t color);

// The display values of the settings and back.
LayoutValues LayoutFromSettings(const AppSettings& settings);
void ApplyLayoutToSettings(const LayoutValues& layout, AppSettings& settings);

// Font sizes are kept in twentieths of a point; 1 to 1,638 points are allowed.
constexpr int kMinFontTwips = 20;
constexpr int kMaxFontTwips = 32760;
// The record's height for a size: minus (twentieths x pixels per inch / 1440).
int FontHeightForTwips(int twips, int pixelsPerInch);
// The point size a record's height stands for, rounded to a tenth of a point.
double FontPointsForHeight(int height, int pixelsPerInch);
// Twentieths of a point of a typed size, or nothing when it is no number or
// outside the allowed range (the previous size is then kept).
std::optional<int> ParseFontSize(const QString& text);

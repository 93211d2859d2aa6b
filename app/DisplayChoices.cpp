#include "DisplayChoices.h"

#include "settings/SystemColor.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

int GroupSizeBytes(int groupBy) { return 1 << std::clamp(groupBy, 0, 3); }

QList<int> BytesPerRowChoices(int groupBy)
{
    const int group = GroupSizeBytes(groupBy);
    QList<int> choices;
    for (int n = std::max(2, group); n <= 256; n += group)
        choices << n;
    return choices;
}

int KeptBytesPerRowIndex(const QList<int>& choices, int previous)
{
    int kept = 0;
    for (int i = 0; i < choices.size(); ++i)
        if (choices[i] <= previous)
            kept = i;
    return kept;
}

const QStringList& DisplayItemNames()
{
    static const QStringList names = {
        QStringLiteral("Offset Text"),
        QStringLiteral("Hexadecimal Text (Odd Columns)"),
        QStringLiteral("Hexadecimal Text (Even Columns)"),
        QStringLiteral("ASCII Text"),
        QStringLiteral("Background"),
        QStringLiteral("Selected Text"),
        QStringLiteral("Selected Background"),
        QStringLiteral("Selected Text (Inactive Column)"),
        QStringLiteral("Selected Background (Inactive Column)"),
        QStringLiteral("Data Inspector Data Text"),
        QStringLiteral("Data Inspector Data Background"),
        QStringLiteral("Sizing Bar"),
    };
    return names;
}

uint32_t AutomaticColor(int item)
{
    static const int kIndexes[AppSettings::UsedColorCount] = {
        kSysColorWindowText, kSysColorWindowText, kSysColorWindowText, kSysColorWindowText,
        kSysColorWindow,     kSysColorHighlightText, kSysColorHighlight, kSysColorButtonText,
        kSysColorButtonFace, kSysColorWindow,       kSysColorWindowText, kSysColorWindowText,
    };
    return SystemColor(kIndexes[std::clamp(item, 0, int(AppSettings::UsedColorCount) - 1)]);
}

const QList<NamedColor>& NamedColors()
{
    static const QList<NamedColor> colors = {
        {"Black", 0x000000},     {"Dark Blue", 0x800000}, {"Dark Green", 0x008000}, {"Aquamarine", 0x808000},
        {"Maroon", 0x000080},    {"Purple", 0x800080},    {"Olive", 0x008080},      {"Light Gray", 0xC0C0C0},
        {"Dark Gray", 0x808080}, {"Blue", 0xFF0000},      {"Green", 0x00FF00},      {"Cyan", 0xFFFF00},
        {"Red", 0x0000FF},       {"Magenta", 0xFF00FF},   {"Yellow", 0x00FFFF},     {"White", 0xFFFFFF},
    };
    return colors;
}

int ColorListEntry(int item, uint32_t color)
{
    const QList<NamedColor>& named = NamedColors();
    for (int i = 0; i < named.size(); ++i)
        if (named[i].value == color)
            return i + 1;
    return color == AutomaticColor(item) ? kAutomaticEntry : kCustomEntry;
}

LayoutValues LayoutFromSettings(const AppSettings& settings)
{
    LayoutValues layout;
    layout.bytesPerRow = settings.bytesPerRow;
    layout.sizeToFit = settings.sizeToFit;
    layout.groupBy = settings.groupBy;
    layout.showDash = settings.showDash;
    layout.columns = settings.columns;
    layout.showSizeBar = settings.showSizeBar;
    layout.offsetFormat = settings.offsetFormat;
    std::copy(std::begin(settings.colors), std::end(settings.colors), std::begin(layout.colors));
    return layout;
}

void ApplyLayoutToSettings(const LayoutValues& layout, AppSettings& settings)
{
    settings.bytesPerRow = layout.bytesPerRow;
    settings.sizeToFit = layout.sizeToFit;
    settings.groupBy = layout.groupBy;
    settings.showDash = layout.showDash;
    settings.columns = layout.columns;
    settings.showSizeBar = layout.showSizeBar;
    settings.offsetFormat = layout.offsetFormat;
    for (int i = 0; i < AppSettings::kColorSlots; ++i)
        settings.colors[i] = i < AppSettings::UsedColorCount ? layout.colors[i] : 0;
}

int FontHeightForTwips(int twips, int pixelsPerInch)
{
    return -int((int64_t(twips) * pixelsPerInch) / 1440);
}

double FontPointsForHeight(int height, int pixelsPerInch)
{
    if (pixelsPerInch <= 0)
        return 0;
    return std::round(std::abs(height) * 720.0 / pixelsPerInch) / 10.0;
}

std::optional<int> ParseFontSize(const QString& text)
{
    bool ok = false;
    const double points = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(points))
        return std::nullopt;
    const double twips = std::round(points * 20.0);
    if (twips < kMinFontTwips || twips > kMaxFontTwips)
        return std::nullopt;
    return int(twips);
}

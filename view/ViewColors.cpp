#include "ViewColors.h"

#include "settings/AppSettings.h"
#include "settings/SystemColor.h"

QColor ColorFromRef(uint32_t rgb) { return QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF)); }

QColor SystemColorFromPalette(int index, const QPalette& palette)
{
    switch (index) {
    case kSysColorWindow: return palette.color(QPalette::Active, QPalette::Base);
    case kSysColorWindowText: return palette.color(QPalette::Active, QPalette::Text);
    case kSysColorHighlight: return palette.color(QPalette::Active, QPalette::Highlight);
    case kSysColorHighlightText: return palette.color(QPalette::Active, QPalette::HighlightedText);
    case kSysColorButtonFace: return palette.color(QPalette::Active, QPalette::Button);
    case kSysColorButtonText: return palette.color(QPalette::Active, QPalette::ButtonText);
    default: return QColor(Qt::black);
    }
}

QColor ResolveStoredColor(uint32_t stored, const QPalette& palette)
{
    return IsSystemColor(stored) ? SystemColorFromPalette(SystemColorIndex(stored), palette) : ColorFromRef(stored);
}

ViewColors ResolveViewColors(const uint32_t* colors, const QPalette& palette)
{
    auto at = [&](AppSettings::ColorIndex i) { return ResolveStoredColor(colors[i], palette); };
    ViewColors c;
    c.offsetText = at(AppSettings::OffsetTextColor);
    c.oddText = at(AppSettings::OddTextColor);
    c.evenText = at(AppSettings::EvenTextColor);
    c.asciiText = at(AppSettings::AsciiTextColor);
    c.background = at(AppSettings::BackgroundColor);
    c.selText = at(AppSettings::SelTextColor);
    c.selBackground = at(AppSettings::SelBackgroundColor);
    c.selTextInactive = at(AppSettings::SelTextInactive);
    c.selBackgroundInactive = at(AppSettings::SelBackgroundInactive);
    c.dataText = at(AppSettings::DataTextColor);
    c.dataBackground = at(AppSettings::DataBackgroundColor);
    c.sizeBar = at(AppSettings::SizeBarColor);
    return c;
}

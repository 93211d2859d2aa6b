#include "SystemColorResolver.h"

#include "settings/SystemColor.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>

#include <optional>

namespace {

uint32_t ToColorRef(const QColor& color)
{
    return uint32_t(color.red()) | uint32_t(color.green()) << 8 | uint32_t(color.blue()) << 16;
}

std::optional<QPalette::ColorRole> PaletteRole(int index)
{
    switch (index) {
    case kSysColorWindow: return QPalette::Base;
    case kSysColorWindowText: return QPalette::Text;
    case kSysColorHighlight: return QPalette::Highlight;
    case kSysColorHighlightText: return QPalette::HighlightedText;
    case kSysColorButtonFace: return QPalette::Button;
    case kSysColorButtonText: return QPalette::ButtonText;
    default: return std::nullopt;
    }
}

// Used when no GUI application exists, for example in a command-line run.
uint32_t ClassicColor(QPalette::ColorRole role)
{
    switch (role) {
    case QPalette::Base:
    case QPalette::HighlightedText: return 0xFFFFFF;
    case QPalette::Highlight: return 0xD77800;
    case QPalette::Button: return 0xF0F0F0;
    default: return 0x000000;
    }
}

} // namespace

uint32_t DefaultSystemColor(int index)
{
    const std::optional<QPalette::ColorRole> role = PaletteRole(index);
    if (!role)
        return 0x000000;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return ClassicColor(*role);
    return ToColorRef(QGuiApplication::palette().color(QPalette::Active, *role));
}

uint32_t ResolveColor(uint32_t color, const SystemColorResolver& resolve)
{
    if (!IsSystemColor(color))
        return color;
    return resolve(SystemColorIndex(color)) & 0x00FFFFFFu;
}

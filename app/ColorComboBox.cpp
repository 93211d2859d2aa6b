#include "ColorComboBox.h"

#include "app/DisplayChoices.h"
#include "view/ViewColors.h"

#include <QPainter>
#include <QPixmap>

namespace {

QIcon Swatch(uint32_t color, const QPalette& palette)
{
    QPixmap pixmap(16, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(palette.color(QPalette::WindowText));
    painter.setBrush(ResolveStoredColor(color, palette));
    painter.drawRect(0, 0, 15, 11);
    return QIcon(pixmap);
}

} // namespace

CColorComboBox::CColorComboBox(QWidget* parent) : QComboBox(parent)
{
    setIconSize(QSize(16, 12));
    connect(this, &QComboBox::activated, this, &CColorComboBox::OnActivated);
}

void CColorComboBox::ShowColor(int item, uint32_t color)
{
    item_ = item;
    color_ = color;
    const QPalette pal = palette();
    clear();
    addItem(Swatch(AutomaticColor(item), pal), QStringLiteral("Automatic"), QVariant::fromValue(AutomaticColor(item)));
    for (const NamedColor& named : NamedColors())
        addItem(Swatch(named.value, pal), QString::fromLatin1(named.name), QVariant::fromValue(named.value));
    const int entry = ColorListEntry(item, color);
    if (entry == kCustomEntry)
        addItem(Swatch(color, pal), QStringLiteral("Custom"), QVariant::fromValue(color));
    setCurrentIndex(entry);
}

void CColorComboBox::OnActivated(int index)
{
    if (index < 0)
        return;
    const uint32_t chosen = itemData(index).value<uint32_t>();
    // A custom colour left for a named one leaves the list.
    ShowColor(item_, chosen);
    emit colorChosen(chosen);
}

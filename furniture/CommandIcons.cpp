#include "CommandIcons.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <cmath>
#include <QPixmap>

namespace {

// Icons are drawn on a 16 x 16 grid and rendered at 16 and 32 pixels.
constexpr int kGrid = 16;

struct Ink {
    QColor line;
    QColor paper;
    QColor accent;
    QColor folder;
    QColor disk;
    QColor mark;
};

Ink CurrentInk()
{
    const QPalette palette = QGuiApplication::palette();
    const bool dark = palette.color(QPalette::Window).lightness() < 128;
    return {dark ? QColor(0xd0, 0xd0, 0xd0) : QColor(0x40, 0x40, 0x40),
            dark ? QColor(0x50, 0x50, 0x50) : QColor(0xff, 0xff, 0xff),
            QColor(0x2a, 0x76, 0xc6),
            QColor(0xe8, 0xb8, 0x4a),
            QColor(0x4a, 0x78, 0xb8),
            QColor(0xd0, 0x3a, 0x3a)};
}

void Page(QPainter& p, const Ink& ink, QRectF r)
{
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - 3, r.top());
    path.lineTo(r.right(), r.top() + 3);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setBrush(ink.paper);
    p.setPen(QPen(ink.line, 1));
    p.drawPath(path);
}

void TextLines(QPainter& p, const Ink& ink, QRectF r, int count)
{
    p.setPen(QPen(ink.line, 1));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(r.left(), r.top() + i * 2), QPointF(r.right(), r.top() + i * 2));
}

void Floppy(QPainter& p, const Ink& ink, QRectF r)
{
    p.setPen(QPen(ink.line, 1));
    p.setBrush(ink.disk);
    p.drawRect(r);
    p.setBrush(ink.paper);
    p.drawRect(QRectF(r.left() + 2, r.top(), r.width() - 4, r.height() * 0.4));
    p.drawRect(QRectF(r.left() + 3, r.bottom() - r.height() * 0.35, r.width() - 6, r.height() * 0.35));
}

void Arrow(QPainter& p, QColor color, QPointF from, QPointF to)
{
    p.setPen(QPen(color, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    const QPointF d = to - from;
    const qreal length = std::hypot(d.x(), d.y());
    if (length <= 0)
        return;
    const QPointF u = d / length;
    const QPointF n(-u.y(), u.x());
    p.drawLine(to, to - u * 3 + n * 2.5);
    p.drawLine(to, to - u * 3 - n * 2.5);
}

void Magnifier(QPainter& p, const Ink& ink, QPointF centre, qreal radius)
{
    p.setPen(QPen(ink.line, 1.5));
    p.setBrush(ink.paper);
    p.drawEllipse(centre, radius, radius);
    p.setPen(QPen(ink.line, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + QPointF(radius * 0.7, radius * 0.7), centre + QPointF(radius * 1.9, radius * 1.9));
}

void Ribbon(QPainter& p, const Ink& ink, QRectF r)
{
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.topRight());
    path.lineTo(r.bottomRight());
    path.lineTo(r.center().x(), r.bottom() - r.width() / 2);
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setPen(QPen(ink.mark.darker(130), 1));
    p.setBrush(ink.mark);
    p.drawPath(path);
}

void Letters(QPainter& p, const Ink& ink, const QString& text, QRectF r)
{
    QFont font = p.font();
    font.setPixelSize(int(r.height()));
    font.setBold(true);
    font.setStyleHint(QFont::Monospace);
    font.setFamily(QStringLiteral("monospace"));
    p.setFont(font);
    p.setPen(ink.line);
    p.drawText(r, Qt::AlignCenter, text);
}

void Windows(QPainter& p, const Ink& ink, const std::initializer_list<QRectF>& rects)
{
    for (const QRectF& r : rects) {
        p.setPen(QPen(ink.line, 1));
        p.setBrush(ink.paper);
        p.drawRect(r);
        p.setBrush(ink.accent);
        p.drawRect(QRectF(r.left(), r.top(), r.width(), 2.5));
    }
}

void Gear(QPainter& p, const Ink& ink)
{
    p.setPen(QPen(ink.line, 2.4, Qt::SolidLine, Qt::FlatCap));
    const QPointF c(8, 8);
    for (int i = 0; i < 8; ++i) {
        const qreal a = i * M_PI / 4;
        p.drawLine(c + QPointF(std::cos(a), std::sin(a)) * 4.5, c + QPointF(std::cos(a), std::sin(a)) * 7);
    }
    p.setPen(QPen(ink.line, 1.4));
    p.setBrush(ink.paper);
    p.drawEllipse(c, 4.8, 4.8);
    p.drawEllipse(c, 1.8, 1.8);
}

void Draw(QPainter& p, DrawnIcon kind, const Ink& ink)
{
    switch (kind) {
    case DrawnIcon::None: break;
    case DrawnIcon::New:
        Page(p, ink, QRectF(3.5, 1.5, 9, 13));
        break;
    case DrawnIcon::Open: {
        p.setPen(QPen(ink.line, 1));
        p.setBrush(ink.folder.darker(115));
        p.drawRect(QRectF(1.5, 3.5, 12, 10));
        p.setBrush(ink.folder);
        QPolygonF front({QPointF(1.5, 13.5), QPointF(4, 6.5), QPointF(15, 6.5), QPointF(12.5, 13.5)});
        p.drawPolygon(front);
        break;
    }
    case DrawnIcon::Save:
        Floppy(p, ink, QRectF(2.5, 2.5, 11, 11));
        break;
    case DrawnIcon::SaveAll:
        Floppy(p, ink, QRectF(1.5, 1.5, 9, 9));
        Floppy(p, ink, QRectF(5.5, 5.5, 9, 9));
        break;
    case DrawnIcon::Print:
        Page(p, ink, QRectF(4.5, 1.5, 7, 6));
        p.setBrush(ink.line.lighter(150));
        p.drawRect(QRectF(1.5, 6.5, 13, 6));
        p.setBrush(ink.paper);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        break;
    case DrawnIcon::Cut:
        p.setPen(QPen(ink.line, 1.4));
        p.drawLine(QPointF(4, 2), QPointF(10, 11));
        p.drawLine(QPointF(12, 2), QPointF(6, 11));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(ink.mark, 1.5));
        p.drawEllipse(QPointF(5, 12.5), 2.2, 2.2);
        p.drawEllipse(QPointF(11, 12.5), 2.2, 2.2);
        break;
    case DrawnIcon::Copy:
        Page(p, ink, QRectF(1.5, 1.5, 8, 10));
        Page(p, ink, QRectF(6.5, 4.5, 8, 10));
        break;
    case DrawnIcon::Paste:
        p.setPen(QPen(ink.line, 1));
        p.setBrush(ink.folder);
        p.drawRect(QRectF(2.5, 2.5, 10, 12));
        p.setBrush(ink.line);
        p.drawRect(QRectF(5.5, 1.5, 4, 2));
        Page(p, ink, QRectF(7.5, 6.5, 7, 8));
        break;
    case DrawnIcon::Undo:
    case DrawnIcon::Redo: {
        const bool undo = kind == DrawnIcon::Undo;
        p.save();
        if (!undo) {
            p.translate(kGrid, 0);
            p.scale(-1, 1);
        }
        p.setPen(QPen(ink.accent, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        QPainterPath path;
        path.moveTo(3, 6);
        path.lineTo(10, 6);
        path.cubicTo(15, 6, 15, 13, 10, 13);
        path.lineTo(6, 13);
        p.drawPath(path);
        p.drawLine(QPointF(3, 6), QPointF(6, 3));
        p.drawLine(QPointF(3, 6), QPointF(6, 9));
        p.restore();
        break;
    }
    case DrawnIcon::Find:
        Magnifier(p, ink, QPointF(6.5, 6.5), 4.5);
        break;
    case DrawnIcon::FindNext:
        Magnifier(p, ink, QPointF(5.5, 5.5), 3.8);
        Arrow(p, ink.accent, QPointF(13, 6), QPointF(13, 14.5));
        break;
    case DrawnIcon::FindPrevious:
        Magnifier(p, ink, QPointF(5.5, 5.5), 3.8);
        Arrow(p, ink.accent, QPointF(13, 14.5), QPointF(13, 6));
        break;
    case DrawnIcon::GoTo:
        TextLines(p, ink, QRectF(6.5, 2.5, 8, 12), 6);
        Arrow(p, ink.accent, QPointF(1.5, 8.5), QPointF(6.5, 8.5));
        break;
    case DrawnIcon::Options:
        Gear(p, ink);
        break;
    case DrawnIcon::Properties:
        Page(p, ink, QRectF(2.5, 1.5, 11, 13));
        TextLines(p, ink, QRectF(4.5, 5.5, 7, 8), 4);
        break;
    case DrawnIcon::HexAndAscii:
        Letters(p, ink, QStringLiteral("HA"), QRectF(0, 1, 16, 14));
        break;
    case DrawnIcon::HexOnly:
        Letters(p, ink, QStringLiteral("0F"), QRectF(0, 1, 16, 14));
        break;
    case DrawnIcon::AsciiOnly:
        Letters(p, ink, QStringLiteral("Aa"), QRectF(0, 1, 16, 14));
        break;
    case DrawnIcon::Cascade:
        Windows(p, ink, {QRectF(1.5, 1.5, 9, 8), QRectF(5.5, 6.5, 9, 8)});
        break;
    case DrawnIcon::TileHorizontally:
        Windows(p, ink, {QRectF(1.5, 1.5, 13, 6), QRectF(1.5, 8.5, 13, 6)});
        break;
    case DrawnIcon::TileVertically:
        Windows(p, ink, {QRectF(1.5, 1.5, 6, 13), QRectF(8.5, 1.5, 6, 13)});
        break;
    case DrawnIcon::ToggleBookmark:
        Page(p, ink, QRectF(2.5, 1.5, 11, 13));
        Ribbon(p, ink, QRectF(8, 1.5, 4, 8));
        break;
    case DrawnIcon::Bookmarks:
        Ribbon(p, ink, QRectF(2, 1.5, 4, 11));
        TextLines(p, ink, QRectF(8.5, 3.5, 6, 10), 5);
        break;
    case DrawnIcon::NextBookmark:
        Ribbon(p, ink, QRectF(2, 1.5, 5, 10));
        Arrow(p, ink.accent, QPointF(12, 2), QPointF(12, 14));
        break;
    case DrawnIcon::PreviousBookmark:
        Ribbon(p, ink, QRectF(2, 1.5, 5, 10));
        Arrow(p, ink.accent, QPointF(12, 14), QPointF(12, 2));
        break;
    case DrawnIcon::ClearBookmarks:
        Ribbon(p, ink, QRectF(2, 1.5, 5, 10));
        p.setPen(QPen(ink.line, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(9, 6), QPointF(14, 11));
        p.drawLine(QPointF(14, 6), QPointF(9, 11));
        break;
    }
}

QPixmap Render(DrawnIcon kind, int size, const Ink& ink)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(qreal(size) / kGrid, qreal(size) / kGrid);
    Draw(p, kind, ink);
    return pixmap;
}

// Qt derives disabled icons from the palette's window colour, which on a
// dark palette makes them brighter than the enabled ones. A faded grey copy
// reads as disabled on every palette.
QPixmap Faded(const QPixmap& source)
{
    QImage image = source.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            // Half the contrast around middle grey, a third of the opacity.
            const int grey = 128 + (qGray(line[x]) - 128) / 2;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) / 3);
        }
    }
    return QPixmap::fromImage(image);
}

QIcon WithFadedDisabledLook(const QIcon& source)
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48}) {
        const QPixmap pixmap = source.pixmap(size, size);
        if (pixmap.isNull())
            continue;
        icon.addPixmap(pixmap, QIcon::Normal);
        icon.addPixmap(Faded(pixmap), QIcon::Disabled);
    }
    return icon;
}

} // namespace

QIcon DrawnCommandIcon(DrawnIcon kind)
{
    if (kind == DrawnIcon::None)
        return {};
    const Ink ink = CurrentInk();
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48}) {
        const QPixmap pixmap = Render(kind, size, ink);
        icon.addPixmap(pixmap, QIcon::Normal);
        icon.addPixmap(Faded(pixmap), QIcon::Disabled);
    }
    return icon;
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        const qreal margin = size / 16.0;
        const QRectF tile(margin, margin, size - 2 * margin, size - 2 * margin);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2a, 0x76, 0xc6));
        p.drawRoundedRect(tile, size / 6.0, size / 6.0);
        QFont font(QStringLiteral("monospace"));
        font.setStyleHint(QFont::Monospace);
        font.setBold(true);
        font.setPixelSize(int(size * 0.5));
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(tile, Qt::AlignCenter, QStringLiteral("0F"));
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon CommandIcon(const char* themeName, DrawnIcon fallback)
{
    if (themeName && *themeName) {
        const QString name = QString::fromLatin1(themeName);
        if (QIcon::hasThemeIcon(name))
            return WithFadedDisabledLook(QIcon::fromTheme(name));
    }
    return DrawnCommandIcon(fallback);
}

void UseInstalledIconTheme()
{
    const QString current = QIcon::themeName();
    if (!current.isEmpty() && current != QLatin1String("hicolor"))
        return;
    for (const QString& folder : QIcon::themeSearchPaths()) {
        for (const char* theme : {"Adwaita", "breeze", "oxygen", "Tango"}) {
            if (QFileInfo::exists(folder + QLatin1Char('/') + QLatin1String(theme) + QStringLiteral("/index.theme"))) {
                QIcon::setThemeName(QString::fromLatin1(theme));
                return;
            }
        }
    }
}

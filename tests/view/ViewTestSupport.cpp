#include "ViewTestSupport.h"

#include "platform/FontRecord.h"

#include <QFont>
#include <cmath>

uint32_t ColorRef(const QColor& c) { return uint32_t(c.red()) | uint32_t(c.green()) << 8 | uint32_t(c.blue()) << 16; }

void ViewTest::SetUp()
{
    using namespace test_colors;
    AppSettings& s = settings;
    s.colors[AppSettings::OffsetTextColor] = ColorRef(kOffset);
    s.colors[AppSettings::OddTextColor] = ColorRef(kOdd);
    s.colors[AppSettings::EvenTextColor] = ColorRef(kEven);
    s.colors[AppSettings::AsciiTextColor] = ColorRef(kAscii);
    s.colors[AppSettings::BackgroundColor] = ColorRef(kBackground);
    s.colors[AppSettings::SelTextColor] = ColorRef(kSelText);
    s.colors[AppSettings::SelBackgroundColor] = ColorRef(kSelBackground);
    s.colors[AppSettings::SelTextInactive] = ColorRef(kSelTextInactive);
    s.colors[AppSettings::SelBackgroundInactive] = ColorRef(kSelBackgroundInactive);
    s.colors[AppSettings::DataTextColor] = ColorRef(kDataText);
    s.colors[AppSettings::DataBackgroundColor] = ColorRef(kDataBackground);
    s.colors[AppSettings::SizeBarColor] = ColorRef(kSizeBar);
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPixelSize(13);
    s.font2 = platform::RecordFromFont(font);
}

void ViewTest::TearDown()
{
    view.reset();
    doc.reset();
}

QByteArray ViewTest::Counting(int count) const
{
    QByteArray bytes(count, '\0');
    for (int i = 0; i < count; ++i)
        bytes[i] = char(i & 0xFF);
    return bytes;
}

QByteArray ViewTest::FileBytes() const
{
    QByteArray bytes(doc->Size(), '\0');
    CBufferPos at;
    at.Bind(&doc->Buffer(), false, 0);
    at.Read(bytes.data(), doc->Size());
    return bytes;
}

void ViewTest::Open(const QByteArray& bytes, QSize size)
{
    view.reset();
    doc = std::make_unique<CBinEditDoc>(&feedback);
    doc->OnNewDocument();
    CBufferPos at;
    at.Bind(&doc->Buffer(), false, 0);
    at.Insert(int32_t(bytes.size()));
    at.Write(bytes.constData(), int32_t(bytes.size()));
    ShowDocument(size);
}

bool ViewTest::OpenFile(const QString& path, QSize size)
{
    view.reset();
    doc = std::make_unique<CBinEditDoc>(&feedback);
    doc->Buffer().SetSizeLimit(CFileBuffer::kNoSizeLimit);
    if (!doc->OnOpenDocument(path))
        return false;
    ShowDocument(size);
    return true;
}

void ViewTest::ShowDocument(QSize size)
{
    view = std::make_unique<CBinEditView>(doc.get(), settings, ui);
    // Shown, so that resizing reaches the view at once; not activated, so no
    // caret blinks into the grabbed pixels unless a test gives it focus.
    view->setAttribute(Qt::WA_ShowWithoutActivating);
    view->setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    view->resize(size);
    view->show();
    view->OnInitialUpdate();
}

QImage ViewTest::Grab() const
{
    return view->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRect ViewTest::Cell(int columnX, int index, int row) const
{
    const RowLayout& l = view->Geometry();
    return QRect(columnX + index * l.charWidth - view->HScroll(), row * l.lineHeight, l.charWidth, l.lineHeight);
}

int Ink(const QImage& image, const QRect& rect, const QColor& fg, const QColor& bg)
{
    const int f[3] = {fg.red(), fg.green(), fg.blue()};
    const int b[3] = {bg.red(), bg.green(), bg.blue()};
    int count = 0;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor p = image.pixelColor(x, y);
            const int v[3] = {p.red(), p.green(), p.blue()};
            // The pixel must lie on the line from bg to fg, at least halfway.
            double t = -1;
            bool onLine = true;
            for (int c = 0; c < 3 && onLine; ++c) {
                const int span = f[c] - b[c];
                if (std::abs(span) < 40) {
                    onLine = std::abs(v[c] - b[c]) <= 24;
                    continue;
                }
                const double tc = double(v[c] - b[c]) / span;
                if (t < 0)
                    t = tc;
                else
                    onLine = std::abs(tc - t) < 0.2;
            }
            if (onLine && t >= 0.5 && t <= 1.1)
                ++count;
        }
    }
    return count;
}

bool AllPixels(const QImage& image, const QRect& rect, const QColor& color)
{
    const QRect r = rect.intersected(image.rect());
    if (r.isEmpty())
        return false;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.pixelColor(x, y) != color)
                return false;
    return true;
}

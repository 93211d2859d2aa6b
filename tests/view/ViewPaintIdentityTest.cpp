// Copied character cells must give exactly the pixels of drawing every glyph:
// each case is painted once with every glyph drawn (the reference) and once
// with the cell copies, and the two images must be equal to the last pixel.
// The copies must also really have been used, or the comparison proves
// nothing.
#include "ViewTestSupport.h"

#include "platform/FontRecord.h"
#include "view/CaretController.h"
#include "view/GlyphCellPool.h"

#include <QFont>
#include <QPainter>
#include <QPalette>
#include <functional>

namespace {

// Every byte value, printable or not, in varied neighbourhoods.
QByteArray AllBytes(int count)
{
    QByteArray bytes(count, '\0');
    for (int i = 0; i < count; ++i)
        bytes[i] = char(i < 256 ? i : (i * 37 + 11) & 0xFF);
    return bytes;
}

class MarksForTest : public IViewMarks {
public:
    std::vector<int64_t> BookmarksIn(const CBinEditDoc&, int64_t from, int64_t to) const override
    {
        std::vector<int64_t> in;
        for (int64_t b : {0x05, 0x21, 0x3F, 0x44})
            if (b >= from && b < to)
                in.push_back(b);
        return in;
    }
    std::pair<int64_t, int64_t> InspectorRange(const CBinEditDoc&) const override { return {0x30, 0x38}; }
};

struct PaintCase {
    const char* name;
    const char* family;
    int pixelSize;
    std::function<void(AppSettings&)> settings;
    std::function<void(CBinEditView&)> view;
    bool copiesExpected = true;
};

void PrintTo(const PaintCase& c, std::ostream* os) { *os << c.name; }

void Select(CBinEditView& v, int32_t start, int32_t end)
{
    v.Caret().Seek(end);
    v.Caret().hasSelection = true;
    v.Caret().selStart = start;
    v.Caret().selEnd = end;
}

} // namespace

class ViewPaintIdentity : public ViewTest, public ::testing::WithParamInterface<PaintCase> {
protected:
    QImage Render(bool copies)
    {
        view->SetCellCopies(copies);
        QImage image(view->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        view->viewport()->render(&image);
        return image;
    }
};

TEST_P(ViewPaintIdentity, CopiedCellsPaintExactlyWhatDrawingEachGlyphPaints)
{
    const PaintCase& c = GetParam();
    QFont font(QString::fromLatin1(c.family));
    font.setPixelSize(c.pixelSize);
    settings.font2 = platform::RecordFromFont(font);
    if (c.settings)
        c.settings(settings);
    Open(AllBytes(1000 + 7), QSize(900, 420));  // the last row is partial
    MarksForTest marks;
    view->SetMarks(&marks);
    if (c.view)
        c.view(*view);

    const QImage reference = Render(false);
    Render(true);  // the first paint on a device checks the copies against Qt's own drawing
    const int64_t before = view->CellCache().CopiedCells();
    const QImage copied = Render(true);
    if (c.copiesExpected) {
        EXPECT_GT(view->CellCache().CopiedCells(), before) << c.name << ": the cells were not copied";
    }

    ASSERT_EQ(copied.size(), reference.size());
    int differing = 0;
    QPoint first(-1, -1);
    for (int y = 0; y < reference.height(); ++y)
        for (int x = 0; x < reference.width(); ++x)
            if (copied.pixel(x, y) != reference.pixel(x, y) && differing++ == 0)
                first = QPoint(x, y);
    EXPECT_EQ(differing, 0) << c.name << ": first at " << first.x() << "," << first.y();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ViewPaintIdentity,
    ::testing::Values(
        PaintCase{"start", "DejaVu Sans Mono", 13, nullptr, nullptr},
        PaintCase{"middle", "DejaVu Sans Mono", 13, nullptr, [](CBinEditView& v) { v.SetTop(480); }},
        PaintCase{"end_partial_row", "DejaVu Sans Mono", 13, nullptr,
                  [](CBinEditView& v) { v.SetTop(v.Document()->Size()); }},
        PaintCase{"selection_caret_in_hex", "DejaVu Sans Mono", 13, nullptr,
                  [](CBinEditView& v) { Select(v, 0x0B, 0x53); }},
        PaintCase{"selection_caret_in_chars", "DejaVu Sans Mono", 13, nullptr,
                  [](CBinEditView& v) {
                      Select(v, 0x0B, 0x53);
                      v.SetHexActive(false);
                  }},
        PaintCase{"selection_inactive_view", "DejaVu Sans Mono", 13, nullptr,
                  [](CBinEditView& v) {
                      Select(v, 0x0B, 0x53);
                      v.SetActiveView(false);
                  }},
        PaintCase{"caret_shown_insert_mode", "DejaVu Sans Mono", 13, [](AppSettings& s) { s.insertMode = true; },
                  [](CBinEditView& v) {
                      v.activateWindow();
                      v.setFocus();
                      v.CaretControl().SetCaret(0x47, CaretMode::Move);
                  }},
        PaintCase{"all_chars_decimal_no_dash_size_bar", "DejaVu Sans Mono", 13,
                  [](AppSettings& s) {
                      s.showAllChars = true;
                      s.offsetFormat = 0;
                      s.showDash = false;
                      s.showSizeBar = true;
                  },
                  nullptr},
        PaintCase{"groups_of_four_32_per_row", "DejaVu Sans Mono", 13,
                  [](AppSettings& s) {
                      s.groupBy = 2;
                      s.bytesPerRow = 32;
                  },
                  [](CBinEditView& v) { Select(v, 0x13, 0x90); }},
        PaintCase{"large_font_all_chars", "DejaVu Sans Mono", 22, [](AppSettings& s) { s.showAllChars = true; },
                  [](CBinEditView& v) { Select(v, 0x2B, 0x41); }},
        PaintCase{"small_font", "DejaVu Sans Mono", 9, nullptr, [](CBinEditView& v) { Select(v, 0x2B, 0x41); }},
        // A proportional font: many glyphs reach into the next cell, so
        // copies and drawn glyphs mix in every row.
        PaintCase{"proportional_font_all_chars", "DejaVu Sans", 14, [](AppSettings& s) { s.showAllChars = true; },
                  [](CBinEditView& v) { Select(v, 0x07, 0x63); }, false},
        PaintCase{"hex_only", "DejaVu Sans Mono", 13, [](AppSettings& s) { s.columns = 1; }, nullptr},
        PaintCase{"chars_only", "DejaVu Sans Mono", 13, [](AppSettings& s) { s.columns = 2; }, nullptr}),
    [](const ::testing::TestParamInfo<PaintCase>& info) { return std::string(info.param.name); });

// A scaled painter (a high-density screen, a zoomed rendering) draws glyphs
// at other sizes than the cells: nothing is copied, the pixels are the same.
TEST_F(ViewTest, AScaledPainterDrawsEveryGlyph)
{
    Open(AllBytes(300), QSize(600, 300));
    auto render = [&](bool copies) {
        view->SetCellCopies(copies);
        QImage image(view->viewport()->size() * 2, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.scale(2, 2);
        view->viewport()->render(&painter);
        return image;
    };
    const QImage reference = render(false);
    render(true);
    EXPECT_EQ(render(true), reference);
    EXPECT_EQ(view->CellCache().CopiedCells(), 0);
}

// Views sharing the program's cells: a new view copies from its first paint
// the cells another view drew and checked, with the pixels of drawing every
// glyph; a view in another font gets cells of its own, never these.
TEST_F(ViewTest, AViewSharingCellsCopiesThemFromItsFirstPaint)
{
    GlyphCellPool pool;
    auto render = [](CBinEditView& v, bool copies) {
        v.SetCellCopies(copies);
        QImage image(v.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        v.viewport()->render(&image);
        return image;
    };
    Open(AllBytes(700), QSize(800, 300));
    view->ShareCells(&pool);
    render(*view, true);  // draws and checks the cells

    for (const int pixelSize : {0, 17}) {
        if (pixelSize > 0) {
            QFont font(QStringLiteral("DejaVu Sans Mono"));
            font.setPixelSize(pixelSize);
            settings.font2 = platform::RecordFromFont(font);
        }
        CBinEditView second(doc.get(), settings, ui);
        second.ShareCells(&pool);
        second.resize(800, 300);
        second.show();
        second.OnInitialUpdate();
        const QImage reference = render(second, false);
        const int64_t before = second.CellCache().CopiedCells();
        const QImage first = render(second, true);
        EXPECT_EQ(first, reference) << "font " << pixelSize;
        if (pixelSize == 0)
            EXPECT_GT(second.CellCache().CopiedCells(), before) << "the shared cells were not copied";
        else
            EXPECT_EQ(second.CellCache().CopiedCells(), 0) << "another font's cells were copied";
    }
}

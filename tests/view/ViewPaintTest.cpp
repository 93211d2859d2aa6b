// Grabbed pixels: the view paints exactly the row text, in the configured
// colours, with selection runs, marks and the size bar.
#include "ViewTestSupport.h"

#include "view/RowText.h"

#include <QApplication>
#include <QPalette>
#include <QTest>

using namespace test_colors;

namespace {

QByteArray Mixed(int count)
{
    QByteArray bytes(count, '\0');
    for (int i = 0; i < count; ++i)
        bytes[i] = char((i * 37 + 11) & 0xFF);
    return bytes;
}

class MarksForTest : public IViewMarks {
public:
    std::vector<int64_t> bookmarks;
    std::pair<int64_t, int64_t> range{0, 0};
    std::vector<int64_t> BookmarksIn(const CBinEditDoc&, int64_t from, int64_t to) const override
    {
        std::vector<int64_t> in;
        for (int64_t b : bookmarks)
            if (b >= from && b < to)
                in.push_back(b);
        return in;
    }
    std::pair<int64_t, int64_t> InspectorRange(const CBinEditDoc&) const override { return range; }
};

} // namespace

class ViewPaint : public ViewTest {
protected:
    // Checks one window row against the row text the painter is built on.
    void ExpectRowPainted(const QImage& image, int row, int32_t offset, const QByteArray& bytes)
    {
        const RowLayout& l = view->Geometry();
        const int count = int(std::min<qsizetype>(l.bytesPerRow, bytes.size() - offset));
        const RowText text = BuildRowText(l, offset, reinterpret_cast<const uint8_t*>(bytes.constData()) + offset,
                                          count, settings.showAllChars);
        for (int i = 0; i < text.offsetText.size(); ++i)
            EXPECT_GT(Ink(image, Cell(text.offsetX, i, row), kOffset, kBackground), 0) << "offset cell " << i;
        for (int i = 0; i < text.hex.size(); ++i) {
            const QRect cell = Cell(text.hexX, i, row);
            if (text.hex[i] == QChar(u' ')) {
                EXPECT_TRUE(AllPixels(image, cell, kBackground)) << "row " << row << " hex blank " << i;
                continue;
            }
            // Each group is its digits and the separator after them.
            const bool odd = (i / (2 * l.groupSize + 1)) % 2 == 0;
            EXPECT_GT(Ink(image, cell, odd ? kOdd : kEven, kBackground), 0) << "row " << row << " hex cell " << i;
            EXPECT_EQ(Ink(image, cell, odd ? kEven : kOdd, kBackground), 0) << "row " << row << " hex cell " << i;
        }
        for (int i = 0; i < text.chars.size(); ++i) {
            const QRect cell = Cell(text.charX, i, row);
            if (text.chars[i] == QChar(u' '))
                EXPECT_TRUE(AllPixels(image, cell, kBackground)) << "row " << row << " char blank " << i;
            else
                EXPECT_GT(Ink(image, cell, kAscii, kBackground), 0) << "row " << row << " char cell " << i;
        }
        // Nothing between and after the columns.
        const int gapX = l.Px(l.hexEnd) - view->HScroll();
        EXPECT_TRUE(AllPixels(image, QRect(gapX, row * l.lineHeight, l.Px(2), l.lineHeight), kBackground));
    }
};

TEST_F(ViewPaint, EveryRowShowsItsTextInOddEvenAsciiAndOffsetColoursForEveryGroupSize)
{
    const QByteArray bytes = Mixed(40);  // two full rows and a short one
    Open(bytes, QSize(900, 300));
    for (int groupBy = 0; groupBy < 4; ++groupBy) {
        settings.groupBy = groupBy;
        view->Layout(16);
        const QImage image = Grab();
        for (int row = 0; row < 3; ++row)
            ExpectRowPainted(image, row, row * 16, bytes);
        // Below the file: background only.
        const int lh = view->Geometry().lineHeight;
        EXPECT_TRUE(AllPixels(image, QRect(0, 3 * lh, view->ClientWidth(), 2 * lh), kBackground));
    }
}

TEST_F(ViewPaint, DecimalOffsetsNoDashAndShowAllCharsPaintTheirText)
{
    const QByteArray bytes = Mixed(48);
    Open(bytes, QSize(900, 300));
    settings.offsetFormat = 0;
    settings.showDash = false;
    settings.showAllChars = true;
    view->Layout(16);
    const QImage image = Grab();
    for (int row = 0; row < 3; ++row)
        ExpectRowPainted(image, row, row * 16, bytes);
}

TEST_F(ViewPaint, AFullLastRowIsFollowedByAnEmptyRowWithOnlyItsOffset)
{
    const QByteArray bytes = Mixed(32);
    Open(bytes, QSize(900, 300));
    const QImage image = Grab();
    ExpectRowPainted(image, 2, 32, bytes);
    const RowLayout& l = view->Geometry();
    EXPECT_TRUE(AllPixels(image, QRect(l.Px(l.hexX), 2 * l.lineHeight, l.Px(l.charEnd - l.hexX), l.lineHeight),
                          kBackground));
    EXPECT_TRUE(AllPixels(image, QRect(0, 3 * l.lineHeight, view->ClientWidth(), l.lineHeight), kBackground));
}

TEST_F(ViewPaint, AnEmptyFileShowsOneRowAtOffsetZero)
{
    Open(QByteArray(), QSize(900, 300));
    const QImage image = Grab();
    ExpectRowPainted(image, 0, 0, QByteArray());
    const RowLayout& l = view->Geometry();
    EXPECT_TRUE(AllPixels(image, QRect(0, l.lineHeight, view->ClientWidth(), l.lineHeight), kBackground));
}

TEST_F(ViewPaint, SelectionInTheCaretColumnUsesTheActiveColoursAndTheOtherColumnTheInactiveOnes)
{
    Open(Mixed(64), QSize(900, 300));
    view->Caret().hasSelection = true;
    view->Caret().selStart = 3;
    view->Caret().selEnd = 10;
    const RowLayout& l = view->Geometry();
    const int hexX = l.Px(l.hexX);
    const int charX = l.Px(l.charX);

    QImage image = Grab();
    // Digits of bytes 3..9 and the blanks between them are filled; the blanks
    // just outside the run are not.
    for (int cell = l.HexCellOfByte(3); cell < l.HexCellOfByte(9) + 2; ++cell) {
        EXPECT_EQ(image.pixelColor(Cell(hexX, cell, 0).topLeft()), kSelBackground) << cell;
    }
    EXPECT_TRUE(AllPixels(image, Cell(hexX, l.HexCellOfByte(3) - 1, 0), kBackground));
    EXPECT_TRUE(AllPixels(image, Cell(hexX, l.HexCellOfByte(9) + 2, 0), kBackground));
    EXPECT_GT(Ink(image, Cell(hexX, l.HexCellOfByte(5), 0), kSelText, kSelBackground), 0);
    // Outside the selection the group colours are kept.
    EXPECT_GT(Ink(image, Cell(hexX, l.HexCellOfByte(12), 0), kOdd, kBackground), 0);
    // The character column is not the caret's: the inactive pair.
    for (int i = 3; i < 10; ++i)
        EXPECT_EQ(image.pixelColor(Cell(charX, i, 0).topLeft()), kSelBackgroundInactive) << i;
    EXPECT_EQ(image.pixelColor(Cell(charX, 10, 0).topLeft()), kBackground);

    // An inactive view draws its caret column in the inactive pair too.
    view->SetActiveView(false);
    image = Grab();
    EXPECT_EQ(image.pixelColor(Cell(hexX, l.HexCellOfByte(4), 0).topLeft()), kSelBackgroundInactive);
    EXPECT_GT(Ink(image, Cell(hexX, l.HexCellOfByte(4), 0), kSelTextInactive, kSelBackgroundInactive), 0);

    // With the caret in the character column the roles swap.
    view->SetActiveView(true);
    view->SetHexActive(false);
    image = Grab();
    EXPECT_EQ(image.pixelColor(Cell(charX, 4, 0).topLeft()), kSelBackground);
    EXPECT_EQ(image.pixelColor(Cell(hexX, l.HexCellOfByte(4), 0).topLeft()), kSelBackgroundInactive);
}

TEST_F(ViewPaint, ASelectionAcrossRowsFillsEachRowsPart)
{
    Open(Mixed(64), QSize(900, 300));
    view->Caret().hasSelection = true;
    view->Caret().selStart = 14;
    view->Caret().selEnd = 18;
    const RowLayout& l = view->Geometry();
    const QImage image = Grab();
    const int hexX = l.Px(l.hexX);
    EXPECT_EQ(image.pixelColor(Cell(hexX, l.HexCellOfByte(15) + 1, 0).topLeft()), kSelBackground);
    EXPECT_EQ(image.pixelColor(Cell(hexX, l.HexCellOfByte(15) + 2, 0).topLeft()), kBackground);  // past the row
    EXPECT_EQ(image.pixelColor(Cell(hexX, l.HexCellOfByte(1), 1).topLeft()), kSelBackground);
    EXPECT_EQ(image.pixelColor(Cell(hexX, l.HexCellOfByte(2), 1).topLeft()), kBackground);
}

// Bytes of one group stand side by side with no blank between them: each
// digit is drawn once, in its own byte's colours, so equal bytes look the
// same wherever they stand in a group, also where a selection starts inside
// one.
TEST_F(ViewPaint, InsideAGroupEachDigitIsDrawnOnceInItsOwnBytesColours)
{
    settings.groupBy = 2;  // groups of four bytes
    Open(QByteArray(64, char(0x88)), QSize(900, 300));
    view->Caret().hasSelection = true;
    view->Caret().selStart = 1;
    view->Caret().selEnd = 6;
    const RowLayout& l = view->Geometry();
    const int hexX = l.Px(l.hexX);
    ASSERT_EQ(l.HexCellOfByte(1), l.HexCellOfByte(0) + 2);
    const QImage image = Grab();
    auto digit = [&](int byte, int which, int row) {
        return image.copy(Cell(hexX, l.HexCellOfByte(byte) + which, row));
    };
    for (int which : {0, 1}) {
        // Row 1 is not selected: every byte of a group like its first.
        for (int b = 1; b < 8; ++b)
            EXPECT_EQ(digit(b, which, 1), digit(b / 4 * 4, which, 1)) << "byte " << b << " digit " << which;
        // Selected bytes 1 to 5 like byte 4, which starts its group.
        for (int b : {1, 2, 3, 5})
            EXPECT_EQ(digit(b, which, 0), digit(4, which, 0)) << "selected byte " << b << " digit " << which;
    }
    EXPECT_GT(Ink(image, Cell(hexX, l.HexCellOfByte(1), 0), kSelText, kSelBackground), 0);
}

TEST_F(ViewPaint, BookmarksAreInvertedAndTheInspectorRangeColouredOnlyInTheActiveView)
{
    MarksForTest marks;
    marks.bookmarks = {5, 40};
    marks.range = {8, 12};
    Open(Mixed(64), QSize(900, 300));
    view->SetMarks(&marks);
    const RowLayout& l = view->Geometry();
    const int hexX = l.Px(l.hexX);
    const QColor inverted(255 - kBackground.red(), 255 - kBackground.green(), 255 - kBackground.blue());

    QImage image = Grab();
    EXPECT_EQ(image.pixelColor(Cell(hexX, l.HexCellOfByte(5), 0).topLeft()), inverted);
    EXPECT_EQ(image.pixelColor(Cell(hexX, l.HexCellOfByte(5) + 1, 0).topLeft()), inverted);
    EXPECT_EQ(image.pixelColor(Cell(hexX, l.HexCellOfByte(5) + 2, 0).topLeft()), kBackground);
    EXPECT_EQ(image.pixelColor(Cell(hexX, l.HexCellOfByte(8), 2).topLeft()), inverted);  // offset 40
    for (int b = 8; b < 12; ++b) {
        EXPECT_EQ(image.pixelColor(Cell(hexX, l.HexCellOfByte(b), 0).topLeft()), kDataBackground) << b;
        EXPECT_GT(Ink(image, Cell(hexX, l.HexCellOfByte(b), 0), kDataText, kDataBackground), 0) << b;
    }
    EXPECT_EQ(image.pixelColor(Cell(hexX, l.HexCellOfByte(12), 0).topLeft()), kBackground);

    view->SetActiveView(false);
    image = Grab();
    EXPECT_EQ(image.pixelColor(Cell(hexX, l.HexCellOfByte(5), 0).topLeft()), kBackground);
    EXPECT_EQ(image.pixelColor(Cell(hexX, l.HexCellOfByte(9), 0).topLeft()), kBackground);
}

TEST_F(ViewPaint, TheSizeBarIsAThreePixelLineAtItsPositionOverTheWholeHeight)
{
    settings.showSizeBar = true;
    Open(Mixed(64), QSize(900, 300));
    const RowLayout& l = view->Geometry();
    const int x = l.Px(l.sizeBarX);
    const QImage image = Grab();
    EXPECT_TRUE(AllPixels(image, QRect(x - 1, 0, 3, view->ClientHeight()), kSizeBar));
    EXPECT_TRUE(AllPixels(image, QRect(x - 2, 0, 1, view->ClientHeight()), kBackground));
    EXPECT_TRUE(AllPixels(image, QRect(x + 2, 0, 1, view->ClientHeight()), kBackground));

    // Scrolled horizontally, the bar moves with the rows.
    view->resize(x - 40, 300);
    view->SetHScroll(45, false, false);
    ASSERT_EQ(view->HScroll(), 45);
    const QImage scrolled = Grab();
    EXPECT_TRUE(AllPixels(scrolled, QRect(x - 46, 0, 3, view->ClientHeight()), kSizeBar));
}

TEST_F(ViewPaint, SystemColoursAreResolvedThroughTheApplicationPaletteAtEveryPaint)
{
    const AppSettings defaults;
    std::copy(std::begin(defaults.colors), std::end(defaults.colors), std::begin(settings.colors));
    Open(Mixed(64), QSize(900, 300));
    const QPalette saved = QApplication::palette();

    QPalette dark = saved;
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Highlight, QColor(40, 90, 160));
    dark.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    dark.setColor(QPalette::Button, QColor(70, 70, 70));
    dark.setColor(QPalette::ButtonText, QColor(200, 200, 200));
    QApplication::setPalette(dark);
    view->Caret().hasSelection = true;
    view->Caret().selStart = 0;
    view->Caret().selEnd = 2;
    const RowLayout& l = view->Geometry();
    QImage image = Grab();
    EXPECT_EQ(image.pixelColor(QPoint(2, 2 * l.lineHeight + 2)), QColor(30, 30, 30));
    EXPECT_GT(Ink(image, Cell(l.Px(l.offsetX), 0, 1), QColor(230, 230, 230), QColor(30, 30, 30)), 0);
    EXPECT_EQ(image.pixelColor(Cell(l.Px(l.hexX), 0, 0).topLeft()), QColor(40, 90, 160));
    EXPECT_EQ(image.pixelColor(Cell(l.Px(l.charX), 0, 0).topLeft()), QColor(70, 70, 70));

    // A theme change shows at the next paint, without a new layout.
    QPalette light = saved;
    light.setColor(QPalette::Base, QColor(250, 250, 250));
    QApplication::setPalette(light);
    image = Grab();
    EXPECT_EQ(image.pixelColor(QPoint(2, 2 * l.lineHeight + 2)), QColor(250, 250, 250));
    QApplication::setPalette(saved);
}

TEST_F(ViewPaint, TheFocusedViewDrawsTheCaretAtItsPointOnlyWithoutASelection)
{
    Open(Mixed(64), QSize(900, 300));
    view->setWindowFlag(Qt::WindowDoesNotAcceptFocus, false);
    view->show();
    view->activateWindow();
    view->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    ASSERT_TRUE(view->hasFocus());
    const RowLayout& l = view->Geometry();
    const QColor inverted(255 - kBackground.red(), 255 - kBackground.green(), 255 - kBackground.blue());

    view->Caret().Seek(16 + 5);
    view->UpdateCaret();
    ASSERT_TRUE(view->IsCaretShown());
    QImage image = Grab();
    const QPoint caret(l.Px(l.hexX + l.HexCellOfByte(5)), l.lineHeight);
    EXPECT_EQ(view->CaretRect(), QRect(caret, QSize(kCaretWidth, l.lineHeight)));
    EXPECT_EQ(image.pixelColor(caret), inverted);
    EXPECT_EQ(image.pixelColor(caret + QPoint(kCaretWidth, 0)), kBackground);

    // In the character column it stands before the byte's character.
    view->SetHexActive(false);
    image = Grab();
    EXPECT_EQ(image.pixelColor(QPoint(l.Px(l.charX + 5), l.lineHeight)), inverted);
    EXPECT_EQ(image.pixelColor(caret), kBackground);

    view->Caret().hasSelection = true;
    view->Caret().selStart = 40;
    view->Caret().selEnd = 42;
    EXPECT_FALSE(view->IsCaretShown());
    image = Grab();
    EXPECT_EQ(image.pixelColor(QPoint(l.Px(l.charX + 5), l.lineHeight)), kBackground);
}

// Printing through the real page loop into PDF files, read back as text with
// pdftotext, and pages painted onto images to look at their colours.
#include "../app/QtPrinting.h"
#include "MessageRecorder.h"
#include "TestFiles.h"
#include "ViewTestSupport.h"
#include "view/CaretController.h"
#include "view/PrintJob.h"
#include "view/PrintPreviewDlg.h"
#include "view/RowText.h"

#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QLineEdit>
#include <QTest>
#include <QTemporaryDir>

namespace {

// Runs of blanks count as one, so columns compare whatever the spacing.
QString Squeezed(const QString& text) { return text.simplified(); }

struct PdfPage {
    QStringList lines;  // non-empty lines, squeezed
    QStringList rows;   // the lines that start with an offset
    QStringList raw;    // the rows as pdftotext laid them out
};

std::vector<PdfPage> ReadPdf(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(60000);
    std::vector<PdfPage> pages;
    const QStringList texts = QString::fromUtf8(p.readAllStandardOutput()).split(QChar(u'\f'));
    static const QRegularExpression offset(QStringLiteral("^[0-9A-F]{8} "));
    for (const QString& text : texts) {
        PdfPage page;
        for (const QString& line : text.split(QChar(u'\n'))) {
            const QString s = Squeezed(line);
            if (s.isEmpty())
                continue;
            page.lines << s;
            if (offset.match(s).hasMatch()) {
                page.rows << s;
                page.raw << line;
            }
        }
        if (!page.lines.isEmpty())
            pages.push_back(page);
    }
    return pages;
}

class PrintTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        ASSERT_TRUE(dir.isValid());
    }

    // Prints through the page loop into a PDF and reads it back.
    std::vector<PdfPage> Print(bool selection, const QPageSize& paper = QPageSize(QPageSize::A4))
    {
        QPrinter printer(QPrinter::HighResolution);
        const QString path = dir.filePath(QStringLiteral("out%1.pdf").arg(++printed));
        EXPECT_TRUE(SelectPrinterByName(printer, path));
        printer.setPageSize(paper);
        EXPECT_EQ(PrintPages(PrintSourceFor(*doc, settings, view.get(), selection), printer, {}), PrintOutcome::Printed);
        return ReadPdf(path);
    }

    // The screen's text of the row at offset, squeezed.
    QString ScreenRow(int32_t offset, int count) const
    {
        QByteArray bytes(count, '\0');
        CBufferPos at;
        at.Bind(&doc->Buffer(), false, offset);
        at.Read(bytes.data(), count);
        const RowText row = BuildRowText(view->Geometry(), offset, reinterpret_cast<const uint8_t*>(bytes.constData()),
                                         count, false);
        return Squeezed(row.offsetText + ' ' + row.hex + ' ' + row.chars);
    }

    QTemporaryDir dir;
    MessageRecorder messages;
    int printed = 0;
};

TEST_F(PrintTest, RowsEqualTheScreenWithTitleOnTopAndPageNumbersBelow)
{
    Open(Counting(1000));
    doc->SetTitle(QStringLiteral("counting.bin"));
    const auto pages = Print(false);
    ASSERT_GE(pages.size(), 2u) << "1000 bytes at 16 a row make 63 rows, more than an A4 page holds";

    QStringList printedRows;
    for (size_t i = 0; i < pages.size(); ++i) {
        EXPECT_EQ(pages[i].lines.first(), "counting.bin") << "page " << i + 1;
        EXPECT_EQ(pages[i].lines.last(), QString::number(i + 1));
        printedRows << pages[i].rows;
        if (i + 1 < pages.size()) {
            EXPECT_EQ(pages[i].rows.size(), pages[0].rows.size()) << "only the last page is short";
        }
    }
    QStringList screenRows;
    for (int32_t off = 0; off < 1000; off += 16)
        screenRows << ScreenRow(off, std::min(16, 1000 - off));
    EXPECT_EQ(printedRows, screenRows);

    // Rows per page from the page's height: A4 less 1.5 inches, less three
    // text heights above and below.
    QPrinter printer(QPrinter::HighResolution);
    CPagePainter painter(PrintSourceFor(*doc, settings, view.get(), false), &printer);
    const int lh = painter.Font().LineHeight();
    const int height = qRound(297.0 / 25.4 * printer.logicalDpiY()) - 2 * printer.logicalDpiY() * 3 / 4;
    const int rowsPerPage = (height - 6 * lh) / lh;
    EXPECT_NEAR(pages[0].rows.size(), rowsPerPage, 1);
    EXPECT_EQ(int(pages.size()), (63 + pages[0].rows.size() - 1) / pages[0].rows.size());
}

TEST_F(PrintTest, SelectionMidRowPrintsBlanksBeforeItsFirstByteAndStopsAtItsEnd)
{
    Open(Counting(1000));
    view->CaretControl().SetSelection(21, 50);
    auto pages = Print(true);
    ASSERT_EQ(pages.size(), 1u);
    const QStringList rows = pages[0].rows;
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0], "00000010 15 16 17-18 19 1A 1B 1C 1D 1E 1F ...........");
    EXPECT_EQ(rows[1], ScreenRow(0x20, 16));
    EXPECT_EQ(rows[2], "00000030 30 31 01");
    // The blanks keep the bytes in their columns: "15" stands five byte
    // columns to the right of where "20" starts in the next row.
    const QStringList raw = pages[0].raw;
    const int col15 = int(raw[0].indexOf(QStringLiteral("15 16")));
    const int col20 = int(raw[1].indexOf(QStringLiteral("20 21")));
    EXPECT_EQ(col15 - col20, 5 * 3);

    view->CaretControl().SetSelection(7, 8);  // one byte
    pages = Print(true);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].rows, QStringList{"00000000 07 ."});
}

TEST_F(PrintTest, EmptyFileGivesOnePageWithOnlyHeaderAndFooter)
{
    Open(QByteArray());
    doc->SetTitle(QString());
    const auto pages = Print(false);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].lines, QStringList({"<Untitled>", "1"}));
}

TEST_F(PrintTest, RowTooWideForThePaperHasFewerBytesOnPaperOnly)
{
    settings.bytesPerRow = 64;
    Open(Counting(1000), QSize(4000, 400));
    ASSERT_EQ(view->BytesPerRow(), 64);
    const auto pages = Print(false);
    EXPECT_EQ(view->BytesPerRow(), 64) << "the screen keeps its layout";

    // The printed rows hold every byte once, in order, fewer than 64 a row.
    QByteArray printedBytes;
    int bytesPerRow = 0;
    for (const PdfPage& page : pages) {
        for (const QString& row : page.rows) {
            const QStringList parts = row.split(QChar(u' '));
            int n = 0;
            for (int i = 1; i < parts.size() && parts[i].size() >= 2 && parts[i].size() <= 5; ++i) {
                for (const QString& pair : parts[i].split(QChar(u'-'))) {
                    if (pair.size() == 2) {
                        printedBytes.append(char(pair.toInt(nullptr, 16)));
                        ++n;
                    }
                }
            }
            bytesPerRow = std::max(bytesPerRow, n);
        }
    }
    EXPECT_GT(bytesPerRow, 0);
    EXPECT_LT(bytesPerRow, 64);
    EXPECT_EQ(printedBytes, Counting(1000));
}

TEST_F(PrintTest, HostilePagesAndFontsStillEndInPagesOrMessages)
{
    Open(Counting(300));
    // A strip of paper narrower than its margins: the smallest layout, and
    // every page still numbered.
    const QPageSize strip(QSizeF(20, 200), QPageSize::Millimeter);
    QPrinter stripPrinter(QPrinter::HighResolution);
    stripPrinter.setPageSize(strip);
    CPagePainter stripPages(PrintSourceFor(*doc, settings, view.get(), false), &stripPrinter);
    const int stripCount = stripPages.PageCount(PrinterPageGeometry(stripPrinter));
    EXPECT_EQ(stripPages.Layout().bytesPerRow, 2);
    auto pages = Print(false, strip);
    ASSERT_EQ(int(pages.size()), stripCount);
    EXPECT_GT(stripCount, 1);
    for (int i = 0; i < stripCount; ++i)
        EXPECT_EQ(pages[i].lines.last(), QString::number(i + 1));

    // 1,638 points: a row taller than the page still moves on a row a page.
    QFont huge(QStringLiteral("DejaVu Sans Mono"));
    huge.setPixelSize(1638 * 96 / 72);
    settings.font2 = platform::RecordFromFont(huge);
    Open(Counting(40));
    QPrinter printer(QPrinter::HighResolution);
    CPagePainter painter(PrintSourceFor(*doc, settings, view.get(), false), &printer);
    const int count = painter.PageCount(PrinterPageGeometry(printer));
    EXPECT_EQ(painter.Layout().bytesPerRow, 2);
    EXPECT_EQ(count, 20) << "one row of two bytes a page";
    pages = Print(false);
    EXPECT_EQ(int(pages.size()), count);

    // A PDF in a folder that cannot be written names the file.
    const QString blocked = dir.filePath(QStringLiteral("no-such-folder/out.pdf"));
    QPrinter pdf(QPrinter::HighResolution);
    ASSERT_TRUE(SelectPrinterByName(pdf, blocked));
    EXPECT_EQ(PrintPages(PrintSourceFor(*doc, settings, view.get(), false), pdf, {}), PrintOutcome::Failed);
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_TRUE(messages.Last().contains(blocked)) << messages.Last().toStdString();

    // A printer that does not exist.
    QPrinter named;
    EXPECT_FALSE(SelectPrinterByName(named, QStringLiteral("No Such Printer 4711")));
    EXPECT_EQ(messages.Last(), "The printer \"No Such Printer 4711\" is not installed.");
}

TEST_F(PrintTest, ColoursFollowTheSettingsOrAllPrintInTheTextColour)
{
    using namespace test_colors;
    Open(Counting(64));
    QImage image(816, 1056, QImage::Format_RGB32);  // Letter at 96 dots per inch
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    const PageGeometry page{image.rect(), image.rect(), 96, 96};
    const QColor white(Qt::white), black(Qt::black);
    for (bool blackWhite : {false, true}) {
        SCOPED_TRACE(blackWhite ? "black and white" : "colours");
        settings.printBlackWhite = blackWhite;
        image.fill(white);
        CPagePainter pages(PrintSourceFor(*doc, settings, view.get(), false), &image);
        QPainter painter(&image);
        EXPECT_TRUE(pages.PaintPage(painter, page, 1));
        painter.end();

        const RowLayout& l = pages.Layout();
        const QRect margins = PageMarginRect(page);
        const int top = margins.top() + 3 * pages.Font().LineHeight();
        auto cells = [&](int first, int count, int row) {
            return QRect(margins.left() + l.Px(first), top + row * l.lineHeight, l.Px(count), l.lineHeight);
        };
        struct Region {
            QRect rect;
            QColor colour;
        };
        const Region regions[] = {
            {cells(l.offsetX, 8, 1), kOffset},
            {cells(l.hexX + l.HexCellOfByte(2), 2, 1), kOdd},   // byte 0x12: an odd group
            {cells(l.hexX + l.HexCellOfByte(3), 2, 1), kEven},  // byte 0x13: the even one after it
            {cells(l.charX, 16, 2), kAscii},                    // " !\"#$%&'()*+,-./"
        };
        for (const Region& r : regions) {
            const QColor expected = blackWhite ? black : r.colour;
            EXPECT_GT(Ink(image, r.rect, expected, white), 0) << expected.name().toStdString();
            for (const QColor& other : {kOffset, kOdd, kEven, kAscii, black})
                if (other != expected) {
                    EXPECT_EQ(Ink(image, r.rect, other, white), 0) << other.name().toStdString();
                }
        }
    }
}

TEST_F(PrintTest, PreviewOfAGibibytePaintsOnlyThePagesShown)
{
    constexpr int32_t kGiB = 1 << 30;
    view.reset();
    doc = std::make_unique<CBinEditDoc>();
    doc->OnNewDocument();
    CBufferPos at;
    at.Bind(&doc->Buffer(), false, 0);
    ASSERT_EQ(at.Insert(kGiB), kGiB);
    at.Fill(0x41, kGiB);
    view = std::make_unique<CBinEditView>(doc.get(), settings, ui);
    view->OnInitialUpdate();

    QPrinter printer(QPrinter::HighResolution);
    CPrintPreviewDlg preview(PrintSourceFor(*doc, settings, view.get(), false), printer);
    preview.show();
    QCoreApplication::processEvents();
    const int64_t pages = preview.PageCount();
    ASSERT_GT(pages, 1000000) << "a GiB in rows of 16 bytes";
    ASSERT_FALSE(preview.PaintedPages().empty());
    for (int64_t p : preview.PaintedPages())
        EXPECT_EQ(p, 1);

    // Typing the last page number into the page box shows that page alone.
    const size_t before = preview.PaintedPages().size();
    QLineEdit* box = preview.PageField();
    EXPECT_EQ(box->text(), QStringLiteral("1"));
    box->selectAll();
    QTest::keyClicks(box, QString::number(pages));
    QTest::keyClick(box, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_TRUE(preview.isVisible()) << "Enter in the page field goes to the page, it does not print";
    EXPECT_EQ(box->text(), QString::number(pages));
    EXPECT_EQ(preview.CurrentPage(), pages);
    ASSERT_GT(preview.PaintedPages().size(), before);
    for (size_t i = before; i < preview.PaintedPages().size(); ++i)
        EXPECT_EQ(preview.PaintedPages()[i], pages);

    // Page Up turns back one page; the image holds ink.
    QTest::keyClick(&preview, Qt::Key_PageUp);
    EXPECT_EQ(preview.CurrentPage(), pages - 1);
    const QImage image = preview.PageImage();
    EXPECT_GT(Ink(image, image.rect(), Qt::black, Qt::white), 0);
}

// A page past 4 GiB of a sparse 5 GiB file (its limit lifted as the
// program will lift it), printed alone: its number below and its rows from
// the bytes there, a marker planted mid-row and zeros around it.
TEST_F(PrintTest, APagePastFourGiBPrintsTheBytesThatAreThere)
{
    const int64_t marker = (int64_t(1) << 32) + 5;
    WriteSparseFile(dir.filePath("big"), int64_t(5) << 30, {{marker, "PAST4GIB"}});
    view.reset();
    doc = std::make_unique<CBinEditDoc>();
    doc->Buffer().SetSizeLimit(CFileBuffer::kNoSizeLimit);
    ASSERT_TRUE(doc->OnOpenDocument(dir.filePath("big")));
    auto printPage = [&](int page) {
        QPrinter printer(QPrinter::HighResolution);
        EXPECT_TRUE(SelectPrinterByName(printer, dir.filePath(QStringLiteral("%1.pdf").arg(page))));
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(page, page);
        EXPECT_EQ(PrintPages(PrintSourceFor(*doc, settings, nullptr, false), printer, {}), PrintOutcome::Printed);
        const auto pages = ReadPdf(dir.filePath(QStringLiteral("%1.pdf").arg(page)));
        return pages.size() == 1 ? pages[0].lines : QStringList();
    };
    const int64_t rowsPerPage = printPage(1).size() - 2;  // less title and number
    ASSERT_GT(rowsPerPage, 10);
    const int64_t page = marker / (16 * rowsPerPage) + 1;
    const QStringList lines = printPage(int(page));
    ASSERT_EQ(lines.size(), rowsPerPage + 2);
    EXPECT_EQ(lines.last(), QString::number(page));
    const int64_t markerRow = (marker - (page - 1) * 16 * rowsPerPage) / 16;
    // Every row shows its whole offset in the nine digits of the file's end.
    for (int64_t r = 0; r < rowsPerPage; ++r) {
        const int64_t rowOffset = (page - 1) * 16 * rowsPerPage + r * 16;
        const QString offset = QStringLiteral("%1").arg(rowOffset, 9, 16, QChar(u'0')).toUpper();
        EXPECT_EQ(lines[r + 1], offset + (r == markerRow ? " 00 00 00 00 00 50 41 53-54 34 47 49 42 00 00 00 .....PAST4GIB..."
                                                         : " 00 00 00 00 00 00 00 00-00 00 00 00 00 00 00 00 ................"))
            << r;
    }
}

} // namespace

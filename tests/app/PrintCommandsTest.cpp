// Print, Print Preview and the "/p" and "/pt" command-line flags on the
// running application, printing into PDF files read back with pdftotext.
#include "AppTestSupport.h"
#include "ForwardClient.h"
#include "TestFiles.h"
#include "app/ForwardMessage.h"
#include "core/BinEditDoc.h"
#include "furniture/PrintDialog.h"
#include "view/BinEditView.h"
#include "view/CaretController.h"
#include "view/PrintPreviewDlg.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QProcess>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTimer>
#include <climits>
#include <stdexcept>

namespace {

QString PdfText(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The printed rows, squeezed: lines that begin with an offset.
QStringList PdfRows(const QString& path)
{
    QStringList rows;
    for (const QString& line : PdfText(path).split(QChar(u'\n'))) {
        const QString s = line.simplified();
        if (s.size() > 9 && s[8] == QChar(u' ') && s.left(8).toUInt(nullptr, 16) % 16 == 0 &&
            s.left(8).count(QChar(u' ')) == 0)
            rows << s;
    }
    return rows;
}

// The lines of each printed page, squeezed, blank ones left out.
std::vector<QStringList> PdfPages(const QString& path)
{
    std::vector<QStringList> pages;
    for (const QString& page : PdfText(path).split(QChar(u'\f'))) {
        QStringList lines;
        for (const QString& line : page.split(QChar(u'\n')))
            if (!line.simplified().isEmpty())
                lines << line.simplified();
        if (!lines.isEmpty())
            pages.push_back(lines);
    }
    return pages;
}

QByteArray Letters(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes.append(char('A' + i % 26));
    return bytes;
}

} // namespace

TEST_F(AppTest, PrintToPdfFlagPrintsEachFileAndEndsWithoutAWindow)
{
    const QString a = MakeFile("a.bin", Letters(40));
    const QString pdf = files_.filePath("a.pdf");
    EXPECT_FALSE(Start({"/pt", a, pdf})) << "printing is all the program does";
    EXPECT_TRUE(app_->PrintedOnly());
    EXPECT_FALSE(Frame()->isVisible());
    EXPECT_EQ(Docs().Count(), 0) << "the printed file is closed again";
    EXPECT_TRUE(messages_.Messages().empty()) << messages_.Last().toStdString();
    EXPECT_EQ(PdfRows(pdf), QStringList({"00000000 41 42 43 44 45 46 47 48-49 4A 4B 4C 4D 4E 4F 50 ABCDEFGHIJKLMNOP",
                                         "00000010 51 52 53 54 55 56 57 58-59 5A 41 42 43 44 45 46 QRSTUVWXYZABCDEF",
                                         "00000020 47 48 49 4A 4B 4C 4D 4E GHIJKLMN"}));
    EXPECT_TRUE(PdfText(pdf).contains("a.bin"));
}

TEST_F(AppTest, PrintFlagWithoutADefaultPrinterSaysSoAndFails)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "a printer is installed here; this test never prints on paper";
    const QString a = MakeFile("a.bin", "a");
    EXPECT_FALSE(Start({"/p", a}));
    EXPECT_FALSE(app_->PrintedOnly());
    ASSERT_EQ(messages_.Count(), 1);
    EXPECT_TRUE(messages_.Last().startsWith("No printers are installed."));
}

TEST_F(AppTest, ForwardedPrintToPrintsAndLeavesOpenFilesOpen)
{
    ASSERT_TRUE(Start());
    const QString a = MakeFile("a.bin", Letters(20)), b = MakeFile("b.bin", Letters(3));
    ASSERT_TRUE(Docs().OpenDocumentFile(a));
    const QString pdfA = files_.filePath("a.pdf"), pdfB = files_.filePath("b.pdf");
    EXPECT_EQ(ExchangeWithInstance(guard_->Path(), BuildForwardBlock({"-pt", a, pdfA})), 1u);
    EXPECT_EQ(ExchangeWithInstance(guard_->Path(), BuildForwardBlock({"-pt", b, pdfB})), 1u);
    EXPECT_EQ(Docs().Count(), 1) << "a was open before and stays; b was opened to print and closes";
    EXPECT_EQ(PdfRows(pdfA).size(), 2);
    EXPECT_EQ(PdfRows(pdfB), QStringList{"00000000 41 42 43 ABC"});
    EXPECT_TRUE(Frame()->isVisible());
}

TEST_F(AppTest, PrintCommandOffersTheSelectionAndPrintsWhatWasChosen)
{
    const QString a = MakeFile("a.bin", Letters(64));
    ASSERT_TRUE(Start({a}));
    Frame()->UpdateCommands();
    EXPECT_TRUE(Frame()->Action(Cmd::FilePrint)->isEnabled());

    const QString all = files_.filePath("all.pdf"), part = files_.filePath("part.pdf");
    dialogs_->printAnswers = {ScriptedDialogs::PrintAnswer{all, false}};
    Trigger(Cmd::FilePrint);
    EXPECT_EQ(PdfRows(all).size(), 4);

    Frame()->ActiveView()->CaretControl().SetSelection(18, 20);
    dialogs_->printAnswers = {ScriptedDialogs::PrintAnswer{part, true}, std::nullopt};
    Trigger(Cmd::FilePrint);
    EXPECT_EQ(PdfRows(part), QStringList{"00000010 53 54 ST"});
    Trigger(Cmd::FilePrint);  // cancelled: nothing printed, nothing said
    EXPECT_EQ(dialogs_->printSelectionOffered, QList<bool>({false, true, true}));
    EXPECT_TRUE(messages_.Messages().empty()) << messages_.Last().toStdString();
}

TEST_F(AppTest, PrintPreviewShowsThePagesAndItsPrintButtonPrints)
{
    const QString a = MakeFile("a.bin", Letters(5000));
    ASSERT_TRUE(Start({a}));
    const QString pdf = files_.filePath("preview.pdf");
    dialogs_->printAnswers = {ScriptedDialogs::PrintAnswer{pdf, false}};
    int64_t pages = 0;
    std::vector<int64_t> painted;
    QTimer::singleShot(0, [&] {
        auto* preview = qobject_cast<CPrintPreviewDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(preview, nullptr);
        pages = preview->PageCount();
        preview->SetPage(pages);
        painted = preview->PaintedPages();
        emit preview->printRequested();
        preview->close();
    });
    Trigger(Cmd::FilePrintPreview);
    EXPECT_GT(pages, 1);
    EXPECT_EQ(painted, std::vector<int64_t>({1, pages}));
    EXPECT_EQ(PdfRows(pdf).size(), (5000 + 15) / 16) << "Print in the preview went on to print";
}

TEST_F(AppTest, PrintToPdfFromARealSecondProcess)
{
    const QString a = MakeFile("a.bin", Letters(1000));
    const QString pdf = files_.filePath("process.pdf");
    QProcess process;
    process.setProgram(QStringLiteral(VANTREL_EXECUTABLE));
    process.setArguments({"/pt", a, pdf});
    process.start();
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
    const QStringList rows = PdfRows(pdf);
    ASSERT_EQ(rows.size(), (1000 + 15) / 16);
    EXPECT_EQ(rows[0], "00000000 41 42 43 44 45 46 47 48-49 4A 4B 4C 4D 4E 4F 50 ABCDEFGHIJKLMNOP");
    EXPECT_EQ(rows.last(), "000003E0 45 46 47 48 49 4A 4B 4C EFGHIJKL");
}

// The dialog's own page fields reach the last page of a printout of up to
// 2,147,483,646 pages (they stopped at 9999). At 2,147,483,647 the "Page
// Range" tab takes their place and keeps them off (the dialog would have them
// cut pages out of a job of every page); its OK refuses a range past the last
// page of the paper chosen by then and takes one within it.
TEST_F(AppTest, PrintDialogTakesPageNumbersPastThirtyOneBits)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(files_.filePath("range.pdf"));
    {
        CPrintDialog fits(printer, false, [](QPrinter&) { return int64_t(INT_MAX) - 1; });
        fits.show();
        EXPECT_EQ(fits.RangeTab(), nullptr);
        ASSERT_NE(fits.findChild<QSpinBox*>(QStringLiteral("to")), nullptr);
        EXPECT_EQ(fits.findChild<QSpinBox*>(QStringLiteral("to"))->maximum(), INT_MAX - 1);
    }
    int64_t count = INT_MAX;
    CPrintDialog dialog(printer, false, [&count](QPrinter&) { return count; });
    dialog.show();
    ASSERT_NE(dialog.RangeTab(), nullptr);
    EXPECT_EQ(dialog.ToField()->text(), "2147483647");
    for (const char* name : {"printRange", "pagesRadioButton"}) {
        auto* own = dialog.findChild<QWidget*>(QLatin1String(name));
        ASSERT_NE(own, nullptr) << name;
        own->setEnabled(true);  // as the dialog does on a change of printer
        EXPECT_FALSE(own->isEnabled()) << name;
    }

    count = 4'300'000'000;  // as if smaller paper had been chosen meanwhile
    dialog.RangeBox()->setChecked(true);
    dialog.FromField()->setText("4294967297");
    dialog.ToField()->setText("4300000001");
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(messages_.Texts(), QStringList{"Please enter an integer between 4294967297 and 4300000000."});
    dialog.ToField()->setText("4300000000");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.ChosenPages(), (PageSpan{4294967297, 4300000000}));
    EXPECT_EQ(messages_.Count(), 1);
}

// Two pages past 2^32 of a sparse 8 TiB file, chosen as the page fields of
// 64 bits answer (cut to 32 bits, the numbers would print pages 1 and 2): the
// page holding a marker planted at 7.5 TiB + 5 and the next, each with its
// whole number below and every row's whole offset.
TEST_F(AppTest, PrintsPagesPastFourBillionChosenInThePrintDialog)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    constexpr int64_t kSize = int64_t(8) << 40;
    constexpr int64_t kMarker = (int64_t(15) << 39) + 5;
    const QString path = files_.filePath("huge.bin");
    try {
        WriteSparseFile(path, kSize, {{kMarker, "PAST2^32"}});
    } catch (const std::runtime_error&) {
        GTEST_SKIP() << "this file system makes no sparse file of 8 TiB in " << files_.path().toStdString();
    }
    ASSERT_TRUE(Start({path}));
    Frame()->resize(1600, 900);
    QCoreApplication::processEvents();
    ASSERT_EQ(Frame()->ActiveView()->BytesPerRow(), 16);

    const QString first = files_.filePath("first.pdf"), past = files_.filePath("past.pdf");
    dialogs_->printAnswers = {ScriptedDialogs::PrintAnswer{first, false, 1, 1}};
    Trigger(Cmd::FilePrint);
    const int64_t rowsPerPage = PdfPages(first).at(0).size() - 2;  // less title and number
    ASSERT_GT(rowsPerPage, 10);
    const int64_t bytesPerPage = 16 * rowsPerPage;
    EXPECT_EQ(dialogs_->printPageCounts, QList<int64_t>{(kSize + bytesPerPage - 1) / bytesPerPage});
    const int64_t page = kMarker / bytesPerPage + 1;
    ASSERT_GT(page, int64_t(1) << 32) << rowsPerPage << " rows a page";

    dialogs_->printAnswers = {ScriptedDialogs::PrintAnswer{past, false, page, page + 1}};
    Trigger(Cmd::FilePrint);
    const std::vector<QStringList> pages = PdfPages(past);
    ASSERT_EQ(pages.size(), 2u);
    for (int64_t i = 0; i < 2; ++i) {
        const QStringList& lines = pages[size_t(i)];
        ASSERT_EQ(lines.size(), rowsPerPage + 2);
        EXPECT_EQ(lines.first(), "huge.bin");
        EXPECT_EQ(lines.last(), QString::number(page + i));
        for (int64_t r = 0; r < rowsPerPage; ++r) {  // eleven digits: those of the file's end
            const int64_t offset = (page - 1 + i) * bytesPerPage + 16 * r;
            EXPECT_EQ(lines[r + 1], QStringLiteral("%1").arg(offset, 11, 16, QChar(u'0')).toUpper() +
                                        (offset == kMarker - 5 ? " 00 00 00 00 00 50 41 53-54 32 5E 33 32 00 00 00 .....PAST2^32..."
                                                               : " 00 00 00 00 00 00 00 00-00 00 00 00 00 00 00 00 ................"))
                << "page " << page + i << " row " << r;
        }
    }
    EXPECT_TRUE(messages_.Messages().empty()) << messages_.Last().toStdString();
}

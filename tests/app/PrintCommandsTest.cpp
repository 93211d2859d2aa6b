// Print, Print Preview and the "/p" and "/pt" command-line flags on the
// running application, printing into PDF files read back with pdftotext.
#include "AppTestSupport.h"
#include "ForwardClient.h"
#include "app/ForwardMessage.h"
#include "core/BinEditDoc.h"
#include "view/BinEditView.h"
#include "view/CaretController.h"
#include "view/PrintPreviewDlg.h"

#include <QApplication>
#include <QProcess>
#include <QPrinterInfo>
#include <QTimer>

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

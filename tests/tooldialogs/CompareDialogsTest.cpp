// Compare Files: its three dialogs through Qt Test, and the command end to
// end on two real documents and views.
#include "DialogTestSupport.h"
#include "MessageRecorder.h"
#include "ScriptedInterface.h"
#include "TestFiles.h"
#include "core/BinEditDoc.h"
#include "platform/Clipboard.h"
#include "platform/StatusHooks.h"
#include "settings/AppSettings.h"
#include "tooldialogs/BookmarkMarks.h"
#include "tooldialogs/CompareCommand.h"
#include "tools/BookmarkCollection.h"
#include "tooldialogs/CompareFilesDlg.h"
#include "tooldialogs/CompareResultsDlg.h"
#include "tooldialogs/DifferenceFoundDlg.h"
#include "tooldialogs/IntEdit.h"
#include "tools/CompareReport.h"
#include "tools/ToolView.h"
#include "view/BinEditView.h"
#include "view/CaretController.h"
#include "view/EditCommands.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

QStringList Items(const QComboBox& list)
{
    QStringList items;
    for (int i = 0; i < list.count(); ++i)
        items.append(list.itemData(i).toString());
    return items;
}

} // namespace

TEST(CompareFilesDialogTest, ListsPreselectEnableOkAndRefuseDuplicates)
{
    ScriptedInterface ui;
    CCompareFilesDlg dialog({"/data/a.bin", "/data/B.bin"}, 16, true, {}, ui);
    EXPECT_EQ(dialog.List(1)->currentIndex(), 0);
    EXPECT_EQ(dialog.List(2)->currentIndex(), 1);
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    EXPECT_TRUE(dialog.SideBySideBox()->isChecked());
    EXPECT_EQ(dialog.MinMatchEdit()->Text(), QStringLiteral("16"));

    dialog.List(2)->setCurrentIndex(0);
    EXPECT_FALSE(dialog.OkButton()->isEnabled());

    // Browse adds to both lists, without regard to case never twice.
    ui.ThenFile(QStringLiteral("/DATA/b.BIN"));
    QTest::mouseClick(dialog.BrowseButton(2), Qt::LeftButton);
    EXPECT_EQ(Items(*dialog.List(1)), QStringList({"/data/a.bin", "/data/B.bin"}));
    EXPECT_EQ(dialog.List(2)->currentIndex(), 1);
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    dialog.AddFile(1, QStringLiteral("/other/c.bin"));
    EXPECT_EQ(Items(*dialog.List(2)), QStringList({"/data/a.bin", "/data/B.bin", "/other/c.bin"}));
    EXPECT_EQ(dialog.File(1), QStringLiteral("/other/c.bin"));
    EXPECT_EQ(dialog.File(2), QStringLiteral("/data/B.bin"));

    EXPECT_EQ(ui.FileTitles(), QStringList("Open"));
    CCompareFilesDlg single({"/data/a.bin"}, 16, false, {}, ui);
    EXPECT_EQ(single.List(2)->currentIndex(), -1);
    EXPECT_FALSE(single.OkButton()->isEnabled());
}

TEST(CompareFilesDialogTest, OkChecksTheFilesAndTheMinimumMatchLength)
{
    MessageRecorder messages;
    ScriptedInterface ui;
    struct Case {
        const char* text;
        bool accepted;
        int minMatchLen;
    };
    const std::vector<Case> cases = {{"0", false, 0},  {"16385", false, 0}, {"-3", false, 0}, {"x", false, 0},
                                     {"1", true, 1},   {"0x4000", true, 16384}, {" 040 ", true, 32}};
    for (const Case& c : cases) {
        messages.Clear();
        CCompareFilesDlg dialog({"/data/a.bin", "/data/b.bin"}, 16, false, {}, ui);
        dialog.MinMatchEdit()->SetText(QString::fromLatin1(c.text));
        dialog.accept();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted) << c.text;
        if (c.accepted)
            EXPECT_EQ(dialog.MinMatchLen(), c.minMatchLen) << c.text;
        else
            EXPECT_EQ(messages.Texts(), QStringList("Please enter an integer between 1 and 16384.")) << c.text;
    }

    messages.Clear();
    CCompareFilesDlg same({"/data/a.bin", "/data/b.bin"}, 16, false, {}, ui);
    same.List(2)->setCurrentIndex(0);
    same.accept();
    EXPECT_NE(same.result(), QDialog::Accepted);
    EXPECT_EQ(messages.Texts(), QStringList("You must select two different files in order to compare them."));
}

TEST(DifferenceFoundDialogTest, ShowsTheTextAndEachButtonEndsWithItsChoice)
{
    const CompareDifference d{0x10, 0x20, 3, 0};
    const QString text = DifferenceFoundText("/a", "/b", d, true);
    for (auto choice : {CDifferenceFoundDlg::FindNext, CDifferenceFoundDlg::FindAll, CDifferenceFoundDlg::Done}) {
        CDifferenceFoundDlg dialog(text);
        EXPECT_TRUE(dialog.TextBox()->isReadOnly());
        EXPECT_EQ(dialog.TextBox()->toPlainText(),
                  QStringLiteral("Difference found:\n=================\nFile 1: /a\nOffset=0x10, Length=0x3\n\n"
                                 "File 2: /b\nOffset=0x20, Length=0x0\n"));
        EXPECT_TRUE(dialog.Button(CDifferenceFoundDlg::FindNext)->isDefault());
        QTest::mouseClick(dialog.Button(choice), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), int(choice));
    }
}

TEST(CompareResultsDialogTest, EntriesSelectBothViewsAndTheReportGoesToTheClipboard)
{
    const std::vector<CompareDifference> diffs = {{0x10, 0x10, 1, 1}, {0x2A, 0x2B, 0, 5}};
    const QByteArray head = "Vantrel Hex Editor\r\nFile Compare Results\r\n\r\nFile 1: /a/one\r\nFile 2: /b/two\r\n\r\n"
                            "Differences (2 found):\r\n";
    ScriptedInterface ui;
    for (bool hex : {true, false}) {
        std::vector<CompareDifference> selected;
        CCompareResultsDlg dialog(
            "/a/one", "/b/two", diffs, hex, [&](const CompareDifference& d) { selected.push_back(d); }, ui);
        EXPECT_EQ(dialog.CountLabel()->text(), QStringLiteral("&Differences (2 found):"));
        ASSERT_EQ(dialog.List()->count(), 2);
        EXPECT_EQ(dialog.List()->item(1)->text(),
                  hex ? QStringLiteral("[File 1] Offset=0x2A, Length=0x0\n[File 2] Offset=0x2B, Length=0x5")
                      : QStringLiteral("[File 1] Offset=42, Length=0\n[File 2] Offset=43, Length=5"));
        // The first entry is selected on opening, and with it the difference.
        EXPECT_EQ(dialog.List()->currentRow(), 0);
        dialog.List()->setCurrentRow(1);
        EXPECT_EQ(selected, diffs);

        QTest::mouseClick(dialog.CopyButton(), Qt::LeftButton);
        const std::optional<QByteArray> copied = platform::ClipboardText();
        ASSERT_TRUE(copied.has_value());
        EXPECT_EQ(*copied, head + (hex ? "1:\t[File 1] Offset=0x10, Length=0x1\r\n\t[File 2] Offset=0x10, Length=0x1\r\n"
                                         "2:\t[File 1] Offset=0x2A, Length=0x0\r\n\t[File 2] Offset=0x2B, Length=0x5\r\n"
                                       : "1:\t[File 1] Offset=16, Length=1\r\n\t[File 2] Offset=16, Length=1\r\n"
                                         "2:\t[File 1] Offset=42, Length=0\r\n\t[File 2] Offset=43, Length=5\r\n"));
    }
}

namespace {

// Two real documents, each with a real view, offered by a fake window layer.
class CompareBench : public ICompareWindows {
public:
    CompareBench(const QByteArray& a, const QByteArray& b)
    {
        for (int i = 0; i < 2; ++i) {
            const QString path = dir.filePath(i == 0 ? "one.bin" : "two.bin");
            WriteWholeFile(path, i == 0 ? a : b);
            docs[i] = std::make_unique<CBinEditDoc>();
            EXPECT_TRUE(docs[i]->OnOpenDocument(path));
            views[i] = std::make_unique<CBinEditView>(docs[i].get(), settings, ui);
            views[i]->resize(600, 300);
            views[i]->OnInitialUpdate();
        }
    }
    QStringList OpenDocumentNames() override { return {docs[0]->PathName(), docs[1]->PathName()}; }
    CBinEditView* ViewForCompare(const QString& name) override
    {
        for (int i = 0; i < 2; ++i)
            if (docs[i]->PathName() == name)
                return views[i].get();
        return nullptr;
    }
    void ArrangeForCompare(CBinEditView*, CBinEditView*, bool sideBySide) override { arranged = sideBySide ? 2 : 1; }
    QWidget* DialogParent() override { return nullptr; }

    SelectionState Selection(int i) const
    {
        const CSelectionPos& caret = views[i]->Caret();
        return {int32_t(caret.Offset()), caret.hasSelection, int32_t(caret.selStart), int32_t(caret.selEnd)};
    }

    // What the views and the command follow; the command leaves the dialog's choices here.
    AppSettings settings;
    QTemporaryDir dir;
    // Answers the command's dialogs.
    ScriptedInterface ui;
    std::unique_ptr<CBinEditDoc> docs[2];
    std::unique_ptr<CBinEditView> views[2];
    int arranged = 0;
};

QByteArray Numbered(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + i / 251) & 0xFF);
    return bytes;
}

} // namespace

TEST(CompareCommandTest, FindAllListsEveryDifferenceAndSelectsTheChosenOne)
{
    MessageRecorder messages;
    const QByteArray a = Numbered(4000);
    QByteArray b = a;
    b[100] = char(~b[100]);
    b.insert(2000, QByteArray("12345"));
    CompareBench bench(a, b);
    bench.settings.minMatchLen = 16;
    bench.settings.offsetFormat = 1;

    QString label;
    QString summary;
    std::vector<SelectionState> firstSelection;
    bench.ui.otherwise = [&](QDialog& dialog) {
        if (auto* files = qobject_cast<CCompareFilesDlg*>(&dialog)) {
            files->SideBySideBox()->setChecked(true);
            files->MinMatchEdit()->SetText(QStringLiteral("8"));
            files->accept();
            return files->result();
        }
        if (qobject_cast<CDifferenceFoundDlg*>(&dialog)) {
            firstSelection = {bench.Selection(0), bench.Selection(1)};
            return int(CDifferenceFoundDlg::FindAll);
        }
        auto* results = qobject_cast<CCompareResultsDlg*>(&dialog);
        label = results->CountLabel()->text();
        summary = results->SummaryLabel()->text();
        results->List()->setCurrentRow(1);
        return int(QDialog::Rejected);
    };
    CCompareCommand command(bench, bench.settings, bench.ui);
    command.SetEscapePoller({});
    command.Run();

    EXPECT_EQ(bench.ui.titles, QStringList({"Compare Files", "Difference Found", "File Compare Results"}));
    EXPECT_EQ(messages.Count(), 0);
    EXPECT_EQ(bench.arranged, 2);
    EXPECT_EQ(bench.settings.minMatchLen, 8);
    EXPECT_TRUE(bench.settings.sideBySide);
    EXPECT_EQ(label, QStringLiteral("&Differences (2 found):"));
    EXPECT_EQ(summary, QStringLiteral("2 differences: 1 byte differs, 0 bytes only in file 1, 5 bytes only in file 2"));
    // The first difference was selected while its dialog showed: caret at its end.
    ASSERT_EQ(firstSelection.size(), 2u);
    EXPECT_EQ(firstSelection[0].caret, 101);
    EXPECT_EQ(firstSelection[0].selStart, 100);
    // The entry chosen in the results: five inserted bytes in file 2, none in file 1.
    EXPECT_FALSE(bench.Selection(0).hasSelection);
    EXPECT_EQ(bench.Selection(0).caret, 2000);
    EXPECT_EQ(bench.Selection(1).caret, 2005);
    EXPECT_EQ(bench.Selection(1).selStart, 2000);
    EXPECT_EQ(bench.Selection(1).selEnd, 2005);
}

TEST(CompareCommandTest, IdenticalFilesMatchAndEscEndsSilentlyKeepingTheSelection)
{
    const QByteArray a = Numbered(100000);
    {
        MessageRecorder messages;
        CompareBench bench(a, a);
        bench.ui.otherwise = [](QDialog& dialog) {
            dialog.accept();
            return dialog.result();
        };
        CCompareCommand command(bench, bench.settings, bench.ui);
        command.SetEscapePoller({});
        command.Run();
        EXPECT_EQ(bench.ui.titles, QStringList({"Compare Files"}));
        EXPECT_EQ(messages.Texts(),
                  QStringList("Files match.\n\nNo differences found between \"" + bench.docs[0]->PathName() +
                              "\" and \"" + bench.docs[1]->PathName() + "\"."));
    }
    {
        MessageRecorder messages;
        QByteArray b = a;
        b[10] = 'x';
        CompareBench bench(a, b);
        bench.ui.otherwise = [](QDialog& dialog) {
            if (qobject_cast<CDifferenceFoundDlg*>(&dialog))
                return int(CDifferenceFoundDlg::FindNext);
            dialog.accept();
            return dialog.result();
        };
        CCompareCommand command(bench, bench.settings, bench.ui);
        command.SetEscapePoller([] { return true; });
        command.Run();
        // Esc during the scan for the second difference: no results, no message.
        EXPECT_EQ(bench.ui.titles, QStringList({"Compare Files", "Difference Found"}));
        EXPECT_EQ(messages.Count(), 0);
        EXPECT_EQ(bench.Selection(0).selStart, 10);
        EXPECT_EQ(bench.Selection(0).caret, 11);
    }
}

TEST(CompareCommandTest, OutOfMemoryShowsItsMessage)
{
    MessageRecorder messages;
    QByteArray a = Numbered(3000);
    QByteArray b = a;
    b.replace(100, 1000, QByteArray(1000, 'z'));
    CompareBench bench(a, b);
    bench.ui.otherwise = [](QDialog& dialog) {
        dialog.accept();
        return dialog.result();
    };
    CCompareCommand command(bench, bench.settings, bench.ui);
    command.SetEscapePoller({});
    command.SetTableMemoryLimit(64);
    command.Run();
    EXPECT_EQ(messages.Texts(),
              QStringList("There is not enough memory available to continue comparing these files.\n\nNote that "
                          "comparing very large files, especially ones that are very different, will use the most "
                          "memory and will compare the slowest. Either break up the files you are comparing or "
                          "increase the amount of available memory."));
}

// A scan stopped by Esc, in either phase, or by a lack of memory must not
// leave its "Press Esc to stop" text in the status bar.
TEST(CompareCommandTest, StoppedScanRestoresTheIdleStatusText)
{
    QStringList shown;
    platform::SetStatusTextHandler([&shown](const QString& text) { shown.append(text); });
    const QByteArray a = Numbered(100000);
    QByteArray differsEarly = a;
    differsEarly[10] = 'x';
    QByteArray unrelatedMiddle = a;
    unrelatedMiddle.replace(1000, 60000, RandomBytes(60000, 5));
    enum class Stop { EscAfterFirstDifference, EscAtOnce, OutOfMemory };
    const struct {
        const char* what;
        QByteArray b;
        Stop stop;
        QString stoppedDuring;
    } cases[] = {
        {"Esc while scanning", differsEarly, Stop::EscAfterFirstDifference,
         "Scanning for next difference...  Press Esc to stop"},
        {"Esc while resynchronising", unrelatedMiddle, Stop::EscAtOnce,
         "Scanning for next match...  Press Esc to stop"},
        {"out of memory", unrelatedMiddle, Stop::OutOfMemory, "Scanning for next match...  Press Esc to stop"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MessageRecorder messages;
        CompareBench bench(a, c.b);
        bool found = false;
        bench.ui.otherwise = [&](QDialog& dialog) {
            if (qobject_cast<CDifferenceFoundDlg*>(&dialog)) {
                found = true;
                return int(CDifferenceFoundDlg::FindNext);
            }
            dialog.accept();
            return dialog.result();
        };
        CCompareCommand command(bench, bench.settings, bench.ui);
        command.SetEscapePoller([&] {
            return c.stop == Stop::EscAtOnce || (c.stop == Stop::EscAfterFirstDifference && found);
        });
        if (c.stop == Stop::OutOfMemory)
            command.SetTableMemoryLimit(64);
        shown.clear();
        command.Run();
        EXPECT_TRUE(shown.contains(c.stoppedDuring)) << shown.join(" | ").toStdString();
        EXPECT_TRUE(!shown.isEmpty() && shown.last().isEmpty()) << shown.join(" | ").toStdString();
    }
    platform::SetStatusTextHandler({});
}

namespace {

// The command run to its end with Find All (or stopped after the first
// difference with Done), leaving its comparison behind.
void RunComparison(CompareBench& bench, CCompareCommand& command, bool findAll)
{
    for (auto& view : bench.views) {
        view->resize(600, 160);
        view->show();
    }
    bench.ui.otherwise = [findAll](QDialog& dialog) {
        if (qobject_cast<CDifferenceFoundDlg*>(&dialog))
            return findAll ? int(CDifferenceFoundDlg::FindAll) : int(QDialog::Rejected);
        if (auto* files = qobject_cast<CCompareFilesDlg*>(&dialog))
            files->MinMatchEdit()->SetText(QStringLiteral("8"));
        dialog.accept();
        return dialog.result();
    };
    command.SetEscapePoller({});
    command.Run();
}

// Three differences: a changed byte, five bytes inserted into file 2, two
// changed bytes.
std::pair<QByteArray, QByteArray> ThreeDifferences()
{
    const QByteArray a = Numbered(4000);
    QByteArray b = a;
    b[100] = char(~b[100]);
    b.insert(2000, QByteArray("12345"));
    b[3005] = char(~b[3005]);
    b[3006] = char(~b[3006]);
    return {a, b};
}

// The background of byte offset's hex cell in a view scrolled to the top.
QColor HexBackground(CBinEditView& view, int64_t offset)
{
    const RowLayout& l = view.Geometry();
    const int row = int((offset - view.Top().Offset()) / l.bytesPerRow);
    const int cell = l.hexX + l.HexCellOfByte(int(offset % l.bytesPerRow));
    const QImage image = view.viewport()->grab().toImage();
    return image.pixelColor(l.Px(cell) - view.HScroll(), row * l.lineHeight + 1);
}

} // namespace

TEST(CompareSessionTest, EveryDifferenceIsColouredAndStepsGoThroughTheWholeList)
{
    const auto [a, b] = ThreeDifferences();
    CompareBench bench(a, b);
    CCompareCommand command(bench, bench.settings, bench.ui);
    RunComparison(bench, command, true);
    CCompareSession* session = command.Session();
    ASSERT_NE(session, nullptr);
    ASSERT_TRUE(session->IsComplete());
    // The views mark what the program's marks give them.
    const CBookmarkCollection noBookmarks;
    CBookmarkMarks marks(noBookmarks);
    marks.SetComparison([&] { return command.Session(); });
    for (auto& view : bench.views)
        view->SetMarks(&marks);
    const std::vector<CompareDifference> expected = {{100, 100, 1, 1}, {2000, 2000, 0, 5}, {3000, 3005, 2, 2}};
    ASSERT_EQ(session->Differences(), expected);

    // Coloured in both windows, whichever difference is selected; the
    // neighbours keep the background.
    bench.views[0]->CaretControl().SetCaret(0, CaretMode::Move);
    bench.views[1]->CaretControl().SetCaret(0, CaretMode::Move);
    const QColor yellow(0xFF, 0xFF, 0x00);
    EXPECT_EQ(HexBackground(*bench.views[0], 100), yellow);
    EXPECT_NE(HexBackground(*bench.views[0], 99), yellow);
    EXPECT_NE(HexBackground(*bench.views[0], 101), yellow);
    EXPECT_EQ(HexBackground(*bench.views[1], 100), yellow);
    EXPECT_NE(HexBackground(*bench.views[1], 101), yellow);

    // Forward through the list and past its end, back and past its start:
    // each step selects the difference in both views (caret at its end).
    const struct {
        bool next;
        bool moved;
        int64_t caret1, caret2;
    } steps[] = {
        {true, true, 101, 101},   {true, true, 2000, 2005},  {true, true, 3002, 3007}, {true, false, 3002, 3007},
        {false, true, 2000, 2005}, {false, true, 101, 101}, {false, false, 101, 101},
    };
    for (const auto& step : steps) {
        const bool moved = step.next ? session->GoToNext(bench.views[0].get())
                                     : session->GoToPrevious(bench.views[0].get());
        EXPECT_EQ(moved, step.moved);
        EXPECT_EQ(bench.Selection(0).caret, step.caret1);
        EXPECT_EQ(bench.Selection(1).caret, step.caret2);
    }
    // From a caret the user placed in file 2: the next difference starting there or later.
    bench.views[1]->CaretControl().SetCaret(2003, CaretMode::Move);
    EXPECT_TRUE(session->GoToNext(bench.views[1].get()));
    EXPECT_EQ(bench.Selection(1).selStart, 3005);
    EXPECT_EQ(bench.Selection(0).selStart, 3000);

    // An edit drops the results: no colour, no steps.
    bench.views[0]->CaretControl().SetCaret(0, CaretMode::Move);
    ASSERT_TRUE(bench.views[0]->Edits().TypeCharacter(u'7'));
    EXPECT_FALSE(session->HasResults());
    EXPECT_TRUE(session->Differences().empty());
    EXPECT_NE(HexBackground(*bench.views[1], 100), yellow);
    EXPECT_FALSE(session->GoToNext(bench.views[0].get()));
}

TEST(CompareSessionTest, NextDifferenceScansOnWhereNoneIsKnown)
{
    const auto [a, b] = ThreeDifferences();
    CompareBench bench(a, b);
    CCompareCommand command(bench, bench.settings, bench.ui);
    RunComparison(bench, command, false);
    CCompareSession* session = command.Session();
    ASSERT_NE(session, nullptr);
    ASSERT_EQ(session->Differences().size(), 1u);
    EXPECT_FALSE(session->IsComplete());
    // From a caret past the second difference the scan goes on to the third.
    bench.views[0]->CaretControl().SetCaret(2500, CaretMode::Move);
    EXPECT_TRUE(session->GoToNext(bench.views[0].get()));
    EXPECT_EQ(session->Differences().size(), 3u);
    EXPECT_EQ(bench.Selection(0).selStart, 3000);
    EXPECT_FALSE(session->GoToNext(bench.views[0].get()));
    EXPECT_TRUE(session->IsComplete());
}

TEST(CompareSessionTest, LinkedViewsScrollTogetherUntilOneCloses)
{
    const QByteArray a = Numbered(64000);
    QByteArray b = a;
    b[40000] = 'x';
    CompareBench bench(a, b);
    CCompareCommand command(bench, bench.settings, bench.ui);
    RunComparison(bench, command, true);
    CCompareSession* session = command.Session();
    ASSERT_NE(session, nullptr);
    EXPECT_TRUE(session->Linked());
    CBinEditView& one = *bench.views[0];
    CBinEditView& two = *bench.views[1];
    const int bpr = one.BytesPerRow();

    one.SetTop(0);
    two.SetTop(0);
    QTest::keyClick(&one, Qt::Key_PageDown);
    QTest::keyClick(&one, Qt::Key_PageDown);
    ASSERT_GT(one.Top().Offset(), 0);
    EXPECT_EQ(two.Top().Offset(), one.Top().Offset());
    QTest::keyClick(&two, Qt::Key_PageDown);
    EXPECT_EQ(one.Top().Offset(), two.Top().Offset());
    const int64_t before = two.Top().Offset();
    QWheelEvent down(QPointF(10, 10), two.mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(two.viewport(), &down);
    EXPECT_GT(two.Top().Offset(), before);
    EXPECT_EQ(one.Top().Offset(), two.Top().Offset());
    two.SetTop(int32_t(20 * bpr));
    EXPECT_EQ(one.Top().Offset(), 20 * bpr);

    session->SetLinked(false);
    one.SetTop(int32_t(40 * bpr));
    EXPECT_EQ(two.Top().Offset(), 20 * bpr);
    session->SetLinked(true);

    // Closing a window ends the comparison; the other scrolls alone.
    bench.views[1].reset();
    EXPECT_EQ(command.Session(), nullptr);
    one.SetTop(0);
    EXPECT_EQ(one.Top().Offset(), 0);
}

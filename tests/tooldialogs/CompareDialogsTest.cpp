// Compare Files: its three dialogs through Qt Test, and the command end to
// end on two real documents and views.
#include "DialogTestSupport.h"
#include "MessageRecorder.h"
#include "TestFiles.h"
#include "core/BinEditDoc.h"
#include "platform/Clipboard.h"
#include "platform/CodePage.h"
#include "platform/StatusHooks.h"
#include "settings/AppSettings.h"
#include "tooldialogs/CompareCommand.h"
#include "tooldialogs/CompareFilesDlg.h"
#include "tooldialogs/CompareResultsDlg.h"
#include "tooldialogs/DifferenceFoundDlg.h"
#include "tooldialogs/IntEdit.h"
#include "tooldialogs/ToolDialogSeam.h"
#include "tools/CompareReport.h"
#include "view/BinEditView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ScopedDriver {
public:
    explicit ScopedDriver(DialogDriver driver) : previous_(SetDialogDriver(std::move(driver))) {}
    ~ScopedDriver() { SetDialogDriver(previous_); }

private:
    DialogDriver previous_;
};

class ScopedChooser {
public:
    explicit ScopedChooser(FileChooser chooser) : previous_(SetFileChooser(std::move(chooser))) {}
    ~ScopedChooser() { SetFileChooser(previous_); }

private:
    FileChooser previous_;
};

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
    CCompareFilesDlg dialog({"/data/a.bin", "/data/B.bin"}, 16, true);
    EXPECT_EQ(dialog.List(1)->currentIndex(), 0);
    EXPECT_EQ(dialog.List(2)->currentIndex(), 1);
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    EXPECT_TRUE(dialog.SideBySideBox()->isChecked());
    EXPECT_EQ(dialog.MinMatchEdit()->Text(), QStringLiteral("16"));

    dialog.List(2)->setCurrentIndex(0);
    EXPECT_FALSE(dialog.OkButton()->isEnabled());

    // Browse adds to both lists, without regard to case never twice.
    ScopedChooser chooser([](QWidget*, FileChoice, const QString&, const QString&) {
        return std::optional<QString>(QStringLiteral("/DATA/b.BIN"));
    });
    QTest::mouseClick(dialog.BrowseButton(2), Qt::LeftButton);
    EXPECT_EQ(Items(*dialog.List(1)), QStringList({"/data/a.bin", "/data/B.bin"}));
    EXPECT_EQ(dialog.List(2)->currentIndex(), 1);
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    dialog.AddFile(1, QStringLiteral("/other/c.bin"));
    EXPECT_EQ(Items(*dialog.List(2)), QStringList({"/data/a.bin", "/data/B.bin", "/other/c.bin"}));
    EXPECT_EQ(dialog.File(1), QStringLiteral("/other/c.bin"));
    EXPECT_EQ(dialog.File(2), QStringLiteral("/data/B.bin"));

    CCompareFilesDlg single({"/data/a.bin"}, 16, false);
    EXPECT_EQ(single.List(2)->currentIndex(), -1);
    EXPECT_FALSE(single.OkButton()->isEnabled());
}

TEST(CompareFilesDialogTest, OkChecksTheFilesAndTheMinimumMatchLength)
{
    MessageRecorder messages;
    struct Case {
        const char* text;
        bool accepted;
        int minMatchLen;
    };
    const std::vector<Case> cases = {{"0", false, 0},  {"16385", false, 0}, {"-3", false, 0}, {"x", false, 0},
                                     {"1", true, 1},   {"0x4000", true, 16384}, {" 040 ", true, 32}};
    for (const Case& c : cases) {
        messages.Clear();
        CCompareFilesDlg dialog({"/data/a.bin", "/data/b.bin"}, 16, false);
        dialog.MinMatchEdit()->SetText(QString::fromLatin1(c.text));
        dialog.accept();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, c.accepted) << c.text;
        if (c.accepted)
            EXPECT_EQ(dialog.MinMatchLen(), c.minMatchLen) << c.text;
        else
            EXPECT_EQ(messages.Texts(), QStringList(MinMatchRangeText())) << c.text;
    }
    EXPECT_EQ(MinMatchRangeText(), QStringLiteral("Please enter an integer between 1 and 16384."));

    messages.Clear();
    CCompareFilesDlg same({"/data/a.bin", "/data/b.bin"}, 16, false);
    same.List(2)->setCurrentIndex(0);
    same.accept();
    EXPECT_NE(same.result(), QDialog::Accepted);
    EXPECT_EQ(messages.Texts(), QStringList(CompareSameFileText()));
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
    for (bool hex : {true, false}) {
        std::vector<CompareDifference> selected;
        CCompareResultsDlg dialog("/a/one", "/b/two", diffs, hex,
                                  [&](const CompareDifference& d) { selected.push_back(d); });
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
        EXPECT_EQ(*copied, platform::ToCodePage(CompareReportText("/a/one", "/b/two", diffs, hex)));
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
            views[i] = std::make_unique<CBinEditView>(docs[i].get());
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

    QTemporaryDir dir;
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
    Settings().minMatchLen = 16;
    Settings().offsetFormat = 1;

    QStringList dialogs;
    QString label;
    std::vector<SelectionState> firstSelection;
    ScopedDriver driver([&](QDialog& dialog) {
        dialogs.append(dialog.windowTitle());
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
        results->List()->setCurrentRow(1);
        return int(QDialog::Rejected);
    });
    CCompareCommand command(bench);
    command.SetEscapePoller({});
    command.Run();

    EXPECT_EQ(dialogs, QStringList({"Compare Files", "Difference Found", "File Compare Results"}));
    EXPECT_EQ(messages.Count(), 0);
    EXPECT_EQ(bench.arranged, 2);
    EXPECT_EQ(Settings().minMatchLen, 8);
    EXPECT_TRUE(Settings().sideBySide);
    EXPECT_EQ(label, QStringLiteral("&Differences (2 found):"));
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
        QStringList dialogs;
        ScopedDriver driver([&](QDialog& dialog) {
            dialogs.append(dialog.windowTitle());
            dialog.accept();
            return dialog.result();
        });
        CCompareCommand command(bench);
        command.SetEscapePoller({});
        command.Run();
        EXPECT_EQ(dialogs, QStringList({"Compare Files"}));
        EXPECT_EQ(messages.Texts(), QStringList(FilesMatchText(bench.docs[0]->PathName(), bench.docs[1]->PathName())));
    }
    {
        MessageRecorder messages;
        QByteArray b = a;
        b[10] = 'x';
        CompareBench bench(a, b);
        QStringList dialogs;
        ScopedDriver driver([&](QDialog& dialog) {
            dialogs.append(dialog.windowTitle());
            if (qobject_cast<CDifferenceFoundDlg*>(&dialog))
                return int(CDifferenceFoundDlg::FindNext);
            dialog.accept();
            return dialog.result();
        });
        CCompareCommand command(bench);
        command.SetEscapePoller([] { return true; });
        command.Run();
        // Esc during the scan for the second difference: no results, no message.
        EXPECT_EQ(dialogs, QStringList({"Compare Files", "Difference Found"}));
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
    ScopedDriver driver([&](QDialog& dialog) {
        dialog.accept();
        return dialog.result();
    });
    CCompareCommand command(bench);
    command.SetEscapePoller({});
    command.SetTableMemoryLimit(64);
    command.Run();
    EXPECT_EQ(messages.Texts(), QStringList(CompareOutOfMemoryText()));
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
        {"Esc while scanning", differsEarly, Stop::EscAfterFirstDifference, CompareScanningStatusText()},
        {"Esc while resynchronising", unrelatedMiddle, Stop::EscAtOnce, CompareResyncStatusText()},
        {"out of memory", unrelatedMiddle, Stop::OutOfMemory, CompareResyncStatusText()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MessageRecorder messages;
        CompareBench bench(a, c.b);
        bool found = false;
        ScopedDriver driver([&](QDialog& dialog) {
            if (qobject_cast<CDifferenceFoundDlg*>(&dialog)) {
                found = true;
                return int(CDifferenceFoundDlg::FindNext);
            }
            dialog.accept();
            return dialog.result();
        });
        CCompareCommand command(bench);
        command.SetEscapePoller([&] {
            return c.stop == Stop::EscAtOnce || (c.stop == Stop::EscAfterFirstDifference && found);
        });
        if (c.stop == Stop::OutOfMemory)
            command.SetTableMemoryLimit(64);
        shown.clear();
        command.Run();
        ASSERT_TRUE(shown.contains(c.stoppedDuring)) << shown.join(" | ").toStdString();
        EXPECT_EQ(shown.last(), QString()) << shown.join(" | ").toStdString();
    }
    platform::SetStatusTextHandler({});
}

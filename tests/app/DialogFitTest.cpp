// Furniture every dialog of the program shares: the title is the dialog's own
// caption, the whole layout fits the shown window (every tab visible, no
// button or label cut short) at the normal text size and with text twice as
// large (the suite runs again at a scale factor of 2), and a Help button
// opens the dialog's page of the manual.
#include "FakeToolView.h"
#include "MessageRecorder.h"
#include "QtPrinting.h"
#include "ScriptedInterface.h"
#include "app/EditToolDlg.h"
#include "app/EditToolsDlg.h"
#include "app/FileFiltersDlg.h"
#include "app/OptionsDlg.h"
#include "app/UserTools.h"
#include "core/BinEditDoc.h"
#include "ext/TaskExtensions.h"
#include "furniture/AboutDlg.h"
#include "furniture/FilePropertiesDlg.h"
#include "furniture/HelpManual.h"
#include "furniture/ManualWindow.h"
#include "furniture/ScreenFit.h"
#include "furniture/OpenFileDialog.h"
#include "types/ValueTypeRegistry.h"
#include "modules/import/ClipboardFormatDlg.h"
#include "tests/tooldialogs/DialogTestSupport.h"
#include "tools/BookmarkCollection.h"
#include "tools/ReplaceSession.h"
#include "tools/SearchPattern.h"
#include "tooldialogs/BookmarksDlg.h"
#include "tooldialogs/ChecksumDlg.h"
#include "tooldialogs/CompareFilesDlg.h"
#include "tooldialogs/CompareResultsDlg.h"
#include "tooldialogs/DeleteDlg.h"
#include "tooldialogs/DifferenceFoundDlg.h"
#include "tooldialogs/EditBookmarkDlg.h"
#include "tooldialogs/FindDlg.h"
#include "tooldialogs/GoToDlg.h"
#include "tooldialogs/InsertDlg.h"
#include "tooldialogs/ItemList.h"
#include "tooldialogs/ModifyDlg.h"
#include "tooldialogs/ReplaceDlg.h"
#include "tooldialogs/ReplaceNextDlg.h"
#include "tooldialogs/TaskCommands.h"
#include "tooldialogs/TaskProgressDlg.h"
#include "inspect/StructureCollection.h"
#include "inspectview/EditStructureDlg.h"
#include "inspectview/ImportStructsDlg.h"
#include "inspectview/StructureCommands.h"
#include "inspectview/StructuresDlg.h"
#include "inspectview/TypextsDlg.h"
#include "view/PasteModeDlg.h"
#include "view/PrintPreviewDlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QInputDialog>
#include <QScreen>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// What the dialogs are opened on: a document, a view, the shipped modules.
struct DialogWorld {
    // What the dialogs' Help buttons and file choosers reach.
    ScriptedInterface ui;
    CBinEditDoc doc;
    FakeToolView view{doc};
    CBookmarkCollection bookmarks;
    SearchState search;
    CReplaceSession replace{doc, view, search};
    TaskExtensions tasks{QStringLiteral(VANTREL_MODULE_BIN_DIR)};
    TaskChoices taskChoices;
    ValueTypeRegistry types;
    QPrinter printer;
    std::vector<ExternalTool> tools{{"Hex dump", "xxd", "{@CurFileDir}", "-g1 {@CurFilePath}", true}};
    StructureCollection structures;
    CStructureCommands structureCommands{nullptr, structures, types, [] {}, ui};

    DialogWorld()
    {
        tasks.Load();
        // A nested structure and a variable array, so every list has entries.
        structures.Assign({{"Header", 0, {{"count", 1}, {"data", 0, true, 1, true, 0}}},
                           {"Record with a long name", 3, {{"header", StructureRef(0)}}}},
                          0, QString());
    }
};

struct DialogCase {
    QString title;
    const char* helpPage;  // the manual page its Help button opens; null: it has no Help button
    std::function<std::unique_ptr<QDialog>(DialogWorld&)> make;
};

template <typename Dialog, typename... Args>
std::function<std::unique_ptr<QDialog>(DialogWorld&)> Make(Args... args)
{
    return [=](DialogWorld&) -> std::unique_ptr<QDialog> { return std::make_unique<Dialog>(args...); };
}

// The same for a dialog that also takes the user interface.
template <typename Dialog, typename... Args>
std::function<std::unique_ptr<QDialog>(DialogWorld&)> MakeWithUi(Args... args)
{
    return [=](DialogWorld& w) -> std::unique_ptr<QDialog> { return std::make_unique<Dialog>(args..., w.ui); };
}

std::vector<DialogCase> ToolDialogs()
{
    const SelectionState caret{};
    return {
        {"Find", "find",
         [](DialogWorld& w) { return std::make_unique<CFindDlg>(FindSettings{}, ValueTypes(), w.ui); }},
        {"Replace", "find",
         [](DialogWorld& w) { return std::make_unique<CReplaceDlg>(FindSettings{}, true, ValueTypes(), w.ui); }},
        {"Replace Next", nullptr, [](DialogWorld& w) { return std::make_unique<CReplaceNextDlg>(w.replace); }},
        {"Go To", nullptr, Make<CGoToDlg>(caret, int32_t(0x100), 16)},
        {"Bookmarks", nullptr,
         [](DialogWorld& w) {
             return std::make_unique<CBookmarksDlg>(w.bookmarks, BookmarkRadixes{}, Bookmark{}, true,
                                                    BookmarkDialogHooks{}, w.ui);
         }},
        {"Add Bookmark", nullptr, Make<CEditBookmarkDlg>(true, Bookmark{"Bookmark 001", 0x10, 4}, 16, 10)},
        {"Edit Bookmark", nullptr, Make<CEditBookmarkDlg>(false, Bookmark{"Header", 0, 0x40}, 16, 16)},
        {"Modify", nullptr,
         [](DialogWorld& w) {
             return std::make_unique<CModifyDlg>(ModifyInputs{}, 16, w.view, 0, SelectionState{}, true, ValueTypes());
         }},
        {"Insert", nullptr,
         [](DialogWorld& w) {
             return std::make_unique<CInsertDlg>(InsertInputs{}, 16, w.view, 0, SelectionState{}, true, ValueTypes());
         }},
        {"Delete", nullptr,
         [](DialogWorld& w) {
             return std::make_unique<CDeleteDlg>(DeleteInputs{}, 16, w.view, 0, SelectionState{}, true, ValueTypes());
         }},
        {"Compare Files", nullptr,
         MakeWithUi<CCompareFilesDlg>(QStringList{"/tmp/a.bin", "/tmp/b.bin"}, 16, true, QStringList())},
        {"Difference Found", nullptr, Make<CDifferenceFoundDlg>(QStringLiteral("Difference found at 0x10."))},
        {"File Compare Results", "compare",
         [](DialogWorld& w) {
             return std::make_unique<CCompareResultsDlg>(
                 "/tmp/a.bin", "/tmp/b.bin", std::vector<CompareDifference>{{16, 16, 4, 0}}, true,
                 [](const CompareDifference&) {}, w.ui);
         }},
    };
}

std::vector<DialogCase> TaskDialogs()
{
    std::vector<DialogCase> cases;
    const std::pair<ChooserMode, int> choosers[] = {{ChooserMode::CopyAs, kCommandIdCopyAs},
                                                    {ChooserMode::PasteAs, kCommandIdPasteAs},
                                                    {ChooserMode::ConvertData, kCommandIdConvertData},
                                                    {ChooserMode::Checksum, kCommandIdComputeChecksum}};
    const char* const captions[] = {"Copy As", "Paste As", "Convert Data", "Checksum"};
    for (const auto& [mode, command] : choosers)
        cases.push_back({captions[int(mode)], "modules", [mode, command](DialogWorld& w) {
                             return std::make_unique<CItemList>(w.tasks, w.taskChoices, mode, command, nullptr, w.ui);
                         }});
    cases.push_back({"Checksum", nullptr, Make<CChecksumDlg>(QStringLiteral("MD5: 0123"), nullptr)});
    cases.push_back({"Running Task", nullptr, Make<CTaskProgressDlg>(QStringLiteral("SHA-1 Checksum"), nullptr)});
    cases.push_back({"Paste Raw Clipboard Data", nullptr,
                     Make<importer::CClipboardFormatDlg>(QStringList{"text/plain", "application/x-vantrel-binary"},
                                                         nullptr)});
    return cases;
}

std::vector<DialogCase> ShellDialogs()
{
    std::vector<DialogCase> cases;
    // Each page in turn is the one shown.
    for (int page = 0; page < 5; ++page)
        cases.push_back({"Options", nullptr, MakeWithUi<COptionsDlg>(OptionsState{}, page)});
    cases.push_back(
        {"Edit User Tools", nullptr, [](DialogWorld& w) { return std::make_unique<CEditToolsDlg>(w.tools, w.ui); }});
    cases.push_back({"Add User Tool", "tools", MakeWithUi<CEditToolDlg>(ExternalTool{})});
    cases.push_back({"Edit User Tool", "tools",
                     [](DialogWorld& w) { return std::make_unique<CEditToolDlg>(w.tools.front(), w.ui); }});
    cases.push_back({"Program Arguments", nullptr, [](DialogWorld&) -> std::unique_ptr<QDialog> {
                         return MakeArgumentsDialog(nullptr, "/usr/bin/xxd", "-g1 /tmp/a.bin");
                     }});
    cases.push_back({"Add File Types", nullptr, Make<CFileFiltersDlg>(FileType{}, true)});
    cases.push_back({"Edit File Types", nullptr, Make<CFileFiltersDlg>(FileType{"Executables", "*.exe;*.dll"}, false)});
    cases.push_back({"Open", nullptr,
                     [](DialogWorld&) { return std::make_unique<COpenFileDialog>(nullptr, "All Files (*)"); }});
    cases.push_back({"File Properties", nullptr,
                     Make<CFilePropertiesDlg>(FileProperties{"a.bin", "/tmp", "1,024", "1,000", "Yes", false})});
    cases.push_back({"File Properties", nullptr,
                     Make<CFilePropertiesDlg>(FileProperties{"partition-table-backup-2026-12-08.img",
                                                             "/home/user/firmware/release-candidates/2026-12-08/"
                                                             "unpacked/partitions/backups",
                                                             "2,147,483,647", "2,147,483,647", "No", true})});
    cases.push_back({"About Vantrel", nullptr, Make<CAboutDlg>(CAboutDlg::LinkOpener([](const QUrl&) {}))});
    cases.push_back({"Paste Mode", nullptr, Make<CPasteModeDlg>(PasteModeChoice{})});
    cases.push_back({"Print Preview", nullptr, [](DialogWorld& w) {
                         PrintSource source;
                         source.buffer = &w.doc.Buffer();
                         return std::make_unique<CPrintPreviewDlg>(source, w.printer);
                     }});
    cases.push_back({"Data Types", nullptr, [](DialogWorld& w) { return std::make_unique<CTypextsDlg>(w.types); }});
    return cases;
}

std::vector<DialogCase> StructureDialogs()
{
    return {
        {"Structures", "structures",
         [](DialogWorld& w) { return std::make_unique<CStructuresDlg>(w.structureCommands, true); }},
        {"Add Structure", "structures",
         [](DialogWorld& w) { return std::make_unique<CEditStructureDlg>(w.structures, w.types, -1, w.ui); }},
        {"Edit Structure", "structures",
         [](DialogWorld& w) { return std::make_unique<CEditStructureDlg>(w.structures, w.types, 1, w.ui); }},
        {"Import Structures", "structures",
         [](DialogWorld& w) { return std::make_unique<CImportStructsDlg>(w.structures, w.ui); }},
    };
}

std::vector<DialogCase> EveryDialog()
{
    std::vector<DialogCase> all;
    for (auto group : {ToolDialogs, TaskDialogs, ShellDialogs, StructureDialogs}) {
        std::vector<DialogCase> cases = group();
        all.insert(all.end(), cases.begin(), cases.end());
    }
    return all;
}

QPushButton* HelpButton(const QDialog& dialog)
{
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (QString(button->text()).remove(QLatin1Char('&')) == QLatin1String("Help"))
            return button;
    }
    return nullptr;
}

void ExpectEveryTabShown(const QDialog& dialog, const QString& title)
{
    for (const QTabBar* bar : dialog.findChildren<QTabBar*>()) {
        if (!bar->isVisible())
            continue;
        const QRect last = bar->tabRect(bar->count() - 1);
        EXPECT_LE(last.right(), bar->width()) << title.toStdString() << ": the last tab is cut off";
        for (const QAbstractButton* arrow : bar->findChildren<QAbstractButton*>())
            EXPECT_FALSE(arrow->isVisible()) << title.toStdString() << ": scroll arrows shown";
    }
}

// Buttons and one-line labels are never shown smaller than their text.
void ExpectNoTextCutShort(const QDialog& dialog, const QString& title)
{
    auto check = [&](const QWidget* w, const QString& text) {
        if (!w->isVisibleTo(&dialog) || text.isEmpty())
            return;
        const QSize needed = w->minimumSizeHint();
        EXPECT_GE(w->width(), needed.width()) << title.toStdString() << ": \"" << text.toStdString() << "\"";
        EXPECT_GE(w->height(), needed.height()) << title.toStdString() << ": \"" << text.toStdString() << "\"";
    };
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
        check(button, button->text());
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (!label->wordWrap())
            check(label, label->text());
    }
}

void ExpectFits(QDialog& dialog, const QString& title)
{
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog)) << title.toStdString();
    EXPECT_EQ(dialog.windowTitle(), title);
    EXPECT_EQ(dialog.windowHandle()->title(), title);
    const QSize hint = dialog.minimumSizeHint();
    EXPECT_LE(hint.width(), dialog.width()) << title.toStdString();
    EXPECT_LE(hint.height(), dialog.height()) << title.toStdString();
    ExpectEveryTabShown(dialog, title);
    ExpectNoTextCutShort(dialog, title);
    // For looking at them: VANTREL_DIALOG_SHOTS=folder saves every dialog as shown.
    if (const QString folder = qEnvironmentVariable("VANTREL_DIALOG_SHOTS"); !folder.isEmpty()) {
        const QString name = QString(title).remove(QLatin1Char(' ')) + QString::number(dialog.font().pointSize());
        QString path = QStringLiteral("%1/%2.png").arg(folder, name);
        for (int n = 2; QFile::exists(path); ++n)
            path = QStringLiteral("%1/%2-%3.png").arg(folder, name).arg(n);
        dialog.grab().save(path);
    }
}

class DialogFitTest : public ::testing::TestWithParam<double> {
protected:
    void SetUp() override
    {
        normalFont_ = QApplication::font();
        QFont font = normalFont_;
        font.setPointSizeF(normalFont_.pointSizeF() * GetParam());
        QApplication::setFont(font);
    }
    void TearDown() override { QApplication::setFont(normalFont_); }

    QFont normalFont_;
    DialogWorld world_;
};

TEST_P(DialogFitTest, DialogsShowTheirCaptionAndFitTheirContents)
{
    for (const DialogCase& c : EveryDialog()) {
        std::unique_ptr<QDialog> dialog = c.make(world_);
        ExpectFits(*dialog, c.title);
    }
}

// Text as on a desktop with large fonts: each point size doubled.
INSTANTIATE_TEST_SUITE_P(TextSizes, DialogFitTest, ::testing::Values(1.0, 2.0),
                         [](const auto& info) { return info.param == 1.0 ? "Normal" : "DoubleSize"; });

// Every dialog is placed and sized inside the available area of its screen.
// CTest runs this again on a small screen at 100 % and at 200 %.
TEST(DialogPlacementTest, EveryDialogIsShownInsideItsScreen)
{
    DialogWorld world;
    CScreenFit fit;
    qApp->installEventFilter(&fit);
    for (const DialogCase& c : EveryDialog()) {
        std::unique_ptr<QDialog> dialog = c.make(world);
        // Where a careless position would put it: past the bottom right.
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        dialog->move(available.center());
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get())) << c.title.toStdString();
        const QRect frame = dialog->frameGeometry();
        EXPECT_TRUE(dialog->screen()->availableGeometry().contains(frame))
            << c.title.toStdString() << ": " << frame.width() << "x" << frame.height() << " at " << frame.x() << ","
            << frame.y() << " on " << available.width() << "x" << available.height();
    }
    qApp->removeEventFilter(&fit);
}

TEST(DialogPlacementTest, FitInsideMovesThenShrinksAsAWindowManagerWould)
{
    const QRect screen(0, 0, 700, 500);
    struct Case {
        QRect frame, fitted;
    };
    const Case cases[] = {
        {{10, 20, 300, 200}, {10, 20, 300, 200}},    // inside: untouched
        {{0, 40, 450, 500}, {0, 0, 450, 500}},       // past the bottom: moved up
        {{600, 450, 300, 200}, {400, 300, 300, 200}}, // past the bottom right corner
        {{-50, -30, 300, 200}, {0, 0, 300, 200}},    // above and left
        {{100, 100, 2048, 1440}, {0, 0, 700, 500}},  // larger than the screen
        {{100, 100, 900, 1000}, {0, 0, 700, 500}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitInside(c.frame, screen), c.fitted) << c.frame.x() << "," << c.frame.y();
    // A screen that does not start at the origin.
    EXPECT_EQ(FitInside({0, 0, 200, 100}, {1400, 30, 800, 600}), QRect(1400, 30, 200, 100));
}

// With no browser on the desktop, every Help button shows its page in the
// program's manual window.
TEST(DialogHelpTest, HelpButtonsShowTheirPageOfTheManualWithoutABrowser)
{
    DialogWorld world;
    world.ui.urlsOpen = false;
    for (const DialogCase& c : EveryDialog()) {
        MessageRecorder messages;
        std::unique_ptr<QDialog> dialog = c.make(world);
        QPushButton* help = HelpButton(*dialog);
        const std::string title = c.title.toStdString();
        if (!c.helpPage) {
            EXPECT_EQ(help, nullptr) << title << " has a Help button the table does not know";
            continue;
        }
        ASSERT_NE(help, nullptr) << title;
        EXPECT_TRUE(help->isEnabled()) << title;
        QTest::mouseClick(help, Qt::LeftButton);
        CManualWindow* manual = ShownManualWindow();
        ASSERT_NE(manual, nullptr) << title << " " << messages.Last().toStdString();
        EXPECT_TRUE(manual->isVisible()) << title;
        // The built manual is in bin/manual beside the tests' folder.
        const QUrl shown = manual->Page();
        EXPECT_TRUE(shown.toLocalFile().endsWith(QStringLiteral("/manual/%1.html").arg(QLatin1String(c.helpPage))))
            << title << " " << shown.toString().toStdString();
        EXPECT_FALSE(manual->Browser()->toPlainText().isEmpty()) << title;
        EXPECT_EQ(messages.Count(), 0) << title;
        manual->close();
    }
    EXPECT_TRUE(world.ui.urls.empty());
}

// The point in the browser's viewport of the first link to `target`.
QPoint LinkPoint(QTextBrowser& browser, const QString& target)
{
    for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() != target)
                continue;
            QTextCursor cursor(browser.document());
            cursor.setPosition(fragment.position() + 1);
            return browser.cursorRect(cursor).center();
        }
    }
    return QPoint(-1, -1);
}

TEST(DialogHelpTest, TheManualWindowFollowsLinksGoesBackAndFindsInThePage)
{
    MessageRecorder messages;
    ScriptedInterface ui;
    ui.urlsOpen = false;
    ASSERT_TRUE(OpenManualPage(QStringLiteral("index"), ui));
    CManualWindow* manual = ShownManualWindow();
    ASSERT_NE(manual, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(manual));
    QTextBrowser& browser = *manual->Browser();
    EXPECT_FALSE(manual->BackButton()->isEnabled());

    const QPoint link = LinkPoint(browser, QStringLiteral("find.html"));
    ASSERT_GE(link.y(), 0) << browser.toHtml().toStdString();
    QTest::mouseClick(browser.viewport(), Qt::LeftButton, {}, link);
    EXPECT_TRUE(manual->Page().toLocalFile().endsWith("/manual/find.html")) << manual->Page().toString().toStdString();
    EXPECT_TRUE(browser.toPlainText().contains("Find and replace"));
    ASSERT_TRUE(manual->BackButton()->isEnabled());
    manual->BackButton()->click();
    EXPECT_TRUE(manual->Page().toLocalFile().endsWith("/manual/index.html"));
    ASSERT_TRUE(manual->ForwardButton()->isEnabled());
    manual->ForwardButton()->click();
    EXPECT_TRUE(manual->Page().toLocalFile().endsWith("/manual/find.html"));

    // Find in page goes round the end of the page; text it lacks is not found.
    manual->FindField()->setText(QStringLiteral("replace"));
    EXPECT_TRUE(manual->FindNext());
    EXPECT_EQ(browser.textCursor().selectedText().toLower(), "replace");
    manual->FindField()->setText(QStringLiteral("no such words here"));
    EXPECT_FALSE(manual->FindNext());

    EXPECT_EQ(messages.Count(), 0);
    EXPECT_TRUE(ui.urls.empty());
    manual->close();
}

TEST(DialogHelpTest, AMissingManualPageIsReportedByName)
{
    MessageRecorder messages;
    ScriptedInterface ui;
    EXPECT_FALSE(OpenManualPage(QStringLiteral("no-such-page"), ui));
    EXPECT_EQ(messages.Last(), QStringLiteral("The manual page no-such-page.html was not found next to the program."));
}

} // namespace

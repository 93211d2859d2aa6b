// Takes screenshots of the main window in several layouts, for people to
// look at (scripts/screenshots.sh). It runs the application object itself,
// so it can set up what a screenshot needs (a selection, a dark palette)
// without user input:
//   vantrel_screenshots OUTPUT_FOLDER FILE
#include "settings/AppSettings.h"
#include "app/BinEditApp.h"
#include "app/InspectorDock.h"
#include "app/MainFrame.h"
#include "types/ValueTypeRegistry.h"
#include "ext/TypeExtensions.h"
#include "inspect/StructureCollection.h"
#include "inspectview/DataViewDlg.h"
#include "inspectview/StructureViewDlg.h"
#include "inspectview/TypextsDlg.h"
#include "core/BinEditDoc.h"
#include "platform/InstanceChannel.h"
#include "platform/SettingsBackend.h"
#include "furniture/AppDialogs.h"
#include "furniture/CommandIcons.h"
#include "furniture/DesktopInterface.h"
#include "tooldialogs/CompareFilesDlg.h"
#include "tooldialogs/CompareResultsDlg.h"
#include "tooldialogs/DifferenceFoundDlg.h"
#include "app/CompareWindows.h"
#include "view/BinEditView.h"
#include "app/EditToolDlg.h"
#include "app/EditToolsDlg.h"
#include "app/OptionsDlg.h"
#include "app/UserTools.h"
#include "view/CaretController.h"

#include <QMenu>
#include <QTabWidget>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QCheckBox>
#include <QTimer>
#include <QTreeView>
#include <QPalette>
#include <QStyle>
#include <QTemporaryDir>
#include <QUuid>
#include <cstdio>
#include <functional>

namespace {

// The program's own dialogs, except those a shot fills in and photographs.
struct ShotInterface : CDesktopInterface {
    std::function<int(QDialog&)> driver;
    int RunDialog(QDialog& dialog) override { return driver ? driver(dialog) : CDesktopInterface::RunDialog(dialog); }
};

struct Shot {
    const char* name = "";
    std::function<void(AppSettings&)> settings = {};
    bool selection = false;
    bool dark = false;
    std::function<void(CBinEditApp&)> arrange = {};
};

QPalette DarkPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(45, 45, 48));
    p.setColor(QPalette::WindowText, QColor(220, 220, 220));
    p.setColor(QPalette::Base, QColor(30, 30, 30));
    p.setColor(QPalette::AlternateBase, QColor(45, 45, 48));
    p.setColor(QPalette::Text, QColor(220, 220, 220));
    p.setColor(QPalette::Button, QColor(60, 60, 64));
    p.setColor(QPalette::ButtonText, QColor(220, 220, 220));
    p.setColor(QPalette::Highlight, QColor(38, 79, 120));
    p.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    p.setColor(QPalette::ToolTipBase, QColor(60, 60, 64));
    p.setColor(QPalette::ToolTipText, QColor(220, 220, 220));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 120, 120));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(120, 120, 120));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(120, 120, 120));
    return p;
}

void Settle(int ms = 150)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

bool TakeShot(const Shot& shot, const QString& folder, const QString& file)
{
    // Every shot starts from a fresh store: the last one wrote its own at exit.
    QFile::remove(platform::SettingsFilePath());
    QApplication::setPalette(shot.dark ? DarkPalette() : QApplication::style()->standardPalette());

    platform::InstanceGuard guard("vantrel-shots-" + QUuid::createUuid().toString(QUuid::Id128));
    ShotInterface ui;
    CBinEditApp app(guard, MakeStandardDialogs(), ui);
    // The shot's layout replaces what the (fresh) store gave.
    if (!app.InitInstance({"vantrel", file}))
        return false;
    if (shot.settings) {
        shot.settings(app.Context().settings);
        app.RefreshAllViews(true);
    }
    CMainFrame* frame = app.MainFrame();
    frame->resize(1100, 700);
    Settle();
    if (shot.arrange) {
        shot.arrange(app);
        Settle();
    }
    if (shot.selection) {
        if (CBinEditView* view = frame->ActiveView()) {
            view->Caret().Seek(0x2A);
            view->Caret().hasSelection = true;
            view->Caret().selStart = 0x2A;
            view->Caret().selEnd = 0x7B;
            view->RepaintAll();
            emit view->statusChanged();
        }
    }
    Settle();
    const QString path = QDir(folder).filePath(QStringLiteral("%1.png").arg(QLatin1String(shot.name)));
    const bool saved = frame->grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
    frame->close();
    app.ExitInstance();
    return saved;
}

// Compare Files on the file and a copy with a changed, an inserted and a
// deleted stretch: each dialog as it opens, then the two tiled windows with
// the second difference selected.
void CompareShot(CBinEditApp& app, const QString& folder, const QString& file)
{
    QFile in(file);
    // The changed copy is made in memory: big files go without this shot.
    if (!in.open(QIODevice::ReadOnly) || in.size() > (int64_t(256) << 20)) {
        std::printf("skipped the comparison: %s is larger than 256 MiB\n", qPrintable(file));
        return;
    }
    QByteArray copy = in.readAll();
    copy.replace(0x40, 4, "DIFF");
    copy.insert(0x300, QByteArray(0x18, '\x55'));
    copy.remove(0x900, 0x20);
    const QString copyPath = QDir(folder).filePath(QStringLiteral("compare-copy.bin"));
    QFile out(copyPath);
    if (!out.open(QIODevice::WriteOnly) || out.write(copy) != copy.size())
        return;
    out.close();
    auto save = [&](QWidget& widget, const char* name) {
        widget.adjustSize();
        widget.show();
        Settle();
        const QString path = QDir(folder).filePath(QLatin1String(name));
        std::printf("%s %s\n", widget.grab().save(path) ? "wrote" : "FAILED", qPrintable(path));
    };
    ShotInterface& ui = static_cast<ShotInterface&>(app.UserInterface());
    ui.driver = [&](QDialog& dialog) {
        if (auto* files = qobject_cast<CCompareFilesDlg*>(&dialog)) {
            files->AddFile(2, copyPath);
            files->SideBySideBox()->setChecked(true);
            save(dialog, "compare-files-dialog.png");
            files->accept();
            return files->result();
        }
        if (qobject_cast<CDifferenceFoundDlg*>(&dialog)) {
            save(dialog, "difference-found-dialog.png");
            return int(CDifferenceFoundDlg::FindAll);
        }
        if (auto* results = qobject_cast<CCompareResultsDlg*>(&dialog)) {
            results->List()->setCurrentRow(1);
            save(dialog, "compare-results-dialog.png");
        }
        dialog.hide();
        return int(QDialog::Rejected);
    };
    app.MainFrame()->Compare().Run();
    ui.driver = {};
}

// The Options pages in both palettes, the two user-tool dialogs and the
// Tools menu with two tools.
bool TakeDialogShots(const QString& folder, const QString& file)
{
    QFile::remove(platform::SettingsFilePath());
    platform::InstanceGuard guard("vantrel-shots-" + QUuid::createUuid().toString(QUuid::Id128));
    CDesktopInterface ui;
    CBinEditApp app(guard, MakeStandardDialogs(), ui);
    if (!app.InitInstance({"vantrel", file}))
        return false;
    app.Context().settings.tools = {{"Compare with backup", "/usr/bin/cmp", "{@CurFileDir}", "{@CurFilePath} {@CurFilePath}.bak", false},
                        {"Hex dump", "xxd", "", "-g1 {@CurFilePath}", true}};
    bool ok = true;
    auto save = [&](QWidget& widget, const QString& name) {
        widget.show();
        Settle();
        const QString path = QDir(folder).filePath(name + ".png");
        const bool saved = widget.grab().save(path);
        std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
        ok = ok && saved;
        widget.hide();
    };
    const char* const pages[] = {"general", "display", "font", "status", "file-types"};
    for (bool dark : {false, true}) {
        QApplication::setPalette(dark ? DarkPalette() : QApplication::style()->standardPalette());
        OptionsState state;
        state.settings = app.Context().settings;
        COptionsDlg options(state, 0, ui, app.MainFrame());
        for (int page = 0; page < 5; ++page) {
            options.Tabs()->setCurrentIndex(page);
            save(options, QStringLiteral("options-%1%2").arg(pages[page]).arg(dark ? "-dark" : ""));
        }
    }
    QApplication::setPalette(QApplication::style()->standardPalette());
    CEditToolsDlg tools(app.Context().settings.tools, ui, app.MainFrame());
    save(tools, "edit-user-tools");
    CEditToolDlg tool(app.Context().settings.tools[1], ui, app.MainFrame());
    save(tool, "edit-user-tool");
    app.MainFrame()->resize(900, 500);
    app.MainFrame()->show();
    Settle();
    QMenu* menu = app.MainFrame()->findChild<QMenu*>("Tools");
    menu->popup(app.MainFrame()->mapToGlobal(QPoint(200, 40)));
    Settle();
    save(*menu, "tools-menu");
    menu->hide();
    app.MainFrame()->close();
    app.ExitInstance();
    return ok;
}

// The caret on a value, the DWord row selected and the list focused: the
// hex view highlights the inspected bytes.
void InspectDWord(CBinEditApp& app)
{
    CMainFrame* frame = app.MainFrame();
    if (CBinEditView* view = frame->ActiveView())
        view->CaretControl().SetCaret(0x44, CaretMode::Move);
    Settle();
    CDataViewDlg* page = frame->findChild<CInspectorDock*>()->DataView();
    QApplication::setActiveWindow(frame);
    frame->findChild<CInspectorDock*>()->ShowAndFocus();
    page->List().SetCurrentRow(page->RowOfType(2));
}

// The Structure View over the file's start, read as an ELF header with a
// nested identification block; the arrays open and a member selected.
void ShowStructure(CBinEditApp& app)
{
    auto member = [](const char* name, TypeRef type, int32_t length = 0) {
        return StructureMember{QString::fromLatin1(name), type, length > 0, length > 0 ? length : 1, false, 0};
    };
    app.Context().structures.Clear();
    const int ident = app.Context().structures.Add({"ElfIdent", 0,
                                        {member("magic", 10, 4), member("fileClass", 0), member("dataEncoding", 0),
                                         member("version", 0), member("osAbi", 0), member("padding", 0, 8)}});
    app.Context().structures.Add({"ElfHeader", 2,
                      {member("ident", StructureRef(ident)), member("type", 1), member("machine", 1), member("version", 2),
                       member("entry", 3), member("programHeaders", 3), member("sectionHeaders", 3), member("flags", 2),
                       member("headerSize", 1), member("programHeaderSize", 1), member("programHeaderCount", 1),
                       member("sectionHeaderSize", 1), member("sectionHeaderCount", 1), member("names", 1)}});
    CMainFrame* frame = app.MainFrame();
    CInspectorDock* dock = frame->findChild<CInspectorDock*>();
    CStructureViewDlg* page = dock->StructureView();
    page->ContextMenu().actions().at(3)->trigger();  // Automatically Expand Arrays
    page->ContextMenu().actions().at(4)->trigger();  // Hexadecimal
    dock->SelectTab(CInspectorDock::kStructureViewTab);
    if (CBinEditView* view = frame->ActiveView())
        view->CaretControl().SetCaret(0, CaretMode::Move);
    dock->StructuresChanged();
    Settle();
    QApplication::setActiveWindow(frame);
    dock->ShowAndFocus();
    const CTreeListModel& model = page->List().Model();
    page->List().SetCurrentRow(model.index(4, 0, model.index(0, 0)));
}

// The program looks for modules in its own folder, which for this driver is
// the tests folder: the built modules are loaded from the program's folder
// instead, after the application object has searched its own (finding none,
// so it leaves these types alone for the rest of the run).
void LoadBuiltTypeModules(CBinEditApp& app)
{
    static TypeExtensions built(ValueTypes(), QStringLiteral(VANTREL_MODULE_BIN_DIR));
    built.Load();
    app.MainFrame()->findChild<CInspectorDock*>()->DataView()->Refresh(app.MainFrame()->ActiveView(), true);
}

// A second document whose first bytes read as the additional modules' types
// (a Unix time, then GUID-like bytes), with the custom types open and the
// Unix time row selected; grabbed here and closed again.
void InspectMoreTypes(CBinEditApp& app, const QString& folder)
{
    const QString path = QDir(folder).filePath(QStringLiteral("more-types.bin"));
    QFile file(path);
    const unsigned char bytes[] = {0x73, 0xCA, 0x17, 0x6B, 0x21, 0x43, 0x65, 0x87, 0xA9, 0xCB, 0xED, 0x0F,
                                   0x7F, 0x00, 0x00, 0x01, 0x41, 0x42, 0x43, 0x44};
    if (!file.open(QIODevice::WriteOnly) || file.write(reinterpret_cast<const char*>(bytes), sizeof bytes) != sizeof bytes)
        return;
    file.close();
    app.OnFilesDropped({path});
    Settle();
    CMainFrame* frame = app.MainFrame();
    CDataViewDlg* page = frame->findChild<CInspectorDock*>()->DataView();
    QApplication::setActiveWindow(frame);
    frame->findChild<CInspectorDock*>()->ShowAndFocus();
    page->List().ExpandAll();
    const int unixTime = ValueTypes().Find(u"Unix Time (32-bit)", 4);
    if (unixTime >= 0) {
        page->List().SetCurrentRow(page->RowOfType(unixTime));
        page->List().List()->scrollTo(page->RowOfType(unixTime), QAbstractItemView::PositionAtTop);
    }
    Settle();
    const QString shot = QDir(folder).filePath(QStringLiteral("inspector-more-types.png"));
    std::printf("%s %s\n", frame->grab().save(shot) ? "wrote" : "FAILED", qPrintable(shot));
    app.OnFileClose();
    QFile::remove(path);
}

// The "Data Types" dialog, grabbed while it is open.
void ShowDataTypes(const QString& folder)
{
    CTypextsDlg dialog(ValueTypes());
    dialog.TypeList().setCurrentRow(12 < dialog.TypeList().count() ? 12 : 0);
    dialog.show();
    Settle();
    const QString path = QDir(folder).filePath(QStringLiteral("data-types-dialog.png"));
    std::printf("%s %s\n", dialog.grab().save(path) ? "wrote" : "FAILED", qPrintable(path));
}

// The last rows of the file with a few bytes selected there: the offset
// column and the status panes at their widest.
void SelectNearTheEnd(CBinEditApp& app)
{
    CBinEditView* view = app.MainFrame()->ActiveView();
    if (!view || !view->Document())
        return;
    const int64_t size = view->Document()->Size();
    view->CaretControl().SetCaret(std::max<int64_t>(0, size - 0x25), CaretMode::Move);
    view->CaretControl().SetCaret(std::max<int64_t>(0, size - 0x15), CaretMode::Extend);
    view->EnsureCaretVisible();
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir config;
    qputenv("VANTREL_CONFIG_DIR", config.path().toLocal8Bit());
    QApplication qtApp(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER FILE\n", argv[0]);
        return 2;
    }
    UseInstalledIconTheme();
    QApplication::setWindowIcon(ProgramIcon());
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString file = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(folder);

    // The first shot loads the built data-type modules; they stay loaded for
    // the shots after it.
    const std::vector<Shot> shots = {
        {.name = "inspector-highlight", .arrange = [&folder](CBinEditApp& app) {
             LoadBuiltTypeModules(app);
             ShowDataTypes(folder);
             InspectMoreTypes(app, folder);
             InspectDWord(app);
         }},
        {.name = "inspector-dark", .dark = true, .arrange = InspectDWord},
        {.name = "default"},
        {.name = "decimal-offsets", .settings = [](AppSettings& s) { s.offsetFormat = 0; }},
        {.name = "group-by-4", .settings = [](AppSettings& s) { s.groupBy = 2; }},
        {.name = "ascii-only", .settings = [](AppSettings& s) { s.columns = 2; }},
        {.name = "selection", .selection = true},
        {.name = "dark-palette", .selection = true, .dark = true},
        {.name = "size-bar-32-per-row", .settings = [](AppSettings& s) {
             s.showSizeBar = true;
             s.bytesPerRow = 32;
             s.groupBy = 1;
         }},
        {.name = "two-windows-tiled", .arrange = [](CBinEditApp& app) {
             app.OnFileNew();
             app.MainFrame()->OnWindowTile(Qt::Vertical);
         }},
        {.name = "compare-side-by-side", .arrange = [&](CBinEditApp& app) { CompareShot(app, folder, file); }},
        {.name = "structure-view", .arrange = ShowStructure},
        {.name = "file-end", .arrange = SelectNearTheEnd},
    };
    int failures = 0;
    for (const Shot& shot : shots)
        failures += TakeShot(shot, folder, file) ? 0 : 1;
    failures += TakeDialogShots(folder, file) ? 0 : 1;
    return failures == 0 ? 0 : 1;
}

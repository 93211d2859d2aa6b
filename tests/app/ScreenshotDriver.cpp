// Takes screenshots of the main window in several layouts, for people to
// look at (scripts/screenshots.sh). It runs the application object itself,
// so it can set up what a screenshot needs (a selection, a dark palette)
// without user input:
//   vantrel_screenshots OUTPUT_FOLDER FILE
#include "settings/AppSettings.h"
#include "app/BinEditApp.h"
#include "app/InspectorDock.h"
#include "app/MainFrame.h"
#include "inspect/ValueTypeRegistry.h"
#include "inspectview/DataViewDlg.h"
#include "inspectview/TypextsDlg.h"
#include "core/BinEditDoc.h"
#include "platform/InstanceChannel.h"
#include "platform/SettingsBackend.h"
#include "furniture/AppDialogs.h"
#include "furniture/CommandIcons.h"
#include "view/BinEditView.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTimer>
#include <QPalette>
#include <QStyle>
#include <QTemporaryDir>
#include <QUuid>
#include <cstdio>
#include <functional>

namespace {

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
    CBinEditApp app(guard, MakeStandardDialogs());
    // The shot's layout replaces what the (fresh) store gave.
    if (!app.InitInstance({"vantrel", file}))
        return false;
    if (shot.settings) {
        shot.settings(Settings());
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

// The caret on a value, the DWord row selected and the list focused: the
// hex view highlights the inspected bytes.
void InspectDWord(CBinEditApp& app)
{
    CMainFrame* frame = app.MainFrame();
    if (CBinEditView* view = frame->ActiveView())
        view->SetCaret(0x44, CaretMode::Move);
    Settle();
    CDataViewDlg* page = frame->Inspector()->DataView();
    QApplication::setActiveWindow(frame);
    frame->Inspector()->ShowAndFocus();
    page->List().SetCurrentRow(page->RowOfType(2));
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

    // The data-type modules load once per process and go with the first
    // application object, so the shots that show their types come first.
    const std::vector<Shot> shots = {
        {.name = "inspector-highlight", .arrange = [&folder](CBinEditApp& app) {
             ShowDataTypes(folder);
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
    };
    int failures = 0;
    for (const Shot& shot : shots)
        failures += TakeShot(shot, folder, file) ? 0 : 1;
    return failures == 0 ? 0 : 1;
}

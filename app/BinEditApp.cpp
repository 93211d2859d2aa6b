#include "BinEditApp.h"

#include "settings/AppSettings.h"
#include "app/BinEditFrame.h"
#include "app/ForwardMessage.h"
#include "app/MainFrame.h"
#include "app/RecentFileList.h"
#include "app/UserTools.h"
#include "settings/SettingsStore.h"
#include "core/BinEditDoc.h"
#include "ext/ExtensionRegistries.h"
#include "inspect/StructureCollection.h"
#include "inspect/StructureStore.h"
#include "types/ValueTypeRegistry.h"
#include "inspectview/StructureCommands.h"
#include "platform/BackgroundRemover.h"
#include "platform/DesktopEntry.h"
#include "platform/FileErrors.h"
#include "platform/InstanceChannel.h"
#include "platform/MessageBox.h"
#include "platform/ProcessSignals.h"
#include "platform/SettingsBackend.h"
#include "platform/StatusHooks.h"
#include "platform/TerminationSignal.h"
#include "tools/BookmarkStore.h"
#include "tooldialogs/EditingCommands.h"
#include "view/BinEditView.h"
#include "furniture/AboutDlg.h"
#include "furniture/AppDialogs.h"
#include "furniture/FileDialogFolder.h"
#include "furniture/ScreenFit.h"
#include "furniture/HelpManual.h"
#include "furniture/UserInterface.h"

#include <QApplication>
#include <QCursor>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVersionNumber>

using platform::MsgButtons;
using platform::MsgIcon;

namespace {

// The collection hooks point into an application's context; once it is gone,
// saving settings writes the stored paths back as they were.
void ForgetCollectionSettingsHooks()
{
    SettingsHooks hooks = InstalledSettingsHooks();
    hooks.reloadBookmarks = {};
    hooks.bookmarksPath = {};
    hooks.reloadStructures = {};
    hooks.structuresPath = {};
    InstallSettingsHooks(std::move(hooks));
}

} // namespace

std::optional<uint32_t> ForwardCommandLine(QLocalSocket* runningInstance, const QStringList& arguments)
{
    if (!runningInstance || arguments.size() <= 1)
        return std::nullopt;
    return platform::SendBlock(*runningInstance, BuildForwardBlock(ArgumentsForForwarding(arguments.mid(1))));
}

QString ForwardFailedText(const QStringList& arguments)
{
    QStringList names = CommandLineInfo::Parse(arguments.mid(1)).fileNames;
    if (names.isEmpty())
        names = arguments.mid(1);
    constexpr int kNamedFiles = 5;
    QString list = names.mid(0, kNamedFiles).join(QLatin1Char('\n'));
    if (names.size() > kNamedFiles)
        list += QStringLiteral("\n...and %1 more (%2 in all).").arg(names.size() - kNamedFiles).arg(names.size());
    return QStringLiteral("The running copy of Vantrel did not answer, so these files were not opened:\n\n%1").arg(list);
}

namespace {
// New windows open in the background while it lives; the last one is
// activated at the end.
class BulkOpenScope {
public:
    explicit BulkOpenScope(CMainFrame* frame) : frame_(frame)
    {
        if (frame_)
            frame_->BeginBulkOpen();
    }
    ~BulkOpenScope()
    {
        if (frame_)
            frame_->EndBulkOpen();
    }
    BulkOpenScope(const BulkOpenScope&) = delete;
    BulkOpenScope& operator=(const BulkOpenScope&) = delete;

private:
    CMainFrame* frame_;
};
} // namespace

CBinEditApp::CBinEditApp(platform::InstanceGuard& guard, std::unique_ptr<IAppDialogs> dialogs, IUserInterface& ui)
    : guard_(guard), dialogs_(std::move(dialogs)), ui_(ui), documents_(*dialogs_, context_.settings),
      forwardedFiles_([this](const QString& path) { return documents_.OpenDocumentFile(path) != nullptr; })
{
    // Forwarded files open in the background; the last window comes to the
    // front when the queue has nothing left.
    forwardedFiles_.SetRunHooks([this] { if (mainFrame_) mainFrame_->BeginBulkOpen(); },
                                  [this] { if (mainFrame_) mainFrame_->EndBulkOpen(); });
    // Every window and dialog of the program is shown inside its screen.
    if (qApp)
        qApp->installEventFilter(new CScreenFit(this));
}

CBinEditApp::~CBinEditApp()
{
    if (terminationHandlerInstalled_)
        platform::OnTerminationSignal({});
    guard_.SetReceiver({}, {});
    SetActiveDocumentFolderSource({});
    documents_.SetWindows(nullptr);
    mainFrame_.reset();
    ForgetCollectionSettingsHooks();
    platform::SetWaitCursorHandler({});
}

// ---------------------------------------------------------------- start-up

bool CBinEditApp::CheckQtVersion()
{
    // The program needs at least the Qt it was built with.
    const QVersionNumber built(QT_VERSION_MAJOR, QT_VERSION_MINOR);
    const QVersionNumber running = QVersionNumber::fromString(QString::fromLatin1(qVersion()));
    if (running.majorVersion() == built.majorVersion() && running >= built)
        return true;
    platform::ShowMessage(QStringLiteral("This program requires Qt %1 or later. You must upgrade to a newer version of Qt "
                                         "in order to run this program.")
                              .arg(built.toString()),
                          MsgButtons::Ok, MsgIcon::Error);
    return false;
}

bool CBinEditApp::InitInstance(const QStringList& arguments)
{
    // A request to end the program waits for the step that is running (a
    // message box it shows is closed); start-up then ends at the next check.
    platform::TerminationHold startingUp;
    // A file-size limit must make a save fail, not end the program.
    platform::IgnoreFileSizeLimitSignal();
    // 1. The platform check: the Qt libraries found at run time.
    if (!CheckQtVersion())
        return false;
    // 2-4. Component services and custom control classes: Qt needs no
    // registration, so these steps cannot fail here.
    platform::SetWaitCursorHandler([](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        else
            QApplication::restoreOverrideCursor();
    });

    // 5. Every setting, the collections to reload and the data-type modules.
    InstallExtensionSettingsHooks();
    InstallBookmarkSettingsHooks(context_.bookmarks);
    InstallStructureSettingsHooks(context_.structures, ValueTypes(), [] { TypeRegistry().Load(); });
    LoadSettings(context_.settings);
    if (StopStartupOnRequest())
        return false;

    // 6. A second copy hands its command line to the first and ends.
    if (!context_.settings.multipleInstances && guard_.CheckForOtherInstance()) {
        forwarded_ = ForwardToRunningCopy(arguments);
        return false;
    }

    // 7. New views start in overwrite mode.
    ApplyOverstrikeOnStartup(context_.settings);

    // 8-9. The documents have their manager already; now the main window.
    if (!CreateMainFrame())
        return false;

    // 10. The command line.
    const bool processed = ProcessStartupCommand(CommandLineInfo::Parse(arguments.mid(1)), true);
    if (StopStartupOnRequest() || !processed)
        return false;

    // 11-12. Files dropped from file managers are accepted by the main
    // window itself; show it as it was left.
    mainFrame_->ShowInitially();
    mainFrame_->UpdateCommands();
    // From now on the main window answers later copies.
    guard_.SetReceiver([this] { mainFrame_->ActivateFromOtherInstance(); },
                       [this](const QByteArray& block) { return HandleForwardedBlock(block); },
                       [this](const QByteArray& block) { RunForwardedBlock(block); });

    // 13-14. A second load does nothing when the settings loaded them already.
    TypeRegistry().Load();
    mainFrame_->RebuildInspector();

    // 15.
    startupComplete_ = true;
    return true;
}

bool CBinEditApp::ForwardToRunningCopy(const QStringList& arguments)
{
    // Without files there is nothing to lose: the contact alone activates it.
    if (arguments.size() <= 1)
        return true;
    const std::optional<uint32_t> reply = ForwardCommandLine(guard_.FoundInstance(), arguments);
    if (reply && *reply != 0)
        return true;
    platform::ShowMessage(ForwardFailedText(arguments), MsgButtons::Ok, MsgIcon::Error);
    return false;
}

bool CBinEditApp::CreateMainFrame()
{
    mainFrame_ = std::make_unique<CMainFrame>(documents_, context_, ui_);
    documents_.SetWindows(mainFrame_.get());
    mainFrame_->SetCloseQuery([this] { return SaveAllModified(); });
    // The bookmark collection joins the exit questions after the documents.
    CMainFrame* frame = mainFrame_.get();
    SetCollectionSaveHooks([frame] { return frame->StructureFiles().SaveModified(); },
                           [frame] { return frame->Editing().QuerySaveBookmarks(); });
    SetActiveDocumentFolderSource([frame] {
        const CBinEditDoc* doc = frame->ActiveDocument();
        return doc && !doc->PathName().isEmpty() ? QFileInfo(doc->PathName()).absolutePath() : QString();
    });
    connect(mainFrame_.get(), &CMainFrame::filesDropped, this, &CBinEditApp::OnFilesDropped);
    connect(mainFrame_.get(), &CMainFrame::recentFileChosen, this, &CBinEditApp::OnOpenRecentFile);
    // Coming back to the program, or to another child window, looks at the
    // file on disk once; queued, so the question follows the activation.
    const auto checkDisk = [this] { documents_.CheckChangedOnDisk(ActiveDocument()); };
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [checkDisk](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive)
                    checkDisk();
            },
            Qt::QueuedConnection);
    if (auto* area = mainFrame_->findChild<QMdiArea*>())
        connect(area, &QMdiArea::subWindowActivated, this, checkDisk, Qt::QueuedConnection);
    ConnectCommands();
    return true;
}

void CBinEditApp::ConnectCommands()
{
    CMainFrame* frame = mainFrame_.get();
    auto on = [this, frame](Cmd id, void (CBinEditApp::*handler)()) {
        connect(frame->Action(id), &QAction::triggered, this, [this, handler] {
            (this->*handler)();
            if (mainFrame_)
                mainFrame_->UpdateCommands();
        });
    };
    on(Cmd::FileNew, &CBinEditApp::OnFileNew);
    on(Cmd::FileOpen, &CBinEditApp::OnFileOpen);
    on(Cmd::FileClose, &CBinEditApp::OnFileClose);
    on(Cmd::FileCloseAll, &CBinEditApp::OnFileCloseAll);
    on(Cmd::FileSave, &CBinEditApp::OnFileSave);
    on(Cmd::FileSaveAs, &CBinEditApp::OnFileSaveAs);
    on(Cmd::FileSaveAll, &CBinEditApp::OnFileSaveAll);
    on(Cmd::FileReload, &CBinEditApp::OnFileReload);
    on(Cmd::FileProperties, &CBinEditApp::OnFileProperties);
    on(Cmd::FilePrintSetup, &CBinEditApp::OnFilePrintSetup);
    on(Cmd::FilePrint, &CBinEditApp::OnFilePrint);
    on(Cmd::FilePrintPreview, &CBinEditApp::OnFilePrintPreview);
    on(Cmd::HelpAbout, &CBinEditApp::OnAppAbout);
    on(Cmd::HelpHomePage, &CBinEditApp::OnHomePage);
    connect(frame->Action(Cmd::HelpContents), &QAction::triggered, this,
            [this] { OpenManualPage(QStringLiteral("index"), ui_); });
    on(Cmd::ToolsOptions, &CBinEditApp::OnToolsOptions);
    on(Cmd::ViewShowDash, &CBinEditApp::ToggleShowDash);
    on(Cmd::ViewShowSizeBar, &CBinEditApp::ToggleShowSizeBar);
    on(Cmd::ViewAutoFit, &CBinEditApp::ToggleSizeToFit);
    connect(frame->Action(Cmd::FileExit), &QAction::triggered, frame, &QWidget::close);
    connect(frame->Action(Cmd::ViewHexAndAscii), &QAction::triggered, this, [this] { SetColumns(3); });
    connect(frame->Action(Cmd::ViewHexOnly), &QAction::triggered, this, [this] { SetColumns(1); });
    connect(frame->Action(Cmd::ViewAsciiOnly), &QAction::triggered, this, [this] { SetColumns(2); });
    connect(frame->Action(Cmd::ViewHexOffsets), &QAction::triggered, this, [this] { SetOffsetFormat(1); });
    connect(frame->Action(Cmd::ViewDecimalOffsets), &QAction::triggered, this, [this] { SetOffsetFormat(0); });
}

bool CBinEditApp::ProcessStartupCommand(const CommandLineInfo& info, bool atStartup)
{
    switch (info.shellCommand) {
    case CommandLineInfo::FileNew:
        if (atStartup && context_.settings.newFile)
            return documents_.NewDocument() != nullptr;
        return true;
    case CommandLineInfo::FilePrint:
    case CommandLineInfo::FilePrintTo: {
        const bool named = info.shellCommand == CommandLineInfo::FilePrintTo;
        for (const QString& name : info.fileNames) {
            if (platform::TerminationPending())
                break;
            if (!PrintFromCommandLine(name, named, info.printerName))
                return false;
        }
        // Printing at start-up is all the program was asked to do.
        if (atStartup) {
            printedOnly_ = true;
            return false;
        }
        return true;
    }
    case CommandLineInfo::FileOpen: {
        int opened = 0;
        {
            BulkOpenScope bulk(mainFrame_.get());
            for (const QString& name : info.fileNames) {
                if (platform::TerminationPending())
                    break;
                if (!documents_.OpenDocumentFile(name))
                    return false;
                ++opened;
            }
        }
        if (atStartup && info.shellCommand == CommandLineInfo::FileOpen && opened > 1 && mainFrame_)
            mainFrame_->RestoreActiveChild();
        return true;
    }
    case CommandLineInfo::FileNothing:
        return true;
    }
    return true;
}

uint32_t CBinEditApp::HandleForwardedBlock(const QByteArray& block) { return ParseForwardBlock(block) ? 1 : 0; }

void CBinEditApp::RunForwardedBlock(const QByteArray& block)
{
    const std::optional<CommandLineInfo> info = ParseForwardBlock(block);
    if (!info)
        return;
    // The files open from the event loop, so a long list neither freezes
    // this window nor keeps later copies waiting.
    // Printing goes file by file through the print loop, which shows its
    // own progress.
    if (info->shellCommand != CommandLineInfo::FileOpen) {
        ProcessStartupCommand(*info, false);
    } else {
        forwardedFiles_.Add(info->fileNames, [this](int, bool) {
            if (mainFrame_)
                mainFrame_->UpdateCommands();
        });
    }
    if (mainFrame_)
        mainFrame_->UpdateCommands();
}

// ---------------------------------------------------------------- shut-down

void CBinEditApp::SetCollectionSaveHooks(std::function<bool()> structures, std::function<bool()> bookmarks)
{
    saveStructures_ = std::move(structures);
    saveBookmarks_ = std::move(bookmarks);
}

bool CBinEditApp::SaveAllModified()
{
    if (!documents_.SaveAllModified())
        return false;
    if (saveStructures_ && !saveStructures_())
        return false;
    if (saveBookmarks_ && !saveBookmarks_())
        return false;
    return true;
}

void CBinEditApp::ExitInstance()
{
    // Temporary files still being removed are waited for while a failure can
    // still be shown, so none outlives the program.
    platform::WaitForPendingRemovals();
    // The window state went to the same file when the main window closed; a
    // file that refused it refuses the rest too, and the user hears of it once.
    int writeError = mainFrame_ ? mainFrame_->WindowStateWriteError() : 0;
    if (startupComplete_) {
        const auto store = platform::OpenSettings();
        if (!SaveSettings(context_.settings, *store) && writeError == 0)
            writeError = platform::SettingsWriteError(*store);
    }
    if (writeError != 0)
        platform::ReportFileError(writeError, platform::SettingsFilePath());
    ReleaseExtensionModules();
}

// ---------------------------------------------------------------- views and settings

void CBinEditApp::RefreshAllViews(bool resetLayoutCaches)
{
    if (mainFrame_)
        for (CBinEditFrame* frame : mainFrame_->Frames())
            for (CBinEditView* view : frame->Panes())
                view->Relayout(resetLayoutCaches);
    if (mainFrame_) {
        mainFrame_->UpdateStatus();
        mainFrame_->RefreshInspector();
        mainFrame_->UpdateCommands();
    }
}

bool CBinEditApp::UpdateSendToShortcut(bool add)
{
    return add ? platform::CreateDesktopEntry(QCoreApplication::applicationFilePath()) : platform::RemoveDesktopEntry();
}

void CBinEditApp::SetColumns(int columns)
{
    context_.settings.columns = columns;
    RefreshAllViews(false);
}

void CBinEditApp::SetOffsetFormat(int format)
{
    context_.settings.offsetFormat = format;
    RefreshAllViews(false);
}

void CBinEditApp::ToggleShowDash()
{
    context_.settings.showDash = !context_.settings.showDash;
    RefreshAllViews(false);
}

void CBinEditApp::ToggleShowSizeBar()
{
    context_.settings.showSizeBar = !context_.settings.showSizeBar;
    RefreshAllViews(false);
}

void CBinEditApp::ToggleSizeToFit()
{
    context_.settings.sizeToFit = !context_.settings.sizeToFit;
    RefreshAllViews(true);
}

// ---------------------------------------------------------------- commands

CBinEditDoc* CBinEditApp::ActiveDocument() const { return mainFrame_ ? mainFrame_->ActiveDocument() : nullptr; }

void CBinEditApp::OnFileNew() { documents_.NewDocument(); }

void CBinEditApp::OnFileOpen()
{
    const std::optional<OpenFileChoice> choice =
        dialogs_->ChooseFileToOpen(mainFrame_.get(), context_.settings.fileFilters);
    if (!choice || choice->path.isEmpty())
        return;
    CBinEditDoc* document = documents_.OpenDocumentFile(choice->path);
    if (!document)
        return;
    context_.settings.readOnly = choice->readOnly;
    if (choice->readOnly) {
        document->SetReadOnly(true);
        mainFrame_->DocumentChanged(document);
    }
}

void CBinEditApp::OnOpenRecentFile(const QString& path)
{
    // A file that cannot be opened any more leaves the list.
    if (!documents_.OpenDocumentFile(path))
        RemoveFromRecentFiles(context_.settings.recentFiles, path);
}

void CBinEditApp::OnFilesDropped(const QStringList& paths)
{
    for (const QString& path : paths)
        documents_.OpenDocumentFile(path);
    if (mainFrame_)
        mainFrame_->UpdateCommands();
}

void CBinEditApp::OnFileSave()
{
    if (CBinEditDoc* document = ActiveDocument(); document && !document->IsReadOnly())
        documents_.Save(document);
}

void CBinEditApp::OnFileSaveAs()
{
    if (CBinEditDoc* document = ActiveDocument())
        documents_.SaveAs(document);
}

void CBinEditApp::OnFileSaveAll() { documents_.SaveAll(); }

void CBinEditApp::OnFileClose()
{
    if (CBinEditDoc* document = ActiveDocument())
        documents_.CloseDocument(document, true);
}

void CBinEditApp::OnFileCloseAll()
{
    // Unsaved changes are never thrown away without the question.
    documents_.CloseAll(true);
}

void CBinEditApp::OnFileReload()
{
    if (CBinEditDoc* document = ActiveDocument())
        documents_.Reload(document);
}

void CBinEditApp::OnFileProperties()
{
    if (CBinEditDoc* document = ActiveDocument())
        documents_.ShowProperties(document);
}

void CBinEditApp::OnFilePrintSetup() { dialogs_->PageSetup(mainFrame_.get(), Printer()); }

void CBinEditApp::OnAppAbout() { dialogs_->ShowAbout(mainFrame_.get()); }

void CBinEditApp::OnHomePage()
{
    if (!ui_.OpenUrl(kHomePageUrl))
        platform::ShowMessage(QStringLiteral("The web page %1 could not be opened.").arg(kHomePageUrl.toString()),
                              MsgButtons::Ok, MsgIcon::Error);
}

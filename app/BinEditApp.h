#pragma once
// The application object: start-up in its fixed order, the single-instance
// rule, the application-level commands and shut-down. It owns the documents
// (through CDocManager) and the main window.
#include "app/AppContext.h"
#include "app/CommandLineInfo.h"
#include "app/DocManager.h"
#include "app/FileOpenQueue.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

class CMainFrame;
class IAppDialogs;
class IUserInterface;
struct OptionsState;
class QLocalSocket;
namespace platform {
class InstanceGuard;
}

class CBinEditApp : public QObject {
    Q_OBJECT
public:
    // ui shows every dialog, drag and web page of the windows and commands
    // below the application; it outlives the application.
    CBinEditApp(platform::InstanceGuard& guard, std::unique_ptr<IAppDialogs> dialogs, IUserInterface& ui);
    ~CBinEditApp() override;

    // Start-up with the process's arguments (program name first). False ends
    // the process: a failed step, or the command line went to the copy
    // already running (Forwarded(); false there when it did not answer).
    bool InitInstance(const QStringList& arguments);
    // Writes the settings back, but only after a complete start-up. A
    // settings file that could not be written is reported once, by name.
    void ExitInstance();
    bool StartupComplete() const { return startupComplete_; }
    bool Forwarded() const { return forwarded_; }
    // SIGTERM and SIGINT close the program as File > Exit does, once no long
    // work is reading the documents; during start-up they end it instead.
    void InstallTerminationHandler();
    // Start-up stopped because the program was asked to end.
    bool EndedOnRequest() const { return endedOnRequest_; }

    // The save questions before the program ends: every modified document,
    // then the structure collection, then the bookmark collection. False
    // when one was cancelled.
    bool SaveAllModified();
    // The collections join the exit questions when they exist; each returns
    // false for Cancel.
    void SetCollectionSaveHooks(std::function<bool()> structures, std::function<bool()> bookmarks);

    bool ProcessStartupCommand(const CommandLineInfo& info, bool atStartup);
    // The reply to a block forwarded by another copy: 0 when refused, 1 as
    // soon as it is checked; nothing opens yet.
    uint32_t HandleForwardedBlock(const QByteArray& block);
    // Once the sender has the reply: queues the block's files (ForwardedFiles).
    void RunForwardedBlock(const QByteArray& block);
    CFileOpenQueue& ForwardedFiles() { return forwardedFiles_; }

    // Lays out and repaints every view; with resetLayoutCaches the bytes per
    // row are taken afresh from the settings.
    void RefreshAllViews(bool resetLayoutCaches);
    // The "Open With" desktop entry; false when it could not be written or removed.
    bool UpdateSendToShortcut(bool add);

    CMainFrame* MainFrame() const { return mainFrame_.get(); }
    CDocManager& Documents() { return documents_; }
    AppContext& Context() { return context_; }
    // The session's printer, made on first use.
    QPrinter& Printer();
    IAppDialogs& Dialogs() const { return *dialogs_; }
    IUserInterface& UserInterface() const { return ui_; }

    // Application-level commands.
    void OnFileNew();
    void OnFileOpen();
    void OnOpenRecentFile(const QString& path);
    void OnFilesDropped(const QStringList& paths);
    void OnFileSave();
    void OnFileSaveAs();
    void OnFileSaveAll();
    void OnFileClose();
    void OnFileCloseAll();
    void OnFileReload();
    void OnFileProperties();
    void OnFilePrintSetup();
    void OnFilePrint();
    void OnFilePrintPreview();
    // Opens, prints and closes one file of the command line: to the default
    // printer, or to printerName (a name ending in ".pdf" is a PDF file).
    bool PrintFromCommandLine(const QString& path, bool toNamedPrinter, const QString& printerName);
    // The command line only printed: the program ends without a window.
    bool PrintedOnly() const { return printedOnly_; }
    void OnAppAbout();
    void OnHomePage();
    // The Options dialog; on OK its values are applied (ApplyOptions).
    void OnToolsOptions();
    void ApplyOptions(const OptionsState& chosen);
    void SetColumns(int columns);
    void SetOffsetFormat(int format);
    void ToggleShowDash();
    void ToggleShowSizeBar();
    void ToggleSizeToFit();

private:
    bool CheckQtVersion();
    bool CreateMainFrame();
    // True when the running copy took the command line; otherwise the user
    // has been told which files were not opened.
    bool ForwardToRunningCopy(const QStringList& arguments);
    void ConnectCommands();
    CBinEditDoc* ActiveDocument() const;
    // True (and remembered) when a termination request arrived during start-up.
    bool StopStartupOnRequest();

    platform::InstanceGuard& guard_;
    std::unique_ptr<IAppDialogs> dialogs_;
    IUserInterface& ui_;
    // Declared before the main window, so the documents outlive their windows.
    AppContext context_;
    CDocManager documents_;
    CFileOpenQueue forwardedFiles_;
    std::unique_ptr<CMainFrame> mainFrame_;
    std::function<bool()> saveStructures_;
    std::function<bool()> saveBookmarks_;
    bool startupComplete_ = false;
    int optionsPage_ = 0;  // the Options page shown last
    bool forwarded_ = false;
    bool printedOnly_ = false;
    bool endedOnRequest_ = false;
    bool terminationHandlerInstalled_ = false;
};

// Sends the arguments after the program name to the running copy and returns
// its reply; nothing when there is no connection, no such argument, or no
// answer in time.
std::optional<uint32_t> ForwardCommandLine(QLocalSocket* runningInstance, const QStringList& arguments);
// What a second copy says when the running one did not take its files.
QString ForwardFailedText(const QStringList& arguments);

#pragma once
// A running application for the window tests: private settings, a private
// instance channel, scripted dialogs and recorded messages, so nothing ever
// waits for a user.
#include "settings/AppSettings.h"
#include "app/BinEditApp.h"
#include "app/MainFrame.h"
#include "platform/InstanceChannel.h"
#include "furniture/AppDialogs.h"
#include "ForwardClient.h"
#include "MessageRecorder.h"
#include "QtPrinting.h"
#include "ScriptedInterface.h"

#include <QSettings>
#include <QTemporaryDir>
#include <deque>
#include <gtest/gtest.h>
#include <memory>

class ScriptedDialogs : public IAppDialogs {
public:
    std::deque<std::optional<OpenFileChoice>> openAnswers;
    std::deque<std::optional<QString>> saveAsAnswers;
    std::deque<std::optional<bool>> propertiesAnswers;
    // The print dialog's answer: print into a PDF file, of the selection or
    // of everything, or pages firstPage to lastPage as typed into the page
    // fields of 64 bits; nothing cancels.
    struct PrintAnswer {
        QString pdfPath;
        bool selection = false;
        int64_t firstPage = 0;
        int64_t lastPage = 0;
    };
    std::deque<std::optional<PrintAnswer>> printAnswers;
    QList<bool> printSelectionOffered;
    // The pages of the whole document each answered print dialog was told of, on its PDF printer.
    QList<int64_t> printPageCounts;
    // The page orientation each print dialog met.
    QList<QPageLayout::Orientation> printOrientations;

    int openAsked = 0;
    QStringList saveAsSuggested;
    QList<FileProperties> propertiesShown;
    int aboutShown = 0;
    int pageSetupShown = 0;

    std::optional<OpenFileChoice> ChooseFileToOpen(QWidget*, const QString&) override;
    std::optional<QString> ChooseSaveAsPath(QWidget*, const QString& suggestedPath, const QString&) override;
    std::optional<bool> EditFileProperties(QWidget*, const FileProperties& properties) override;
    void ShowAbout(QWidget*) override { ++aboutShown; }
    // The page setup turns the page to landscape.
    void PageSetup(QWidget*, QPrinter& printer) override
    {
        ++pageSetupShown;
        printer.setPageOrientation(QPageLayout::Landscape);
    }
    bool ChoosePrintOptions(QWidget*, QPrinter& printer, bool hasSelection, const PrintPageCounter& pageCount,
                            PageSpan& pages) override;
};

// The real program run with this test's settings and its messages written
// to a file. It waits (generously) without running this process's event
// loop, so a copy living in this process does not answer meanwhile.
struct ProgramRun {
    bool finished = false;
    int exitCode = -1;
    QString messages;
};
ProgramRun RunProgram(const QStringList& arguments, const QString& log);

class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts a copy with these arguments after the program name. With
    // defaultChannel the copy uses the channel name real copies use.
    bool Start(const QStringList& arguments = {}, bool defaultChannel = false);
    // Ends it as the user would: the main window closes (its save questions
    // may keep it open), then the application exits.
    bool CloseMainWindow();
    void Exit();

    QString MakeFile(const QString& name, const QByteArray& bytes);
    // A value in the settings store's "Settings" section.
    void Store(const QString& key, const QVariant& value);
    QVariant Stored(const QString& key) const;

    CMainFrame* Frame() const { return app_->MainFrame(); }
    // A part of the main window as the user meets it: by its type and, where
    // several share one (menus, tool bars), by its name.
    template <typename T>
    T* Part(const QString& name = QString()) const
    {
        return Frame()->findChild<T*>(name);
    }
    CDocManager& Docs() const { return app_->Documents(); }
    AppContext& Context() const { return app_->Context(); }
    CBinEditDoc* ActiveDoc() const { return Frame()->ActiveDocument(); }
    void Trigger(Cmd id) const;
    // Opens the Bookmarks dialog and saves the collection into path with it.
    void SaveBookmarksThroughTheDialog(const QString& path);
    // The main window's title once pending updates have run.
    QString MainTitle() const;

    MessageRecorder messages_;
    QTemporaryDir files_;
    // The windows' and commands' dialogs, file choosers, drags and web pages;
    // past the script they are cancelled.
    ScriptedInterface ui_;
    ScriptedDialogs* dialogs_ = nullptr;
    std::unique_ptr<platform::InstanceGuard> guard_;
    std::unique_ptr<CBinEditApp> app_;
};

// Where the program's real file dialogs start: in the active document's
// folder, and without a document in the folder the last dialog chose a file
// in. Each dialog is opened as its command opens it and looked at while it
// waits for the user.
#include "settings/AppSettings.h"
#include "furniture/AppDialogs.h"
#include "furniture/DesktopInterface.h"
#include "furniture/FileDialogFolder.h"
#include "inspectview/StructureCommands.h"
#include "tooldialogs/EditingCommands.h"
#include "tooldialogs/TaskCommands.h"
#include "view/TransferDialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs `open`, which shows a modal file dialog, and hands that dialog to
// `answer` once it waits for the user.
void WhileOpen(const std::function<void()>& open, const std::function<void(QFileDialog&)>& answer)
{
    bool answered = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || answered)
            return;
        answered = true;
        answer(*dialog);
    });
    poll.start(10);
    open();
    EXPECT_TRUE(answered) << "no file dialog opened";
}

struct DialogCase {
    const char* name;
    std::function<void()> open;
};

std::vector<DialogCase> EveryFileDialog(IAppDialogs& dialogs, IUserInterface& ui)
{
    const QString filters = QStringLiteral("All Files (*)|*||");
    const auto choose = [&ui](const FileRequest& request) {
        return [&ui, request] { ui.ChooseFile(nullptr, request); };
    };
    return {
        {"Open", [&dialogs, filters] { dialogs.ChooseFileToOpen(nullptr, filters); }},
        {"Save As", [&dialogs, filters] { dialogs.ChooseSaveAsPath(nullptr, QStringLiteral("Untitled"), filters); }},
        {"Export", choose(TaskFileRequest(FileChoice::Save, "Export", {"Text (*.txt)"}, 1))},
        {"Import", choose(TaskFileRequest(FileChoice::Open, "Import", {"Text (*.txt)"}, 1))},
        {"Copy to File", choose(TransferFileRequest(TransferDialog::CopyToFile, AppSettings().fileFilters))},
        {"Paste from File", choose(TransferFileRequest(TransferDialog::PasteFromFile, AppSettings().fileFilters))},
        {"Load Bookmark Collection", choose(BookmarkFileRequest(FileChoice::Open, "Load Bookmark Collection", {}))},
        {"Save Bookmark Collection", choose(BookmarkFileRequest(FileChoice::Save, "Save Bookmark Collection", {}))},
        {"Load Structure Collection", choose(StructureFileRequest(FileChoice::Open, "Load Structure Collection", {}))},
        {"Save Structure Collection", choose(StructureFileRequest(FileChoice::Save, "Save Structure Collection", {}))},
    };
}

TEST(FileDialogFolderTest, EveryFileDialogStartsInTheActiveDocumentsFolderElseTheLastOneUsed)
{
    QTemporaryDir documentFolder;
    QTemporaryDir usedFolder;
    QFile chosen(usedFolder.filePath(QStringLiteral("chosen.bin")));
    ASSERT_TRUE(chosen.open(QIODevice::WriteOnly));
    chosen.close();
    const std::unique_ptr<IAppDialogs> dialogs = MakeStandardDialogs();
    CDesktopInterface desktop;

    // No document: a file chosen in one folder makes it the next start.
    SetActiveDocumentFolderSource([] { return QString(); });
    WhileOpen([&] { dialogs->ChooseFileToOpen(nullptr, QStringLiteral("All Files (*)|*||")); },
              [&](QFileDialog& dialog) {
                  dialog.setDirectory(usedFolder.path());
                  dialog.selectFile(chosen.fileName());
                  static_cast<QDialog&>(dialog).accept();  // as the Open button does
              });
    for (const DialogCase& c : EveryFileDialog(*dialogs, desktop)) {
        WhileOpen(c.open, [&](QFileDialog& dialog) {
            EXPECT_EQ(dialog.directory().absolutePath(), QDir(usedFolder.path()).absolutePath()) << c.name;
            dialog.reject();
        });
    }

    // With a document active, its folder wins.
    SetActiveDocumentFolderSource([&] { return documentFolder.path(); });
    for (const DialogCase& c : EveryFileDialog(*dialogs, desktop)) {
        WhileOpen(c.open, [&](QFileDialog& dialog) {
            EXPECT_EQ(dialog.directory().absolutePath(), QDir(documentFolder.path()).absolutePath()) << c.name;
            dialog.reject();
        });
    }
    SetActiveDocumentFolderSource({});
}

} // namespace

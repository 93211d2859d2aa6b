// Files whose names are not UTF-8, reached through the program's own file
// dialogs, the recent-file list and File Properties: the toolkit cannot list
// or find such names, so every entry point must carry the exact bytes.
#include "settings/AppSettings.h"
#include "DocumentBytes.h"
#include "AppTestSupport.h"
#include "TestFiles.h"
#include "core/BinEditDoc.h"
#include "furniture/AnyNameFileDialog.h"
#include "platform/FileNames.h"
#include "platform/SettingsBackend.h"
#include "furniture/DesktopInterface.h"
#include "inspectview/StructureCommands.h"
#include "tooldialogs/EditingCommands.h"
#include "tooldialogs/TaskCommands.h"
#include "view/TransferDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

namespace {

void PressAccept(QFileDialog& dialog)
{
    auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    QPushButton* accept = buttons ? buttons->button(dialog.acceptMode() == QFileDialog::AcceptSave
                                                         ? QDialogButtonBox::Save
                                                         : QDialogButtonBox::Open)
                                  : nullptr;
    if (!accept || !accept->isEnabled()) {
        ADD_FAILURE() << "the accept button is disabled";
        dialog.reject();
        return;
    }
    // The toolkit's own box ("File not found") would wait for a user.
    QTimer::singleShot(0, [] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                ADD_FAILURE() << "the toolkit said: " << box->text().toStdString();
                box->reject();
            }
    });
    accept->click();
    if (dialog.isVisible()) {
        ADD_FAILURE() << "the dialog stayed open";
        dialog.reject();
    }
}

// Runs drive on the file dialog about to open; a dialog of another kind is
// cancelled, so a failing test never waits for a user.
void DriveNextFileDialog(std::function<void(CAnyNameFileDialog&)> drive)
{
    QTimer::singleShot(0, [drive] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<CAnyNameFileDialog*>(modal)) {
            drive(*dialog);
        } else {
            ADD_FAILURE() << "no file dialog of the program opened";
            if (auto* other = qobject_cast<QDialog*>(modal))
                other->reject();
        }
    });
}

// Picks the file from the box of names the list above cannot show.
void ChooseUnlisted(CAnyNameFileDialog& dialog, const QString& folder, const QString& shown)
{
    dialog.setDirectory(folder);
    QComboBox* box = dialog.OtherFilesBox();
    // Only names of the file type shown, as the list above shows them.
    const QString type = dialog.selectedNameFilter().section("(*", 1).section(')', 0, 0);
    for (int i = 0; i < box->count() && !type.contains('*'); ++i)
        EXPECT_TRUE(box->itemText(i).endsWith(type)) << box->itemText(i).toStdString() << " offered for " << type.toStdString();
    const int index = box->findText(shown);
    EXPECT_GE(index, 0) << "not offered: " << shown.toStdString();
    EXPECT_TRUE(box->isVisibleTo(&dialog));
    box->setCurrentIndex(index);
    emit box->activated(index);
    PressAccept(dialog);
}

// The Import or Export dialog with the second of two file types preselected;
// the type comes back as chosen.
std::optional<QString> ChooseTaskFileOfType(IUserInterface& ui, FileChoice kind)
{
    const FileRequest request = TaskFileRequest(kind, "Task File", {"Text Files (*.txt)", "Hex Files (*.hex)"}, 2);
    const std::optional<FileAnswer> answer = ui.ChooseFile(nullptr, request);
    if (!answer)
        return std::nullopt;
    EXPECT_EQ(answer->filter, request.nameFilters[1]);
    return answer->path;
}

} // namespace

class FileNameBytesTest : public AppTest {
protected:
    void TearDown() override
    {
        // QTemporaryDir cannot remove what the toolkit cannot name.
        for (const QByteArray& path : made_)
            ::unlink(path.constData());
        for (auto folder = madeFolders_.rbegin(); folder != madeFolders_.rend(); ++folder)
            ::rmdir(folder->constData());
        AppTest::TearDown();
    }
    QString MakeRaw(const QByteArray& name, const QByteArray& contents)
    {
        const QByteArray path = platform::EncodeFileName(files_.path()) + "/" + name;
        WriteRawFile(path, contents);
        made_.append(path);
        return platform::DecodeFileName(path);
    }
    void MakeRawFolder(const QByteArray& name)
    {
        const QByteArray path = platform::EncodeFileName(files_.path()) + "/" + name;
        ASSERT_EQ(::mkdir(path.constData(), 0755), 0) << name.toStdString();
        madeFolders_.append(path);
    }
    static QString Shown(const QString& path) { return platform::DisplayFileName(path.mid(path.lastIndexOf('/') + 1)); }

    QList<QByteArray> made_;
    QList<QByteArray> madeFolders_;
};

TEST_F(FileNameBytesTest, TheOpenDialogAndTheRecentListOpenTheFileByItsBytes)
{
    const QString first = MakeRaw("a\xff" "b.bin", "first file");
    const QString second = MakeRaw("\xc3\x28.bin", "second file");
    ASSERT_TRUE(Start());
    const std::unique_ptr<IAppDialogs> real = MakeStandardDialogs();
    for (const QString& path : {first, second}) {
        DriveNextFileDialog([&](CAnyNameFileDialog& dialog) { ChooseUnlisted(dialog, files_.path(), Shown(path)); });
        const std::optional<OpenFileChoice> choice = real->ChooseFileToOpen(Frame(), Context().settings.fileFilters);
        ASSERT_TRUE(choice.has_value()) << Shown(path).toStdString();
        EXPECT_EQ(platform::EncodeFileName(choice->path), platform::EncodeFileName(path));
        dialogs_->openAnswers.push_back(choice);
        Trigger(Cmd::FileOpen);
        ASSERT_NE(ActiveDoc(), nullptr);
        EXPECT_EQ(platform::EncodeFileName(ActiveDoc()->PathName()), platform::EncodeFileName(path));
        EXPECT_TRUE(MainTitle().contains(Shown(path))) << MainTitle().toStdString();
    }
    EXPECT_EQ(DocumentBytes(*Docs().FindByPath(first)), "first file");
    EXPECT_EQ(DocumentBytes(*Docs().FindByPath(second)), "second file");
    EXPECT_TRUE(messages_.Messages().empty()) << messages_.Last().toStdString();

    // The list comes back from the settings file itself: its time is moved
    // back, so the store does not answer from what it wrote in memory.
    Exit();
    const QByteArray ini = QFile::encodeName(platform::SettingsFilePath());
    const utimbuf past{1000000000, 1000000000};
    ASSERT_EQ(::utime(ini.constData(), &past), 0);
    ASSERT_TRUE(Start());
    ASSERT_EQ(Context().settings.recentFiles.size(), 2);
    EXPECT_EQ(platform::EncodeFileName(Context().settings.recentFiles[0]), platform::EncodeFileName(second));
    EXPECT_EQ(platform::EncodeFileName(Context().settings.recentFiles[1]), platform::EncodeFileName(first));
    QAction* recent = nullptr;
    for (QAction* action : Frame()->findChildren<QAction*>())
        if (action->text().startsWith("&2 "))
            recent = action;
    ASSERT_NE(recent, nullptr);
    EXPECT_TRUE(recent->text().endsWith(Shown(first))) << recent->text().toStdString();
    EXPECT_FALSE(platform::HasBytesOutsideUtf8(recent->text())) << "the menu shows a readable name";
    recent->trigger();
    ASSERT_NE(ActiveDoc(), nullptr);
    EXPECT_EQ(DocumentBytes(*ActiveDoc()), "first file");
    EXPECT_TRUE(messages_.Messages().empty()) << messages_.Last().toStdString();

    Trigger(Cmd::FileProperties);
    ASSERT_FALSE(dialogs_->propertiesShown.isEmpty());
    EXPECT_EQ(dialogs_->propertiesShown.last().name, Shown(first));
    EXPECT_EQ(dialogs_->propertiesShown.last().location, platform::DisplayFileName(files_.path()));

    // Save As onto itself, through the real dialog, then Reload: still the
    // one file, never a second one under a mangled name.
    CBinEditDoc* doc = ActiveDoc();
    CBufferPos at;
    at.Bind(&doc->Buffer(), false, 0);
    at.Write("F", 1);
    at.Unbind();
    doc->SetModifiedFlag(true);
    messages_.Answer(platform::MsgResult::Yes);
    DriveNextFileDialog([](CAnyNameFileDialog& dialog) { PressAccept(dialog); });
    dialogs_->saveAsAnswers.push_back(real->ChooseSaveAsPath(Frame(), doc->PathName(), Context().settings.fileFilters));
    Trigger(Cmd::FileSaveAs);
    EXPECT_EQ(messages_.Texts(), QStringList{QString("%1 already exists.\nDo you want to replace it?").arg(Shown(first))});
    Trigger(Cmd::FileReload);
    ASSERT_NE(ActiveDoc(), nullptr);
    EXPECT_EQ(DocumentBytes(*ActiveDoc()), "First file");
    EXPECT_EQ(RawFolderEntries(files_.path()).size(), 2) << "saved under another name";
    Exit();
}

// Every file chooser of the program, for a file that exists under a name
// that is not UTF-8: choosing it gives its exact name, and replacing it is
// asked about as for any other existing file.
TEST_F(FileNameBytesTest, EveryFileChooserGivesTheExactNameOfAnUnlistedFile)
{
    const std::unique_ptr<IAppDialogs> real = MakeStandardDialogs();
    CDesktopInterface desktop;
    const auto choose = [&desktop](const FileRequest& request) { return desktop.ChooseFilePath(nullptr, request); };
    const QString replace = QStringLiteral("%1 already exists.\nDo you want to replace it?");
    struct EntryPoint {
        const char* what;
        QByteArray name;
        bool pickFromBox;  // or accept the name the program suggested
        bool asksToReplace;
        std::function<std::optional<QString>(const QString& path)> choose;
    };
    const EntryPoint entries[] = {
        {"Open", "open\xff.bin", true, false,
         [&](const QString&) {
             const auto choice = real->ChooseFileToOpen(nullptr, QStringLiteral("All Files (*.*)|*.*||"));
             return choice ? std::optional<QString>(choice->path) : std::nullopt;
         }},
        {"Save As", "save\xc3\x28.bin", false, true,
         [&](const QString& path) {
             return real->ChooseSaveAsPath(nullptr, path, QStringLiteral("All Files (*.*)|*.*||"));
         }},
        {"Load Bookmark Collection", "marks\xfe.bmk", true, false,
         [&](const QString&) { return choose(BookmarkFileRequest(FileChoice::Open, "Load Bookmark Collection", {})); }},
        {"Save Bookmark Collection", "marks\xfd.bmk", false, true,
         [&](const QString& path) {
             return choose(BookmarkFileRequest(FileChoice::Save, "Save Bookmark Collection", path));
         }},
        {"Load Structure Collection", "types\xff.str", true, false,
         [&](const QString&) {
             return choose(StructureFileRequest(FileChoice::Open, "Load Structure Collection", {}));
         }},
        {"Paste from File", "paste\xfe.bin", true, false,
         [&](const QString&) {
             return choose(TransferFileRequest(TransferDialog::PasteFromFile, AppSettings().fileFilters));
         }},
        {"Copy to File", "copy\xfd.bin", true, true,
         [&](const QString&) { return choose(TransferFileRequest(TransferDialog::CopyToFile, AppSettings().fileFilters)); }},
        // The preselected file type decides which names the box offers.
        {"Import", "import\xff.hex", true, false,
         [&](const QString&) { return ChooseTaskFileOfType(desktop, FileChoice::Open); }},
        {"Export", "export\xc3\x28.hex", true, true,
         [&](const QString&) { return ChooseTaskFileOfType(desktop, FileChoice::Save); }},
    };
    for (const EntryPoint& entry : entries) {
        const QString path = MakeRaw(entry.name, "x");
        messages_.Clear();
        if (entry.asksToReplace)
            messages_.Answer(platform::MsgResult::Yes);
        DriveNextFileDialog([&](CAnyNameFileDialog& dialog) {
            if (entry.pickFromBox)
                ChooseUnlisted(dialog, files_.path(), Shown(path));
            else
                PressAccept(dialog);
        });
        const std::optional<QString> chosen = entry.choose(path);
        ASSERT_TRUE(chosen.has_value()) << entry.what;
        EXPECT_EQ(platform::EncodeFileName(*chosen), platform::EncodeFileName(path)) << entry.what;
        const QStringList asked = entry.asksToReplace ? QStringList{replace.arg(Shown(path))} : QStringList();
        EXPECT_EQ(messages_.Texts(), asked) << entry.what;
    }
}

// Folders whose names are not UTF-8 cannot be entered in the toolkit's list:
// the box lists them, enters them, goes back up with "../", and a file chosen
// in one comes back by its exact name.
TEST_F(FileNameBytesTest, TheBoxEntersFoldersTheListCannotShow)
{
    for (const char* name : {"sub\xff", "sub\xff/deeper\xfd", "plain dir"})
        MakeRawFolder(name);
    for (const char* name : {"top\xfe.bin", "sub\xff/in\xfe.bin", "sub\xff/.hidden", "sub\xff/deeper\xfd/x.bin"})
        MakeRaw(name, "x");
    struct Step {
        QString activate;
        QStringList offered;  // the box afterwards
    };
    const QString bad(QChar::ReplacementCharacter);
    const QStringList top = {"sub" + bad + "/", "top" + bad + ".bin"};
    const QStringList inSub = {"../", "deeper" + bad + "/", "in" + bad + ".bin"};
    const Step steps[] = {
        {QString(), top},           {"sub" + bad + "/", inSub}, {"deeper" + bad + "/", {"../", "x.bin"}},
        {"../", inSub},             {"../", top},               {"sub" + bad + "/", inSub},
        {"in" + bad + ".bin", inSub},
    };
    DriveNextFileDialog([&](CAnyNameFileDialog& dialog) {
        dialog.setDirectory(files_.path());
        QComboBox* box = dialog.OtherFilesBox();
        for (const Step& step : steps) {
            SCOPED_TRACE(step.activate.toStdString());
            if (!step.activate.isEmpty()) {
                const int index = box->findText(step.activate);
                ASSERT_GE(index, 0);
                box->setCurrentIndex(index);
                emit box->activated(index);
            }
            QStringList offered;
            for (int i = 0; i < box->count(); ++i)
                offered << box->itemText(i);
            EXPECT_EQ(offered, step.offered);
        }
        box->hidePopup();
        PressAccept(dialog);
    });
    const std::unique_ptr<IAppDialogs> real = MakeStandardDialogs();
    const std::optional<OpenFileChoice> choice = real->ChooseFileToOpen(nullptr, QStringLiteral("All Files (*.*)|*.*||"));
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(platform::EncodeFileName(choice->path), platform::EncodeFileName(files_.path()) + "/sub\xff/in\xfe.bin");
}

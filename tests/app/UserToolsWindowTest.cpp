// User tools through the running program: the two dialogs, the Tools menu,
// the settings file, and real tools started with their arguments.
#include "AppTestSupport.h"
#include "TestFiles.h"
#include "app/EditToolDlg.h"
#include "app/EditToolsDlg.h"
#include "app/UserTools.h"
#include "settings/SettingsStore.h"
#include "platform/FileNames.h"
#include "platform/SettingsBackend.h"
#include "view/BinEditView.h"
#include "view/CaretController.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <csignal>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class UserToolsTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        ui_.otherwise = {};  // every dialog is scripted
    }

    // The texts of the Tools menu as it shows.
    QStringList ToolsMenuTexts() const
    {
        emit Part<QMenu>("Tools")->aboutToShow();
        QStringList texts;
        for (QAction* action : Part<QMenu>("Tools")->actions())
            if (!action->isSeparator())
                texts << action->text();
        return texts;
    }

    void RunFromMenu(const QString& text) const
    {
        emit Part<QMenu>("Tools")->aboutToShow();
        for (QAction* action : Part<QMenu>("Tools")->actions())
            if (action->text() == text) {
                action->trigger();
                return;
            }
        ADD_FAILURE() << "no menu item " << text.toStdString();
    }

    // A script that writes its working directory and then each argument in
    // brackets to record.txt beside it.
    QString MakeRecorder()
    {
        const QString script = files_.filePath("tools dir/record 'it'.sh");
        QDir().mkpath(files_.filePath("tools dir"));
        QFile file(script);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\nout=\"$(dirname \"$0\")/record.txt\"\n{ pwd; for a in \"$@\"; do printf '[%s]\\n' "
                   "\"$a\"; done; } > \"$out.part\"\nmv \"$out.part\" \"$out\"\n");
        file.close();
        file.setPermissions(file.permissions() | QFile::ExeOwner);
        return script;
    }

    // What the recorder wrote, once it has.
    QStringList Recorded() const
    {
        const QString path = files_.filePath("tools dir/record.txt");
        QFile file(path);
        for (int i = 0; i < 500 && !file.exists(); ++i)
            QTest::qWait(10);
        if (!file.open(QIODevice::ReadOnly))
            return {"<nothing recorded>"};
        QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
        lines.removeLast();
        file.remove();
        return lines;
    }
};

ExternalTool Tool(const QString& title, const QString& command, const QString& arguments = QString(),
                  const QString& dir = QString(), bool prompt = false)
{
    return {title, command, dir, arguments, prompt};
}

} // namespace

TEST_F(UserToolsTest, MenuShowsToolsBeforeEditUserToolsAndMarksPrompting)
{
    ASSERT_TRUE(Start());
    Context().settings.tools = {Tool("Diff", "/usr/bin/cmp"), Tool("Ask", "/bin/echo", "", "", true)};
    const QStringList texts = ToolsMenuTexts();
    ASSERT_GE(texts.size(), 3);
    EXPECT_EQ(texts.mid(texts.size() - 3), QStringList({"Diff", "Ask...", "&Edit User Tools..."}));
    Context().settings.tools.pop_back();
    EXPECT_EQ(ToolsMenuTexts().mid(texts.size() - 3), QStringList({"Diff", "&Edit User Tools..."}))
        << "the menu is refilled each time it shows";
    EXPECT_EQ(Frame()->Action(Cmd::ToolsEditUserTools)->statusTip(), "Modify the list of user tools");
}

TEST_F(UserToolsTest, EditToolRulesAndMacroMenus)
{
    ASSERT_TRUE(Start());
    ui_.Then([this](QDialog& dialog) {
        auto& list = static_cast<CEditToolsDlg&>(dialog);
        ui_.Then([this](QDialog& dialog) {
            auto& d = static_cast<CEditToolDlg&>(dialog);
            EXPECT_EQ(dialog.windowTitle(), "Add User Tool");
            d.TitleEdit()->setText("   ");
            d.accept();
            EXPECT_EQ(messages_.Last(), "You must enter a title for this tool.");
            d.TitleEdit()->setText("  Hex dump ");
            d.accept();
            EXPECT_EQ(messages_.Last(), "You must enter a command for this tool.");
            d.CommandEdit()->setText(" xxd ");
            d.ArgumentsEdit()->setText("-g1  end");
            d.ArgumentsEdit()->setCursorPosition(4);
            QStringList items;
            for (QAction* action : d.ArgumentMacros()->actions())
                items << action->text();
            EXPECT_EQ(items, QStringList({"&Full Path of Current File", "&Name of Current File", "&Extension of Current File",
                                          "&Directory of Current File", "&Selected Text"}));
            d.ArgumentMacros()->actions()[0]->trigger();
            d.DirectoryMacros()->actions()[1]->trigger();
            d.PromptBox()->setChecked(true);
            d.accept();
            EXPECT_EQ(d.TitleEdit()->text(), "Hex dump") << "shown trimmed";
            return dialog.result();
        });
        list.AddButton()->click();
        EXPECT_EQ(list.List()->currentItem()->text(), "Hex dump");
        return int(QDialog::Accepted);
    });
    Trigger(Cmd::ToolsEditUserTools);
    ASSERT_EQ(Context().settings.tools.size(), 1u);
    EXPECT_EQ(Context().settings.tools[0], Tool("Hex dump", "xxd", "-g1 {@CurFilePath} end", "{@ActiveDir}", true));
    EXPECT_EQ(ui_.titles, QStringList({"Edit User Tools", "Add User Tool"}));
}

TEST_F(UserToolsTest, TheListHoldsAtMostTwentyFiveTools)
{
    ASSERT_TRUE(Start());
    for (int i = 0; i < 25; ++i)
        Context().settings.tools.push_back(Tool(QString("T%1").arg(i), "true"));
    ui_.Then([this](QDialog& dialog) {
        auto& list = static_cast<CEditToolsDlg&>(dialog);
        list.AddButton()->click();
        EXPECT_TRUE(messages_.Last().startsWith("No more user tools can be added. The maximum number has already been "
                                                "reached."));
        return int(QDialog::Accepted);
    });
    Trigger(Cmd::ToolsEditUserTools);
    EXPECT_EQ(Context().settings.tools.size(), 25u);
}

TEST_F(UserToolsTest, DeletingAndMovingRenumbersTheSettingsFile)
{
    ASSERT_TRUE(Start());
    Context().settings.tools = {Tool("One", "a"), Tool("Two", "b"), Tool("Three", "c", "x", "", true)};
    messages_.Answer(platform::MsgResult::Yes);
    ui_.Then([this](QDialog& dialog) {
        auto& list = static_cast<CEditToolsDlg&>(dialog);
        EXPECT_EQ(list.List()->currentRow(), 0) << "opening selects the first tool";
        EXPECT_FALSE(list.UpButton()->isEnabled());
        EXPECT_TRUE(list.DownButton()->isEnabled());
        list.List()->setCurrentRow(1);
        list.DeleteButton()->click();
        EXPECT_EQ(messages_.Last(), "Are you sure you want to permanently delete the selected item?");
        EXPECT_EQ(list.List()->currentItem()->text(), "Three") << "the item now at the same position";
        EXPECT_FALSE(list.DownButton()->isEnabled());
        return int(QDialog::Accepted);
    });
    Trigger(Cmd::ToolsEditUserTools);
    ASSERT_TRUE(CloseMainWindow());
    Exit();
    QSettings stored(platform::SettingsFilePath(), QSettings::IniFormat);
    stored.beginGroup("ExternalTools");
    EXPECT_EQ(stored.value("Title1").toString(), "One");
    EXPECT_EQ(stored.value("Title2").toString(), "Three");
    EXPECT_EQ(stored.value("Command2").toString(), "c");
    EXPECT_EQ(stored.value("PromptForArgs2").toInt(), 1);
    EXPECT_FALSE(stored.contains("Title3"));
    EXPECT_FALSE(stored.contains("Command3"));
}

TEST_F(UserToolsTest, ARealToolGetsEachArgumentWhole)
{
    const QString recorder = MakeRecorder();
    const QString data = MakeFile("my \"odd\" file's.bin", QByteArray("a b\"; rm -rf ~; $(reboot)\0tail", 31));
    ASSERT_TRUE(Start({data}));
    Context().settings.tools = {Tool("Path", recorder, "{@CurFilePath} --name={@CurFileName} {@CurFileExt}", "{@CurFileDir}"),
                        Tool("Selection", recorder, "{@SelectedText} 'two words'")};
    RunFromMenu("Path");
    EXPECT_EQ(Recorded(), QStringList({QFileInfo(data).absolutePath(), "[" + data + "]",
                                       "[--name=my \"odd\" file's.bin]", "[bin]"}));

    CBinEditView* view = Frame()->ActiveView();
    ASSERT_NE(view, nullptr);
    view->CaretControl().SetSelection(0, 31);
    RunFromMenu("Selection");
    const QStringList recorded = Recorded();
    ASSERT_EQ(recorded.size(), 3);
    EXPECT_EQ(recorded.mid(1), QStringList({"[a b\"; rm -rf ~; $(reboot)]", "[two words]"}))
        << "the text ends at the zero byte and is one argument";
    EXPECT_EQ(messages_.Count(), 0) << messages_.Last().toStdString();
}

TEST_F(UserToolsTest, PromptedArgumentsAreEditedAndSplitAgain)
{
    const QString recorder = MakeRecorder();
    const QString data = MakeFile("with space.bin", "x");
    ASSERT_TRUE(Start({data}));
    Context().settings.tools = {Tool("Ask", recorder, "{@CurFilePath}", files_.path(), true)};
    ui_.Then([&](QDialog& dialog) {
        auto& input = static_cast<QInputDialog&>(dialog);
        EXPECT_EQ(dialog.windowTitle(), "Program Arguments");
        EXPECT_EQ(input.labelText(),
                  "Please enter any &arguments that should be passed to \"record 'it'.sh\":");
        EXPECT_EQ(input.textValue(), "'" + data + "'");
        input.setTextValue(input.textValue() + " \"second arg\" {@CurFilePath}");
        return int(QDialog::Accepted);
    });
    RunFromMenu("Ask...");
    EXPECT_EQ(Recorded(), QStringList({QDir(files_.path()).canonicalPath(), "[" + data + "]", "[second arg]",
                                       "[{@CurFilePath}]"}));

    ui_.Then([](QDialog&) { return int(QDialog::Rejected); });
    RunFromMenu("Ask...");
    EXPECT_EQ(messages_.Count(), 0) << "Cancel ends the run silently";
}

TEST_F(UserToolsTest, WithoutADocumentPathMacrosGiveNoArguments)
{
    const QString recorder = MakeRecorder();
    ASSERT_TRUE(Start());
    Context().settings.tools = {Tool("Bare", recorder, "{@CurFilePath} {@SelectedText}")};
    RunFromMenu("Bare");
    const QStringList recorded = Recorded();
    EXPECT_EQ(recorded.size(), 1) << recorded.join('|').toStdString();
}

TEST_F(UserToolsTest, FailuresGiveTheirMessages)
{
    ASSERT_TRUE(Start());
    Context().settings.tools = {Tool("Gone", "/nonexistent/tool"), Tool("Open quote", "true", "'abc"),
                        Tool("Bad dir", "true", "", "/nonexistent/dir")};
    RunFromMenu("Gone");
    EXPECT_EQ(messages_.Last(), "Unable to run tool.\n\nThere was an error running the command \"/nonexistent/tool.\"");
    RunFromMenu("Open quote");
    EXPECT_EQ(messages_.Last(), "Unable to run tool.\n\nThe arguments of \"Open quote\" leave a quote open.");
    RunFromMenu("Bad dir");
    EXPECT_EQ(messages_.Last(), "Unable to run tool.\n\nThere was an error running the command \"true.\"");
}

TEST_F(UserToolsTest, ASelectionBeyondTheArgumentLimitIsRefused)
{
    const QString data = MakeFile("big.bin", QByteArray(200 * 1024, 'a'));
    ASSERT_TRUE(Start({data}));
    Context().settings.tools = {Tool("Sel", "true", "{@SelectedText}")};
    Frame()->ActiveView()->CaretControl().SetSelection(0, 200 * 1024);
    RunFromMenu("Sel");
    EXPECT_TRUE(messages_.Last().contains("longer than the system lets a program receive")) << messages_.Last().toStdString();
}

namespace {

// What the tool wrote, once it has (it runs detached).
QByteArray WaitForRaw(const QByteArray& path)
{
    for (int i = 0; i < 500; ++i) {
        if (std::optional<QByteArray> bytes = ReadRawFile(path)) {
            ::unlink(path.constData());
            return *bytes;
        }
        QTest::qWait(10);
    }
    return "<nothing recorded>";
}

} // namespace

// A program and a folder whose names are not UTF-8 (Browse gives such names,
// and so does {@CurFileDir} of a document in such a folder): the tool starts
// in that folder and gets the document's name, each by its exact bytes, and
// does not inherit the editor's ignored SIGXFSZ.
TEST_F(UserToolsTest, ProgramFolderAndArgumentsKeepTheirExactBytes)
{
    const QByteArray folder = QFile::encodeName(QDir(files_.path()).canonicalPath()) + "/";
    const QByteArray toolDir = folder + "tools\xff", workDir = folder + "work\xc3\x28";
    const QByteArray script = toolDir + "/record\xff.sh", data = workDir + "/data\xfe.bin";
    ASSERT_EQ(::mkdir(toolDir.constData(), 0755), 0);
    ASSERT_EQ(::mkdir(workDir.constData(), 0755), 0);
    const QByteArray text = "#!/bin/sh\n{ pwd -P; for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done; "
                            "sed -n 's/^SigIgn:\\t*//p' /proc/self/status; } > \"${0%/*}/part\"\n"
                            "mv \"${0%/*}/part\" \"${0%/*}/record\"\n";
    WriteRawFile(script, text, 0755);
    WriteRawFile(data, "x");
    ASSERT_TRUE(Start({platform::DecodeFileName(data)}));
    struct Case {
        const char* title;
        QString arguments;
        QString initialDir;
        QByteArray recorded;  // before the mask of ignored signals
    };
    const Case cases[] = {
        {"Macros", "{@CurFilePath}", "{@CurFileDir}", workDir + "\n[" + data + "]\n"},
        {"Exact folder", "plain", platform::DecodeFileName(workDir), workDir + "\n[plain]\n"},
        {"Tool's own folder", "", platform::DecodeFileName(toolDir), toolDir + "\n"},
    };
    for (const Case& c : cases)
        Context().settings.tools.push_back(Tool(c.title, platform::DecodeFileName(script), c.arguments, c.initialDir));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        RunFromMenu(c.title);
        const QByteArray recorded = WaitForRaw(toolDir + "/record");
        EXPECT_TRUE(recorded.startsWith(c.recorded)) << recorded.toStdString();
        const qulonglong ignored = recorded.mid(c.recorded.size()).trimmed().toULongLong(nullptr, 16);
        EXPECT_EQ(ignored & (1ull << (SIGXFSZ - 1)), 0u) << recorded.toStdString();
    }
    EXPECT_EQ(messages_.Count(), 0) << messages_.Last().toStdString();

    // QTemporaryDir cannot remove what the toolkit cannot name.
    for (const QByteArray& path : {script, data})
        ::unlink(path.constData());
    ::rmdir(toolDir.constData());
    ::rmdir(workDir.constData());
}

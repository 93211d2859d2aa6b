// The task commands through the real main window with the shipped modules
// (and a scripted module for the failures): Import, Export, Copy As, Paste
// As, Convert Data and Compute Checksum, the chooser, the checksum dialog
// and the progress window of a task that runs off the user-interface thread.
#include "DocumentBytes.h"
#include "AppTestSupport.h"
#include "ScopedEnv.h"
#include "TestFiles.h"
#include "core/BinEditDoc.h"
#include "core/BufferPos.h"
#include "core/FileBuffer.h"
#include "ext/TaskChoices.h"
#include "ext/TaskExtensions.h"
#include "ext/TaskTempFile.h"
#include "platform/BackgroundRemover.h"
#include "platform/Clipboard.h"
#include "platform/FileNames.h"
#include "tooldialogs/ChecksumDlg.h"
#include "tooldialogs/ItemList.h"
#include "tooldialogs/TaskCommands.h"
#include "tooldialogs/TaskProgressDlg.h"
#include "view/BinEditView.h"
#include "view/CaretController.h"
#include "view/EditCommands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <deque>
#include <functional>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kModuleBinDir = QStringLiteral(VANTREL_MODULE_BIN_DIR);
const QString kTestModuleDir = QStringLiteral(VANTREL_TEST_MODULE_DIR);

// The hex digest a reference tool prints for a file.
QString ToolDigest(const QString& tool, const QString& path)
{
    QProcess process;
    process.start(tool, {path});
    if (!process.waitForFinished(10000))
        return QString();
    return QString::fromLatin1(process.readAllStandardOutput()).section(QLatin1Char(' '), 0, 0).toUpper();
}

// The same text xxd -p writes: 30 bytes a line as lower-case hex pairs.
QByteArray PlainHexDump(const QByteArray& bytes)
{
    QByteArray text;
    for (qsizetype at = 0; at < bytes.size(); at += 30)
        text += bytes.mid(at, 30).toHex() + '\n';
    return text;
}

class TaskCommandsTest : public AppTest {
protected:
    void SetUp() override
    {
        // A temporary folder of our own, so that a test sees every file the
        // commands leave behind.
        tempRoot_ = std::make_unique<QTemporaryDir>();
        tmpdir_.emplace("TMPDIR", tempRoot_->path().toLocal8Bit());
        AppTest::SetUp();
        ui_.otherwise = {};  // every dialog is scripted
    }

    void TearDown() override
    {
        EXPECT_TRUE(ui_.Done()) << "a scripted dialog never opened";
        AppTest::TearDown();
        registry_.reset();
        tmpdir_.reset();
    }

    // Starts the program with a registry holding copies of the named modules.
    void StartWith(const QStringList& modules)
    {
        ASSERT_TRUE(moduleDir_.isValid());
        for (const QString& name : modules) {
            const QString from = (name == "ScriptedTasks.vtx" ? kTestModuleDir : kModuleBinDir) + "/" + name;
            ASSERT_TRUE(QFile::copy(from, moduleDir_.filePath(name))) << from.toStdString();
        }
        registry_ = std::make_unique<TaskExtensions>(moduleDir_.path());
        ASSERT_TRUE(Start());
        Context().settings.promptForPasteMode = false;
        Frame()->TaskCommands().SetTaskRegistry(registry_.get());
    }
    void StartWithShippedModules() { StartWith({"Checksum.vtx", "Convert.vtx", "Export.vtx", "Import.vtx"}); }

    CBinEditView* View() const { return Frame()->ActiveView(); }
    CBinEditDoc* OpenBytes(const QByteArray& bytes)
    {
        CBinEditDoc* doc = Docs().OpenDocumentFile(MakeFile("data.bin", bytes));
        EXPECT_NE(doc, nullptr);
        return doc;
    }
    // What the commands left behind once the files they handed over for
    // removal are gone.
    QStringList TempFiles() const
    {
        platform::WaitForPendingRemovals();
        return QDir(tempRoot_->path()).entryList(QDir::Files | QDir::Hidden);
    }

    // The next Import or Export dialog chooses path as a file of this type.
    void AnswerFile(const QString& path, const QString& type)
    {
        ui_.ThenFile([path, type](const FileRequest& request) {
            // Modules load in the order the folder lists them, so the file
            // type is found by its name.
            EXPECT_TRUE(request.nameFilters.contains(type)) << type.toStdString();
            return std::optional<FileAnswer>(FileAnswer{path, type});
        });
    }

    // The chooser picks the task of that name and is closed with OK.
    void PickTask(const QString& name)
    {
        ui_.Then([name](QDialog& dialog) {
            auto& chooser = dynamic_cast<CItemList&>(dialog);
            const QList<QListWidgetItem*> found = chooser.List()->findItems(name, Qt::MatchExactly);
            if (found.isEmpty()) {
                ADD_FAILURE() << "no task " << name.toStdString();
                return int(QDialog::Rejected);
            }
            chooser.List()->setCurrentItem(found.first());
            chooser.accept();
            return chooser.result();
        });
    }
    // The checksum dialog's text is kept and the dialog closed.
    void KeepReport()
    {
        ui_.Then([this](QDialog& dialog) {
            auto& checksum = dynamic_cast<CChecksumDlg&>(dialog);
            report_ = checksum.Text()->toPlainText();
            return int(QDialog::Accepted);
        });
    }

    std::unique_ptr<QTemporaryDir> tempRoot_;
    // Restores the folder whatever a test set it to.
    std::optional<ScopedEnv> tmpdir_;
    QTemporaryDir moduleDir_;
    std::unique_ptr<TaskExtensions> registry_;
    QString report_;
};

TEST_F(TaskCommandsTest, ChecksumWithoutSelectionCoversTheWholeFileAndMatchesTheReferenceTools)
{
    StartWithShippedModules();
    const QByteArray bytes = RandomBytes(70001, 7);
    CBinEditDoc* doc = OpenBytes(bytes);
    const QString path = doc->PathName();
    View()->CaretControl().SetCaret(123, CaretMode::Move);

    struct Case {
        const char* task;
        const char* line;
        const char* tool;
    };
    for (const Case& c : {Case{"MD Checksums", "MD5 Checksum: ", "md5sum"}, Case{"SHA-1 Checksum", "SHA-1 Checksum: ", "sha1sum"}}) {
        SCOPED_TRACE(c.task);
        View()->CaretControl().SetCaret(123, CaretMode::Move);
        PickTask(c.task);
        KeepReport();
        Trigger(Cmd::ToolsComputeChecksum);
        EXPECT_TRUE(report_.contains("Offset: 0\n")) << report_.toStdString();
        const QString line = report_.section('\n', 0, -1).split('\n').filter(c.line).value(0);
        EXPECT_EQ(line.mid(int(strlen(c.line))).toUpper(), ToolDigest(c.tool, path));
        // The whole file stays selected.
        EXPECT_TRUE(View()->Caret().hasSelection);
        EXPECT_EQ(View()->Caret().selStart, 0);
        EXPECT_EQ(View()->Caret().selEnd, bytes.size());
        EXPECT_FALSE(doc->IsModified());
    }
    EXPECT_EQ(TempFiles(), QStringList());
}

TEST_F(TaskCommandsTest, ChecksumDialogOpensWithTheWholeReportSelectedAndFocused)
{
    CChecksumDlg dialog(QStringLiteral("Title\r\nMD5 Checksum: 00FF\r\n"), nullptr);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    QCoreApplication::processEvents();
    EXPECT_EQ(dialog.focusWidget(), dialog.Text());
    EXPECT_EQ(dialog.Text()->textCursor().selectedText().replace(QChar::ParagraphSeparator, '\n'),
              QStringLiteral("Title\nMD5 Checksum: 00FF\n"));
    EXPECT_TRUE(dialog.Text()->isReadOnly());
}

TEST_F(TaskCommandsTest, UpperCaseOnASelectionAndOnTheWholeFileIsOneUndoStep)
{
    StartWithShippedModules();
    const QByteArray original = "Hello, World! abc xyz 123";
    struct Case {
        const char* name;
        int selStart;
        int selEnd;  // selStart == selEnd: no selection, the whole file
        QByteArray expected;
    };
    const Case cases[] = {
        {"selection", 2, 9, "HeLLO, WOrld! abc xyz 123"},
        {"whole file", 5, 5, "HELLO, WORLD! ABC XYZ 123"},
    };
    CBinEditDoc* doc = OpenBytes(original);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        View()->CaretControl().SetCaret(c.selStart, CaretMode::Move);
        View()->CaretControl().SetCaret(c.selEnd, CaretMode::Extend);
        PickTask("Upper Case");
        Trigger(Cmd::ToolsConvertData);
        EXPECT_EQ(DocumentBytes(*doc), c.expected);
        EXPECT_TRUE(doc->IsModified());
        EXPECT_FALSE(View()->Caret().hasSelection);
        EXPECT_EQ(View()->Caret().Offset(), c.selEnd > c.selStart ? c.selEnd : original.size());
        Trigger(Cmd::EditUndo);
        EXPECT_EQ(DocumentBytes(*doc), original);
        EXPECT_FALSE(View()->Edits().CanUndo());
    }
    EXPECT_EQ(TempFiles(), QStringList());
}

TEST_F(TaskCommandsTest, CancelledChooserPutsTheCaretBackWithoutSelection)
{
    StartWithShippedModules();
    OpenBytes("abcdef");
    View()->CaretControl().SetCaret(4, CaretMode::Move);
    ui_.Then([](QDialog& dialog) {
        dialog.reject();
        return int(QDialog::Rejected);
    });
    Trigger(Cmd::ToolsConvertData);
    EXPECT_EQ(ui_.titles, QStringList{"Convert Data"});
    EXPECT_FALSE(View()->Caret().hasSelection);
    EXPECT_EQ(View()->Caret().Offset(), 4);
}

TEST_F(TaskCommandsTest, EmptyConversionOutputDeletesTheSelection)
{
    StartWith({"ScriptedTasks.vtx"});
    CBinEditDoc* doc = OpenBytes("0123456789");
    View()->CaretControl().SetCaret(3, CaretMode::Move);
    View()->CaretControl().SetCaret(7, CaretMode::Extend);
    PickTask("Empty Output");
    Trigger(Cmd::ToolsConvertData);
    EXPECT_EQ(DocumentBytes(*doc), QByteArray("012789"));
    Trigger(Cmd::EditUndo);
    EXPECT_EQ(DocumentBytes(*doc), QByteArray("0123456789"));
}

TEST_F(TaskCommandsTest, ExportAddsTheFilterExtensionOnlyToNamesWithoutOne)
{
    StartWithShippedModules();
    OpenBytes("Export me, please");
    ASSERT_TRUE(QDir(files_.path()).mkpath("a.b"));
    struct Case {
        QString typed;
        QString written;
    };
    const Case cases[] = {
        {files_.filePath("dump"), files_.filePath("dump.txt")},
        {files_.filePath("a.b/dump"), files_.filePath("a.b/dump.txt")},
        {files_.filePath("kept.log"), files_.filePath("kept.log")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        const size_t asked = ui_.fileRequests.size();
        AnswerFile(c.typed, "Text Files (*.txt)");
        Trigger(Cmd::FileExport);
        ASSERT_EQ(ui_.fileRequests.size(), asked + 1);
        const FileRequest& request = ui_.fileRequests.back();
        EXPECT_EQ(request.title, "Export File");
        EXPECT_EQ(request.kind, FileChoice::Save);
        // The file type chosen last time is preselected.
        if (&c != &cases[0]) {
            EXPECT_EQ(request.selectedFilter, "Text Files (*.txt)");
        }
        const QByteArray dump = ReadWholeFile(c.written);
        EXPECT_TRUE(dump.contains("Export me")) << dump.toStdString();
        EXPECT_FALSE(QFile::exists(c.typed) && c.typed != c.written);
    }
    EXPECT_EQ(TempFiles(), QStringList());

    // The task is told the layout as it stands at the run: grouping changed
    // after the first export shows in the next one.
    Context().settings.groupBy = 1;
    AnswerFile(files_.filePath("grouped"), "Text Files (*.txt)");
    Trigger(Cmd::FileExport);
    EXPECT_TRUE(ReadWholeFile(files_.filePath("dump.txt")).startsWith("00000000  45 78 70 6F "));
    EXPECT_TRUE(ReadWholeFile(files_.filePath("grouped.txt")).startsWith("00000000  4578 706F "));
}

TEST_F(TaskCommandsTest, ImportOfPlainHexGivesAnUnmodifiedUntitledDocumentWithTheBytes)
{
    StartWithShippedModules();
    const QByteArray bytes = RandomBytes(1000, 11);
    const QString hexFile = MakeFile("dump.txt", PlainHexDump(bytes));
    const int before = Docs().Count();
    AnswerFile(hexFile, "Text Files (*.txt)");
    Trigger(Cmd::FileImport);
    ASSERT_EQ(ui_.fileRequests.size(), 1u);
    EXPECT_EQ(ui_.fileRequests[0].title, "Import File");
    EXPECT_EQ(ui_.fileRequests[0].kind, FileChoice::Open);
    ASSERT_EQ(Docs().Count(), before + 1);
    CBinEditDoc* doc = ActiveDoc();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(DocumentBytes(*doc), bytes);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(doc->PathName().isEmpty());
    EXPECT_TRUE(doc->Title().startsWith("Untitled"));
    EXPECT_EQ(TempFiles(), QStringList());
}

TEST_F(TaskCommandsTest, CopyAsCSourceAndPasteAsHexTextGoThroughTheClipboard)
{
    StartWithShippedModules();
    CBinEditDoc* doc = OpenBytes(QByteArray::fromHex("00112233445566"));
    View()->CaretControl().SetCaret(1, CaretMode::Move);
    View()->CaretControl().SetCaret(4, CaretMode::Extend);
    PickTask("C Source");
    Trigger(Cmd::EditCopyAs);
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(copied.contains("0x11") && copied.contains("0x22") && copied.contains("0x33")) << copied.toStdString();
    EXPECT_FALSE(copied.contains("0x44"));

    QGuiApplication::clipboard()->setText("DE AD be ef");
    View()->CaretControl().SetCaret(2, CaretMode::Move);
    Frame()->UpdateCommands();
    EXPECT_TRUE(Frame()->Action(Cmd::EditPasteAs)->isEnabled());
    PickTask("Text");
    Trigger(Cmd::EditPasteAs);
    EXPECT_EQ(DocumentBytes(*doc), QByteArray::fromHex("0011DEADBEEF2233445566"));
    Trigger(Cmd::EditUndo);
    EXPECT_EQ(DocumentBytes(*doc), QByteArray::fromHex("00112233445566"));
    EXPECT_EQ(TempFiles(), QStringList());
}

// Plain text on this desktop is the bytes themselves: Copy, Cut and Copy As
// put no terminating zero after them, while a zero inside the copied bytes
// stays, and the length block still counts exactly the bytes copied.
TEST_F(TaskCommandsTest, ClipboardTextHoldsTheCopiedBytesWithoutATerminatingZero)
{
    StartWithShippedModules();
    const QByteArray bytes = QByteArray("Hello, world! ") + QByteArray("\x00\x01\x02", 3) + "twenty bytes follow.";
    OpenBytes(bytes);
    const QString plain = QStringLiteral("text/plain");
    const QString length = QStringLiteral("application/x-vantrel-binary");
    struct Case {
        int32_t from, to;
        Cmd command;
    };
    for (const Case& c : {Case{2, 6, Cmd::EditCopy}, Case{17, 37, Cmd::EditCopy}, Case{13, 16, Cmd::EditCopy},
                          Case{12, 15, Cmd::EditCut}}) {
        SCOPED_TRACE(c.from);
        View()->CaretControl().SetCaret(c.from, CaretMode::Move);
        View()->CaretControl().SetCaret(c.to, CaretMode::Extend);
        Trigger(c.command);
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        ASSERT_NE(data, nullptr);
        EXPECT_EQ(data->data(plain), bytes.mid(c.from, c.to - c.from));
        EXPECT_EQ(data->data(length), platform::EncodeBinaryLength(c.to - c.from));
    }

    View()->CaretControl().SetCaret(2, CaretMode::Move);
    View()->CaretControl().SetCaret(6, CaretMode::Extend);
    PickTask("Text");
    Trigger(Cmd::EditCopyAs);
    const QByteArray text = QGuiApplication::clipboard()->mimeData()->data(plain);
    EXPECT_TRUE(text.startsWith("00000000") && text.contains("6C 6C 6F 2C")) << text.toStdString();
    EXPECT_TRUE(text.endsWith("\r\n")) << text.toHex().toStdString();
    EXPECT_EQ(text.count('\0'), 0);
}

TEST_F(TaskCommandsTest, CommandsAreEnabledByTheirRules)
{
    StartWithShippedModules();
    Frame()->UpdateCommands();
    EXPECT_TRUE(Frame()->Action(Cmd::FileImport)->isEnabled());
    for (Cmd id : {Cmd::FileExport, Cmd::EditCopyAs, Cmd::EditPasteAs, Cmd::ToolsConvertData, Cmd::ToolsComputeChecksum})
        EXPECT_FALSE(Frame()->Action(id)->isEnabled()) << int(id);

    CBinEditDoc* doc = OpenBytes("abc");
    QGuiApplication::clipboard()->clear();
    Frame()->UpdateCommands();
    EXPECT_TRUE(Frame()->Action(Cmd::FileExport)->isEnabled());
    EXPECT_FALSE(Frame()->Action(Cmd::EditCopyAs)->isEnabled());
    EXPECT_FALSE(Frame()->Action(Cmd::EditPasteAs)->isEnabled());  // no text on the clipboard
    EXPECT_TRUE(Frame()->Action(Cmd::ToolsConvertData)->isEnabled());
    View()->CaretControl().SetCaret(0, CaretMode::Move);
    View()->CaretControl().SetCaret(2, CaretMode::Extend);
    Frame()->UpdateCommands();
    EXPECT_TRUE(Frame()->Action(Cmd::EditCopyAs)->isEnabled());
    doc->SetReadOnly(true);
    Frame()->UpdateCommands();
    EXPECT_FALSE(Frame()->Action(Cmd::ToolsConvertData)->isEnabled());
    EXPECT_FALSE(Frame()->Action(Cmd::ToolsComputeChecksum)->isEnabled());
    EXPECT_EQ(Frame()->Action(Cmd::EditCopyAs)->shortcut(), QKeySequence("Ctrl+Shift+C"));
    EXPECT_EQ(Frame()->Action(Cmd::EditPasteAs)->shortcut(), QKeySequence("Ctrl+Shift+V"));
    EXPECT_EQ(Frame()->Action(Cmd::ToolsConvertData)->toolTip(), "Convert");
}

TEST_F(TaskCommandsTest, FailedConversionsLeaveTheDocumentAndTheTemporaryFolderAsTheyWere)
{
    StartWith({"ScriptedTasks.vtx"});
    const QByteArray original = "0123456789abcdef";
    CBinEditDoc* doc = OpenBytes(original);
    const QString prefix = "There was an error running the selected task. ";
    struct Case {
        const char* task;
        QString message;  // empty: no message at all
    };
    const Case cases[] = {
        {"Half Then Unknown", prefix + "An unknown error occurred."},
        {"Out Of Memory", prefix + "There was not enough memory to complete an operation."},
        {"Write Failed", prefix + "There was an error writing to a file."},
        {"Read Failed", prefix + "There was an error reading from a file."},
        {"Already Reported", QString()},
        {"Unknown Code", prefix + "An unknown error occurred."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.task);
        messages_.Clear();
        View()->CaretControl().SetCaret(2, CaretMode::Move);
        View()->CaretControl().SetCaret(9, CaretMode::Extend);
        PickTask(c.task);
        Trigger(Cmd::ToolsConvertData);
        EXPECT_EQ(messages_.Texts(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
        EXPECT_EQ(DocumentBytes(*doc), original);
        EXPECT_FALSE(doc->IsModified());
        EXPECT_FALSE(View()->Edits().CanUndo());
        EXPECT_EQ(TempFiles(), QStringList());
    }
}

TEST_F(TaskCommandsTest, OutputTooBigForADocumentIsRefusedWithoutAChange)
{
    StartWith({"ScriptedTasks.vtx"});
    CBinEditDoc* doc = OpenBytes("small");
    // No file reaches the program's own limit: the document's is lowered
    // below the task's three gigabytes.
    doc->Buffer().SetSizeLimit(int64_t(1) << 30);
    PickTask("Huge Output");
    Trigger(Cmd::ToolsConvertData);
    ASSERT_EQ(messages_.Count(), 1);
    EXPECT_EQ(DocumentBytes(*doc), QByteArray("small"));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(TempFiles(), QStringList());
}

TEST_F(TaskCommandsTest, ChecksumAndImportFailuresShowNothingAndLeaveNoFiles)
{
    StartWith({"ScriptedTasks.vtx"});
    CBinEditDoc* doc = OpenBytes("checksum me");
    // An odd byte at the end of a report is dropped.
    PickTask("Odd Report");
    KeepReport();
    Trigger(Cmd::ToolsComputeChecksum);
    EXPECT_EQ(report_, "AB");

    PickTask("Half Then Write Failed");
    Trigger(Cmd::ToolsComputeChecksum);
    EXPECT_EQ(messages_.Last(), "There was an error running the selected task. There was an error writing to a file.");

    const int documents = Docs().Count();
    AnswerFile(MakeFile("in.hex", "00112233"), "Half Import (*.hex)");
    Trigger(Cmd::FileImport);
    EXPECT_EQ(Docs().Count(), documents);
    EXPECT_EQ(messages_.Count(), 2);
    EXPECT_EQ(DocumentBytes(*doc), QByteArray("checksum me"));
    EXPECT_EQ(TempFiles(), QStringList());
}

TEST_F(TaskCommandsTest, UnusableTemporaryFolderIsReportedByNameAndChangesNothing)
{
    StartWithShippedModules();
    CBinEditDoc* doc = OpenBytes("abcdef");
    // A folder in which nothing can be made, not even by root.
    qputenv("TMPDIR", "/proc");
    PickTask("Upper Case");
    Trigger(Cmd::ToolsConvertData);
    ASSERT_EQ(messages_.Count(), 1);
    EXPECT_EQ(messages_.Last(), "/proc was not found.");
    EXPECT_EQ(DocumentBytes(*doc), QByteArray("abcdef"));
    EXPECT_FALSE(doc->IsModified());
}

// $TMPDIR naming no folder must not send the temporary files to "/" (as root
// they would land there; as a user the message named no folder).
TEST_F(TaskCommandsTest, TemporaryFolderThatIsNoFolderFallsBackToTheSystemOne)
{
    StartWithShippedModules();
    CBinEditDoc* doc = OpenBytes("abcdef");
    const QString notAFolder = MakeFile("not-a-folder", "x");
    // The task commands make their files through TaskTempFile.
    for (const QString& tmpdir : {tempRoot_->filePath("missing"), notAFolder}) {
        qputenv("TMPDIR", tmpdir.toLocal8Bit());
        EXPECT_EQ(QFileInfo(TaskTempFile().Path()).absolutePath(), "/tmp") << tmpdir.toStdString();
        PickTask("Upper Case");
        Trigger(Cmd::ToolsConvertData);
        EXPECT_EQ(messages_.Count(), 0) << tmpdir.toStdString() << ": " << messages_.Last().toStdString();
        EXPECT_EQ(DocumentBytes(*doc), QByteArray("ABCDEF")) << tmpdir.toStdString();
        Trigger(Cmd::EditUndo);
    }
}

TEST_F(TaskCommandsTest, ChooserRemembersItsPositionAndFallsBackToTheFirstItem)
{
    StartWithShippedModules();
    OpenBytes("abc");
    std::vector<int> startRows;
    auto recordStart = [&startRows](int pickRow) {
        return [&startRows, pickRow](QDialog& dialog) {
            auto& chooser = dynamic_cast<CItemList&>(dialog);
            startRows.push_back(chooser.List()->currentRow());
            chooser.List()->setCurrentRow(pickRow);
            chooser.reject();
            return int(QDialog::Rejected);
        };
    };
    PickTask("SHA-1 Checksum");
    KeepReport();
    Trigger(Cmd::ToolsComputeChecksum);
    const int sha1Row = Context().taskChoices.chooserRow[size_t(ChooserMode::Checksum)];
    EXPECT_EQ(registry_->Task(TASK_CHECKSUM, sha1Row).name, "SHA-1 Checksum");
    ui_.Then(recordStart(0));
    Trigger(Cmd::ToolsComputeChecksum);
    // Cancel does not change the remembered position.
    Context().taskChoices.chooserRow[size_t(ChooserMode::Checksum)] = 99;
    ui_.Then(recordStart(0));
    Trigger(Cmd::ToolsComputeChecksum);
    EXPECT_EQ(startRows, (std::vector<int>{sha1Row, 0}));
}

TEST_F(TaskCommandsTest, ChooserShowsDescriptionsInfoAndStartsInItsList)
{
    StartWithShippedModules();
    registry_->Load();
    CItemList chooser(*registry_, Context().taskChoices, ChooserMode::ConvertData, kCommandIdConvertData, nullptr, ui_);
    EXPECT_EQ(chooser.windowTitle(), "Convert Data");
    ASSERT_GT(chooser.List()->count(), 0);
    const int upper = chooser.List()->row(chooser.List()->findItems("Upper Case", Qt::MatchExactly).value(0));
    chooser.List()->setCurrentRow(upper);
    EXPECT_EQ(chooser.Description()->text(), "Convert characters to upper case");
    const TaskEntry& task = registry_->Task(TASK_CONVERSION, upper);
    const QString module = registry_->Module(task.moduleIndex).path;
    EXPECT_EQ(chooser.InfoText(), registry_->Module(task.moduleIndex).description + "\r\n\r\nTask Name: Upper Case\r\nTask ID: "
                                      + QString::number(task.id) + "\r\nModule: " + module);
    EXPECT_TRUE(module.endsWith("/Convert.vtx"));
    chooser.InfoButton()->click();
    EXPECT_EQ(messages_.Last(), chooser.InfoText());

    chooser.List()->clearSelection();
    EXPECT_FALSE(chooser.InfoButton()->isEnabled());
    EXPECT_TRUE(chooser.Description()->text().isEmpty());
    EXPECT_EQ(chooser.InfoText(), "No information is available.");
    chooser.accept();  // nothing selected: stays open
    EXPECT_EQ(chooser.ChosenTask(), -1);

    chooser.show();
    QApplication::setActiveWindow(&chooser);
    QCoreApplication::processEvents();
    EXPECT_EQ(chooser.focusWidget(), chooser.List());
}

TEST_F(TaskCommandsTest, NoTaskOfTheKindShowsTheNoExtensionsMessage)
{
    StartWith({});
    OpenBytes("abc");
    View()->CaretControl().SetCaret(0, CaretMode::Move);
    View()->CaretControl().SetCaret(2, CaretMode::Extend);
    for (Cmd id : {Cmd::EditCopyAs, Cmd::ToolsConvertData, Cmd::ToolsComputeChecksum, Cmd::FileImport, Cmd::FileExport}) {
        messages_.Clear();
        Trigger(id);
        EXPECT_EQ(messages_.Texts(), QStringList{"No extensions were found to perform the selected task."}) << int(id);
    }
    EXPECT_TRUE(ui_.fileRequests.empty());
    EXPECT_TRUE(ui_.titles.isEmpty());
}

TEST_F(TaskCommandsTest, SlowTaskRunsBehindTheProgressWindowWhileTheWindowPaints)
{
    StartWith({"ScriptedTasks.vtx"});
    OpenBytes("slow");
    // Counts the paints of the view and whether a progress window showed.
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter;
    View()->viewport()->installEventFilter(&counter);
    int ticks = 0;
    bool progressSeen = false;
    QTimer repaint;
    QObject::connect(&repaint, &QTimer::timeout, [&] {
        ++ticks;
        View()->viewport()->update();
        for (QWidget* widget : QApplication::topLevelWidgets())
            progressSeen |= qobject_cast<CTaskProgressDlg*>(widget) && widget->isVisible();
    });
    repaint.start(50);

    bool askedOnUiThread = false;
    platform::MessageHandler recorder = platform::SetMessageHandler([&](const platform::Message& message) {
        askedOnUiThread = QThread::currentThread() == qApp->thread();
        EXPECT_EQ(message.text, "Go on?");
        return platform::MsgResult::Yes;
    });
    PickTask("Slow Question");
    KeepReport();
    Trigger(Cmd::ToolsComputeChecksum);
    platform::SetMessageHandler(std::move(recorder));
    repaint.stop();

    EXPECT_EQ(report_, "Answer: Yes");
    EXPECT_TRUE(askedOnUiThread);
    EXPECT_TRUE(progressSeen);
    EXPECT_GE(ticks, 5);
    EXPECT_GE(counter.paints, 3);
    EXPECT_EQ(TempFiles(), QStringList());
}

} // namespace

namespace {

// Import and Export by names that are not UTF-8: the modules open what they
// are given through the toolkit, which cannot reach such a name, so the host
// hands them a temporary file in its place.
class TaskFileNameBytesTest : public TaskCommandsTest {
protected:
    void TearDown() override
    {
        // QTemporaryDir cannot remove what the toolkit cannot name.
        for (const QByteArray& name : RawFolderEntries(files_.path()))
            if (::unlink((folder_ + name).constData()) != 0)
                ::rmdir((folder_ + name).constData());
        TaskCommandsTest::TearDown();
    }
    void Answer(const QByteArray& path) { AnswerFile(platform::DecodeFileName(path), "Text Files (*.txt)"); }
    QByteArray folder_ = platform::EncodeFileName(files_.path()) + "/";
};

TEST_F(TaskFileNameBytesTest, ImportAndExportReachTheExactName)
{
    StartWithShippedModules();
    const QByteArray bytes = RandomBytes(3000, 5);
    OpenBytes(bytes);
    Answer(folder_ + "reference.txt");  // a name the module writes itself
    Trigger(Cmd::FileExport);
    const QByteArray reference = ReadRawFile(folder_ + "reference.txt").value_or("<missing>");
    EXPECT_TRUE(reference.startsWith("00000000  " + bytes.left(2).toHex(' ').toUpper()));
    for (const QByteArray& name : {QByteArray("plain"), QByteArray("a\xff" "b"), QByteArray("\xc3\x28")}) {
        SCOPED_TRACE(name.toHex().toStdString());
        // Export, typed without the extension the file type adds: the file
        // already there is replaced only once the user agrees.
        const QByteArray target = folder_ + "out-" + name + ".txt";
        WriteRawFile(target, "old");
        const QString question = QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                     .arg(platform::DisplayFileName(platform::DecodeFileName(target)));
        for (const platform::MsgResult answer : {platform::MsgResult::No, platform::MsgResult::Yes}) {
            messages_.Clear();
            messages_.Answer(answer);
            Answer(folder_ + "out-" + name);
            Trigger(Cmd::FileExport);
            EXPECT_EQ(messages_.Texts(), QStringList{question});
            EXPECT_EQ(ReadRawFile(target), answer == platform::MsgResult::Yes ? reference : "old");
        }
        // Import.
        messages_.Clear();
        const int documents = Docs().Count();
        WriteRawFile(folder_ + name + ".hex.txt", PlainHexDump(bytes));
        Answer(folder_ + name + ".hex.txt");
        Trigger(Cmd::FileImport);
        ASSERT_EQ(Docs().Count(), documents + 1);
        EXPECT_EQ(DocumentBytes(*ActiveDoc()), bytes);
        EXPECT_EQ(messages_.Texts(), QStringList());
        EXPECT_EQ(TempFiles(), QStringList());
    }
    for (const QByteArray& name : RawFolderEntries(files_.path()))
        EXPECT_FALSE(name.contains("\xef\xbf\xbd")) << "a file under a mangled name: " << name.toStdString();
}

// Whatever fails, the message names the user's file as the user reads it,
// nothing is opened and no temporary file stays.
TEST_F(TaskFileNameBytesTest, FailuresNameTheUsersFileReadably)
{
    StartWithShippedModules();
    OpenBytes("abc");
    ASSERT_EQ(::mkdir((folder_ + "dir\xff").constData(), 0755), 0);
    ASSERT_EQ(::mkdir((folder_ + "dir\xff.txt").constData(), 0755), 0);
    struct Case {
        Cmd command;
        QByteArray typed;
        QByteArray named;  // the file the message names
        bool asksToReplace;
    };
    const Case cases[] = {
        {Cmd::FileImport, "gone\xff.txt", "gone\xff.txt", false},
        {Cmd::FileImport, "dir\xff", "dir\xff", false},
        {Cmd::FileExport, "none\xff/out.txt", "none\xff/out.txt", false},
        {Cmd::FileExport, "dir\xff", "dir\xff.txt", true},  // a folder is never replaced
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        messages_.Clear();
        if (c.asksToReplace)
            messages_.Answer(platform::MsgResult::Yes);
        const int documents = Docs().Count();
        Answer(folder_ + c.typed);
        Trigger(c.command);
        EXPECT_EQ(Docs().Count(), documents);
        EXPECT_EQ(messages_.Count(), c.asksToReplace ? 2 : 1);
        EXPECT_TRUE(messages_.Last().contains(platform::DisplayFileName(platform::DecodeFileName(folder_ + c.named))))
            << messages_.Last().toStdString();
        EXPECT_EQ(TempFiles(), QStringList());
    }
    EXPECT_EQ(RawFolderEntries(files_.path()), (QList<QByteArray>{"data.bin", "dir\xff", "dir\xff.txt"}));
}

} // namespace

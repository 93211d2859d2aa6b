#include "AppTestSupport.h"
#include "TestFiles.h"
#include <QProcess>

#include "TestFiles.h"
#include "settings/SettingsHooks.h"
#include "platform/SettingsBackend.h"
#include "tooldialogs/BookmarksDlg.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QPrinter>
#include <QFile>
#include <QUuid>

namespace {
// The next scripted answer, or no answer (the dialog was cancelled) when none is left.
template <typename T>
std::optional<T> TakeAnswer(std::deque<std::optional<T>>& answers)
{
    std::optional<T> answer;
    if (!answers.empty()) {
        answer.swap(answers.front());
        answers.pop_front();
    }
    return answer;
}
} // namespace

std::optional<OpenFileChoice> ScriptedDialogs::ChooseFileToOpen(QWidget*, const QString&)
{
    ++openAsked;
    return TakeAnswer(openAnswers);
}

std::optional<QString> ScriptedDialogs::ChooseSaveAsPath(QWidget*, const QString& suggestedPath, const QString&)
{
    saveAsSuggested.append(suggestedPath);
    return TakeAnswer(saveAsAnswers);
}

std::optional<bool> ScriptedDialogs::EditFileProperties(QWidget*, const FileProperties& properties)
{
    propertiesShown.append(properties);
    return TakeAnswer(propertiesAnswers);
}

bool ScriptedDialogs::ChoosePrintOptions(QWidget*, QPrinter& printer, bool hasSelection,
                                         const PrintPageCounter& pageCount, PageSpan& pages)
{
    printSelectionOffered.append(hasSelection);
    printOrientations.append(printer.pageLayout().orientation());
    const std::optional<PrintAnswer> answer = printAnswers.empty() ? std::nullopt : printAnswers.front();
    if (!printAnswers.empty())
        printAnswers.pop_front();
    if (!answer)
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(answer->pdfPath);
    printer.setPrintRange(answer->selection ? QPrinter::Selection : QPrinter::AllPages);
    printPageCounts.append(pageCount(printer));
    if (!answer->selection)
        pages = {answer->firstPage, answer->lastPage};
    return true;
}

void AppTest::SetUp()
{
    // Dialogs and file choosers are cancelled unless a test answers them,
    // so a key that opens one never waits for a user.
    ui_.CancelUnscripted();
    QFile::remove(platform::SettingsFilePath());
}

void AppTest::TearDown()
{
    app_.reset();
    guard_.reset();
    InstallSettingsHooks({});
    QFile::remove(platform::SettingsFilePath());
}

bool AppTest::Start(const QStringList& arguments, bool defaultChannel)
{
    guard_ = defaultChannel ? std::make_unique<platform::InstanceGuard>()
                            : std::make_unique<platform::InstanceGuard>("vantrel-test-" + QUuid::createUuid().toString(QUuid::Id128));
    auto dialogs = std::make_unique<ScriptedDialogs>();
    dialogs_ = dialogs.get();
    app_ = std::make_unique<CBinEditApp>(*guard_, std::move(dialogs), ui_);
    return app_->InitInstance(QStringList{"vantrel"} + arguments);
}

bool AppTest::CloseMainWindow() { return Frame()->close(); }

void AppTest::Exit()
{
    app_->ExitInstance();
    app_.reset();
    guard_.reset();
}

QString AppTest::MakeFile(const QString& name, const QByteArray& bytes)
{
    const QString path = files_.filePath(name);
    WriteWholeFile(path, bytes);
    return path;
}

void AppTest::Store(const QString& key, const QVariant& value)
{
    auto store = platform::OpenSettings();
    store->setValue("Settings/" + key, value);
    store->sync();
}

QVariant AppTest::Stored(const QString& key) const
{
    auto store = platform::OpenSettings();
    return store->value(key.contains('/') ? key : "Settings/" + key);
}

void AppTest::Trigger(Cmd id) const
{
    Frame()->UpdateCommands();
    Frame()->Action(id)->trigger();
}

void AppTest::SaveBookmarksThroughTheDialog(const QString& path)
{
    ui_.ThenFile(path);
    ui_.Then([](QDialog& d) {
        auto& dialog = dynamic_cast<CBookmarksDlg&>(d);
        dialog.OnSave();
        dialog.reject();
        return dialog.result();
    });
    Trigger(Cmd::BookmarkList);
}

QString AppTest::MainTitle() const
{
    QCoreApplication::processEvents();
    return Frame()->windowTitle();
}

ProgramRun RunProgram(const QStringList& arguments, const QString& log)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("VANTREL_MESSAGE_LOG", log);
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(QStringLiteral(VANTREL_EXECUTABLE), arguments);
    ProgramRun run;
    run.finished = process.waitForFinished(90000);
    if (!run.finished) {
        process.kill();
        process.waitForFinished(5000);
    }
    run.exitCode = process.exitCode();
    run.messages = QString::fromUtf8(ReadWholeFile(log));
    return run;
}

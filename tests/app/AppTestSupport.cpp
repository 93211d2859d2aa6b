#include "AppTestSupport.h"

#include "TestFiles.h"
#include "app/SettingsHooks.h"
#include "platform/SettingsBackend.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QUuid>

std::optional<OpenFileChoice> ScriptedDialogs::ChooseFileToOpen(QWidget*, const QString&)
{
    ++openAsked;
    if (openAnswers.empty())
        return std::nullopt;
    auto answer = openAnswers.front();
    openAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::ChooseSaveAsPath(QWidget*, const QString& suggestedPath, const QString&)
{
    saveAsSuggested.append(suggestedPath);
    if (saveAsAnswers.empty())
        return std::nullopt;
    auto answer = saveAsAnswers.front();
    saveAsAnswers.pop_front();
    return answer;
}

std::optional<bool> ScriptedDialogs::EditFileProperties(QWidget*, const FileProperties& properties)
{
    propertiesShown.append(properties);
    if (propertiesAnswers.empty())
        return std::nullopt;
    auto answer = propertiesAnswers.front();
    propertiesAnswers.pop_front();
    return answer;
}

bool ScriptedDialogs::OpenWebPage(const QUrl& url)
{
    webPages.append(url);
    return webPageOpens;
}

void AppTest::SetUp()
{
    Settings() = AppSettings();
    QFile::remove(platform::SettingsFilePath());
}

void AppTest::TearDown()
{
    app_.reset();
    guard_.reset();
    InstallSettingsHooks({});
    Settings() = AppSettings();
    QFile::remove(platform::SettingsFilePath());
}

bool AppTest::Start(const QStringList& arguments, bool defaultChannel)
{
    guard_ = defaultChannel ? std::make_unique<platform::InstanceGuard>()
                            : std::make_unique<platform::InstanceGuard>("vantrel-test-" + QUuid::createUuid().toString(QUuid::Id128));
    auto dialogs = std::make_unique<ScriptedDialogs>();
    dialogs_ = dialogs.get();
    app_ = std::make_unique<CBinEditApp>(*guard_, std::move(dialogs));
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

QString AppTest::MainTitle() const
{
    QCoreApplication::processEvents();
    return Frame()->windowTitle();
}

#include "CliMessages.h"

#include "platform/MessageBox.h"

#include <cstdio>

namespace {

QString& CurrentFile()
{
    static QString file;
    return file;
}

int& MessageCount()
{
    static int count = 0;
    return count;
}

platform::MsgResult CautiousAnswer(platform::MsgButtons buttons)
{
    switch (buttons) {
    case platform::MsgButtons::YesNo:
        return platform::MsgResult::No;
    case platform::MsgButtons::YesNoCancel:
        return platform::MsgResult::Cancel;
    case platform::MsgButtons::Ok:
        break;
    }
    return platform::MsgResult::Ok;
}

// Message boxes may hold several lines; standard error gets them as one.
QString OneLine(const QString& text)
{
    QString line = text.trimmed();
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    line.replace(u'\n', u' ');
    return line.simplified();
}

} // namespace

void PrintProblem(const QString& file, const QString& message)
{
    ++MessageCount();
    QString line = QStringLiteral("vantrel-cli: ");
    if (!file.isEmpty())
        line += file + QStringLiteral(": ");
    line += OneLine(message) + u'\n';
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

int Fail(const QString& file, const QString& message)
{
    PrintProblem(file, message);
    return kExitTrouble;
}

int ReportedMessageCount() { return MessageCount(); }

void InstallCliMessageHandler()
{
    platform::SetMessageHandler([](const platform::Message& message) {
        PrintProblem(CurrentFile(), message.text);
        return CautiousAnswer(message.buttons);
    });
}

MessageFile::MessageFile(const QString& path) : previous_(CurrentFile()) { CurrentFile() = path; }

MessageFile::~MessageFile() { CurrentFile() = previous_; }

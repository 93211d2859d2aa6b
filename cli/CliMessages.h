#pragma once
// Where the command line's problems go: standard error, one line each,
// "vantrel-cli: FILE: message" (or "vantrel-cli: message" when no file is
// concerned), with the texts the editor shows in its message boxes. Every
// message of the engines and modules arrives here through the platform's
// message handler, which answers each question with its cautious answer.
#include <QString>

// Exit statuses: success, a negative answer (no match, differs, check failed), trouble.
constexpr int kExitSuccess = 0;
constexpr int kExitNegative = 1;
constexpr int kExitTrouble = 2;

// Installs the handler that prints messages instead of showing boxes.
void InstallCliMessageHandler();

// Prints one problem line; file may be empty.
void PrintProblem(const QString& file, const QString& message);

// Prints the problem and returns kExitTrouble, for "return Fail(...)".
int Fail(const QString& file, const QString& message);

// How many messages have reached standard error so far: a command that
// got a failure from an engine knows the user has been told.
int ReportedMessageCount();

// While it lives, messages that arrive through the handler name this file.
class MessageFile {
public:
    explicit MessageFile(const QString& path);
    ~MessageFile();
    MessageFile(const MessageFile&) = delete;
    MessageFile& operator=(const MessageFile&) = delete;

private:
    QString previous_;
};

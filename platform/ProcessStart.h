#pragma once
// Starting another program on the user's behalf: the program gets exactly the
// arguments given, one each, with no shell in between, so nothing in a file
// name or a selection is ever interpreted as a command.
#include <QString>
#include <QStringList>

namespace platform {

// Whether the arguments fit what the system can hand to a new program: each
// one below the single-argument limit and all of them, with the environment,
// below the total limit.
bool ArgumentsFitSystemLimit(const QString& program, const QStringList& arguments);

// Opens a command as the desktop does: a program (a path, or a name found on
// PATH) starts detached with the arguments in workingDir (the current
// directory when empty); any other existing file opens with the desktop's
// default application. False when nothing could be started.
bool OpenCommand(const QString& command, const QStringList& arguments, const QString& workingDir);

} // namespace platform

#pragma once
// Starting a program that runs on after we exit, with the exact bytes of its
// path, its arguments and its working directory: the toolkit's own process
// start converts them as text, which turns a name that is not UTF-8 into
// another name.
#include <QByteArray>
#include <QList>

namespace platform {

// Starts program (a path) with the arguments (not counting the program's
// own name) in workingDir (the current directory when empty), in a session
// of its own, with the signal dispositions a program expects to inherit.
// Returns 0 once the program runs, else the errno of what failed: changing
// to the directory, or starting the program.
int StartDetached(const QByteArray& program, const QList<QByteArray>& arguments, const QByteArray& workingDir);

} // namespace platform

#pragma once
// "--version" and "--help": answered on standard output without a window,
// before the single-instance check, as command-line users expect. The
// version report lists the modules found next to the program, which is how
// an installation is checked.

// True when the first argument asks for information rather than the editor.
bool IsInformationRequest(int argc, char** argv);

// Prints the answer and returns the exit status. Needs no QApplication; it
// makes its own core application.
int RunInformationRequest(int argc, char** argv);

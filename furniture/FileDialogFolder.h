#pragma once
// Where the file dialogs start: in the folder of the active document, as a
// desktop user expects, and without one in the folder the last dialog was
// closed in. The application tells which document is active; every file
// dialog of the program asks here when it is not given a file or folder.
#include <QString>

#include <functional>

// The folder of the active document, or an empty string without one (or
// when the document has no file yet). An empty function forgets it.
void SetActiveDocumentFolderSource(std::function<QString()> source);

// The folder a file dialog starts in; empty when there is none to suggest.
QString FileDialogStartFolder();
// The folder of a file chosen in a dialog, for the next dialog to start in.
void RememberFileDialogChoice(const QString& chosenPath);

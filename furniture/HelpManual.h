#pragma once
// The user manual: HTML pages built next to the program (bin/manual/) or
// installed with the documentation (share/doc/vantrel/manual/), shown in the
// program's own manual window, which needs no browser. Dialogs' Help buttons
// show the page of their area.
#include <QString>

class CManualWindow;
class IUserInterface;
class QDialogButtonBox;

// The file of one manual page ("index", "editing", ...), or an empty string
// when no manual is installed next to the program.
QString ManualPagePath(const QString& page);

// Shows the page in the manual window (one for the program, brought to the
// front and reused), whose button hands a page to the desktop's browser
// through ui. When the page is missing, tells the user and returns false.
bool OpenManualPage(const QString& page, IUserInterface& ui);

// The manual window while one is open, else null.
CManualWindow* ShownManualWindow();

// Makes the box's Help button (adding one when it has none) open the page.
void ConnectHelpButton(QDialogButtonBox* buttons, const QString& page, IUserInterface& ui);

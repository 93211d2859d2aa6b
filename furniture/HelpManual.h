#pragma once
// The user manual: HTML pages built next to the program (bin/manual/) or
// installed with the documentation (share/doc/vantrel/manual/), shown in the
// program's own manual window, which needs no browser. Dialogs' Help buttons
// show the page of their area.
#include <QString>
#include <QUrl>

#include <functional>

class CManualWindow;
class QDialogButtonBox;

// The file of one manual page ("index", "editing", ...), or an empty string
// when no manual is installed next to the program.
QString ManualPagePath(const QString& page);

// Shows the page in the manual window (one for the program, brought to the
// front and reused). `open` is how its button hands a page to the desktop's
// browser (by default the desktop's own opener). When the page is missing,
// tells the user and returns false.
bool OpenManualPage(const QString& page, const std::function<bool(const QUrl&)>& open = {});

// The manual window while one is open, else null.
CManualWindow* ShownManualWindow();

// Makes the box's Help button (adding one when it has none) open the page.
void ConnectHelpButton(QDialogButtonBox* buttons, const QString& page);

// Tests replace the desktop's browser; an empty function restores it.
void SetManualOpenerForTesting(std::function<bool(const QUrl&)> opener);

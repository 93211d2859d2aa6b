#pragma once
// The user manual: HTML pages built next to the program (bin/manual/) or
// installed with the documentation (share/doc/vantrel/manual/), opened in the
// desktop's browser. Dialogs' Help buttons open the page of their area.
#include <QString>
#include <QUrl>

#include <functional>

// The file of one manual page ("index", "editing", ...), or an empty string
// when no manual is installed next to the program.
QString ManualPagePath(const QString& page);

// Opens the page in the browser, or through `open` when one is given (the
// application's own seam to the desktop). When the page is missing or the
// browser cannot be started, tells the user and returns false.
bool OpenManualPage(const QString& page, const std::function<bool(const QUrl&)>& open = {});

// Makes the box's Help button (adding one when it has none) open the page.
class QDialogButtonBox;
void ConnectHelpButton(QDialogButtonBox* buttons, const QString& page);

// Tests replace the browser; an empty function restores it.
void SetManualOpenerForTesting(std::function<bool(const QUrl&)> opener);

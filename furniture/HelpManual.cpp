#include "HelpManual.h"

#include "ManualWindow.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QUrl>

namespace {

QPointer<CManualWindow>& ShownWindow()
{
    static QPointer<CManualWindow> window;
    return window;
}

// Built: bin/manual next to the program. Installed: the program lives in
// <prefix>/lib/vantrel and the manual in <prefix>/share/doc/vantrel/manual.
QStringList ManualFolders()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    // Programs built beside bin/ (the tests) find the built manual too.
    return {programDir + QStringLiteral("/manual"),
            QDir::cleanPath(programDir + QStringLiteral("/../../share/doc/vantrel/manual")),
            QDir::cleanPath(programDir + QStringLiteral("/../bin/manual"))};
}

} // namespace

QString ManualPagePath(const QString& page)
{
    for (const QString& folder : ManualFolders()) {
        const QString path = folder + QLatin1Char('/') + page + QStringLiteral(".html");
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

CManualWindow* ShownManualWindow() { return ShownWindow().data(); }

bool OpenManualPage(const QString& page, IUserInterface& ui)
{
    const QString path = ManualPagePath(page);
    if (path.isEmpty()) {
        platform::ShowMessage(QStringLiteral("The manual page %1.html was not found next to the program.").arg(page),
                              platform::MsgButtons::Ok, platform::MsgIcon::Error);
        return false;
    }
    const QUrl url = QUrl::fromLocalFile(path);
    // A window opened from a modal dialog must belong to it, or the dialog
    // would block it; otherwise it stays above the window it was asked from.
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner)
        owner = QApplication::activeWindow();
    QPointer<CManualWindow>& window = ShownWindow();
    if (window && (owner == window || owner == window->parentWidget()))
        owner = window->parentWidget();
    if (window && (window->parentWidget() != owner || &window->UserInterface() != &ui)) {
        window->close();
        window = nullptr;
    }
    if (!window) {
        const QUrl contents = QUrl::fromLocalFile(QFileInfo(path).dir().filePath(QStringLiteral("index.html")));
        window = new CManualWindow(contents, ui, owner);
    }
    window->ShowPage(url);
    window->show();
    window->raise();
    window->activateWindow();
    return true;
}

void ConnectHelpButton(QDialogButtonBox* buttons, const QString& page, IUserInterface& ui)
{
    QPushButton* help = buttons->button(QDialogButtonBox::Help);
    if (!help)
        help = buttons->addButton(QDialogButtonBox::Help);
    help->setEnabled(true);
    QObject::connect(help, &QPushButton::clicked, buttons, [page, &ui] { OpenManualPage(page, ui); });
}

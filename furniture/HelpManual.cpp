#include "HelpManual.h"

#include "platform/MessageBox.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QDir>
#include <QFileInfo>

namespace {

std::function<bool(const QUrl&)>& Opener()
{
    static std::function<bool(const QUrl&)> opener;
    return opener;
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

bool OpenManualPage(const QString& page, const std::function<bool(const QUrl&)>& open)
{
    const QString path = ManualPagePath(page);
    if (path.isEmpty()) {
        platform::ShowMessage(QStringLiteral("The manual page %1.html was not found next to the program.").arg(page),
                              platform::MsgButtons::Ok, platform::MsgIcon::Error);
        return false;
    }
    const QUrl url = QUrl::fromLocalFile(path);
    const bool opened = open ? open(url) : Opener() ? Opener()(url) : QDesktopServices::openUrl(url);
    if (!opened)
        platform::ShowMessage(QStringLiteral("The manual %1 could not be opened.").arg(path), platform::MsgButtons::Ok,
                              platform::MsgIcon::Error);
    return opened;
}

void ConnectHelpButton(QDialogButtonBox* buttons, const QString& page)
{
    QPushButton* help = buttons->button(QDialogButtonBox::Help);
    if (!help)
        help = buttons->addButton(QDialogButtonBox::Help);
    help->setEnabled(true);
    QObject::connect(help, &QPushButton::clicked, buttons, [page] { OpenManualPage(page); });
}

void SetManualOpenerForTesting(std::function<bool(const QUrl&)> opener) { Opener() = std::move(opener); }

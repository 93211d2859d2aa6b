// vantrel-cli: the editor's engines and modules from the command line. It
// needs no display and never creates a window.
#include "CliCommand.h"
#include "CliMessages.h"
#include "CliOutput.h"

#include "ext/ExtensionRegistries.h"
#include "platform/BackgroundRemover.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrane"));
    QCoreApplication::setApplicationName(QStringLiteral("Vantrel"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.00"));
    InstallCliMessageHandler();
    int status = RunCommandLine(QCoreApplication::arguments().mid(1));
    if (!FinishStandardOutput())
        status = kExitTrouble;
    ReleaseExtensionModules();
    platform::WaitForPendingRemovals();
    return status;
}

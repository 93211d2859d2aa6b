// The program's entry point: the Qt application, the single-instance guard
// (which exists before start-up runs and until the process ends), the
// application object and its message loop.
#include "app/BinEditApp.h"
#include "app/InformationRequest.h"
#include "platform/FileNames.h"
#include "platform/InstanceChannel.h"
#include "furniture/AppDialogs.h"
#include "furniture/CommandIcons.h"
#include "furniture/DesktopInterface.h"
#include "furniture/MessageBoxHandler.h"

#include <QApplication>

int main(int argc, char** argv)
{
    if (IsInformationRequest(argc, argv))
        return RunInformationRequest(argc, argv);
    QApplication qtApp(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrane"));
    QCoreApplication::setApplicationName(QStringLiteral("Vantrel"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.00"));
    // No application display name: the toolkit would append it to every
    // window title ("Replace — Vantrel"), and the main window's title already
    // names the program.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.kestrane.Vantrel"));
    UseInstalledIconTheme();
    QApplication::setWindowIcon(ProgramIcon());
    InstallMessageBoxHandler();

    platform::InstanceGuard guard;
    CDesktopInterface desktop;
    CBinEditApp app(guard, MakeStandardDialogs(), desktop);
    // Installed before start-up so that a signal during it is not fatal.
    app.InstallTerminationHandler();
    // Names that are not valid UTF-8 must reach the files they name.
    if (!app.InitInstance(platform::DecodeArguments(argc, argv)))
        return app.Forwarded() || app.PrintedOnly() || app.EndedOnRequest() ? 0 : 1;
    const int code = QApplication::exec();
    app.ExitInstance();
    return code;
}

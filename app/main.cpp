// The program's entry point: the Qt application, the single-instance guard
// (which exists before start-up runs and until the process ends), the
// application object and its message loop.
#include "app/BinEditApp.h"
#include "platform/FileNames.h"
#include "platform/InstanceChannel.h"
#include "furniture/AppDialogs.h"
#include "furniture/CommandIcons.h"
#include "furniture/MessageBoxHandler.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qtApp(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrane"));
    QCoreApplication::setApplicationName(QStringLiteral("Vantrel"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.00"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Vantrel"));
    // The main window's title already names the program.
    QGuiApplication::setDesktopFileName(QStringLiteral("vantrel-hex-editor"));
    UseInstalledIconTheme();
    QApplication::setWindowIcon(ProgramIcon());
    InstallMessageBoxHandler();

    platform::InstanceGuard guard;
    CBinEditApp app(guard, MakeStandardDialogs());
    // Names that are not valid UTF-8 must reach the files they name.
    if (!app.InitInstance(platform::DecodeArguments(argc, argv)))
        return app.Forwarded() ? 0 : 1;
    const int code = QApplication::exec();
    app.ExitInstance();
    return code;
}

#include "InformationRequest.h"

#include "ext/ExtensionRegistries.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include <cstring>

namespace {

const char kUsage[] =
    "Usage: vantrel [FILE...]\n"
    "       vantrel /p FILE...          print the files to the default printer\n"
    "       vantrel /pt FILE PRINTER    print FILE to PRINTER (a name ending in .pdf writes that PDF)\n"
    "       vantrel --version           show the version and the modules found\n"
    "       vantrel --help              show this text\n"
    "\n"
    "Settings: ~/.config/Kestrane/Vantrel.ini, or $VANTREL_CONFIG_DIR/Kestrane/Vantrel.ini.\n"
    "See also: man vantrel, and Help > Contents (F1) in the program.\n";

void PrintModules(QTextStream& out, const ExtensionManager& registry)
{
    for (int i = 0; i < registry.ModuleCount(); ++i) {
        const ExtensionModule& module = registry.Module(i);
        const QString firstLine = module.description.section(QLatin1Char('\n'), 0, 0).trimmed();
        out << "  " << QFileInfo(module.path).fileName() << "  " << firstLine << '\n';
    }
}

int PrintVersion()
{
    QTextStream out(stdout);
    out << "Vantrel " << QCoreApplication::applicationVersion() << '\n';
    TaskExtensions& tasks = LoadedTaskRegistry();
    TypeExtensions& types = TypeRegistry();
    types.Load();
    out << "Modules in " << tasks.SearchDirectory() << ":\n";
    PrintModules(out, tasks);
    PrintModules(out, types);
    out.flush();
    ReleaseExtensionModules();
    return 0;
}

} // namespace

bool IsInformationRequest(int argc, char** argv)
{
    return argc > 1 && (std::strcmp(argv[1], "--version") == 0 || std::strcmp(argv[1], "--help") == 0);
}

int RunInformationRequest(int argc, char** argv)
{
    QCoreApplication core(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrane"));
    QCoreApplication::setApplicationName(QStringLiteral("Vantrel"));
    QCoreApplication::setApplicationVersion(QStringLiteral("2.00"));
    if (std::strcmp(argv[1], "--version") == 0)
        return PrintVersion();
    QTextStream(stdout) << kUsage;
    return 0;
}

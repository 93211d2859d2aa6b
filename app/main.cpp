// The program's entry point. Until the main window exists this is the
// smallest honest program: it loads the settings, opens every file named on
// the command line into a document and reports what it holds.
#include "app/SettingsStore.h"
#include "doc/BinEditDoc.h"
#include "platform/SettingsBackend.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTextStream>
#include <memory>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrane"));
    QCoreApplication::setApplicationName(QStringLiteral("Vantrel"));
    QTextStream out(stdout);

    LoadSettings(Settings());
    out << "Vantrel 2.00 (console preview: the main window is not built yet)\n";
    out << "Settings file: " << platform::SettingsFilePath() << "\n";

    const QStringList files = app.arguments().mid(1);
    if (files.isEmpty())
        out << "Name files on the command line to open them, e.g. make run ARGS=\"file.bin\".\n";
    int failures = 0;
    for (const QString& path : files) {
        auto doc = std::make_unique<CBinEditDoc>();
        if (!doc->OnOpenDocument(path)) {
            ++failures;
            continue;
        }
        out << doc->Title() << ": " << QLocale(QLocale::English).toString(doc->Size()) << " bytes\n";
    }
    out.flush();
    return failures == 0 ? 0 : 1;
}

// Main for every GoogleTest executable: a headless application object (a
// QApplication where widgets are tested, built with VANTREL_TEST_WIDGETS; a
// QGuiApplication elsewhere), a private settings folder, so no test touches
// the user's real settings, and a temporary folder of its own, so tests
// running side by side never see each other's temporary files.
#ifdef VANTREL_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Headless, keeping any options of the offscreen platform (a screen layout).
    if (!qEnvironmentVariable("QT_QPA_PLATFORM").startsWith(QLatin1String("offscreen")))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir configDir;
    qputenv("VANTREL_CONFIG_DIR", configDir.path().toLocal8Bit());
    QTemporaryDir tempDir;
    qputenv("TMPDIR", tempDir.path().toLocal8Bit());
    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// Main for every GoogleTest executable: a headless GUI application object and
// a private settings folder, so no test touches the user's real settings.
#include <QGuiApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir configDir;
    qputenv("VANTREL_CONFIG_DIR", configDir.path().toLocal8Bit());
    // A temporary folder of its own, so tests running side by side never see
    // each other's temporary files.
    QTemporaryDir tempDir;
    qputenv("TMPDIR", tempDir.path().toLocal8Bit());
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

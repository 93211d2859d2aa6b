// Main for the tool dialog tests: a headless QApplication and a private
// settings folder.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Headless, keeping any options of the offscreen platform (a screen layout).
    if (!qEnvironmentVariable("QT_QPA_PLATFORM").startsWith(QLatin1String("offscreen")))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir configDir;
    qputenv("VANTREL_CONFIG_DIR", configDir.path().toLocal8Bit());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

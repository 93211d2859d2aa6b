// The modules built with the program (the five shipped ones and the four
// added on the same contract), found by the real discovery in the program's
// folder of this build. Skipped only when none of them has been built.
#include "ext/TaskExtensions.h"
#include "ext/TypeExtensions.h"
#include "types/ValueTypeRegistry.h"

#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>

#include <array>

namespace {

const QString kBinDir = QStringLiteral(VANTREL_MODULE_BIN_DIR);
const QStringList kModules{"Checksum.vtx", "Convert.vtx", "Typext.vtt", "Export.vtx", "Import.vtx",
                           "Digests.vtx", "Firmware.vtx", "Arrays.vtx", "Moretypes.vtt"};

} // namespace

TEST(RealModules, RegisterTheExpectedTasksAndTypes)
{
    QStringList missing;
    for (const QString& name : kModules) {
        if (!QFile::exists(kBinDir + '/' + name))
            missing << name;
    }
    if (missing.size() == kModules.size())
        GTEST_SKIP() << "no module has been built in " << kBinDir.toStdString();
    ASSERT_TRUE(missing.isEmpty()) << "missing modules: " << missing.join(", ").toStdString();

    TaskExtensions tasks(kBinDir);
    tasks.Load();
    EXPECT_EQ(tasks.ModuleCount(), 7);
    // Export: Convert 2 + Export 4 + Firmware 2 + Arrays 6; Import: Convert 2 +
    // Import 1 + Firmware 2; Copy As: Export 5 + Firmware 2 + Arrays 6; Paste As:
    // Import 2 + Firmware 2; Conversion: Convert 11; Checksum: Checksum 4 + Digests 4.
    const std::array<int, TASK_KIND_COUNT> expected{14, 5, 13, 4, 11, 8};
    for (int kind = 0; kind < TASK_KIND_COUNT; ++kind)
        EXPECT_EQ(tasks.TaskCount(kind), expected[size_t(kind)]) << "kind " << kind;

    ValueTypeRegistry registry;
    TypeExtensions types(registry, kBinDir);
    types.Load();
    EXPECT_EQ(types.ModuleCount(), 2);
    EXPECT_EQ(registry.Count(), 12 + 8 + 11);
    // The date and time types need 64 characters, more than any standard type.
    EXPECT_EQ(registry.MaxTextLength(), 64);
}

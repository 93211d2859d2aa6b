// The five shipped modules, found by the real discovery in the program's
// folder of this build. Skipped only when none of them has been built.
#include "ext/TaskExtensions.h"
#include "ext/TypeExtensions.h"
#include "inspect/ValueTypeRegistry.h"

#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>

#include <array>

namespace {

const QString kBinDir = QStringLiteral(VANTREL_MODULE_BIN_DIR);
const QStringList kModules{"Checksum.vtx", "Convert.vtx", "Typext.vtt", "Export.vtx", "Import.vtx"};

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
    EXPECT_EQ(tasks.ModuleCount(), 4);
    // Export: Convert 2 + Export 4; Import: Convert 2 + Import 1; Copy As: Export 5;
    // Paste As: Import 2; Conversion: Convert 11; Checksum: Checksum 4.
    const std::array<int, TASK_KIND_COUNT> expected{6, 3, 5, 2, 11, 4};
    for (int kind = 0; kind < TASK_KIND_COUNT; ++kind)
        EXPECT_EQ(tasks.TaskCount(kind), expected[size_t(kind)]) << "kind " << kind;

    ValueTypeRegistry registry;
    TypeExtensions types(registry, kBinDir);
    types.Load();
    EXPECT_EQ(types.ModuleCount(), 1);
    EXPECT_EQ(registry.Count(), 12 + 8);
    // The date and time types need 64 characters, more than any standard type.
    EXPECT_EQ(registry.MaxTextLength(), 64);
}

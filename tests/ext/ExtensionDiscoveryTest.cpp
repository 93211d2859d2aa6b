// Discovery and registration of task modules: which records are accepted,
// which modules are kept, the order and indices of what is kept, and the
// release of modules.
#include "ModuleTestSupport.h"

#include "ext/TaskExtensions.h"

#include <QDir>
#include <gtest/gtest.h>

#include <vector>

namespace {

QStringList TaskNames(const TaskExtensions& tasks, int kind)
{
    QStringList names;
    for (const TaskEntry& task : tasks.Tasks(kind))
        names << task.name;
    return names;
}

int TotalTasks(const TaskExtensions& tasks)
{
    int total = 0;
    for (int kind = 0; kind < TASK_KIND_COUNT; ++kind)
        total += tasks.TaskCount(kind);
    return total;
}

} // namespace

TEST(TaskDiscovery, AcceptsValidRecordsAndRejectsInvalidOnes)
{
    ModuleDir dir;
    dir.Add("ProbeTasks.vtx", "Probe.vtx");
    TaskExtensions tasks(dir.Path());
    tasks.Load();

    ASSERT_EQ(tasks.ModuleCount(), 1);
    EXPECT_EQ(tasks.Module(0).path, dir.FilePath("Probe.vtx"));
    EXPECT_EQ(tasks.Module(0).description, "Probe Extensions\r\nVersion 1.00\r\nUsed by the tests only");

    // Kind 6, a null handler and a null name are rejected; an empty name is not.
    const ProbeState* probe = ProbeOf(tasks.Module(0).path);
    ASSERT_NE(probe, nullptr);
    const std::vector<int32_t> results(probe->registerResults, probe->registerResults + probe->registerCount);
    EXPECT_EQ(results, (std::vector<int32_t>{1, 1, 1, 1, 1, 1, 0, 0, 0, 1}));

    EXPECT_EQ(TaskNames(tasks, TASK_EXPORT), QStringList{"Probe Export"});
    EXPECT_EQ(TaskNames(tasks, TASK_IMPORT), QStringList{"Probe Import"});
    EXPECT_EQ(TaskNames(tasks, TASK_COPY_AS), QStringList{"Probe Copy"});
    EXPECT_EQ(TaskNames(tasks, TASK_PASTE_AS), QStringList{"Probe Paste"});
    EXPECT_EQ(TaskNames(tasks, TASK_CONVERSION), (QStringList{"Probe Convert", ""}));
    EXPECT_EQ(TaskNames(tasks, TASK_CHECKSUM), QStringList{"Probe Checksum"});

    const TaskEntry& importTask = tasks.Task(TASK_IMPORT, 0);
    EXPECT_EQ(importTask.filter, "*.prb;*.txt");
    EXPECT_TRUE(importTask.description.isEmpty());
    EXPECT_EQ(importTask.id, 11);
    EXPECT_EQ(importTask.moduleIndex, 0);
    const TaskEntry& copyTask = tasks.Task(TASK_COPY_AS, 0);
    EXPECT_EQ(copyTask.description, "Copy the probe way");
    EXPECT_TRUE(copyTask.filter.isEmpty());
    EXPECT_NE(copyTask.handler, nullptr);
    EXPECT_EQ(tasks.Task(TASK_CONVERSION, 1).id, 19);
}

TEST(TaskDiscovery, ModulesWithoutAnAcceptedRecordAreUnloadedAtOnce)
{
    UnloadLog log;
    ModuleDir dir;
    dir.Add("InvalidTasks.vtx", "Invalid.vtx");
    dir.Add("NoExport.vtx", "NoExport.vtx");
    dir.AddJunk("Junk.vtx");
    TaskExtensions tasks(dir.Path());
    tasks.Load();

    EXPECT_TRUE(tasks.IsLoaded());
    EXPECT_EQ(tasks.ModuleCount(), 0);
    EXPECT_EQ(TotalTasks(tasks), 0);
    QStringList unloaded = log.Paths();
    unloaded.sort();
    EXPECT_EQ(unloaded, (QStringList{dir.FilePath("Invalid.vtx"), dir.FilePath("NoExport.vtx")}));
}

TEST(TaskDiscovery, ModuleIndicesCountOnlyKeptModules)
{
    // The file system decides the order; make sure at least one skipped
    // module is listed before a kept one, so a wrong count would show.
    for (int attempt = 0; attempt < 50; ++attempt) {
        ModuleDir dir;
        const QString kept1 = QStringLiteral("Kept%1a.vtx").arg(attempt);
        const QString kept2 = QStringLiteral("Kept%1b.vtx").arg(attempt);
        dir.Add("ProbeTasks.vtx", kept1);
        dir.Add("SecondTasks.vtx", kept2);
        for (int i = 0; i < 3; ++i)
            dir.Add("InvalidTasks.vtx", QStringLiteral("Skipped%1_%2.vtx").arg(attempt).arg(i));
        const QStringList order = DirectoryOrder(dir.Path(), ".vtx");
        if (!order.first().startsWith("Skipped"))
            continue;

        TaskExtensions tasks(dir.Path());
        tasks.Load();
        ASSERT_EQ(tasks.ModuleCount(), 2);
        const int probeIndex = tasks.Module(0).path.endsWith(kept1) ? 0 : 1;
        EXPECT_EQ(tasks.Module(probeIndex).path, dir.FilePath(kept1));
        EXPECT_EQ(tasks.Module(1 - probeIndex).path, dir.FilePath(kept2));
        EXPECT_EQ(tasks.Module(1 - probeIndex).description, QString());
        EXPECT_EQ(tasks.Task(TASK_COPY_AS, 0).moduleIndex, probeIndex);
        for (const TaskEntry& task : tasks.Tasks(TASK_CHECKSUM))
            EXPECT_EQ(task.moduleIndex, task.name == "Second Checksum" ? 1 - probeIndex : probeIndex);
        return;
    }
    FAIL() << "the file system never listed a skipped module first";
}

TEST(TaskDiscovery, EntriesFollowTheFileSystemOrderAndPatternsIgnoreCase)
{
    ModuleDir dir;
    dir.Add("ProbeTasks.vtx", "First.vtx");
    dir.Add("ProbeTasks.vtx", "Second.VTX");
    dir.Add("SecondTasks.vtx", "Third.Vtx");
    dir.Add("ProbeTasks.vtx", "NotAModule.vtx.bak");
    dir.Add("ProbeTasks.vtx", "Types.vtt");
    dir.Add("ProbeTasks.vtx", "Library.so");
    TaskExtensions tasks(dir.Path());
    tasks.Load();

    const QStringList order = DirectoryOrder(dir.Path(), ".vtx");
    ASSERT_EQ(order.size(), 3);
    ASSERT_EQ(tasks.ModuleCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(tasks.Module(i).path, dir.FilePath(order[i]));

    // Export tasks come from all three modules, module by module in load order.
    const std::vector<TaskEntry>& exports = tasks.Tasks(TASK_EXPORT);
    ASSERT_EQ(exports.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(exports[size_t(i)].moduleIndex, i);
        EXPECT_EQ(exports[size_t(i)].name, order[i] == "Third.Vtx" ? "Second Export" : "Probe Export");
    }
}

TEST(TaskDiscovery, RunsOncePerRegistry)
{
    ModuleDir dir;
    dir.Add("ProbeTasks.vtx", "Probe.vtx");
    TaskExtensions tasks(dir.Path());
    tasks.Load();
    dir.Add("SecondTasks.vtx", "Later.vtx");
    tasks.Load();

    EXPECT_EQ(tasks.ModuleCount(), 1);
    EXPECT_EQ(tasks.TaskCount(TASK_CHECKSUM), 1);
}

TEST(TaskDiscovery, MissingDirectoryGivesEmptyLists)
{
    TaskExtensions tasks(QDir::tempPath() + "/vantrel-no-such-directory-for-modules");
    tasks.Load();
    EXPECT_TRUE(tasks.IsLoaded());
    EXPECT_EQ(tasks.ModuleCount(), 0);
    EXPECT_EQ(TotalTasks(tasks), 0);
}

TEST(TaskDiscovery, ReleaseFreesModulesInListOrderAndNeverRescans)
{
    UnloadLog log;
    ModuleDir dir;
    dir.Add("ProbeTasks.vtx", "One.vtx");
    dir.Add("SecondTasks.vtx", "Two.vtx");
    dir.Add("ProbeTasks.vtx", "Three.vtx");
    TaskExtensions tasks(dir.Path());
    tasks.Load();
    ASSERT_EQ(tasks.ModuleCount(), 3);
    const QStringList listOrder{tasks.Module(0).path, tasks.Module(1).path, tasks.Module(2).path};
    EXPECT_TRUE(log.Paths().isEmpty());

    tasks.Release();
    EXPECT_EQ(log.Paths(), listOrder);
    EXPECT_EQ(tasks.ModuleCount(), 0);
    EXPECT_EQ(TotalTasks(tasks), 0);

    tasks.Load();
    EXPECT_EQ(tasks.ModuleCount(), 0);
}

TEST(TaskDiscovery, DestroyingTheRegistryFreesItsModules)
{
    UnloadLog log;
    ModuleDir dir;
    dir.Add("ProbeTasks.vtx", "Probe.vtx");
    {
        TaskExtensions tasks(dir.Path());
        tasks.Load();
        ASSERT_EQ(tasks.ModuleCount(), 1);
    }
    EXPECT_EQ(log.Paths(), QStringList{dir.FilePath("Probe.vtx")});
}

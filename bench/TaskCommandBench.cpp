// Convert Data "Upper Case" and Compute Checksum "SHA-1 Checksum" on a
// 256 MiB document, end to end through the task commands (staging, the task
// on its thread, taking the output back as one undo record), against copying
// the same file with cp in the same run. The same steps are then timed one
// by one to show where the time goes. Best of three runs each, in wall time
// and in processor time (user + system of this process and the tools it
// ran), which other work on a busy machine does not inflate.
#include "BenchFiles.h"

#include "core/BinEditDoc.h"
#include "ext/TaskExtensions.h"
#include "ext/TaskTempFile.h"
#include "platform/MessageBox.h"
#include "settings/AppSettings.h"
#include "tooldialogs/ItemList.h"
#include "tooldialogs/TaskCommands.h"
#include "tooldialogs/ToolDialogSeam.h"
#include "tools/DocumentFeedback.h"
#include "view/BinEditView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QProcess>

#include <cstdio>
#include <functional>
#include <memory>


namespace {

constexpr int64_t kSize = 256 * 1024 * 1024;

Timing BestOfThree(const std::function<bool()>& run, const std::function<void()>& after = {})
{
    return BestOfThreeRuns(run, after);
}

void PrintStep(const char* label, const Timing& t)
{
    std::printf("  %-36s %7.3f   cpu %7.3f\n", label, t.wall, t.cpu);
}

void PrintHostWork(const char* label, const Timing& all, const Timing& task, const Timing& cp)
{
    const double wall = all.wall - task.wall;
    const double cpu = all.cpu - task.cpu;
    std::printf("  %-36s %7.3f   cpu %7.3f   host work %.3f = %.2f x cp, cpu %.3f = %.2f x cp (target <= 1.5)\n", label,
                all.wall, all.cpu, wall, wall / cp.wall, cpu, cpu / cp.cpu);
}

int FindTask(const TaskExtensions& tasks, int kind, const QString& name)
{
    for (int i = 0; i < tasks.TaskCount(kind); ++i)
        if (tasks.Task(kind, i).name == name)
            return i;
    return -1;
}

void SelectAll(CBinEditView& view)
{
    view.SetCaret(0, CaretMode::Move);
    view.SetCaret(view.Document()->Size(), CaretMode::Extend);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Settings().promptForPasteMode = false;
    Settings().undoLevels = 10;
    // A replacement this large is beyond the undo block limit: the user is
    // asked whether to go on without undo, and says yes.
    platform::SetMessageHandler([](const platform::Message&) { return platform::MsgResult::Yes; });

    const QString path = BenchFile(kSize, "tasks256.bin");
    TaskExtensions tasks(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin"));
    tasks.Load();
    const int upper = FindTask(tasks, TASK_CONVERSION, QStringLiteral("Upper Case"));
    const int sha1 = FindTask(tasks, TASK_CHECKSUM, QStringLiteral("SHA-1 Checksum"));
    if (upper < 0 || sha1 < 0) {
        std::fprintf(stderr, "the Convert and Checksum modules were not found next to the program\n");
        return 1;
    }

    DocumentFeedback feedback;
    CBinEditDoc doc(&feedback, HistoryLevels{Settings().undoLevels, Settings().redoLevels});
    if (!doc.OnOpenDocument(path))
        return 1;
    CBinEditView view(&doc);
    view.resize(800, 600);
    view.OnInitialUpdate();

    // The chooser picks the task by name; the checksum dialog closes at once.
    QString wanted;
    SetDialogDriver([&wanted](QDialog& dialog) {
        if (auto* chooser = dynamic_cast<CItemList*>(&dialog)) {
            chooser->List()->setCurrentItem(chooser->List()->findItems(wanted, Qt::MatchExactly).value(0));
            chooser->accept();
            return chooser->result();
        }
        return int(QDialog::Accepted);
    });
    CTaskCommands commands(nullptr, [&view] { return &view; }, {});
    commands.SetTaskRegistry(&tasks);

    const QString copy = path + QStringLiteral(".copy");
    const Timing cp = BestOfThree([&] { return QProcess::execute("cp", {path, copy}) == 0; });
    QFile::remove(copy);

    auto undo = [&view] { view.Undo(); };
    wanted = QStringLiteral("Upper Case");
    const Timing convertAll = BestOfThree([&] {
        view.SetCaret(0, CaretMode::Move);
        commands.ConvertData();
        return doc.IsModified();
    }, undo);
    wanted = QStringLiteral("SHA-1 Checksum");
    const Timing checksumAll = BestOfThree([&] {
        view.SetCaret(0, CaretMode::Move);
        commands.ComputeChecksum();
        return true;
    });

    // The same steps one by one.
    TaskTempFile in;
    TaskTempFile out;
    SelectAll(view);
    const Timing staging = BestOfThree([&] { return view.WriteSelectionToTempFile(in.Path()); });
    // The same bytes saved the way a user's file is (beside, fsync, rename).
    const Timing safeSave = BestOfThree([&] { return view.WriteSelectionToFile(in.Path()); });
    const Timing upperTask = BestOfThree([&] { return tasks.RunTask(TASK_CONVERSION, upper, in.Path(), out.Path(), nullptr); });
    const Timing takeBack = BestOfThree([&] {
        SelectAll(view);
        return view.PasteFromFile(out.Path(), PasteMode::InsertReplaceSelect, true);
    }, undo);
    TaskTempFile report;
    const Timing sha1Task = BestOfThree([&] { return tasks.RunTask(TASK_CHECKSUM, sha1, in.Path(), report.Path(), nullptr); });

    // Deleting the two 256 MiB temporary files a command leaves behind,
    // written just before as a command writes them.
    Timing removal;
    for (int i = 0; i < 3; ++i) {
        auto first = std::make_unique<TaskTempFile>();
        auto second = std::make_unique<TaskTempFile>();
        SelectAll(view);
        if (!view.WriteSelectionToTempFile(first->Path()) || !view.WriteSelectionToTempFile(second->Path()))
            return 1;
        QElapsedTimer timer;
        const double cpuBefore = CpuSeconds();
        timer.start();
        first.reset();
        second.reset();
        removal.wall = std::min(removal.wall, double(timer.nsecsElapsed()) / 1e9);
        removal.cpu = std::min(removal.cpu, CpuSeconds() - cpuBefore);
    }

    std::printf("256 MiB document, best of three, seconds\n");
    PrintStep("cp of the file", cp);
    PrintStep("staging the selection to a file", staging);
    PrintStep("  (as a user's file is saved)", safeSave);
    PrintStep("Upper Case task alone", upperTask);
    PrintStep("taking the output back (paste)", takeBack);
    PrintStep("SHA-1 task alone", sha1Task);
    PrintStep("deleting both temporary files", removal);
    PrintHostWork("Convert Data end to end", convertAll, upperTask, cp);
    PrintHostWork("Compute Checksum end to end", checksumAll, sha1Task, cp);
    return 0;
}

// Convert Data "Upper Case" and Compute Checksum "SHA-1 Checksum" on a
// 256 MiB document, end to end through the task commands (staging, the task
// on its thread, taking the output back as one undo record), against copying
// the same file with cp in the same run. The same steps are then timed one
// by one to show where the time goes. Best of three runs each, in wall time
// and in processor time (user + system of every thread of this process and
// the tools it ran), which other work on a busy machine does not inflate.
// A command hands its temporary files to the background remover and
// returns; the time until it returns and the time the removal still needed
// after that are shown apart.
#include "BenchFiles.h"

#include "core/BinEditDoc.h"
#include "ext/TaskExtensions.h"
#include "ext/TaskTempFile.h"
#include "platform/BackgroundRemover.h"
#include "platform/MessageBox.h"
#include "ext/TaskChoices.h"
#include "settings/AppSettings.h"
#include "tooldialogs/ItemList.h"
#include "tooldialogs/TaskCommands.h"
#include "furniture/DesktopInterface.h"
#include "tools/DocumentFeedback.h"
#include "view/BinEditView.h"
#include "view/CaretController.h"
#include "view/EditCommands.h"
#include "view/ViewClipboard.h"

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

// A command until it returned, and the removal of the temporary files it
// handed over, waited for once it had returned.
struct CommandTiming {
    Timing returned;
    Timing removal;
};

CommandTiming TimeCommand(const std::function<bool()>& run, const std::function<void()>& after = {})
{
    CommandTiming best;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer timer;
        const double cpuBefore = CpuSeconds();
        timer.start();
        if (!run())
            return {{-1, -1}, {-1, -1}};
        const double returnedWall = double(timer.nsecsElapsed()) / 1e9;
        const double returnedCpu = CpuSeconds();
        platform::WaitForPendingRemovals();
        best.returned.wall = std::min(best.returned.wall, returnedWall);
        best.returned.cpu = std::min(best.returned.cpu, returnedCpu - cpuBefore);
        best.removal.wall = std::min(best.removal.wall, double(timer.nsecsElapsed()) / 1e9 - returnedWall);
        best.removal.cpu = std::min(best.removal.cpu, CpuSeconds() - returnedCpu);
        if (after)
            after();
    }
    return best;
}

void PrintHostWork(const char* label, const CommandTiming& all, const Timing& task, const Timing& cp)
{
    const double wall = all.returned.wall - task.wall;
    const double cpu = all.returned.cpu - task.cpu;
    std::printf("  %-36s %7.3f   cpu %7.3f   host work %.3f = %.2f x cp, cpu %.3f = %.2f x cp (target <= 1.5)\n", label,
                all.returned.wall, all.returned.cpu, wall, wall / cp.wall, cpu, cpu / cp.cpu);
    std::printf("  %-36s %7.3f   cpu %7.3f\n", "  then removal in the background", all.removal.wall, all.removal.cpu);
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
    view.CaretControl().SetCaret(0, CaretMode::Move);
    view.CaretControl().SetCaret(view.Document()->Size(), CaretMode::Extend);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    AppSettings settings;
    settings.promptForPasteMode = false;
    settings.undoLevels = 10;
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
    CBinEditDoc doc(&feedback, HistoryLevels{settings.undoLevels, settings.redoLevels});
    if (!doc.OnOpenDocument(path))
        return 1;
    // The chooser picks the task by name; the checksum dialog closes at once.
    struct ChooserAnswers : CDesktopInterface {
        QString wanted;
        int RunDialog(QDialog& dialog) override
        {
            if (auto* chooser = dynamic_cast<CItemList*>(&dialog)) {
                chooser->List()->setCurrentItem(chooser->List()->findItems(wanted, Qt::MatchExactly).value(0));
                chooser->accept();
                return chooser->result();
            }
            return int(QDialog::Accepted);
        }
    } ui;
    CBinEditView view(&doc, settings, ui);
    view.resize(800, 600);
    view.OnInitialUpdate();

    QString& wanted = ui.wanted;
    TaskChoices choices;
    CTaskCommands commands(
        nullptr, [&view] { return &view; }, {}, choices, settings, ui);
    commands.SetTaskRegistry(&tasks);

    const QString copy = path + QStringLiteral(".copy");
    const Timing cp = BestOfThree([&] { return QProcess::execute("cp", {path, copy}) == 0; });
    QFile::remove(copy);

    auto undo = [&view] { view.Edits().Undo(); };
    wanted = QStringLiteral("Upper Case");
    const CommandTiming convertAll = TimeCommand(
        [&] {
            view.CaretControl().SetCaret(0, CaretMode::Move);
            commands.ConvertData();
            return doc.IsModified();
        },
        undo);
    wanted = QStringLiteral("SHA-1 Checksum");
    const CommandTiming checksumAll = TimeCommand([&] {
        view.CaretControl().SetCaret(0, CaretMode::Move);
        commands.ComputeChecksum();
        return true;
    });

    // The same steps one by one. Each run writes a new, empty file, as the
    // command does: emptying last run's 256 MiB file would add the freeing of
    // its blocks. The file of the run before is removed between runs.
    std::unique_ptr<TaskTempFile> written;
    std::unique_ptr<TaskTempFile> kept;
    auto keepLast = [&] {
        kept.reset();
        platform::WaitForPendingRemovals();
        kept = std::move(written);
    };
    SelectAll(view);
    const Timing staging = BestOfThree([&] {
        written = std::make_unique<TaskTempFile>();
        return view.Clipboard().WriteSelectionToTempFile(written->Path());
    }, keepLast);
    const std::unique_ptr<TaskTempFile> staged = std::move(kept);
    // The same bytes saved the way a user's file is (beside, fsync, rename).
    const QString saved = path + QStringLiteral(".saved");
    const Timing safeSave =
        BestOfThree([&] { return view.Clipboard().WriteSelectionToFile(saved); }, [&] { QFile::remove(saved); });
    const TaskTempFile& in = *staged;
    const Timing upperTask = BestOfThree([&] {
        written = std::make_unique<TaskTempFile>();
        return tasks.RunTask(TASK_CONVERSION, upper, in.Path(), written->Path(), nullptr);
    }, keepLast);
    const std::unique_ptr<TaskTempFile> upperOutput = std::move(kept);
    const TaskTempFile& out = *upperOutput;
    const Timing takeBack = BestOfThree([&] {
        SelectAll(view);
        return view.Clipboard().PasteFromFile(out.Path(), PasteMode::InsertReplaceSelect, true);
    }, undo);
    TaskTempFile report;
    const Timing sha1Task = BestOfThree([&] { return tasks.RunTask(TASK_CHECKSUM, sha1, in.Path(), report.Path(), nullptr); });

    // Deleting the two 256 MiB temporary files a command leaves behind,
    // written just before as a command writes them: handing them over, and
    // their removal on the remover's thread.
    Timing handOver;
    Timing removal;
    for (int i = 0; i < 3; ++i) {
        auto first = std::make_unique<TaskTempFile>();
        auto second = std::make_unique<TaskTempFile>();
        SelectAll(view);
        if (!view.Clipboard().WriteSelectionToTempFile(first->Path()) ||
            !view.Clipboard().WriteSelectionToTempFile(second->Path()))
            return 1;
        QElapsedTimer timer;
        const double cpuBefore = CpuSeconds();
        timer.start();
        first.reset();
        second.reset();
        const double handedWall = double(timer.nsecsElapsed()) / 1e9;
        const double handedCpu = CpuSeconds();
        platform::WaitForPendingRemovals();
        handOver.wall = std::min(handOver.wall, handedWall);
        handOver.cpu = std::min(handOver.cpu, handedCpu - cpuBefore);
        removal.wall = std::min(removal.wall, double(timer.nsecsElapsed()) / 1e9 - handedWall);
        removal.cpu = std::min(removal.cpu, CpuSeconds() - handedCpu);
    }

    std::printf("256 MiB document, best of three, seconds\n");
    PrintStep("cp of the file", cp);
    PrintStep("staging the selection to a file", staging);
    PrintStep("  (as a user's file is saved)", safeSave);
    PrintStep("Upper Case task alone", upperTask);
    PrintStep("taking the output back (paste)", takeBack);
    PrintStep("SHA-1 task alone", sha1Task);
    PrintStep("handing both temporary files over", handOver);
    PrintStep("  their removal in the background", removal);
    PrintHostWork("Convert Data end to end", convertAll, upperTask, cp);
    PrintHostWork("Compute Checksum end to end", checksumAll, sha1Task, cp);
    return 0;
}

// Convert Data "Upper Case" and Compute Checksum "SHA-1 Checksum" on a
// 256 MiB document, end to end through the task commands (staging, the task
// on its thread, taking the output back as one undo record), against copying
// the same file with cp in the same run. The same steps are then timed one
// by one to show where the time goes. Best of three runs each.
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

namespace {

constexpr int64_t kSize = 256 * 1024 * 1024;

double BestOfThree(const std::function<bool()>& run, const std::function<void()>& after = {})
{
    double best = 1e30;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!run())
            return -1;
        best = std::min(best, double(timer.nsecsElapsed()) / 1e9);
        if (after)
            after();
    }
    return best;
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
    const double cp = BestOfThree([&] { return QProcess::execute("cp", {path, copy}) == 0; });
    QFile::remove(copy);

    auto undo = [&view] { view.Undo(); };
    wanted = QStringLiteral("Upper Case");
    const double convertAll = BestOfThree([&] {
        view.SetCaret(0, CaretMode::Move);
        commands.ConvertData();
        return doc.IsModified();
    }, undo);
    wanted = QStringLiteral("SHA-1 Checksum");
    const double checksumAll = BestOfThree([&] {
        view.SetCaret(0, CaretMode::Move);
        commands.ComputeChecksum();
        return true;
    });

    // The same steps one by one.
    TaskTempFile in;
    TaskTempFile out;
    SelectAll(view);
    const double staging = BestOfThree([&] { return view.WriteSelectionToFile(in.Path()); });
    const double upperTask = BestOfThree([&] { return tasks.RunTask(TASK_CONVERSION, upper, in.Path(), out.Path(), nullptr); });
    const double takeBack = BestOfThree([&] {
        SelectAll(view);
        return view.PasteFromFile(out.Path(), PasteMode::InsertReplaceSelect, true);
    }, undo);
    TaskTempFile report;
    const double sha1Task = BestOfThree([&] { return tasks.RunTask(TASK_CHECKSUM, sha1, in.Path(), report.Path(), nullptr); });

    std::printf("256 MiB document, best of three, seconds\n");
    std::printf("  cp of the file                      %7.3f\n", cp);
    std::printf("  staging the selection to a file     %7.3f\n", staging);
    std::printf("  Upper Case task alone               %7.3f\n", upperTask);
    std::printf("  taking the output back (paste)      %7.3f\n", takeBack);
    std::printf("  SHA-1 task alone                    %7.3f\n", sha1Task);
    std::printf("  Convert Data end to end             %7.3f   host work %.3f = %.2f x cp (target <= 1.5 per file pass)\n",
                convertAll, convertAll - upperTask, (convertAll - upperTask) / cp);
    std::printf("  Compute Checksum end to end         %7.3f   host work %.3f = %.2f x cp (target <= 1.5)\n",
                checksumAll, checksumAll - sha1Task, (checksumAll - sha1Task) / cp);
    return 0;
}

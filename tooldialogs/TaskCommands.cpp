#include "TaskCommands.h"

#include "ChecksumDlg.h"
#include "ItemList.h"
#include "TaskProgressDlg.h"
#include "core/BinEditDoc.h"
#include "ext/ExtensionRegistries.h"
#include "ext/TaskArgsBlock.h"
#include "ext/TaskChoices.h"
#include "ext/TaskExtensions.h"
#include "ext/TaskFileFilter.h"
#include "ext/TaskResultMessage.h"
#include "ext/TaskTempFile.h"
#include "ext/TaskTexts.h"
#include "ext/UserFileStandIn.h"
#include "platform/FileErrors.h"
#include "platform/FileNames.h"
#include "platform/FileReader.h"
#include "platform/MessageBox.h"
#include "platform/StatusHooks.h"
#include "platform/TempFile.h"
#include "platform/TerminationSignal.h"
#include "settings/AppSettings.h"
#include "view/BinEditView.h"
#include "view/CaretController.h"
#include "view/EditCommands.h"
#include "view/ViewClipboard.h"

#include <QFileInfo>
#include <QPointer>

#include <cerrno>
#include <memory>
#include <new>

namespace {

// A checksum report is a few lines; anything past this is a broken module,
// not text worth showing.
constexpr int64_t kMaxReportBytes = 16 * 1024 * 1024;

TaskViewParams ParamsOf(const CBinEditView& view)
{
    TaskViewParams params;
    params.documentTitle = view.Document()->Title();
    params.bytesPerRow = view.BytesPerRow();
    params.hasSelection = view.Caret().hasSelection;
    params.selectionStart = view.Caret().selStart;
    return params;
}


// Clears the progress text however the run ends.
class StatusText {
public:
    explicit StatusText(const QString& text) { platform::ShowStatusText(text); }
    ~StatusText() { platform::ShowStatusText(QString()); }
    StatusText(const StatusText&) = delete;
    StatusText& operator=(const StatusText&) = delete;
};

void ShowNoExtensions()
{
    platform::ShowMessage(NoExtensionsText(), platform::MsgButtons::Ok, platform::MsgIcon::Information);
}

} // namespace

CTaskCommands::CTaskCommands(QWidget* dialogParent, ActiveViewFn activeView, OpenImportedFn openImported,
                             TaskChoices& choices, const AppSettings& settings, IUserInterface& ui)
    : parent_(dialogParent), activeView_(std::move(activeView)), openImported_(std::move(openImported)),
      choices_(choices), settings_(settings), ui_(ui)
{
}

TaskExtensions& CTaskCommands::Tasks()
{
    TaskExtensions& tasks = tasks_ ? *tasks_ : LoadedTaskRegistry();
    tasks.Load();
    if (!tasks.OwnerWindow())
        tasks.SetOwnerWindow(parent_);
    tasks.SetLayoutSource([this] { return TaskLayoutOf(settings_); });
    return tasks;
}

// ---------------------------------------------------------------- enabling

bool CTaskCommands::CanCopyAs(const CBinEditView* view)
{
    return view && view->Document() && view->Caret().hasSelection;
}

bool CTaskCommands::CanPasteAs(const CBinEditView* view) { return view && view->Clipboard().CanPaste(); }

bool CTaskCommands::CanConvertData(const CBinEditView* view)
{
    const CBinEditDoc* doc = view ? view->Document() : nullptr;
    return doc && !doc->IsReadOnly() && doc->Size() > 0;
}

bool CTaskCommands::CanComputeChecksum(const CBinEditView* view) { return CanConvertData(view); }

// ---------------------------------------------------------------- running

bool CTaskCommands::RunInBackground(int kind, int index, const QString& input, const QString& output,
                                    const TaskViewParams* view)
{
    TaskExtensions& tasks = Tasks();
    const TaskEntry& task = tasks.Task(kind, index);
    StatusText status(TaskProgressText(kind));
    platform::WaitCursor wait;
    TaskRunTarget target;
    target.kind = uint32_t(kind);
    target.id = task.id;
    target.inputPath = input;
    target.outputPath = output;
    target.ownerWindow = tasks.OwnerWindow();
    target.view = view;
    if (const QString refusal = TaskOffsetRefusal(task, target); !refusal.isEmpty()) {
        platform::ShowMessage(refusal);
        return false;
    }
    // A running handler cannot be stopped; a request to end the program
    // waits for it, its output is abandoned, and the exit follows once the
    // command has returned.
    platform::TerminationHold running;
    try {
        const TaskArgsBlock block(target, tasks.CurrentLayout());
        const BackgroundResult run = RunHandlerWithProgress(parent_, task.name, task.handler, block.Args());
        if (platform::TerminationPending())
            return false;
        if (run.outOfMemory) {
            platform::ShowMessage(platform::OutOfMemoryText());
            return false;
        }
        ReportTaskResult(run.result);
        return run.result == TASK_RESULT_SUCCESS;
    } catch (const std::bad_alloc&) {
        platform::ShowMessage(platform::OutOfMemoryText());
        return false;
    }
}

// ---------------------------------------------------------------- Import and Export

FileRequest TaskFileRequest(FileChoice kind, const QString& title, const QStringList& fileTypes, int startType)
{
    FileRequest request;
    request.kind = kind;
    request.title = title;
    request.nameFilters = fileTypes;
    if (startType >= 1 && startType <= fileTypes.size())
        request.selectedFilter = fileTypes[startType - 1];
    return request;
}

std::optional<CTaskCommands::ChosenTaskFile>
CTaskCommands::ChooseFileForTask(int kind, FileChoice dialogKind, const QString& title, int& rememberedFileType)
{
    TaskExtensions& tasks = Tasks();
    const int count = tasks.TaskCount(kind);
    const int start = StartFileType(rememberedFileType, count);
    const FileRequest request = TaskFileRequest(dialogKind, title, TaskNameFilters(tasks.Tasks(kind)), start);
    const std::optional<FileAnswer> answer = ui_.ChooseFile(parent_, request);
    if (!answer)
        return std::nullopt;
    // File types are counted from 1; a filter the list lacks keeps the start.
    const int chosen = int(request.nameFilters.indexOf(answer->filter)) + 1;
    rememberedFileType = StartFileType(chosen >= 1 ? chosen : start, count);
    return ChosenTaskFile{answer->path, rememberedFileType - 1};
}

void CTaskCommands::Import()
{
    if (Tasks().TaskCount(TASK_IMPORT) == 0) {
        ShowNoExtensions();
        return;
    }
    const std::optional<ChosenTaskFile> chosen =
        ChooseFileForTask(TASK_IMPORT, FileChoice::Open, QStringLiteral("Import File"), choices_.importFileType);
    if (!chosen)
        return;

    const std::optional<UserFileStandIn> input = UserFileStandIn::ForInput(chosen->path);
    if (!input)
        return;
    const std::unique_ptr<TaskTempFile> output = MakeTaskTempFileOrReport();
    if (!output)
        return;
    if (!RunInBackground(TASK_IMPORT, chosen->index, input->ModulePath(), output->Path(), nullptr))
        return;
    if (openImported_)
        openImported_(output->Path());
}

void CTaskCommands::Export()
{
    if (Tasks().TaskCount(TASK_EXPORT) == 0) {
        ShowNoExtensions();
        return;
    }
    CBinEditView* view = activeView_();
    if (!view || !view->Document())
        return;
    const std::optional<ChosenTaskFile> chosen =
        ChooseFileForTask(TASK_EXPORT, FileChoice::Save, QStringLiteral("Export File"), choices_.exportFileType);
    if (!chosen)
        return;
    const int index = chosen->index;

    const QString path = WithExportExtension(chosen->path, Tasks().Task(TASK_EXPORT, index).filter);
    // The dialog asked about the name as typed; a name that only now got its
    // extension may be another existing file.
    if (path != chosen->path && platform::FileNameExists(path)
        && platform::ShowMessage(
               QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(platform::DisplayFileName(path)),
               platform::MsgButtons::YesNo, platform::MsgIcon::Warning)
               != platform::MsgResult::Yes)
        return;

    const std::unique_ptr<TaskTempFile> input = MakeTaskTempFileOrReport();
    if (!input || !view->Document()->SaveCopyToTempFile(input->Path()))
        return;
    std::optional<UserFileStandIn> output = UserFileStandIn::ForOutput(path);
    if (!output)
        return;
    const TaskViewParams params = ParamsOf(*view);
    if (RunInBackground(TASK_EXPORT, index, input->Path(), output->ModulePath(), &params))
        output->Deliver();
}

// ---------------------------------------------------------------- Copy As and Paste As

void CTaskCommands::CopyAs()
{
    CBinEditView* view = activeView_();
    if (!CanCopyAs(view))
        return;
    TaskExtensions& tasks = Tasks();
    const std::optional<int> index =
        CItemList::Choose(tasks, choices_, ChooserMode::CopyAs, kCommandIdCopyAs, parent_, ui_);
    if (!index)
        return;
    const std::unique_ptr<TaskTempFile> input = MakeTaskTempFileOrReport();
    if (!input || !view->Clipboard().WriteSelectionToTempFile(input->Path()))
        return;
    const TaskViewParams params = ParamsOf(*view);
    // The module may show a message box meanwhile.
    platform::TerminationHold running;
    tasks.RunTask(TASK_COPY_AS, *index, input->Path(), QString(), &params);
}

void CTaskCommands::PasteAs()
{
    CBinEditView* view = activeView_();
    if (!CanPasteAs(view))
        return;
    TaskExtensions& tasks = Tasks();
    const std::optional<int> index =
        CItemList::Choose(tasks, choices_, ChooserMode::PasteAs, kCommandIdPasteAs, parent_, ui_);
    if (!index)
        return;
    const std::unique_ptr<TaskTempFile> output = MakeTaskTempFileOrReport();
    if (!output)
        return;
    const TaskViewParams params = ParamsOf(*view);
    // The module may show a message box meanwhile; asked to end the program
    // then, the output is abandoned.
    platform::TerminationHold running;
    if (tasks.RunTask(TASK_PASTE_AS, *index, QString(), output->Path(), &params) && !platform::TerminationPending())
        view->Clipboard().PasteFromFile(output->Path(), PasteMode::Normal, true);
}

// ---------------------------------------------------------------- Convert Data and Compute Checksum

bool CTaskCommands::RunOnSelection(int kind,
                                   const std::function<void(CBinEditView& view, const QString& output)>& take)
{
    CBinEditView* view = activeView_();
    if (!view || !view->Document())
        return false;
    TaskExtensions& tasks = Tasks();
    const bool selectAll = !view->Caret().hasSelection;
    const int64_t caretBefore = view->Caret().Offset();
    if (selectAll) {
        view->CaretControl().SetCaret(0, CaretMode::Move);
        view->CaretControl().SetCaret(view->Document()->Size(), CaretMode::Extend);
    }
    const bool convert = kind == TASK_CONVERSION;
    const std::optional<int> index =
        CItemList::Choose(tasks, choices_, convert ? ChooserMode::ConvertData : ChooserMode::Checksum,
                          convert ? kCommandIdConvertData : kCommandIdComputeChecksum, parent_, ui_);
    if (!index) {
        if (selectAll)
            view->CaretControl().SetCaret(caretBefore, CaretMode::Move);
        return false;
    }
    const std::unique_ptr<TaskTempFile> input = MakeTaskTempFileOrReport();
    if (!input)
        return false;
    const std::unique_ptr<TaskTempFile> output = MakeTaskTempFileOrReport();
    if (!output || !view->Clipboard().WriteSelectionToTempFile(input->Path()))
        return false;
    const TaskViewParams params = ParamsOf(*view);
    QPointer<CBinEditView> guard(view);
    if (!RunInBackground(kind, *index, input->Path(), output->Path(), &params) || !guard)
        return false;
    // Removing the input while the output is read back would slow the
    // reading (both work on the page cache); it goes with the output, after.
    take(*view, output->Path());
    return true;
}

void CTaskCommands::ConvertData()
{
    if (!CanConvertData(activeView_()))
        return;
    RunOnSelection(TASK_CONVERSION, [](CBinEditView& view, const QString& output) {
        if (QFileInfo(output).size() == 0) {
            view.Edits().DeleteSelection();
            return;
        }
        // One undoable replacement, streamed from the file; afterwards the
        // caret stands after the new bytes with nothing selected.
        if (view.Clipboard().PasteFromFile(output, PasteMode::InsertReplaceSelect, true))
            view.CaretControl().SetCaret(view.Caret().hasSelection ? view.Caret().selEnd : view.Caret().Offset(),
                                         CaretMode::Move);
    });
}

void CTaskCommands::ComputeChecksum()
{
    if (!CanComputeChecksum(activeView_()))
        return;
    std::optional<QByteArray> report;
    const bool ran = RunOnSelection(TASK_CHECKSUM, [&report](CBinEditView&, const QString& output) {
        report = ReadTaskOutput(output, kMaxReportBytes);
    });
    // The temporary files are being removed while the user reads.
    if (!ran || !report)
        return;
    CChecksumDlg dialog(ChecksumReportText(*report), parent_);
    ui_.RunDialog(dialog);
}

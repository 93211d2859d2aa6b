#include "TaskFileDialog.h"

#include <QFileDialog>

namespace {
TaskFileHook& Hook()
{
    static TaskFileHook hook;
    return hook;
}
} // namespace

TaskFileHook SetTaskFileHook(TaskFileHook hook)
{
    TaskFileHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

std::optional<TaskFileAnswer> ChooseTaskFile(QWidget* parent, const TaskFileRequest& request)
{
    if (Hook())
        return Hook()(request);
    QFileDialog dialog(parent, request.title);
    const bool importing = request.kind == TaskFileDialogKind::Import;
    dialog.setAcceptMode(importing ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(importing ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setNameFilters(request.filters);
    if (request.filterIndex >= 1 && request.filterIndex <= request.filters.size())
        dialog.selectNameFilter(request.filters[request.filterIndex - 1]);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    TaskFileAnswer answer;
    answer.path = dialog.selectedFiles().first();
    answer.filterIndex = int(request.filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (answer.filterIndex < 1)
        answer.filterIndex = request.filterIndex;
    return answer;
}

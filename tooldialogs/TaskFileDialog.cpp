#include "TaskFileDialog.h"

#include "furniture/AnyNameFileDialog.h"

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
    // Lists and returns names that are not UTF-8 as well, by their exact bytes.
    CAnyNameFileDialog dialog(parent, request.title);
    const bool importing = request.kind == TaskFileDialogKind::Import;
    dialog.setAcceptMode(importing ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(importing ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setNameFilters(request.filters);
    if (request.filterIndex >= 1 && request.filterIndex <= request.filters.size())
        dialog.selectNameFilter(request.filters[request.filterIndex - 1]);
    dialog.exec();
    TaskFileAnswer answer;
    answer.path = dialog.ChosenPath();
    if (answer.path.isEmpty())
        return std::nullopt;
    answer.filterIndex = int(request.filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (answer.filterIndex < 1)
        answer.filterIndex = request.filterIndex;
    return answer;
}

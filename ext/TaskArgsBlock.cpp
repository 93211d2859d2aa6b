#include "TaskArgsBlock.h"


#include <algorithm>
#include <cstring>
#include <limits>

namespace {

constexpr int kFirstSelectionKind = TASK_COPY_AS;

const char16_t* OrNull(const std::u16string& text) { return text.empty() ? nullptr : text.c_str(); }

// Export and Import always work on whole files: their offset is 0.
int64_t TargetOffset(const TaskRunTarget& target)
{
    const bool selectionKind = int(target.kind) >= kFirstSelectionKind;
    return target.view && selectionKind && target.view->hasSelection ? target.view->selectionStart : 0;
}

bool FitsInOffset32(int64_t offset) { return offset <= std::numeric_limits<int32_t>::max(); }

} // namespace

QString TaskOffsetRefusal(const TaskEntry& task, const TaskRunTarget& target)
{
    const int64_t offset = TargetOffset(target);
    if (task.readsOffset64 || FitsInOffset32(offset))
        return QString();
    return QStringLiteral("\"%1\" cannot run here: its module knows only offsets below 2147483648, and the "
                          "selection starts at %2.")
        .arg(task.name)
        .arg(offset);
}

TaskArgsBlock::TaskArgsBlock(const TaskRunTarget& target, const TaskLayout& layout)
    : inputPath_(target.inputPath.toStdU16String()),
      outputPath_(target.outputPath.toStdU16String())
{
    // Everything is cleared first, so reserved bytes and unused colour slots
    // are zero whatever the layout holds.
    std::memset(&args_, 0, sizeof(args_));
    args_.kind = target.kind;
    args_.id = target.id;
    args_.inputPath = OrNull(inputPath_);
    args_.outputPath = OrNull(outputPath_);
    args_.ownerWindow = target.ownerWindow;
    if (target.kind == TASK_CHECKSUM)
        args_.reportLines = target.reportLines;
    FillFromLayout(layout);
    FillFromView(target, layout);
}

void TaskArgsBlock::FillFromLayout(const TaskLayout& layout)
{
    args_.offsetRadix = layout.offsetRadix;
    args_.groupBy = layout.groupBy;
    args_.columns = layout.columns;
    args_.showDash = layout.showDash;
    args_.showAllChars = layout.showAllChars;
    args_.font = layout.font;
    std::copy(std::begin(layout.colors), std::end(layout.colors), std::begin(args_.colors));
}

void TaskArgsBlock::FillFromView(const TaskRunTarget& target, const TaskLayout& layout)
{
    if (!target.view) {
        fileName_ = u"Untitled";
        args_.fileName = fileName_.c_str();
        args_.bytesPerRow = layout.bytesPerRow;
        args_.argsVersion = VANTREL_TASK_ARGS_VERSION;
        return;
    }
    const TaskViewParams& view = *target.view;
    fileName_ = view.documentTitle.toStdU16String();
    args_.fileName = fileName_.c_str();
    args_.bytesPerRow = view.bytesPerRow;
    const int64_t offset = TargetOffset(target);
    args_.offset64 = offset;
    args_.argsVersion = VANTREL_TASK_ARGS_VERSION;
    // Modules that read only this field never run where it cannot hold the
    // offset (TaskOffsetRefusal); the others read offset64.
    args_.offset = FitsInOffset32(offset) ? int32_t(offset) : 0;
}

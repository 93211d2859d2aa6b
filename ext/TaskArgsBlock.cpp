#include "TaskArgsBlock.h"


#include <algorithm>
#include <cstring>

namespace {

constexpr int kFirstSelectionKind = TASK_COPY_AS;

const char16_t* OrNull(const std::u16string& text) { return text.empty() ? nullptr : text.c_str(); }

} // namespace

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
        args_.offset = 0;
        return;
    }
    const TaskViewParams& view = *target.view;
    fileName_ = view.documentTitle.toStdU16String();
    args_.fileName = fileName_.c_str();
    args_.bytesPerRow = view.bytesPerRow;
    // Export and Import always work on whole files.
    const bool selectionKind = target.kind >= kFirstSelectionKind;
    args_.offset = selectionKind && view.hasSelection ? view.selectionStart : 0;
}

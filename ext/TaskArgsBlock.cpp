#include "TaskArgsBlock.h"

#include "settings/AppSettings.h"
#include "ext/SystemColorResolver.h"

#include <cstring>

namespace {

constexpr int kFirstSelectionKind = TASK_COPY_AS;

TaskFont ToTaskFont(const platform::FontRecord& font)
{
    TaskFont out{};
    out.height = font.height;
    out.width = font.width;
    out.escapement = font.escapement;
    out.orientation = font.orientation;
    out.weight = font.weight;
    out.italic = font.italic;
    out.underline = font.underline;
    out.strikeOut = font.strikeOut;
    out.charSet = font.charSet;
    out.outPrecision = font.outPrecision;
    out.clipPrecision = font.clipPrecision;
    out.quality = font.quality;
    out.pitchAndFamily = font.pitchAndFamily;
    static_assert(sizeof(out.faceName) == sizeof(font.faceName));
    std::memcpy(out.faceName, font.faceName, sizeof(out.faceName));
    return out;
}

const char16_t* OrNull(const std::u16string& text) { return text.empty() ? nullptr : text.c_str(); }

} // namespace

int GroupSizeForSetting(int groupBy) { return groupBy >= 0 && groupBy <= 3 ? 1 << groupBy : 1; }

TaskArgsBlock::TaskArgsBlock(const TaskRunTarget& target, const AppSettings& settings)
    : inputPath_(target.inputPath.toStdU16String()),
      outputPath_(target.outputPath.toStdU16String())
{
    // Everything is cleared first, so reserved bytes and unused colour slots
    // are zero whatever the settings hold.
    std::memset(&args_, 0, sizeof(args_));
    args_.kind = target.kind;
    args_.id = target.id;
    args_.inputPath = OrNull(inputPath_);
    args_.outputPath = OrNull(outputPath_);
    args_.ownerWindow = target.ownerWindow;
    if (target.kind == TASK_CHECKSUM)
        args_.reportLines = target.reportLines;
    FillFromSettings(settings);
    FillFromView(target, settings);
}

void TaskArgsBlock::FillFromSettings(const AppSettings& settings)
{
    args_.offsetRadix = settings.offsetFormat == 1 ? 16 : 10;
    args_.groupBy = GroupSizeForSetting(settings.groupBy);
    args_.columns = settings.columns;
    args_.showDash = settings.showDash ? 1 : 0;
    args_.showAllChars = settings.showAllChars ? 1 : 0;
    args_.font = ToTaskFont(settings.font2);
    for (int slot = 0; slot < AppSettings::UsedColorCount; ++slot)
        args_.colors[slot] = ResolveColor(settings.colors[slot]);
}

void TaskArgsBlock::FillFromView(const TaskRunTarget& target, const AppSettings& settings)
{
    if (!target.view) {
        fileName_ = u"Untitled";
        args_.fileName = fileName_.c_str();
        args_.bytesPerRow = settings.bytesPerRow;
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

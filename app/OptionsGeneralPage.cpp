#include "OptionsGeneralPage.h"

#include "app/OptionsState.h"
#include "platform/MessageBox.h"
#include "tooldialogs/IntEdit.h"
#include "types/IntegerText.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <optional>

namespace {

// The boxes in page order; each reads and writes one field of the state.
struct BoxSpec {
    const char* text;
    bool OptionsState::*bar;
    bool AppSettings::*setting;
};

const BoxSpec kBoxes[] = {
    {"&Create new file on startup", nullptr, &AppSettings::newFile},
    {"Offer in fil&e managers' Open With menu", nullptr, &AppSettings::addToExplorerMenu},
    {"Allow &multiple instances", nullptr, &AppSettings::multipleInstances},
    {"&Flicker-free screen updates", nullptr, &AppSettings::flickerFreePainting},
    {"Pri&nt in black and white", nullptr, &AppSettings::printBlackWhite},
    {"&Scroll tracking", nullptr, &AppSettings::scrollTracking},
    {"Show &all characters", nullptr, &AppSettings::showAllChars},
    {"S&how standard toolbar", &OptionsState::standardBar, nullptr},
    {"Show boo&kmarks toolbar", &OptionsState::bookmarksBar, nullptr},
    {"Show status &bar", &OptionsState::statusBar, nullptr},
    {"&Overstrike mode on startup", nullptr, &AppSettings::overstrikeOnStartup},
    {"O&verwrite paste mode", nullptr, &AppSettings::pasteOverwrite},
    {"&Prompt for paste mode", nullptr, &AppSettings::promptForPasteMode},
    {"&Typing replaces selection", nullptr, &AppSettings::replaceSelection},
    {"&Drag and drop editing", nullptr, &AppSettings::dragAndDrop},
    {"&Warn when cannot undo", nullptr, &AppSettings::warnCantUndo},
};
constexpr int kLeftColumnBoxes = 10;

bool& Field(OptionsState& state, const BoxSpec& spec)
{
    return spec.bar ? state.*spec.bar : state.settings.*spec.setting;
}

// The number fields of the right column, in page order: the history levels,
// then how big files are read.
struct NumberSpec {
    const char* label;
    const char* toolTip;
    int AppSettings::*setting;
    int minimum;
    int maximum;
};

const NumberSpec kNumbers[] = {
    {"&Undo:", nullptr, &AppSettings::undoLevels, 0, kMaxUndoLevels},
    {"&Redo:", nullptr, &AppSettings::redoLevels, 0, kMaxUndoLevels},
    {"&Large files from (MiB):",
     "Files larger than this open at once and are read from the disk only where needed; smaller files are read wholly "
     "when they open.",
     &AppSettings::extentThresholdMiB, 0, kMaxExtentThresholdMiB},
    {"Read cache s&ize (MiB):", "Memory shared by every open document for the bytes read from large files.",
     &AppSettings::blockCacheMiB, kMinBlockCacheMiB, kMaxBlockCacheMiB},
};

std::optional<int> NumberIn(const CIntEdit* field, const NumberSpec& spec)
{
    const ParsedInteger parsed = ParseInteger(field->Text());
    if (!parsed.Ok() || parsed.negative || parsed.value < uint64_t(spec.minimum) ||
        parsed.value > uint64_t(spec.maximum))
        return std::nullopt;
    return int(parsed.value);
}

CIntEdit* MakeNumberField(const NumberSpec& spec, int value, QWidget* parent)
{
    auto* field = new CIntEdit(spec.minimum, spec.maximum, parent);
    field->SetRadix(10);
    field->SetValue(value);
    // Room for four digits besides the arrows.
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 40);
    return field;
}

} // namespace

COptionsGeneral::COptionsGeneral(const OptionsState& state, QWidget* parent) : QWidget(parent)
{
    auto* grid = new QGridLayout(this);
    OptionsState copy = state;
    int index = 0;
    for (const BoxSpec& spec : kBoxes) {
        QCheckBox* box = AddBox(QString::fromLatin1(spec.text), Field(copy, spec));
        const int column = index < kLeftColumnBoxes ? 0 : 1;
        const int row = index < kLeftColumnBoxes ? index : index - kLeftColumnBoxes;
        grid->addWidget(box, row, column, 1, column == 0 ? 1 : 2);
        ++index;
    }
    auto* numbers = new QGridLayout;
    int row = 0;
    for (const NumberSpec& spec : kNumbers) {
        CIntEdit* field = MakeNumberField(spec, state.settings.*spec.setting, this);
        auto* label = new QLabel(QString::fromLatin1(spec.label), this);
        label->setBuddy(field);
        if (spec.toolTip) {
            label->setToolTip(QString::fromLatin1(spec.toolTip));
            field->setToolTip(label->toolTip());
        }
        numbers->addWidget(label, row, 0);
        numbers->addWidget(field, row, 1);
        numberFields_ << field;
        ++row;
    }
    numbers->setColumnStretch(2, 1);
    const int numbersRow = int(std::size(kBoxes)) - kLeftColumnBoxes;
    grid->addLayout(numbers, numbersRow, 1, int(std::size(kNumbers)), 2);
    grid->setRowStretch(kLeftColumnBoxes, 1);
}

QCheckBox* COptionsGeneral::AddBox(const QString& text, bool checked)
{
    auto* box = new QCheckBox(text, this);
    box->setChecked(checked);
    boxes_ << box;
    return box;
}

bool COptionsGeneral::Commit(OptionsState& state)
{
    for (size_t i = 0; i < std::size(kNumbers); ++i) {
        const NumberSpec& spec = kNumbers[i];
        CIntEdit* field = numberFields_[qsizetype(i)];
        if (!NumberIn(field, spec)) {
            platform::ShowMessage(
                platform::IntegerRangeText(spec.minimum, spec.maximum),
                platform::MsgButtons::Ok, platform::MsgIcon::Warning);
            field->setFocus();
            field->SelectAllText();
            return false;
        }
    }
    for (size_t i = 0; i < std::size(kBoxes); ++i)
        Field(state, kBoxes[i]) = boxes_[qsizetype(i)]->isChecked();
    for (size_t i = 0; i < std::size(kNumbers); ++i)
        state.settings.*kNumbers[i].setting = *NumberIn(numberFields_[qsizetype(i)], kNumbers[i]);
    // Redo never keeps more steps than undo.
    state.settings.redoLevels = std::min(state.settings.redoLevels, state.settings.undoLevels);
    return true;
}

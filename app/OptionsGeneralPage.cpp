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

constexpr int kMaxLevels = 1000;

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

std::optional<int> LevelOf(const CIntEdit* field)
{
    const ParsedInteger parsed = ParseInteger(field->Text());
    if (!parsed.Ok() || parsed.negative || parsed.value > uint64_t(kMaxLevels))
        return std::nullopt;
    return int(parsed.value);
}

CIntEdit* MakeLevelField(int value, QWidget* parent)
{
    auto* field = new CIntEdit(0, kMaxLevels, parent);
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
    undo_ = MakeLevelField(state.settings.undoLevels, this);
    redo_ = MakeLevelField(state.settings.redoLevels, this);
    const int levelsRow = int(std::size(kBoxes)) - kLeftColumnBoxes;
    auto* undoLabel = new QLabel(QStringLiteral("&Undo:"), this);
    undoLabel->setBuddy(undo_);
    auto* redoLabel = new QLabel(QStringLiteral("&Redo:"), this);
    redoLabel->setBuddy(redo_);
    auto* levels = new QGridLayout;
    levels->addWidget(undoLabel, 0, 0);
    levels->addWidget(undo_, 0, 1);
    levels->addWidget(redoLabel, 1, 0);
    levels->addWidget(redo_, 1, 1);
    levels->setColumnStretch(2, 1);
    grid->addLayout(levels, levelsRow, 1, 2, 2);
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
    for (CIntEdit* field : {undo_, redo_}) {
        if (!LevelOf(field)) {
            platform::ShowMessage(QStringLiteral("Please enter an integer between 0 and %1.").arg(kMaxLevels),
                                  platform::MsgButtons::Ok, platform::MsgIcon::Warning);
            field->setFocus();
            field->SelectAllText();
            return false;
        }
    }
    for (size_t i = 0; i < std::size(kBoxes); ++i)
        Field(state, kBoxes[i]) = boxes_[qsizetype(i)]->isChecked();
    state.settings.undoLevels = *LevelOf(undo_);
    // Redo never keeps more steps than undo.
    state.settings.redoLevels = std::min(*LevelOf(redo_), state.settings.undoLevels);
    return true;
}

#include "ModifyDlg.h"

#include "types/StdValueType.h"
#include "types/ValueAction.h"
#include "tooldialogs/IntEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

namespace {
// The second action list leaves out "Set Value", so its rows are one off.
int Action2FromRow(int row) { return row + 1; }
int RowFromAction2(int action) { return action - 1; }
} // namespace

CModifyDlg::CModifyDlg(const ModifyInputs& inputs, int countRadix, IToolView& view, int64_t start,
                       const SelectionState& userSelection, bool hexOffsets, const ValueTypeRegistry& types,
                       QWidget* parent)
    : CItemRunDlg(ItemVerb::Modify, view, start, userSelection, hexOffsets, types, parent)
{
    setWindowTitle(QStringLiteral("Modify"));
    auto* form = new QFormLayout;
    AddCountAndType(form, QStringLiteral("&Number of items to modify:"), inputs.countText, countRadix,
                    ItemTypeLabels(types_, true), inputs.type);
    action_ = new QComboBox;
    action2_ = new QComboBox;
    for (int i = 0; i < VALUE_ACTION_COUNT; ++i) {
        action_->addItem(ValueActionAt(i).Name());
        if (i != ACTION_SET_VALUE)
            action2_->addItem(ValueActionAt(i).Name());
    }
    action_->setCurrentIndex(inputs.action);
    action2_->setCurrentIndex(RowFromAction2(inputs.action2));
    value_ = new QLineEdit(inputs.actionValue);
    bigEndian_ = new QCheckBox(QStringLiteral("&Big-endian byte order"));
    bigEndian_->setChecked(inputs.bigEndian);
    modifyValue_ = new QCheckBox(QStringLiteral("&Modify \"action value\" after each item"));
    modifyValue_->setChecked(inputs.modifyValue);
    value2_ = new QLineEdit(inputs.actionValue2);
    form->addRow(QStringLiteral("&Action:"), action_);
    form->addRow(QStringLiteral("Action &value:"), value_);
    form->addRow(bigEndian_);
    form->addRow(modifyValue_);
    form->addRow(QStringLiteral("A&ction:"), action2_);
    form->addRow(QStringLiteral("Action va&lue:"), value2_);
    Finish(form);

    connect(action_, &QComboBox::currentIndexChanged, this, &CModifyDlg::UpdateEnabling);
    connect(action2_, &QComboBox::currentIndexChanged, this, &CModifyDlg::UpdateEnabling);
    connect(modifyValue_, &QCheckBox::toggled, this, &CModifyDlg::UpdateEnabling);
    UpdateEnabling();
}

int CModifyDlg::ItemSize() const { return StdValueTypeAt(type_->currentIndex()).size; }

void CModifyDlg::UpdateEnabling()
{
    const int action = action_->currentIndex();
    const bool modifyValue = modifyValue_->isChecked();
    const int action2 = Action2FromRow(action2_->currentIndex());
    value_->setEnabled(ModifyValueEnabled(action));
    modifyValue_->setEnabled(ModifyValueEnabled(action));
    action2_->setEnabled(ModifySecondActionEnabled(action, modifyValue));
    value2_->setEnabled(ModifySecondValueEnabled(action, modifyValue, action2));
}

ModifyInputs CModifyDlg::Inputs() const
{
    ModifyInputs inputs;
    inputs.countText = count_->Text();
    inputs.type = type_->currentIndex();
    inputs.action = action_->currentIndex();
    inputs.actionValue = value_->text();
    inputs.bigEndian = bigEndian_->isChecked();
    inputs.modifyValue = modifyValue_->isChecked();
    inputs.action2 = Action2FromRow(action2_->currentIndex());
    inputs.actionValue2 = value2_->text();
    return inputs;
}

void CModifyDlg::accept()
{
    ModifyValidation validation = ValidateModify(Inputs());
    switch (validation.failed) {
    case ModifyField::Count:
        FocusCount();
        return;
    case ModifyField::ActionValue:
        value_->setFocus(Qt::OtherFocusReason);
        value_->selectAll();
        return;
    case ModifyField::ActionValue2:
        value2_->setFocus(Qt::OtherFocusReason);
        value2_->selectAll();
        return;
    case ModifyField::None:
        break;
    }
    value_->setText(validation.actionValue);
    value2_->setText(validation.actionValue2);
    validation_ = std::move(validation);
    QDialog::accept();
}

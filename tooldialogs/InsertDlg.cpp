#include "InsertDlg.h"

#include "types/ValueTypeRegistry.h"
#include "tooldialogs/IntEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

CInsertDlg::CInsertDlg(const InsertInputs& inputs, int countRadix, IToolView& view, int64_t start,
                       const SelectionState& userSelection, bool hexOffsets, const ValueTypeRegistry& types,
                       QWidget* parent)
    : CItemRunDlg(ItemVerb::Insert, view, start, userSelection, hexOffsets, types, parent)
{
    setWindowTitle(QStringLiteral("Insert"));
    auto* form = new QFormLayout;
    AddCountAndType(form, QStringLiteral("&Number of items to insert:"), inputs.countText, countRadix,
                    ItemTypeLabels(types_, false), inputs.type);
    value_ = new QLineEdit(inputs.value);
    bigEndian_ = new QCheckBox(QStringLiteral("&Big-endian byte order"));
    bigEndian_->setChecked(inputs.bigEndian);
    form->addRow(QStringLiteral("Initial &value:"), value_);
    form->addRow(bigEndian_);
    Finish(form);
}

int CInsertDlg::ItemSize() const { return types_.At(type_->currentIndex()).Size(); }

InsertInputs CInsertDlg::Inputs() const
{
    InsertInputs inputs;
    inputs.countText = count_->Text();
    inputs.type = type_->currentIndex();
    inputs.value = value_->text();
    inputs.bigEndian = bigEndian_->isChecked();
    return inputs;
}

void CInsertDlg::accept()
{
    InsertValidation validation = ValidateInsert(Inputs(), types_);
    if (validation.failed == InsertField::Count) {
        FocusCount();
        return;
    }
    if (validation.failed == InsertField::Value) {
        value_->setFocus(Qt::OtherFocusReason);
        value_->selectAll();
        return;
    }
    value_->setText(validation.value);
    validation_ = std::move(validation);
    QDialog::accept();
}

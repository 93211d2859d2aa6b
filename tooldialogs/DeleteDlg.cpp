#include "DeleteDlg.h"

#include "types/ValueTypeRegistry.h"
#include "tooldialogs/IntEdit.h"

#include <QComboBox>
#include <QFormLayout>

CDeleteDlg::CDeleteDlg(const DeleteInputs& inputs, int countRadix, IToolView& view, int64_t start,
                       const SelectionState& userSelection, bool hexOffsets, const ValueTypeRegistry& types,
                       QWidget* parent)
    : CItemRunDlg(ItemVerb::Delete, view, start, userSelection, hexOffsets, types, parent)
{
    setWindowTitle(QStringLiteral("Delete"));
    auto* form = new QFormLayout;
    AddCountAndType(form, QStringLiteral("&Number of items to delete:"), inputs.countText, countRadix,
                    ItemTypeLabels(types_, false), inputs.type);
    Finish(form);
}

int CDeleteDlg::ItemSize() const { return types_.At(type_->currentIndex()).Size(); }

DeleteInputs CDeleteDlg::Inputs() const
{
    DeleteInputs inputs;
    inputs.countText = count_->Text();
    inputs.type = type_->currentIndex();
    return inputs;
}

void CDeleteDlg::accept()
{
    DeleteValidation validation = ValidateDelete(Inputs(), types_);
    if (!validation.ok) {
        FocusCount();
        return;
    }
    validation_ = validation;
    QDialog::accept();
}

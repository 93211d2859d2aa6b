#pragma once
// The "Delete" dialog: count and data type.
#include "tools/DeleteItems.h"
#include "tooldialogs/ItemRunDlg.h"

class CDeleteDlg : public CItemRunDlg {
    Q_OBJECT
public:
    CDeleteDlg(const DeleteInputs& inputs, int countRadix, IToolView& view, int64_t start,
               const SelectionState& userSelection, bool hexOffsets, const ValueTypeRegistry& types,
               QWidget* parent = nullptr);

    DeleteInputs Inputs() const;
    const DeleteValidation& Validation() const { return validation_; }

    void accept() override;

protected:
    int ItemSize() const override;

private:
    DeleteValidation validation_;
};

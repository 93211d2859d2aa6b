#pragma once
// The "Insert" dialog: count, data type, initial value and byte order.
#include "tools/InsertItems.h"
#include "tooldialogs/ItemRunDlg.h"

class QCheckBox;
class QLineEdit;

class CInsertDlg : public CItemRunDlg {
    Q_OBJECT
public:
    CInsertDlg(const InsertInputs& inputs, int countRadix, IToolView& view, int64_t start,
               const SelectionState& userSelection, bool hexOffsets, const ValueTypeRegistry& types,
               QWidget* parent = nullptr);

    InsertInputs Inputs() const;
    const InsertValidation& Validation() const { return validation_; }
    QLineEdit* ValueEdit() const { return value_; }
    QCheckBox* BigEndianBox() const { return bigEndian_; }

    void accept() override;

protected:
    int ItemSize() const override;

private:
    InsertValidation validation_;
    QLineEdit* value_;
    QCheckBox* bigEndian_;
};

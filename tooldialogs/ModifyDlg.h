#pragma once
// The "Modify" dialog: count, standard item type, action and its value,
// byte order, and the second action that changes the value after each item.
#include "tools/ModifyItems.h"
#include "tooldialogs/ItemRunDlg.h"

class QCheckBox;
class QLineEdit;

class CModifyDlg : public CItemRunDlg {
    Q_OBJECT
public:
    CModifyDlg(const ModifyInputs& inputs, int countRadix, IToolView& view, int64_t start,
               const SelectionState& userSelection, bool hexOffsets, const ValueTypeRegistry& types,
               QWidget* parent = nullptr);

    ModifyInputs Inputs() const;
    // After OK: the validated request and the values to store.
    const ModifyValidation& Validation() const { return validation_; }

    QComboBox* ActionBox() const { return action_; }
    QLineEdit* ValueEdit() const { return value_; }
    QCheckBox* BigEndianBox() const { return bigEndian_; }
    QCheckBox* ModifyValueBox() const { return modifyValue_; }
    QComboBox* Action2Box() const { return action2_; }
    QLineEdit* Value2Edit() const { return value2_; }

    void accept() override;

protected:
    int ItemSize() const override;

private:
    void UpdateEnabling();

    ModifyValidation validation_;
    QComboBox* action_;
    QLineEdit* value_;
    QCheckBox* bigEndian_;
    QCheckBox* modifyValue_;
    QComboBox* action2_;
    QLineEdit* value2_;
};

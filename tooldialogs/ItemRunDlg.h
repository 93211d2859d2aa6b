#pragma once
// What the Modify, Insert and Delete dialogs share: the count field, the item
// type list and the status line. While the dialog is open the view shows the
// bytes the command would touch; Cancel gives the user's selection back.
#include "tools/ItemCount.h"
#include "tools/ToolView.h"

#include <QDialog>
#include <QStringList>

class CIntEdit;
class QComboBox;
class QFormLayout;
class QLabel;
class ValueTypeRegistry;

class CItemRunDlg : public QDialog {
    Q_OBJECT
public:
    CIntEdit* CountEdit() const { return count_; }
    QComboBox* TypeBox() const { return type_; }
    QLabel* StatusLine() const { return status_; }
    int64_t Start() const { return start_; }

    void reject() override;

protected:
    // userSelection: what the view had selected before the command collapsed it.
    // types are the data types the dialog offers.
    CItemRunDlg(ItemVerb verb, IToolView& view, int64_t start, const SelectionState& userSelection, bool hexOffsets,
                const ValueTypeRegistry& types, QWidget* parent);

    // Adds the count row and the type row to layout.
    void AddCountAndType(QFormLayout* layout, const QString& countLabel, const QString& countText, int countRadix,
                         const QStringList& typeLabels, int typeIndex);
    // Adds the status line and the OK and Cancel buttons below body.
    void Finish(QLayout* body);
    // The size in bytes of the type now chosen.
    virtual int ItemSize() const = 0;
    void UpdatePreview();
    void FocusCount();

    void showEvent(QShowEvent* event) override;

    ItemVerb verb_;
    IToolView& view_;
    int64_t start_;
    SelectionState userSelection_;
    bool hexOffsets_;
    const ValueTypeRegistry& types_;
    CIntEdit* count_ = nullptr;
    QComboBox* type_ = nullptr;
    QLabel* status_ = nullptr;
};

// "Word (2 bytes)" for every registered data type, or only the standard ones.
QStringList ItemTypeLabels(const ValueTypeRegistry& types, bool standardOnly);

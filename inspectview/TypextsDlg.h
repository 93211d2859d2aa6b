#pragma once
// The "Data Types" dialog: every data type of the registry in registry order,
// ticked when the Data View shows it. OK hides exactly the unticked ones;
// Cancel changes nothing.
#include <QDialog>

class IUserInterface;
class QListWidget;
class QPlainTextEdit;
class ValueTypeRegistry;

class CTypextsDlg : public QDialog {
    Q_OBJECT
public:
    CTypextsDlg(ValueTypeRegistry& types, QWidget* parent = nullptr);

    QListWidget& TypeList() const { return *list_; }
    QString DescriptionText() const;
    void SetAllTicked(bool ticked);

    void accept() override;

private:
    void ShowDescription(int row);

    ValueTypeRegistry& types_;
    QListWidget* list_;
    QPlainTextEdit* description_;
};

// Runs the dialog through ui; true when OK changed the hidden flags.
bool RunDataTypesDialog(QWidget* parent, ValueTypeRegistry& types, IUserInterface& ui);

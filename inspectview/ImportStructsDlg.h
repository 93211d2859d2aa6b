#pragma once
// The "Import Structures" dialog: the structures of another collection file,
// sorted by name, none ticked. OK with nothing ticked is refused with a
// message and the dialog stays open.
#include <QDialog>

#include <set>

class IUserInterface;
class QListWidget;
class QPushButton;
class StructureCollection;

class CImportStructsDlg : public QDialog {
    Q_OBJECT
public:
    CImportStructsDlg(const StructureCollection& imported, IUserInterface& ui, QWidget* parent = nullptr);

    // The indexes, in the imported collection, of the ticked structures.
    std::set<int> Ticked() const;
    void SetAllTicked(bool ticked);

    QListWidget* List() const { return list_; }
    QPushButton* SelectAllButton() const { return selectAll_; }
    QPushButton* UnselectAllButton() const { return unselectAll_; }

    void accept() override;

private:
    QListWidget* list_;
    QPushButton* selectAll_;
    QPushButton* unselectAll_;
};

// "No structures were selected to import."
QString NothingSelectedToImportText();

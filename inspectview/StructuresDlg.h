#pragma once
// The "Structures" dialog: the collection's structures sorted by name, with
// buttons that add, edit and delete them (refusing to delete one that
// another contains), empty the collection, load, save and import
// collection files, and the option to reload the last collection at start-up.
#include <QDialog>

class CStructureCommands;
class QCheckBox;
class QListWidget;
class QPushButton;

class CStructuresDlg : public QDialog {
    Q_OBJECT
public:
    CStructuresDlg(CStructureCommands& commands, bool reloadOnStartup, QWidget* parent = nullptr);

    bool ReloadOnStartup() const;
    // The collection index of the selected structure, or -1.
    int SelectedIndex() const;

    QListWidget* List() const { return list_; }
    QCheckBox* ReloadBox() const { return reload_; }
    QPushButton* AddButton() const { return add_; }
    QPushButton* EditButton() const { return edit_; }
    QPushButton* DeleteButton() const { return delete_; }
    QPushButton* DeleteAllButton() const { return deleteAll_; }
    QPushButton* LoadButton() const { return load_; }
    QPushButton* SaveButton() const { return save_; }
    QPushButton* ImportButton() const { return import_; }

    void OnAdd();
    void OnEdit();
    void OnDelete();
    void OnDeleteAll();
    void OnLoad();
    void OnSave();
    void OnImport();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Shows the collection again with the structure at index selected (the
    // first entry when index is -1 or gone).
    void Refill(int index);
    void UpdateButtons();
    void RunEditor(int index);

    CStructureCommands& commands_;
    QListWidget* list_;
    QCheckBox* reload_;
    QPushButton* add_;
    QPushButton* edit_;
    QPushButton* delete_;
    QPushButton* deleteAll_;
    QPushButton* load_;
    QPushButton* save_;
    QPushButton* import_;
};

// The dialog's messages.
QString StructureReferencedText(const QString& structure, const QString& referrer);
QString DeleteStructureQuestion(const QString& structure);
QString DeleteAllStructuresQuestion();

#pragma once
// "Edit User Tools": the list of user tools, edited in place. Every change
// reaches the list at once; the settings store gets it at exit.
#include "settings/ExternalTool.h"

#include <QDialog>
#include <vector>

class QListWidget;
class QPushButton;

class CEditToolsDlg : public QDialog {
    Q_OBJECT
public:
    CEditToolsDlg(std::vector<ExternalTool>& tools, QWidget* parent = nullptr);

    QListWidget* List() const { return list_; }
    QPushButton* AddButton() const { return add_; }
    QPushButton* EditButton() const { return edit_; }
    QPushButton* DeleteButton() const { return delete_; }
    QPushButton* UpButton() const { return up_; }
    QPushButton* DownButton() const { return down_; }

    void OnAdd();
    void OnEdit();
    void OnDelete();
    void OnMove(int step);

private:
    void Refill(int select);
    void UpdateButtons();

    std::vector<ExternalTool>& tools_;
    QListWidget* list_;
    QPushButton* add_;
    QPushButton* edit_;
    QPushButton* delete_;
    QPushButton* up_;
    QPushButton* down_;
};

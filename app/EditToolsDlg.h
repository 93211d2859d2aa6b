#pragma once
// "Edit User Tools": the list of user tools, edited in place. Every change
// reaches the list at once; the settings store gets it at exit.
#include "furniture/ListEditor.h"
#include "settings/ExternalTool.h"

#include <QDialog>
#include <memory>
#include <vector>

class IUserInterface;
class QListWidget;
class QPushButton;

class CEditToolsDlg : public QDialog {
    Q_OBJECT
public:
    CEditToolsDlg(std::vector<ExternalTool>& tools, IUserInterface& ui, QWidget* parent = nullptr);

    QListWidget* List() const { return list_; }
    QPushButton* AddButton() const { return buttons_.add; }
    QPushButton* EditButton() const { return buttons_.edit; }
    QPushButton* DeleteButton() const { return buttons_.remove; }
    QPushButton* UpButton() const { return buttons_.up; }
    QPushButton* DownButton() const { return buttons_.down; }

private:
    // Asks for a new tool unless the list is full.
    std::optional<ExternalTool> AskNewTool();
    std::optional<ExternalTool> AskEditedTool(const ExternalTool& tool);

    std::vector<ExternalTool>& tools_;
    QListWidget* list_;
    ListEditButtons buttons_;
    std::unique_ptr<CListEditor<ExternalTool>> editor_;
    IUserInterface& ui_;
};

#pragma once
// "Add User Tool" / "Edit User Tool": one tool's title, command, initial
// directory, arguments and whether it asks for its arguments first. The two
// macro buttons open menus that insert a macro at the caret.
#include "settings/ExternalTool.h"

#include <QDialog>

class IUserInterface;
class QCheckBox;
class QLineEdit;
class QMenu;
class QPushButton;

class CEditToolDlg : public QDialog {
    Q_OBJECT
public:
    CEditToolDlg(const ExternalTool& tool, IUserInterface& ui, QWidget* parent = nullptr);

    ExternalTool Tool() const { return tool_; }

    QLineEdit* TitleEdit() const { return title_; }
    QLineEdit* CommandEdit() const { return command_; }
    QLineEdit* DirectoryEdit() const { return directory_; }
    QLineEdit* ArgumentsEdit() const { return arguments_; }
    QCheckBox* PromptBox() const { return prompt_; }
    QPushButton* BrowseButton() const { return browse_; }
    QMenu* DirectoryMacros() const { return directoryMacros_; }
    QMenu* ArgumentMacros() const { return argumentMacros_; }

    void accept() override;

private:
    QPushButton* MacroButton(QLineEdit* target, QMenu*& menu,
                             std::initializer_list<std::pair<const char*, const char*>> items);
    void OnBrowse();

    ExternalTool tool_;
    QLineEdit* title_;
    QLineEdit* command_;
    QLineEdit* directory_;
    QLineEdit* arguments_;
    QCheckBox* prompt_;
    QPushButton* browse_;
    QMenu* directoryMacros_ = nullptr;
    QMenu* argumentMacros_ = nullptr;
    IUserInterface& ui_;
};

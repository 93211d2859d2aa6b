#pragma once
// CItemList: the chooser of Copy As, Paste As, Convert Data and Compute
// Checksum. It lists the tasks of the mode's kind in registration order,
// shows the selected task's description, tells about its module on "Info"
// and remembers the chosen position per mode while the program runs.
#include "ext/TaskChoices.h"

#include <QDialog>
#include <optional>

class IUserInterface;
class QLabel;
class QListWidget;
class QPushButton;
class TaskExtensions;

class CItemList : public QDialog {
    Q_OBJECT
public:
    // tasks must be loaded and have at least one task of the mode's kind.
    // The list starts at the row choices remember for the mode, and a
    // choice is remembered there.
    CItemList(const TaskExtensions& tasks, TaskChoices& choices, ChooserMode mode, int helpId, QWidget* parent,
              IUserInterface& ui);

    // Shows the no-extensions message when the mode's list is empty; otherwise
    // runs the dialog. The chosen task's index within its kind, or nothing.
    static std::optional<int> Choose(const TaskExtensions& tasks, TaskChoices& choices, ChooserMode mode, int helpId,
                                     QWidget* parent, IUserInterface& ui);

    static int KindOf(ChooserMode mode);
    static QString CaptionOf(ChooserMode mode);

    QListWidget* List() const { return list_; }
    QLabel* Description() const { return description_; }
    QPushButton* InfoButton() const { return info_; }
    int ChosenTask() const { return chosen_; }
    int HelpId() const { return helpId_; }
    // The text "Info" shows for the current selection.
    QString InfoText() const;

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SelectionChanged();
    void ShowInfo();

    const TaskExtensions& tasks_;
    TaskChoices& choices_;
    ChooserMode mode_;
    int kind_;
    int helpId_;
    int chosen_ = -1;
    QListWidget* list_;
    QLabel* description_;
    QPushButton* info_;
};

#pragma once
// The "File Types" options: the descriptions and file specifications the
// Open dialog offers, added, edited, deleted and reordered here.
#include "app/FileTypeList.h"

#include <QWidget>
#include <vector>

class QListWidget;
class QPushButton;
struct OptionsState;

class COptionsFileFilters : public QWidget {
    Q_OBJECT
public:
    COptionsFileFilters(const OptionsState& state, QWidget* parent = nullptr);
    void Commit(OptionsState& state) const;

    QListWidget* List() const { return list_; }
    QPushButton* AddButton() const { return add_; }
    QPushButton* EditButton() const { return edit_; }
    QPushButton* DeleteButton() const { return delete_; }
    QPushButton* UpButton() const { return up_; }
    QPushButton* DownButton() const { return down_; }

private:
    void Refill(int select);
    void UpdateButtons();
    void OnAdd();
    void OnEdit();
    void OnDelete();
    void OnMove(int step);

    std::vector<FileType> types_;
    QListWidget* list_;
    QPushButton* add_;
    QPushButton* edit_;
    QPushButton* delete_;
    QPushButton* up_;
    QPushButton* down_;
};

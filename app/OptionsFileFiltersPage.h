#pragma once
// The "File Types" options: the descriptions and file specifications the
// Open dialog offers, added, edited, deleted and reordered here.
#include "app/FileTypeList.h"
#include "furniture/ListEditor.h"

#include <QWidget>
#include <memory>
#include <vector>

class IUserInterface;
class QListWidget;
class QPushButton;
struct OptionsState;

class COptionsFileFilters : public QWidget {
    Q_OBJECT
public:
    COptionsFileFilters(const OptionsState& state, IUserInterface& ui, QWidget* parent = nullptr);
    void Commit(OptionsState& state) const;

    QListWidget* List() const { return list_; }
    QPushButton* AddButton() const { return buttons_.add; }
    QPushButton* EditButton() const { return buttons_.edit; }
    QPushButton* DeleteButton() const { return buttons_.remove; }
    QPushButton* UpButton() const { return buttons_.up; }
    QPushButton* DownButton() const { return buttons_.down; }

private:
    std::optional<FileType> AskFileType(const FileType& type, bool adding);

    std::vector<FileType> types_;
    QListWidget* list_;
    ListEditButtons buttons_;
    std::unique_ptr<CListEditor<FileType>> editor_;
    IUserInterface& ui_;
};

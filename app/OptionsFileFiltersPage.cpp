#include "OptionsFileFiltersPage.h"

#include "app/FileFiltersDlg.h"
#include "app/OptionsState.h"
#include "platform/MessageBox.h"
#include "tooldialogs/ToolDialogSeam.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

COptionsFileFilters::COptionsFileFilters(const OptionsState& state, QWidget* parent)
    : QWidget(parent), types_(ParseFileTypes(state.settings.fileFilters))
{
    list_ = new QListWidget(this);
    auto* label = new QLabel(QStringLiteral("&File types that appear in File Open dialog boxes:"), this);
    label->setBuddy(list_);
    add_ = new QPushButton(QStringLiteral("&Add..."), this);
    edit_ = new QPushButton(QStringLiteral("&Edit..."), this);
    delete_ = new QPushButton(QStringLiteral("&Delete..."), this);
    up_ = new QPushButton(QStringLiteral("Move &Up"), this);
    down_ = new QPushButton(QStringLiteral("&Move Down"), this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {add_, edit_, delete_, up_, down_})
        buttons->addWidget(button);
    buttons->addStretch(1);
    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0, 1, 2);
    grid->addWidget(list_, 1, 0);
    grid->addLayout(buttons, 1, 1);

    connect(list_, &QListWidget::currentRowChanged, this, &COptionsFileFilters::UpdateButtons);
    connect(list_, &QListWidget::itemDoubleClicked, this, &COptionsFileFilters::OnEdit);
    connect(add_, &QPushButton::clicked, this, &COptionsFileFilters::OnAdd);
    connect(edit_, &QPushButton::clicked, this, &COptionsFileFilters::OnEdit);
    connect(delete_, &QPushButton::clicked, this, &COptionsFileFilters::OnDelete);
    connect(up_, &QPushButton::clicked, this, [this] { OnMove(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { OnMove(1); });
    Refill(0);
}

void COptionsFileFilters::Refill(int select)
{
    const QSignalBlocker block(list_);
    list_->clear();
    for (const FileType& type : types_)
        list_->addItem(FileTypeListText(type));
    if (!types_.empty())
        list_->setCurrentRow(std::clamp(select, 0, int(types_.size()) - 1));
    UpdateButtons();
}

void COptionsFileFilters::UpdateButtons()
{
    const int row = list_->currentRow();
    const bool selected = row >= 0 && row < int(types_.size());
    edit_->setEnabled(selected);
    delete_->setEnabled(selected);
    up_->setEnabled(selected && row > 0);
    down_->setEnabled(selected && row + 1 < int(types_.size()));
}

void COptionsFileFilters::OnAdd()
{
    CFileFiltersDlg dialog(FileType{}, true, this);
    if (RunToolDialog(dialog) != QDialog::Accepted)
        return;
    types_.push_back(dialog.Entry());
    Refill(int(types_.size()) - 1);
}

void COptionsFileFilters::OnEdit()
{
    const int row = list_->currentRow();
    if (row < 0 || row >= int(types_.size()))
        return;
    CFileFiltersDlg dialog(types_[size_t(row)], false, this);
    if (RunToolDialog(dialog) != QDialog::Accepted)
        return;
    types_[size_t(row)] = dialog.Entry();
    Refill(row);
}

void COptionsFileFilters::OnDelete()
{
    const int row = list_->currentRow();
    if (row < 0 || row >= int(types_.size()))
        return;
    if (platform::ShowMessage(QStringLiteral("Are you sure you want to delete the selected item?"),
                              platform::MsgButtons::YesNo, platform::MsgIcon::Question) != platform::MsgResult::Yes)
        return;
    types_.erase(types_.begin() + row);
    Refill(row);
}

void COptionsFileFilters::OnMove(int step)
{
    const int row = list_->currentRow();
    const int other = row + step;
    if (row < 0 || other < 0 || other >= int(types_.size()))
        return;
    std::swap(types_[size_t(row)], types_[size_t(other)]);
    Refill(other);
}

void COptionsFileFilters::Commit(OptionsState& state) const { state.settings.fileFilters = FormatFileTypes(types_); }

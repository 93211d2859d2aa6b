#include "EditToolsDlg.h"

#include "app/EditToolDlg.h"
#include "platform/MessageBox.h"
#include "tooldialogs/ToolDialogSeam.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CEditToolsDlg::CEditToolsDlg(std::vector<ExternalTool>& tools, QWidget* parent) : QDialog(parent), tools_(tools)
{
    setWindowTitle(QStringLiteral("Edit User Tools"));
    list_ = new QListWidget(this);
    auto* label = new QLabel(QStringLiteral("&Tools:"), this);
    label->setBuddy(list_);
    add_ = new QPushButton(QStringLiteral("&Add..."), this);
    edit_ = new QPushButton(QStringLiteral("&Edit..."), this);
    delete_ = new QPushButton(QStringLiteral("&Delete..."), this);
    up_ = new QPushButton(QStringLiteral("Move &Up"), this);
    down_ = new QPushButton(QStringLiteral("&Move Down"), this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {add_, edit_, delete_, up_, down_})
        buttons->addWidget(button);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(list_, 1, 0);
    grid->addLayout(buttons, 1, 1);
    resize(420, 300);

    connect(list_, &QListWidget::currentRowChanged, this, &CEditToolsDlg::UpdateButtons);
    connect(list_, &QListWidget::itemDoubleClicked, this, &CEditToolsDlg::OnEdit);
    connect(add_, &QPushButton::clicked, this, &CEditToolsDlg::OnAdd);
    connect(edit_, &QPushButton::clicked, this, &CEditToolsDlg::OnEdit);
    connect(delete_, &QPushButton::clicked, this, &CEditToolsDlg::OnDelete);
    connect(up_, &QPushButton::clicked, this, [this] { OnMove(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { OnMove(1); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    Refill(0);
}

void CEditToolsDlg::Refill(int select)
{
    const QSignalBlocker block(list_);
    list_->clear();
    for (const ExternalTool& tool : tools_)
        list_->addItem(tool.title);
    if (!tools_.empty())
        list_->setCurrentRow(std::clamp(select, 0, int(tools_.size()) - 1));
    UpdateButtons();
}

void CEditToolsDlg::UpdateButtons()
{
    const int row = list_->currentRow();
    const int count = int(tools_.size());
    edit_->setEnabled(count > 0);
    delete_->setEnabled(count > 0);
    up_->setEnabled(row > 0 && row < count);
    down_->setEnabled(row >= 0 && row + 1 < count);
}

void CEditToolsDlg::OnAdd()
{
    if (int(tools_.size()) >= kMaxExternalTools) {
        platform::ShowMessage(QStringLiteral("No more user tools can be added. The maximum number has already been "
                                             "reached.\n\nYou will need to delete some existing tools in order to "
                                             "make room for new ones."),
                              platform::MsgButtons::Ok, platform::MsgIcon::Warning);
        return;
    }
    CEditToolDlg dialog(ExternalTool{}, this);
    if (RunToolDialog(dialog) != QDialog::Accepted)
        return;
    tools_.push_back(dialog.Tool());
    Refill(int(tools_.size()) - 1);
}

void CEditToolsDlg::OnEdit()
{
    const int row = list_->currentRow();
    if (row < 0 || row >= int(tools_.size()))
        return;
    CEditToolDlg dialog(tools_[size_t(row)], this);
    if (RunToolDialog(dialog) != QDialog::Accepted)
        return;
    tools_[size_t(row)] = dialog.Tool();
    Refill(row);
}

void CEditToolsDlg::OnDelete()
{
    const int row = list_->currentRow();
    if (row < 0 || row >= int(tools_.size()))
        return;
    if (platform::ShowMessage(QStringLiteral("Are you sure you want to permanently delete the selected item?"),
                              platform::MsgButtons::YesNo, platform::MsgIcon::Question) != platform::MsgResult::Yes)
        return;
    tools_.erase(tools_.begin() + row);
    Refill(row);
}

void CEditToolsDlg::OnMove(int step)
{
    const int row = list_->currentRow();
    const int other = row + step;
    if (row < 0 || other < 0 || other >= int(tools_.size()))
        return;
    std::swap(tools_[size_t(row)], tools_[size_t(other)]);
    Refill(other);
}

#include "ImportStructsDlg.h"

#include "furniture/HelpManual.h"
#include "inspect/StructureCollection.h"
#include "inspectview/StructureNameOrder.h"
#include "platform/MessageBox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kIndexRole = Qt::UserRole;
} // namespace

QString NothingSelectedToImportText() { return QStringLiteral("No structures were selected to import."); }

CImportStructsDlg::CImportStructsDlg(const StructureCollection& imported, IUserInterface& ui, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Import Structures"));
    list_ = new QListWidget;
    // A file may hold hundreds of thousands of structures: every row is one
    // line high, and each item is complete before the list sees it, so the
    // list is told of it once.
    list_->setUniformItemSizes(true);
    for (int index : StructuresInNameOrder(imported)) {
        auto* item = new QListWidgetItem(imported.At(index).name);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        item->setData(kIndexRole, index);
        list_->addItem(item);
    }
    if (list_->count() > 0)
        list_->setCurrentRow(0);
    auto* label = new QLabel(QStringLiteral("&Structures to import:"));
    label->setBuddy(list_);

    selectAll_ = new QPushButton(QStringLiteral("Select &All"));
    unselectAll_ = new QPushButton(QStringLiteral("&Unselect All"));
    for (QPushButton* button : {selectAll_, unselectAll_})
        button->setAutoDefault(false);
    connect(selectAll_, &QPushButton::clicked, this, [this] { SetAllTicked(true); });
    connect(unselectAll_, &QPushButton::clicked, this, [this] { SetAllTicked(false); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CImportStructsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CImportStructsDlg::reject);
    ConnectHelpButton(buttons, QStringLiteral("structures"), ui);

    auto* side = new QVBoxLayout;
    side->addWidget(selectAll_);
    side->addWidget(unselectAll_);
    side->addStretch();
    auto* middle = new QHBoxLayout;
    middle->addWidget(list_, 1);
    middle->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(middle, 1);
    layout->addWidget(buttons);
}

std::set<int> CImportStructsDlg::Ticked() const
{
    std::set<int> ticked;
    for (int row = 0; row < list_->count(); ++row)
        if (list_->item(row)->checkState() == Qt::Checked)
            ticked.insert(list_->item(row)->data(kIndexRole).toInt());
    return ticked;
}

void CImportStructsDlg::SetAllTicked(bool ticked)
{
    for (int row = 0; row < list_->count(); ++row)
        list_->item(row)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void CImportStructsDlg::accept()
{
    if (Ticked().empty()) {
        platform::ShowMessage(NothingSelectedToImportText(), platform::MsgButtons::Ok, platform::MsgIcon::Warning);
        list_->setFocus(Qt::OtherFocusReason);
        return;
    }
    QDialog::accept();
}

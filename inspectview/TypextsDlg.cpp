#include "TypextsDlg.h"

#include "types/ValueTypeRegistry.h"
#include "furniture/UserInterface.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CTypextsDlg::CTypextsDlg(ValueTypeRegistry& types, QWidget* parent) : QDialog(parent), types_(types)
{
    setWindowTitle(QStringLiteral("Data Types"));
    setObjectName(QStringLiteral("DataTypesDialog"));

    list_ = new QListWidget;
    for (int index = 0; index < types_.Count(); ++index) {
        auto* item = new QListWidgetItem(types_.At(index).Name(), list_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(types_.IsHidden(index) ? Qt::Unchecked : Qt::Checked);
    }

    description_ = new QPlainTextEdit;
    description_->setReadOnly(true);
    description_->setFocusPolicy(Qt::ClickFocus);
    auto* descriptionBox = new QGroupBox(QStringLiteral("Description"));
    auto* descriptionLayout = new QVBoxLayout(descriptionBox);
    descriptionLayout->addWidget(description_);

    auto* selectAll = new QPushButton(QStringLiteral("&Select All"));
    auto* unselectAll = new QPushButton(QStringLiteral("&Unselect All"));
    selectAll->setObjectName(QStringLiteral("SelectAll"));
    unselectAll->setObjectName(QStringLiteral("UnselectAll"));
    selectAll->setAutoDefault(false);
    unselectAll->setAutoDefault(false);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

    auto* listButtons = new QHBoxLayout;
    listButtons->addWidget(selectAll);
    listButtons->addWidget(unselectAll);
    listButtons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 3);
    layout->addLayout(listButtons);
    layout->addWidget(descriptionBox, 2);
    layout->addWidget(buttons);
    resize(420, 460);

    connect(selectAll, &QPushButton::clicked, this, [this] { SetAllTicked(true); });
    connect(unselectAll, &QPushButton::clicked, this, [this] { SetAllTicked(false); });
    connect(buttons, &QDialogButtonBox::accepted, this, &CTypextsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTypextsDlg::reject);
    connect(list_, &QListWidget::currentRowChanged, this, &CTypextsDlg::ShowDescription);
    if (list_->count() > 0)
        list_->setCurrentRow(0);
    list_->setFocus();
}

QString CTypextsDlg::DescriptionText() const { return description_->toPlainText(); }

void CTypextsDlg::SetAllTicked(bool ticked)
{
    for (int row = 0; row < list_->count(); ++row)
        list_->item(row)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void CTypextsDlg::ShowDescription(int row)
{
    if (row < 0 || row >= types_.Count()) {
        description_->clear();
        return;
    }
    // Module descriptions separate their lines with CR LF.
    QString text = types_.At(row).Description();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    description_->setPlainText(text);
}

void CTypextsDlg::accept()
{
    // The list was filled from the registry, which cannot change while the
    // dialog is open; rows and entries correspond one to one.
    for (int row = 0; row < list_->count() && row < types_.Count(); ++row)
        types_.SetHidden(row, list_->item(row)->checkState() != Qt::Checked);
    QDialog::accept();
}

bool RunDataTypesDialog(QWidget* parent, ValueTypeRegistry& types, IUserInterface& ui)
{
    CTypextsDlg dialog(types, parent);
    return ui.RunDialog(dialog) == QDialog::Accepted;
}

#include "PasteModeDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

CPasteModeDlg::CPasteModeDlg(const PasteModeChoice& preset, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Paste Mode"));
    auto* group = new QGroupBox(QStringLiteral("Mode to paste data"), this);
    insert_ = new QRadioButton(QStringLiteral("&Insert room for pasted data"), group);
    overwrite_ = new QRadioButton(QStringLiteral("&Overwrite existing data"), group);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(insert_);
    groupLayout->addWidget(overwrite_);
    (preset.overwrite ? overwrite_ : insert_)->setChecked(true);

    prompt_ = new QCheckBox(QStringLiteral("&Prompt for paste mode"), this);
    prompt_->setChecked(preset.prompt);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(prompt_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

PasteModeChoice CPasteModeDlg::Choice() const { return PasteModeChoice{overwrite_->isChecked(), prompt_->isChecked()}; }

#include "GoToDlg.h"

#include "platform/MessageBox.h"
#include "tooldialogs/IntEdit.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

CGoToDlg::CGoToDlg(const SelectionState& selection, int64_t fileSize, int radix, QWidget* parent)
    : QDialog(parent), selection_(selection), fileSize_(fileSize), radix_(radix)
{
    setWindowTitle(QStringLiteral("Go To"));
    // The value may be a distance as well as an offset; OK checks it
    // against the file, so the arrows go as far as any offset can.
    value_ = new CIntEdit(0, INT64_MAX);
    value_->SetRadix(radix);
    value_->SetValue(selection.caret);
    auto* group = new QGroupBox(QStringLiteral("Interpret value as"));
    absolute_ = new QRadioButton(QStringLiteral("Absolute &offset"));
    ahead_ = new QRadioButton(QStringLiteral("Distance to move &ahead"));
    back_ = new QRadioButton(QStringLiteral("Distance to move &back"));
    absolute_->setChecked(true);
    auto* groupLayout = new QVBoxLayout(group);
    for (QRadioButton* button : {absolute_, ahead_, back_})
        groupLayout->addWidget(button);
    extend_ = new QCheckBox(QStringLiteral("&Extend selection to new position"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CGoToDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CGoToDlg::reject);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Go to:"), value_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(group);
    layout->addWidget(extend_);
    layout->addWidget(buttons);
}

void CGoToDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    value_->setFocus(Qt::OtherFocusReason);
    value_->SelectAllText();
}

GoToMode CGoToDlg::Mode() const
{
    if (ahead_->isChecked())
        return GoToMode::Ahead;
    if (back_->isChecked())
        return GoToMode::Back;
    return GoToMode::Absolute;
}

void CGoToDlg::accept()
{
    GoToOutcome outcome = ComputeGoTo(value_->Text(), radix_, Mode(), extend_->isChecked(), selection_, fileSize_);
    if (!outcome.Ok()) {
        platform::ShowMessage(outcome.Message());
        value_->setFocus(Qt::OtherFocusReason);
        value_->SelectAllText();
        return;
    }
    outcome_ = outcome;
    QDialog::accept();
}

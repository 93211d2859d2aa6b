#include "FileFiltersDlg.h"

#include "platform/MessageBox.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CFileFiltersDlg::CFileFiltersDlg(const FileType& type, bool adding, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(adding ? QStringLiteral("Add File Types") : QStringLiteral("Edit File Types"));
    description_ = new QLineEdit(type.description, this);
    specs_ = new QLineEdit(type.specs, this);
    auto* descriptionLabel = new QLabel(QStringLiteral("&Description (e.g. \"Executable Files\"):"), this);
    descriptionLabel->setBuddy(description_);
    auto* specsLabel = new QLabel(QStringLiteral("&Filespecs (e.g. \"*.exe;*.com;*.bat\"):"), this);
    specsLabel->setBuddy(specs_);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(descriptionLabel);
    layout->addWidget(description_);
    layout->addWidget(specsLabel);
    layout->addWidget(specs_);
    layout->addWidget(buttons_);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(description_, &QLineEdit::textChanged, this, &CFileFiltersDlg::UpdateOk);
    connect(specs_, &QLineEdit::textChanged, this, &CFileFiltersDlg::UpdateOk);
    // A floor measured in the dialog's font: the layout may still widen the
    // dialog for its labels, which a fixed minimum on the dialog would cut.
    description_->setMinimumWidth(fontMetrics().averageCharWidth() * 45);
    UpdateOk();
}

void CFileFiltersDlg::UpdateOk()
{
    buttons_->button(QDialogButtonBox::Ok)
        ->setEnabled(!description_->text().trimmed().isEmpty() && !specs_->text().trimmed().isEmpty());
}

void CFileFiltersDlg::accept()
{
    const FileTypeEntryError error = CheckFileTypeEntry(description_->text(), specs_->text(), &entry_);
    if (error != FileTypeEntryError::None) {
        platform::ShowMessage(FileTypeEntryMessage(error), platform::MsgButtons::Ok, platform::MsgIcon::Warning);
        return;
    }
    description_->setText(entry_.description);
    specs_->setText(entry_.specs);
    QDialog::accept();
}

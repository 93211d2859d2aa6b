#include "FilePropertiesDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
QLabel* ValueLabel(const QString& text)
{
    auto* label = new QLabel(text);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return label;
}
} // namespace

CFilePropertiesDlg::CFilePropertiesDlg(const FileProperties& properties, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("File Properties"));

    auto* page = new QWidget;
    auto* pageLayout = new QVBoxLayout(page);
    name_ = new QLineEdit(properties.name);
    name_->setReadOnly(true);
    pageLayout->addWidget(name_);
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    pageLayout->addWidget(line);

    auto* form = new QFormLayout;
    location_ = ValueLabel(properties.location);
    location_->setWordWrap(true);
    size_ = ValueLabel(properties.size);
    originalSize_ = ValueLabel(properties.originalSize);
    modified_ = ValueLabel(properties.modified);
    form->addRow(QStringLiteral("Location:"), location_);
    form->addRow(QStringLiteral("Size (bytes):"), size_);
    form->addRow(QStringLiteral("Original size:"), originalSize_);
    form->addRow(QStringLiteral("Modified:"), modified_);
    pageLayout->addLayout(form);

    readOnly_ = new QCheckBox(QStringLiteral("&Read only"));
    readOnly_->setChecked(properties.readOnly);
    pageLayout->addWidget(readOnly_);
    pageLayout->addStretch(1);

    tabs_ = new QTabWidget;
    tabs_->addTab(page, QStringLiteral("General"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);
    // A floor for the page measured in its font; the layout still widens the
    // dialog for whatever the page holds beyond it.
    name_->setMinimumWidth(name_->fontMetrics().averageCharWidth() * 40);
    readOnly_->setFocus();
}

bool CFilePropertiesDlg::ReadOnly() const { return readOnly_->isChecked(); }

FileProperties CFilePropertiesDlg::Shown() const
{
    return {name_->text(), location_->text(), size_->text(), originalSize_->text(), modified_->text(), readOnly_->isChecked()};
}

#include "ClipboardFormatDlg.h"

#include "platform/Clipboard.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace importer {

CClipboardFormatDlg::CClipboardFormatDlg(const QStringList& formats, QWidget* parent)
    : QDialog(parent), list_(new QListWidget(this)), formats_(formats)
{
    setWindowTitle(QStringLiteral("Paste Raw Clipboard Data"));
    auto* label = new QLabel(QStringLiteral("&Available clipboard formats:"), this);
    label->setBuddy(list_);
    for (int i = 0; i < formats.size(); ++i) {
        auto* item = new QListWidgetItem(DisplayName(formats[i], unsigned(i + 1)), list_);
        item->setData(Qt::UserRole, i);
    }
    if (list_->count() > 0)
        list_->setCurrentRow(0);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { AcceptItem(list_->currentItem()); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) { AcceptItem(item); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(list_);
    layout->addWidget(buttons);
}

QString CClipboardFormatDlg::DisplayName(const QString& format, unsigned number)
{
    return format.isEmpty() ? QStringLiteral("Unknown format (%1)").arg(number) : format;
}

void CClipboardFormatDlg::AcceptItem(QListWidgetItem* item)
{
    // Nothing happens while no entry is selected.
    if (!item || !item->isSelected())
        return;
    chosen_ = formats_.value(item->data(Qt::UserRole).toInt());
    accept();
}

std::optional<QString> ChooseClipboardFormat(const QStringList& formats, void* owner)
{
    if (const platform::ClipboardFormatChooser& hook = platform::ClipboardFormatChooserHook())
        return hook(formats);
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return std::nullopt;
    CClipboardFormatDlg dialog(formats, static_cast<QWidget*>(owner));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.ChosenFormat();
}

} // namespace importer

#include "ChecksumDlg.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CChecksumDlg::CChecksumDlg(const QString& report, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Checksum"));
    text_ = new QPlainTextEdit(this);
    text_->setReadOnly(true);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // Reports end their lines with CR LF; the edit control wants plain line feeds.
    QString shown = report;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text_->setPlainText(shown);
    // Read-only, but still selectable and copyable from the keyboard.
    text_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(buttons);
    resize(560, 260);
    text_->selectAll();
}

void CChecksumDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    text_->setFocus();
    text_->selectAll();
}

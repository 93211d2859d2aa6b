#include "DifferenceFoundDlg.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CDifferenceFoundDlg::CDifferenceFoundDlg(const QString& text, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Difference Found"));
    text_ = new QPlainTextEdit;
    text_->setReadOnly(true);
    // The text carries "\r\n" line ends, as the report does; the box shows lines.
    text_->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    text_->setMinimumSize(420, 160);
    next_ = new QPushButton(QStringLiteral("&Find Next Difference"));
    all_ = new QPushButton(QStringLiteral("Find &All Differences"));
    done_ = new QPushButton(QStringLiteral("&Done"));
    next_->setDefault(true);
    connect(next_, &QPushButton::clicked, this, [this] { done(FindNext); });
    connect(all_, &QPushButton::clicked, this, [this] { done(FindAll); });
    connect(done_, &QPushButton::clicked, this, [this] { done(Done); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {next_, all_, done_})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addLayout(buttons);
}

QPushButton* CDifferenceFoundDlg::Button(Choice choice) const
{
    switch (choice) {
    case FindNext:
        return next_;
    case FindAll:
        return all_;
    case Done:
        break;
    }
    return done_;
}

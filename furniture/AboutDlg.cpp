#include "AboutDlg.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(LinkOpener openLink, QWidget* parent) : QDialog(parent), openLink_(std::move(openLink))
{
    setWindowTitle(QStringLiteral("About Vantrel"));

    auto* icon = new QLabel;
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    auto* name = new QLabel(QStringLiteral("<b>Vantrel Hex Editor</b>"));
    auto* version = new QLabel(QStringLiteral("Version %1").arg(QLatin1String(kProgramVersion)));
    auto* platforms = new QLabel(QStringLiteral("For Linux desktops (X11 and Wayland) with Qt %1 or later.").arg(QLatin1String("6.4")));
    link_ = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(kHomePageUrl.toString()));
    link_->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(link_, &QLabel::linkActivated, this, [this] { ActivateLink(); });

    auto* text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(version);
    text->addWidget(platforms);
    text->addSpacing(8);
    text->addWidget(link_);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(text, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CAboutDlg::ActivateLink()
{
    if (openLink_)
        openLink_(kHomePageUrl);
}

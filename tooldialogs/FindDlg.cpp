#include "FindDlg.h"

#include "types/ValueTypeRegistry.h"
#include "tooldialogs/FindPages.h"
#include "furniture/HelpManual.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CFindDlg::CFindDlg(const FindSettings& settings, const ValueTypeRegistry& types, IUserInterface& ui, QWidget* parent)
    : QDialog(parent), settings_(settings), types_(types)
{
    setWindowTitle(QStringLiteral("Find"));
    pages_ = new CFindPages(QStringLiteral("Find"), types_);
    matchCase_ = new QCheckBox(QStringLiteral("&Match case"));
    auto* direction = new QGroupBox(QStringLiteral("Direction"));
    up_ = new QRadioButton(QStringLiteral("&Up"));
    down_ = new QRadioButton(QStringLiteral("&Down"));
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(up_);
    directionLayout->addWidget(down_);
    // Down each time the dialog opens.
    down_->setChecked(true);

    auto* buttons = new QDialogButtonBox(Qt::Vertical);
    findNext_ = buttons->addButton(QStringLiteral("&Find Next"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    ConnectHelpButton(buttons, QStringLiteral("find"), ui);
    findNext_->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CFindDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CFindDlg::reject);

    auto* options = new QHBoxLayout;
    options->addWidget(matchCase_);
    options->addStretch();
    options->addWidget(direction);
    auto* left = new QVBoxLayout;
    left->addWidget(pages_);
    left->addLayout(options);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(buttons);

    pages_->Load(settings.find);
    matchCase_->setChecked(settings.matchCase);
    connect(pages_, &QTabWidget::currentChanged, this, &CFindDlg::UpdateMatchCase);
    UpdateMatchCase();
}

void CFindDlg::UpdateMatchCase()
{
    // Values are always compared exactly.
    matchCase_->setEnabled(pages_->currentIndex() != FIND_PAGE_VALUE);
}

void CFindDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    pages_->FocusInput();
}

FindSettings CFindDlg::Current() const
{
    FindSettings s = settings_;
    s.find = pages_->Current();
    s.matchCase = matchCase_->isChecked();
    return s;
}

bool CFindDlg::SearchUp() const { return up_->isChecked(); }

void CFindDlg::accept()
{
    const FindSettings s = Current();
    SearchBuild build = BuildSearch(s, SearchDialog::Find, types_);
    if (!build.Ok()) {
        if (build.failure == PatternFailure::FindValue)
            pages_->FocusValue();
        else
            pages_->FocusInput();
        return;
    }
    settings_ = s;
    build_ = std::move(build);
    QDialog::accept();
}

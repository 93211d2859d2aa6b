#include "ReplaceDlg.h"

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

CReplaceDlg::CReplaceDlg(const FindSettings& settings, bool hasSelection, const ValueTypeRegistry& types,
                         IUserInterface& ui, QWidget* parent)
    : QDialog(parent), settings_(settings), types_(types)
{
    setWindowTitle(QStringLiteral("Replace"));
    findPages_ = new CFindPages(QStringLiteral("Find"), types_);
    replacePages_ = new CFindPages(QStringLiteral("Replace with"), types_);
    matchCase_ = new QCheckBox(QStringLiteral("&Match case"));
    auto* range = new QGroupBox(QStringLiteral("Replace in"));
    selection_ = new QRadioButton(QStringLiteral("&Selection"));
    wholeFile_ = new QRadioButton(QStringLiteral("&Whole file"));
    auto* rangeLayout = new QHBoxLayout(range);
    rangeLayout->addWidget(selection_);
    rangeLayout->addWidget(wholeFile_);
    selection_->setEnabled(hasSelection);
    (hasSelection ? selection_ : wholeFile_)->setChecked(true);

    auto* buttons = new QDialogButtonBox(Qt::Vertical);
    findNext_ = buttons->addButton(QStringLiteral("&Find Next"), QDialogButtonBox::ActionRole);
    replaceAll_ = buttons->addButton(QStringLiteral("Replace &All"), QDialogButtonBox::ActionRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    ConnectHelpButton(buttons, QStringLiteral("find"), ui);
    connect(findNext_, &QPushButton::clicked, this, &CReplaceDlg::OnFindNext);
    connect(replaceAll_, &QPushButton::clicked, this, &CReplaceDlg::OnReplaceAll);
    connect(buttons, &QDialogButtonBox::rejected, this, &CReplaceDlg::reject);

    auto* options = new QHBoxLayout;
    options->addWidget(matchCase_);
    options->addStretch();
    options->addWidget(range);
    auto* left = new QVBoxLayout;
    left->addWidget(findPages_);
    left->addWidget(replacePages_);
    left->addLayout(options);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(buttons);

    findPages_->Load(settings.find);
    replacePages_->Load(settings.replace);
    matchCase_->setChecked(settings.matchCase);
    connect(findPages_, &QTabWidget::currentChanged, this, &CReplaceDlg::UpdateControls);
    connect(selection_, &QRadioButton::toggled, this, &CReplaceDlg::UpdateControls);
    UpdateControls();
}

void CReplaceDlg::UpdateControls()
{
    matchCase_->setEnabled(findPages_->currentIndex() != FIND_PAGE_VALUE);
    // The interactive replace always covers the whole file, so it is not
    // offered while the selection is chosen.
    const bool inSelection = selection_->isChecked();
    findNext_->setEnabled(!inSelection);
    findNext_->setDefault(!inSelection);
    replaceAll_->setDefault(inSelection);
}

void CReplaceDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    findPages_->FocusInput();
}

FindSettings CReplaceDlg::Current() const
{
    FindSettings s = settings_;
    s.find = findPages_->Current();
    s.replace = replacePages_->Current();
    s.matchCase = matchCase_->isChecked();
    return s;
}

bool CReplaceDlg::InSelection() const { return selection_->isChecked(); }

void CReplaceDlg::Finish(int result)
{
    const FindSettings s = Current();
    SearchBuild build = BuildSearch(s, SearchDialog::Replace, types_);
    switch (build.failure) {
    case PatternFailure::None:
        settings_ = s;
        build_ = std::move(build);
        done(result);
        return;
    case PatternFailure::FindValue:
        findPages_->FocusValue();
        return;
    case PatternFailure::ReplaceValue:
        replacePages_->FocusValue();
        return;
    case PatternFailure::EmptyPattern:
        findPages_->FocusInput();
        return;
    }
}

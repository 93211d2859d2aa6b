#include "OptionsDlg.h"

#include "app/OptionsDisplayPage.h"
#include "app/OptionsFileFiltersPage.h"
#include "app/OptionsFontPage.h"
#include "app/OptionsGeneralPage.h"
#include "app/OptionsStatusPage.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

COptionsDlg::COptionsDlg(const OptionsState& state, int page, IUserInterface& ui, QWidget* parent)
    : QDialog(parent), state_(state)
{
    setWindowTitle(QStringLiteral("Options"));
    tabs_ = new QTabWidget(this);
    general_ = new COptionsGeneral(state_, tabs_);
    display_ = new COptionsDisplay(state_, ui, tabs_);
    font_ = new COptionsFont(state_, tabs_);
    status_ = new COptionsStatus(state_, tabs_);
    fileTypes_ = new COptionsFileFilters(state_, ui, tabs_);
    tabs_->addTab(general_, QStringLiteral("General"));
    tabs_->addTab(display_, QStringLiteral("Display"));
    tabs_->addTab(font_, QStringLiteral("Font"));
    tabs_->addTab(status_, QStringLiteral("Status"));
    tabs_->addTab(fileTypes_, QStringLiteral("File Types"));
    tabs_->setCurrentIndex(page >= 0 && page < tabs_->count() ? page : 0);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons_);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

int COptionsDlg::Page() const { return tabs_->currentIndex(); }

void COptionsDlg::accept()
{
    OptionsState chosen = state_;
    if (!general_->Commit(chosen)) {
        tabs_->setCurrentWidget(general_);
        return;
    }
    display_->Commit(chosen);
    font_->Commit(chosen);
    status_->Commit(chosen);
    fileTypes_->Commit(chosen);
    state_ = chosen;
    QDialog::accept();
}

#include "ReplaceNextDlg.h"

#include "tools/ReplaceSession.h"

#include <QHBoxLayout>
#include <QPushButton>

CReplaceNextDlg::CReplaceNextDlg(CReplaceSession& session, QWidget* parent) : QDialog(parent), session_(session)
{
    setWindowTitle(QStringLiteral("Replace Next"));
    findNext_ = new QPushButton(QStringLiteral("&Find Next"));
    replace_ = new QPushButton(QStringLiteral("&Replace"));
    replaceAll_ = new QPushButton(QStringLiteral("Replace &All"));
    done_ = new QPushButton(QStringLiteral("&Done"));
    auto* layout = new QHBoxLayout(this);
    for (QPushButton* button : {findNext_, replace_, replaceAll_, done_})
        layout->addWidget(button);
    findNext_->setDefault(true);
    connect(findNext_, &QPushButton::clicked, this, &CReplaceNextDlg::OnFindNext);
    connect(replace_, &QPushButton::clicked, this, &CReplaceNextDlg::OnReplace);
    connect(replaceAll_, &QPushButton::clicked, this, [this] { done(ReplaceAllResult); });
    connect(done_, &QPushButton::clicked, this, &CReplaceNextDlg::reject);
}

void CReplaceNextDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    findNext_->setFocus(Qt::OtherFocusReason);
}

void CReplaceNextDlg::OnFindNext() { AfterStep(int(session_.FindNext())); }

void CReplaceNextDlg::OnReplace() { AfterStep(int(session_.Replace())); }

void CReplaceNextDlg::AfterStep(int step)
{
    if (CReplaceSession::Step(step) != CReplaceSession::Step::Found)
        accept();
}

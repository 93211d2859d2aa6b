#include "CompareResultsDlg.h"

#include "platform/Clipboard.h"
#include "platform/CodePage.h"
#include "platform/StatusHooks.h"
#include "tools/CompareReport.h"
#include "tools/CompareSummary.h"
#include "furniture/HelpManual.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CCompareResultsDlg::CCompareResultsDlg(const QString& path1, const QString& path2,
                                       std::vector<CompareDifference> differences, bool hexOffsets, SelectFn select,
                                       IUserInterface& ui, QWidget* parent)
    : QDialog(parent), path1_(path1), path2_(path2), differences_(std::move(differences)), hexOffsets_(hexOffsets),
      select_(std::move(select))
{
    setWindowTitle(QStringLiteral("File Compare Results"));
    auto* form = new QFormLayout;
    for (const QString& path : {path1_, path2_}) {
        auto* edit = new QLineEdit(path);
        edit->setReadOnly(true);
        edit->setMinimumWidth(360);
        form->addRow(form->rowCount() == 0 ? QStringLiteral("File &1:") : QStringLiteral("File &2:"), edit);
    }
    list_ = new QListWidget;
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const CompareDifference& d : differences_)
        list_->addItem(DifferenceEntryLine(1, d.offset1, d.length1, hexOffsets_) + QLatin1Char('\n') +
                       DifferenceEntryLine(2, d.offset2, d.length2, hexOffsets_));
    label_ = new QLabel(CompareResultsLabelText(int64_t(differences_.size())));
    label_->setBuddy(list_);
    summary_ = new QLabel(CompareSummaryText(SummarizeDifferences(differences_)));

    auto* buttons = new QDialogButtonBox;
    copy_ = buttons->addButton(QStringLiteral("&Copy Results to Clipboard"), QDialogButtonBox::ActionRole);
    buttons->addButton(QDialogButtonBox::Close)->setText(QStringLiteral("Close"));
    ConnectHelpButton(buttons, QStringLiteral("compare"), ui);
    connect(copy_, &QPushButton::clicked, this, &CCompareResultsDlg::CopyToClipboard);
    connect(buttons, &QDialogButtonBox::rejected, this, &CCompareResultsDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(label_);
    layout->addWidget(list_);
    layout->addWidget(summary_);
    layout->addWidget(buttons);

    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && size_t(row) < differences_.size() && select_)
            select_(differences_[size_t(row)]);
    });
    if (!differences_.empty())
        list_->setCurrentRow(0);
}

QString CCompareResultsDlg::ReportText() const { return CompareReportText(path1_, path2_, differences_, hexOffsets_); }

void CCompareResultsDlg::CopyToClipboard() const
{
    platform::WaitCursor wait;
    platform::SetClipboardText(platform::ToCodePage(ReportText()));
}

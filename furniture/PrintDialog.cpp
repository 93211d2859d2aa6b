#include "PrintDialog.h"

#include "platform/MessageBox.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// Decimal digits as the preview's page field takes them: 19 reach past the
// last page of any printout, and the check on OK names the range.
QLineEdit* MakePageField(const QString& text, int64_t pageCount, QWidget* parent)
{
    auto* field = new QLineEdit(text, parent);
    field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{1,19}")), field));
    const QString widest = QString::number(qlonglong(pageCount)) + QStringLiteral("00");
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(widest) + 12);
    return field;
}

} // namespace

CPrintDialog::CPrintDialog(QPrinter& printer, bool hasSelection, PrintPageCounter pageCount, QWidget* parent)
    : QPrintDialog(&printer, parent), pageCount_(std::move(pageCount))
{
    PreparePrintDialog(*this, printer, hasSelection);
    count_ = pageCount_ ? std::max<int64_t>(pageCount_(printer), 1) : 1;
    if (!NeedsWidePageRange(count_)) {
        // Without a last page the dialog's fields stop at page 9999.
        setMinMax(1, int(count_));
        return;
    }
    BuildRangeTab(hasSelection);
    setOptionTabs({tab_});
    setOption(QAbstractPrintDialog::PrintPageRange, false);
}

void CPrintDialog::setVisible(bool visible)
{
    QPrintDialog::setVisible(visible);
    if (!visible || !tab_ || !ownRangeChoices_.isEmpty())
        return;
    // With its page range option off the dialog still offers its from-to
    // fields and the "Pages" list as ranges the printing system is to cut
    // from a job of every page: billions of pages sent to be thrown away.
    // It turns them on again on showing and on a change of printer, so
    // they are kept off whenever that happens.
    for (const char* name : {"printRange", "pagesRadioButton"})
        if (auto* choice = findChild<QWidget*>(QLatin1String(name))) {
            ownRangeChoices_ << choice;
            choice->setEnabled(false);
            choice->installEventFilter(this);
        }
}

bool CPrintDialog::eventFilter(QObject* watched, QEvent* event)
{
    auto* choice = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::EnabledChange && choice && ownRangeChoices_.contains(choice) && choice->isEnabled())
        choice->setEnabled(false);
    return QPrintDialog::eventFilter(watched, event);
}

void CPrintDialog::BuildRangeTab(bool hasSelection)
{
    tab_ = new QWidget;
    tab_->setObjectName(QStringLiteral("PageRangeTab"));
    tab_->setWindowTitle(QStringLiteral("Page Range"));
    rangeBox_ = new QGroupBox(QStringLiteral("Print only pa&ges"), tab_);
    rangeBox_->setCheckable(true);
    rangeBox_->setChecked(false);
    from_ = MakePageField(QStringLiteral("1"), count_, rangeBox_);
    to_ = MakePageField(QString::number(qlonglong(count_)), count_, rangeBox_);
    auto* fromLabel = new QLabel(QStringLiteral("&From:"), rangeBox_);
    fromLabel->setBuddy(from_);
    auto* toLabel = new QLabel(QStringLiteral("&To:"), rangeBox_);
    toLabel->setBuddy(to_);
    auto* fields = new QGridLayout(rangeBox_);
    fields->addWidget(fromLabel, 0, 0);
    fields->addWidget(from_, 0, 1);
    fields->addWidget(toLabel, 0, 2);
    fields->addWidget(to_, 0, 3);
    fields->setColumnStretch(4, 1);

    countText_ = new QLabel(tab_);
    countText_->setWordWrap(true);
    ShowPageCount();
    auto* layout = new QVBoxLayout(tab_);
    layout->addWidget(rangeBox_);
    layout->addWidget(countText_);
    if (hasSelection) {
        auto* note = new QLabel(QStringLiteral("When Selection is chosen, the selection prints whole."), tab_);
        note->setWordWrap(true);
        layout->addWidget(note);
    }
    layout->addStretch(1);
}

void CPrintDialog::ShowPageCount()
{
    countText_->setText(QStringLiteral("The document prints on %1 pages.").arg(qlonglong(count_)));
}

void CPrintDialog::done(int result)
{
    // QPrintDialog::accept has handed the choices to the printer by now, so
    // the count is that of the paper and printer the user ended with.
    if (result == Accepted && rangeBox_ && rangeBox_->isChecked() && !SelectionChosen(*printer())) {
        count_ = pageCount_(*printer());
        ShowPageCount();
        const PageRangeCheck check = CheckPageRange(from_->text(), to_->text(), count_);
        if (check.bad != PageField::None) {
            platform::ShowMessage(check.message, platform::MsgButtons::Ok, platform::MsgIcon::Warning);
            for (QWidget* w = tab_->parentWidget(); w; w = w->parentWidget())
                if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
                    tabs->setCurrentWidget(tab_);
                    break;
                }
            QLineEdit* field = check.bad == PageField::From ? from_ : to_;
            field->setFocus(Qt::OtherFocusReason);
            field->selectAll();
            return;
        }
        chosen_ = check.pages;
    } else {
        chosen_ = {};
    }
    QPrintDialog::done(result);
}

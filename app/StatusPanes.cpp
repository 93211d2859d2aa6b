#include "StatusPanes.h"

#include "view/BinEditView.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStatusBar>
#include <algorithm>

namespace {
// The templates are measured in the pane's font, plus the frame and margins.
constexpr int kPanePadding = 12;

// The template's width, or wider while a number of more than eight digits
// (an offset past 4 GiB) needs it.
void ShowFitted(QLabel* label, const QString& text, const QString& widthTemplate)
{
    const QFontMetrics metrics = label->fontMetrics();
    const int width = std::max(metrics.horizontalAdvance(widthTemplate), metrics.horizontalAdvance(text));
    label->setFixedWidth(width + kPanePadding);
    label->setText(text);
}
} // namespace

QString CStatusPanes::WidthTemplate(Pane pane)
{
    switch (pane) {
    case Position: return QStringLiteral("AAAAAAAA-AAAAAAAA");
    case Size: return QStringLiteral("AAAAAAAA");
    case Column: return QStringLiteral("ASCII");
    case Mode: return QStringLiteral("READ");
    case Modified: return QStringLiteral("MOD");
    case PaneCount: break;
    }
    return {};
}

CStatusPanes::CStatusPanes(QStatusBar* bar) : QObject(bar), bar_(bar)
{
    message_ = new QLabel(kIdlePrompt);
    message_->setObjectName(QStringLiteral("MessagePane"));
    bar_->addWidget(message_, 1);
    for (int i = 0; i < PaneCount; ++i) {
        auto* label = new QLabel;
        label->setObjectName(QStringLiteral("StatusPane%1").arg(i));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        const int width = label->fontMetrics().horizontalAdvance(WidthTemplate(Pane(i))) + kPanePadding;
        label->setFixedWidth(width);
        bar_->addPermanentWidget(label);
        panes_[size_t(i)] = label;
    }
    ShowTips(IdleStatusTips());
}

void CStatusPanes::ShowTips(const ViewStatus& status)
{
    panes_[Position]->setToolTip(status.positionTip);
    panes_[Size]->setToolTip(status.sizeTip);
    panes_[Column]->setToolTip(status.columnTip);
    panes_[Mode]->setToolTip(status.modeTip);
    panes_[Modified]->setToolTip(status.modifiedTip);
}

void CStatusPanes::Show(const ViewStatus& status)
{
    ShowFitted(panes_[Position], status.position, WidthTemplate(Position));
    ShowFitted(panes_[Size], status.size, WidthTemplate(Size));
    panes_[Column]->setText(status.column);
    panes_[Mode]->setText(status.mode);
    panes_[Modified]->setText(status.modified);
    ShowTips(status);
}

void CStatusPanes::Clear()
{
    for (QLabel* label : panes_)
        label->clear();
    for (Pane pane : {Position, Size})
        ShowFitted(panes_[pane], QString(), WidthTemplate(pane));
    ShowTips(IdleStatusTips());
}

void CStatusPanes::ShowMessage(const QString& text)
{
    message_->setText(text.isEmpty() ? kIdlePrompt : text);
    // Long operations call this before they start working without returning
    // to the event loop; paint now so the text is seen while they run.
    if (message_->isVisible())
        message_->repaint();
}

QString CStatusPanes::Text(Pane pane) const { return panes_[size_t(pane)]->text(); }
QString CStatusPanes::ToolTip(Pane pane) const { return panes_[size_t(pane)]->toolTip(); }
QString CStatusPanes::MessageText() const { return message_->text(); }
int CStatusPanes::PaneWidth(Pane pane) const { return panes_[size_t(pane)]->width(); }

#include "BinEditFrame.h"
#include "platform/FileNames.h"

#include "core/BinEditDoc.h"
#include "view/BinEditView.h"

#include <QCloseEvent>
#include <QSplitter>
#include <algorithm>

CBinEditFrame::CBinEditFrame(CBinEditDoc* document, AppSettings& settings, IUserInterface& ui, QWidget* parent,
                             const IViewMarks* marks, GlyphCellPool* cells)
    : QMdiSubWindow(parent), document_(document), settings_(settings), ui_(ui), marks_(marks), cells_(cells)
{
    setAttribute(Qt::WA_DeleteOnClose);
    splitter_ = new QSplitter(Qt::Vertical);
    splitter_->setChildrenCollapsible(false);
    setWidget(splitter_);
    active_ = AddPane();
    active_->OnInitialUpdate();
    UpdateTitle();
}

CBinEditFrame::~CBinEditFrame() { DestroyViews(); }

CBinEditView* CBinEditFrame::AddPane()
{
    auto* view = new CBinEditView(document_, settings_, ui_, splitter_);
    view->SetMarks(marks_);
    view->ShareCells(cells_);
    document_->AddView(view);
    view->installEventFilter(this);
    splitter_->addWidget(view);
    panes_.push_back(view);
    setFocusProxy(view);
    return view;
}

void CBinEditFrame::RemovePane(CBinEditView* view)
{
    panes_.erase(std::remove(panes_.begin(), panes_.end(), view), panes_.end());
    document_->RemoveView(view);
    delete view;
}

void CBinEditFrame::DestroyViews()
{
    active_ = nullptr;
    setFocusProxy(nullptr);
    const std::vector<CBinEditView*> panes = panes_;
    for (CBinEditView* view : panes)
        RemovePane(view);
}

void CBinEditFrame::SetSplit(bool split)
{
    if (split == IsSplit() || panes_.empty())
        return;
    if (split) {
        CBinEditView* first = panes_.front();
        CBinEditView* second = AddPane();
        second->CopyPaneState(*active_);
        first->SetSplitPartner(second);
        second->SetSplitPartner(first);
        const int half = std::max(1, splitter_->height() / 2);
        splitter_->setSizes({half, half});
        active_ = second;
    } else {
        // The pane the user worked in stays, whichever it was.
        CBinEditView* keep = active_ ? active_ : panes_.front();
        CBinEditView* drop = panes_.front() == keep ? panes_.back() : panes_.front();
        keep->SetSplitPartner(nullptr);
        setFocusProxy(keep);
        RemovePane(drop);
        active_ = keep;
    }
    emit activeViewChanged(this, active_);
    FocusActiveView();
}

void CBinEditFrame::FocusActiveView()
{
    if (active_)
        active_->setFocus(Qt::OtherFocusReason);
}

bool CBinEditFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        auto* view = static_cast<CBinEditView*>(watched);
        if (view != active_ && std::find(panes_.begin(), panes_.end(), view) != panes_.end()) {
            active_ = view;
            setFocusProxy(view);
            emit activeViewChanged(this, view);
        }
    }
    return QMdiSubWindow::eventFilter(watched, event);
}

void CBinEditFrame::SetWindowNumber(int number)
{
    if (number_ == number)
        return;
    number_ = number;
    UpdateTitle();
}

QString CBinEditFrame::TitleText() const
{
    // Bytes of the name that are not UTF-8 show as replacement characters.
    QString title = platform::DisplayFileName(document_->Title());
    if (number_ > 0)
        title += QStringLiteral(":%1").arg(number_);
    if (document_->IsModified())
        title += QLatin1Char('*');
    return title;
}

void CBinEditFrame::UpdateTitle()
{
    // The mark is part of the text (not the "[*]" placeholder) because a
    // maximised child lends its title to the main window as it is.
    const QString title = TitleText();
    if (windowTitle() != title)
        setWindowTitle(title);
}

void CBinEditFrame::CloseWithoutPrompt()
{
    skipPrompt_ = true;
    close();
}

void CBinEditFrame::closeEvent(QCloseEvent* event)
{
    if (closed_) {
        QMdiSubWindow::closeEvent(event);
        return;
    }
    if (!skipPrompt_ && closeQuery_ && !closeQuery_(this)) {
        skipPrompt_ = false;
        event->ignore();
        return;
    }
    closed_ = true;
    emit closing(this);
    DestroyViews();
    emit closed(this);
    QMdiSubWindow::closeEvent(event);
}

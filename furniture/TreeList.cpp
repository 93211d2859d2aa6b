#include "TreeList.h"

#include <QApplication>
#include <algorithm>
#include <cstdlib>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

constexpr int kDividerGrip = 3;   // pixels either side of the divider that grab it
constexpr int kMinColumnWidth = 16;

// Edits values through the owner's handlers and draws the divider between
// the two columns.
class CTreeListDelegate final : public QStyledItemDelegate {
public:
    CTreeListDelegate(CTreeList::EditTextFn& editText, CTreeList::CommitFn& commit, QObject* parent)
        : QStyledItemDelegate(parent), editText_(editText), commit_(commit)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        if (index.column() != CTreeListModel::kNameColumn)
            return;
        painter->save();
        painter->setPen(option.palette.color(QPalette::Mid));
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->restore();
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        auto* line = qobject_cast<QLineEdit*>(editor);
        if (!line)
            return;
        const QModelIndex row = index.siblingAtColumn(CTreeListModel::kNameColumn);
        line->setText(editText_ ? editText_(row) : index.data(Qt::EditRole).toString());
        line->selectAll();
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override
    {
        auto* line = qobject_cast<QLineEdit*>(editor);
        if (!line || !commit_)
            return;
        // The owner may show a message box; that must happen after the editor
        // has gone, or the box would take its focus and commit it again.
        const QPersistentModelIndex row = index.siblingAtColumn(CTreeListModel::kNameColumn);
        const QString text = line->text();
        CTreeList::CommitFn commit = commit_;
        QMetaObject::invokeMethod(
            parent(),
            [row, text, commit] {
                if (row.isValid())
                    commit(row, text);
            },
            Qt::QueuedConnection);
    }

private:
    CTreeList::EditTextFn& editText_;
    CTreeList::CommitFn& commit_;
};

} // namespace

class CTreeListView final : public QTreeView {
public:
    explicit CTreeListView(QWidget* parent) : QTreeView(parent)
    {
        setAllColumnsShowFocus(true);
        setSelectionBehavior(QAbstractItemView::SelectRows);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
        setUniformRowHeights(true);
        setHeaderHidden(true);
        header()->setStretchLastSection(true);
        header()->setSectionResizeMode(QHeaderView::Interactive);
        header()->setMinimumSectionSize(kMinColumnWidth);
        viewport()->setMouseTracking(true);
    }

    CTreeList::EditTextFn editText;
    CTreeList::CommitFn commit;
    std::function<void(int)> dividerMoved;

    bool Editing() const { return state() == QAbstractItemView::EditingState; }

    bool StartEditing()
    {
        const QModelIndex value = currentIndex().siblingAtColumn(CTreeListModel::kValueColumn);
        if (!value.isValid() || !(value.flags() & Qt::ItemIsEditable))
            return false;
        return QTreeView::edit(value, QAbstractItemView::AllEditTriggers, nullptr);
    }

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override
    {
        // Only values are edited, whichever cell of the row was clicked.
        if (trigger == QAbstractItemView::DoubleClicked || trigger == QAbstractItemView::EditKeyPressed)
            return QTreeView::edit(index.siblingAtColumn(CTreeListModel::kValueColumn), trigger, event);
        return QTreeView::edit(index, trigger, event);
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        const bool plain = !(event->modifiers() & ~Qt::KeypadModifier);
        if (plain && state() != QAbstractItemView::EditingState &&
            (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_F2)) {
            StartEditing();
            event->accept();
            return;
        }
        QTreeView::keyPressEvent(event);
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && OnDivider(event->position().toPoint())) {
            dragging_ = true;
            event->accept();
            return;
        }
        QTreeView::mousePressEvent(event);
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        const QPoint pos = event->position().toPoint();
        if (dragging_) {
            const int limit = std::max(kMinColumnWidth, viewport()->width() - kMinColumnWidth);
            setColumnWidth(CTreeListModel::kNameColumn, std::clamp(pos.x(), kMinColumnWidth, limit));
            event->accept();
            return;
        }
        viewport()->setCursor(OnDivider(pos) ? Qt::SplitHCursor : Qt::ArrowCursor);
        QTreeView::mouseMoveEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (dragging_) {
            dragging_ = false;
            if (dividerMoved)
                dividerMoved(columnWidth(CTreeListModel::kNameColumn));
            event->accept();
            return;
        }
        QTreeView::mouseReleaseEvent(event);
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        if (OnDivider(event->position().toPoint())) {
            event->accept();
            return;
        }
        QTreeView::mouseDoubleClickEvent(event);
    }

private:
    bool OnDivider(const QPoint& pos) const
    {
        const int divider = columnViewportPosition(CTreeListModel::kValueColumn);
        return std::abs(pos.x() - divider) <= kDividerGrip;
    }

    bool dragging_ = false;
};

CTreeList::CTreeList(QWidget* parent) : QWidget(parent)
{
    view_ = new CTreeListView(this);
    view_->setModel(&model_);
    view_->setItemDelegate(new CTreeListDelegate(view_->editText, view_->commit, view_));
    view_->dividerMoved = [this](int pixels) { emit dividerMoved(pixels); };

    description_ = new QLabel(this);
    description_->setWordWrap(true);
    description_->setFrameShape(QFrame::StyledPanel);
    description_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    description_->setTextFormat(Qt::PlainText);
    // Room for two lines of text plus the frame.
    description_->setMinimumHeight(2 * fontMetrics().lineSpacing() + 8);
    description_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(view_, 1);
    layout->addWidget(description_);
    setFocusProxy(view_);

    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                const QModelIndex row = current.siblingAtColumn(CTreeListModel::kNameColumn);
                ShowDescription(row);
                emit currentRowChanged(row);
            });
    connect(&model_, &QAbstractItemModel::modelReset, this, [this] { ShowDescription({}); });
    // Owners may describe a row only once it is selected, or describe it anew
    // when its contents move.
    connect(&model_, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& topLeft) {
        const QModelIndex current = CurrentRow();
        if (current.isValid() && topLeft.siblingAtColumn(CTreeListModel::kNameColumn) == current)
            ShowDescription(current);
    });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
}

QTreeView* CTreeList::List() const { return view_; }

void CTreeList::SetEditHandlers(EditTextFn editText, CommitFn commit)
{
    view_->editText = std::move(editText);
    view_->commit = std::move(commit);
}

int CTreeList::DividerPos() const { return view_->columnWidth(CTreeListModel::kNameColumn); }

void CTreeList::SetDividerPos(int pixels) { view_->setColumnWidth(CTreeListModel::kNameColumn, std::max(kMinColumnWidth, pixels)); }

int CTreeList::LongestLeafNameEnd() const
{
    // Each level is indented by one step, and the top level too when the
    // tree draws its root decoration.
    const int rootSteps = view_->rootIsDecorated() ? 1 : 0;
    int longest = kMinColumnWidth;
    std::function<void(const QModelIndex&, int)> visit = [&](const QModelIndex& parent, int depth) {
        for (int row = 0; row < model_.rowCount(parent); ++row) {
            const QModelIndex name = model_.index(row, CTreeListModel::kNameColumn, parent);
            if (model_.rowCount(name) > 0) {
                visit(name, depth + 1);
                continue;
            }
            const int end = view_->indentation() * (depth + rootSteps) + view_->sizeHintForIndex(name).width();
            longest = std::max(longest, end);
        }
    };
    visit(QModelIndex(), 0);
    return longest;
}

QModelIndex CTreeList::CurrentRow() const
{
    const QModelIndex current = view_->currentIndex();
    return current.isValid() ? current.siblingAtColumn(CTreeListModel::kNameColumn) : QModelIndex();
}

void CTreeList::SetCurrentRow(const QModelIndex& row)
{
    view_->setCurrentIndex(row);
}

bool CTreeList::EditCurrentRow() { return view_->StartEditing(); }

bool CTreeList::IsEditing() const { return view_->Editing(); }

void CTreeList::ExpandAll() { view_->expandAll(); }

void CTreeList::ShowDescription(const QModelIndex& row)
{
    description_->setText(row.isValid() ? model_.Row(row).description : QString());
}

void CTreeList::OnFocusChanged(QWidget* now)
{
    const bool inside = now && (now == view_ || view_->isAncestorOf(now));
    if (inside == listHasFocus_)
        return;
    listHasFocus_ = inside;
    emit listFocusChanged(inside);
}

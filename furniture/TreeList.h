#pragma once
// A two-column tree list (names on the left, values on the right) with a
// description line under it that shows the selected row's description. The
// divider between the columns is dragged with the mouse. Values marked
// editable are edited in place: F2, Enter or a double click starts the
// editor, Enter commits, Esc cancels. The owner decides what an edit starts
// with and whether the typed text is accepted.
#include "furniture/TreeListModel.h"

#include <QTreeView>
#include <QWidget>

#include <functional>

class QLabel;

class CTreeListView;

class CTreeList : public QWidget {
    Q_OBJECT
public:
    // The text the editor starts with for a row's value.
    using EditTextFn = std::function<QString(const QModelIndex& row)>;
    // Called once the editor has closed with the text typed; the owner
    // updates the row's value itself when it accepts the text.
    using CommitFn = std::function<void(const QModelIndex& row, const QString& text)>;

    explicit CTreeList(QWidget* parent = nullptr);

    CTreeListModel& Model() { return model_; }
    const CTreeListModel& Model() const { return model_; }
    // The list itself: it takes the keyboard focus.
    QTreeView* List() const;

    void SetEditHandlers(EditTextFn editText, CommitFn commit);

    // The width of the name column in pixels.
    int DividerPos() const;
    void SetDividerPos(int pixels);
    // The divider position at which the longest name of a row without
    // children (indented as shown) ends.
    int LongestLeafNameEnd() const;

    // The selected row (its name cell), or an invalid index.
    QModelIndex CurrentRow() const;
    void SetCurrentRow(const QModelIndex& row);
    // Starts editing the selected row's value; false when it is not editable.
    bool EditCurrentRow();
    bool IsEditing() const;
    // Shows every row of every level.
    void ExpandAll();

signals:
    void currentRowChanged(const QModelIndex& row);
    // The keyboard focus entered (true) or left (false) the list; moving
    // into the cell editor and back does not count.
    void listFocusChanged(bool hasFocus);
    void dividerMoved(int pixels);

private:
    void ShowDescription(const QModelIndex& row);
    void OnFocusChanged(QWidget* now);

    CTreeListModel model_;
    CTreeListView* view_;
    QLabel* description_;
    bool listHasFocus_ = false;
};

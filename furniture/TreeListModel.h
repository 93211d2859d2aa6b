#pragma once
// The rows of a two-column tree list: a name, a value, a description shown
// under the list, whether the value may be edited in place, whether the row
// heads a group (drawn in bold), and a number the owner gives the row to
// find its own data again. Rows nest to any depth.
#include <QAbstractItemModel>
#include <QString>

#include <memory>
#include <vector>

struct TreeListRow {
    QString name;
    QString value;
    QString description;
    bool editable = false;
    bool group = false;
    int tag = -1;
};

class CTreeListModel final : public QAbstractItemModel {
    Q_OBJECT
public:
    static constexpr int kNameColumn = 0;
    static constexpr int kValueColumn = 1;

    explicit CTreeListModel(QObject* parent = nullptr);
    ~CTreeListModel() override;

    // Removes every row.
    void Clear();
    // Appends a row under parent (an invalid index: at the top) and returns
    // the index of its name cell.
    QModelIndex AddRow(const QModelIndex& parent, TreeListRow row);
    // The row an index of either column belongs to; index must be valid.
    const TreeListRow& Row(const QModelIndex& index) const;
    // Changes a row's value and editability; the list repaints the row only
    // when something changed.
    void SetValue(const QModelIndex& index, const QString& value, bool editable);

    // QAbstractItemModel
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct Node {
        TreeListRow row;
        Node* parent = nullptr;
        int position = 0;  // index among its parent's children
        std::vector<std::unique_ptr<Node>> children;
    };

    Node* NodeOf(const QModelIndex& index) const;

    Node root_;
};

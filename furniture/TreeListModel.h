#pragma once
// The rows of a two-column tree list: a name, a value, a description shown
// under the list, whether the value may be edited in place, whether the row
// heads a group (drawn in bold), and a number the owner gives the row to
// find its own data again. Rows nest to any depth.
#include <QAbstractItemModel>
#include <QString>

#include <functional>
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
    void SetDescription(const QModelIndex& index, const QString& description);

    // Rows made on demand. A row may announce more children than it holds;
    // the owner's fetch function adds the missing ones, at most kFetchBatch at
    // a time, when the list first expands the row or scrolls to its last
    // child. Arrays of tens of thousands of elements thus cost only the rows
    // someone looks at.
    static constexpr int kFetchBatch = 256;
    using FetchFn = std::function<void(const QModelIndex& parent, int first, int count)>;
    void SetFetchHandler(FetchFn fetch) { fetch_ = std::move(fetch); }
    // The number of children parent will have once all are made.
    void SetAnnouncedChildren(const QModelIndex& parent, int total);
    int AnnouncedChildren(const QModelIndex& parent) const;
    // Removes parent's children from position on.
    void RemoveRowsFrom(const QModelIndex& parent, int position);

    // QAbstractItemModel
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    struct Node {
        TreeListRow row;
        Node* parent = nullptr;
        int position = 0;  // index among its parent's children
        int announced = 0;  // children announced; those not yet made are fetched
        std::vector<std::unique_ptr<Node>> children;
    };

    Node* NodeOf(const QModelIndex& index) const;

    Node root_;
    FetchFn fetch_;
};

#include "TreeListModel.h"

#include <QFont>

#include <algorithm>

CTreeListModel::CTreeListModel(QObject* parent) : QAbstractItemModel(parent) {}

CTreeListModel::~CTreeListModel() = default;

CTreeListModel::Node* CTreeListModel::NodeOf(const QModelIndex& index) const
{
    if (!index.isValid())
        return const_cast<Node*>(&root_);
    return static_cast<Node*>(index.internalPointer());
}

void CTreeListModel::Clear()
{
    beginResetModel();
    root_.children.clear();
    root_.announced = 0;
    endResetModel();
}

QModelIndex CTreeListModel::AddRow(const QModelIndex& parent, TreeListRow row)
{
    Node* owner = NodeOf(parent);
    const int position = int(owner->children.size());
    beginInsertRows(parent, position, position);
    auto node = std::make_unique<Node>();
    node->row = std::move(row);
    node->parent = owner;
    node->position = position;
    Node* added = node.get();
    owner->children.push_back(std::move(node));
    endInsertRows();
    return createIndex(position, kNameColumn, added);
}

const TreeListRow& CTreeListModel::Row(const QModelIndex& index) const { return NodeOf(index)->row; }

void CTreeListModel::SetValue(const QModelIndex& index, const QString& value, bool editable)
{
    Node* node = NodeOf(index);
    if (node == &root_ || (node->row.value == value && node->row.editable == editable))
        return;
    node->row.value = value;
    node->row.editable = editable;
    const QModelIndex cell = createIndex(node->position, kValueColumn, node);
    emit dataChanged(cell, cell, {Qt::DisplayRole, Qt::EditRole});
}

void CTreeListModel::SetDescription(const QModelIndex& index, const QString& description)
{
    Node* node = NodeOf(index);
    if (node == &root_ || node->row.description == description)
        return;
    node->row.description = description;
    const QModelIndex cell = createIndex(node->position, kNameColumn, node);
    emit dataChanged(cell, cell, {Qt::ToolTipRole});
}

void CTreeListModel::SetAnnouncedChildren(const QModelIndex& parent, int total)
{
    NodeOf(parent)->announced = std::max(0, total);
}

int CTreeListModel::AnnouncedChildren(const QModelIndex& parent) const { return NodeOf(parent)->announced; }

void CTreeListModel::RemoveRowsFrom(const QModelIndex& parent, int position)
{
    Node* owner = NodeOf(parent);
    const int count = int(owner->children.size());
    position = std::max(0, position);
    if (position >= count)
        return;
    beginRemoveRows(parent, position, count - 1);
    owner->children.resize(size_t(position));
    endRemoveRows();
}

bool CTreeListModel::hasChildren(const QModelIndex& parent) const
{
    if (parent.isValid() && parent.column() != kNameColumn)
        return false;
    const Node* node = NodeOf(parent);
    return !node->children.empty() || node->announced > 0;
}

bool CTreeListModel::canFetchMore(const QModelIndex& parent) const
{
    if (!fetch_ || (parent.isValid() && parent.column() != kNameColumn))
        return false;
    const Node* node = NodeOf(parent);
    return node->announced > int(node->children.size());
}

void CTreeListModel::fetchMore(const QModelIndex& parent)
{
    if (!canFetchMore(parent))
        return;
    const Node* node = NodeOf(parent);
    const int first = int(node->children.size());
    const QModelIndex owner = parent.isValid() ? parent.siblingAtColumn(kNameColumn) : parent;
    fetch_(owner, first, std::min(kFetchBatch, node->announced - first));
}

QModelIndex CTreeListModel::index(int row, int column, const QModelIndex& parent) const
{
    const Node* owner = NodeOf(parent);
    if (row < 0 || size_t(row) >= owner->children.size() || column < 0 || column > kValueColumn)
        return {};
    return createIndex(row, column, owner->children[size_t(row)].get());
}

QModelIndex CTreeListModel::parent(const QModelIndex& child) const
{
    if (!child.isValid())
        return {};
    const Node* owner = NodeOf(child)->parent;
    if (!owner || owner == &root_)
        return {};
    return createIndex(owner->position, kNameColumn, const_cast<Node*>(owner));
}

int CTreeListModel::rowCount(const QModelIndex& parent) const
{
    // Only the name column has children, as in every tree view.
    if (parent.isValid() && parent.column() != kNameColumn)
        return 0;
    return int(NodeOf(parent)->children.size());
}

int CTreeListModel::columnCount(const QModelIndex&) const { return 2; }

QVariant CTreeListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const TreeListRow& row = NodeOf(index)->row;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return index.column() == kNameColumn ? row.name : row.value;
    case Qt::ToolTipRole:
        return row.description;
    case Qt::FontRole:
        if (row.group) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    default:
        return {};
    }
}

Qt::ItemFlags CTreeListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == kValueColumn && NodeOf(index)->row.editable)
        result |= Qt::ItemIsEditable;
    if (NodeOf(index)->children.empty() && NodeOf(index)->announced == 0)
        result |= Qt::ItemNeverHasChildren;
    return result;
}

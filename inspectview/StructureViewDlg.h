#pragma once
// The "Structure View" page of the Data Inspector pane: one structure of the
// collection laid over the bytes at the caret of a hex view, as a tree of
// members, arrays and elements with their values, offsets and sizes. Values
// and character strings are edited in place as one undoable edit each; the
// selected row's bytes are highlighted in the hex view while the tree has
// the focus.
//
// Rows are made only when someone can see them: an array's elements when
// the array is expanded (a batch at a time as the list scrolls), a structure
// element's members when it is expanded. Refreshing lays out only the rows
// that exist, so the page stays quick whatever the collection multiplies to.
#include "furniture/TreeList.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <vector>

class CBinEditView;
class CInspectedRange;
class QAction;
class QComboBox;
class QMenu;
class StructureCollection;
class StructureLayout;
class ValueTypeRegistry;
struct AppSettings;
struct MemberPlace;
struct StructureDef;
struct StructureMember;

class CStructureViewDlg : public QWidget {
    Q_OBJECT
public:
    // Structures nested deeper than this show one row saying so instead of
    // their members.
    static constexpr int kMaxShownNesting = 100;
    // The most rows one pass (a rebuild, a refresh, a row the user opens)
    // makes: structure rows open on their own only while it lasts, and
    // variable arrays grow by no more. It keeps any pass well inside the
    // layout walk's step budget, however the collection multiplies.
    static constexpr int kRowsPerPass = 10'000;

    CStructureViewDlg(const StructureCollection& structures, ValueTypeRegistry& types, CInspectedRange& highlight,
                      QWidget* parent = nullptr);
    ~CStructureViewDlg() override;

    // With rebuild (or with no view), fills the chooser and makes the rows
    // again from the collection; then lays the structure over view's caret.
    void Refresh(CBinEditView* view, bool rebuild);

    // The chosen structure's name (StructCurrent).
    const QString& Current() const { return current_; }
    bool Hexadecimal() const { return hexadecimal_; }
    bool BigEndian() const { return bigEndian_; }
    bool ExpandArrays() const { return expandArrays_; }
    void LoadSettings(const AppSettings& settings);
    void SaveSettings(AppSettings& settings) const;

    CTreeList& List() { return *list_; }
    QComboBox& Chooser() { return *chooser_; }
    QMenu& ContextMenu() { return *menu_; }

    // The rows as shown (children of expanded rows only), one a line: name,
    // value, offset and size separated by tabs, indented by two spaces per
    // level, offsets and sizes in the page's radix.
    QString StructureText() const;

signals:
    // The context menu's commands that act outside the page.
    void hideRequested();
    void structuresRequested();
    // A display flag changed: the values, and with rebuild the rows, need refreshing.
    void refreshRequested(bool rebuild);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // A note stands where nesting too deep to show would go.
    enum class RowKind { Root, Member, Element, Note };
    struct RowInfo {
        RowKind kind = RowKind::Root;
        int owner = -1;      // the structure holding the member (the root's own index for the root)
        int member = -1;     // index of the member within owner
        int32_t element = -1;
        int depth = 0;       // nesting of structures
        QModelIndex index;
        int64_t start = 0;   // from the base, filled by the layout
        int64_t end = 0;
        int64_t textStart = 0;  // where a character array's text begins
        int32_t count = 0;      // elements of an array at the last layout
        bool populated = false;  // children made
    };

    void Rebuild();
    void FillChooser();
    void BuildRows();
    int AddRow(const QModelIndex& parent, RowInfo info);
    void Fetch(const QModelIndex& parent, int first, int count);
    void Populate(int tag);
    void OpenQueued();
    void ScheduleExpansion();
    void ApplyExpansion();
    void RemoveChildrenFrom(int tag, int position);
    void ReleaseTags(const QModelIndex& row);

    const StructureDef* OwnerOf(const RowInfo& info) const;
    const StructureMember* MemberOf(const RowInfo& info) const;
    // The structure a row stands for (root, nested member, structure element), or -1.
    int StructureOf(const RowInfo& info) const;
    bool IsArrayRow(const RowInfo& info) const;
    bool IsStringRow(const RowInfo& info) const;
    // The data type a value row shows, or -1.
    int ValueTypeOf(const RowInfo& info) const;
    int TagOf(const QModelIndex& row) const;
    QString RowName(const RowInfo& info) const;
    QString InitialValue(const RowInfo& info) const;
    int AnnouncedChildren(const RowInfo& info) const;

    void FillValues();
    void ClearValues();
    void FillStructure(int tag, int structure, int64_t offset, StructureLayout& layout);
    void FillMember(int tag, const StructureDef& owner, const MemberPlace& place, StructureLayout& layout);
    void FillElement(int tag, const StructureDef& owner, const MemberPlace& place, StructureLayout& layout);
    void SetValue(int tag, const QString& value, bool editable);
    void UpdateDescription();
    QString Description(const RowInfo& info) const;
    QString OffsetText(int64_t offset, bool hexadecimal) const;

    void UpdateHighlight();
    QString EditText(const QModelIndex& row) const;
    void CommitEdit(const QModelIndex& row, const QString& text);
    void WriteText(const RowInfo& info, const QString& text);
    void AppendRowText(const QModelIndex& row, int depth, QString& text) const;
    void CopyStructure();
    void ToggleFlag(bool& flag, bool rebuild);

    const StructureCollection& structures_;
    ValueTypeRegistry& types_;
    CInspectedRange& highlight_;
    QComboBox* chooser_;
    CTreeList* list_;
    QMenu* menu_;
    QAction* expandAction_;
    QAction* hexAction_;
    QAction* bigEndianAction_;

    std::vector<RowInfo> rows_;  // by the rows' tags
    std::vector<int> freeTags_;
    std::vector<QPersistentModelIndex> toExpand_;
    std::vector<QPersistentModelIndex> toOpen_;  // rows to open, in the order they were made
    int rowsLeft_ = kRowsPerPass;
    bool expansionScheduled_ = false;
    bool selfFetching_ = false;  // rows made by the page itself, not fetched by the list
    QPointer<CBinEditView> view_;
    int64_t base_ = 0;
    bool readOnly_ = true;
    QString current_;
    bool hexadecimal_ = false;
    bool bigEndian_ = false;
    bool expandArrays_ = false;
    bool built_ = false;
    bool listFocused_ = false;
    bool ownsHighlight_ = false;
};

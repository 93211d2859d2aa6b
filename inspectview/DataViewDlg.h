#pragma once
// The "Data View" page of the Data Inspector pane: the bytes at the caret of
// a hex view shown as every visible data type at once, in two groups
// (standard and custom types). Values are edited in place; a successful
// edit overwrites the bytes at the caret as one undoable edit. The selected
// value's bytes are highlighted in the hex view while the list has the focus.
#include "furniture/TreeList.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <vector>

class CBinEditView;
class CInspectedRange;
class QAction;
class QMenu;
class ValueTypeRegistry;
struct AppSettings;

class CDataViewDlg : public QWidget {
    Q_OBJECT
public:
    CDataViewDlg(ValueTypeRegistry& types, CInspectedRange& highlight, QWidget* parent = nullptr);
    ~CDataViewDlg() override;

    // Called before rows are rebuilt, to load the data-type modules when
    // they are not loaded yet.
    void SetTypeLoader(std::function<void()> loader) { loadTypes_ = std::move(loader); }

    // With rebuild, lays the rows out again from the registry; then fills the
    // values from view's caret (no view empties them).
    void Refresh(CBinEditView* view, bool rebuild);

    bool Hexadecimal() const { return hexadecimal_; }
    bool BigEndian() const { return bigEndian_; }
    // The page's flags and divider, from and into the settings record. The
    // divider's default value stands for "never placed by the user": it then
    // sits where the longest type name ends, so the values get the rest.
    void LoadSettings(const AppSettings& settings);
    void SaveSettings(AppSettings& settings) const;

    CTreeList& List() { return *list_; }
    QMenu& ContextMenu() { return *menu_; }
    // The value row of a registry entry, or an invalid index when hidden.
    QModelIndex RowOfType(int typeIndex) const;
    // The values shown, one a line: the type's name, a tab, the value.
    QString ValuesText() const;

signals:
    // The context menu's commands that act outside the page.
    void hideRequested();
    void dataTypesRequested();
    // A display flag changed: the values need refreshing.
    void refreshRequested();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    struct ValueRow {
        QModelIndex index;
        int type = 0;
    };

    void Rebuild();
    void AddGroup(const QString& name, const QString& description, bool custom);
    void FillValues();
    void UpdateHighlight();
    int TypeOfRow(const QModelIndex& row) const;
    QString EditText(const QModelIndex& row) const;
    void CommitEdit(const QModelIndex& row, const QString& text);
    void ToggleFlag(bool& flag);
    void FitDividerToNames();

    ValueTypeRegistry& types_;
    CInspectedRange& highlight_;
    std::function<void()> loadTypes_;
    CTreeList* list_;
    QMenu* menu_;
    QAction* hexAction_;
    QAction* bigEndianAction_;

    std::vector<ValueRow> rows_;
    std::vector<uint8_t> bytes_;
    QPointer<CBinEditView> view_;
    int64_t caret_ = 0;
    bool hexadecimal_ = false;
    bool bigEndian_ = false;
    bool built_ = false;
    bool listFocused_ = false;
    bool ownsHighlight_ = false;
    bool automaticDivider_ = true;
};

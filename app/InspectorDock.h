#pragma once
// The dockable "Data Inspector" pane with its two tabs, "Data View" and
// "Structure View". The pages are filled by the inspector and structure
// viewer; until then they are empty.
#include <QDockWidget>
#include <functional>

class QTabWidget;
class CBinEditView;

class CInspectorDock : public QDockWidget {
    Q_OBJECT
public:
    explicit CInspectorDock(QWidget* parent = nullptr);

    int SelectedTab() const;
    void SelectTab(int index);
    QWidget* Page(int index) const;
    // Shows the pane if hidden and puts the keyboard focus in the selected page.
    void ShowAndFocus();
    // Refreshes the visible page for the view (nothing to do while the pages are empty).
    void Refresh(CBinEditView* view);

private:
    QTabWidget* tabs_;
};

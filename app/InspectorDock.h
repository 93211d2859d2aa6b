#pragma once
// The dockable "Data Inspector" pane with its two tabs, "Data View" and
// "Structure View". Refresh requests from everywhere are coalesced and
// performed at the next idle moment, only for the selected tab's page; the
// other page's request waits until its tab is selected.
#include "inspect/RefreshRequests.h"

#include <QDockWidget>
#include <QPointer>
#include <QTimer>

class QTabWidget;
class CBinEditView;
class CDataViewDlg;
class CStructureViewDlg;
class CInspectedRange;
class ValueTypeRegistry;
class StructureCollection;
struct AppSettings;

class CInspectorDock : public QDockWidget {
    Q_OBJECT
public:
    static constexpr int kDataViewTab = 0;
    static constexpr int kStructureViewTab = 1;

    CInspectorDock(ValueTypeRegistry& types, const StructureCollection& structures, CInspectedRange& highlight,
                   QWidget* parent = nullptr);

    int SelectedTab() const;
    void SelectTab(int index);
    QWidget* Page(int index) const;
    CDataViewDlg* DataView() const { return dataView_; }
    CStructureViewDlg* StructureView() const { return structureView_; }
    // Shows the pane if hidden and puts the keyboard focus in the selected page.
    void ShowAndFocus();
    // Asks for the pages to show view (none empties them) at the next idle
    // moment, with the rows laid out again when rebuild is set.
    void RequestRefresh(CBinEditView* view, bool rebuild = false);
    void Refresh(CBinEditView* view) { RequestRefresh(view, false); }
    // The structure collection changed (edited, loaded, imported): the
    // Structure View makes its chooser and rows again.
    void StructuresChanged();
    // The pages' flags and dividers, from and into the settings record.
    void LoadSettings(const AppSettings& settings);
    void SaveSettings(AppSettings& settings) const;

signals:
    // A page was refreshed (at an idle moment).
    void refreshed(int tab);
    // The Data View's context menu asked for the "Data Types" dialog.
    void dataTypesRequested();
    // The Structure View's context menu asked for the "Structures" dialog.
    void structuresRequested();

private:
    void ScheduleRefresh();
    void PerformRefresh();
    void StepTab(int step);

    QTabWidget* tabs_;
    CDataViewDlg* dataView_;
    CStructureViewDlg* structureView_;
    RefreshRequests<QPointer<CBinEditView>> requests_{2};
    QPointer<CBinEditView> lastView_;
    QTimer idle_;
};

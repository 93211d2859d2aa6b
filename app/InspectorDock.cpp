#include "InspectorDock.h"

#include "inspect/StructureCollection.h"
#include "inspectview/DataViewDlg.h"
#include "inspectview/StructureViewDlg.h"
#include "view/BinEditView.h"

#include <QShortcut>
#include <QTabWidget>

CInspectorDock::CInspectorDock(ValueTypeRegistry& types, const StructureCollection& structures,
                               CInspectedRange& highlight, QWidget* parent)
    : QDockWidget(QStringLiteral("Data Inspector"), parent)
{
    setObjectName(QStringLiteral("DataInspector"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    setAllowedAreas(Qt::AllDockWidgetAreas);
    tabs_ = new QTabWidget;
    tabs_->setTabPosition(QTabWidget::South);
    dataView_ = new CDataViewDlg(types, highlight);
    tabs_->addTab(dataView_, QStringLiteral("Data View"));
    structureView_ = new CStructureViewDlg(structures, types, highlight);
    tabs_->addTab(structureView_, QStringLiteral("Structure View"));
    setWidget(tabs_);

    idle_.setSingleShot(true);
    idle_.setInterval(0);
    connect(&idle_, &QTimer::timeout, this, &CInspectorDock::PerformRefresh);
    connect(tabs_, &QTabWidget::currentChanged, this, &CInspectorDock::ScheduleRefresh);
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible)
            ScheduleRefresh();
    });

    connect(dataView_, &CDataViewDlg::hideRequested, this, &QWidget::hide);
    connect(dataView_, &CDataViewDlg::dataTypesRequested, this, &CInspectorDock::dataTypesRequested);
    connect(dataView_, &CDataViewDlg::refreshRequested, this, [this] { RequestRefresh(lastView_, false); });
    connect(structureView_, &CStructureViewDlg::hideRequested, this, &QWidget::hide);
    connect(structureView_, &CStructureViewDlg::structuresRequested, this, &CInspectorDock::structuresRequested);
    connect(structureView_, &CStructureViewDlg::refreshRequested, this,
            [this](bool rebuild) { RequestRefresh(lastView_, rebuild); });

    // The pages switch as in every tabbed window.
    const struct {
        QKeySequence keys;
        int step;
    } switches[] = {{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
                    {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
                    {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
                    {QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
                    {QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}};
    for (const auto& entry : switches) {
        auto* shortcut = new QShortcut(entry.keys, tabs_);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        const int step = entry.step;
        connect(shortcut, &QShortcut::activated, this, [this, step] { StepTab(step); });
    }
}

int CInspectorDock::SelectedTab() const { return tabs_->currentIndex(); }

void CInspectorDock::SelectTab(int index)
{
    if (index >= 0 && index < tabs_->count())
        tabs_->setCurrentIndex(index);
}

QWidget* CInspectorDock::Page(int index) const { return tabs_->widget(index); }

void CInspectorDock::StepTab(int step)
{
    const int count = tabs_->count();
    SelectTab((tabs_->currentIndex() + step + count) % count);
    ShowAndFocus();
}

void CInspectorDock::ShowAndFocus()
{
    show();
    raise();
    QWidget* page = tabs_->currentWidget();
    QWidget* target = page;
    while (target->focusProxy())
        target = target->focusProxy();
    // A page without a proxy passes the focus to its first control.
    if (target == page)
        if (QWidget* next = page->nextInFocusChain(); next && page->isAncestorOf(next) && next->focusPolicy() != Qt::NoFocus)
            target = next;
    target->setFocus(Qt::ShortcutFocusReason);
}

void CInspectorDock::LoadSettings(const AppSettings& settings)
{
    dataView_->LoadSettings(settings);
    structureView_->LoadSettings(settings);
}

void CInspectorDock::SaveSettings(AppSettings& settings) const
{
    dataView_->SaveSettings(settings);
    structureView_->SaveSettings(settings);
}

void CInspectorDock::RequestRefresh(CBinEditView* view, bool rebuild)
{
    lastView_ = view;
    requests_.Add(lastView_, rebuild);
    ScheduleRefresh();
}

void CInspectorDock::StructuresChanged() { RequestRefresh(lastView_, true); }

void CInspectorDock::ScheduleRefresh()
{
    if (requests_.IsPending(SelectedTab()))
        idle_.start();
}

void CInspectorDock::PerformRefresh()
{
    // A hidden pane keeps its requests until it is shown again.
    if (!isVisible())
        return;
    const int tab = SelectedTab();
    const auto request = requests_.Take(tab);
    if (!request)
        return;
    if (tab == kDataViewTab)
        dataView_->Refresh(request->view.data(), request->rebuild);
    else if (tab == kStructureViewTab)
        structureView_->Refresh(request->view.data(), request->rebuild);
    emit refreshed(tab);
}

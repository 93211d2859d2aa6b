#include "InspectorDock.h"

#include <QTabWidget>

namespace {
QWidget* EmptyPage(const QString& name)
{
    auto* page = new QWidget;
    page->setObjectName(name);
    // The page takes the keyboard focus itself while it has no controls.
    page->setFocusPolicy(Qt::StrongFocus);
    return page;
}
} // namespace

CInspectorDock::CInspectorDock(QWidget* parent) : QDockWidget(QStringLiteral("Data Inspector"), parent)
{
    setObjectName(QStringLiteral("DataInspector"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    setAllowedAreas(Qt::AllDockWidgetAreas);
    tabs_ = new QTabWidget;
    tabs_->setTabPosition(QTabWidget::South);
    tabs_->addTab(EmptyPage(QStringLiteral("DataViewPage")), QStringLiteral("Data View"));
    tabs_->addTab(EmptyPage(QStringLiteral("StructureViewPage")), QStringLiteral("Structure View"));
    setWidget(tabs_);
}

int CInspectorDock::SelectedTab() const { return tabs_->currentIndex(); }

void CInspectorDock::SelectTab(int index)
{
    if (index >= 0 && index < tabs_->count())
        tabs_->setCurrentIndex(index);
}

QWidget* CInspectorDock::Page(int index) const { return tabs_->widget(index); }

void CInspectorDock::ShowAndFocus()
{
    show();
    raise();
    QWidget* page = tabs_->currentWidget();
    QWidget* target = page->focusProxy() ? page->focusProxy() : page;
    // A page with controls passes the focus to its first one.
    if (QWidget* next = page->nextInFocusChain(); next && page->isAncestorOf(next) && next->focusPolicy() != Qt::NoFocus)
        target = next;
    target->setFocus(Qt::ShortcutFocusReason);
}

void CInspectorDock::Refresh(CBinEditView*) {}

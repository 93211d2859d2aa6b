#pragma once
// The user tools of the Tools menu: the menu items refilled from the list
// each time the menu is about to show, "Edit User Tools...", and running a
// tool on the active document.
#include <QList>
#include <QObject>

#include <memory>
#include <vector>

class CMainFrame;
class QAction;
class QInputDialog;
class QMenu;
class QWidget;
struct ExternalTool;
struct MacroContext;

class CUserTools : public QObject {
    Q_OBJECT
public:
    // Adds "&Edit User Tools..." and the tools to menu; tools is the list the
    // menu shows and the editor changes.
    CUserTools(CMainFrame& frame, QMenu& menu, std::vector<ExternalTool>& tools);

    // Replaces the tool items before "&Edit User Tools..." with one per tool.
    void RefillMenu();
    const QList<QAction*>& ToolActions() const { return actions_; }

    void EditTools();
    // Runs tool number index of the list; false when it did not start
    // (cancelled, or after the failure message).
    bool Run(int index);

private:
    MacroContext Context(bool withSelection) const;

    CMainFrame& frame_;
    QMenu& menu_;
    std::vector<ExternalTool>& tools_;
    QList<QAction*> actions_;
};

// "Program Arguments": asks for the arguments of a tool that prompts for them.
std::unique_ptr<QInputDialog> MakeArgumentsDialog(QWidget* parent, const QString& command, const QString& initial);

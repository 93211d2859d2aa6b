#include "UserTools.h"

#include "app/EditToolsDlg.h"
#include "app/MainFrame.h"
#include "app/ToolArguments.h"
#include "app/CommandWords.h"
#include "core/BinEditDoc.h"
#include "platform/FileNames.h"
#include "platform/MessageBox.h"
#include "platform/ProcessStart.h"
#include "platform/StatusHooks.h"
#include "settings/AppSettings.h"
#include "furniture/UserInterface.h"
#include "view/BinEditView.h"
#include "view/ViewClipboard.h"

#include <QDir>
#include <QInputDialog>
#include <QMenu>

namespace {

const QString kUnableToRun = QStringLiteral("Unable to run tool.\n\n");

void Refuse(const QString& reason) { platform::ShowMessage(kUnableToRun + reason, platform::MsgButtons::Ok); }

// The prompt of "Program Arguments"; nothing when cancelled.
std::optional<QString> AskArguments(QWidget* parent, const QString& command, const QString& initial, IUserInterface& ui)
{
    const std::unique_ptr<QInputDialog> dialog = MakeArgumentsDialog(parent, command, initial);
    if (ui.RunDialog(*dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog->textValue();
}

} // namespace

std::unique_ptr<QInputDialog> MakeArgumentsDialog(QWidget* parent, const QString& command, const QString& initial)
{
    auto dialog = std::make_unique<QInputDialog>(parent);
    dialog->setWindowTitle(QStringLiteral("Program Arguments"));
    dialog->setLabelText(QStringLiteral("Please enter any &arguments that should be passed to \"%1\":")
                             .arg(platform::DisplayFileName(CommandFileName(command))));
    dialog->setTextValue(initial);
    dialog->resize(480, dialog->sizeHint().height());
    return dialog;
}

CUserTools::CUserTools(CMainFrame& frame, QMenu& menu, std::vector<ExternalTool>& tools)
    : QObject(&frame), frame_(frame), menu_(menu), tools_(tools)
{
    menu_.addSeparator();
    menu_.addAction(frame_.Action(Cmd::ToolsEditUserTools));
    connect(&menu_, &QMenu::aboutToShow, this, &CUserTools::RefillMenu);
    connect(frame_.Action(Cmd::ToolsEditUserTools), &QAction::triggered, this, &CUserTools::EditTools);
    RefillMenu();
}

void CUserTools::RefillMenu()
{
    for (QAction* action : actions_)
        delete action;
    actions_.clear();
    QMenu* menu = &menu_;
    QAction* before = frame_.Action(Cmd::ToolsEditUserTools);
    const std::vector<ExternalTool>& tools = tools_;
    for (int i = 0; i < int(tools.size()) && i < kMaxExternalTools; ++i) {
        auto* action = new QAction(ToolMenuText(tools[size_t(i)].title, tools[size_t(i)].promptForArgs), menu);
        action->setStatusTip(QStringLiteral("Run this tool"));
        connect(action, &QAction::triggered, this, [this, i] { Run(i); });
        menu->insertAction(before, action);
        actions_ << action;
    }
}

void CUserTools::EditTools()
{
    CEditToolsDlg dialog(tools_, frame_.UserInterface(), &frame_);
    frame_.UserInterface().RunDialog(dialog);
    RefillMenu();
}

MacroContext CUserTools::Context(bool withSelection) const
{
    MacroContext context;
    context.activeDir = QDir::currentPath();
    const CBinEditDoc* document = frame_.ActiveDocument();
    if (!document)
        return context;
    context.hasDocument = true;
    context.path = document->PathName();
    context.title = document->Title();
    if (withSelection)
        if (const CBinEditView* view = frame_.ActiveView())
            view->Clipboard().GetSelectionBytes(context.selection);
    return context;
}

bool CUserTools::Run(int index)
{
    const std::vector<ExternalTool>& tools = tools_;
    if (index < 0 || index >= int(tools.size()))
        return false;
    const ExternalTool tool = tools[size_t(index)];
    std::optional<QStringList> arguments;
    QString directory;
    {
        platform::WaitCursor wait;
        // The selection is read only when a macro asks for it: it may be large.
        const QLatin1StringView selectedText("{@SelectedText}");
        const MacroContext context =
            Context(tool.arguments.contains(selectedText) || tool.initialDir.contains(selectedText));
        directory = ExpandMacros(tool.initialDir, context);
        arguments = ExpandToolArguments(tool.arguments, context);
    }
    if (!arguments) {
        Refuse(QStringLiteral("The arguments of \"%1\" leave a quote open.").arg(tool.title));
        return false;
    }
    if (tool.promptForArgs) {
        const std::optional<QString> typed =
            AskArguments(&frame_, tool.command, JoinCommandWords(*arguments), frame_.UserInterface());
        if (!typed)
            return false;
        arguments = SplitTypedArguments(*typed);
        if (!arguments) {
            Refuse(QStringLiteral("The arguments entered leave a quote open."));
            return false;
        }
    }
    if (!platform::ArgumentsFitSystemLimit(tool.command, *arguments)) {
        Refuse(QStringLiteral("The arguments for \"%1\" are longer than the system lets a program receive. Select "
                              "less text and try again.")
                   .arg(tool.title));
        return false;
    }
    platform::WaitCursor wait;
    if (!platform::OpenCommand(tool.command, *arguments, directory)) {
        Refuse(QStringLiteral("There was an error running the command \"%1.\"")
                   .arg(platform::DisplayFileName(tool.command)));
        return false;
    }
    return true;
}

#include "EditToolsDlg.h"

#include "app/EditToolDlg.h"
#include "platform/MessageBox.h"
#include "furniture/UserInterface.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

CEditToolsDlg::CEditToolsDlg(std::vector<ExternalTool>& tools, IUserInterface& ui, QWidget* parent)
    : QDialog(parent), tools_(tools), ui_(ui)
{
    setWindowTitle(QStringLiteral("Edit User Tools"));
    list_ = new QListWidget(this);
    auto* label = new QLabel(QStringLiteral("&Tools:"), this);
    label->setBuddy(list_);
    buttons_ = MakeListEditButtons(this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    buttons_.column->addWidget(close);
    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(list_, 1, 0);
    grid->addLayout(buttons_.column, 1, 1);
    resize(420, 300);

    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    editor_ = std::make_unique<CListEditor<ExternalTool>>(
        tools, list_, buttons_,
        CListEditor<ExternalTool>::Hooks{
            [](const ExternalTool& tool) { return tool.title; }, [this] { return AskNewTool(); },
            [this](const ExternalTool& tool) { return AskEditedTool(tool); },
            QStringLiteral("Are you sure you want to permanently delete the selected item?")});
}

std::optional<ExternalTool> CEditToolsDlg::AskNewTool()
{
    if (int(tools_.size()) >= kMaxExternalTools) {
        platform::ShowMessage(QStringLiteral("No more user tools can be added. The maximum number has already been "
                                             "reached.\n\nYou will need to delete some existing tools in order to "
                                             "make room for new ones."),
                              platform::MsgButtons::Ok, platform::MsgIcon::Warning);
        return std::nullopt;
    }
    return AskEditedTool(ExternalTool{});
}

std::optional<ExternalTool> CEditToolsDlg::AskEditedTool(const ExternalTool& tool)
{
    CEditToolDlg dialog(tool, ui_, this);
    if (ui_.RunDialog(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.Tool();
}

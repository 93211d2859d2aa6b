#include "EditToolDlg.h"

#include "furniture/HelpManual.h"
#include "platform/MessageBox.h"
#include "furniture/UserInterface.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// Programs here carry no extension, so every file is offered.
const QString kProgramFilter = QStringLiteral("All Files (*)");
} // namespace

CEditToolDlg::CEditToolDlg(const ExternalTool& tool, IUserInterface& ui, QWidget* parent)
    : QDialog(parent), tool_(tool), ui_(ui)
{
    setWindowTitle(tool.title.isEmpty() ? QStringLiteral("Add User Tool") : QStringLiteral("Edit User Tool"));
    title_ = new QLineEdit(tool.title, this);
    command_ = new QLineEdit(tool.command, this);
    directory_ = new QLineEdit(tool.initialDir, this);
    arguments_ = new QLineEdit(tool.arguments, this);
    prompt_ = new QCheckBox(QStringLiteral("&Prompt for arguments"), this);
    prompt_->setChecked(tool.promptForArgs);
    browse_ = new QPushButton(QStringLiteral("&..."), this);
    browse_->setToolTip(QStringLiteral("Choose the program"));
    QPushButton* directoryButton = MacroButton(directory_, directoryMacros_,
                                               {{"&Directory of Current File", "{@CurFileDir}"},
                                                {"&Active Directory", "{@ActiveDir}"}});
    QPushButton* argumentButton = MacroButton(arguments_, argumentMacros_,
                                              {{"&Full Path of Current File", "{@CurFilePath}"},
                                               {"&Name of Current File", "{@CurFileName}"},
                                               {"&Extension of Current File", "{@CurFileExt}"},
                                               {"&Directory of Current File", "{@CurFileDir}"},
                                               {"&Selected Text", "{@SelectedText}"}});

    auto* grid = new QGridLayout;
    const struct {
        const char* label;
        QLineEdit* edit;
        QPushButton* button;
    } rows[] = {{"&Title:", title_, nullptr},
                {"&Command:", command_, browse_},
                {"&Initital directory:", directory_, directoryButton},
                {"&Arguments:", arguments_, argumentButton}};
    int row = 0;
    for (const auto& r : rows) {
        auto* label = new QLabel(QString::fromLatin1(r.label), this);
        label->setBuddy(r.edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(r.edit, row, 1);
        if (r.button)
            grid->addWidget(r.button, row, 2);
        ++row;
    }
    grid->addWidget(prompt_, row, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    buttons->button(QDialogButtonBox::Help)->setText(QStringLiteral("&Help"));
    // The manual explains the macros and how the arguments are split into words.
    ConnectHelpButton(buttons, QStringLiteral("tools"), ui_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    // Room for a typical command line, measured in the dialog's own font so
    // that it grows with larger text instead of cutting it short.
    for (QLineEdit* edit : {title_, command_, directory_, arguments_})
        edit->setMinimumWidth(fontMetrics().averageCharWidth() * 36);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(browse_, &QPushButton::clicked, this, &CEditToolDlg::OnBrowse);
}

QPushButton* CEditToolDlg::MacroButton(QLineEdit* target, QMenu*& menu,
                                       std::initializer_list<std::pair<const char*, const char*>> items)
{
    auto* button = new QPushButton(QStringLiteral("{@}"), this);
    button->setToolTip(QStringLiteral("Insert a macro"));
    menu = new QMenu(button);
    for (const auto& [text, macro] : items) {
        const QString inserted = QString::fromLatin1(macro);
        menu->addAction(QString::fromLatin1(text), target, [target, inserted] {
            target->insert(inserted);
            target->setFocus();
        });
    }
    button->setMenu(menu);
    return button;
}

void CEditToolDlg::OnBrowse()
{
    FileRequest request;
    request.title = QStringLiteral("Browse");
    request.startPath = command_->text();
    request.nameFilters = {kProgramFilter};
    const std::optional<QString> path = ui_.ChooseFilePath(this, request);
    if (path)
        command_->setText(*path);
}

void CEditToolDlg::accept()
{
    title_->setText(title_->text().trimmed());
    command_->setText(command_->text().trimmed());
    if (title_->text().isEmpty()) {
        platform::ShowMessage(QStringLiteral("You must enter a title for this tool."), platform::MsgButtons::Ok,
                              platform::MsgIcon::Warning);
        title_->setFocus();
        return;
    }
    if (command_->text().isEmpty()) {
        platform::ShowMessage(QStringLiteral("You must enter a command for this tool."), platform::MsgButtons::Ok,
                              platform::MsgIcon::Warning);
        command_->setFocus();
        return;
    }
    tool_ = {title_->text(), command_->text(), directory_->text(), arguments_->text(), prompt_->isChecked()};
    QDialog::accept();
}

#include "OptionsFileFiltersPage.h"

#include "app/FileFiltersDlg.h"
#include "app/OptionsState.h"
#include "furniture/UserInterface.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

COptionsFileFilters::COptionsFileFilters(const OptionsState& state, IUserInterface& ui, QWidget* parent)
    : QWidget(parent), types_(ParseFileTypes(state.settings.fileFilters)), ui_(ui)
{
    list_ = new QListWidget(this);
    auto* label = new QLabel(QStringLiteral("&File types that appear in File Open dialog boxes:"), this);
    label->setBuddy(list_);
    buttons_ = MakeListEditButtons(this);
    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0, 1, 2);
    grid->addWidget(list_, 1, 0);
    grid->addLayout(buttons_.column, 1, 1);

    editor_ = std::make_unique<CListEditor<FileType>>(
        types_, list_, buttons_,
        CListEditor<FileType>::Hooks{FileTypeListText, [this] { return AskFileType(FileType{}, true); },
                                     [this](const FileType& type) { return AskFileType(type, false); },
                                     QStringLiteral("Are you sure you want to delete the selected item?")});
}

std::optional<FileType> COptionsFileFilters::AskFileType(const FileType& type, bool adding)
{
    CFileFiltersDlg dialog(type, adding, this);
    if (ui_.RunDialog(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.Entry();
}

void COptionsFileFilters::Commit(OptionsState& state) const { state.settings.fileFilters = FormatFileTypes(types_); }

#include "StructuresDlg.h"

#include "furniture/HelpManual.h"
#include "inspect/StructureCollection.h"
#include "inspectview/EditStructureDlg.h"
#include "inspectview/StructureCommands.h"
#include "inspectview/StructureNameOrder.h"
#include "platform/MessageBox.h"
#include "furniture/UserInterface.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

namespace {
constexpr int kIndexRole = Qt::UserRole;
} // namespace

QString StructureReferencedText(const QString& structure, const QString& referrer)
{
    return QStringLiteral("You cannot delete the structure '%1'.\r\n\r\nThis structure is referenced by the "
                          "structure '%2'.")
        .arg(structure, referrer);
}

QString DeleteStructureQuestion(const QString& structure)
{
    return QStringLiteral("Are you sure you want to delete the structure '%1'?").arg(structure);
}

QString DeleteAllStructuresQuestion() { return QStringLiteral("Are you sure you want to delete all structures?"); }

CStructuresDlg::CStructuresDlg(CStructureCommands& commands, bool reloadOnStartup, QWidget* parent)
    : QDialog(parent), commands_(commands)
{
    setWindowTitle(QStringLiteral("Structures"));
    list_ = new QListWidget;
    auto* listLabel = new QLabel(QStringLiteral("&Structures:"));
    listLabel->setBuddy(list_);
    reload_ = new QCheckBox(QStringLiteral("Auto&matically load last structure collection on startup"));
    reload_->setChecked(reloadOnStartup);

    add_ = new QPushButton(QStringLiteral("&Add..."));
    edit_ = new QPushButton(QStringLiteral("&Edit..."));
    delete_ = new QPushButton(QStringLiteral("&Delete..."));
    deleteAll_ = new QPushButton(QStringLiteral("Dele&te All..."));
    load_ = new QPushButton(QStringLiteral("&Load Structures..."));
    save_ = new QPushButton(QStringLiteral("Sa&ve Structures..."));
    import_ = new QPushButton(QStringLiteral("&Import..."));
    for (QPushButton* button : {add_, edit_, delete_, deleteAll_, load_, save_, import_})
        button->setAutoDefault(false);
    connect(add_, &QPushButton::clicked, this, &CStructuresDlg::OnAdd);
    connect(edit_, &QPushButton::clicked, this, &CStructuresDlg::OnEdit);
    connect(delete_, &QPushButton::clicked, this, &CStructuresDlg::OnDelete);
    connect(deleteAll_, &QPushButton::clicked, this, &CStructuresDlg::OnDeleteAll);
    connect(load_, &QPushButton::clicked, this, &CStructuresDlg::OnLoad);
    connect(save_, &QPushButton::clicked, this, &CStructuresDlg::OnSave);
    connect(import_, &QPushButton::clicked, this, &CStructuresDlg::OnImport);
    // A double click, or Enter on the list, edits the structure.
    connect(list_, &QListWidget::itemActivated, this, &CStructuresDlg::OnEdit);
    connect(list_, &QListWidget::currentRowChanged, this, &CStructuresDlg::UpdateButtons);

    // Close (and Esc) end the dialog; the caller keeps the reload option either way.
    auto* closing = new QDialogButtonBox(Qt::Vertical);
    QPushButton* close = closing->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    close->setAutoDefault(false);
    connect(closing, &QDialogButtonBox::rejected, this, &CStructuresDlg::reject);
    ConnectHelpButton(closing, QStringLiteral("structures"), commands_.UserInterface());
    // As wide as the buttons above, and none of them pressed by Enter.
    closing->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    for (QAbstractButton* button : closing->buttons())
        if (auto* push = qobject_cast<QPushButton*>(button))
            push->setAutoDefault(false);

    auto* side = new QVBoxLayout;
    for (QPushButton* button : {add_, edit_, delete_, deleteAll_, load_, save_, import_})
        side->addWidget(button);
    side->addStretch();
    side->addWidget(closing);
    auto* left = new QVBoxLayout;
    left->addWidget(listLabel);
    left->addWidget(list_, 1);
    left->addWidget(reload_);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(side);
    Refill(-1);
}

bool CStructuresDlg::ReloadOnStartup() const { return reload_->isChecked(); }

int CStructuresDlg::SelectedIndex() const
{
    const QListWidgetItem* item = list_->currentItem();
    return item ? item->data(kIndexRole).toInt() : -1;
}

void CStructuresDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    list_->setFocus(Qt::OtherFocusReason);
}

void CStructuresDlg::Refill(int index)
{
    const StructureCollection& collection = commands_.Collection();
    list_->clear();
    int selectRow = 0;
    for (int structure : StructuresInNameOrder(collection)) {
        if (structure == index)
            selectRow = list_->count();
        auto* item = new QListWidgetItem(collection.At(structure).name, list_);
        item->setData(kIndexRole, structure);
    }
    if (list_->count() > 0)
        list_->setCurrentRow(selectRow);
    UpdateButtons();
}

void CStructuresDlg::UpdateButtons()
{
    const bool any = !commands_.Collection().IsEmpty();
    list_->setEnabled(any);
    const bool selected = any && SelectedIndex() >= 0;
    edit_->setEnabled(selected);
    delete_->setEnabled(selected);
    deleteAll_->setEnabled(any);
    save_->setEnabled(any);
}

void CStructuresDlg::RunEditor(int index)
{
    CEditStructureDlg editor(commands_.Collection(), commands_.Types(), index, commands_.UserInterface(), this);
    if (commands_.UserInterface().RunDialog(editor) == QDialog::Accepted)
        Refill(editor.ResultIndex());
}

void CStructuresDlg::OnAdd() { RunEditor(-1); }

void CStructuresDlg::OnEdit()
{
    if (const int index = SelectedIndex(); index >= 0)
        RunEditor(index);
}

void CStructuresDlg::OnDelete()
{
    StructureCollection& collection = commands_.Collection();
    const int index = SelectedIndex();
    if (index < 0)
        return;
    const QString name = collection.At(index).name;
    if (const int referrer = collection.FirstReferrer(index); referrer >= 0) {
        platform::ShowMessage(StructureReferencedText(name, collection.At(referrer).name), MsgButtons::Ok,
                              MsgIcon::Warning);
        return;
    }
    if (platform::ShowMessage(DeleteStructureQuestion(name), MsgButtons::YesNo, MsgIcon::Question) != MsgResult::Yes)
        return;
    collection.Delete(index);
    Refill(-1);
}

void CStructuresDlg::OnDeleteAll()
{
    if (platform::ShowMessage(DeleteAllStructuresQuestion(), MsgButtons::YesNo, MsgIcon::Question) != MsgResult::Yes)
        return;
    commands_.Collection().Clear();
    Refill(-1);
}

void CStructuresDlg::OnLoad()
{
    commands_.ChooseAndLoad();
    Refill(-1);
}

void CStructuresDlg::OnSave() { commands_.Save(); }

void CStructuresDlg::OnImport()
{
    const int before = commands_.Collection().Count();
    if (commands_.Import())
        Refill(before);
}

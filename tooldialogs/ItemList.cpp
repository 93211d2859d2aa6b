#include "ItemList.h"

#include "ext/TaskExtensions.h"
#include "ext/TaskTexts.h"
#include "platform/MessageBox.h"
#include "furniture/UserInterface.h"
#include "furniture/HelpManual.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
struct ModeTexts {
    const char* caption;
    const char* prompt;
    int kind;
};

const ModeTexts& TextsOf(ChooserMode mode)
{
    static const ModeTexts texts[kChooserModeCount] = {
        {"Copy As", "&Copy as:", TASK_COPY_AS},
        {"Paste As", "&Paste as:", TASK_PASTE_AS},
        {"Convert Data", "&Conversion types:", TASK_CONVERSION},
        {"Checksum", "&Checksum routines:", TASK_CHECKSUM},
    };
    return texts[int(mode)];
}
} // namespace

int CItemList::KindOf(ChooserMode mode) { return TextsOf(mode).kind; }

QString CItemList::CaptionOf(ChooserMode mode) { return QString::fromLatin1(TextsOf(mode).caption); }

CItemList::CItemList(const TaskExtensions& tasks, TaskChoices& choices, ChooserMode mode, int helpId, QWidget* parent,
                     IUserInterface& ui)
    : QDialog(parent), tasks_(tasks), choices_(choices), mode_(mode), kind_(KindOf(mode)), helpId_(helpId)
{
    setWindowTitle(CaptionOf(mode));
    auto* prompt = new QLabel(QString::fromLatin1(TextsOf(mode).prompt), this);
    list_ = new QListWidget(this);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSortingEnabled(false);
    prompt->setBuddy(list_);

    auto* frame = new QGroupBox(QStringLiteral("Description"), this);
    description_ = new QLabel(frame);
    description_->setWordWrap(true);
    description_->setMinimumHeight(description_->fontMetrics().lineSpacing() * 2);
    (new QVBoxLayout(frame))->addWidget(description_);

    // OK, Cancel, Info, Help: in this order, top down.
    auto* buttons = new QVBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    info_ = new QPushButton(QStringLiteral("&Info..."), this);
    auto* help = new QPushButton(QStringLiteral("Help"), this);
    for (QPushButton* button : {ok, cancel, info_, help}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CItemList::accept);
    connect(cancel, &QPushButton::clicked, this, &CItemList::reject);
    connect(info_, &QPushButton::clicked, this, &CItemList::ShowInfo);
    connect(help, &QPushButton::clicked, this, [&ui] { OpenManualPage(QStringLiteral("modules"), ui); });

    auto* left = new QVBoxLayout;
    left->addWidget(prompt);
    left->addWidget(list_, 1);
    left->addWidget(frame);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    resize(420, 300);

    const std::vector<TaskEntry>& list = tasks.Tasks(kind_);
    for (size_t i = 0; i < list.size(); ++i) {
        auto* item = new QListWidgetItem(list[i].name, list_);
        item->setData(Qt::UserRole, int(i));
    }
    connect(list_, &QListWidget::itemSelectionChanged, this, &CItemList::SelectionChanged);
    connect(list_, &QListWidget::itemDoubleClicked, this, &CItemList::accept);
    const int row = StartRow(choices_.chooserRow[size_t(mode)], list_->count());
    if (list_->count() > 0)
        list_->setCurrentRow(row);
    SelectionChanged();
}

std::optional<int> CItemList::Choose(const TaskExtensions& tasks, TaskChoices& choices, ChooserMode mode, int helpId,
                                     QWidget* parent, IUserInterface& ui)
{
    if (tasks.TaskCount(KindOf(mode)) == 0) {
        platform::ShowMessage(NoExtensionsText(), platform::MsgButtons::Ok, platform::MsgIcon::Information);
        return std::nullopt;
    }
    CItemList dialog(tasks, choices, mode, helpId, parent, ui);
    if (ui.RunDialog(dialog) != QDialog::Accepted || dialog.ChosenTask() < 0)
        return std::nullopt;
    return dialog.ChosenTask();
}

void CItemList::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    list_->setFocus();
}

void CItemList::SelectionChanged()
{
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    info_->setEnabled(!selected.isEmpty());
    if (selected.isEmpty()) {
        description_->clear();
        return;
    }
    description_->setText(tasks_.Task(kind_, selected.first()->data(Qt::UserRole).toInt()).description);
}

QString CItemList::InfoText() const
{
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty())
        return NoTaskInfoText();
    return TaskInfoText(tasks_, kind_, selected.first()->data(Qt::UserRole).toInt());
}

void CItemList::ShowInfo()
{
    platform::ShowMessage(InfoText(), platform::MsgButtons::Ok, platform::MsgIcon::Information);
}

void CItemList::accept()
{
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty())
        return;  // nothing chosen yet: the dialog stays open
    chosen_ = selected.first()->data(Qt::UserRole).toInt();
    choices_.chooserRow[size_t(mode_)] = list_->row(selected.first());
    QDialog::accept();
}

#include "BookmarksDlg.h"

#include "tools/BookmarkCollection.h"
#include "tools/BookmarkCommands.h"
#include "types/IntegerText.h"
#include "tooldialogs/EditBookmarkDlg.h"
#include "furniture/UserInterface.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CBookmarksDlg::CBookmarksDlg(CBookmarkCollection& bookmarks, const BookmarkRadixes& radixes,
                             const Bookmark& newBookmark, bool canGoTo, BookmarkDialogHooks hooks, IUserInterface& ui,
                             QWidget* parent)
    : QDialog(parent), bookmarks_(bookmarks), radixes_(radixes), newBookmark_(newBookmark), canGoTo_(canGoTo),
      hooks_(std::move(hooks)), ui_(ui)
{
    setWindowTitle(QStringLiteral("Bookmarks"));
    list_ = new QListWidget;
    offset_ = new QLabel;
    length_ = new QLabel;
    reload_ = new QCheckBox(QStringLiteral("Auto&matically load last bookmark collection on startup"));
    reload_->setChecked(radixes.reload);
    auto* info = new QGroupBox(QStringLiteral("Bookmark information"));
    auto* infoLayout = new QFormLayout(info);
    infoLayout->addRow(QStringLiteral("Offset:"), offset_);
    infoLayout->addRow(QStringLiteral("Length:"), length_);

    goTo_ = new QPushButton(QStringLiteral("&Go To Bookmark"));
    add_ = new QPushButton(QStringLiteral("&Add..."));
    edit_ = new QPushButton(QStringLiteral("&Edit..."));
    delete_ = new QPushButton(QStringLiteral("&Delete..."));
    deleteAll_ = new QPushButton(QStringLiteral("Dele&te All..."));
    load_ = new QPushButton(QStringLiteral("&Load Bookmarks..."));
    save_ = new QPushButton(QStringLiteral("&Save Bookmarks..."));
    auto* close = new QPushButton(QStringLiteral("Close"));
    goTo_->setDefault(true);
    for (QPushButton* button : {add_, edit_, delete_, deleteAll_, load_, save_, close})
        button->setAutoDefault(false);
    connect(goTo_, &QPushButton::clicked, this, &CBookmarksDlg::OnGoTo);
    connect(add_, &QPushButton::clicked, this, &CBookmarksDlg::OnAdd);
    connect(edit_, &QPushButton::clicked, this, &CBookmarksDlg::OnEdit);
    connect(delete_, &QPushButton::clicked, this, &CBookmarksDlg::OnDelete);
    connect(deleteAll_, &QPushButton::clicked, this, &CBookmarksDlg::OnDeleteAll);
    connect(load_, &QPushButton::clicked, this, &CBookmarksDlg::OnLoad);
    connect(save_, &QPushButton::clicked, this, &CBookmarksDlg::OnSave);
    connect(close, &QPushButton::clicked, this, &CBookmarksDlg::reject);
    connect(list_, &QListWidget::currentRowChanged, this, [this] {
        ShowSelected();
        UpdateButtons();
    });
    connect(list_, &QListWidget::itemDoubleClicked, this, &CBookmarksDlg::OnGoTo);

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {goTo_, add_, edit_, delete_, deleteAll_, load_, save_, close})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* left = new QVBoxLayout;
    auto* listLabel = new QLabel(QStringLiteral("&Bookmarks:"));
    listLabel->setBuddy(list_);
    left->addWidget(listLabel);
    left->addWidget(list_, 1);
    left->addWidget(info);
    left->addWidget(reload_);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    Refill(0);
}

const BookmarkRadixes& CBookmarksDlg::Radixes() const
{
    radixes_.reload = reload_->isChecked();
    return radixes_;
}

void CBookmarksDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    list_->setFocus(Qt::OtherFocusReason);
}

void CBookmarksDlg::Refill(int selectIndex)
{
    list_->clear();
    for (const Bookmark& bookmark : bookmarks_.Items())
        list_->addItem(bookmark.name);
    if (list_->count() > 0)
        list_->setCurrentRow(std::clamp(selectIndex, 0, list_->count() - 1));
    ShowSelected();
    UpdateButtons();
}

void CBookmarksDlg::ShowSelected()
{
    const int row = list_->currentRow();
    if (row < 0 || row >= bookmarks_.Count()) {
        offset_->clear();
        length_->clear();
        return;
    }
    const Bookmark& bookmark = bookmarks_.At(row);
    offset_->setText(FormatInteger(uint64_t(bookmark.start), true, radixes_.offsetRadix));
    length_->setText(FormatInteger(uint64_t(bookmark.Length()), true, radixes_.lengthRadix));
}

void CBookmarksDlg::UpdateButtons()
{
    const bool selected = list_->currentRow() >= 0;
    goTo_->setEnabled(selected && canGoTo_);
    edit_->setEnabled(selected);
    delete_->setEnabled(selected);
    deleteAll_->setEnabled(!bookmarks_.IsEmpty());
    save_->setEnabled(!bookmarks_.IsEmpty());
}

std::optional<Bookmark> CBookmarksDlg::SelectedBookmark() const
{
    const int row = list_->currentRow();
    if (row < 0 || row >= bookmarks_.Count())
        return std::nullopt;
    return bookmarks_.At(row);
}

std::optional<Bookmark> CBookmarksDlg::RunEditDialog(bool adding, const Bookmark& start)
{
    CEditBookmarkDlg dialog(adding, start, radixes_.offsetRadix, radixes_.lengthRadix, this);
    if (ui_.RunDialog(dialog) != QDialog::Accepted)
        return std::nullopt;
    radixes_.offsetRadix = dialog.Fields().offsetRadix;
    radixes_.lengthRadix = dialog.Fields().lengthRadix;
    return dialog.Fields().bookmark;
}

void CBookmarksDlg::Changed()
{
    if (hooks_.changed)
        hooks_.changed();
}

void CBookmarksDlg::OnAdd()
{
    Bookmark proposal = newBookmark_;
    proposal.name = bookmarks_.DefaultName();
    const std::optional<Bookmark> added = RunEditDialog(true, proposal);
    if (!added)
        return;
    const int index = AddBookmarkAsking(bookmarks_, *added);
    if (index < 0)
        return;
    Refill(index);
    Changed();
}

void CBookmarksDlg::OnEdit()
{
    const int row = list_->currentRow();
    if (row < 0 || row >= bookmarks_.Count())
        return;
    const std::optional<Bookmark> edited = RunEditDialog(false, bookmarks_.At(row));
    if (!edited)
        return;
    const int index = EditBookmarkAsking(bookmarks_, row, *edited);
    if (index < 0)
        return;
    Refill(index);
    Changed();
}

void CBookmarksDlg::OnDelete()
{
    const int row = list_->currentRow();
    if (row < 0 || !DeleteBookmarkAsking(bookmarks_, row))
        return;
    Refill(row);
    Changed();
}

void CBookmarksDlg::OnDeleteAll()
{
    if (!DeleteAllBookmarksAsking(bookmarks_))
        return;
    Refill(0);
    Changed();
}

void CBookmarksDlg::OnLoad()
{
    if (!hooks_.load)
        return;
    // The list restarts at its first entry whether or not the file was
    // taken (a refused file leaves the collection as it was).
    hooks_.load();
    Refill(0);
    Changed();
}

void CBookmarksDlg::OnSave()
{
    if (hooks_.save)
        hooks_.save();
}

void CBookmarksDlg::OnGoTo()
{
    if (canGoTo_ && SelectedBookmark())
        done(GoToResult);
}

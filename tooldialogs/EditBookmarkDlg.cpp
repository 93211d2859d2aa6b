#include "EditBookmarkDlg.h"

#include "core/BufferChunk.h"
#include "tooldialogs/IntEdit.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CEditBookmarkDlg::CEditBookmarkDlg(bool adding, const Bookmark& bookmark, int offsetRadix, int lengthRadix,
                                   QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(adding ? QStringLiteral("Add Bookmark") : QStringLiteral("Edit Bookmark"));
    name_ = new QLineEdit(bookmark.name);
    offset_ = new CIntEdit(0, MAX_FILE_SIZE);
    offset_->SetRadix(offsetRadix);
    offset_->SetValue(bookmark.start);
    length_ = new CIntEdit(0, MAX_FILE_SIZE);
    length_->SetRadix(lengthRadix);
    length_->SetValue(bookmark.Length());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &CEditBookmarkDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CEditBookmarkDlg::reject);
    connect(name_, &QLineEdit::textChanged, this, [this](const QString& text) { ok_->setEnabled(BookmarkNameAcceptable(text)); });
    ok_->setEnabled(BookmarkNameAcceptable(name_->text()));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Bookmark name:"), name_);
    form->addRow(QStringLiteral("&Offset:"), offset_);
    form->addRow(QStringLiteral("&Length:"), length_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CEditBookmarkDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    name_->setFocus(Qt::OtherFocusReason);
    name_->selectAll();
}

void CEditBookmarkDlg::accept()
{
    // Enter reaches here even while OK is disabled.
    if (!ok_->isEnabled())
        return;
    BookmarkFields fields = ValidateBookmarkFields(name_->text(), offset_->Text(), length_->Text());
    if (!fields.Ok()) {
        CIntEdit* field = fields.failed == BookmarkField::Offset ? offset_ : length_;
        field->setFocus(Qt::OtherFocusReason);
        field->SelectAllText();
        return;
    }
    fields_ = fields;
    QDialog::accept();
}

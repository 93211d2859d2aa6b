#pragma once
// The "Add Bookmark" / "Edit Bookmark" dialog: name, offset and length. OK
// is enabled only while the trimmed name is not empty.
#include "tools/BookmarkCommands.h"

#include <QDialog>

class CIntEdit;
class QLineEdit;
class QPushButton;

class CEditBookmarkDlg : public QDialog {
    Q_OBJECT
public:
    CEditBookmarkDlg(bool adding, const Bookmark& bookmark, int offsetRadix, int lengthRadix,
                     QWidget* parent = nullptr);

    // After OK: the bookmark and the radixes its values were written in.
    const BookmarkFields& Fields() const { return fields_; }

    QLineEdit* NameEdit() const { return name_; }
    CIntEdit* OffsetEdit() const { return offset_; }
    CIntEdit* LengthEdit() const { return length_; }
    QPushButton* OkButton() const { return ok_; }

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    BookmarkFields fields_;
    QLineEdit* name_;
    CIntEdit* offset_;
    CIntEdit* length_;
    QPushButton* ok_;
};

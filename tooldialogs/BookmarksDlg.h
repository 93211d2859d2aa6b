#pragma once
// The "Bookmarks" dialog: the collection's names with the selected one's
// offset and length, the reload option, and the buttons that add, edit,
// delete, load, save and go to bookmarks. "Go To Bookmark" (or a double
// click) closes the dialog; the caller then goes to SelectedBookmark().
#include "tools/Bookmark.h"

#include <QDialog>
#include <functional>
#include <optional>

class CBookmarkCollection;
class IUserInterface;
class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

struct BookmarkDialogHooks {
    // Load Bookmarks and Save Bookmarks with their questions and file dialogs.
    std::function<bool()> load;
    std::function<bool()> save;
    // The collection changed: views redraw their marks.
    std::function<void()> changed;
};

struct BookmarkRadixes {
    int offsetRadix = 16;
    int lengthRadix = 16;
    bool reload = false;
};

class CBookmarksDlg : public QDialog {
    Q_OBJECT
public:
    enum Result { GoToResult = 2 };

    // newBookmark is what Add proposes: the caret or selection of the active view.
    CBookmarksDlg(CBookmarkCollection& bookmarks, const BookmarkRadixes& radixes, const Bookmark& newBookmark,
                  bool canGoTo, BookmarkDialogHooks hooks, IUserInterface& ui, QWidget* parent = nullptr);

    // The radixes and the reload option as the dialog leaves them.
    const BookmarkRadixes& Radixes() const;
    std::optional<Bookmark> SelectedBookmark() const;

    QListWidget* List() const { return list_; }
    QLabel* OffsetLabel() const { return offset_; }
    QLabel* LengthLabel() const { return length_; }
    QCheckBox* ReloadBox() const { return reload_; }
    QPushButton* GoToButton() const { return goTo_; }

    void OnAdd();
    void OnEdit();
    void OnDelete();
    void OnDeleteAll();
    void OnLoad();
    void OnSave();
    void OnGoTo();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Refill(int selectIndex);
    void ShowSelected();
    void UpdateButtons();
    // Runs the edit dialog; the edited bookmark, or nothing for Cancel.
    std::optional<Bookmark> RunEditDialog(bool adding, const Bookmark& start);
    void Changed();

    CBookmarkCollection& bookmarks_;
    mutable BookmarkRadixes radixes_;
    Bookmark newBookmark_;
    bool canGoTo_;
    BookmarkDialogHooks hooks_;
    IUserInterface& ui_;
    QListWidget* list_;
    QLabel* offset_;
    QLabel* length_;
    QCheckBox* reload_;
    QPushButton* goTo_;
    QPushButton* add_;
    QPushButton* edit_;
    QPushButton* delete_;
    QPushButton* deleteAll_;
    QPushButton* load_;
    QPushButton* save_;
};

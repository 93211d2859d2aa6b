#pragma once
// The user manual in a window of the program: the installed HTML pages in a
// text browser with links, back and forward, the contents page, find in page
// and a button that hands the page to the desktop's browser. Help then works
// wherever the program does, with or without a browser.
#include <QUrl>
#include <QWidget>

class IUserInterface;
class QLabel;
class QLineEdit;
class QTextBrowser;
class QToolButton;

class CManualWindow : public QWidget {
    Q_OBJECT
public:
    // ui hands a page to the desktop's browser, which may fail (there may be none).
    CManualWindow(const QUrl& contents, IUserInterface& ui, QWidget* parent = nullptr);

    IUserInterface& UserInterface() const { return ui_; }

    void ShowPage(const QUrl& page);
    QUrl Page() const;

    QTextBrowser* Browser() const { return browser_; }
    QLineEdit* FindField() const { return findField_; }
    QToolButton* BackButton() const { return back_; }
    QToolButton* ForwardButton() const { return forward_; }
    QToolButton* BrowserButton() const { return inBrowser_; }
    // Finds the next (or previous) place of the find field's text, starting
    // again at the other end of the page; false when the page has none.
    bool FindNext(bool backward = false);

private:
    QToolButton* AddButton(const QString& text, const QString& tip);
    void OpenInBrowser();

    QUrl contents_;
    IUserInterface& ui_;
    QTextBrowser* browser_;
    QLineEdit* findField_;
    QLabel* findStatus_;
    QToolButton* back_;
    QToolButton* forward_;
    QToolButton* inBrowser_;
};

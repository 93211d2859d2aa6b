#include "ManualWindow.h"

#include "furniture/UserInterface.h"
#include "platform/MessageBox.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

CManualWindow::CManualWindow(const QUrl& contents, IUserInterface& ui, QWidget* parent)
    : QWidget(parent, Qt::Window), contents_(contents), ui_(ui)
{
    setWindowTitle(QStringLiteral("Vantrel Help"));
    setAttribute(Qt::WA_DeleteOnClose);
    browser_ = new QTextBrowser(this);
    // Web addresses go to the desktop; the manual's own pages stay here.
    browser_->setOpenExternalLinks(true);
    browser_->setSearchPaths({contents.adjusted(QUrl::RemoveFilename).toLocalFile()});

    back_ = AddButton(QStringLiteral("&Back"), QStringLiteral("The page shown before (Alt+Left)"));
    forward_ = AddButton(QStringLiteral("&Forward"), QStringLiteral("The page shown after (Alt+Right)"));
    QToolButton* home = AddButton(QStringLiteral("&Contents"), QStringLiteral("The manual's contents page"));
    back_->setShortcut(QKeySequence::Back);
    forward_->setShortcut(QKeySequence::Forward);
    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(home, &QToolButton::clicked, this, [this] { ShowPage(contents_); });
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);

    auto* findLabel = new QLabel(QStringLiteral("F&ind:"), this);
    findField_ = new QLineEdit(this);
    findField_->setClearButtonEnabled(true);
    findField_->setToolTip(QStringLiteral("Enter finds the next place, Shift+Enter the one before"));
    findLabel->setBuddy(findField_);
    findStatus_ = new QLabel(this);
    connect(findField_, &QLineEdit::returnPressed, this, [this] { FindNext(); });
    auto* findPrevious = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Return), findField_, nullptr, nullptr,
                                       Qt::WidgetShortcut);
    connect(findPrevious, &QShortcut::activated, this, [this] { FindNext(true); });
    auto* findKey = new QShortcut(QKeySequence::Find, this);
    connect(findKey, &QShortcut::activated, this, [this] {
        findField_->setFocus(Qt::ShortcutFocusReason);
        findField_->selectAll();
    });
    auto* closeKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);

    inBrowser_ = AddButton(QStringLiteral("Open in &Web Browser"),
                           QStringLiteral("Shows this page in the desktop's web browser"));
    connect(inBrowser_, &QToolButton::clicked, this, &CManualWindow::OpenInBrowser);

    auto* bar = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{back_, forward_, home})
        bar->addWidget(w);
    bar->addSpacing(12);
    bar->addWidget(findLabel);
    bar->addWidget(findField_, 1);
    bar->addWidget(findStatus_);
    bar->addSpacing(12);
    bar->addWidget(inBrowser_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(browser_, 1);
    // About forty lines of seventy characters.
    const QFontMetrics metrics = fontMetrics();
    resize(metrics.averageCharWidth() * 80, metrics.lineSpacing() * 40);
}

QToolButton* CManualWindow::AddButton(const QString& text, const QString& tip)
{
    auto* button = new QToolButton(this);
    button->setText(text);
    button->setToolTip(tip);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

void CManualWindow::ShowPage(const QUrl& page)
{
    browser_->setSource(page);
    findStatus_->clear();
}

QUrl CManualWindow::Page() const { return browser_->source(); }

bool CManualWindow::FindNext(bool backward)
{
    const QString text = findField_->text();
    if (text.isEmpty())
        return false;
    const QTextDocument::FindFlags flags = backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    bool found = browser_->find(text, flags);
    if (!found) {
        // Round the end of the page and look once more from the other end.
        QTextCursor cursor = browser_->textCursor();
        cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
        browser_->setTextCursor(cursor);
        found = browser_->find(text, flags);
    }
    findStatus_->setText(found ? QString() : QStringLiteral("Not found"));
    return found;
}

void CManualWindow::OpenInBrowser()
{
    if (!ui_.OpenUrl(Page()))
        platform::ShowMessage(QStringLiteral("No web browser could be started for %1. The page stays shown here.")
                                  .arg(Page().toLocalFile()),
                              platform::MsgButtons::Ok, platform::MsgIcon::Information);
}

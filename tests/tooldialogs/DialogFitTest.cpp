// Dialog furniture shared by every dialog: the whole layout fits the shown
// window (all tabs visible, at any scale the suite runs under), the title is
// the dialog's own caption, and Help opens the dialog's manual page.
#include "MessageRecorder.h"
#include "furniture/HelpManual.h"
#include "tooldialogs/ChecksumDlg.h"
#include "tooldialogs/CompareFilesDlg.h"
#include "tooldialogs/CompareResultsDlg.h"
#include "tooldialogs/DifferenceFoundDlg.h"
#include "tooldialogs/FindDlg.h"
#include "tooldialogs/FindPages.h"
#include "tooldialogs/ReplaceDlg.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

struct DialogCase {
    const char* title;
    const char* helpPage;  // the manual page its Help button opens, if it has one
    std::function<std::unique_ptr<QDialog>()> make;
};

std::vector<DialogCase> Dialogs()
{
    return {
        {"Find", "find", [] { return std::make_unique<CFindDlg>(FindSettings{}); }},
        {"Replace", "find", [] { return std::make_unique<CReplaceDlg>(FindSettings{}, true); }},
        {"Compare Files", nullptr,
         [] { return std::make_unique<CCompareFilesDlg>(QStringList{"/tmp/a.bin", "/tmp/b.bin"}, 16, true); }},
        {"Difference Found", nullptr,
         [] { return std::make_unique<CDifferenceFoundDlg>(QStringLiteral("Difference found at 0x10.")); }},
        {"File Compare Results", "compare",
         [] {
             return std::make_unique<CCompareResultsDlg>("/tmp/a.bin", "/tmp/b.bin",
                                                         std::vector<CompareDifference>{{16, 16, 4, 0}}, true,
                                                         [](const CompareDifference&) {});
         }},
        {"Checksum", nullptr, [] { return std::make_unique<CChecksumDlg>(QStringLiteral("MD5: 0123"), nullptr); }},
    };
}

void ExpectEveryTabShown(const QDialog& dialog, const char* title)
{
    for (const CFindPages* pages : dialog.findChildren<CFindPages*>()) {
        const QTabBar* bar = pages->tabBar();
        const QRect last = bar->tabRect(bar->count() - 1);
        EXPECT_LE(last.right(), bar->width()) << title << ": the last tab is cut off";
        for (QWidget* arrow : bar->findChildren<QWidget*>())
            EXPECT_FALSE(arrow->isVisible() && arrow->inherits("QToolButton")) << title << ": scroll arrows shown";
    }
}

TEST(DialogFitTest, DialogsShowTheirCaptionAndFitTheirContents)
{
    for (const DialogCase& c : Dialogs()) {
        std::unique_ptr<QDialog> dialog = c.make();
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        const QSize hint = dialog->minimumSizeHint();
        EXPECT_LE(hint.width(), dialog->width()) << c.title;
        EXPECT_LE(hint.height(), dialog->height()) << c.title;
        ExpectEveryTabShown(*dialog, c.title);
        EXPECT_EQ(dialog->windowTitle(), QString::fromLatin1(c.title));
    }
}

TEST(DialogFitTest, HelpButtonsOpenTheirPageOfTheManual)
{
    for (const DialogCase& c : Dialogs()) {
        if (!c.helpPage)
            continue;
        QUrl opened;
        SetManualOpenerForTesting([&opened](const QUrl& url) {
            opened = url;
            return true;
        });
        MessageRecorder messages;
        std::unique_ptr<QDialog> dialog = c.make();
        QPushButton* help = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Help);
        ASSERT_NE(help, nullptr) << c.title;
        EXPECT_TRUE(help->isEnabled()) << c.title;
        QTest::mouseClick(help, Qt::LeftButton);
        SetManualOpenerForTesting({});
        // The built manual is in bin/manual beside the tests' folder.
        EXPECT_TRUE(opened.isLocalFile()) << c.title << " " << messages.Last().toStdString();
        EXPECT_TRUE(opened.toLocalFile().endsWith(QStringLiteral("/manual/%1.html").arg(QLatin1String(c.helpPage))))
            << c.title << " " << opened.toString().toStdString();
        EXPECT_EQ(messages.Count(), 0);
    }
}

TEST(DialogFitTest, AMissingManualPageIsReportedByName)
{
    MessageRecorder messages;
    EXPECT_FALSE(OpenManualPage(QStringLiteral("no-such-page")));
    EXPECT_EQ(messages.Last(), QStringLiteral("The manual page no-such-page.html was not found next to the program."));
}

} // namespace

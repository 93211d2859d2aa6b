// The "Paste Raw Clipboard Data" chooser as a widget.
#include "modules/import/ClipboardFormatDlg.h"

#include "platform/Clipboard.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using importer::CClipboardFormatDlg;

namespace {

const QStringList kFormats{"text/plain", "image/png", "application/x-vantrel-binary"};

QPushButton* Button(const CClipboardFormatDlg& dialog, const QString& text)
{
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == text)
            return button;
    return nullptr;
}

} // namespace

TEST(ClipboardFormatDlg, ListsTheFormatsInOrderWithTheFirstSelected)
{
    CClipboardFormatDlg dialog(kFormats, nullptr);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Paste Raw Clipboard Data"));
    const QList<QLabel*> labels = dialog.findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels[0]->text(), QStringLiteral("&Available clipboard formats:"));
    EXPECT_EQ(labels[0]->buddy(), dialog.List());
    ASSERT_EQ(dialog.List()->count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(dialog.List()->item(i)->text(), kFormats[i]);
    EXPECT_EQ(dialog.List()->currentRow(), 0);
    ASSERT_NE(Button(dialog, QStringLiteral("OK")), nullptr);
    ASSERT_NE(Button(dialog, QStringLiteral("Cancel")), nullptr);
    EXPECT_TRUE(Button(dialog, QStringLiteral("OK"))->isDefault());
}

TEST(ClipboardFormatDlg, OkReturnsTheSelectedFormat)
{
    CClipboardFormatDlg dialog(kFormats, nullptr);
    dialog.show();
    dialog.List()->setCurrentRow(1);
    QTest::mouseClick(Button(dialog, QStringLiteral("OK")), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.ChosenFormat(), std::optional<QString>(QStringLiteral("image/png")));
}

TEST(ClipboardFormatDlg, DoubleClickReturnsThatEntry)
{
    CClipboardFormatDlg dialog(kFormats, nullptr);
    dialog.show();
    QListWidget* list = dialog.List();
    QCoreApplication::processEvents();
    const QPoint point = list->visualItemRect(list->item(2)).center();
    // A double click arrives after the press of its first click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, point);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, point);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.ChosenFormat(), std::optional<QString>(kFormats[2]));
}

TEST(ClipboardFormatDlg, OkWithoutASelectionDoesNothingAndCancelReturnsNone)
{
    CClipboardFormatDlg dialog(kFormats, nullptr);
    dialog.show();
    dialog.List()->clearSelection();
    QTest::mouseClick(Button(dialog, QStringLiteral("OK")), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(dialog.ChosenFormat().has_value());
    QTest::mouseClick(Button(dialog, QStringLiteral("Cancel")), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.ChosenFormat().has_value());
}

TEST(ClipboardFormatDlg, NamesAFormatWithoutANameByItsNumber)
{
    EXPECT_EQ(CClipboardFormatDlg::DisplayName(QString(), 4), QStringLiteral("Unknown format (4)"));
    EXPECT_EQ(CClipboardFormatDlg::DisplayName(QStringLiteral("text/html"), 4), QStringLiteral("text/html"));
}

TEST(ChooseClipboardFormat, ShowsTheModalDialogWithoutAHook)
{
    // Answer the real modal dialog as a user would, once it is up; should it
    // not come up, a later timer closes whatever is open so the test ends.
    bool answered = false;
    QTimer::singleShot(0, [&answered] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* dialog = dynamic_cast<CClipboardFormatDlg*>(widget); dialog && dialog->isVisible()) {
                dialog->List()->setCurrentRow(2);
                QTest::keyClick(dialog->List(), Qt::Key_Return);
                answered = true;
            }
        }
    });
    QTimer::singleShot(5000, [] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QDialog*>(widget))
                dialog->reject();
    });
    EXPECT_EQ(importer::ChooseClipboardFormat(kFormats, nullptr), std::optional<QString>(kFormats[2]));
    EXPECT_TRUE(answered);
}

TEST(ChooseClipboardFormat, TheHookAnswersInsteadOfTheDialog)
{
    QStringList seen;
    auto previous = platform::SetClipboardFormatChooserHook([&seen](const QStringList& formats) {
        seen = formats;
        return std::optional<QString>(QStringLiteral("image/png"));
    });
    EXPECT_EQ(importer::ChooseClipboardFormat(kFormats, nullptr), std::optional<QString>(QStringLiteral("image/png")));
    EXPECT_EQ(seen, kFormats);
    platform::SetClipboardFormatChooserHook(std::move(previous));
}

// Widgets need a QApplication, which the shared test main does not create.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

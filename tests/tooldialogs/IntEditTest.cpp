// The integer field: the arrows within its range, the radix it remembers and
// the "IntEdit" context menu.
#include "tooldialogs/IntEdit.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QAction* FindAction(QMenu& menu, const QString& text)
{
    for (QAction* action : menu.actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

TEST(IntEditTest, ArrowsStayInRangeAndKeepTheRadixWritten)
{
    CIntEdit edit(1, 65535);
    edit.SetRadix(16);
    edit.SetText("10");
    edit.stepBy(1);
    // "10" was written in decimal, so the step keeps decimal.
    EXPECT_EQ(edit.Text(), "11");
    edit.SetText("0xFFFF");
    edit.stepBy(1);
    EXPECT_EQ(edit.Text(), "0xFFFF");
    // Text that does not parse jumps to the minimum, in the remembered radix.
    edit.SetText("junk");
    edit.stepBy(-1);
    EXPECT_EQ(edit.Text(), "0x1");
}

TEST(IntEditTest, UpKeyStepsTheValue)
{
    CIntEdit edit(0, 100);
    edit.SetRadix(10);
    edit.SetText("5");
    edit.show();
    QTest::keyClick(&edit, Qt::Key_Up);
    EXPECT_EQ(edit.Text(), "6");
}

TEST(IntEditTest, ContextMenuRewritesTheValueInTheChosenRadix)
{
    CIntEdit edit(1, 65535);
    edit.SetRadix(16);
    edit.SetValue(255);
    EXPECT_EQ(edit.Text(), "0xFF");
    std::unique_ptr<QMenu> menu(edit.CreateContextMenu(nullptr));
    EXPECT_EQ(menu->objectName(), "IntEdit");
    for (const char* text : {"&Undo", "Cu&t", "&Copy", "&Paste", "&Delete", "Select &All"})
        EXPECT_NE(FindAction(*menu, text), nullptr) << text;
    ASSERT_NE(FindAction(*menu, "&Hexadecimal"), nullptr);
    EXPECT_TRUE(FindAction(*menu, "&Hexadecimal")->isChecked());
    EXPECT_FALSE(FindAction(*menu, "Deci&mal")->isChecked());

    FindAction(*menu, "Deci&mal")->trigger();
    EXPECT_EQ(edit.Text(), "255");
    EXPECT_EQ(edit.Radix(), 10);
    std::unique_ptr<QMenu> again(edit.CreateContextMenu(nullptr));
    EXPECT_TRUE(FindAction(*again, "Deci&mal")->isChecked());
    FindAction(*again, "&Octal")->trigger();
    EXPECT_EQ(edit.Text(), "0377");
    EXPECT_EQ(edit.Radix(), 8);
}

TEST(IntEditTest, UnparsableTextKeepsTheRememberedRadixAndIsNotRewritten)
{
    CIntEdit edit(0, 10);
    edit.SetRadix(8);
    edit.SetText("abc");
    EXPECT_EQ(edit.Radix(), 8);
    edit.RewriteInRadix(16);
    EXPECT_EQ(edit.Text(), "abc");
    EXPECT_EQ(edit.Radix(), 16);
}

} // namespace

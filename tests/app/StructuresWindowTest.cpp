// The structure collection in the running program: the "Structures..."
// command with its load-on-startup option, the reload at start-up and the
// save question at exit.
#include "AppTestSupport.h"
#include "inspect/StructureCollection.h"
#include "inspect/StructureFile.h"
#include "inspect/StructureStore.h"
#include "types/ValueTypeRegistry.h"
#include "inspectview/StructuresDlg.h"
#include "settings/AppSettings.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QPushButton>

namespace {

using StructuresWindowTest = AppTest;

TEST_F(StructuresWindowTest, TheCommandEditsTheCollectionAndItsReloadOptionWithoutADocument)
{
    ASSERT_TRUE(Start());
    Frame()->UpdateCommands();
    ASSERT_TRUE(Frame()->Action(Cmd::ViewStructures)->isEnabled());
    ui_.Then([](QDialog& dialog) {
        auto& structures = dynamic_cast<CStructuresDlg&>(dialog);
        structures.ReloadBox()->click();
        structures.AddButton()->click();
        dialog.reject();
        return dialog.result();
    });
    ui_.Then([](QDialog& dialog) {
        dialog.accept();
        return dialog.result();
    });
    Trigger(Cmd::ViewStructures);
    EXPECT_EQ(ui_.titles, QStringList({"Structures", "Add Structure"}));
    EXPECT_TRUE(Context().settings.reloadStructures);
    ASSERT_EQ(Context().structures.Count(), 1);

    // Exit asks about the changed collection; Yes saves it, and its file
    // is loaded again at the next start.
    messages_.Answer(platform::MsgResult::Cancel);
    EXPECT_FALSE(CloseMainWindow());
    EXPECT_EQ(messages_.Last(),
              "You have made changes to the current structure collection. Would you like to save the current "
              "collection to disk?");
    const QString saved = files_.filePath("exit.str");
    ui_.ThenFile(saved);
    messages_.Answer(platform::MsgResult::Yes);
    EXPECT_TRUE(CloseMainWindow());
    Exit();
    EXPECT_EQ(Stored("StructuresFile").toString(), saved);
    EXPECT_EQ(Stored("ReloadStructures").toInt(), 1);

    // The next copy starts with a context of its own, filled from the file.
    ASSERT_TRUE(Start());
    ASSERT_EQ(Context().structures.Count(), 1);
    EXPECT_EQ(Context().structures.At(0).name, "[Structure001]");
    EXPECT_FALSE(Context().structures.IsModified());
}

TEST_F(StructuresWindowTest, StartUpLeavesTheCollectionEmptyWithoutTheReloadOption)
{
    StructureCollection saved;
    saved.Add(StructureDef{QStringLiteral("S"), 0, {StructureMember{QStringLiteral("x")}}});
    const QString path = files_.filePath("last.str");
    ASSERT_TRUE(SaveStructureFile(saved, path, ValueTypes()));
    Store("StructuresFile", path);
    Store("ReloadStructures", 0);
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Context().structures.IsEmpty());
    ASSERT_TRUE(CloseMainWindow());
    Exit();
    EXPECT_EQ(Stored("StructuresFile").toString(), path);  // not forgotten either
}

} // namespace

// The structure collection in the running program: the "Structures..."
// command with its load-on-startup option, the reload at start-up and the
// save question at exit.
#include "AppTestSupport.h"
#include "inspect/StructureCollection.h"
#include "inspect/StructureFile.h"
#include "inspect/StructureStore.h"
#include "inspect/ValueTypeRegistry.h"
#include "inspectview/EditStructureDlg.h"
#include "inspectview/StructuresDlg.h"
#include "settings/AppSettings.h"
#include "tooldialogs/ToolDialogSeam.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <deque>

namespace {

class StructuresWindowTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        Structures().Assign({}, 0, QString());
        SetDialogDriver([this](QDialog& dialog) {
            if (drivers_.empty()) {
                ADD_FAILURE() << "unexpected dialog " << dialog.windowTitle().toStdString();
                return int(QDialog::Rejected);
            }
            auto driver = std::move(drivers_.front());
            drivers_.pop_front();
            return driver(dialog);
        });
        SetFileChooser([this](QWidget*, FileChoice, const QString&, const QString&) { return chosenFile_; });
    }

    void TearDown() override
    {
        SetDialogDriver({});
        SetFileChooser({});
        AppTest::TearDown();
        Structures().Assign({}, 0, QString());
    }

    void Drive(std::function<int(QDialog&)> driver) { drivers_.push_back(std::move(driver)); }

    QByteArray OneStructureFile(const char* name) const
    {
        StructureCollection file;
        StructureDef s;
        s.name = QString::fromLatin1(name);
        s.members.push_back(StructureMember{QStringLiteral("x")});
        file.Add(s);
        return EncodeStructures(file, ValueTypes());
    }

    std::deque<std::function<int(QDialog&)>> drivers_;
    std::optional<QString> chosenFile_;
};

TEST_F(StructuresWindowTest, TheCommandManagesTheCollectionWithoutADocument)
{
    ASSERT_TRUE(Start());
    Frame()->UpdateCommands();
    ASSERT_TRUE(Frame()->Action(Cmd::ViewStructures)->isEnabled());
    Drive([](QDialog& d) {
        auto& dialog = dynamic_cast<CStructuresDlg&>(d);
        EXPECT_FALSE(dialog.ReloadBox()->isChecked());
        dialog.ReloadBox()->click();
        dialog.AddButton()->click();
        dialog.reject();
        return dialog.result();
    });
    Drive([](QDialog& d) {
        d.accept();
        return d.result();
    });
    Trigger(Cmd::ViewStructures);
    EXPECT_TRUE(Settings().reloadStructures);
    ASSERT_EQ(Structures().Count(), 1);
    EXPECT_EQ(Structures().At(0).name, "[Structure001]");
    EXPECT_TRUE(drivers_.empty());
}

TEST_F(StructuresWindowTest, ExitAsksAboutAChangedCollectionAndRemembersWhereItWasSaved)
{
    ASSERT_TRUE(Start());
    StructureDef s;
    s.name = QStringLiteral("Kept");
    s.members.push_back(StructureMember{QStringLiteral("x")});
    Structures().Add(s);
    messages_.Answer(platform::MsgResult::Cancel);
    EXPECT_FALSE(CloseMainWindow());
    EXPECT_EQ(messages_.Last(), SaveStructureChangesQuestion());

    chosenFile_ = files_.filePath("exit.str");
    messages_.Answer(platform::MsgResult::Yes);
    EXPECT_TRUE(CloseMainWindow());
    EXPECT_TRUE(QFile::exists(*chosenFile_));
    Exit();
    EXPECT_EQ(Stored("StructuresFile").toString(), *chosenFile_);
}

TEST_F(StructuresWindowTest, StartUpReloadsTheLastCollectionWhenAskedTo)
{
    const QString path = MakeFile("last.str", OneStructureFile("Reloaded"));
    Store("StructuresFile", path);
    for (const bool reload : {false, true}) {
        Structures().Assign({}, 0, QString());
        Store("ReloadStructures", int(reload));
        ASSERT_TRUE(Start());
        EXPECT_EQ(Structures().Count(), reload ? 1 : 0);
        if (reload) {
            EXPECT_EQ(Structures().At(0).name, "Reloaded");
            EXPECT_FALSE(Structures().IsModified());
        }
        ASSERT_TRUE(CloseMainWindow());
        Exit();
        // Not loading it does not forget it.
        EXPECT_EQ(Stored("StructuresFile").toString(), path);
    }
}

} // namespace

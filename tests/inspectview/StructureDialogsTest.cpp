// The "Structures", structure editor and "Import Structures" dialogs driven
// through their real widgets, with scripted answers to every message, dialog
// and file chooser.
#include "DialogTestSupport.h"
#include "MessageRecorder.h"
#include "ScriptedInterface.h"
#include "inspect/StructureFile.h"
#include "inspect/StructureStore.h"
#include "types/ValueTypeRegistry.h"
#include "inspectview/EditStructureDlg.h"
#include "inspectview/ImportStructsDlg.h"
#include "inspectview/StructureCommands.h"
#include "inspectview/StructuresDlg.h"
#include "tooldialogs/IntEdit.h"
#include "types/StdValueType.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using platform::MsgResult;

// A member; lengthMember >= 0 makes it a variable array counted by that member.
StructureMember M(const char* name, TypeRef type, bool isArray = false, int lengthMember = -1)
{
    return {QString::fromLatin1(name), type, isArray, 1, lengthMember >= 0, std::max(lengthMember, 0)};
}

StructureDef S(const char* name, std::vector<StructureMember> members)
{
    return {QString::fromLatin1(name), 0, std::move(members)};
}

template <class Widget> QStringList Texts(const Widget& w)
{
    QStringList texts;
    for (int row = 0; row < w.count(); ++row)
        if constexpr (std::is_same_v<Widget, QListWidget>)
            texts << w.item(row)->text();
        else
            texts << w.itemText(row);
    return texts;
}

void Retype(QLineEdit* edit, const QString& text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

class StructureDialogs : public ::testing::Test {
protected:
    // Every file chooser opened: "save|title|start path".
    QStringList Chosen() const
    {
        QStringList chosen;
        for (const FileRequest& r : ui.fileRequests)
            chosen
                << QStringLiteral("%1|%2|%3").arg(r.kind == FileChoice::Save ? "save" : "open", r.title, r.startPath);
        return chosen;
    }

    // The editor on {Word count; Byte data[count]}, shown.
    std::unique_ptr<CEditStructureDlg> EditCountedArray()
    {
        collection.Assign({S("Counted", {M("count", TYPE_WORD), M("data", TYPE_BYTE, true, 0)})}, 0, QString());
        auto editor = std::make_unique<CEditStructureDlg>(collection, types, 0, ui);
        editor->show();
        return editor;
    }

    QString WriteFile(const char* name, std::vector<StructureDef> structures)
    {
        StructureCollection file;
        file.Assign(std::move(structures), 0, QString());
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly) && out.write(EncodeStructures(file, types)) > 0);
        return path;
    }

    ValueTypeRegistry types;
    StructureCollection collection;
    int typesLoaded = 0;
    ScriptedInterface ui;
    CStructureCommands commands{nullptr, collection, types, [this] { ++typesLoaded; }, ui};
    MessageRecorder messages;
    QTemporaryDir dir;
};

// ---------------------------------------------------------------- Structures dialog

TEST_F(StructureDialogs, AddingKeepsTheProposedNamesAndSelectsTheNewStructure)
{
    ui.otherwise = [](QDialog& dialog) {
        auto& editor = dynamic_cast<CEditStructureDlg&>(dialog);
        EXPECT_EQ(editor.windowTitle(), "Add Structure");
        editor.AddButton()->click();  // a second member after the one every structure starts with
        editor.accept();
        return dialog.result();
    };
    CStructuresDlg dialog(commands, false);
    dialog.AddButton()->click();
    dialog.AddButton()->click();
    ASSERT_EQ(collection.Count(), 2);
    EXPECT_EQ(collection.At(0).name, "[Structure001]");
    EXPECT_EQ(collection.At(1).name, "[Structure002]");
    ASSERT_EQ(collection.At(0).members.size(), 2u);
    EXPECT_EQ(collection.At(0).members[0].name, "[Member001]");
    EXPECT_EQ(collection.At(0).members[1].name, "[Member002]");
    EXPECT_EQ(dialog.List()->currentItem()->text(), "[Structure002]");
    EXPECT_TRUE(collection.IsModified());
}

TEST_F(StructureDialogs, DeletingRefusesAReferencedStructureAndAsksOtherwise)
{
    collection.Assign({S("A", {M("b", StructureRef(1))}), S("B", {}), S("C", {})}, 0, QString());
    CStructuresDlg dialog(commands, false);
    dialog.List()->setCurrentRow(1);  // B, contained in A
    dialog.DeleteButton()->click();
    EXPECT_EQ(messages.Last(), "You cannot delete the structure 'B'.\r\n\r\nThis structure is referenced by the "
                               "structure 'A'.");
    dialog.List()->setCurrentRow(2);
    dialog.DeleteButton()->click();  // answered No
    EXPECT_EQ(messages.Last(), "Are you sure you want to delete the structure 'C'?");
    EXPECT_EQ(collection.Count(), 3);

    messages.Answer(MsgResult::Yes);
    dialog.List()->setCurrentRow(0);
    dialog.DeleteButton()->click();
    EXPECT_EQ(Texts(*dialog.List()), QStringList({"B", "C"}));
    EXPECT_EQ(dialog.List()->currentRow(), 0);

    dialog.DeleteAllButton()->click();  // answered No
    EXPECT_EQ(messages.Last(), "Are you sure you want to delete all structures?");
    messages.Answer(MsgResult::Yes);
    dialog.DeleteAllButton()->click();
    EXPECT_TRUE(collection.IsEmpty());
    for (QWidget* w : QList<QWidget*>{dialog.List(), dialog.EditButton(), dialog.DeleteButton(),
                                      dialog.DeleteAllButton(), dialog.SaveButton()})
        EXPECT_FALSE(w->isEnabled());
    EXPECT_TRUE(dialog.AddButton()->isEnabled() && dialog.LoadButton()->isEnabled() && dialog.ImportButton()->isEnabled());
}

TEST_F(StructureDialogs, EnterOrADoubleClickEditsTheStructure)
{
    collection.Assign({S("Zeta", {M("x", TYPE_BYTE)}), S("Beta", {M("x", TYPE_BYTE)})}, 0, QString());
    ui.otherwise = [](QDialog& dialog) {
        auto& editor = dynamic_cast<CEditStructureDlg&>(dialog);
        EXPECT_EQ(editor.windowTitle(), "Edit Structure");
        Retype(editor.NameEdit(), "  A" + editor.NameEdit()->text() + " ");
        editor.accept();
        return dialog.result();
    };
    CStructuresDlg dialog(commands, false);
    dialog.show();
    QTest::keyClick(dialog.List(), Qt::Key_Return);
    EXPECT_EQ(Texts(*dialog.List()), QStringList({"ABeta", "Zeta"}));
    EXPECT_EQ(dialog.SelectedIndex(), 1);

    QWidget* viewport = dialog.List()->viewport();
    const QPoint zeta = dialog.List()->visualItemRect(dialog.List()->item(1)).center();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, zeta);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, zeta);
    EXPECT_EQ(Texts(*dialog.List()), QStringList({"ABeta", "AZeta"}));
    EXPECT_EQ(dialog.SelectedIndex(), 0);
    EXPECT_EQ(ui.titles.size(), 2);
}

// ---------------------------------------------------------------- editor

TEST_F(StructureDialogs, EditorControlRulesFollowTheMembersAndBoxes)
{
    {
        CEditStructureDlg added(collection, types, -1, ui);
        EXPECT_EQ(Texts(*added.MemberList()), QStringList{"[Member001]"});
        EXPECT_FALSE(added.DeleteButton()->isEnabled() || added.UpButton()->isEnabled() ||
                     added.DownButton()->isEnabled());
    }
    auto editor = EditCountedArray();
    EXPECT_TRUE(editor->DeleteButton()->isEnabled());
    EXPECT_TRUE(editor->DownButton()->isEnabled());
    editor->ArrayBox()->click();  // the first member has no earlier member to count it
    EXPECT_FALSE(editor->VariableBox()->isEnabled());
    EXPECT_TRUE(editor->FixedLengthEdit()->isEnabled());
    editor->ArrayBox()->click();

    editor->MemberList()->setCurrentRow(1);
    EXPECT_FALSE(editor->DownButton()->isEnabled());
    EXPECT_TRUE(editor->VariableBox()->isChecked());
    EXPECT_EQ(Texts(*editor->LengthBox()), QStringList{"count"});
    EXPECT_TRUE(editor->LengthBox()->isEnabled());
    EXPECT_FALSE(editor->FixedLengthEdit()->isEnabled() || editor->FixedLengthLabel()->isEnabled());

    editor->VariableBox()->click();
    EXPECT_TRUE(editor->FixedLengthEdit()->isEnabled());
    EXPECT_FALSE(editor->LengthBox()->isEnabled());
    editor->VariableBox()->click();
    editor->ArrayBox()->click();  // clears and disables the variable box
    EXPECT_FALSE(editor->VariableBox()->isChecked() || editor->VariableBox()->isEnabled());
    EXPECT_FALSE(editor->Edited().members[1].isVariable);

    editor->ArrayBox()->click();
    editor->FixedLengthEdit()->SetText(QStringLiteral("12"));
    editor->MemberList()->setCurrentRow(0);
    editor->MemberList()->setCurrentRow(1);
    EXPECT_EQ(editor->FixedLengthEdit()->Text(), "12");  // the radix it was written in
    editor->FixedLengthEdit()->SetText(QStringLiteral("0x10"));
    editor->PaddingBox()->setCurrentIndex(2);
    editor->accept();
    EXPECT_EQ(collection.At(0).paddingIndex, 2);
    EXPECT_EQ(collection.At(0).members[1].fixedLength, 16);
    EXPECT_FALSE(collection.At(0).members[1].isVariable);
}

TEST_F(StructureDialogs, TypeListHoldsEveryDataTypeAndNoStructureContainingTheEditedOne)
{
    collection.Assign({S("A", {M("b", StructureRef(1))}), S("B", {M("c", StructureRef(2))}), S("C", {}), S("D", {})},
                      0, QString());
    types.SetHidden(TYPE_WORD, true);
    const std::pair<int, QStringList> cases[] = {
        {2, {"Structure D"}},  // A and B contain C, B directly, A through B
        {-1, {"Structure A", "Structure B", "Structure C", "Structure D"}},
    };
    for (const auto& [edited, structures] : cases) {
        CEditStructureDlg editor(collection, types, edited, ui);
        const QStringList texts = Texts(*editor.TypeBox());
        EXPECT_EQ(texts.mid(0, 2), QStringList({"Byte (1 byte)", "Word (2 bytes)"}));  // hidden types too
        EXPECT_EQ(texts.mid(STD_VALUE_TYPE_COUNT), structures) << edited;
    }
}

TEST_F(StructureDialogs, LeavingAMemberWithABadNameOrLengthKeepsItSelectedWithTheFieldFocused)
{
    const struct {
        const char* name;
        const char* length;  // typed into the fixed length of an array
        const char* message;
    } cases[] = {
        {"   ", nullptr, "You must enter a name for this member."},
        {"DATA", nullptr, "You must enter a unique name for this member."},
        {"Count", "0", "Please enter an integer between 1 and 32767."},
        {"Count", "32768", "Please enter an integer between 1 and 32767."},
        {"Count", "x", "Please enter an integer between 1 and 32767."},
    };
    for (const auto& c : cases) {
        auto editor = EditCountedArray();
        Retype(editor->MemberNameEdit(), QString::fromLatin1(c.name));
        if (c.length) {
            editor->ArrayBox()->click();
            editor->FixedLengthEdit()->SetText(QString::fromLatin1(c.length));
        }
        editor->MemberList()->setCurrentRow(1);
        EXPECT_EQ(messages.Last(), QString::fromLatin1(c.message)) << c.name;
        EXPECT_EQ(editor->MemberList()->currentRow(), 0) << c.name;
        QWidget* field = c.length ? (QWidget*)editor->FixedLengthEdit() : editor->MemberNameEdit();
        EXPECT_TRUE(FocusIsIn(*editor, field)) << c.name;
        EXPECT_EQ(FocusedSelection(*editor), c.length ? c.length : c.name);
        editor->accept();  // refused the same way; the collection is untouched
        EXPECT_EQ(editor->result(), QDialog::Rejected);
        EXPECT_EQ(collection.At(0).members[0].name, "count");
    }
}

TEST_F(StructureDialogs, BreakingALengthLinkClearsItAndWarns)
{
    const QString warning = "WARNING: Changes you have just made have broken the link between a variable-length-array "
                            "member and a member used to specify the length of that array.\r\n\r\nIn order to maintain "
                            "this link, the member used to specify the length of the array must be an integer data "
                            "type, must not be an array itself, and must come before the array member.\r\n\r\nYou will "
                            "need to re-established this link if that is your intent.";
    {
        auto editor = EditCountedArray();
        editor->TypeBox()->setCurrentIndex(TYPE_SINGLE);  // the count stops being an integer
        editor->MemberList()->setCurrentRow(1);
        EXPECT_EQ(messages.Texts(), QStringList{warning});
        EXPECT_FALSE(editor->Edited().members[1].isVariable);
        EXPECT_FALSE(editor->VariableBox()->isEnabled());
    }
    messages.Clear();
    auto editor = EditCountedArray();
    editor->MemberList()->setCurrentRow(1);
    editor->UpButton()->click();  // the array moves above its count
    EXPECT_EQ(messages.Texts(), QStringList{warning});
    EXPECT_EQ(Texts(*editor->MemberList()), QStringList({"data", "count"}));
    EXPECT_EQ(editor->MemberList()->currentRow(), 0);
    EXPECT_FALSE(editor->Edited().members[0].isVariable);
}

TEST_F(StructureDialogs, DeletingAMemberRefusesALengthMemberAndRenumbersLinks)
{
    collection.Assign({S("S", {M("pad", TYPE_BYTE), M("count", TYPE_WORD), M("data", TYPE_BYTE, true, 1)})}, 0,
                      QString());
    CEditStructureDlg editor(collection, types, 0, ui);
    editor.MemberList()->setCurrentRow(1);
    editor.DeleteButton()->click();
    EXPECT_EQ(messages.Last(), "Cannot delete the structure member 'count' because it is used as the "
                               "variable-length-array member for 'data'.");
    editor.MemberList()->setCurrentRow(0);
    editor.DeleteButton()->click();  // answered No
    EXPECT_EQ(messages.Last(), "Are you sure you want to delete the structure member 'pad'?");
    messages.Answer(MsgResult::Yes);
    editor.DeleteButton()->click();
    EXPECT_EQ(Texts(*editor.MemberList()), QStringList({"count", "data"}));
    EXPECT_EQ(editor.Edited().members[1].lengthMember, 0);
    editor.reject();  // Cancel leaves the collection as it was
    EXPECT_EQ(collection.At(0).members.size(), 3u);
}

TEST_F(StructureDialogs, OkChecksTheStructureNameCaseSensitively)
{
    collection.Assign({S("Header", {M("x", TYPE_BYTE)})}, 0, QString());
    const struct {
        const char* name;
        int editing;
        const char* message;  // null: accepted
    } cases[] = {
        {"  ", -1, "You must enter a name for this structure."},
        {"Header", -1, "Cannot save structure : A structure with this name already exists."},
        {"header", -1, nullptr},
        {"Header", 0, nullptr},  // its own name
    };
    for (const auto& c : cases) {
        messages.Clear();
        CEditStructureDlg editor(collection, types, c.editing, ui);
        Retype(editor.NameEdit(), QString::fromLatin1(c.name));
        editor.accept();
        EXPECT_EQ(messages.Last(), QString::fromLatin1(c.message ? c.message : "")) << c.name;
        EXPECT_EQ(editor.result(), c.message ? QDialog::Rejected : QDialog::Accepted) << c.name;
        if (c.message) {
            EXPECT_TRUE(FocusIsIn(editor, editor.NameEdit())) << c.name;
        }
    }
    collection.Add(S("alpha", {}));
    EXPECT_EQ(Texts(*CStructuresDlg(commands, false).List()), QStringList({"alpha", "Header", "header"}));
}

// ---------------------------------------------------------------- import

TEST_F(StructureDialogs, ImportingAStructureBringsWhatItContainsAndSaysSo)
{
    collection.Assign({S("Existing", {})}, 0, QString());
    ui.ThenFile(WriteFile("nested.str", {S("A", {M("b", StructureRef(2))}), S("Other", {}), S("B", {})}));
    ui.Then([](QDialog& dialog) {
        auto& import = dynamic_cast<CImportStructsDlg&>(dialog);
        EXPECT_EQ(Texts(*import.List()), QStringList({"A", "B", "Other"}));
        import.List()->item(0)->setCheckState(Qt::Checked);
        import.accept();
        return dialog.result();
    });
    EXPECT_TRUE(commands.Import());
    EXPECT_EQ(Chosen(), QStringList{"open|Import Structures|"});
    EXPECT_EQ(typesLoaded, 1);
    ASSERT_EQ(collection.Count(), 3);
    EXPECT_EQ(collection.At(1).name, "A");
    EXPECT_EQ(collection.At(2).name, "B");
    EXPECT_EQ(collection.At(1).members[0].type, StructureRef(2));
    EXPECT_EQ(messages.Texts(),
              QStringList{"Additional structures were imported because they were referenced by selected structures."});
}

TEST_F(StructureDialogs, ImportingATakenNameAddsTheNextFreeNumber)
{
    collection.Assign({S("Header", {})}, 0, QString());
    const QString header = WriteFile("header.str", {S("Header", {M("y", TYPE_WORD)})});
    ui.ThenFile(header);
    ui.ThenFile(header);
    ui.otherwise = [](QDialog& dialog) {
        auto& import = dynamic_cast<CImportStructsDlg&>(dialog);
        import.SelectAllButton()->click();
        import.accept();
        return dialog.result();
    };
    EXPECT_TRUE(commands.Import());
    EXPECT_TRUE(commands.Import());
    EXPECT_EQ(Texts(*CStructuresDlg(commands, false).List()), QStringList({"Header", "Header_2", "Header_3"}));
    EXPECT_EQ(messages.Last(), "One or more imported structures were renamed to avoid conflict with existing structures.");
}

TEST_F(StructureDialogs, ImportWithNothingTickedStaysOpenAndAnEmptyFileIsReported)
{
    ui.ThenFile(WriteFile("two.str", {S("A", {}), S("B", {})}));
    ui.Then([this](QDialog& dialog) {
        auto& import = dynamic_cast<CImportStructsDlg&>(dialog);
        import.show();
        import.accept();
        EXPECT_EQ(messages.Last(), "No structures were selected to import.");
        EXPECT_TRUE(import.isVisible());
        import.SelectAllButton()->click();
        import.UnselectAllButton()->click();
        import.List()->item(1)->setCheckState(Qt::Checked);
        EXPECT_EQ(import.Ticked(), std::set<int>{1});
        import.reject();
        return dialog.result();
    });
    EXPECT_FALSE(commands.Import());
    EXPECT_TRUE(collection.IsEmpty());

    const QString empty = WriteFile("empty.str", {});
    ui.ThenFile(empty);
    EXPECT_FALSE(commands.Import());
    EXPECT_EQ(messages.Last(), "Unable to import from " + empty + ". This file contains no structures.");
    EXPECT_EQ(ui.titles.size(), 1);
}

// ---------------------------------------------------------------- files and questions

TEST_F(StructureDialogs, SaveAsksForAFileAndRecordsIt)
{
    EXPECT_TRUE(commands.Save());  // nothing to save: reported, and as good as saved
    EXPECT_EQ(messages.Last(), "Unable to save structure collection : No structures defined.");
    EXPECT_TRUE(Chosen().isEmpty());

    collection.Add(S("S", {M("x", TYPE_BYTE)}));
    messages.Answer(MsgResult::Yes);
    ui.ThenFile(std::nullopt);
    EXPECT_FALSE(commands.SaveModified());  // Yes, then the chooser cancelled
    EXPECT_TRUE(collection.IsModified());

    const QString saved = dir.filePath(QStringLiteral("saved.str"));
    ui.ThenFile(saved);
    messages.Answer(MsgResult::Yes);
    EXPECT_TRUE(commands.SaveModified());
    EXPECT_FALSE(collection.IsModified());
    EXPECT_EQ(collection.Path(), saved);
    EXPECT_TRUE(QFile::exists(saved));
    ui.ThenFile(std::nullopt);
    commands.Save();  // starts at the recorded file
    EXPECT_EQ(Chosen().last(), "save|Save Structure Collection|" + saved);
}

TEST_F(StructureDialogs, LoadAsksBeforeAndAfterChoosingAndReplacesTheCollection)
{
    const QString path = WriteFile("load.str", {S("Loaded", {M("x", TYPE_BYTE)})});
    collection.Add(S("Changed", {M("x", TYPE_BYTE)}));
    CStructuresDlg dialog(commands, false);
    messages.Answer(MsgResult::Cancel);
    dialog.LoadButton()->click();
    EXPECT_TRUE(Chosen().isEmpty());

    ui.ThenFile(path);
    messages.Answer(MsgResult::No);
    messages.Answer(MsgResult::No);
    dialog.LoadButton()->click();
    EXPECT_EQ(messages.Texts(),
              QStringList(3, "You have made changes to the current structure collection. Would you like to save the "
                             "current collection to disk?"));
    EXPECT_EQ(Chosen(), QStringList{"open|Load Structure Collection|"});
    EXPECT_EQ(Texts(*dialog.List()), QStringList{"Loaded"});
    EXPECT_FALSE(collection.IsModified());
    EXPECT_EQ(typesLoaded, 1);
}

} // namespace

// The "Structures", structure editor and "Import Structures" dialogs driven
// through their real widgets, with scripted answers to every message and
// file chooser: the list and its buttons, the editor's names, control rules,
// validation and link warnings, the merge of another file, and the save and
// load questions.
#include "DialogTestSupport.h"
#include "MessageRecorder.h"
#include "furniture/HelpManual.h"
#include "inspect/StructureFile.h"
#include "inspect/StructureStore.h"
#include "inspect/ValueTypeRegistry.h"
#include "inspectview/EditStructureDlg.h"
#include "inspectview/ImportStructsDlg.h"
#include "inspectview/StructureCommands.h"
#include "inspectview/StructuresDlg.h"
#include "tooldialogs/IntEdit.h"
#include "tooldialogs/ToolDialogSeam.h"
#include "tools/StdValueType.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using platform::MsgResult;

StructureMember Member(const char* name, TypeRef type, bool isArray = false, int32_t length = 1,
                       int lengthMember = -1)
{
    StructureMember m;
    m.name = QString::fromLatin1(name);
    m.type = type;
    m.isArray = isArray;
    m.fixedLength = length;
    m.isVariable = lengthMember >= 0;
    m.lengthMember = std::max(lengthMember, 0);
    return m;
}

StructureDef Structure(const char* name, std::vector<StructureMember> members)
{
    StructureDef s;
    s.name = QString::fromLatin1(name);
    s.members = std::move(members);
    return s;
}

QStringList ListTexts(const QListWidget& list)
{
    QStringList texts;
    for (int row = 0; row < list.count(); ++row)
        texts << list.item(row)->text();
    return texts;
}

QStringList ComboTexts(const QComboBox& box)
{
    QStringList texts;
    for (int row = 0; row < box.count(); ++row)
        texts << box.itemText(row);
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
    void SetUp() override
    {
        previousDriver_ = SetDialogDriver([this](QDialog& dialog) { return driver(dialog); });
        previousChooser_ = SetFileChooser([this](QWidget*, FileChoice kind, const QString& title, const QString& start) {
            chosen << QStringLiteral("%1|%2|%3").arg(kind == FileChoice::Save ? "save" : "open", title, start);
            return nextFile;
        });
    }
    void TearDown() override
    {
        SetDialogDriver(std::move(previousDriver_));
        SetFileChooser(std::move(previousChooser_));
    }

    // {Word count; Byte data[count]} with the editor on it, shown.
    std::unique_ptr<CEditStructureDlg> EditCountedArray()
    {
        collection.Add(Structure("Counted", {Member("count", TYPE_WORD), Member("data", TYPE_BYTE, true, 1, 0)}));
        auto editor = std::make_unique<CEditStructureDlg>(collection, types, 0);
        editor->show();
        return editor;
    }

    QString WriteFile(const char* name, std::vector<StructureDef> structures)
    {
        StructureCollection file;
        for (StructureDef& s : structures)
            file.Add(std::move(s));
        const QString path = dir.filePath(QString::fromLatin1(name));
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(EncodeStructures(file, types));
        return path;
    }

    ValueTypeRegistry types;
    StructureCollection collection;
    int typesLoaded = 0;
    CStructureCommands commands{nullptr, collection, types, [this] { ++typesLoaded; }};
    MessageRecorder messages;
    QTemporaryDir dir;
    std::function<int(QDialog&)> driver = [](QDialog& dialog) {
        ADD_FAILURE() << "unexpected dialog " << dialog.windowTitle().toStdString();
        return int(QDialog::Rejected);
    };
    std::optional<QString> nextFile;
    QStringList chosen;

private:
    DialogDriver previousDriver_;
    FileChooser previousChooser_;
};

// ---------------------------------------------------------------- Structures dialog

TEST_F(StructureDialogs, ListIsSortedAndButtonsFollowTheCollection)
{
    CStructuresDlg empty(commands, true);
    EXPECT_EQ(empty.windowTitle(), "Structures");
    EXPECT_TRUE(empty.ReloadBox()->isChecked());
    for (QWidget* w : std::initializer_list<QWidget*>{empty.List(), empty.EditButton(), empty.DeleteButton(),
                                                      empty.DeleteAllButton(), empty.SaveButton()})
        EXPECT_FALSE(w->isEnabled());
    for (QWidget* w : std::initializer_list<QWidget*>{empty.AddButton(), empty.LoadButton(), empty.ImportButton()})
        EXPECT_TRUE(w->isEnabled());

    for (const char* name : {"beta", "Alpha", "gamma", "Beta"})
        collection.Add(Structure(name, {Member("a", TYPE_BYTE)}));
    CStructuresDlg dialog(commands, false);
    EXPECT_EQ(ListTexts(*dialog.List()), QStringList({"Alpha", "Beta", "beta", "gamma"}));
    EXPECT_EQ(dialog.SelectedIndex(), 1);
    dialog.List()->setCurrentRow(3);
    EXPECT_EQ(dialog.SelectedIndex(), 2);
    EXPECT_TRUE(dialog.SaveButton()->isEnabled());
    EXPECT_TRUE(dialog.DeleteAllButton()->isEnabled());
}

TEST_F(StructureDialogs, AddingKeepsTheProposedNamesAndSelectsTheNewStructure)
{
    driver = [](QDialog& dialog) {
        auto& editor = dynamic_cast<CEditStructureDlg&>(dialog);
        EXPECT_EQ(editor.windowTitle(), "Add Structure");
        // A new structure starts with one member; Add proposes the next name.
        editor.AddButton()->click();
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

TEST_F(StructureDialogs, DeletingARefusesReferencedStructuresAndAsksOtherwise)
{
    collection.Add(Structure("A", {Member("b", StructureRef(1)), Member("c", StructureRef(2))}));
    collection.Add(Structure("B", {Member("x", TYPE_BYTE)}));
    collection.Add(Structure("C", {Member("y", TYPE_BYTE)}));
    collection.Add(Structure("D", {Member("z", TYPE_BYTE)}));
    CStructuresDlg dialog(commands, false);

    dialog.List()->setCurrentRow(1);  // B, contained in A
    dialog.DeleteButton()->click();
    EXPECT_EQ(messages.Last(), "You cannot delete the structure 'B'.\r\n\r\nThis structure is referenced by the "
                               "structure 'A'.");
    EXPECT_EQ(collection.Count(), 4);

    dialog.List()->setCurrentRow(3);  // D
    dialog.DeleteButton()->click();  // answered No
    EXPECT_EQ(messages.Last(), "Are you sure you want to delete the structure 'D'?");
    EXPECT_EQ(collection.Count(), 4);

    // Deleting A frees B, which can then go too.
    dialog.List()->setCurrentRow(0);
    messages.Answer(MsgResult::Yes);
    dialog.DeleteButton()->click();
    dialog.List()->setCurrentRow(0);
    messages.Answer(MsgResult::Yes);
    dialog.DeleteButton()->click();
    EXPECT_EQ(ListTexts(*dialog.List()), QStringList({"C", "D"}));
    EXPECT_EQ(dialog.List()->currentRow(), 0);

    messages.Answer(MsgResult::No);
    dialog.DeleteAllButton()->click();
    EXPECT_EQ(messages.Last(), "Are you sure you want to delete all structures?");
    EXPECT_EQ(collection.Count(), 2);
    messages.Answer(MsgResult::Yes);
    dialog.DeleteAllButton()->click();
    EXPECT_TRUE(collection.IsEmpty());
    EXPECT_FALSE(dialog.EditButton()->isEnabled());
    EXPECT_FALSE(dialog.List()->isEnabled());
}

TEST_F(StructureDialogs, DeletingRenumbersLaterReferences)
{
    collection.Add(Structure("A", {Member("x", TYPE_BYTE)}));
    collection.Add(Structure("B", {Member("x", TYPE_BYTE)}));
    collection.Add(Structure("C", {Member("b", StructureRef(1))}));
    CStructuresDlg dialog(commands, false);
    messages.Answer(MsgResult::Yes);
    dialog.DeleteButton()->click();  // A, selected first
    ASSERT_EQ(collection.Count(), 2);
    EXPECT_EQ(collection.At(1).members[0].type, StructureRef(0));
}

TEST_F(StructureDialogs, EnterOrADoubleClickEditsTheStructureAndTheListFollowsItsNewName)
{
    collection.Add(Structure("Zeta", {Member("x", TYPE_BYTE)}));
    collection.Add(Structure("Alpha", {Member("x", TYPE_BYTE)}));
    driver = [](QDialog& dialog) {
        auto& editor = dynamic_cast<CEditStructureDlg&>(dialog);
        EXPECT_EQ(editor.windowTitle(), "Edit Structure");
        EXPECT_EQ(editor.NameEdit()->text(), "Alpha");
        Retype(editor.NameEdit(), QStringLiteral("  Omega "));
        editor.accept();
        return dialog.result();
    };
    CStructuresDlg dialog(commands, false);
    dialog.show();
    QTest::keyClick(dialog.List(), Qt::Key_Return);
    EXPECT_EQ(collection.At(1).name, "Omega");
    EXPECT_EQ(ListTexts(*dialog.List()), QStringList({"Omega", "Zeta"}));
    EXPECT_EQ(dialog.SelectedIndex(), 1);
    // A double click on the other entry edits that one.
    int opened = 0;
    driver = [&opened](QDialog& dialog) {
        ++opened;
        EXPECT_EQ(dynamic_cast<CEditStructureDlg&>(dialog).NameEdit()->text(), "Zeta");
        return int(QDialog::Rejected);
    };
    QWidget* viewport = dialog.List()->viewport();
    const QPoint zeta = dialog.List()->visualItemRect(dialog.List()->item(1)).center();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, zeta);
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, zeta);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(collection.At(0).name, "Zeta");
}

// ---------------------------------------------------------------- editor

TEST_F(StructureDialogs, EditorControlRulesFollowTheArrayAndVariableBoxes)
{
    {
        // A new structure has one member, which cannot be deleted or moved.
        CEditStructureDlg added(collection, types, -1);
        EXPECT_EQ(ListTexts(*added.MemberList()), QStringList{"[Member001]"});
        EXPECT_FALSE(added.DeleteButton()->isEnabled());
        EXPECT_FALSE(added.UpButton()->isEnabled());
        EXPECT_FALSE(added.DownButton()->isEnabled());
    }
    auto editor = EditCountedArray();
    EXPECT_TRUE(editor->DeleteButton()->isEnabled());
    EXPECT_FALSE(editor->UpButton()->isEnabled());
    EXPECT_TRUE(editor->DownButton()->isEnabled());
    // The first member: an array has no earlier member to take its count from.
    editor->ArrayBox()->click();
    EXPECT_FALSE(editor->VariableBox()->isEnabled());
    EXPECT_TRUE(editor->FixedLengthEdit()->isEnabled());
    editor->ArrayBox()->click();

    editor->MemberList()->setCurrentRow(1);
    EXPECT_TRUE(editor->UpButton()->isEnabled());
    EXPECT_FALSE(editor->DownButton()->isEnabled());
    EXPECT_TRUE(editor->VariableBox()->isChecked());
    EXPECT_EQ(ComboTexts(*editor->LengthBox()), QStringList{"count"});
    EXPECT_TRUE(editor->LengthBox()->isEnabled());
    EXPECT_FALSE(editor->FixedLengthEdit()->isEnabled());
    EXPECT_FALSE(editor->FixedLengthLabel()->isEnabled());

    editor->VariableBox()->click();
    EXPECT_TRUE(editor->FixedLengthEdit()->isEnabled());
    EXPECT_FALSE(editor->LengthBox()->isEnabled());
    EXPECT_FALSE(editor->Edited().members[1].isVariable);

    // Unticking the array clears and disables the variable box.
    editor->VariableBox()->click();
    editor->ArrayBox()->click();
    EXPECT_FALSE(editor->VariableBox()->isChecked());
    EXPECT_FALSE(editor->VariableBox()->isEnabled());
    EXPECT_FALSE(editor->FixedLengthEdit()->isEnabled());
    EXPECT_FALSE(editor->Edited().members[1].isVariable);
    EXPECT_FALSE(editor->Edited().members[1].isArray);
}

TEST_F(StructureDialogs, EditorOffersOnlyEarlierNonArrayIntegersAsLengths)
{
    collection.Add(Structure("Inner", {Member("x", TYPE_DWORD)}));
    collection.Add(Structure("Outer", {Member("a", TYPE_BYTE), Member("f", TYPE_SINGLE), Member("w", TYPE_WORD, true, 2),
                                       Member("s", StructureRef(0)), Member("d", TYPE_SIGNED_DWORD),
                                       Member("arr", TYPE_BYTE, true, 4), Member("later", TYPE_DWORD)}));
    CEditStructureDlg editor(collection, types, 1);
    editor.MemberList()->setCurrentRow(5);
    EXPECT_EQ(ComboTexts(*editor.LengthBox()), QStringList({"a", "d"}));
    editor.VariableBox()->click();
    editor.LengthBox()->setCurrentIndex(1);
    EXPECT_EQ(editor.Edited().members[5].lengthMember, 4);
    EXPECT_FALSE(editor.FixedLengthEdit()->isEnabled());
}

TEST_F(StructureDialogs, TypeListHoldsEveryDataTypeAndNoStructureContainingTheEditedOne)
{
    collection.Add(Structure("A", {Member("b", StructureRef(1))}));
    collection.Add(Structure("B", {Member("c", StructureRef(2))}));
    collection.Add(Structure("C", {Member("x", TYPE_BYTE)}));
    collection.Add(Structure("D", {Member("x", TYPE_BYTE)}));
    types.SetHidden(TYPE_WORD, true);

    struct Case {
        int edited;
        QStringList structures;
    };
    const Case cases[] = {
        {2, {"Structure D"}},  // A and B contain C, directly or through B
        {0, {"Structure B", "Structure C", "Structure D"}},
        {-1, {"Structure A", "Structure B", "Structure C", "Structure D"}},
    };
    for (const Case& c : cases) {
        CEditStructureDlg editor(collection, types, c.edited);
        const QStringList texts = ComboTexts(*editor.TypeBox());
        ASSERT_EQ(texts.size(), STD_VALUE_TYPE_COUNT + c.structures.size()) << c.edited;
        EXPECT_EQ(texts[TYPE_BYTE], "Byte (1 byte)");
        EXPECT_EQ(texts[TYPE_WORD], "Word (2 bytes)");  // hidden types too
        EXPECT_EQ(texts.mid(STD_VALUE_TYPE_COUNT), c.structures) << c.edited;
    }
}

TEST_F(StructureDialogs, LeavingAMemberWithABadNameOrLengthKeepsItSelectedWithTheFieldFocused)
{
    struct Case {
        const char* name;
        const char* length;  // typed into the fixed length of an array
        const char* message;
        bool inName;
    };
    const Case cases[] = {
        {"   ", nullptr, "You must enter a name for this member.", true},
        {"DATA", nullptr, "You must enter a unique name for this member.", true},
        {"Count", "0", "Please enter an integer between 1 and 32767.", false},
        {"Count", "32768", "Please enter an integer between 1 and 32767.", false},
        {"Count", "x", "Please enter an integer between 1 and 32767.", false},
    };
    for (const Case& c : cases) {
        collection.Clear();
        auto editor = EditCountedArray();
        Retype(editor->MemberNameEdit(), QString::fromLatin1(c.name));
        if (c.length) {
            editor->ArrayBox()->click();
            editor->FixedLengthEdit()->SetText(QString::fromLatin1(c.length));
        }
        messages.Clear();
        editor->MemberList()->setCurrentRow(1);
        EXPECT_EQ(messages.Last(), QString::fromLatin1(c.message)) << c.name;
        EXPECT_EQ(editor->MemberList()->currentRow(), 0) << c.name;
        EXPECT_EQ(editor->CurrentMember(), 0) << c.name;
        QWidget* field = c.inName ? static_cast<QWidget*>(editor->MemberNameEdit()) : editor->FixedLengthEdit();
        EXPECT_TRUE(FocusIsIn(*editor, field)) << c.name;
        EXPECT_EQ(FocusedSelection(*editor), c.inName ? editor->MemberNameEdit()->text()
                                                      : QString::fromLatin1(c.length));
        // OK refuses the same way and leaves the collection alone.
        editor->accept();
        EXPECT_EQ(editor->result(), QDialog::Rejected);
        EXPECT_EQ(collection.At(0).members[0].name, "count");
    }
}

TEST_F(StructureDialogs, BreakingALengthLinkClearsItAndWarnsOnce)
{
    const QString warning = BrokenLinkWarningText();
    {
        // The length member stops being an integer.
        auto editor = EditCountedArray();
        editor->TypeBox()->setCurrentIndex(TYPE_SINGLE);
        editor->MemberList()->setCurrentRow(1);
        EXPECT_EQ(messages.Texts(), QStringList{warning});
        EXPECT_FALSE(editor->Edited().members[1].isVariable);
        EXPECT_FALSE(editor->VariableBox()->isEnabled());
    }
    messages.Clear();
    collection.Clear();
    {
        // The array moves above its length member.
        auto editor = EditCountedArray();
        editor->MemberList()->setCurrentRow(1);
        editor->UpButton()->click();
        EXPECT_EQ(messages.Texts(), QStringList{warning});
        EXPECT_EQ(editor->Edited().members[0].name, "data");
        EXPECT_FALSE(editor->Edited().members[0].isVariable);
        EXPECT_EQ(editor->MemberList()->currentRow(), 0);
        EXPECT_EQ(ListTexts(*editor->MemberList()), QStringList({"data", "count"}));
    }
    messages.Clear();
    collection.Clear();
    {
        // A move that keeps the order of the pair keeps the link silently.
        collection.Add(Structure("S", {Member("n", TYPE_BYTE), Member("x", TYPE_BYTE), Member("v", TYPE_BYTE, true, 1, 0)}));
        CEditStructureDlg editor(collection, types, 0);
        editor.MemberList()->setCurrentRow(1);
        editor.DownButton()->click();
        EXPECT_EQ(messages.Count(), 0);
        EXPECT_TRUE(editor.Edited().members[1].isVariable);
        EXPECT_EQ(editor.Edited().members[1].lengthMember, 0);
    }
}

TEST_F(StructureDialogs, DeletingAMemberRefusesALengthMemberAndRenumbersLinks)
{
    collection.Add(Structure("S", {Member("pad", TYPE_BYTE), Member("count", TYPE_WORD),
                                   Member("data", TYPE_BYTE, true, 1, 1)}));
    CEditStructureDlg editor(collection, types, 0);
    editor.MemberList()->setCurrentRow(1);
    editor.DeleteButton()->click();
    EXPECT_EQ(messages.Last(), "Cannot delete the structure member 'count' because it is used as the "
                               "variable-length-array member for 'data'.");
    editor.MemberList()->setCurrentRow(0);
    editor.DeleteButton()->click();  // answered No
    EXPECT_EQ(messages.Last(), "Are you sure you want to delete the structure member 'pad'?");
    EXPECT_EQ(editor.Edited().members.size(), 3u);
    messages.Answer(MsgResult::Yes);
    editor.DeleteButton()->click();
    EXPECT_EQ(ListTexts(*editor.MemberList()), QStringList({"count", "data"}));
    EXPECT_EQ(editor.Edited().members[1].lengthMember, 0);
    // Cancel leaves the collection as it was.
    editor.reject();
    EXPECT_EQ(collection.At(0).members.size(), 3u);
}

TEST_F(StructureDialogs, OkChecksTheStructureNameCaseSensitively)
{
    collection.Add(Structure("Header", {Member("x", TYPE_BYTE)}));
    struct Case {
        const char* name;
        int editing;
        const char* message;  // null: accepted
    };
    const Case cases[] = {
        {"  ", -1, "You must enter a name for this structure."},
        {"Header", -1, "Cannot save structure : A structure with this name already exists."},
        {"header", -1, nullptr},
        {"Header", 0, nullptr},  // its own name
    };
    for (const Case& c : cases) {
        messages.Clear();
        const int before = collection.Count();
        CEditStructureDlg editor(collection, types, c.editing);
        Retype(editor.NameEdit(), QString::fromLatin1(c.name));
        editor.accept();
        if (c.message) {
            EXPECT_EQ(messages.Last(), QString::fromLatin1(c.message)) << c.name;
            EXPECT_EQ(editor.result(), QDialog::Rejected);
            EXPECT_TRUE(FocusIsIn(editor, editor.NameEdit())) << c.name;
            EXPECT_EQ(collection.Count(), before);
        } else {
            EXPECT_EQ(messages.Count(), 0) << c.name;
            EXPECT_EQ(editor.result(), QDialog::Accepted);
            EXPECT_EQ(collection.At(editor.ResultIndex()).name, QString::fromLatin1(c.name));
        }
    }
    EXPECT_EQ(collection.Count(), 2);
}

TEST_F(StructureDialogs, EditorStoresPaddingAndFixedLengthOnOk)
{
    auto editor = EditCountedArray();
    editor->PaddingBox()->setCurrentIndex(2);
    editor->MemberList()->setCurrentRow(1);
    editor->VariableBox()->click();
    editor->FixedLengthEdit()->SetText(QStringLiteral("0x10"));
    editor->accept();
    const StructureDef& s = collection.At(0);
    EXPECT_EQ(s.paddingIndex, 2);
    EXPECT_EQ(s.members[1].fixedLength, 16);
    EXPECT_FALSE(s.members[1].isVariable);
}

// ---------------------------------------------------------------- import

TEST_F(StructureDialogs, ImportingAStructureBringsWhatItContainsAndSaysSo)
{
    collection.Add(Structure("Existing", {Member("x", TYPE_BYTE)}));
    nextFile = WriteFile("nested.str", {Structure("A", {Member("b", StructureRef(2))}), Structure("Other", {Member("y", TYPE_BYTE)}),
                                        Structure("B", {Member("z", TYPE_WORD)})});
    driver = [](QDialog& dialog) {
        auto& import = dynamic_cast<CImportStructsDlg&>(dialog);
        EXPECT_EQ(import.windowTitle(), "Import Structures");
        EXPECT_EQ(ListTexts(*import.List()), QStringList({"A", "B", "Other"}));
        EXPECT_EQ(import.List()->currentRow(), 0);
        import.List()->item(0)->setCheckState(Qt::Checked);
        import.accept();
        return dialog.result();
    };
    EXPECT_TRUE(commands.Import());
    EXPECT_EQ(chosen.first(), "open|Import Structures|");
    EXPECT_EQ(typesLoaded, 1);
    ASSERT_EQ(collection.Count(), 3);
    EXPECT_EQ(collection.At(1).name, "A");
    EXPECT_EQ(collection.At(2).name, "B");
    EXPECT_EQ(collection.At(1).members[0].type, StructureRef(2));
    EXPECT_EQ(messages.Texts(),
              QStringList{"Additional structures were imported because they were referenced by selected structures."});
    EXPECT_EQ(messages.Messages().back().icon, platform::MsgIcon::Information);
}

TEST_F(StructureDialogs, ImportingATakenNameAddsTheNextFreeNumber)
{
    collection.Add(Structure("Header", {Member("x", TYPE_BYTE)}));
    nextFile = WriteFile("header.str", {Structure("Header", {Member("y", TYPE_WORD)})});
    driver = [](QDialog& dialog) {
        auto& import = dynamic_cast<CImportStructsDlg&>(dialog);
        import.SelectAllButton()->click();
        import.accept();
        return dialog.result();
    };
    EXPECT_TRUE(commands.Import());
    EXPECT_TRUE(commands.Import());
    ASSERT_EQ(collection.Count(), 3);
    EXPECT_EQ(collection.At(1).name, "Header_2");
    EXPECT_EQ(collection.At(2).name, "Header_3");
    EXPECT_EQ(messages.Last(), "One or more imported structures were renamed to avoid conflict with existing structures.");
    EXPECT_TRUE(collection.IsModified());
}

TEST_F(StructureDialogs, ImportWithNothingTickedStaysOpenAndAnEmptyFileIsReported)
{
    nextFile = WriteFile("two.str", {Structure("A", {Member("x", TYPE_BYTE)}), Structure("B", {Member("y", TYPE_BYTE)})});
    driver = [this](QDialog& dialog) {
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
    };
    EXPECT_FALSE(commands.Import());
    EXPECT_TRUE(collection.IsEmpty());

    nextFile = WriteFile("empty.str", {});
    messages.Clear();
    EXPECT_FALSE(commands.Import());
    EXPECT_EQ(messages.Texts(), QStringList{QStringLiteral("Unable to import from %1. This file contains no structures.")
                                                .arg(*nextFile)});

    nextFile.reset();  // the chooser cancelled
    messages.Clear();
    EXPECT_FALSE(commands.Import());
    EXPECT_EQ(messages.Count(), 0);
}

// ---------------------------------------------------------------- files and questions

TEST_F(StructureDialogs, SaveAsksForAFileAndRecordsIt)
{
    EXPECT_TRUE(commands.Save());  // nothing to save: reported, and as good as saved
    EXPECT_EQ(messages.Last(), "Unable to save structure collection : No structures defined.");
    EXPECT_TRUE(chosen.isEmpty());

    collection.Add(Structure("S", {Member("x", TYPE_BYTE)}));
    EXPECT_FALSE(commands.Save());  // the chooser cancelled
    EXPECT_TRUE(collection.IsModified());

    nextFile = dir.filePath(QStringLiteral("saved.str"));
    EXPECT_TRUE(commands.Save());
    EXPECT_FALSE(collection.IsModified());
    EXPECT_EQ(collection.Path(), *nextFile);
    EXPECT_TRUE(QFile::exists(*nextFile));
    // The next save starts at the recorded file.
    commands.Save();
    EXPECT_EQ(chosen.last(), QStringLiteral("save|Save Structure Collection|%1").arg(*nextFile));
}

TEST_F(StructureDialogs, SaveModifiedAnswersFollowTheQuestion)
{
    struct Case {
        MsgResult answer;
        std::optional<QString> file;
        bool result;
    };
    const QString path = dir.filePath(QStringLiteral("answer.str"));
    const Case cases[] = {
        {MsgResult::Yes, path, true},
        {MsgResult::Yes, std::nullopt, false},  // the save dialog cancelled
        {MsgResult::No, std::nullopt, true},
        {MsgResult::Cancel, std::nullopt, false},
    };
    for (const Case& c : cases) {
        collection.Clear();
        collection.Add(Structure("S", {Member("x", TYPE_BYTE)}));
        messages.Clear();
        messages.Answer(c.answer);
        nextFile = c.file;
        EXPECT_EQ(commands.SaveModified(), c.result);
        EXPECT_EQ(messages.Texts().first(), SaveStructureChangesQuestion());
        EXPECT_EQ(collection.IsModified(), !(c.answer == MsgResult::Yes && c.file));
    }
}

TEST_F(StructureDialogs, LoadAsksBeforeAndAfterChoosingAndReplacesTheCollection)
{
    const QString path = WriteFile("load.str", {Structure("Loaded", {Member("x", TYPE_BYTE)})});
    collection.Add(Structure("Changed", {Member("x", TYPE_BYTE)}));
    CStructuresDlg dialog(commands, false);

    messages.Answer(MsgResult::Cancel);
    dialog.LoadButton()->click();
    EXPECT_TRUE(chosen.isEmpty());
    EXPECT_EQ(collection.At(0).name, "Changed");

    nextFile = path;
    messages.Answer(MsgResult::No);
    messages.Answer(MsgResult::No);
    dialog.LoadButton()->click();
    EXPECT_EQ(messages.Texts(), QStringList(3, SaveStructureChangesQuestion()));
    EXPECT_EQ(chosen.last(), "open|Load Structure Collection|");
    EXPECT_EQ(ListTexts(*dialog.List()), QStringList{"Loaded"});
    EXPECT_FALSE(collection.IsModified());
    EXPECT_EQ(collection.Path(), path);
    EXPECT_EQ(typesLoaded, 1);

    // Without the question, as at start-up.
    messages.Clear();
    EXPECT_TRUE(commands.LoadWithPrompt(path, false));
    EXPECT_EQ(messages.Count(), 0);
}

// ---------------------------------------------------------------- furniture

TEST_F(StructureDialogs, DialogsShowTheirCaptionFitTheirContentsAndOpenTheirManualPage)
{
    collection.Add(Structure("Header", {Member("count", TYPE_WORD), Member("data", TYPE_BYTE, true, 1, 0)}));
    collection.Add(Structure("Record with a long name", {Member("header", StructureRef(0))}));
    std::vector<std::pair<const char*, std::unique_ptr<QDialog>>> dialogs;
    dialogs.emplace_back("Structures", std::make_unique<CStructuresDlg>(commands, true));
    dialogs.emplace_back("Edit Structure", std::make_unique<CEditStructureDlg>(collection, types, 0));
    dialogs.emplace_back("Import Structures", std::make_unique<CImportStructsDlg>(collection));
    const QByteArray shots = qgetenv("VANTREL_SCREENSHOT_DIR");
    for (auto& [title, dialog] : dialogs) {
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        EXPECT_EQ(dialog->windowTitle(), title);
        const QSize hint = dialog->minimumSizeHint();
        EXPECT_LE(hint.width(), dialog->width()) << title;
        EXPECT_LE(hint.height(), dialog->height()) << title;
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            EXPECT_LE(label->minimumSizeHint().width(), label->width()) << title << " " << label->text().toStdString();
        if (!shots.isEmpty())
            dialog->grab().save(QDir(QString::fromLocal8Bit(shots)).filePath(QString::fromLatin1(title) + ".png"));

        QUrl opened;
        SetManualOpenerForTesting([&opened](const QUrl& url) {
            opened = url;
            return true;
        });
        QPushButton* help = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Help);
        ASSERT_NE(help, nullptr) << title;
        help->click();
        SetManualOpenerForTesting({});
        EXPECT_TRUE(opened.toLocalFile().endsWith(QStringLiteral("/manual/structures.html")))
            << title << " " << messages.Last().toStdString();
    }
}

} // namespace

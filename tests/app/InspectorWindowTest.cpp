// The Data Inspector pane in the running program: idle refreshes coalesced
// and kept for the hidden tab, the hidden types across a restart through the
// real settings file, the keys that reach and switch the pages, and editing
// through the page as one undo step of the document.
#include "AppTestSupport.h"
#include "app/InspectorDock.h"
#include "core/BinEditDoc.h"
#include "types/ValueTypeRegistry.h"
#include "inspect/StructureCollection.h"
#include "inspect/StructureFile.h"
#include "inspectview/DataViewDlg.h"
#include "inspectview/StructureViewDlg.h"
#include "inspectview/TypextsDlg.h"
#include "types/StdValueType.h"
#include "view/BinEditView.h"
#include "view/CaretController.h"
#include "view/EditCommands.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>

namespace {

class InspectorTest : public AppTest {
protected:
    void TearDown() override
    {
        AppTest::TearDown();
        ValueTypes().ApplyHiddenTypes(QString());
    }

    CBinEditView* OpenBytes(const QByteArray& bytes)
    {
        if (!Start({MakeFile("data.bin", bytes)}))
            return nullptr;
        Idle();
        return Frame()->ActiveView();
    }

    static void Idle()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }

    CInspectorDock* Dock() const { return Part<CInspectorDock>(); }
    CDataViewDlg* Page() const { return Dock()->DataView(); }
    QString Value(int type) const
    {
        const QModelIndex row = Page()->RowOfType(type);
        return row.isValid() ? Page()->List().Model().Row(row).value : QStringLiteral("(hidden)");
    }
};

TEST_F(InspectorTest, ManyCaretMovesBeforeIdleAreOneRefreshShowingTheLastPlace)
{
    CBinEditView* view = OpenBytes(QByteArray::fromHex("000102030405060708090A"));
    ASSERT_TRUE(view);
    QSignalSpy refreshed(Dock(), &CInspectorDock::refreshed);
    for (int offset = 1; offset <= 9; ++offset)
        view->CaretControl().SetCaret(offset, CaretMode::Move);
    EXPECT_EQ(refreshed.count(), 0) << "nothing before the idle moment";
    Idle();
    ASSERT_EQ(refreshed.count(), 1);
    EXPECT_EQ(refreshed.at(0).at(0).toInt(), CInspectorDock::kDataViewTab);
    EXPECT_EQ(Value(TYPE_BYTE), "9");
}

TEST_F(InspectorTest, ARefreshForTheHiddenTabWaitsUntilThatTabIsSelected)
{
    CBinEditView* view = OpenBytes(QByteArray::fromHex("000102030405"));
    ASSERT_TRUE(view);
    EXPECT_EQ(Value(TYPE_BYTE), "0");
    Dock()->SelectTab(CInspectorDock::kStructureViewTab);
    Idle();
    QSignalSpy refreshed(Dock(), &CInspectorDock::refreshed);
    view->CaretControl().SetCaret(3, CaretMode::Move);
    Idle();
    EXPECT_EQ(Value(TYPE_BYTE), "0") << "the Data View is not the selected tab";
    for (const QList<QVariant>& signal : refreshed)
        EXPECT_NE(signal.at(0).toInt(), CInspectorDock::kDataViewTab);

    refreshed.clear();
    Dock()->SelectTab(CInspectorDock::kDataViewTab);
    Idle();
    ASSERT_EQ(refreshed.count(), 1);
    EXPECT_EQ(Value(TYPE_BYTE), "3");

    // A hidden pane refreshes nothing until it is shown again.
    Dock()->hide();
    view->CaretControl().SetCaret(4, CaretMode::Move);
    Idle();
    EXPECT_EQ(Value(TYPE_BYTE), "3");
    Trigger(Cmd::ViewDataInspector);
    Idle();
    EXPECT_EQ(Value(TYPE_BYTE), "4");
}

TEST_F(InspectorTest, EditsUndoAndClosingTheLastDocumentRefreshThePage)
{
    CBinEditView* view = OpenBytes(QByteArray::fromHex("10203040"));
    ASSERT_TRUE(view);
    EXPECT_EQ(Value(TYPE_BYTE), "16");
    view->Edits().TypeCharacter(u'7');
    Idle();
    EXPECT_EQ(Value(TYPE_BYTE), "112");
    Trigger(Cmd::EditUndo);
    Idle();
    EXPECT_EQ(Value(TYPE_BYTE), "16");
    Trigger(Cmd::FileClose);
    Idle();
    EXPECT_EQ(Value(TYPE_BYTE), "");
}

TEST_F(InspectorTest, EditingInThePageIsOneUndoStepOfTheDocument)
{
    CBinEditView* view = OpenBytes(QByteArray::fromHex("0102030405"));
    ASSERT_TRUE(view);
    view->CaretControl().SetCaret(1, CaretMode::Move);
    Trigger(Cmd::ViewDataInspector);
    Idle();
    QTreeView* list = Page()->List().List();
    ASSERT_EQ(QApplication::focusWidget(), list) << "Ctrl+F9 puts the focus into the list";
    Page()->List().SetCurrentRow(Page()->RowOfType(TYPE_WORD));
    QTest::keyClick(list, Qt::Key_Return);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "770");
    editor->selectAll();
    QTest::keyClicks(editor, "0x0A0B");
    QTest::keyClick(editor, Qt::Key_Return);
    Idle();
    EXPECT_TRUE(ActiveDoc()->IsModified());
    EXPECT_EQ(Value(TYPE_WORD), "2571");
    EXPECT_EQ(view->Caret().Offset(), 1);
    // Esc leaves a started edit without writing.
    QTest::keyClick(list, Qt::Key_F2);
    ASSERT_TRUE(Page()->List().IsEditing());
    QTest::keyClicks(QApplication::focusWidget(), "1");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    Idle();
    EXPECT_EQ(Value(TYPE_WORD), "2571");
    Trigger(Cmd::EditUndo);
    Idle();
    QByteArray bytes(5, '\0');
    CBufferPos at;
    at.Bind(&ActiveDoc()->Buffer(), false, 0);
    at.Read(bytes.data(), 5);
    EXPECT_EQ(bytes, QByteArray::fromHex("0102030405"));
    EXPECT_FALSE(ActiveDoc()->CanUndo());
}

TEST_F(InspectorTest, CtrlTabAndCtrlPageKeysSwitchThePages)
{
    ASSERT_TRUE(OpenBytes("abc"));
    Trigger(Cmd::ViewDataInspector);
    Idle();
    QTreeView* list = Page()->List().List();
    ASSERT_EQ(QApplication::focusWidget(), list);
    QTest::keyClick(list, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(Dock()->SelectedTab(), CInspectorDock::kStructureViewTab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(Dock()->SelectedTab(), CInspectorDock::kDataViewTab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(Dock()->SelectedTab(), CInspectorDock::kStructureViewTab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(Dock()->SelectedTab(), CInspectorDock::kDataViewTab);
    EXPECT_EQ(QApplication::focusWidget(), list);
}

TEST_F(InspectorTest, HiddenTypesSurviveARestartThroughTheSettingsFile)
{
    ASSERT_TRUE(OpenBytes(QByteArray(16, '\1')));
    ui_.Then([](QDialog& dialog) {
        auto& types = static_cast<CTypextsDlg&>(dialog);
        types.TypeList().item(TYPE_BYTE)->setCheckState(Qt::Unchecked);
        types.TypeList().item(TYPE_QWORD)->setCheckState(Qt::Unchecked);
        dialog.accept();
        return int(QDialog::Accepted);
    });
    Trigger(Cmd::ViewDataTypes);
    Idle();
    EXPECT_EQ(Value(TYPE_BYTE), "(hidden)");
    EXPECT_EQ(Value(TYPE_QWORD), "(hidden)");
    EXPECT_EQ(Value(TYPE_WORD), "257");
    ASSERT_TRUE(CloseMainWindow());
    Exit();
    EXPECT_EQ(Stored("HiddenTypes").toString(), "Byte{@::}1{@::}QWord{@::}8");

    ValueTypes().ApplyHiddenTypes(QString());
    ASSERT_TRUE(OpenBytes(QByteArray(16, '\1')));
    EXPECT_EQ(Value(TYPE_BYTE), "(hidden)");
    EXPECT_EQ(Value(TYPE_QWORD), "(hidden)");
    EXPECT_EQ(Value(TYPE_DWORD), "16843009");
}

TEST_F(InspectorTest, AHiddenEntryOfAModuleNoLongerInstalledIsIgnored)
{
    Store("HiddenTypes", "Variant Date{@::}8{@::}Word{@::}2{@::}Byte{@::}not a size");
    ASSERT_TRUE(OpenBytes(QByteArray(16, '\2')));
    EXPECT_EQ(Value(TYPE_WORD), "(hidden)");
    EXPECT_EQ(Value(TYPE_BYTE), "2");
    EXPECT_EQ(Page()->List().Model().rowCount(Page()->List().Model().index(1, 0)), ValueTypes().Count() - STD_VALUE_TYPE_COUNT);
}

TEST_F(InspectorTest, TheFlagsAndTheDividerComeBackAfterARestart)
{
    Store("DataHexadecimal", 1);
    Store("DataSplitterPos", 150);
    ASSERT_TRUE(OpenBytes(QByteArray::fromHex("0102")));
    EXPECT_EQ(Value(TYPE_WORD), "0x201");
    EXPECT_EQ(Page()->List().DividerPos(), 150);
    Page()->List().SetDividerPos(170);
    Page()->ContextMenu().actions().at(4)->trigger();  // Big Endian
    Idle();
    EXPECT_EQ(Value(TYPE_WORD), "0x102");
    // "Hide Data Inspector Window" hides the pane.
    Page()->ContextMenu().actions().at(0)->trigger();
    EXPECT_FALSE(Dock()->isVisible());
    ASSERT_TRUE(CloseMainWindow());
    Exit();
    EXPECT_EQ(Stored("DataBigEndian").toInt(), 1);
    EXPECT_EQ(Stored("DataHexadecimal").toInt(), 1);
    EXPECT_EQ(Stored("DataSplitterPos").toInt(), 170);
}

TEST_F(InspectorTest, TheStructureViewFollowsTheCollectionAndKeepsItsSettingsAcrossARestart)
{
    // The collection comes back at start-up from the file the settings name.
    StructureCollection saved;
    saved.Add({"Rec", 0, {{"w", TYPE_WORD, false, 1, false, 0}}});
    Store("ReloadStructures", 1);
    Store("StructuresFile", MakeFile("last.str", EncodeStructures(saved, ValueTypes())));
    Store("StructCurrent", "Rec");
    Store("StructHexadecimal", 1);
    Store("StructBigEndian", 1);
    Store("StructSplitterPos", 140);
    ASSERT_TRUE(OpenBytes(QByteArray::fromHex("0102")));
    Dock()->SelectTab(CInspectorDock::kStructureViewTab);
    Idle();
    CStructureViewDlg* page = Dock()->StructureView();
    const CTreeListModel& model = page->List().Model();
    ASSERT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.Row(model.index(0, 0, model.index(0, 0))).value, "0x102");
    EXPECT_EQ(page->List().DividerPos(), 140);

    // A changed collection reaches the page through the pane.
    Context().structures.Add({"Another", 0, {{"b", TYPE_BYTE, false, 1, false, 0}}});
    Dock()->StructuresChanged();
    Idle();
    EXPECT_EQ(page->Chooser().count(), 2);
    page->Chooser().setCurrentIndex(page->Chooser().findText("Another"));
    Idle();
    EXPECT_EQ(model.Row(model.index(0, 0, model.index(0, 0))).value, "0x1");
    page->ContextMenu().actions().at(3)->trigger();  // Automatically Expand Arrays
    page->List().SetDividerPos(170);
    // Made in code, not by the editor: no save question at exit.
    Context().structures.SetModified(false);
    ASSERT_TRUE(CloseMainWindow());
    Exit();
    EXPECT_EQ(Stored("StructCurrent").toString(), "Another");
    EXPECT_EQ(Stored("StructExpandArrays").toInt(), 1);
    EXPECT_EQ(Stored("StructHexadecimal").toInt(), 1);
    EXPECT_EQ(Stored("StructBigEndian").toInt(), 1);
    EXPECT_EQ(Stored("StructSplitterPos").toInt(), 170);
}

} // namespace

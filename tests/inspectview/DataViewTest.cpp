// The Data View page on a real hex view: the rows it shows, editing through
// the real list with the keyboard, the conversion message for bad text, the
// highlight in grabbed pixels, the context menu and the Data Types dialog.
#include "MessageRecorder.h"
#include "ViewTestSupport.h"
#include "ext/TypeExtensions.h"
#include "inspect/DataViewValues.h"
#include "types/ValueTypeRegistry.h"
#include "inspectview/DataViewDlg.h"
#include "inspectview/EditStructureDlg.h"
#include "inspect/StructureCollection.h"
#include "inspectview/TypextsDlg.h"
#include "platform/Clipboard.h"
#include "tools/RegistryValue.h"
#include "types/StdValueType.h"
#include "view/CaretController.h"
#include "view/EditCommands.h"
#include "view/InspectedRange.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTreeView>
#include <QComboBox>

using namespace test_colors;

namespace {

// Marks the view with the range the page highlights, as the main window does.
class RangeMarks : public IViewMarks {
public:
    explicit RangeMarks(const CInspectedRange& range) : range_(range) {}
    std::vector<int64_t> BookmarksIn(const CBinEditDoc&, int64_t, int64_t) const override { return {}; }
    std::pair<int64_t, int64_t> InspectorRange(const CBinEditDoc& doc) const override { return range_.RangeFor(doc); }

private:
    const CInspectedRange& range_;
};

void Settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

class DataView : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        ValueTypes().ClearCustomTypes();
        ValueTypes().ApplyHiddenTypes(QString());
    }

    void TearDown() override
    {
        page.reset();
        ValueTypes().ClearCustomTypes();
        ValueTypes().ApplyHiddenTypes(QString());
        ViewTest::TearDown();
    }

    // A file of these bytes with the caret at caret, and the page showing it.
    void Show(const QByteArray& bytes, int32_t caret)
    {
        Open(bytes, QSize(700, 300));
        view->SetMarks(&marks);
        view->CaretControl().SetCaret(caret, CaretMode::Move);
        page = std::make_unique<CDataViewDlg>(ValueTypes(), range);
        page->resize(360, 520);
        page->show();
        page->Refresh(view.get(), true);
        Settle();
    }

    QString Value(int type) const
    {
        const QModelIndex row = page->RowOfType(type);
        return row.isValid() ? page->List().Model().Row(row).value : QStringLiteral("(hidden)");
    }
    bool Editable(int type) const { return page->List().Model().Row(page->RowOfType(type)).editable; }

    // Selects a type's row with the keyboard focus in the list.
    void Select(int type)
    {
        QTreeView* list = page->List().List();
        page->activateWindow();
        QApplication::setActiveWindow(page.get());
        list->setFocus();
        page->List().SetCurrentRow(page->RowOfType(type));
        Settle();
    }

    // Types text into the selected row's value as a user does: F2, the
    // text, Enter; the commit runs once the editor has gone.
    void TypeValue(const QString& text, Qt::Key start = Qt::Key_F2)
    {
        QTreeView* list = page->List().List();
        QTest::keyClick(list, start);
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, list) << "no editor opened";
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_Delete);
        // Qt Test types only what a keyboard has keys for; other text is pasted.
        const bool typeable = std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7F; });
        if (typeable)
            QTest::keyClicks(editor, text);
        else if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->insert(text);
        QTest::keyClick(editor, Qt::Key_Return);
        Settle();
    }

    CInspectedRange range;
    RangeMarks marks{range};
    MessageRecorder messages;
    std::unique_ptr<CDataViewDlg> page;
};

TEST_F(DataView, RowsFollowTheRegistryWithEofNearTheEndOfTheFile)
{
    Show(QByteArray::fromHex("00000000000000000102"), 8);
    QTreeView* list = page->List().List();
    const CTreeListModel& model = page->List().Model();
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.Row(model.index(0, 0)).name, "Standard Data Types");
    EXPECT_EQ(model.Row(model.index(1, 0)).name, "Custom Data Types");
    EXPECT_EQ(model.rowCount(model.index(0, 0)), STD_VALUE_TYPE_COUNT);
    EXPECT_TRUE(list->isExpanded(model.index(0, 0)));

    const std::vector<int> withValues = {TYPE_BYTE, TYPE_WORD, TYPE_SIGNED_BYTE, TYPE_SIGNED_WORD,
                                         TYPE_ASCII_CHARACTER, TYPE_UNICODE_CHARACTER};
    for (int type = 0; type < STD_VALUE_TYPE_COUNT; ++type) {
        const bool has = std::find(withValues.begin(), withValues.end(), type) != withValues.end();
        EXPECT_EQ(Value(type) != kEofValueText, has) << type << " " << Value(type).toStdString();
        EXPECT_EQ(Editable(type), has) << type;
    }
    EXPECT_EQ(Value(TYPE_BYTE), "1");
    EXPECT_EQ(Value(TYPE_WORD), "513");

    // The description line follows the selected row.
    Select(TYPE_DWORD);
    auto* description = page->findChild<QLabel*>();
    ASSERT_NE(description, nullptr);
    EXPECT_EQ(description->text(), "Data Type = \"DWord\", Size = 4 bytes.");
    page->List().SetCurrentRow(model.index(1, 0));
    EXPECT_TRUE(description->text().startsWith("Displays the data at the current position as custom data types"));

    // Without a view every value is empty and nothing is editable.
    page->Refresh(nullptr, false);
    for (int type = 0; type < STD_VALUE_TYPE_COUNT; ++type) {
        EXPECT_TRUE(Value(type).isEmpty()) << type;
        EXPECT_FALSE(Editable(type)) << type;
    }
}

TEST_F(DataView, EditingAStandardValueOverwritesAtTheCaretAndUndoRestoresIt)
{
    const QByteArray original = QByteArray::fromHex("1122334455667788");
    Show(original, 2);
    Select(TYPE_WORD);
    TypeValue(QStringLiteral("0x4142"), Qt::Key_Return);
    EXPECT_EQ(FileBytes(), QByteArray::fromHex("1122424155667788"));
    EXPECT_EQ(messages.Count(), 0) << messages.Last().toStdString();
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(Value(TYPE_WORD), "16706");
    EXPECT_EQ(view->Caret().Offset(), 2);

    ASSERT_TRUE(view->Edits().Undo());
    EXPECT_EQ(FileBytes(), original);
}

TEST_F(DataView, AsciiCharacterTakesANumberAndRefusesACharacter)
{
    const QByteArray original = QByteArray::fromHex("00000000");
    Show(original, 1);
    Select(TYPE_ASCII_CHARACTER);
    TypeValue(QStringLiteral("x"));
    EXPECT_EQ(messages.Last(), "The text \"x\" could not be converted to the data type ASCII Character.");
    EXPECT_EQ(FileBytes(), original);
    EXPECT_FALSE(doc->IsModified());

    TypeValue(QStringLiteral("65"));
    EXPECT_EQ(FileBytes(), QByteArray::fromHex("00410000"));
    EXPECT_EQ(Value(TYPE_ASCII_CHARACTER), "65 'A'");
}

TEST_F(DataView, BadTextGivesTheMessageAndLeavesTheDocumentAlone)
{
    const QByteArray original = QByteArray::fromHex("0102030405060708");
    Show(original, 0);
    const struct {
        int type;
        QString text;
        const char* typeName;
    } cases[] = {
        {TYPE_BYTE, QString(), "Byte"},
        {TYPE_BYTE, QStringLiteral("256"), "Byte"},
        {TYPE_DWORD, QString(3000, u'9'), "DWord"},
        {TYPE_WORD, QStringLiteral("twelve"), "Word"},
        {TYPE_UNICODE_CHARACTER, QString(1, QChar(0xDC00)), "Unicode Character"},
        {TYPE_DOUBLE, QStringLiteral("1e999"), "Double"},
    };
    for (const auto& c : cases) {
        messages.Clear();
        Select(c.type);
        TypeValue(c.text);
        EXPECT_EQ(messages.Count(), 1) << c.type;
        EXPECT_EQ(messages.Last(),
                  QString("The text \"%1\" could not be converted to the data type %2.").arg(c.text, c.typeName))
            << c.type;
        EXPECT_EQ(FileBytes(), original) << c.type;
    }
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(doc->CanUndo());
}

TEST_F(DataView, AReadOnlyDocumentShowsValuesButRefusesEditing)
{
    const QByteArray original = QByteArray::fromHex("4142434445464748");
    Open(original);
    doc->SetReadOnly(true);
    view->CaretControl().SetCaret(0, CaretMode::Move);
    page = std::make_unique<CDataViewDlg>(ValueTypes(), range);
    page->show();
    page->Refresh(view.get(), true);
    EXPECT_EQ(Value(TYPE_BYTE), "65");
    Select(TYPE_BYTE);
    QTest::keyClick(page->List().List(), Qt::Key_F2);
    EXPECT_FALSE(page->List().IsEditing());
    EXPECT_FALSE(page->List().EditCurrentRow());
    EXPECT_EQ(FileBytes(), original);
}

TEST_F(DataView, BigEndianAndHexadecimalComeFromTheContextMenu)
{
    Show(QByteArray::fromHex("0102"), 0);
    EXPECT_EQ(Value(TYPE_WORD), "513");
    QMenu& menu = page->ContextMenu();
    const QList<QAction*> actions = menu.actions();
    QStringList texts;
    for (QAction* action : actions)
        if (!action->isSeparator())
            texts << action->text();
    EXPECT_EQ(texts, (QStringList{"&Hide Data Inspector Window", "&Data Types...", "He&xadecimal",
                                  "&Big Endian (Non-Intel)", "&Copy Values"}));

    int requests = 0;
    QObject::connect(page.get(), &CDataViewDlg::refreshRequested, [&] { ++requests; });
    // Opened from the keyboard in the list, the menu stands at (5, 5) of the
    // page with its check marks.
    QWidget* list = page->List().List();
    QContextMenuEvent keyboard(QContextMenuEvent::Keyboard, QPoint(100, 100), list->mapToGlobal(QPoint(100, 100)));
    QApplication::sendEvent(list, &keyboard);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.pos(), page->mapToGlobal(QPoint(5, 5)));
    EXPECT_FALSE(actions[4]->isChecked());
    actions[4]->trigger();  // Big Endian
    menu.hide();
    EXPECT_EQ(requests, 1);
    page->Refresh(view.get(), false);
    EXPECT_EQ(Value(TYPE_WORD), "258");
    actions[3]->trigger();  // Hexadecimal
    page->Refresh(view.get(), false);
    EXPECT_EQ(Value(TYPE_WORD), "0x102");
    QApplication::sendEvent(list, &keyboard);
    EXPECT_TRUE(actions[3]->isChecked());
    EXPECT_TRUE(actions[4]->isChecked());
    menu.hide();

    AppSettings saved;
    page->SaveSettings(saved);
    EXPECT_TRUE(saved.dataHexadecimal);
    EXPECT_TRUE(saved.dataBigEndian);
}

TEST_F(DataView, CopyValuesPutsEachVisibleValueOnALineOfItsOwn)
{
    ValueTypes().ApplyHiddenTypes(QStringLiteral("Word{@::}2"));
    Show(QByteArray::fromHex("41000000"), 0);
    const QString text = page->ValuesText();
    const QStringList lines = text.split(u'\n');
    ASSERT_EQ(lines.size(), STD_VALUE_TYPE_COUNT) << "eleven visible types and the empty text after the last line";
    EXPECT_EQ(lines[0], "Byte\t65");
    EXPECT_EQ(lines[1], "DWord\t65") << "the hidden Word is left out";
    EXPECT_EQ(lines[2], "QWord\t<EOF>");
    page->ContextMenu().actions().last()->trigger();
    EXPECT_EQ(platform::ClipboardText().value_or(QByteArray()), text.toUtf8());
}

TEST_F(DataView, TheSelectedValuesBytesAreHighlightedWhileTheListHasTheFocus)
{
    Show(Counting(64), 8);
    const RowLayout& l = view->Geometry();
    const int hexX = l.Px(l.hexX);
    auto colourOf = [&](const QImage& image, int byte) {
        return image.pixelColor(Cell(hexX, l.HexCellOfByte(byte), 0).topLeft());
    };
    Select(TYPE_DWORD);
    EXPECT_EQ(range.RangeFor(*doc), (std::pair<int64_t, int64_t>(8, 12)));
    QImage image = Grab();
    for (int b = 8; b < 12; ++b)
        EXPECT_EQ(colourOf(image, b), kDataBackground) << b;
    EXPECT_EQ(colourOf(image, 7), kBackground);
    EXPECT_EQ(colourOf(image, 12), kBackground);

    // Another row moves the highlight; a group row removes it.
    page->List().SetCurrentRow(page->RowOfType(TYPE_WORD));
    image = Grab();
    EXPECT_EQ(colourOf(image, 9), kDataBackground);
    EXPECT_EQ(colourOf(image, 10), kBackground);
    page->List().SetCurrentRow(page->List().Model().index(0, 0));
    EXPECT_EQ(range.RangeFor(*doc), (std::pair<int64_t, int64_t>(0, 0)));
    EXPECT_EQ(colourOf(Grab(), 8), kBackground);

    // Losing the focus removes it too.
    page->List().SetCurrentRow(page->RowOfType(TYPE_DWORD));
    EXPECT_EQ(colourOf(Grab(), 8), kDataBackground);
    QLineEdit elsewhere;
    elsewhere.show();
    QApplication::setActiveWindow(&elsewhere);
    elsewhere.setFocus();
    Settle();
    EXPECT_EQ(range.RangeFor(*doc), (std::pair<int64_t, int64_t>(0, 0)));
    EXPECT_EQ(colourOf(Grab(), 8), kBackground);
}

// ---------------------------------------------------------------- custom types

// Two module types: one that writes its text, and one whose format writes
// nothing at all (a module failing), listed after it.
void WriteText(const uint8_t* data, char16_t* text, int32_t, int32_t)
{
    const char16_t* source = data[0] ? u"GARBAGE-FROM-BEFORE" : u"zero";
    while ((*text++ = *source++) != 0) {
    }
}
void WriteNothing(const uint8_t*, char16_t*, int32_t, int32_t) {}
int32_t ParseNothing(const char16_t*, uint8_t*, int32_t, int32_t*) { return 0; }

TEST_F(DataView, AModuleTypeWhoseFormatFailsShowsAnEmptyValue)
{
    const TypeRecord wordy{u"Wordy", 1, 32, WriteText, ParseNothing, nullptr};
    const TypeRecord silent{u"Silent", 1, 32, WriteNothing, ParseNothing, nullptr};
    CustomTypeScratch scratch{std::vector<uint8_t>(16), std::vector<char16_t>(33)};
    std::vector<std::unique_ptr<ValueType>> customs;
    customs.push_back(std::make_unique<CCustomType>(wordy, "test.vtt", QString(), scratch));
    customs.push_back(std::make_unique<CCustomType>(silent, "test.vtt", QString(), scratch));
    ValueTypes().SetCustomTypes(std::move(customs));
    Show(QByteArray::fromHex("01"), 0);
    EXPECT_EQ(Value(12), "GARBAGE-FROM-BEFORE");
    EXPECT_EQ(Value(13), "");
    // A module type that refuses the text is reported like a standard one.
    Select(13);
    TypeValue(QStringLiteral("anything"));
    EXPECT_EQ(messages.Last(), "The text \"anything\" could not be converted to the data type Silent.");
    EXPECT_EQ(FileBytes(), QByteArray::fromHex("01"));
}

TEST_F(DataView, EditingAModuleValueWritesItsBytesAndUndoRestoresThem)
{
    TypeExtensions modules(ValueTypes(), QStringLiteral(VANTREL_MODULE_BIN_DIR));
    modules.Load();
    const int boolType = ValueTypes().Find(u"Windows BOOL", 4);
    ASSERT_GE(boolType, STD_VALUE_TYPE_COUNT) << "the data-type module was not found";
    const QByteArray original = QByteArray::fromHex("AA00000000BB");
    Show(original, 1);
    EXPECT_EQ(Value(boolType), "FALSE");
    Select(boolType);
    TypeValue(QStringLiteral("TRUE"), Qt::Key_Enter);
    EXPECT_EQ(messages.Count(), 0) << messages.Last().toStdString();
    EXPECT_EQ(FileBytes(), QByteArray::fromHex("AA01000000BB"));
    EXPECT_EQ(Value(boolType), "TRUE");
    ASSERT_TRUE(view->Edits().Undo());
    EXPECT_EQ(FileBytes(), original);
    page.reset();
    ValueTypes().ClearCustomTypes();
}

// The additional type module reaches the page and the structure editor
// through the registry alone, the way an outside author's module would.
TEST_F(DataView, TheAdditionalModulesTypesAreRowsHereAndMemberTypesInTheStructureEditor)
{
    TypeExtensions modules(ValueTypes(), QStringLiteral(VANTREL_MODULE_BIN_DIR));
    modules.Load();
    Show(QByteArray::fromHex("73ca176b7f000001"), 0);
    const struct {
        const char* name;
        int size;
        const char* value;  // of the bytes at the caret
    } added[] = {
        {"Unix Time (32-bit)", 4, "2026-12-08 09:14:27Z"}, {"IPv4 Address", 4, "115.202.23.107"},
        {"RGB Color", 3, "#73CA17"}, {"Binary Byte", 1, "01110011"}, {"UInt24", 3, "1559155"},
    };
    StructureCollection collection;
    CEditStructureDlg editor(collection, ValueTypes(), -1, ui);
    QStringList memberTypes;
    for (int i = 0; i < editor.TypeBox()->count(); ++i)
        memberTypes << editor.TypeBox()->itemText(i);
    for (const auto& type : added) {
        const int index = ValueTypes().Find(QString::fromLatin1(type.name), type.size);
        ASSERT_GE(index, STD_VALUE_TYPE_COUNT) << type.name << ": the module was not found";
        EXPECT_EQ(Value(index), QLatin1String(type.value)) << type.name;
        EXPECT_TRUE(memberTypes.contains(QStringLiteral("%1 (%2 bytes)").arg(QLatin1String(type.name)).arg(type.size)) ||
                    memberTypes.contains(QStringLiteral("%1 (1 byte)").arg(QLatin1String(type.name))))
            << type.name << " is missing from the editor's type list";
    }
    page.reset();
    ValueTypes().ClearCustomTypes();
}

// ---------------------------------------------------------------- Data Types dialog

TEST_F(DataView, TheDataTypesDialogHidesExactlyTheUntickedTypes)
{
    CTypextsDlg dialog(ValueTypes());
    QListWidget& list = dialog.TypeList();
    EXPECT_EQ(dialog.windowTitle(), "Data Types");
    ASSERT_EQ(list.count(), ValueTypes().Count());
    EXPECT_EQ(list.currentRow(), 0);
    EXPECT_EQ(dialog.DescriptionText(), "Data type Byte (1 byte). This is a standard data type implemented in Vantrel.exe.");
    list.setCurrentRow(3);
    EXPECT_TRUE(dialog.DescriptionText().startsWith("Data type QWord (8 bytes)."));

    dialog.findChild<QPushButton*>("UnselectAll")->click();
    for (int row = 0; row < list.count(); ++row)
        EXPECT_EQ(list.item(row)->checkState(), Qt::Unchecked);
    dialog.findChild<QPushButton*>("SelectAll")->click();
    list.item(TYPE_BYTE)->setCheckState(Qt::Unchecked);
    list.item(TYPE_QWORD)->setCheckState(Qt::Unchecked);

    dialog.reject();
    EXPECT_EQ(ValueTypes().HiddenTypesText(), "");
    dialog.accept();
    EXPECT_EQ(ValueTypes().HiddenTypesText(), "Byte{@::}1{@::}QWord{@::}8");

    // The page leaves the hidden rows out once rebuilt; a new dialog ticks the rest.
    Show(Counting(16), 0);
    EXPECT_FALSE(page->RowOfType(TYPE_BYTE).isValid());
    EXPECT_FALSE(page->RowOfType(TYPE_QWORD).isValid());
    EXPECT_TRUE(page->RowOfType(TYPE_WORD).isValid());
    CTypextsDlg again(ValueTypes());
    EXPECT_EQ(again.TypeList().item(TYPE_BYTE)->checkState(), Qt::Unchecked);
    EXPECT_EQ(again.TypeList().item(TYPE_WORD)->checkState(), Qt::Checked);
}

TEST_F(DataView, TheDialogRunsThroughTheUserInterfaceAndReportsWhetherOkWasPressed)
{
    ui.Then([](QDialog& dialog) {
        static_cast<CTypextsDlg&>(dialog).SetAllTicked(false);
        dialog.reject();
        return int(QDialog::Rejected);
    });
    EXPECT_FALSE(RunDataTypesDialog(nullptr, ValueTypes(), ui));
    EXPECT_EQ(ValueTypes().HiddenTypesText(), "");
    ui.Then([](QDialog& dialog) {
        static_cast<CTypextsDlg&>(dialog).TypeList().item(TYPE_DOUBLE)->setCheckState(Qt::Unchecked);
        dialog.accept();
        return int(QDialog::Accepted);
    });
    EXPECT_TRUE(RunDataTypesDialog(nullptr, ValueTypes(), ui));
    EXPECT_EQ(ValueTypes().HiddenTypesText(), "Double{@::}8");
}

} // namespace

namespace {

TEST_F(DataView, TheDividerIsDraggedWithTheMouseAndReported)
{
    Show(Counting(16), 0);
    CTreeList& list = page->List();
    list.SetDividerPos(120);
    QWidget* viewport = list.List()->viewport();
    std::vector<int> moves;
    QObject::connect(&list, &CTreeList::dividerMoved, [&](int pixels) { moves.push_back(pixels); });
    const int y = list.List()->visualRect(page->RowOfType(TYPE_WORD)).center().y();
    QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(121, y));
    QMouseEvent move(QEvent::MouseMove, QPointF(180, y), viewport->mapToGlobal(QPointF(180, y)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(180, y));
    EXPECT_EQ(list.DividerPos(), 180);
    EXPECT_EQ(moves, std::vector<int>{180});
    // Pressing away from the divider selects a row instead.
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(40, y));
    EXPECT_EQ(list.DividerPos(), 180);
    EXPECT_EQ(list.CurrentRow(), page->RowOfType(TYPE_WORD));
    AppSettings saved;
    page->SaveSettings(saved);
    EXPECT_EQ(saved.dataSplitterPos, 180);
}

} // namespace

namespace {

// With the divider never placed by the user, the name column is as wide as
// the longest type name, so the values get the rest of the page; a divider
// the user dragged is kept.
TEST_F(DataView, TheDividerStartsWhereTheLongestTypeNameEnds)
{
    Show(QByteArray::fromHex("0011223344556677889900AABBCCDDEEFF"), 0);
    // Narrow enough that a divider at the setting's 200 pixels cuts the dates off.
    page->resize(330, 520);
    page->LoadSettings(AppSettings());  // a first start: the setting's default
    Settle();
    CTreeList& list = page->List();
    QTreeView* tree = list.List();
    const int divider = list.DividerPos();
    int longestName = 0;
    int shownValues = 0;
    for (int type = 0; type < ValueTypes().Count(); ++type) {
        const QModelIndex name = page->RowOfType(type);
        if (!name.isValid())
            continue;
        const QRect nameCell = tree->visualRect(name);
        longestName = std::max(longestName, nameCell.left() + tree->sizeHintForIndex(name).width());
        // Every value is shown whole beside its name.
        const QModelIndex value = name.siblingAtColumn(CTreeListModel::kValueColumn);
        const QRect valueCell = tree->visualRect(value);
        EXPECT_GE(valueCell.width(), tree->sizeHintForIndex(value).width())
            << ValueTypes().At(type).Name().toStdString() << ": " << value.data().toString().toStdString();
        ++shownValues;
    }
    EXPECT_GT(shownValues, 10);
    EXPECT_EQ(divider, longestName);
    AppSettings saved;
    page->SaveSettings(saved);
    EXPECT_EQ(saved.dataSplitterPos, AppSettings().dataSplitterPos) << "still the user's to place";

    AppSettings dragged;
    dragged.dataSplitterPos = 150;
    page->LoadSettings(dragged);
    page->Refresh(view.get(), true);
    EXPECT_EQ(list.DividerPos(), 150);
    page->SaveSettings(saved);
    EXPECT_EQ(saved.dataSplitterPos, 150);
}

} // namespace

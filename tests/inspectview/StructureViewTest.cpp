// The Structure View page on a real hex view: rows named and filled from
// the layout, variable arrays following the data, editing values and
// character strings through the real list, descriptions in both offset
// radixes, the chooser following a structure that no longer exists, the
// context menu, the highlight, "Copy Structure", and arrays too large to
// make rows for.
#include "MessageRecorder.h"
#include "TestFiles.h"
#include "core/BinEditDoc.h"
#include "ViewTestSupport.h"
#include "inspect/StructureCollection.h"
#include "inspect/StructureFile.h"
#include "inspect/StructureLayout.h"
#include "types/ValueTypeRegistry.h"
#include "inspectview/CaretStructureBytes.h"
#include "inspectview/DataViewDlg.h"
#include "inspectview/StructureViewDlg.h"
#include "platform/Clipboard.h"
#include "tools/RegistryValue.h"
#include "types/StdValueType.h"
#include "view/CaretController.h"
#include "view/EditCommands.h"
#include "view/InspectedRange.h"
#include "view/ViewClipboard.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <functional>

namespace {

StructureMember Scalar(const char* name, TypeRef type) { return {QString::fromLatin1(name), type, false, 1, false, 0}; }
StructureMember Fixed(const char* name, TypeRef type, int32_t length) { return {QString::fromLatin1(name), type, true, length, false, 0}; }
StructureMember Variable(const char* name, TypeRef type, int32_t lengthMember)
{
    return {QString::fromLatin1(name), type, true, 1, true, lengthMember};
}

void Settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

class StructureView : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        settings.offsetFormat = 0;
    }

    void TearDown() override
    {
        page.reset();
        ViewTest::TearDown();
    }

    // The view's offset column, which the descriptions follow, in this radix.
    void ShowOffsets(int offsetFormat)
    {
        settings.offsetFormat = offsetFormat;
        view->Relayout(false);
    }

    // A file of these bytes with the caret at caret, and the page laying the
    // collection's structures over it.
    void Show(const QByteArray& bytes, int32_t caret, const AppSettings& pageSettings = AppSettings())
    {
        Open(bytes, QSize(700, 300));
        view->CaretControl().SetCaret(caret, CaretMode::Move);
        page = std::make_unique<CStructureViewDlg>(structures, ValueTypes(), range);
        page->LoadSettings(pageSettings);
        page->resize(420, 520);
        page->show();
        page->Refresh(view.get(), true);
        Settle();
    }

    const CTreeListModel& Model() const { return page->List().Model(); }
    QModelIndex Root() const { return Model().index(0, 0); }
    // The row at a path of child positions from the root.
    QModelIndex At(std::initializer_list<int> path) const
    {
        QModelIndex row = Root();
        for (int position : path)
            row = Model().index(position, 0, row);
        return row;
    }
    QString Name(const QModelIndex& row) const { return Model().Row(row).name; }
    QString Value(const QModelIndex& row) const { return Model().Row(row).value; }
    QStringList Children(const QModelIndex& row, bool values = false) const
    {
        QStringList texts;
        for (int i = 0; i < Model().rowCount(row); ++i)
            texts << (values ? Value(Model().index(i, 0, row)) : Name(Model().index(i, 0, row)));
        return texts;
    }

    void Select(const QModelIndex& row)
    {
        page->activateWindow();
        QApplication::setActiveWindow(page.get());
        page->List().List()->setFocus();
        page->List().SetCurrentRow(row);
        Settle();
    }

    // F2, the text, Enter, as a user types into the selected row.
    void TypeValue(const QString& text)
    {
        QTreeView* list = page->List().List();
        QTest::keyClick(list, Qt::Key_F2);
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, list) << "no editor opened";
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(editor, Qt::Key_Delete);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        Settle();
    }

    CInspectedRange range;
    MessageRecorder messages;
    StructureCollection structures;  // what the page lays over the bytes
    std::unique_ptr<CStructureViewDlg> page;
};

TEST_F(StructureView, AVariableArrayGrowsAndShrinksWithItsLengthMember)
{
    structures.Add({"Counted", 0, {Scalar("count", TYPE_WORD), Variable("data", TYPE_BYTE, 0)}});
    AppSettings expand;
    expand.structExpandArrays = true;
    Show(QByteArray::fromHex("0300414243"), 0, expand);
    EXPECT_EQ(Name(Root()), "Counted");
    EXPECT_EQ(Children(Root()), (QStringList{"count", "data[count]"}));
    EXPECT_EQ(Value(At({0})), "3");
    EXPECT_EQ(Value(At({1})), "Byte[]");
    EXPECT_TRUE(page->List().List()->isExpanded(At({1})));
    EXPECT_EQ(Children(At({1})), (QStringList{"data[0]", "data[1]", "data[2]"}));
    EXPECT_EQ(Children(At({1}), true), (QStringList{"65", "66", "67"}));

    // Five elements, of which the file holds none past its end.
    view->Clipboard().OverwriteRange(0, "\x05", 1);
    view->CaretControl().SetCaret(0, CaretMode::Move);
    page->Refresh(view.get(), false);
    EXPECT_EQ(Children(At({1}), true), (QStringList{"65", "66", "67", "<EOF>", "<EOF>"}));
    EXPECT_FALSE(Model().Row(At({1, 4})).editable) << "<EOF> rows are read-only";
    EXPECT_TRUE(Model().Row(At({1, 2})).editable);

    view->Clipboard().OverwriteRange(0, "\x01", 1);
    page->Refresh(view.get(), false);
    EXPECT_EQ(Children(At({1})), (QStringList{"data[0]"}));

    // With the caret on the last byte the length member is past the end:
    // one element.
    view->CaretControl().SetCaret(4, CaretMode::Move);
    page->Refresh(view.get(), false);
    EXPECT_EQ(Value(At({0})), "<EOF>");
    EXPECT_EQ(Children(At({1}), true), (QStringList{"<EOF>"}));
}

TEST_F(StructureView, ArraysStartCollapsedUnlessAskedAndOpenWithTheirElements)
{
    structures.Add({"Counted", 0, {Scalar("count", TYPE_WORD), Variable("data", TYPE_BYTE, 0)}});
    Show(QByteArray::fromHex("0300414243"), 0);
    QTreeView* list = page->List().List();
    EXPECT_FALSE(list->isExpanded(At({1})));
    list->expand(At({1}));
    Settle();
    EXPECT_EQ(Children(At({1}), true), (QStringList{"65", "66", "67"}));

    // The toggle asks for a rebuild, after which arrays start open.
    QSignalSpy requests(page.get(), &CStructureViewDlg::refreshRequested);
    page->ContextMenu().actions().at(3)->trigger();
    ASSERT_EQ(requests.count(), 1);
    EXPECT_TRUE(requests.at(0).at(0).toBool());
    page->Refresh(view.get(), true);
    EXPECT_TRUE(list->isExpanded(At({1})));
}

TEST_F(StructureView, TypingIntoAFixedCharacterArrayWritesTheTextAndOneZeroAtMost)
{
    structures.Add({"Named", 0, {Fixed("name", TYPE_ASCII_CHARACTER, 8), Scalar("after", TYPE_BYTE)}});
    Show(QByteArray("xxxxxxxxy"), 0);
    EXPECT_EQ(Name(At({0})), "name[8]");
    EXPECT_EQ(Value(At({0})), "xxxxxxxx");
    Select(At({0}));
    TypeValue("Hi");
    EXPECT_EQ(FileBytes(), QByteArray("Hi\0xxxxxy", 9));
    EXPECT_EQ(Value(At({0})), "Hi");
    TypeValue("ABCDEFGHIJ");
    EXPECT_EQ(FileBytes(), QByteArray("ABCDEFGHy")) << "only the array's 8 bytes";
    EXPECT_EQ(Value(At({0})), "ABCDEFGH");
    // Each edit is one undo step.
    ASSERT_TRUE(view->Edits().Undo());
    EXPECT_EQ(FileBytes(), QByteArray("Hi\0xxxxxy", 9));
    ASSERT_TRUE(view->Edits().Undo());
    EXPECT_EQ(FileBytes(), QByteArray("xxxxxxxxy"));
}

TEST_F(StructureView, UnicodeTextIsWrittenInThePagesByteOrder)
{
    structures.Add({"Wide", 0, {Fixed("text", TYPE_UNICODE_CHARACTER, 3)}});
    AppSettings bigEndian;
    bigEndian.structBigEndian = true;
    Show(QByteArray(8, '\x7f'), 0, bigEndian);
    Select(At({0}));
    TypeValue("Hi");
    EXPECT_EQ(FileBytes(), QByteArray::fromHex("004800690000") + QByteArray(2, '\x7f'));
    EXPECT_EQ(Value(At({0})), "Hi");
}

TEST_F(StructureView, ValuesAreEditedInPlaceAndBadTextIsRefused)
{
    structures.Add({"S", 0, {Scalar("w", TYPE_WORD), Scalar("c", TYPE_ASCII_CHARACTER)}});
    Show(QByteArray::fromHex("000041"), 0);
    Select(At({0}));
    TypeValue("513");
    EXPECT_EQ(FileBytes(), QByteArray::fromHex("010241"));
    TypeValue("twelve");
    EXPECT_EQ(messages.Last(), "The text \"twelve\" could not be converted to the data type Word.");
    EXPECT_EQ(FileBytes(), QByteArray::fromHex("010241"));
    // A character edits as its number.
    Select(At({1}));
    TypeValue("66");
    EXPECT_EQ(FileBytes(), QByteArray::fromHex("010242"));
}

TEST_F(StructureView, DescriptionsGiveTypeOffsetAndSizeInTheViewsOffsetRadix)
{
    const int inner = structures.Add({"Pair", 0, {Scalar("x", TYPE_BYTE), Scalar("y", TYPE_BYTE)}});
    structures.Add({"Rec", 0,
                      {Scalar("a", TYPE_BYTE), Scalar("b", TYPE_BYTE), Scalar("c", TYPE_WORD), Scalar("d", TYPE_DWORD),
                       Fixed("e", TYPE_WORD, 10), Fixed("p", StructureRef(inner), 2)}});
    AppSettings settings;
    settings.structCurrent = "Rec";
    Show(QByteArray(64, '\0'), 0, settings);
    struct Case {
        QModelIndex row;
        int offsetFormat;
        QString text;
    } cases[] = {
        {At({3}), 0, R"(Data Type = "DWord", Offset = 4, Size = 4 bytes.)"},
        {At({3}), 1, R"(Data Type = "DWord", Offset = 0x4, Size = 4 bytes.)"},
        {At({0}), 0, R"(Data Type = "Byte", Offset = 0, Size = 1 byte.)"},
        {At({4}), 1, R"(Data Type = Array of type "Word" (2 bytes each), Offset = 0x8, Size = 20 bytes.)"},
        {At({5}), 0, R"(Data Type = Array of structure "Pair", Offset = 28, Size = 4 bytes.)"},
        {Root(), 1, R"(Data Type = Structure "Rec", Offset = 0x0, Size = 32 bytes.)"},
    };
    for (const Case& c : cases) {
        ShowOffsets(c.offsetFormat);
        page->List().SetCurrentRow(QModelIndex());
        page->List().SetCurrentRow(c.row);
        EXPECT_EQ(Model().Row(c.row).description, c.text);
    }
    // A structure element's description, once its array is opened.
    page->List().List()->expand(At({5}));
    Settle();
    ShowOffsets(0);
    page->List().SetCurrentRow(At({5, 1}));
    EXPECT_EQ(Model().Row(At({5, 1})).description, R"(Data Type = Structure "Pair", Offset = 30, Size = 2 bytes.)");
}

TEST_F(StructureView, TheChooserIsSortedAndACurrentNameThatIsGoneGivesWayToTheFirst)
{
    for (const char* name : {"Zeta", "alpha", "Beta"})
        structures.Add({name, 0, {Scalar("v", TYPE_BYTE)}});
    AppSettings settings;
    settings.structCurrent = "Gone";
    Show(QByteArray(4, '\0'), 0, settings);
    QComboBox& chooser = page->Chooser();
    QStringList names;
    for (int i = 0; i < chooser.count(); ++i)
        names << chooser.itemText(i);
    EXPECT_EQ(names, (QStringList{"alpha", "Beta", "Zeta"}));
    EXPECT_EQ(chooser.itemData(2).toInt(), 0) << "each entry remembers its collection index";
    EXPECT_EQ(page->Current(), "alpha");
    EXPECT_EQ(Name(Root()), "alpha");

    QSignalSpy requests(page.get(), &CStructureViewDlg::refreshRequested);
    chooser.setCurrentIndex(2);
    EXPECT_EQ(page->Current(), "Zeta");
    EXPECT_EQ(Name(Root()), "Zeta");
    EXPECT_EQ(requests.count(), 1);
    AppSettings saved;
    page->SaveSettings(saved);
    EXPECT_EQ(saved.structCurrent, "Zeta");

    // Deleting the shown structure: the next rebuild falls back again.
    structures.Delete(0);
    page->Refresh(view.get(), true);
    EXPECT_EQ(page->Current(), "alpha");
    structures.Clear();
    page->Refresh(view.get(), true);
    EXPECT_EQ(chooser.count(), 0);
    EXPECT_EQ(Model().rowCount(), 0);
}

TEST_F(StructureView, TheContextMenuHasItsCommandsAndChecksItsToggles)
{
    structures.Add({"S", 0, {Scalar("w", TYPE_WORD)}});
    Show(QByteArray::fromHex("0102"), 0);
    QMenu& menu = page->ContextMenu();
    EXPECT_EQ(menu.title(), "Structure View");
    const QList<QAction*> actions = menu.actions();
    QStringList texts;
    for (QAction* action : actions)
        if (!action->isSeparator())
            texts << action->text();
    EXPECT_EQ(texts, (QStringList{"&Hide Data Inspector Window", "&Structures...", "&Automatically Expand Arrays",
                                  "He&xadecimal", "&Big Endian (Non-Intel)", "&Copy Structure"}));
    QSignalSpy structures(page.get(), &CStructureViewDlg::structuresRequested);
    actions[1]->trigger();
    EXPECT_EQ(structures.count(), 1);

    actions[4]->trigger();  // Hexadecimal
    actions[5]->trigger();  // Big Endian
    page->Refresh(view.get(), false);
    EXPECT_EQ(Value(At({0})), "0x102");
    QWidget* list = page->List().List();
    QContextMenuEvent keyboard(QContextMenuEvent::Keyboard, QPoint(90, 90), list->mapToGlobal(QPoint(90, 90)));
    QApplication::sendEvent(list, &keyboard);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.pos(), page->mapToGlobal(QPoint(5, 5)));
    EXPECT_FALSE(actions[3]->isChecked());
    EXPECT_TRUE(actions[4]->isChecked());
    EXPECT_TRUE(actions[5]->isChecked());
    menu.hide();
}

TEST_F(StructureView, TheSelectedRowsBytesAreHighlightedWhileTheListHasTheFocus)
{
    structures.Add({"S", 2, {Scalar("a", TYPE_BYTE), Scalar("b", TYPE_DWORD), Fixed("e", TYPE_BYTE, 0 + 3)}});
    Show(Counting(32), 8);
    Select(At({1}));
    EXPECT_EQ(range.RangeFor(*doc), (std::pair<int64_t, int64_t>(12, 16)));
    page->List().SetCurrentRow(At({2}));
    EXPECT_EQ(range.RangeFor(*doc), (std::pair<int64_t, int64_t>(16, 19)));
    page->List().SetCurrentRow(Root());
    EXPECT_EQ(range.RangeFor(*doc), (std::pair<int64_t, int64_t>(8, 19)));
    QLineEdit elsewhere;
    elsewhere.show();
    QApplication::setActiveWindow(&elsewhere);
    elsewhere.setFocus();
    Settle();
    EXPECT_EQ(range.RangeFor(*doc), (std::pair<int64_t, int64_t>(0, 0)));
}

TEST_F(StructureView, CopyStructureCopiesTheShownRowsWithOffsetsAndSizesInThePageRadix)
{
    structures.Add({"Hdr", 0, {Scalar("n", TYPE_BYTE), Fixed("v", TYPE_WORD, 2), Fixed("t", TYPE_ASCII_CHARACTER, 2)}});
    Show(QByteArray::fromHex("0a01000200414200"), 0);
    EXPECT_EQ(page->StructureText(), "Hdr\t\t0\t7\n"
                                     "  n\t10\t0\t1\n"
                                     "  v[2]\tWord[]\t1\t4\n"
                                     "  t[2]\tAB\t5\t2\n");
    page->List().List()->expand(At({1}));
    Settle();
    page->ContextMenu().actions().at(4)->trigger();  // Hexadecimal
    page->Refresh(view.get(), false);
    const QString expected = "Hdr\t\t0x0\t0x7\n"
                             "  n\t0xA\t0x0\t0x1\n"
                             "  v[2]\tWord[]\t0x1\t0x4\n"
                             "    v[0]\t0x1\t0x1\t0x2\n"
                             "    v[1]\t0x2\t0x3\t0x2\n"
                             "  t[2]\tAB\t0x5\t0x2\n";
    EXPECT_EQ(page->StructureText(), expected);
    page->ContextMenu().actions().at(7)->trigger();  // Copy Structure
    EXPECT_EQ(platform::ClipboardText().value_or(QByteArray()), expected.toUtf8());
}

TEST_F(StructureView, HugeArraysMakeRowsOnlyForWhatIsShown)
{
    const int row = structures.Add({"Row", 2, {Fixed("cells", TYPE_DWORD, 32767)}});
    structures.Add({"Grid", 0, {Scalar("tag", TYPE_BYTE), Fixed("rows", StructureRef(row), 32767)}});
    AppSettings settings;
    settings.structCurrent = "Grid";
    settings.structExpandArrays = true;
    QByteArray bytes(4096, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i / 4);
    Show(bytes, 0, settings);
    const QModelIndex rows = At({1});
    EXPECT_EQ(Name(rows), "rows[32767]");
    const int made = Model().rowCount(rows);
    EXPECT_GT(made, 0);
    EXPECT_LE(made, 2 * CTreeListModel::kFetchBatch);
    EXPECT_EQ(Model().rowCount(At({1, 0})), 0) << "structure elements wait until opened";

    // Opening an element shows its members, with their array opened.
    page->List().List()->expand(At({1, 0}));
    Settle();
    const QModelIndex cells = At({1, 0, 0});
    EXPECT_EQ(Name(cells), "cells[32767]");
    ASSERT_GT(Model().rowCount(cells), 0);
    // Scrolling to the end of the rows fetches the next batch.
    while (Model().rowCount(cells) <= 300) {
        page->List().Model().fetchMore(cells);
        Settle();
    }
    EXPECT_LT(Model().rowCount(cells), 32767);
    // Element 300 of the first row sits at 4 + 300 * 4.
    EXPECT_EQ(Value(Model().index(300, 0, cells)), QString::number(uint8_t(301) * 0x01010101u));
    ShowOffsets(0);
    page->List().SetCurrentRow(Model().index(5, 0, rows));
    EXPECT_EQ(Model().Row(Model().index(5, 0, rows)).description,
              R"(Data Type = Structure "Row", Offset = 655344, Size = 131068 bytes.)");
}

TEST_F(StructureView, WithoutAViewTheRowsStandEmpty)
{
    structures.Add({"S", 0, {Scalar("w", TYPE_WORD)}});
    Show(QByteArray::fromHex("0102"), 0);
    EXPECT_EQ(Value(At({0})), "513");
    page->Refresh(nullptr, false);
    EXPECT_EQ(Value(At({0})), "");
    EXPECT_FALSE(Model().Row(At({0})).editable);
}

// ---------------------------------------------------------------- hostile collections

// Every row the page has made, however deep.
int MadeRows(const CTreeListModel& model)
{
    int rows = 0;
    std::vector<QModelIndex> pending{QModelIndex()};
    while (!pending.empty()) {
        const QModelIndex parent = pending.back();
        pending.pop_back();
        for (int i = 0; i < model.rowCount(parent); ++i) {
            ++rows;
            pending.push_back(model.index(i, 0, parent));
        }
    }
    return rows;
}

// n structures, each holding the next `times` times; the last holds last.
StructureCollection Nesting(int n, int times, StructureMember last)
{
    StructureCollection c;
    for (int i = 0; i < n - 1; ++i) {
        StructureDef s{QStringLiteral("S%1").arg(i), 0, {}};
        for (int k = 0; k < times; ++k)
            s.members.push_back({QStringLiteral("m%1").arg(k), StructureRef(i + 1), false, 1, false, 0});
        c.Add(std::move(s));
    }
    c.Add({QStringLiteral("S%1").arg(n - 1), 0, {Scalar("n", TYPE_BYTE), last}});
    return c;
}

// Collections the editor could build and the file may hold, which multiply
// or nest beyond what a page of rows can show: each goes through a file and
// the real loader, then the page shows it with a bounded number of rows, and
// what it leaves closed opens on demand, again bounded.
TEST_F(StructureView, HostileButLegalCollectionsShowWithinBounds)
{
    struct Case {
        const char* what;
        StructureCollection collection;
        QString firstLine;  // the root as "Copy Structure" writes it
        bool deepNote;      // the rows reach the nesting shown and say so
    } cases[] = {
        {"a chain of 100,000", Nesting(100000, 1, Scalar("b", TYPE_BYTE)), "S0\t\t0\t2", true},
        // Sizes that the bytes decide are not walked this deep: the root
        // reaches past the file.
        {"a chain of 100,000 ending in a variable array", Nesting(100000, 1, Variable("v", TYPE_BYTE, 0)),
         "S0\t\t0\t" + QString::number(StructureLayout::kUnreached), true},
        {"a diamond of 61, each holding the next twice", Nesting(61, 2, Scalar("b", TYPE_BYTE)), "", false},
        {"a diamond under an array", Nesting(40, 3, Fixed("a", TYPE_WORD, 32767)), "", false},
    };
    QTemporaryDir dir;
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = dir.filePath(QStringLiteral("hostile.str"));
        ASSERT_TRUE(SaveStructureFile(c.collection, path, ValueTypes()));
        structures.Clear();
        ASSERT_TRUE(LoadStructureFile(structures, path, ValueTypes()));
        AppSettings settings;
        settings.structCurrent = QStringLiteral("S0");
        settings.structExpandArrays = true;
        // A chain whose last structure counts 2 elements from its first byte.
        Show(QByteArray::fromHex("02414243"), 0, settings);
        ASSERT_EQ(Name(Root()), "S0");
        EXPECT_LE(MadeRows(Model()), CStructureViewDlg::kRowsPerPass + CTreeListModel::kFetchBatch);
        if (!c.firstLine.isEmpty()) {
            EXPECT_EQ(page->StructureText().section(u'\n', 0, 0), c.firstLine);
        }

        // Down the first member as far as rows were made.
        QModelIndex row = Root();
        int depth = 0;
        while (Model().rowCount(row) > 0) {
            row = Model().index(0, 0, row);
            ++depth;
        }
        if (c.deepNote) {
            EXPECT_EQ(depth, CStructureViewDlg::kMaxShownNesting + 1);
            EXPECT_EQ(Name(row), "...");
            EXPECT_EQ(Value(row), "Structures nested more than 100 levels deep are not shown");
            continue;
        }
        // Where the rows stopped, a structure waits closed; opening it makes
        // its rows, bounded again.
        EXPECT_GT(depth, 5);
        ASSERT_TRUE(Model().hasChildren(row));
        const int before = MadeRows(Model());
        page->List().List()->expand(row);
        Settle();
        EXPECT_GT(Model().rowCount(row), 0);
        EXPECT_LE(MadeRows(Model()) - before, CStructureViewDlg::kRowsPerPass + CTreeListModel::kFetchBatch);
    }
}

} // namespace

namespace {

// A laid-out tree, a line a row: its place and its value.
std::string Describe(const LaidRow& row, const std::string& indent = "")
{
    std::string text = indent + (row.member ? row.member->name.toStdString() : "*") + "[" +
                       std::to_string(row.element) + "] " + std::to_string(row.start) + ".." +
                       std::to_string(row.end) + " " + (row.value.eof ? "<EOF>" : row.value.text.toStdString()) + "\n";
    for (const LaidRow& child : row.children)
        text += Describe(child, indent + "  ");
    return text;
}

} // namespace

// A structure laid over the caret far into a sparse document (its limit
// lifted as the program will lift it) equals the same structure laid over
// the bytes at the caret held in memory; a caret cut to 32 bits would read
// the bytes planted at 5 instead.
TEST(CaretStructureBytes, AStructurePastFourGiBReadsTheBytesAtTheCaret)
{
    StructureCollection structures;
    structures.Add({"Rec", 0,
                    {Scalar("n", TYPE_BYTE), Fixed("v", TYPE_WORD, 2), Fixed("t", TYPE_ASCII_CHARACTER, 2),
                     Scalar("d", TYPE_DWORD), Scalar("q", TYPE_QWORD)}});
    const int64_t size = int64_t(5) << 30, far = (int64_t(1) << 32) + 5;
    const QByteArray record = QByteArray::fromHex("0a0100020041420403020108070605040302010000");
    QTemporaryDir dir;
    WriteSparseFile(dir.filePath("big"), size, {{5, QByteArray(24, '\xff')}, {far, record}, {size - 7, record.left(7)}});
    CBinEditDoc doc;
    doc.Buffer().SetSizeLimit(CFileBuffer::kNoSizeLimit);
    ASSERT_TRUE(doc.OnOpenDocument(dir.filePath("big")));
    for (const int64_t at : {far, size - 7}) {  // the second where the file ends inside the structure
        CBufferPos caret;
        caret.Bind(&doc.Buffer(), false, at);
        const CaretStructureBytes onDisk(caret, doc.Size());
        const MemoryBytes inMemory(record.left(qsizetype(std::min<int64_t>(record.size(), size - at))));
        StructureLayout diskLayout(structures, ValueTypes(), onDisk, false, 10);
        StructureLayout memoryLayout(structures, ValueTypes(), inMemory, false, 10);
        EXPECT_EQ(Describe(LayOutStructure(diskLayout, structures.At(0), 0)),
                  Describe(LayOutStructure(memoryLayout, structures.At(0), 0))) << at;
        EXPECT_EQ(caret.Offset(), at) << "laying out never moves the caret";
    }
}

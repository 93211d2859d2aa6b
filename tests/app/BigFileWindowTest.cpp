// One sparse file of 16 GiB, and one of 1 TiB, through the running program,
// as a user works on it: open, Go To, the Data Inspector, find both ways,
// bookmarks saved and read back, Compare Files against a copy, printing a
// page past 4 GiB, typing in both modes and saving. Known 8-byte patterns lie
// on both sides of the 2^31 and 2^32 boundaries and at the very end, zeros
// elsewhere.
//
// The files live in /tmp, on a disk, where the first read of a hole costs
// the kernel zero-filling (about 400 MB/s here, far less on a busy machine):
// each search starts where the one before matched, so each direction reads
// the 16 GiB file once; over 1 TiB no search crosses more than a GiB of
// holes (see BigFile::reach), as scanning the whole of it would take the better part
// of an hour. Compare Files stops at the first difference, at 2^32 + 5, in
// either size. The saved file is checked whole through its data extents
// rather than by cmp, which takes about 50 s over two 16 GiB files. Typing
// comes after Compare Files and printing, so that those meet the patterns
// where they were planted.
#include "AppTestSupport.h"
#include "TestFiles.h"
#include "app/BinEditFrame.h"
#include "app/InspectorDock.h"
#include "app/StatusPanes.h"
#include "core/BinEditDoc.h"
#include "inspectview/DataViewDlg.h"
#include "tooldialogs/BookmarksDlg.h"
#include "tooldialogs/CompareFilesDlg.h"
#include "tooldialogs/DifferenceFoundDlg.h"
#include "tooldialogs/FindDlg.h"
#include "tooldialogs/FindPages.h"
#include "tooldialogs/GoToDlg.h"
#include "tooldialogs/IntEdit.h"
#include "tools/BookmarkCollection.h"
#include "tools/BookmarkFile.h"
#include "types/StdValueType.h"
#include "view/BinEditView.h"
#include "view/CaretController.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QStandardPaths>
#include <QTest>
#include <QtEndian>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int64_t k2G = int64_t(1) << 31;
constexpr int64_t k4G = int64_t(1) << 32;

struct Planted {
    int64_t offset;
    QByteArray bytes;
};

// The pattern at 2^31 - 1 ends with the first seven bytes of the one at
// 2^31, so both stay whole although they overlap.
std::vector<Planted> PlantedIn(int64_t size)
{
    return {
        {0, "Start@0!"},
        {k2G - 1, "<2GiB-at"},
        {k2G, "2GiB-at!"},
        {k4G + 5, "4GiB+5:X"},
        {size - 8, "LastEnd!"},
    };
}

// What differs between the two sizes, as the user sees it.
struct BigFile {
    const char* name;
    int64_t size;
    QString sizePane;     // the status pane, in hexadecimal
    QString grownPane;    // after one byte is inserted
    QString lastDecimal;  // the last pattern's offset, typed in decimal
    QString lastPane;     // and shown in the position pane
    QString pastEnd;      // a Go To one byte past the end
    // How far before (forward) or after (backward) its pattern a search
    // starts at most: the whole 16 GiB file, but a GiB of the 1 TiB one,
    // so that no search crosses the TiB of holes between 4 GiB and the end.
    int64_t reach;
};

// Names the case in gtest's messages instead of dumping its bytes.
void PrintTo(const BigFile& file, std::ostream* out) { *out << file.name; }

const BigFile kBigFiles[] = {
    {"SixteenGiB", int64_t(16) << 30, "400000000", "400000001", "17179869176", "3FFFFFFF8", "0x400000001",
     int64_t(16) << 30},
    {"OneTiB", int64_t(1) << 40, "10000000000", "10000000001", "1099511627768", "FFFFFFFFF8", "0x10000000001",
     int64_t(1) << 30},
};

// Writes a sparse file: holes but for the planted bytes, written in order.
bool WriteSparse(const QString& path, int64_t size, const std::vector<Planted>& planted)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(size))
        return false;
    for (const Planted& p : planted)
        if (!file.seek(p.offset) || file.write(p.bytes) != p.bytes.size())
            return false;
    return true;
}

QByteArray ReadAt(int fd, int64_t offset, int64_t count)
{
    QByteArray bytes(qsizetype(count), '\0');
    const ssize_t got = ::pread(fd, bytes.data(), size_t(count), off_t(offset));
    bytes.resize(got < 0 ? 0 : qsizetype(got));
    return bytes;
}

// The whole file against the expected planted bytes on zeros, read through
// its data extents only: a hole reads as zeros by definition, and reading
// 16 GiB of holes from a disk takes the better part of a minute here.
// Returns the first offset that differs, or -1.
int64_t FirstDifferenceByExtents(const QString& path, int64_t size, const std::vector<Planted>& planted)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        return 0;
    auto expectedAt = [&](int64_t offset) {
        char byte = 0;
        for (const Planted& p : planted)  // later plantings win, as they were written
            if (offset >= p.offset && offset < p.offset + p.bytes.size())
                byte = p.bytes[qsizetype(offset - p.offset)];
        return byte;
    };
    int64_t difference = -1;
    int64_t at = 0;
    while (difference < 0 && at < size) {
        const off_t data = ::lseek(fd, off_t(at), SEEK_DATA);
        if (data < 0)
            break;  // holes to the end
        const off_t hole = ::lseek(fd, data, SEEK_HOLE);
        for (int64_t from = data; from < hole && difference < 0; from += 1 << 20) {
            const QByteArray bytes = ReadAt(fd, from, std::min<int64_t>(1 << 20, hole - from));
            if (bytes.isEmpty())
                difference = from;
            for (qsizetype i = 0; i < bytes.size() && difference < 0; ++i)
                if (bytes[i] != expectedAt(from + i))
                    difference = from + i;
        }
        at = hole;
    }
    ::close(fd);
    // A planted byte inside a hole would read as zero: check each one too.
    for (const Planted& p : planted)
        for (qsizetype i = 0; i < p.bytes.size() && difference < 0; ++i)
            if (p.bytes[i] != 0 && expectedAt(p.offset + i) != 0) {
                QFile file(path);
                if (!file.open(QIODevice::ReadOnly) || !file.seek(p.offset + i) ||
                    file.read(1) != QByteArray(1, expectedAt(p.offset + i)))
                    difference = p.offset + i;
            }
    return difference;
}

QString PdfText(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

class BigFileWindowTest : public AppTest, public ::testing::WithParamInterface<BigFile> {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        ui_.otherwise = {};  // every dialog is scripted
        ASSERT_TRUE(dir_.isValid());
        original_ = dir_.filePath("big.bin");
        // Also where the file system's largest file is smaller (ext4 with
        // 1 KiB blocks stops at 16 GiB, with 4 KiB ones at 16 TiB).
        if (!WriteSparse(original_, size_, planted_))
            GTEST_SKIP() << "this file system makes no sparse file of " << size_ << " bytes in /tmp";
    }

    static void Idle()
    {
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }

    CBinEditView* View() const { return Frame()->ActiveView(); }
    QString Position() const { return Part<CStatusPanes>()->Text(CStatusPanes::Position); }

    std::pair<int64_t, int64_t> Selected() const
    {
        const CSelectionPos& caret = View()->Caret();
        return caret.hasSelection ? std::make_pair(int64_t(caret.selStart), int64_t(caret.selEnd))
                                  : std::make_pair(int64_t(-1), int64_t(-1));
    }

    QByteArray DocumentAt(int64_t offset, int64_t count) const
    {
        QByteArray bytes(qsizetype(count), '\0');
        CBufferPos at;
        at.Bind(&ActiveDoc()->Buffer(), false, offset);
        bytes.resize(qsizetype(at.Read(bytes.data(), count)));
        at.Unbind();
        return bytes;
    }

    // The Data Inspector's value of a type at the caret, after the idle refresh.
    QString Inspected(int type) const
    {
        Idle();
        CDataViewDlg* page = Part<CInspectorDock>()->DataView();
        const QModelIndex row = page->RowOfType(type);
        return row.isValid() ? page->List().Model().Row(row).value : QStringLiteral("(hidden)");
    }

    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
    void Type(const QString& text)
    {
        ASSERT_TRUE(QTest::qWaitForWindowActive(Frame()));
        ASSERT_EQ(QApplication::focusWidget(), View());
        QTest::keyClicks(View(), text);
    }

    void GoTo(const QString& text)
    {
        ui_.Then([text](QDialog& d) {
            auto& goTo = dynamic_cast<CGoToDlg&>(d);
            goTo.AbsoluteButton()->setChecked(true);
            goTo.ValueEdit()->SetText(text);
            goTo.accept();
            return goTo.result();
        });
        Trigger(Cmd::EditGoTo);
        EXPECT_TRUE(ui_.Done()) << "the Go To dialog opened";
    }

    void Find(const QByteArray& text, bool up)
    {
        ui_.Then([text, up](QDialog& d) {
            auto& find = dynamic_cast<CFindDlg&>(d);
            find.Pages()->setCurrentIndex(FIND_PAGE_TEXT);
            find.Pages()->TextEdit()->setText(QString::fromLatin1(text));
            find.MatchCaseBox()->setChecked(true);
            (up ? find.UpButton() : find.DownButton())->setChecked(true);
            find.accept();
            return find.result();
        });
        Trigger(Cmd::EditFind);
        EXPECT_TRUE(ui_.Done()) << "the Find dialog opened";
    }

    void OpenAndPaint();
    void GoToEachPattern();
    void FindEachPattern();
    void BookmarksRoundTrip();
    void CompareWithChangedCopy();
    void PrintPageAt4GiB();
    void TypeInBothModes();
    void SaveAndCheckTheFile();

    const BigFile& big_ = GetParam();
    const int64_t size_ = big_.size;
    const std::vector<Planted> planted_ = PlantedIn(size_);
    QTemporaryDir dir_{QStringLiteral("/tmp/vantrel-bigfile-XXXXXX")};
    QString original_;
    CBinEditDoc* document_ = nullptr;
};

// The window paints at once, the first row showing the bytes at 0.
void BigFileWindowTest::OpenAndPaint()
{
    ASSERT_TRUE(Start({original_}));
    ASSERT_NE(View(), nullptr);
    // Wide enough for 16 bytes a row, so that a row starts at 2^32.
    Frame()->resize(1600, 900);
    Idle();
    ASSERT_EQ(View()->BytesPerRow(), 16);
    document_ = ActiveDoc();
    ASSERT_EQ(document_->Size(), size_);
    EXPECT_EQ(Part<CStatusPanes>()->Text(CStatusPanes::Size), big_.sizePane);
    EXPECT_EQ(View()->Top().Offset(), 0);
    EXPECT_EQ(Position(), "0");
    EXPECT_EQ(DocumentAt(0, 8), planted_[0].bytes);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Frame()));
    const QImage painted = View()->viewport()->grab().toImage();
    ASSERT_FALSE(painted.isNull());
    QSet<QRgb> colours;
    for (int y = 0; y < painted.height(); y += 2)
        for (int x = 0; x < painted.width(); x += 2)
            colours.insert(painted.pixel(x, y));
    EXPECT_GT(colours.size(), 2) << "the viewport shows drawn rows, not a blank area";
    EXPECT_EQ(Inspected(TYPE_QWORD), "2391482271013106771");  // "Start@0!"
}

// Go To in hexadecimal and decimal; the caret, the position pane (whole
// numbers past 32 bits) and the Data Inspector at each planted offset.
void BigFileWindowTest::GoToEachPattern()
{
    struct Case {
        QString typed;
        int64_t offset;
        QString position;  // the status pane, in hexadecimal as the offsets are
        QString dword;
    };
    const Case cases[] = {
        {"0x7FFFFFFF", k2G - 1, "7FFFFFFF", "1766273596"},      // "<2Gi"
        {"2147483648", k2G, "80000000", "1114195762"},          // "2GiB"
        {"0x100000005", k4G + 5, "100000005", "1114195764"},    // "4GiB"
        {big_.lastDecimal, size_ - 8, big_.lastPane, "1953718604"},  // "Last"
        {"0", 0, "0", "1918989395"},                            // "Star"
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        GoTo(c.typed);
        EXPECT_EQ(View()->Caret().Offset(), c.offset);
        EXPECT_EQ(Position(), c.position);
        EXPECT_EQ(Inspected(TYPE_DWORD), c.dword);
        // The pinned texts against the bytes the document holds there.
        EXPECT_EQ(c.dword, QString::number(qFromLittleEndian<quint32>(DocumentAt(c.offset, 4).constData())));
    }
    // Past the end the dialog refuses and the caret stays.
    ui_.Then([this](QDialog& d) {
        auto& goTo = dynamic_cast<CGoToDlg&>(d);
        goTo.ValueEdit()->SetText(big_.pastEnd);
        goTo.accept();
        const bool stayedOpen = goTo.result() != QDialog::Accepted;
        EXPECT_TRUE(stayedOpen);
        goTo.reject();
        return goTo.result();
    });
    messages_.Clear();
    Trigger(Cmd::EditGoTo);
    EXPECT_EQ(View()->Caret().Offset(), 0);
    EXPECT_EQ(messages_.Texts(), QStringList{"Invalid file offset specified. The target offset must be within the "
                                             "range of the existing file."});
    messages_.Clear();
}

// Each pattern through the Find dialog, forward from 0 and backward from the
// end, each search starting where the one before matched, or the reach
// before (after) its pattern where that is nearer (one read of the 16 GiB
// file each way); then Find Next and Find Previous across 2^32.
void BigFileWindowTest::FindEachPattern()
{
    int64_t from = 0;
    for (const Planted& p : planted_) {
        SCOPED_TRACE(p.offset);
        from = std::max(from, p.offset - big_.reach);
        View()->CaretControl().SetCaret(from, CaretMode::Move);
        Find(p.bytes, false);
        EXPECT_EQ(Selected(), std::make_pair(p.offset, p.offset + 8)) << "forward from " << from;
        from = p.offset;
    }
    from = size_;
    for (auto p = planted_.rbegin(); p != planted_.rend(); ++p) {
        SCOPED_TRACE(p->offset);
        from = std::min(from, p->offset + 8 + big_.reach);
        View()->CaretControl().SetCaret(from, CaretMode::Move);
        Find(p->bytes, true);
        EXPECT_EQ(Selected(), std::make_pair(p->offset, p->offset + 8)) << "backward from " << from;
        from = p->offset + 8;
    }
    // "GiB" lies in the patterns at 2^31 and at 2^32 + 5 alone.
    View()->CaretControl().SetCaret(0, CaretMode::Move);
    Find("GiB", false);
    EXPECT_EQ(Selected(), std::make_pair(k2G + 1, k2G + 4));
    Trigger(Cmd::EditFindNext);
    EXPECT_EQ(Selected(), std::make_pair(k4G + 6, k4G + 9));
    EXPECT_EQ(Position(), "100000006-100000009");
    Trigger(Cmd::EditFindPrevious);
    EXPECT_EQ(Selected(), std::make_pair(k2G + 1, k2G + 4));
    EXPECT_TRUE(messages_.Messages().empty()) << messages_.Last().toStdString();
}

// Bookmarks at the planted offsets, saved through the Bookmarks dialog and
// read back into a new collection.
void BigFileWindowTest::BookmarksRoundTrip()
{
    for (const Planted& p : planted_) {
        View()->CaretControl().SetCaret(p.offset, CaretMode::Move);
        Trigger(Cmd::BookmarkToggle);
    }
    const std::vector<Bookmark> expected = {
        {"Bookmark 001", 0, 0},
        {"Bookmark 002", k2G - 1, k2G - 1},
        {"Bookmark 003", k2G, k2G},
        {"Bookmark 004", k4G + 5, k4G + 5},
        {"Bookmark 005", size_ - 8, size_ - 8},
    };
    ASSERT_EQ(Context().bookmarks.Items(), expected);
    const QString marks = dir_.filePath("marks.bmk");
    SaveBookmarksThroughTheDialog(marks);
    EXPECT_TRUE(ui_.Done());
    EXPECT_FALSE(Context().bookmarks.IsChanged());
    const QByteArray saved = ReadWholeFile(marks);
    // Offsets past 32 bits need the 64-bit version of the file.
    EXPECT_EQ(saved.left(12), QByteArray("BOOK\1\0\0\0\5\0\0\0", 12));
    CBookmarkCollection loaded;
    ASSERT_TRUE(LoadBookmarkFile(loaded, marks));
    EXPECT_EQ(loaded.Items(), expected);

    // Go To Bookmark in the dialog reaches the one past 4 GiB.
    ui_.Then([](QDialog& d) {
        auto& dialog = dynamic_cast<CBookmarksDlg&>(d);
        dialog.List()->setCurrentRow(3);
        dialog.OnGoTo();
        return dialog.result();
    });
    Trigger(Cmd::BookmarkList);
    EXPECT_EQ(View()->Caret().Offset(), k4G + 5);
    EXPECT_EQ(Position(), "100000005");
}

// Compare Files against a sparse copy that differs in the byte at 2^32 + 5.
void BigFileWindowTest::CompareWithChangedCopy()
{
    std::vector<Planted> copy = planted_;
    copy.push_back({k4G + 5, "#"});
    const QString copyPath = dir_.filePath("copy.bin");
    ASSERT_TRUE(WriteSparse(copyPath, size_, copy));

    QString found;
    ui_.Then([](QDialog& d) {
        auto& files = dynamic_cast<CCompareFilesDlg&>(d);
        files.BrowseButton(2)->click();
        files.SideBySideBox()->setChecked(false);
        files.accept();
        return files.result();
    });
    ui_.ThenFile(copyPath);
    ui_.Then([&found](QDialog& d) {
        found = dynamic_cast<CDifferenceFoundDlg&>(d).TextBox()->toPlainText();
        return int(CDifferenceFoundDlg::Done);
    });
    Trigger(Cmd::ToolsCompareFiles);
    EXPECT_TRUE(messages_.Messages().empty()) << messages_.Last().toStdString();
    EXPECT_TRUE(ui_.Done());
    found.remove(u'\r');
    EXPECT_EQ(found, QStringLiteral("Difference found:\n=================\nFile 1: %1\nOffset=0x100000005, Length=0x1\n\n"
                                    "File 2: %2\nOffset=0x100000005, Length=0x1\n")
                         .arg(original_, copyPath));
    // Both windows show the difference selected.
    ASSERT_EQ(Frame()->Frames().size(), 2u);
    for (CBinEditFrame* frame : Frame()->Frames()) {
        const CSelectionPos& caret = frame->ActiveView()->Caret();
        EXPECT_TRUE(caret.hasSelection);
        EXPECT_EQ(caret.selStart, k4G + 5);
        EXPECT_EQ(caret.selEnd, k4G + 6);
    }
    // The copy's window closes; the rest works in the original's.
    CBinEditDoc* copyDocument = nullptr;
    for (CBinEditFrame* frame : Frame()->Frames())
        if (frame->ActiveView()->Document()->PathName() == copyPath)
            copyDocument = frame->ActiveView()->Document();
    ASSERT_NE(copyDocument, nullptr);
    ASSERT_TRUE(Docs().CloseDocument(copyDocument, false));
    Frame()->ActivateDocument(document_);
    Idle();
    ASSERT_EQ(ActiveDoc(), document_);
    ASSERT_EQ(Frame()->Frames().size(), 1u);
}

// The row holding offset 2^32 printed to PDF and read back.
void BigFileWindowTest::PrintPageAt4GiB()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const QString pdf = dir_.filePath("page.pdf");
    View()->CaretControl().SetSelection(k4G, k4G + 16);
    dialogs_->printAnswers = {ScriptedDialogs::PrintAnswer{pdf, true}};
    Trigger(Cmd::FilePrint);
    EXPECT_EQ(dialogs_->printSelectionOffered.value(0), true);
    QStringList rows;
    for (const QString& line : PdfText(pdf).split(u'\n'))
        if (line.simplified().startsWith(QStringLiteral("1000000")))
            rows << line.simplified();
    EXPECT_EQ(rows, QStringList{"100000000 00 00 00 00 00 34 47 69-42 2B 35 3A 58 00 00 00 .....4GiB+5:X..."});
}

// Overwrite a byte at 2^32 + 5 and insert one at 2^31 by typing hex digits.
void BigFileWindowTest::TypeInBothModes()
{
    GoTo("0x100000005");
    ASSERT_EQ(Part<CStatusPanes>()->Text(CStatusPanes::Mode), "OVR");
    View()->setFocus();
    Type("7e");
    EXPECT_EQ(DocumentAt(k4G + 4, 3), QByteArray("\0\x7EG", 3));
    EXPECT_EQ(ActiveDoc()->Size(), size_);
    EXPECT_EQ(View()->Caret().Offset(), k4G + 6);

    GoTo("0x80000000");
    Press(Qt::Key_Insert);
    EXPECT_EQ(Part<CStatusPanes>()->Text(CStatusPanes::Mode), "INS");
    Type("5a");
    EXPECT_EQ(ActiveDoc()->Size(), size_ + 1);
    EXPECT_EQ(Part<CStatusPanes>()->Text(CStatusPanes::Size), big_.grownPane);
    EXPECT_EQ(DocumentAt(k2G - 1, 10), QByteArray("<\x5A" "2GiB-at!"));
    EXPECT_EQ(DocumentAt(k4G + 5, 3), QByteArray("\0\x7EG", 3)) << "the overwritten byte moved up by one";
    EXPECT_EQ(DocumentAt(size_ + 1 - 8, 8), QByteArray("LastEnd!"));
    EXPECT_EQ(Position(), "80000001");
    Press(Qt::Key_Insert);  // back to overwrite, the mode every test starts in
}

// File > Save, then the file on disk: size, the bytes at their offsets, and
// the whole content against the expected one.
void BigFileWindowTest::SaveAndCheckTheFile()
{
    Trigger(Cmd::FileSave);
    EXPECT_FALSE(ActiveDoc()->IsModified());
    EXPECT_TRUE(messages_.Messages().empty()) << messages_.Last().toStdString();
    ASSERT_EQ(QFileInfo(original_).size(), size_ + 1);

    const int fd = ::open(QFile::encodeName(original_).constData(), O_RDONLY);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(ReadAt(fd, 0, 8), QByteArray("Start@0!"));
    EXPECT_EQ(ReadAt(fd, k2G - 1, 10), QByteArray("<\x5A" "2GiB-at!"));
    EXPECT_EQ(ReadAt(fd, k4G + 5, 10), QByteArray("\0\x7EGiB+5:X\0", 10));
    EXPECT_EQ(ReadAt(fd, size_ - 8, 9), QByteArray("\0LastEnd!", 9));
    ::close(fd);

    const std::vector<Planted> expected = {
        {0, "Start@0!"},
        {k2G - 1, "<\x5A" "2GiB-at!"},
        {k4G + 6, "\x7EGiB+5:X"},
        {size_ + 1 - 8, "LastEnd!"},
    };
    EXPECT_EQ(FirstDifferenceByExtents(original_, size_ + 1, expected), -1);
    // The document reads from the saved file now.
    EXPECT_EQ(DocumentAt(k4G + 6, 8), QByteArray("\x7EGiB+5:X"));
}

TEST_P(BigFileWindowTest, ThroughEveryWindow)
{
    OpenAndPaint();
    if (HasFatalFailure())
        return;
    GoToEachPattern();
    FindEachPattern();
    BookmarksRoundTrip();
    CompareWithChangedCopy();
    PrintPageAt4GiB();
    TypeInBothModes();
    SaveAndCheckTheFile();
    // Nothing went past the script: no dialog or file chooser was left over.
    EXPECT_TRUE(ui_.Done());
}

INSTANTIATE_TEST_SUITE_P(Sizes, BigFileWindowTest, ::testing::ValuesIn(kBigFiles),
                         [](const ::testing::TestParamInfo<BigFile>& info) { return std::string(info.param.name); });

} // namespace

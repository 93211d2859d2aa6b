// Copy to File and Paste from File with their dialogs answered by the test: files larger
// than one transfer piece and empty ones, the paste modes, and file errors
// that name the file.
#include "EditTestSupport.h"
#include "ScopedWriteFaults.h"
#include "TestFiles.h"
#include "platform/FileErrors.h"
#include "view/CaretController.h"
#include "view/EditCommands.h"
#include "view/PasteSource.h"
#include "view/ViewClipboard.h"

#include <cerrno>

#include <QFile>
#include <QFileInfo>

class FileTransfer : public EditTest {
protected:
    QString PathOf(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    void Select(int32_t from, int32_t to)
    {
        view->CaretControl().SetCaret(from, CaretMode::Move);
        view->CaretControl().SetCaret(to, CaretMode::Extend);
    }
};

TEST_F(FileTransfer, CopyToFileWritesExactlyTheSelectionInManyPieces)
{
    const QByteArray bytes = RandomBytes(2 * kDiskBlock + 5000, 7);
    Open(bytes);
    EXPECT_FALSE(view->Clipboard().CanCopyToFile());
    const QString path = PathOf("out.bin");
    EXPECT_FALSE(view->Clipboard().WriteSelectionToFile(path));
    EXPECT_FALSE(QFileInfo::exists(path));

    Select(123, 123 + kDiskBlock + 4000);  // more than one disk block, parts of many chunks
    ASSERT_TRUE(view->Clipboard().CanCopyToFile());
    ui.ThenFile(path);
    ASSERT_TRUE(view->Clipboard().CopyToFileCommand());
    EXPECT_EQ(ReadWholeFile(path), bytes.mid(123, kDiskBlock + 4000));
    // An existing file is replaced as a whole.
    Select(0, 1);
    ASSERT_TRUE(view->Clipboard().WriteSelectionToFile(path));
    EXPECT_EQ(ReadWholeFile(path), bytes.left(1));
    // A cancelled dialog writes nothing.
    Select(0, 100);
    ui.ThenFile(std::nullopt);
    EXPECT_FALSE(view->Clipboard().CopyToFileCommand());
    EXPECT_EQ(ReadWholeFile(path), bytes.left(1));
    EXPECT_EQ(messages.Count(), 0);
}

TEST_F(FileTransfer, PasteFromFileInsertsAWholeLargeFileAsOneUndoStep)
{
    const QByteArray file = RandomBytes(kDiskBlock + 3 * 512 + 5, 11);
    const QString path = PathOf("in.bin");
    WriteWholeFile(path, file);
    Open(QByteArray("0123456789"));
    view->CaretControl().SetCaret(4, CaretMode::Move);
    ui.ThenFile(path);
    ASSERT_TRUE(view->Clipboard().PasteFromFileCommand());
    EXPECT_EQ(Bytes(), QByteArray("0123") + file + QByteArray("456789"));
    EXPECT_EQ(CaretAt(), 4 + file.size());
    EXPECT_TRUE(doc->IsModified());
    ASSERT_EQ(UndoCount(), 1);
    // Undoing it keeps the whole insertion for redo, however large.
    UndoTimes(1);
    EXPECT_EQ(messages.Count(), 0);
    EXPECT_EQ(Bytes(), QByteArray("0123456789"));
    EXPECT_FALSE(doc->IsModified());
    ASSERT_TRUE(view->Edits().CanRedo());
    RedoTimes(1);
    EXPECT_EQ(Bytes(), QByteArray("0123") + file + QByteArray("456789"));
}

TEST_F(FileTransfer, PasteFromFileFollowsThePasteModeAndTheTaskModes)
{
    const QString path = PathOf("four.bin");
    WriteWholeFile(path, QByteArray("WXYZ"));
    settings.promptForPasteMode = true;
    Open(QByteArray("0123456789"));
    view->CaretControl().SetCaret(8, CaretMode::Move);
    AnswerPasteMode(PasteModeChoice{true, true});
    ASSERT_TRUE(view->Clipboard().PasteFromFile(path, PasteMode::Normal, true));
    EXPECT_EQ(Bytes(), QByteArray("01234567WXYZ"));
    // Results of a task replace the selection and are selected.
    Select(0, 2);
    ASSERT_TRUE(view->Clipboard().PasteFromFile(path, PasteMode::InsertReplaceSelect, true));
    EXPECT_EQ(Bytes(), QByteArray("WXYZ234567WXYZ"));
    EXPECT_EQ(Selection(), std::pair(0, 4));
}

TEST_F(FileTransfer, AnEmptyFilePastesNothing)
{
    const QString path = PathOf("empty.bin");
    WriteWholeFile(path, QByteArray());
    Open(QByteArray("abc"));
    ui.ThenFile(path);
    EXPECT_FALSE(view->Clipboard().PasteFromFileCommand());
    EXPECT_EQ(Bytes(), QByteArray("abc"));
    EXPECT_EQ(UndoCount(), 0);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(messages.Count(), 0);
    // And an empty document takes a whole file.
    const QByteArray file = RandomBytes(513, 3);
    WriteWholeFile(path, file);
    Open(QByteArray());
    ASSERT_TRUE(view->Clipboard().PasteFromFile(path, PasteMode::Normal, true));
    EXPECT_EQ(Bytes(), file);
}

TEST_F(FileTransfer, FileErrorsNameTheFile)
{
    Open(QByteArray("abc"));
    const QString missing = PathOf("missing.bin");
    EXPECT_FALSE(view->Clipboard().PasteFromFile(missing, PasteMode::Normal, true));
    EXPECT_EQ(messages.Last(), QStringLiteral("%1 was not found.").arg(missing));
    EXPECT_EQ(Bytes(), QByteArray("abc"));
    EXPECT_FALSE(doc->IsModified());

    const QString nowhere = PathOf("no-such-folder/out.bin");
    Select(0, 2);
    EXPECT_FALSE(view->Clipboard().WriteSelectionToFile(nowhere));
    EXPECT_TRUE(messages.Last().contains(nowhere)) << messages.Last().toStdString();

    EXPECT_FALSE(view->Clipboard().PasteFromFile(dir.path(), PasteMode::Normal, true));
    EXPECT_EQ(messages.Last(), QStringLiteral("Access to %1 was denied.").arg(dir.path()));
    EXPECT_EQ(messages.Count(), 3);
}

TEST_F(FileTransfer, AFailedWriteLeavesTheOldFileAndNamesIt)
{
    const QString path = PathOf("keep.bin");
    WriteWholeFile(path, QByteArray("old contents"));
    Open(Counting(3000));
    Select(0, 3000);
    const ScopedWriteFaults full({.nextWriteError = ENOSPC});
    EXPECT_FALSE(view->Clipboard().WriteSelectionToFile(path));
    EXPECT_EQ(messages.Last(), QStringLiteral("There is not enough space on the disk to write %1.").arg(path));
    EXPECT_EQ(ReadWholeFile(path), QByteArray("old contents"));
}

TEST_F(FileTransfer, AFileThatShrankAfterItWasMeasuredLeavesZerosAndAnError)
{
    const QString path = PathOf("shrinks.bin");
    WriteWholeFile(path, QByteArray(5000, 'f'));
    CFilePasteSource source;
    ASSERT_TRUE(source.Open(path));
    ASSERT_EQ(source.Count(), 5000);
    ASSERT_TRUE(QFile::resize(path, 3000));
    Open(QByteArray(5000, 'o'));
    CBufferPos at;
    at.Bind(&doc->Buffer(), false, 0);
    EXPECT_FALSE(source.WriteTo(at, 5000));
    EXPECT_EQ(Bytes(), QByteArray(3000, 'f') + QByteArray(2000, '\0'));
    EXPECT_EQ(platform::FileErrorText(source.Error(), path),
              QStringLiteral("An unexpected error occurred while accessing %1.").arg(path));
}

TEST_F(FileTransfer, AFileThatWouldPassTheSizeLimitIsRefusedAndClearsTheUndoList)
{
    // A sparse file: nothing is read, the insertion is refused first. The
    // document's limit is lowered to 1 GiB, as no file reaches the real one.
    const QString path = PathOf("huge.bin");
    constexpr int64_t kLimit = int64_t(1) << 30;
    {
        QFile huge(path);
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        ASSERT_TRUE(huge.resize(kLimit - 5));
    }
    Open(QByteArray("0123456789"));
    doc->Buffer().SetSizeLimit(kLimit);
    Press(Qt::Key_Tab);
    Type("x");
    ASSERT_EQ(UndoCount(), 1);
    EXPECT_FALSE(view->Clipboard().PasteFromFile(path, PasteMode::Normal, true));
    EXPECT_EQ(Bytes(), QByteArray("x123456789"));
    EXPECT_EQ(UndoCount(), 0);
    EXPECT_EQ(messages.Last(),
              "Cannot insert data : Will cause file buffer to exceed size limit of 9,223,372,036,854,775,807 bytes.");
}

// A pasted file is held in memory: one past 2 GiB is refused before anything
// is read or recorded, naming the file.
TEST_F(FileTransfer, AFileTooLargeToHoldIsRefusedBeforeAnythingChanges)
{
    const QString path = PathOf("too-large.bin");
    {
        QFile huge(path);
        ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
        ASSERT_TRUE(huge.resize(CViewClipboard::kMaxHeldSelection + 1));
    }
    Open(QByteArray("0123456789"));
    Press(Qt::Key_Tab);
    Type("x");
    EXPECT_FALSE(view->Clipboard().PasteFromFile(path, PasteMode::Normal, true));
    EXPECT_EQ(Bytes(), QByteArray("x123456789"));
    EXPECT_EQ(UndoCount(), 1);
    EXPECT_EQ(messages.Last(), path + "\n\nThe file holds 2147483648 bytes; Paste from File inserts at most "
                                      "2147483647 bytes, which it holds in memory.");
}

TEST_F(FileTransfer, ReadOnlyDocumentsTakeNoFiles)
{
    const QString path = PathOf("in.bin");
    WriteWholeFile(path, QByteArray("zz"));
    Open(QByteArray("abc"));
    doc->SetReadOnly(true);
    EXPECT_FALSE(view->Clipboard().CanPasteFromFile());
    EXPECT_FALSE(view->Clipboard().PasteFromFileCommand());
    EXPECT_FALSE(view->Clipboard().PasteFromFile(path, PasteMode::Normal, true));
    EXPECT_EQ(Bytes(), QByteArray("abc"));
    // Copying out of a read-only document is fine.
    Select(0, 3);
    EXPECT_TRUE(view->Clipboard().WriteSelectionToFile(PathOf("out.bin")));
    EXPECT_EQ(ReadWholeFile(PathOf("out.bin")), QByteArray("abc"));
}

// A task's input is written straight from the chunks. Chunks of uneven
// lengths (edits in the middle) and ranges starting and ending inside
// chunks, over more chunks than one gathered write takes, must give exactly
// the selected bytes, and an old longer file must not keep its tail.
TEST_F(FileTransfer, TempFileWriteGivesExactlyTheSelectionFromUnevenChunks)
{
    QByteArray model = RandomBytes(5 * 1024 * 1024 + 77, 21);
    Open(model);
    CBufferPos at;
    at.Bind(&doc->Buffer(), false, 0);
    for (int32_t offset : {1000, 70001, 2 * 1024 * 1024 + 3, 4 * 1024 * 1024}) {
        const QByteArray extra = RandomBytes(offset % 3000 + 1, unsigned(offset));
        at.Seek(offset);
        ASSERT_EQ(at.Insert(int32_t(extra.size())), extra.size());
        at.Write(extra.constData(), int32_t(extra.size()));
        model.insert(offset, extra);
    }
    ASSERT_EQ(Bytes(), model);
    const QString path = PathOf("task-input.tmp");
    WriteWholeFile(path, QByteArray(model.size() + 100, 'x'));
    const int32_t size = int32_t(model.size());
    const std::pair<int32_t, int32_t> ranges[] = {
        {0, size}, {1, 2}, {999, 1001}, {2047, 2049}, {70000, 3 * 1024 * 1024}, {size - 1, size}, {5, size - 5},
    };
    for (const auto& [from, to] : ranges) {
        SCOPED_TRACE(testing::Message() << from << ".." << to);
        Select(from, to);
        ASSERT_TRUE(view->Clipboard().WriteSelectionToTempFile(path));
        EXPECT_EQ(ReadWholeFile(path), model.mid(from, to - from));
    }
    ASSERT_TRUE(doc->SaveCopyToTempFile(path));
    EXPECT_EQ(ReadWholeFile(path), model);
    EXPECT_EQ(messages.Count(), 0);
}

TEST_F(FileTransfer, TempFileWriteFailuresNameTheFile)
{
    Open(Counting(3000));
    Select(0, 3000);
    const QString nowhere = PathOf("no-such-folder/input.tmp");
    EXPECT_FALSE(view->Clipboard().WriteSelectionToTempFile(nowhere));
    EXPECT_EQ(messages.Last(), QStringLiteral("%1 was not found.").arg(nowhere));

    const QString path = PathOf("input.tmp");
    ScopedWriteFaults faults({.nextWriteError = ENOSPC});
    EXPECT_FALSE(view->Clipboard().WriteSelectionToTempFile(path));
    EXPECT_EQ(messages.Last(), QStringLiteral("There is not enough space on the disk to write %1.").arg(path));
    faults.Faults().nextWriteError = EIO;
    EXPECT_FALSE(doc->SaveCopyToTempFile(path));
    EXPECT_EQ(messages.Last(), QStringLiteral("An unexpected error occurred while accessing %1.").arg(path));

    // A link put in the file's place is not followed: what it points to
    // stays as it was.
    const QString target = PathOf("elsewhere.bin");
    WriteWholeFile(target, QByteArray("keep"));
    const QString link = PathOf("link.tmp");
    ASSERT_TRUE(QFile::link(target, link));
    EXPECT_FALSE(view->Clipboard().WriteSelectionToTempFile(link));
    EXPECT_TRUE(messages.Last().contains(link)) << messages.Last().toStdString();
    EXPECT_EQ(ReadWholeFile(target), QByteArray("keep"));
    EXPECT_EQ(messages.Count(), 4);
}

// Pasted files are read straight into the chunks, several hundred at a
// time: sizes around one chunk and past one scattered read, at offsets
// inside chunks, must land exactly.
TEST_F(FileTransfer, PastedFilesLandExactlyWhateverTheirSizeAndPlace)
{
    const QString path = PathOf("piece.bin");
    QByteArray model = RandomBytes(300000, 31);
    Open(model);
    const std::pair<int, int32_t> cases[] = {{1, 0}, {2047, 5}, {2049, 4095}, {600 * 1024 + 3, 123457}, {70000, 0}};
    for (const auto& [size, offset] : cases) {
        SCOPED_TRACE(testing::Message() << size << " at " << offset);
        const QByteArray file = RandomBytes(size, unsigned(size));
        WriteWholeFile(path, file);
        view->CaretControl().SetCaret(offset, CaretMode::Move);
        ASSERT_TRUE(view->Clipboard().PasteFromFile(path, PasteMode::InsertReplaceSelect, false));
        model.insert(offset, file);
        ASSERT_EQ(Bytes(), model);
    }
}

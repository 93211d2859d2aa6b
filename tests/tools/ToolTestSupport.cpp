#include "ToolTestSupport.h"

#include "TestFiles.h"
#include "core/SpanReader.h"
#include "settings/AppSettings.h"
#include "tools/DocumentFeedback.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <algorithm>

namespace {
DocumentFeedback& ProgramFeedback()
{
    // Outlives every document of the test program; asks and keeps history as
    // the program does with its default settings.
    static const AppSettings defaults;
    static DocumentFeedback feedback({}, [] { return defaults.warnCantUndo; });
    return feedback;
}

HistoryLevels ProgramHistory()
{
    const AppSettings defaults;
    return HistoryLevels{defaults.undoLevels, defaults.redoLevels};
}
} // namespace

std::unique_ptr<CBinEditDoc> OpenChunkedDocument(const QTemporaryDir& dir, const QByteArray& bytes,
                                                 const std::vector<int32_t>& chunkSizes)
{
    QByteArray padded;
    int32_t at = 0;
    for (const int32_t size : chunkSizes) {
        padded += bytes.mid(at, size);
        padded += QByteArray(MAX_CHUNK - size, '\xEE');
        at += size;
    }
    const QString path = dir.filePath(QStringLiteral("chunked.bin"));
    WriteWholeFile(path, padded);
    auto doc = std::make_unique<CBinEditDoc>(&ProgramFeedback(), ProgramHistory());
    if (!doc->OnOpenDocument(path))
        return nullptr;
    CBufferPos cursor;
    cursor.Bind(&doc->Buffer(), false, 0);
    at = 0;
    for (const int32_t size : chunkSizes) {
        at += size;
        cursor.Seek(at);
        cursor.Delete(MAX_CHUNK - size);
    }
    return doc;
}

std::vector<int32_t> RandomChunkSizes(int32_t total, int32_t maxChunk, std::mt19937& random)
{
    std::vector<int32_t> sizes;
    while (total > 0) {
        const int32_t size = std::min(total, std::uniform_int_distribution<int32_t>(1, maxChunk)(random));
        sizes.push_back(size);
        total -= size;
    }
    return sizes;
}

std::vector<int32_t> ChunkSizes(const CFileBuffer& buffer)
{
    std::vector<int32_t> sizes;
    for (const CBufferChunk* chunk = buffer.First(); chunk; chunk = chunk->next)
        sizes.push_back(chunk->length);
    return sizes;
}

QByteArray Contents(CFileBuffer& buffer)
{
    QByteArray bytes(buffer.Size(), '\0');
    CBufferPos cursor;
    cursor.Bind(&buffer, false, 0);
    cursor.Read(bytes.data(), buffer.Size());
    return bytes;
}


SparseFolder::SparseFolder()
{
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    if (shm.isDir() && shm.isWritable())
        dir_ = std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/vantrel-test-XXXXXX"));
    if (!dir_ || !dir_->isValid())
        dir_ = std::make_unique<QTemporaryDir>();
}

std::unique_ptr<CBinEditDoc> OpenSparseDocument(const SparseFolder& folder, int64_t size,
                                                const std::vector<std::pair<int64_t, QByteArray>>& planted)
{
    const QString path = folder.FilePath(QStringLiteral("sparse.bin"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(size))
        return nullptr;
    for (const auto& [offset, bytes] : planted)
        if (!file.seek(offset) || file.write(bytes) != bytes.size())
            return nullptr;
    file.close();
    auto doc = std::make_unique<CBinEditDoc>(&ProgramFeedback(), ProgramHistory());
    doc->Buffer().SetSizeLimit(CFileBuffer::kNoSizeLimit);
    if (!doc->OnOpenDocument(path))
        return nullptr;
    return doc;
}

QByteArray ReadDocument(const CBinEditDoc& doc, int64_t offset, int64_t count)
{
    CSpanReader reader(doc.Buffer(), offset, CSpanReader::Access::Random);
    QByteArray bytes(qsizetype(count), '\0');
    bytes.resize(qsizetype(reader.ReadAt(offset, bytes.data(), count)));
    return bytes;
}

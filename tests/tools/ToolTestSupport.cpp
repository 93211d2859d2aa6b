#include "ToolTestSupport.h"

#include "TestFiles.h"
#include "settings/AppSettings.h"
#include "tools/DocumentFeedback.h"

#include <gtest/gtest.h>

#include <algorithm>

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
    // Outlives every document of the test program; asks and keeps history as
    // the program does with its default settings.
    static const AppSettings defaults;
    static DocumentFeedback feedback({}, [] { return defaults.warnCantUndo; });
    auto doc = std::make_unique<CBinEditDoc>(&feedback, HistoryLevels{defaults.undoLevels, defaults.redoLevels});
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


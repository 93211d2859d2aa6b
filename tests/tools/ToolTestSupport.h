#pragma once
// Documents made of many small chunks, and a plain view, for the tests of
// the editing tools.
#include "core/BinEditDoc.h"
#include "FakeToolView.h"

#include <QByteArray>
#include <QTemporaryDir>
#include <cstdint>
#include <memory>
#include <random>
#include <utility>
#include <vector>

// Opens a document holding bytes, split into chunks of the given sizes
// (which must add up to bytes.size(), each 1 to 2048): the file is loaded
// with every piece padded to a full chunk, then each padding is deleted,
// which leaves each chunk holding exactly its piece. The document has the
// program's host (messages, questions, status texts) and the default
// settings' history levels, as the program's documents do.
std::unique_ptr<CBinEditDoc> OpenChunkedDocument(const QTemporaryDir& dir, const QByteArray& bytes,
                                                 const std::vector<int32_t>& chunkSizes);
// Random chunk sizes from 1 to maxChunk covering total bytes.
std::vector<int32_t> RandomChunkSizes(int32_t total, int32_t maxChunk, std::mt19937& random);
std::vector<int32_t> ChunkSizes(const CFileBuffer& buffer);
QByteArray Contents(CFileBuffer& buffer);

// A folder for sparse files of many gigabytes: in memory-backed storage
// where the machine has it, since reading the holes of a sparse file on a
// disk can take seconds a gigabyte; else the usual temporary folder.
class SparseFolder {
public:
    SparseFolder();
    QString FilePath(const QString& name) const { return dir_->filePath(name); }

private:
    std::unique_ptr<QTemporaryDir> dir_;
};

// A sparse file of size bytes, zeros but for the planted bytes, opened as
// the program opens big files (through extents) with the document's size
// limit lifted; the host and history are those of OpenChunkedDocument.
std::unique_ptr<CBinEditDoc> OpenSparseDocument(const SparseFolder& folder, int64_t size,
                                                const std::vector<std::pair<int64_t, QByteArray>>& planted);
// count bytes of the document from offset (fewer at its end).
QByteArray ReadDocument(const CBinEditDoc& doc, int64_t offset, int64_t count);


#pragma once
// A file the command line reads: opened through the document core as file
// extents (nothing is read until asked for, whatever the size), read-only,
// with a host that prints the core's problems at once, naming the file.
// Readers go through the core's span reader.
#include "core/BinEditDoc.h"

#include <QString>

#include <optional>

#include <memory>

class CBlockCache;
class CliArguments;

class InputDocument final : private IDocumentHost {
public:
    // Nothing after the problem has been printed (missing file, folder,
    // FIFO, a file too large for the editor).
    static std::unique_ptr<InputDocument> Open(const QString& path);
    ~InputDocument() override;

    const QString& Path() const { return path_; }
    CBinEditDoc& Document() { return document_; }
    CFileBuffer& Buffer() { return document_.Buffer(); }
    int64_t Size() const { return document_.Size(); }

private:
    explicit InputDocument(const QString& path);

    void OnProblem(const CoreProblem& problem) override;
    bool ProceedWithoutHistory(HistoryLoss) override { return false; }
    void WorkStarted(DocumentWork, const QString&) override {}
    void WorkEnded() override {}
    void StateChanged(CBinEditDoc&) override {}

    QString path_;
    std::shared_ptr<CBlockCache> cache_;
    CBinEditDoc document_;
};

// A stretch of an input given by --offset and --length.
struct InputStretch {
    int64_t offset = 0;
    int64_t length = 0;
    bool whole = true;  // neither option given: the whole file
};

// The stretch the options name within a file of size bytes. Nothing after
// the problem has been printed: a malformed number, an offset past the end,
// a length that runs past the end.
std::optional<InputStretch> ResolveStretch(const QString& path, int64_t size, const CliArguments& arguments);

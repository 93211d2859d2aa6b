#pragma once
// What went wrong inside the document core, as a value. The core never talks
// to the user: it hands these to whoever made the call (or to the sink the
// program attached), and the layer above turns them into the texts the user
// reads.
#include <QString>
#include <cstdint>

enum class CoreError : uint8_t {
    None,
    OutOfMemory,          // growing or allocating a chunk during an edit or a load
    SizeLimitOnLoad,      // the file holds more bytes than the buffer's size limit
    SizeLimitOnInsert,    // the insertion would make the buffer exceed its size limit
    FileError,            // opening, reading or writing a file; fileError and path say which
    HistoryOutOfSync,     // no memory to record or apply a history entry; the histories were cleared
    NoMemoryForHistory,   // no memory for the configured undo or redo levels
    CommandOutOfMemory,   // no memory for a command's own working copy; nothing was changed
    SourceChanged,        // another program changed the open file in place; path names it
};

struct CoreProblem {
    CoreProblem() = default;
    explicit CoreProblem(CoreError what, int fileErrorNumber = 0, QString filePath = {})
        : error(what), fileError(fileErrorNumber), path(std::move(filePath))
    {
    }

    CoreError error = CoreError::None;
    int fileError = 0;  // errno or one of platform's own file error values
    QString path;       // the file a FileError concerns
    // Met while reading the bytes of a file on disk, which may happen while
    // a view paints: whoever shows it waits until the painting is over.
    bool whileReading = false;

    explicit operator bool() const { return error != CoreError::None; }
};

// Receives every problem as it happens, so that several of them in one
// operation reach the user in the order they occurred.
class ICoreProblemSink {
public:
    virtual ~ICoreProblemSink() = default;
    virtual void OnProblem(const CoreProblem& problem) = 0;
};

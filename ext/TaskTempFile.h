#pragma once
// Temporary files that carry a task's input and output. Each is created
// empty in the user's temporary directory under a unique name "VTL....tmp"
// and, when its owner goes, whether the task succeeded or not, handed to the
// program's background remover (platform::WaitForPendingRemovals waits for
// it to be gone).
#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

// Creates a new, empty, uniquely named file and returns its full path, or an
// empty text (errno set) when it cannot be created.
QString MakeTaskTempFileName();

class TaskTempFile {
public:
    TaskTempFile();
    ~TaskTempFile();
    TaskTempFile(const TaskTempFile&) = delete;
    TaskTempFile& operator=(const TaskTempFile&) = delete;

    bool Ok() const { return !path_.isEmpty(); }
    const QString& Path() const { return path_; }
    // errno of the failed creation; 0 when Ok().
    int Error() const { return error_; }

private:
    QString path_;
    int error_ = 0;
};

// A new temporary file, or nothing after the file layer's message naming the
// temporary folder.
std::unique_ptr<TaskTempFile> MakeTaskTempFileOrReport();

// The whole of a task's output file when it holds at most maxBytes, or
// nothing after the file layer's message naming the file.
std::optional<QByteArray> ReadTaskOutput(const QString& path, int64_t maxBytes);

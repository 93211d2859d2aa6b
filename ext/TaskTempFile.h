#pragma once
// Temporary files that carry a task's input and output. Each is created
// empty in the user's temporary directory under a unique name "VTL....tmp"
// and removed when its owner goes, whether the task succeeded or not.
#include <QString>

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

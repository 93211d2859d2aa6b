#pragma once
// The progress of a long job on standard error: shown only when standard
// error is a terminal and the job has run for more than a second, redrawn
// at most a few times a second, and wiped when the job ends. Nothing at all
// reaches a pipe or a file.
#include <QElapsedTimer>
#include <QString>

#include <cstdint>

class ProgressLine {
public:
    explicit ProgressLine(QString label);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    // total 0: the end is unknown, only the time is shown.
    void Update(int64_t done, int64_t total);

private:
    QString label_;
    bool terminal_;
    bool shown_ = false;
    QElapsedTimer clock_;
    int64_t lastDrawMs_ = 0;
};

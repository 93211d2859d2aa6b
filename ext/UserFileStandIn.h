#pragma once
// Task modules open the paths they are given through the toolkit, which
// turns each byte of a name that is not UTF-8 into U+FFFD and so misses the
// file. For such a name the host gives the module a temporary stand-in: a
// copy of the user's file to read (Import), or an empty file to write that
// then takes the user's name (Export). Any other name goes to the module as
// it is. The stand-in is handed to the background remover with its owner,
// whatever happened.
#include "ext/TaskTempFile.h"

#include <QString>

#include <memory>
#include <optional>

class UserFileStandIn {
public:
    // Import. Nothing after the file layer's message, which names the user's
    // file when it cannot be read (the temporary folder when the copy
    // cannot be written).
    static std::optional<UserFileStandIn> ForInput(const QString& userPath);
    // Export. Nothing after the file layer's message naming the temporary folder.
    static std::optional<UserFileStandIn> ForOutput(const QString& userPath);

    // The path the module is given.
    QString ModulePath() const { return temp_ ? temp_->Path() : userPath_; }
    bool IsStandIn() const { return temp_ != nullptr; }
    // Export, once the module has written its output: the stand-in takes the
    // user's name. False after the file layer's message naming the user's file.
    bool Deliver();

private:
    explicit UserFileStandIn(const QString& userPath) : userPath_(userPath) {}

    QString userPath_;
    std::unique_ptr<TaskTempFile> temp_;
};

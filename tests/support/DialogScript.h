#pragma once
// Dialogs answered in the order they open. Each scripted driver handles one
// dialog and returns its result; a dialog nobody scripted fails the test and
// is rejected. The title of every dialog that opened is kept.
#include <QDialog>
#include <QStringList>

#include <deque>
#include <functional>
#include <gtest/gtest.h>

class DialogScript {
public:
    using Driver = std::function<int(QDialog&)>;

    void Then(Driver driver) { drivers_.push_back(std::move(driver)); }

    // For the program's dialog seam: runs the next driver on the dialog.
    int Run(QDialog& dialog)
    {
        titles_ << dialog.windowTitle();
        if (drivers_.empty()) {
            ADD_FAILURE() << "unexpected dialog " << dialog.windowTitle().toStdString();
            return int(QDialog::Rejected);
        }
        Driver driver = std::move(drivers_.front());
        drivers_.pop_front();
        return driver(dialog);
    }

    // Whether every scripted dialog has opened.
    bool Done() const { return drivers_.empty(); }
    const QStringList& Titles() const { return titles_; }

private:
    std::deque<Driver> drivers_;
    QStringList titles_;
};

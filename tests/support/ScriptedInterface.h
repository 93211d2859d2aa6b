#pragma once
// The user interface the tests give the program: dialogs and file choosers
// answered in the order they open, drags delivered by the test, web pages
// recorded. Nothing ever waits on a modal loop, a drag or a browser.
#include "furniture/UserInterface.h"

#include <QDialog>
#include <QList>
#include <QMimeData>
#include <QStringList>
#include <QUrl>

#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

class ScriptedInterface : public IUserInterface {
public:
    // Fills a dialog in and closes it; returns its result code.
    using Driver = std::function<int(QDialog&)>;
    using FileDriver = std::function<std::optional<FileAnswer>(const FileRequest&)>;

    void Then(Driver driver) { drivers_.push_back(std::move(driver)); }
    void ThenFile(FileDriver driver) { files_.push_back(std::move(driver)); }
    // The next file chooser answers with path, in the first of its filters;
    // nothing cancels it.
    void ThenFile(std::optional<QString> path)
    {
        ThenFile([path](const FileRequest& request) -> std::optional<FileAnswer> {
            if (!path)
                return std::nullopt;
            return FileAnswer{*path, request.nameFilters.value(0)};
        });
    }
    // Every dialog and file chooser past the script is cancelled.
    void CancelUnscripted()
    {
        otherwise = [](QDialog& dialog) {
            dialog.reject();
            return dialog.result();
        };
        otherwiseFile = [](const FileRequest&) { return std::optional<FileAnswer>(); };
    }
    // Whether every scripted dialog and file chooser has opened.
    bool Done() const { return drivers_.empty() && files_.empty(); }
    QStringList FileTitles() const
    {
        QStringList titles;
        for (const FileRequest& request : fileRequests)
            titles << request.title;
        return titles;
    }

    // What answers past the script; without it the test fails and the dialog is cancelled.
    Driver otherwise;
    FileDriver otherwiseFile;
    // Delivers every drag (the drop events included); the action the target took.
    std::function<Qt::DropAction(QMimeData* data, Qt::DropActions offered)> drag;
    // Whether the desktop's browser takes a page.
    bool urlsOpen = true;
    // Every dialog that opened, every file chooser and every page handed to the browser.
    QStringList titles;
    std::vector<FileRequest> fileRequests;
    QList<QUrl> urls;

    int RunDialog(QDialog& dialog) override
    {
        titles << dialog.windowTitle();
        if (drivers_.empty()) {
            if (otherwise)
                return otherwise(dialog);
            ADD_FAILURE() << "unexpected dialog " << dialog.windowTitle().toStdString();
            dialog.reject();
            return dialog.result();
        }
        const Driver driver = std::move(drivers_.front());
        drivers_.pop_front();
        return driver(dialog);
    }

    std::optional<FileAnswer> ChooseFile(QWidget*, const FileRequest& request) override
    {
        fileRequests.push_back(request);
        if (files_.empty()) {
            if (otherwiseFile)
                return otherwiseFile(request);
            ADD_FAILURE() << "unexpected file dialog " << request.title.toStdString();
            return std::nullopt;
        }
        const FileDriver driver = std::move(files_.front());
        files_.pop_front();
        return driver(request);
    }

    Qt::DropAction RunDrag(QWidget*, QMimeData* data, Qt::DropActions offered) override
    {
        const std::unique_ptr<QMimeData> owned(data);
        if (!drag) {
            ADD_FAILURE() << "unexpected drag";
            return Qt::IgnoreAction;
        }
        return drag(data, offered);
    }

    bool OpenUrl(const QUrl& url) override
    {
        urls << url;
        return urlsOpen;
    }

private:
    std::deque<Driver> drivers_;
    std::deque<FileDriver> files_;
};

#pragma once
// What the program asks of the user and the desktop: modal dialogs, file
// choosers, drags and web pages. The application makes one at start-up and
// hands it to every window and command that shows one, so tests give them a
// scripted one instead and never wait on a modal loop, a drag or a browser.
#include <QString>
#include <QStringList>
#include <Qt>
#include <optional>

class QDialog;
class QMimeData;
class QUrl;
class QWidget;

enum class FileChoice { Open, Save };

struct FileRequest {
    // Open: an existing file must be chosen. Save: asks before replacing one.
    FileChoice kind = FileChoice::Open;
    QString title;
    // The file or folder the dialog starts at; empty: where file dialogs start.
    QString startPath;
    // Select startPath by its exact name, for a start file whose name may
    // not be UTF-8.
    bool selectStartFile = false;
    QStringList nameFilters;
    // One of nameFilters to preselect; empty: the first.
    QString selectedFilter;
    // Added to a saved name typed without one (no dot).
    QString defaultSuffix;
};

struct FileAnswer {
    QString path;    // the exact name
    QString filter;  // the name filter the user left chosen
};

class IUserInterface {
public:
    virtual ~IUserInterface() = default;

    // Runs the dialog modally and returns its result code, as QDialog::exec does.
    virtual int RunDialog(QDialog& dialog) = 0;
    // Nothing when the dialog was cancelled.
    virtual std::optional<FileAnswer> ChooseFile(QWidget* parent, const FileRequest& request) = 0;
    // Drags data (which it owns) out of source, offering the actions; the
    // action the drop target took, IgnoreAction when none did.
    virtual Qt::DropAction RunDrag(QWidget* source, QMimeData* data, Qt::DropActions offered) = 0;
    // Opens a page in the desktop's browser; false when that failed.
    virtual bool OpenUrl(const QUrl& url) = 0;

    // The chosen file's path alone.
    std::optional<QString> ChooseFilePath(QWidget* parent, const FileRequest& request)
    {
        std::optional<FileAnswer> answer = ChooseFile(parent, request);
        if (!answer || answer->path.isEmpty())
            return std::nullopt;
        return answer->path;
    }
};

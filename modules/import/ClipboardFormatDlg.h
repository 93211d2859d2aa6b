#pragma once
// "Paste Raw Clipboard Data": lists the formats on the clipboard and returns
// the one the user picks.
#include <QDialog>
#include <QStringList>
#include <optional>

class QListWidget;
class QListWidgetItem;

namespace importer {

class CClipboardFormatDlg : public QDialog {
public:
    CClipboardFormatDlg(const QStringList& formats, QWidget* parent);

    // The chosen format after Accepted; nullopt after Cancel.
    std::optional<QString> ChosenFormat() const { return chosen_; }
    QListWidget* List() const { return list_; }

    // The entry text for a format: its name, or for a format without one
    // "Unknown format (%u)" with its position on the clipboard.
    static QString DisplayName(const QString& format, unsigned number);

private:
    void AcceptItem(QListWidgetItem* item);

    QListWidget* list_;
    QStringList formats_;
    std::optional<QString> chosen_;
};

// Shows the chooser owned by owner (a QWidget*, or null): the test hook of
// the platform seam answers instead when installed. Without a widget
// application there is no way to ask, which counts as Cancel.
std::optional<QString> ChooseClipboardFormat(const QStringList& formats, void* owner);

} // namespace importer

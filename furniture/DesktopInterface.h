#pragma once
// The program's own user interface: dialogs shown modally, file dialogs that
// reach names that are not UTF-8, QDrag, and the desktop's browser.
#include "furniture/UserInterface.h"

class CDesktopInterface : public IUserInterface {
public:
    int RunDialog(QDialog& dialog) override;
    std::optional<FileAnswer> ChooseFile(QWidget* parent, const FileRequest& request) override;
    Qt::DropAction RunDrag(QWidget* source, QMimeData* data, Qt::DropActions offered) override;
    bool OpenUrl(const QUrl& url) override;
};

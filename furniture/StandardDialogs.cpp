// The real dialogs behind IAppDialogs.
#include "furniture/AboutDlg.h"
#include "furniture/AppDialogs.h"
#include "furniture/DesktopInterface.h"
#include "furniture/FileFilters.h"
#include "furniture/FilePropertiesDlg.h"
#include "furniture/OpenFileDialog.h"
#include "furniture/PrintDialog.h"
#include "platform/StatusHooks.h"

#include <QPageSetupDialog>
#include <QPrinter>

namespace {

class StandardDialogs : public IAppDialogs {
public:
    std::optional<OpenFileChoice> ChooseFileToOpen(QWidget* parent, const QString& fileFilters) override
    {
        COpenFileDialog dialog(parent, fileFilters);
        dialog.exec();
        return dialog.Choice();
    }

    std::optional<QString> ChooseSaveAsPath(QWidget* parent, const QString& suggestedPath, const QString& fileFilters) override
    {
        CAnyNameFileDialog dialog(parent, QStringLiteral("Save As"));
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilters(QtNameFilters(fileFilters));
        dialog.SelectExactFile(suggestedPath);
        dialog.exec();
        const QString path = dialog.ChosenPath();
        if (path.isEmpty())
            return std::nullopt;
        return path;
    }

    std::optional<bool> EditFileProperties(QWidget* parent, const FileProperties& properties) override
    {
        CFilePropertiesDlg dialog(properties, parent);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.ReadOnly();
    }

    void ShowAbout(QWidget* parent) override
    {
        CAboutDlg dialog([this](const QUrl& url) { desktop_.OpenUrl(url); }, parent);
        dialog.exec();
    }

    void PageSetup(QWidget* parent, QPrinter& printer) override
    {
        QPageSetupDialog dialog(&printer, parent);
        dialog.exec();
    }

    bool ChoosePrintOptions(QWidget* parent, QPrinter& printer, bool hasSelection, const PrintPageCounter& pageCount,
                            PageSpan& pages) override
    {
        CPrintDialog dialog(printer, hasSelection, pageCount, parent);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        pages = dialog.ChosenPages();
        return true;
    }

private:
    // The About dialog's links go to the desktop's browser.
    CDesktopInterface desktop_;
};

} // namespace

std::unique_ptr<IAppDialogs> MakeStandardDialogs() { return std::make_unique<StandardDialogs>(); }

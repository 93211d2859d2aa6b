#pragma once
// The dialogs the application's commands open. The program uses the standard
// ones; tests substitute scripted answers, so no test ever waits on a modal.
#include "furniture/FileProperties.h"
#include "furniture/PrintRangeChoice.h"

#include <QString>
#include <memory>
#include <optional>

class QPrinter;
class QWidget;

struct OpenFileChoice {
    QString path;
    bool readOnly = false;
};

class IAppDialogs {
public:
    virtual ~IAppDialogs() = default;
    // The Open dialog with its read-only box (which starts cleared).
    virtual std::optional<OpenFileChoice> ChooseFileToOpen(QWidget* parent, const QString& fileFilters) = 0;
    // The Save As dialog; nothing when cancelled.
    virtual std::optional<QString> ChooseSaveAsPath(QWidget* parent, const QString& suggestedPath,
                                                    const QString& fileFilters) = 0;
    // File Properties; the read-only switch chosen, nothing when cancelled.
    virtual std::optional<bool> EditFileProperties(QWidget* parent, const FileProperties& properties) = 0;
    virtual void ShowAbout(QWidget* parent) = 0;
    // The page setup of printer, which keeps what the user chose.
    virtual void PageSetup(QWidget* parent, QPrinter& printer) = 0;
    // The print dialog on printer; false when cancelled. The "Selection"
    // choice is offered, and preselected, only with a selection. pageCount
    // measures the whole document's printout on the printer as set up; a
    // printout of more pages than the printer's own from-to range holds
    // gets page fields of 64 bits, whose range comes back in pages (left
    // empty otherwise).
    virtual bool ChoosePrintOptions(QWidget* parent, QPrinter& printer, bool hasSelection,
                                    const PrintPageCounter& pageCount, PageSpan& pages) = 0;
};

std::unique_ptr<IAppDialogs> MakeStandardDialogs();

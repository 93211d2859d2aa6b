#pragma once
// The "Options" dialog: five pages over a copy of the settings. Nothing
// changes until OK; then State() holds every page's values.
#include "app/OptionsState.h"

#include <QDialog>

class COptionsDisplay;
class COptionsFileFilters;
class COptionsFont;
class COptionsGeneral;
class COptionsStatus;
class IUserInterface;
class QDialogButtonBox;
class QTabWidget;

class COptionsDlg : public QDialog {
    Q_OBJECT
public:
    // ui shows the dialogs the pages open.
    COptionsDlg(const OptionsState& state, int page, IUserInterface& ui, QWidget* parent = nullptr);

    const OptionsState& State() const { return state_; }
    // The page shown when the dialog closed, to open on next time.
    int Page() const;

    QTabWidget* Tabs() const { return tabs_; }
    QDialogButtonBox* Buttons() const { return buttons_; }
    COptionsGeneral* General() const { return general_; }
    COptionsDisplay* Display() const { return display_; }
    COptionsFont* FontPage() const { return font_; }
    COptionsStatus* Status() const { return status_; }
    COptionsFileFilters* FileTypes() const { return fileTypes_; }

    void accept() override;

private:
    OptionsState state_;
    QTabWidget* tabs_;
    QDialogButtonBox* buttons_;
    COptionsGeneral* general_;
    COptionsDisplay* display_;
    COptionsFont* font_;
    COptionsStatus* status_;
    COptionsFileFilters* fileTypes_;
};

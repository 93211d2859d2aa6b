// The Options command: the dialog on the page shown last, and on OK every
// value applied in a fixed order, then every view refreshed.
#include "BinEditApp.h"

#include "app/MainFrame.h"
#include "app/OptionsDlg.h"
#include "platform/MessageBox.h"
#include "settings/AppSettings.h"
#include "furniture/UserInterface.h"

void CBinEditApp::OnToolsOptions()
{
    if (!mainFrame_)
        return;
    OptionsState state;
    state.settings = context_.settings;
    const CMainFrame::ShownBars bars = mainFrame_->Bars();
    state.standardBar = bars.standard;
    state.bookmarksBar = bars.bookmarks;
    state.statusBar = bars.status;
    COptionsDlg dialog(state, optionsPage_, ui_, mainFrame_.get());
    const int result = ui_.RunDialog(dialog);
    optionsPage_ = dialog.Page();
    if (result == QDialog::Accepted)
        ApplyOptions(dialog.State());
}

void CBinEditApp::ApplyOptions(const OptionsState& chosen)
{
    AppSettings& s = context_.settings;
    const AppSettings& c = chosen.settings;
    const bool layoutChanged = s.bytesPerRow != c.bytesPerRow || s.sizeToFit != c.sizeToFit || s.groupBy != c.groupBy;

    s.multipleInstances = c.multipleInstances;
    if (s.addToExplorerMenu != c.addToExplorerMenu) {
        s.addToExplorerMenu = c.addToExplorerMenu;
        if (!UpdateSendToShortcut(c.addToExplorerMenu))
            platform::ShowMessage(QStringLiteral("The \"Open With\" entry for Vantrel could not be %1.")
                                      .arg(c.addToExplorerMenu ? QStringLiteral("created") : QStringLiteral("removed")),
                                  platform::MsgButtons::Ok, platform::MsgIcon::Warning);
    }
    s.overstrikeOnStartup = c.overstrikeOnStartup;
    s.flickerFreePainting = c.flickerFreePainting;
    s.printBlackWhite = c.printBlackWhite;
    s.replaceSelection = c.replaceSelection;
    s.dragAndDrop = c.dragAndDrop;
    s.showAllChars = c.showAllChars;
    s.scrollTracking = c.scrollTracking;
    mainFrame_->ShowBars({chosen.standardBar, chosen.bookmarksBar, chosen.statusBar});
    s.warnCantUndo = c.warnCantUndo;
    s.undoLevels = c.undoLevels;
    s.redoLevels = std::min(c.redoLevels, c.undoLevels);
    s.extentThresholdMiB = c.extentThresholdMiB;
    s.blockCacheMiB = c.blockCacheMiB;
    documents_.ApplyDocumentSettings();
    s.pasteOverwrite = c.pasteOverwrite;
    s.newFile = c.newFile;
    s.promptForPasteMode = c.promptForPasteMode;
    s.bytesPerRow = c.bytesPerRow;
    s.sizeToFit = c.sizeToFit;
    s.groupBy = c.groupBy;
    s.showDash = c.showDash;
    s.showSizeBar = c.showSizeBar;
    std::copy(std::begin(c.colors), std::end(c.colors), std::begin(s.colors));
    std::copy(std::begin(c.userColors), std::end(c.userColors), std::begin(s.userColors));
    s.font2 = c.font2;
    s.offsetFormat = c.offsetFormat;
    s.columns = c.columns;
    s.statusFormat = c.statusFormat;
    s.posSelStyle = c.posSelStyle;
    s.fileFilters = c.fileFilters;
    RefreshAllViews(layoutChanged);
}

// SIGTERM and SIGINT: the program closes as File > Exit does, but never
// while long work (a print, a comparison, a task) still reads the documents
// that the exit would close, and a request during start-up ends the program
// before its main window opens.
#include "app/BinEditApp.h"
#include "app/CommandId.h"
#include "app/MainFrame.h"
#include "platform/TerminationSignal.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>

namespace {

// What the held-up work waits for is answered as Esc would answer it: a
// message box takes its cautious answer, a dialog is cancelled.
void CloseWaitingDialog()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal))
        box->close();
    else if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
}

} // namespace

void CBinEditApp::InstallTerminationHandler()
{
    terminationHandlerInstalled_ = true;
    platform::OnTerminationSignal(
        [this] {
            if (mainFrame_)
                mainFrame_->Action(Cmd::FileExit)->trigger();
        },
        &CloseWaitingDialog);
}

bool CBinEditApp::StopStartupOnRequest()
{
    if (platform::TerminationPending())
        endedOnRequest_ = true;
    return endedOnRequest_;
}

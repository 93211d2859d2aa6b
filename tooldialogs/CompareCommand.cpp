#include "CompareCommand.h"

#include "core/BinEditDoc.h"
#include "platform/EscapePoller.h"
#include "platform/MessageBox.h"
#include "platform/StatusHooks.h"
#include "platform/SystemMemory.h"
#include "platform/TerminationSignal.h"
#include "settings/AppSettings.h"
#include "tooldialogs/CompareFilesDlg.h"
#include "tooldialogs/CompareResultsDlg.h"
#include "tooldialogs/DifferenceFoundDlg.h"
#include "tooldialogs/ToolDialogSeam.h"
#include "tooldialogs/ViewToolAdapter.h"
#include "tools/CompareReport.h"
#include "tools/CoreMessages.h"
#include "tools/FileCompare.h"
#include "view/BinEditView.h"

#include <QCoreApplication>
#include <QPointer>

namespace {

QString NameOf(const CBinEditView& view)
{
    const CBinEditDoc* doc = view.Document();
    return doc->PathName().isEmpty() ? doc->Title() : doc->PathName();
}

// Caret at the end of the difference, the selection back to its start.
void SelectIn(CBinEditView* view, int32_t start, int32_t length)
{
    if (!view)
        return;
    CViewToolAdapter(*view).Select(start, start + length);
}

void SelectDifference(CBinEditView* view1, CBinEditView* view2, const CompareDifference& d)
{
    SelectIn(view1, d.offset1, d.length1);
    SelectIn(view2, d.offset2, d.length2);
}

} // namespace

CCompareCommand::CCompareCommand(ICompareWindows& windows)
    : windows_(windows), escapePoller_(platform::MakeEventEscapePoller())
{
}

size_t CCompareCommand::TableLimit(const CFileBuffer& file1, const CFileBuffer& file2) const
{
    if (tableLimit_)
        return *tableLimit_;
    const uint64_t half = platform::PhysicalMemoryBytes() / 2;
    if (half == 0)
        return SIZE_MAX;
    const uint64_t documents = uint64_t(file1.Size()) + uint64_t(file2.Size());
    return size_t(half > documents ? half - documents : 0);
}

void CCompareCommand::Run()
{
    // The comparison reads both documents between its dialogs and Esc
    // checks; a request to end the program stops it as Esc does, and the
    // documents close only after this returns.
    platform::TerminationHold comparing;
    AppSettings& settings = Settings();
    CCompareFilesDlg dialog(windows_.OpenDocumentNames(), settings.minMatchLen, settings.sideBySide,
                            windows_.DialogParent());
    if (RunToolDialog(dialog) != QDialog::Accepted)
        return;
    settings.minMatchLen = dialog.MinMatchLen();
    settings.sideBySide = dialog.SideBySide();

    QPointer<CBinEditView> view1 = windows_.ViewForCompare(dialog.File(1));
    if (!view1)
        return;
    QPointer<CBinEditView> view2 = windows_.ViewForCompare(dialog.File(2));
    if (!view2 || !view1)
        return;
    windows_.ArrangeForCompare(view1, view2, dialog.SideBySide());
    const QString path1 = NameOf(*view1);
    const QString path2 = NameOf(*view2);
    const bool hexOffsets = settings.offsetFormat == 1;

    CFileCompare compare(view1->Document()->Buffer(), view2->Document()->Buffer(), dialog.MinMatchLen());
    compare.SetEscapePoller(escapePoller_);
    compare.SetTableMemoryLimit(TableLimit(view1->Document()->Buffer(), view2->Document()->Buffer()));

    auto findNext = [&] {
        // Let the arranged windows and the last selection paint before the scan.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        CompareStep step = compare.FindNextDifference();
        if (step == CompareStep::Found)
            SelectDifference(view1, view2, compare.Differences().back());
        // Asked to end while the scan finished: no dialog is shown any more.
        const bool failed = step == CompareStep::OutOfMemory || step == CompareStep::ReadFailed;
        if (!failed && platform::TerminationPending())
            step = CompareStep::Cancelled;
        // A stopped scan leaves no "Press Esc" behind.
        if (step == CompareStep::Cancelled || failed)
            platform::ShowStatusText(QString());
        if (step == CompareStep::OutOfMemory)
            platform::ShowMessage(CompareOutOfMemoryText());
        if (step == CompareStep::ReadFailed)
            ShowCoreProblem(compare.Problem());
        return step;
    };

    CompareStep step = findNext();
    if (step == CompareStep::NoMore) {
        platform::ShowStatusText(QString());
        platform::ShowMessage(FilesMatchText(path1, path2), platform::MsgButtons::Ok, platform::MsgIcon::Information);
        return;
    }
    bool findAll = false;
    while (step == CompareStep::Found) {
        if (!findAll) {
            CDifferenceFoundDlg found(DifferenceFoundText(path1, path2, compare.Differences().back(), hexOffsets),
                                      windows_.DialogParent());
            const int choice = RunToolDialog(found);
            if (choice != CDifferenceFoundDlg::FindNext && choice != CDifferenceFoundDlg::FindAll)
                return;
            findAll = choice == CDifferenceFoundDlg::FindAll;
        }
        step = findNext();
    }
    if (step != CompareStep::NoMore || !view1 || !view2)
        return;
    platform::ShowStatusText(QString());
    CCompareResultsDlg results(path1, path2, compare.Differences(), hexOffsets,
                               [&](const CompareDifference& d) { SelectDifference(view1, view2, d); },
                               windows_.DialogParent());
    RunToolDialog(results);
}

#include "CompareCommand.h"

#include "core/BinEditDoc.h"
#include "furniture/FileFilters.h"
#include "platform/EscapePoller.h"
#include "platform/MessageBox.h"
#include "platform/StatusHooks.h"
#include "platform/SystemMemory.h"
#include "platform/TerminationSignal.h"
#include "settings/AppSettings.h"
#include "tooldialogs/CompareFilesDlg.h"
#include "tooldialogs/CompareResultsDlg.h"
#include "tooldialogs/DifferenceFoundDlg.h"
#include "tools/CompareReport.h"
#include "tools/CoreMessages.h"
#include "tools/CompareSummary.h"
#include "tools/FileCompare.h"
#include "view/BinEditView.h"
#include "furniture/UserInterface.h"

#include <QPointer>
#include <algorithm>

namespace {

// The bytes a document keeps in memory: its memory chunks. A big file's
// extents are read from the disk as they are needed and hold none of its
// size, so counting them would leave no room for the tables at all once two
// files together outgrow half the memory.
uint64_t MemoryHeldBy(const CFileBuffer& buffer)
{
    uint64_t bytes = 0;
    for (const CBufferChunk* chunk = buffer.First(); chunk; chunk = chunk->next)
        if (!chunk->IsExtent())
            bytes += chunk->capacity;
    return bytes;
}

} // namespace

CCompareCommand::CCompareCommand(ICompareWindows& windows, AppSettings& settings, IUserInterface& ui)
    : windows_(windows), settings_(settings), ui_(ui), escapePoller_(platform::MakeEventEscapePoller())
{
}

size_t CCompareCommand::TableLimit(const CFileBuffer& file1, const CFileBuffer& file2) const
{
    if (tableLimit_)
        return *tableLimit_;
    const uint64_t half = platform::PhysicalMemoryBytes() / 2;
    if (half == 0)
        return SIZE_MAX;
    const uint64_t documents = MemoryHeldBy(file1) + MemoryHeldBy(file2);
    return size_t(half > documents ? half - documents : 0);
}

void CCompareCommand::Run()
{
    // The comparison reads both documents between its dialogs and Esc
    // checks; a request to end the program stops it as Esc does, and the
    // documents close only after this returns.
    platform::TerminationHold comparing;
    AppSettings& settings = settings_;
    CCompareFilesDlg dialog(windows_.OpenDocumentNames(), settings.minMatchLen, settings.sideBySide,
                            QtNameFilters(settings.fileFilters), ui_, windows_.DialogParent());
    if (ui_.RunDialog(dialog) != QDialog::Accepted)
        return;
    settings.minMatchLen = dialog.MinMatchLen();
    settings.sideBySide = dialog.SideBySide();

    QPointer<CBinEditView> view1 = windows_.ViewForCompare(dialog.File(1));
    if (!view1)
        return;
    QPointer<CBinEditView> view2 = windows_.ViewForCompare(dialog.File(2));
    if (!view2 || !view1)
        return;
    // A new comparison replaces the last one, whose colours go.
    session_.reset();
    windows_.ArrangeForCompare(view1, view2, dialog.SideBySide());
    if (!view1 || !view2)
        return;
    session_ = std::make_unique<CCompareSession>(
        view1, view2, dialog.MinMatchLen(), TableLimit(view1->Document()->Buffer(), view2->Document()->Buffer()));
    session_->SetEscapePoller(escapePoller_);
    session_->SetLinked(true);
    windows_.SessionStarted(session_.get());
    CCompareSession& session = *session_;
    const QString path1 = session.Name(1);
    const QString path2 = session.Name(2);
    const bool hexOffsets = settings.offsetFormat == 1;

    CompareStep step = session.FindNext();
    if (step == CompareStep::NoMore) {
        platform::ShowStatusText(QString());
        platform::ShowMessage(FilesMatchText(path1, path2), platform::MsgButtons::Ok, platform::MsgIcon::Information);
        return;
    }
    bool findAll = false;
    while (step == CompareStep::Found) {
        if (!findAll) {
            CDifferenceFoundDlg found(DifferenceFoundText(path1, path2, session.Differences().back(), hexOffsets),
                                      windows_.DialogParent());
            const int choice = ui_.RunDialog(found);
            if (choice != CDifferenceFoundDlg::FindNext && choice != CDifferenceFoundDlg::FindAll)
                return;
            findAll = choice == CDifferenceFoundDlg::FindAll;
        }
        step = session.FindNext();
    }
    if (step != CompareStep::NoMore || !session.HasResults())
        return;
    const QString summary = CompareSummaryText(SummarizeDifferences(session.Differences()));
    platform::ShowStatusText(summary);
    CCompareResultsDlg results(
        path1, path2, session.Differences(), hexOffsets,
        [&](const CompareDifference& d) {
            const auto& all = session.Differences();
            const auto it = std::find(all.begin(), all.end(), d);
            if (it != all.end())
                session.Select(size_t(it - all.begin()));
        },
        ui_, windows_.DialogParent());
    ui_.RunDialog(results);
}

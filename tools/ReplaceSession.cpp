#include "ReplaceSession.h"

#include "core/BinEditDoc.h"
#include "platform/MessageBox.h"
#include "platform/StatusHooks.h"
#include "tools/CoreMessages.h"
#include "tools/FindCommands.h"
#include "tools/SearchPattern.h"
#include "tools/ToolView.h"

QString ReplaceCompleteText() { return QStringLiteral("Search and replace is complete."); }

CReplaceSession::CReplaceSession(CBinEditDoc& doc, IToolView& view, const SearchState& search)
    : doc_(doc), view_(view), engine_(search.Engine()), replacement_(search.replacement)
{
}

void CReplaceSession::Begin()
{
    start_ = view_.Selection().End();
    wrapBound_ = -1;
    match_ = -1;
    view_.Select(start_, start_);
}

CReplaceSession::Step CReplaceSession::FindNext() { return SearchFrom(view_.Selection().End()); }

CReplaceSession::Step CReplaceSession::SearchFrom(int64_t from)
{
    platform::WaitCursor wait;
    CFileBuffer& buffer = doc_.Buffer();
    const int32_t n = engine_.Length();
    int64_t found = engine_.FindForward(buffer, from, wrapBound_ < 0 ? buffer.Size() : wrapBound_);
    if (found < 0 && wrapBound_ < 0 && start_ > 0 && !engine_.Problem()) {
        // Once wrapped, the run may take matches that begin before the start.
        platform::ShowStatusText(PassedEndOfFileText());
        wrapBound_ = start_ + n - 1;
        found = engine_.FindForward(buffer, 0, wrapBound_);
    }
    if (found < 0 && engine_.Problem()) {
        // The file could not be read: the run cannot go on, nor claim to be complete.
        match_ = -1;
        ShowCoreProblem(engine_.Problem());
        return Step::Stopped;
    }
    if (found < 0) {
        match_ = -1;
        platform::ShowMessage(ReplaceCompleteText(), platform::MsgButtons::Ok, platform::MsgIcon::Information);
        return Step::Complete;
    }
    match_ = found;
    view_.Select(found + n, found);
    return Step::Found;
}

bool CReplaceSession::MatchIsSelected() const
{
    if (match_ < 0)
        return false;
    const SelectionState selection = view_.Selection();
    return selection.hasSelection && selection.selStart == match_ && selection.selEnd == match_ + engine_.Length();
}

CReplaceSession::Step CReplaceSession::Replace()
{
    if (!MatchIsSelected())
        return FindNext();
    const int32_t n = engine_.Length();
    const auto r = int32_t(replacement_.size());
    const int64_t sizeBefore = doc_.Size();
    CBufferPos at;
    at.Bind(&doc_.Buffer(), false, match_);
    if (!doc_.ReplaceAt(at, n, replacement_.constData(), r)) {
        // Refused (read-only, or the history question answered No), or an
        // insertion came out short, in which case the history is already cleared.
        if (doc_.Size() != sizeBefore)
            doc_.UndoList().Clear();
        match_ = -1;
        return Step::Stopped;
    }
    if (wrapBound_ >= 0)
        wrapBound_ += r - n;
    const int64_t after = match_ + r;
    view_.Select(after, after);
    return SearchFrom(after);
}

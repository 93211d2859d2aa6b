#include "FindCommands.h"

#include "core/FileBuffer.h"
#include "platform/MessageBox.h"
#include "platform/StatusHooks.h"
#include "tools/CoreMessages.h"
#include "tools/SearchPattern.h"
#include "tools/ToolView.h"

QString SearchNotFoundText() { return QStringLiteral("Search pattern not found."); }
QString PassedEndOfFileText() { return QStringLiteral("Passed the end of the file."); }
QString PassedBeginningOfFileText() { return QStringLiteral("Passed the beginning of the file."); }

namespace {
// Nothing was found, or the file could not be read to the end: the
// problem's message then replaces "not found", which would be untrue.
void ReportNotFound(const CByteSearch& search)
{
    if (search.Problem())
        ShowCoreProblem(search.Problem());
    else
        platform::ShowMessage(SearchNotFoundText(), platform::MsgButtons::Ok, platform::MsgIcon::Information);
}
} // namespace

int64_t SearchDownward(CFileBuffer& buffer, const CByteSearch& search, int64_t start)
{
    platform::WaitCursor wait;
    const int64_t found = search.FindForward(buffer, start, buffer.Size());
    if (found >= 0)
        return found;
    if (start > 0 && !search.Problem()) {
        // The wrapped pass takes only matches that end before the first pass began.
        platform::ShowStatusText(PassedEndOfFileText());
        const int64_t wrapped = search.FindForward(buffer, 0, start);
        if (wrapped >= 0)
            return wrapped;
    }
    ReportNotFound(search);
    return -1;
}

int64_t SearchUpward(CFileBuffer& buffer, const CByteSearch& search, int64_t start)
{
    platform::WaitCursor wait;
    const int64_t found = search.FindBackward(buffer, start, 0);
    if (found >= 0)
        return found;
    if (start < buffer.Size() && !search.Problem()) {
        // The wrapped pass takes only matches that start at or after the first pass's start.
        platform::ShowStatusText(PassedBeginningOfFileText());
        const int64_t wrapped = search.FindBackward(buffer, buffer.Size(), start);
        if (wrapped >= 0)
            return wrapped;
    }
    ReportNotFound(search);
    return -1;
}

namespace {
bool SelectFound(IToolView& view, int64_t found, int32_t length)
{
    if (found < 0)
        return false;
    view.Select(found, found + length);
    return true;
}
} // namespace

bool FindNext(CFileBuffer& buffer, IToolView& view, const SearchState& search)
{
    const CByteSearch engine = search.Engine();
    return SelectFound(view, SearchDownward(buffer, engine, view.Selection().End()), engine.Length());
}

bool FindPrevious(CFileBuffer& buffer, IToolView& view, const SearchState& search)
{
    const CByteSearch engine = search.Engine();
    return SelectFound(view, SearchUpward(buffer, engine, view.Selection().Start()), engine.Length());
}

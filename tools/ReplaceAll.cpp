#include "ReplaceAll.h"

#include "core/BinEditDoc.h"
#include "platform/FileErrors.h"
#include "platform/MessageBox.h"
#include "platform/StatusHooks.h"
#include "tools/CoreMessages.h"
#include "tools/DistinctValues.h"
#include "tools/FindCommands.h"
#include "tools/SearchPattern.h"
#include "tools/ToolView.h"

#include <algorithm>
#include <new>
#include <vector>

QString ReplacingStatusText() { return QStringLiteral("Replacing...  Press Esc to stop"); }

QString ReplacedStatusText(int64_t count) { return QStringLiteral("Replaced %1 occurrence(s).").arg(count); }

namespace {

// Grows by half (at least one interval's worth) so that the table never
// holds more than half again what it uses, whatever the number of matches.
void MakeRoom(std::vector<OccurrencePair>& pairs)
{
    if (pairs.size() < pairs.capacity())
        return;
    const size_t capacity = pairs.capacity();
    pairs.reserve(capacity + std::max<size_t>(REPLACE_ESC_INTERVAL, capacity / 2));
}

class ReplaceAllRun {
public:
    ReplaceAllRun(CBinEditDoc& doc, const SearchState& search)
        : doc_(doc), engine_(search.Engine()), replacement_(search.replacement),
          n_(engine_.Length()), r_(int32_t(search.replacement.size())), distinct_(n_), matched_(size_t(n_))
    {
    }

    void Run(int64_t start, int64_t end, const EscapePoller& escapePressed)
    {
        cursor_.Bind(&doc_.Buffer(), false, start);
        end_ = end;
        sizeBefore_ = doc_.Size();
        try {
            Loop(escapePressed);
        } catch (const std::bad_alloc&) {
            platform::ShowMessage(platform::OutOfMemoryText());
            outcome_.failed = true;
        }
        outcome_.distinctValues = distinct_.Count();
        outcome_.tableBytes = std::max<int64_t>(outcome_.tableBytes, int64_t(pairs_.capacity() * sizeof(OccurrencePair)));
    }

    void Finish(IToolView& view)
    {
        if (outcome_.replaced == 0) {
            if (!outcome_.stoppedByUser && !outcome_.failed && !outcome_.readProblem)
                platform::ShowMessage(SearchNotFoundText(), platform::MsgButtons::Ok, platform::MsgIcon::Information);
            platform::ShowStatusText(outcome_.stoppedByUser ? ReplacedStatusText(0) : QString());
            return;
        }
        if (outcome_.failed) {
            // The file no longer matches the history, and this run cannot be recorded.
            doc_.UndoList().Clear();
        } else {
            const ReplaceAllRecord record{n_, r_, distinct_.Count(), distinct_.Values().data(), &pairs_};
            doc_.RecordReplaceAll(record);
        }
        platform::ShowStatusText(ReplacedStatusText(outcome_.replaced));
        const int64_t first = pairs_.empty() ? cursor_.Offset() : pairs_.front().offset;
        view.Select(cursor_.Offset(), cursor_.Offset());
        doc_.SetModifiedFlag(true);
        // The replacements reach from the first match to the end of the last one,
        // or, when they change the size, to the end of the file.
        const int64_t last = pairs_.empty() ? first : pairs_.back().offset + r_;
        doc_.UpdateAllViews(nullptr, n_ == r_ ? DocumentChange::Overwritten(first, last - first)
                                              : DocumentChange::Replaced(first, sizeBefore_ - first,
                                                                         doc_.Size() - first));
    }

    const ReplaceAllOutcome& Outcome() const { return outcome_; }

private:
    void Loop(const EscapePoller& escapePressed)
    {
        for (;;) {
            const int64_t found = engine_.FindForward(cursor_, end_);
            if (found < 0) {
                outcome_.readProblem = engine_.Problem();
                ShowCoreProblem(outcome_.readProblem);
                return;
            }
            if (outcome_.replaced % REPLACE_ESC_INTERVAL == 0) {
                MakeRoom(pairs_);
                if (escapePressed && escapePressed()) {
                    outcome_.stoppedByUser = true;
                    return;
                }
            }
            cursor_.Forward(found - cursor_.Offset());
            if (!ReplaceHere())
                return;
        }
    }

    // Replaces the match at the cursor and moves past the new bytes.
    bool ReplaceHere()
    {
        cursor_.Read(matched_.data(), n_);
        const int32_t index = distinct_.IndexOf(matched_.data());
        MakeRoom(pairs_);
        pairs_.push_back({cursor_.Offset(), index});

        int64_t length = r_;
        bool complete = true;
        if (r_ > n_) {
            const int64_t inserted = cursor_.Insert(r_ - n_);
            complete = inserted == r_ - n_;
            length = n_ + inserted;
        } else if (r_ < n_) {
            cursor_.Delete(n_ - r_);
        }
        cursor_.Write(replacement_.constData(), length);
        cursor_.Forward(length);
        end_ += length - n_;
        ++outcome_.replaced;
        if (!complete)
            outcome_.failed = true;  // the buffer has told the user why
        return complete;
    }

    CBinEditDoc& doc_;
    CByteSearch engine_;
    QByteArray replacement_;
    int32_t n_;
    int32_t r_;
    CBufferPos cursor_;
    int64_t end_ = 0;
    int64_t sizeBefore_ = 0;
    CDistinctValues distinct_;
    std::vector<OccurrencePair> pairs_;
    std::vector<uint8_t> matched_;
    ReplaceAllOutcome outcome_;
};

} // namespace

ReplaceAllOutcome ReplaceAll(CBinEditDoc& doc, IToolView& view, const SearchState& search, bool inSelection,
                             const EscapePoller& escapePressed)
{
    if (doc.IsReadOnly())
        return {};
    const SelectionState selection = view.Selection();
    int64_t start = 0;
    int64_t end = doc.Size();
    if (inSelection && selection.hasSelection) {
        start = std::clamp<int64_t>(selection.selStart, 0, end);
        end = std::clamp(selection.selEnd, start, end);
    }
    platform::WaitCursor wait;
    platform::ShowStatusText(ReplacingStatusText());
    ReplaceAllRun run(doc, search);
    run.Run(start, end, escapePressed);
    run.Finish(view);
    return run.Outcome();
}

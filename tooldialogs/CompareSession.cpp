#include "CompareSession.h"

#include "core/BinEditDoc.h"
#include "platform/MessageBox.h"
#include "platform/StatusHooks.h"
#include "platform/TerminationSignal.h"
#include "tools/CoreMessages.h"
#include "tools/DifferenceSteps.h"
#include "view/BinEditView.h"
#include "view/CaretController.h"

#include <QCoreApplication>
#include <algorithm>

namespace {

const std::vector<CompareDifference> kNoDifferences;

QString NoFurtherDifferenceText() { return QStringLiteral("No further differences"); }
QString NoEarlierDifferenceText() { return QStringLiteral("No earlier differences"); }

// Caret at the end of the stretch, the selection back to its start. The
// caret is set directly: its offsets are 64-bit, so a difference past 2 GiB
// is selected where it is.
void SelectIn(CBinEditView* view, int64_t start, int64_t length)
{
    if (!view)
        return;
    view->CaretControl().SetCaret(start, CaretMode::Move);
    if (length != 0)
        view->CaretControl().SetCaret(start + length, CaretMode::Extend);
}

} // namespace

CCompareSession::CCompareSession(CBinEditView* view1, CBinEditView* view2, int32_t minMatchLen, size_t tableLimit)
    : view1_(view1), view2_(view2), doc1_(view1->Document()), doc2_(view2->Document()),
      compare_(std::make_unique<CFileCompare>(doc1_->Buffer(), doc2_->Buffer(), minMatchLen))
{
    compare_->SetTableMemoryLimit(tableLimit);
    doc1_->AddView(this);
    doc2_->AddView(this);
    // A closing view ends the session while its document still exists: the
    // documents close only after their views.
    connect(view1, &QObject::destroyed, this, [this] { ViewGone(view1_); });
    connect(view2, &QObject::destroyed, this, [this] { ViewGone(view2_); });
    for (CBinEditView* view : {view1, view2})
        connect(view, &CBinEditView::topChanged, this, [this, view](int64_t top) { Follow(view, top); });
}

// The view is past its own destructor when it says it is destroyed, only a
// QObject left: it is forgotten before closing repaints the views and tells
// the commands, so nothing calls into it or even casts to it.
void CCompareSession::ViewGone(QPointer<CBinEditView>& gone)
{
    gone.clear();
    Close();
}

CCompareSession::~CCompareSession()
{
    if (IsOpen()) {
        doc1_->RemoveView(this);
        doc2_->RemoveView(this);
        compare_.reset();
        RepaintViews();
    }
}

void CCompareSession::SetEscapePoller(EscapePoller poller)
{
    if (compare_)
        compare_->SetEscapePoller(std::move(poller));
}

const std::vector<CompareDifference>& CCompareSession::Differences() const
{
    return HasResults() ? compare_->Differences() : kNoDifferences;
}

QString CCompareSession::Name(int file) const
{
    const CBinEditDoc* doc = file == 1 ? doc1_ : doc2_;
    return doc->PathName().isEmpty() ? doc->Title() : doc->PathName();
}

void CCompareSession::Close()
{
    if (!doc1_)
        return;
    doc1_->RemoveView(this);
    doc2_->RemoveView(this);
    doc1_ = doc2_ = nullptr;
    compare_.reset();
    current_.reset();
    // The other view no longer shows a comparison.
    RepaintViews();
    emit changed();
}

void CCompareSession::DropResults()
{
    if (!compare_)
        return;
    compare_.reset();
    current_.reset();
    RepaintViews();
    emit changed();
}

void CCompareSession::RepaintViews()
{
    for (CBinEditView* view : {view1_.data(), view2_.data()})
        if (view)
            view->RepaintAll();
}

CompareStep CCompareSession::FindNext()
{
    if (!HasResults() || complete_)
        return CompareStep::NoMore;
    // Let the arranged windows and the last selection paint before the scan.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (!HasResults())
        return CompareStep::Cancelled;
    CompareStep step = compare_->FindNextDifference();
    if (step == CompareStep::Found)
        Select(compare_->Differences().size() - 1);
    if (step == CompareStep::NoMore)
        complete_ = true;
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
        ShowCoreProblem(compare_->Problem());
    // A failed or stopped comparison cannot go on from where it stands.
    if (step == CompareStep::Cancelled || failed)
        complete_ = true;
    return step;
}

void CCompareSession::Select(size_t index)
{
    const std::vector<CompareDifference>& all = Differences();
    if (index >= all.size())
        return;
    const CompareDifference& d = all[index];
    SelectIn(view1_, d.offset1, d.length1);
    SelectIn(view2_, d.offset2, d.length2);
    current_ = index;
    currentCaret_[0] = view1_ ? view1_->Caret().Offset() : 0;
    currentCaret_[1] = view2_ ? view2_->Caret().Offset() : 0;
}

bool CCompareSession::GoToNext(const CBinEditView* from)
{
    if (!HasResults())
        return false;
    const int file = FileOf(from);
    const int64_t caret = View(file)->Caret().Offset();
    // While the caret stays where the last step left it, step from that
    // difference; otherwise from the caret.
    const bool fromCurrent = current_ && currentCaret_[file - 1] == caret;
    std::optional<size_t> next;
    if (fromCurrent)
        next = *current_ + 1 < Differences().size() ? std::optional<size_t>(*current_ + 1) : std::nullopt;
    else
        next = NextDifferenceFrom(Differences(), file, caret);
    // None known ahead: scan on until one starts at or after the caret.
    while (!next && !complete_) {
        const size_t known = Differences().size();
        if (FindNext() != CompareStep::Found)
            break;
        next = fromCurrent ? std::optional<size_t>(known) : NextDifferenceFrom(Differences(), file, caret);
    }
    if (!next || !HasResults()) {
        platform::ShowStatusText(NoFurtherDifferenceText());
        return false;
    }
    Select(*next);
    return true;
}

bool CCompareSession::GoToPrevious(const CBinEditView* from)
{
    if (!HasResults())
        return false;
    const int file = FileOf(from);
    const int64_t caret = View(file)->Caret().Offset();
    std::optional<size_t> previous;
    if (current_ && currentCaret_[file - 1] == caret)
        previous = *current_ > 0 ? std::optional<size_t>(*current_ - 1) : std::nullopt;
    else
        previous = PreviousDifferenceFrom(Differences(), file, caret);
    if (!previous) {
        platform::ShowStatusText(NoEarlierDifferenceText());
        return false;
    }
    Select(*previous);
    return true;
}

std::vector<std::pair<int64_t, int64_t>> CCompareSession::DifferencesIn(const CBinEditDoc& doc, int64_t from,
                                                                        int64_t to) const
{
    std::vector<std::pair<int64_t, int64_t>> stretches;
    if (!HasResults() || (&doc != doc1_ && &doc != doc2_))
        return stretches;
    const int file = &doc == doc1_ ? 1 : 2;
    const std::vector<CompareDifference>& all = Differences();
    // Differences ascend in both files: start from the first one ending after from.
    auto it = std::partition_point(all.begin(), all.end(), [&](const CompareDifference& d) {
        return (file == 1 ? int64_t(d.offset1) + d.length1 : int64_t(d.offset2) + d.length2) <= from;
    });
    for (; it != all.end(); ++it) {
        const int64_t start = file == 1 ? it->offset1 : it->offset2;
        const int64_t length = file == 1 ? it->length1 : it->length2;
        if (start >= to)
            break;
        if (length > 0)
            stretches.emplace_back(start, start + length);
    }
    return stretches;
}

void CCompareSession::SetLinked(bool linked)
{
    if (linked_ == linked)
        return;
    linked_ = linked;
    if (linked_ && view1_)
        Follow(view1_, view1_->Top().Offset());
    emit changed();
}

void CCompareSession::Follow(const CBinEditView* leader, int64_t top)
{
    if (!Linked() || following_)
        return;
    CBinEditView* other = leader == view1_ ? view2_.data() : view1_.data();
    // The follower's own move (clamped to its file) must not pull the leader back.
    following_ = true;
    other->SetTop(top, true);
    following_ = false;
}

#pragma once
// A comparison that outlives its command: the two compared views, the
// differences found so far (coloured in both views), stepping to the next or
// previous difference (scanning on where none is known yet) and, while on,
// linked scrolling of the two views. Any change to either document's bytes
// drops the results, so nothing stale is shown; closing either view ends
// the session.
#include "core/DocumentChange.h"
#include "tools/EscapePoller.h"
#include "tools/FileCompare.h"
#include "view/BinEditView.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class CCompareSession : public QObject, public IDocView {
    Q_OBJECT
public:
    // The views must differ and show two different documents.
    CCompareSession(CBinEditView* view1, CBinEditView* view2, int32_t minMatchLen, size_t tableLimit);
    ~CCompareSession() override;

    void SetEscapePoller(EscapePoller poller);

    // Both views are still open.
    bool IsOpen() const { return view1_ && view2_; }
    // Results are held (no document changed since the comparison started).
    bool HasResults() const { return IsOpen() && compare_ != nullptr; }
    // Every difference has been found.
    bool IsComplete() const { return HasResults() && complete_; }
    const std::vector<CompareDifference>& Differences() const;
    CBinEditView* View(int file) const { return file == 1 ? view1_.data() : view2_.data(); }
    QString Name(int file) const;

    // Scans for the next difference with the status texts, the Esc check and
    // the messages of a failure; a difference found is selected in both views.
    CompareStep FindNext();
    // Selects difference index in both views (caret at its end, the
    // selection back to its start) and scrolls both to it.
    void Select(size_t index);
    // The next or previous difference from the caret of the view (either
    // compared view; another view counts as the first). Next scans on when
    // no known difference lies ahead. False when there is none.
    bool GoToNext(const CBinEditView* from);
    bool GoToPrevious(const CBinEditView* from);

    // The stretches of doc that differ, crossing [from, to).
    std::vector<std::pair<int64_t, int64_t>> DifferencesIn(const CBinEditDoc& doc, int64_t from, int64_t to) const;

    bool Linked() const { return linked_ && IsOpen(); }
    void SetLinked(bool linked);

    // IDocView: a change of either document's bytes drops the results.
    void OnDocumentChanged(IDocView*, const DocumentChange&) override { DropResults(); }
    void OnInitialUpdate() override { DropResults(); }

signals:
    // Results, linking or the views changed: commands and views follow.
    void changed();

private:
    int FileOf(const CBinEditView* view) const { return view == view2_ ? 2 : 1; }
    void DropResults();
    void Close();
    void ViewGone(QPointer<CBinEditView>& gone);
    void Follow(const CBinEditView* leader, int64_t top);
    void RepaintViews();

    QPointer<CBinEditView> view1_;
    QPointer<CBinEditView> view2_;
    CBinEditDoc* doc1_;
    CBinEditDoc* doc2_;
    std::unique_ptr<CFileCompare> compare_;
    bool complete_ = false;
    bool linked_ = false;
    bool following_ = false;
    // The difference last selected and where that left each caret: stepping
    // goes on from it while the caret stays there.
    std::optional<size_t> current_;
    int64_t currentCaret_[2] = {0, 0};
};

#pragma once
// What the hex views mark: the start byte of every bookmark of the
// application's collection, the bytes the inspector pages highlight and the
// differences of the current comparison.
#include "view/BinEditView.h"

#include <functional>

class CBookmarkCollection;
class CCompareSession;
class CInspectedRange;

class CBookmarkMarks : public IViewMarks {
public:
    // Without an inspected range nothing is highlighted.
    explicit CBookmarkMarks(const CBookmarkCollection& bookmarks, const CInspectedRange* inspected = nullptr)
        : bookmarks_(bookmarks), inspected_(inspected)
    {
    }

    std::vector<int64_t> BookmarksIn(const CBinEditDoc& doc, int64_t from, int64_t to) const override;
    std::pair<int64_t, int64_t> InspectorRange(const CBinEditDoc& doc) const override;
    std::vector<std::pair<int64_t, int64_t>> DifferencesIn(const CBinEditDoc& doc, int64_t from,
                                                           int64_t to) const override;

    // Where the current comparison comes from; none marks no differences.
    void SetComparison(std::function<const CCompareSession*()> current) { comparison_ = std::move(current); }

private:
    const CBookmarkCollection& bookmarks_;
    const CInspectedRange* inspected_;
    std::function<const CCompareSession*()> comparison_;
};

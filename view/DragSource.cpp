#include "DragSource.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace drag_source {

namespace {
// One entry per document with a drag in progress; there is rarely more than one.
std::vector<std::pair<const CBinEditDoc*, CSelectionPos*>>& Sources()
{
    static std::vector<std::pair<const CBinEditDoc*, CSelectionPos*>> sources;
    return sources;
}
} // namespace

void Set(const CBinEditDoc* document, CSelectionPos* caret)
{
    Clear(document);
    if (document && caret)
        Sources().emplace_back(document, caret);
}

CSelectionPos* Of(const CBinEditDoc* document)
{
    for (const auto& [doc, caret] : Sources())
        if (doc == document)
            return caret;
    return nullptr;
}

void Clear(const CBinEditDoc* document)
{
    auto& s = Sources();
    s.erase(std::remove_if(s.begin(), s.end(), [&](const auto& entry) { return entry.first == document; }), s.end());
}

void Forget(const CSelectionPos* caret)
{
    auto& s = Sources();
    s.erase(std::remove_if(s.begin(), s.end(), [&](const auto& entry) { return entry.second == caret; }), s.end());
}

} // namespace drag_source

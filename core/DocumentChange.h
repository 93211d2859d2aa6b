#pragma once
#include <cstdint>

// What a change did to a document's bytes, in the document's own terms:
// at offset, removed bytes gave way to inserted ones (equal counts for bytes
// overwritten in place), or everything may differ. What a view makes of it
// (which rows to repaint, whether the scroll range moves) is the view's.
struct DocumentChange {
    int64_t offset = 0;
    int64_t removed = 0;
    int64_t inserted = 0;
    bool everything = false;

    static DocumentChange Everything() { return {0, 0, 0, true}; }
    static DocumentChange Replaced(int64_t offset, int64_t removed, int64_t inserted)
    {
        return {offset, removed, inserted, false};
    }
    static DocumentChange Overwritten(int64_t offset, int64_t count) { return {offset, count, count, false}; }

    bool SizeChanged() const { return everything || removed != inserted; }
    bool operator==(const DocumentChange&) const = default;
};

// Implemented by everything that follows a document's bytes (its views).
class IDocView {
public:
    virtual ~IDocView() = default;
    // The bytes changed; sender made the change and is not told.
    virtual void OnDocumentChanged(IDocView* sender, const DocumentChange& change) = 0;
    // The document's contents were replaced: bind to them afresh at offset 0.
    virtual void OnInitialUpdate() = 0;
};

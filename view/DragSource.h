#pragma once
// The drag source of a document: while a drag that started in one of its
// views is in progress, the document knows that view's caret. A drop into the
// same document uses it to move the block as one edit and clears it, which
// tells the source that the move is done and nothing is left to delete.
class CBinEditDoc;
class CSelectionPos;

namespace drag_source {

void Set(const CBinEditDoc* document, CSelectionPos* caret);
// The caret the document's current drag started from; null when none.
CSelectionPos* Of(const CBinEditDoc* document);
void Clear(const CBinEditDoc* document);
// Forgets a caret that goes away (its view closes during a drag).
void Forget(const CSelectionPos* caret);

} // namespace drag_source

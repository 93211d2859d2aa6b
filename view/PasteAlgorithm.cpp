#include "PasteAlgorithm.h"

#include "PasteSource.h"
#include "core/BinEditDoc.h"
#include "core/SelectionPos.h"
#include "platform/MessageBox.h"
#include "tools/CoreMessages.h"

#include <algorithm>

PasteRules RulesFor(PasteMode mode, bool replaceSelectionSetting, bool pasteOverwriteSetting)
{
    switch (mode) {
    case PasteMode::Normal:
        return PasteRules{replaceSelectionSetting, pasteOverwriteSetting, false};
    case PasteMode::InsertReplaceSelect:
        return PasteRules{true, false, true};
    case PasteMode::InsertAndSelect:
        return PasteRules{false, false, true};
    }
    return PasteRules{};
}

namespace {

bool Record(CBinEditDoc& document, const CSelectionPos& caret, int64_t replaced, int64_t n)
{
    if (replaced < 1)
        return document.RecordEdit(caret, UndoKind::RemoveBytes, n, 0);
    return document.RecordEdit(caret, UndoKind::RestoreBytes, replaced, n);
}

// Makes the region of `replaced` bytes at the caret n bytes long.
bool Resize(CBinEditDoc& document, CSelectionPos& caret, int64_t replaced, int64_t n)
{
    if (n > replaced) {
        const int64_t wanted = n - replaced;
        const int64_t inserted = caret.Insert(wanted);
        if (inserted < wanted) {
            // The recorded entry no longer matches the file; a partial gap
            // would hold bytes nobody wrote, so it goes again.
            document.UndoList().Clear();
            caret.Delete(inserted);
            return false;
        }
    } else if (n < replaced) {
        caret.Delete(replaced - n);
    }
    return true;
}

} // namespace

PasteOutcome RunPaste(CBinEditDoc& document, CSelectionPos& caret, IPasteSource& source, const PasteRules& rules,
                      bool record)
{
    PasteOutcome outcome;
    const int64_t count = source.Count();
    if (document.IsReadOnly() || count <= 0)
        return outcome;
    if (count > MAX_FILE_SIZE) {
        platform::ShowMessage(CoreMessages::SizeLimitInsertText());
        return outcome;
    }
    const int64_t n = count;
    if (caret.hasSelection)
        caret.Seek(caret.selStart);
    int64_t replaced = rules.replaceSelection && caret.hasSelection ? caret.selEnd - caret.selStart : 0;
    // Overwriting replaces as many bytes as come, up to the end of the file.
    if (rules.overwrite)
        replaced = n > INT64_MAX - replaced ? INT64_MAX : replaced + n;
    const int64_t r = std::min<int64_t>(replaced, document.Size() - caret.Offset());

    if (record && !Record(document, caret, r, n))
        return outcome;
    if (!Resize(document, caret, r, n))
        return outcome;
    outcome.changed = true;
    outcome.sourceFailed = !source.WriteTo(caret, n);
    outcome.at = caret.Offset();
    outcome.count = n;
    return outcome;
}

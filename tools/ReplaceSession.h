#pragma once
// The interactive replace behind the "Replace Next" dialog: Find Next and
// Replace step through the file from where the user started, wrap once to
// the start of the file, and end where the first pass began. Each
// replacement is one undo step.
#include "tools/ByteSearch.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

class CBinEditDoc;
class IToolView;
struct SearchState;

QString ReplaceCompleteText();  // "Search and replace is complete."

class CReplaceSession {
public:
    enum class Step {
        Found,     // a match is selected; the dialog stays
        Complete,  // nothing more to find: the dialog closes (the user has been told)
        Stopped,   // the replacement could not be made; the dialog closes
    };

    CReplaceSession(CBinEditDoc& doc, IToolView& view, const SearchState& search);

    // Remembers where the run starts (the selection end, or the caret) and
    // puts the caret there, before the dialog opens.
    void Begin();
    // Searches from the selection end (or the caret) up to the wrap bound.
    Step FindNext();
    // Replaces the selected match, then searches on after the new bytes.
    Step Replace();

    int64_t StartOffset() const { return start_; }
    // -1 until the search has wrapped to the start of the file.
    int64_t WrapBound() const { return wrapBound_; }
    // The match the dialog shows, or -1.
    int64_t CurrentMatch() const { return match_; }

private:
    Step SearchFrom(int64_t from);
    bool MatchIsSelected() const;

    CBinEditDoc& doc_;
    IToolView& view_;
    CByteSearch engine_;
    QByteArray replacement_;
    int64_t start_ = 0;
    int64_t wrapBound_ = -1;
    int64_t match_ = -1;
};

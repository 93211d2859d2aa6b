#pragma once
// Turning what the Find and Replace dialogs hold into the byte pattern the
// search engine looks for, and the pattern held for Find Next and Find
// Previous between dialogs.
#include "tools/ByteSearch.h"
#include "tools/FindSettings.h"

#include <QByteArray>
#include <optional>

class ValueTypeRegistry;

// The search of the running program: the last pattern a Find or Replace
// dialog accepted, its replacement (may be empty: matches are then
// deleted) and the match-case flag. Empty until the first accepted dialog.
struct SearchState {
    QByteArray pattern;
    QByteArray replacement;
    bool matchCase = false;

    bool HasPattern() const { return !pattern.isEmpty(); }
    CByteSearch Engine() const { return CByteSearch(pattern.constData(), int32_t(pattern.size()), matchCase); }
};

// The bytes one page describes: text through the 8-bit code page or as
// UTF-16 in either byte order, a value through its type's parse, or the
// data page's bytes. A value that does not parse shows the conversion
// message and gives nothing. A type index beyond the list means type 0.
std::optional<QByteArray> BuildPageBytes(const FindPageSettings& page, const ValueTypeRegistry& types);

// Values are compared exactly whatever the box says.
bool EffectiveMatchCase(const FindPageSettings& findPage, bool matchCaseBox);

enum class SearchDialog { Find, Replace };

// Why a dialog must stay open, and so which input gets the focus.
enum class PatternFailure { None, EmptyPattern, FindValue, ReplaceValue };

struct SearchBuild {
    PatternFailure failure = PatternFailure::None;
    SearchState search;

    bool Ok() const { return failure == PatternFailure::None; }
};

// What OK of the Find dialog, or Find Next / Replace All of the Replace
// dialog, builds. The user is told of every failure ("Nothing to search
// for." or "There is nothing to search for." for an empty pattern, the
// conversion message for a value); the caller keeps the dialog open.
SearchBuild BuildSearch(const FindSettings& settings, SearchDialog dialog, const ValueTypeRegistry& types);

// Makes an accepted build the current search. The Find dialog sets only the
// pattern and the match-case flag; the replacement stays as it was.
void AdoptSearch(const SearchBuild& build, SearchDialog dialog, SearchState& current);

#pragma once
// The Yes/No/Cancel question asked before a changed collection (bookmarks,
// structures) is dropped: at exit or before another one is loaded.
#include <QString>

#include <functional>

// Yes runs saveAs (the save dialog and the write) and returns its result; No
// returns true; Cancel returns false, so the caller stops.
bool AskToSaveChanges(const QString& question, const std::function<bool()>& saveAs);

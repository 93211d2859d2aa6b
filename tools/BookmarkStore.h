#pragma once
// The application's bookmark collection and what the rest of the program
// asks of it: the save-changes question before loading another collection
// and at exit, and the settings hooks that reload the last collection at
// start-up and store its path.
#include <QString>
#include <functional>

class CBookmarkCollection;

QString SaveBookmarkChangesQuestion();

// Asked before loading another collection and at exit: with a changed,
// non-empty collection the user chooses Yes (saveAs runs: the save dialog
// and SaveBookmarkFile), No or Cancel. Returns false when the caller must
// stop: Cancel, or a save that did not happen.
bool QuerySaveBookmarkChanges(CBookmarkCollection& bookmarks, const std::function<bool()>& saveAs);

// Installs reloadBookmarks (loads the file, header checks and all) and
// bookmarksPath (the collection's path, or the stored one while the
// collection has none) into the settings hooks, keeping
// the other hooks as they are.
void InstallBookmarkSettingsHooks(CBookmarkCollection& bookmarks);

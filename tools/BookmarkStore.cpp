#include "BookmarkStore.h"

#include "settings/SettingsHooks.h"
#include "tools/SaveChangesQuestion.h"
#include "tools/BookmarkCollection.h"
#include "tools/BookmarkFile.h"

QString SaveBookmarkChangesQuestion()
{
    return QStringLiteral("You have made changes to the current collection of bookmarks. Would you like to save "
                          "your bookmarks to disk?");
}

bool QuerySaveBookmarkChanges(CBookmarkCollection& bookmarks, const std::function<bool()>& saveAs)
{
    if (!bookmarks.IsChanged() || bookmarks.IsEmpty())
        return true;
    return AskToSaveChanges(SaveBookmarkChangesQuestion(), saveAs);
}

void InstallBookmarkSettingsHooks(CBookmarkCollection& bookmarks)
{
    SettingsHooks hooks = InstalledSettingsHooks();
    hooks.reloadBookmarks = [&bookmarks](const QString& path) { LoadBookmarkFile(bookmarks, path); };
    // Until a collection is loaded or saved this run, the stored path stays.
    hooks.bookmarksPath = [&bookmarks](const QString& stored) {
        return bookmarks.Path().isEmpty() ? stored : bookmarks.Path();
    };
    InstallSettingsHooks(std::move(hooks));
}

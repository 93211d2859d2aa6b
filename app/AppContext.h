#pragma once
// What the running program keeps for the whole session besides its
// documents: the settings record, the bookmark and structure collections,
// the last search, what the task choosers remember, the printer and the
// character cells the views share. The
// application creates one at start-up and hands each window and command the
// parts it works on, so every part has one owner and a test starts from a
// fresh one with each application it builds.
#include "ext/TaskChoices.h"
#include "inspect/StructureCollection.h"
#include "settings/AppSettings.h"
#include "tools/BookmarkCollection.h"
#include "tools/SearchPattern.h"
#include "view/GlyphCellPool.h"

#include <QPrinter>
#include <memory>

struct AppContext {
    // Loaded at start-up, written back at exit; the windows read and change it in place.
    AppSettings settings;
    CBookmarkCollection bookmarks;
    StructureCollection structures;
    SearchState search;
    TaskChoices taskChoices;
    // The printer Print Setup, Print and Print Preview share, so a paper or
    // printer chosen once stays chosen; made on first use.
    std::unique_ptr<QPrinter> printer;
    // Every window's character cells, drawn and checked once per font.
    GlyphCellPool cells;
};

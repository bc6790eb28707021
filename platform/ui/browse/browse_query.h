#pragma once
// The query of a browse list: asked in the query window, or one of the named queries applied
// from the list's popup menu, and set as the filter "9 - QBE" of every sort order, so that it
// stays over changes of the order and holds together with ranges and locators. Named queries
// are stored in the window's section of the settings file.

#include "platform/ui/browse/query_store.h"
#include "platform/ui/browse/query_terms.h"
#include "platform/ui/windows/popup_menu.h"

#include <QString>

#include <vector>

namespace ui {

class BrowseBox;

inline const QString kQueryFilterName = QStringLiteral("9 - QBE");

class BrowseQuery {
public:
    // Adds the saved queries to the list's popup menu.
    BrowseQuery(BrowseBox& list, const QString& section);

    // The query window; true when the query changed (the list then shows its rows).
    bool Ask();
    void Apply(const Query& query);
    const Query& Current() const { return current_; }

private:
    std::vector<PopupItem> popupItems();

    BrowseBox& list_;
    QueryStore store_;
    Query current_;
};

}  // namespace ui

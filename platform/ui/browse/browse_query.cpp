#include "platform/ui/browse/browse_query.h"

#include "platform/ui/browse/browse_box.h"
#include "platform/ui/browse/query_window.h"

namespace ui {

BrowseQuery::BrowseQuery(BrowseBox& list, const QString& section) : list_(list), store_(section)
{
    list.MorePopupItems = [this] { return popupItems(); };
}

bool BrowseQuery::Ask()
{
    std::optional<Query> asked = AskQuery(list_.columns(), list_.layout(), current_, store_);
    if (!asked) return false;
    Apply(*asked);
    return true;
}

void BrowseQuery::Apply(const Query& query)
{
    current_ = query;
    // the window refuses numbers that do not read; a stored query with one is none
    const QueryCondition c = ConditionOf(query, list_.columns(), list_.layout());
    list_.SetFilter(kQueryFilterName, c.refused < 0 ? c.condition : records::Condition{});
    list_.ResetSort(true);
}

std::vector<PopupItem> BrowseQuery::popupItems()
{
    PopupItem saved{QStringLiteral("Saved queries"), QIcon(QStringLiteral(":/icons/qkqbe.png")), {}, {}};
    for (const QString& name : store_.Names())
        saved.submenu.push_back({name, QIcon(QStringLiteral(":/icons/qkload.png")), [this, name] {
                                     if (auto q = store_.Load(name)) Apply(*q);
                                 }, {}});
    if (saved.submenu.empty()) return {};
    return {PopupItem{QStringLiteral("-"), {}, {}, {}}, std::move(saved)};
}

}  // namespace ui

#include "app/frame/procedures.h"

#include "app/windows/about_window.h"
#include "app/windows/settings_window.h"
#include "catalogue/units/browse_ed_izmer.h"

#include <map>

Procedure startableProcedure(const QString& name)
{
    static const std::map<QString, Procedure> table = {
        {QStringLiteral("BrowseEdIzmer"), BrowseEdIzmer},
        {QStringLiteral("ShwNaz"), ShwNaz},
        {QStringLiteral("ShowAbout"), ShowAbout},
    };
    auto it = table.find(name);
    return it == table.end() ? nullptr : it->second;
}

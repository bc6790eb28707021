#include "platform/ui/browse/list_format_store.h"

#include "platform/core/settings_manager.h"
#include "platform/ui/browse/browse_box.h"
#include "platform/ui/browse/browse_list.h"
#include "platform/ui/browse/list_format.h"

namespace ui {
namespace {

const QString kOriginal = QStringLiteral("SRCFOriginal");
const QString kUser = QStringLiteral("SRCF");

QString currentFormat(const BrowseBox& list) { return ListFormat(list.columns(), list.list().columnWidthsDu()); }

void applyFormat(BrowseBox& list, const QString& format)
{
    if (auto widths = ListFormatWidths(format, list.columns())) list.list().setColumnWidthsDu(*widths);
}

}  // namespace

ListFormatStore::ListFormatStore(WindowManager& manager) : manager_(manager)
{
    manager.AddComponent(this);
    manager.window->alertKey(kRestoreFormatsKey);
}

void ListFormatStore::Add(const QString& name, BrowseBox& list)
{
    rows_.push_back({name, &list, DesignListFormat(list.columns())});
    const Row& row = rows_.back();
    SettingsManager* settings = settingsManager();
    if (!settings) return;
    const QString& section = manager_.procedureName();
    const QString stored = settings->Fetch(section, key(kOriginal, row));
    if (stored.isEmpty() || stored != row.design || !stored.contains(u'@')) {
        settings->Update(section, key(kOriginal, row), row.design);
        settings->Update(section, key(kUser, row), row.design);
        return;
    }
    const QString user = settings->Fetch(section, key(kUser, row));
    if (!user.isEmpty() && user != currentFormat(list)) applyFormat(list, user);
}

void ListFormatStore::Save()
{
    SettingsManager* settings = settingsManager();
    if (!settings) return;
    for (const Row& row : rows_) settings->Update(manager_.procedureName(), key(kUser, row), currentFormat(*row.list));
}

Level ListFormatStore::TakeEvent(const Event& e)
{
    if (e.event != EVENT::AlertKey || e.keyCode != kRestoreFormatsKey) return Level::Benign;
    for (const Row& row : rows_) {
        BrowseList& list = row.list->list();
        if (!list.isVisible() || row.design.isEmpty()) continue;
        applyFormat(*row.list, row.design);
        manager_.window->post(EVENT::NewSelection, list.controlNumber());
    }
    return Level::Notify;
}

}  // namespace ui

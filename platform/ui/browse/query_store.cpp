#include "platform/ui/browse/query_store.h"

#include "platform/core/settings_manager.h"

#include <QByteArray>

namespace ui {
namespace {

const QString kCount = QStringLiteral("QBECount");
QString keyOf(int number) { return QStringLiteral("QBE%1").arg(number); }

}  // namespace

std::vector<std::pair<QString, Query>> QueryStore::all() const
{
    std::vector<std::pair<QString, Query>> out;
    SettingsManager* settings = settingsManager();
    if (!settings) return out;
    const int count = settings->Fetch(section_, kCount).toInt();
    for (int i = 1; i <= count; ++i) {
        const QString entry = settings->Fetch(section_, keyOf(i));
        const qsizetype bar = entry.indexOf(u'|');
        if (bar <= 0) continue;
        const QString name = QString::fromUtf8(QByteArray::fromPercentEncoding(entry.left(bar).toLatin1()));
        if (auto query = DecodeQuery(entry.mid(bar + 1))) out.emplace_back(name, std::move(*query));
    }
    return out;
}

void QueryStore::write(const std::vector<std::pair<QString, Query>>& queries)
{
    SettingsManager* settings = settingsManager();
    if (!settings) return;
    const int before = settings->Fetch(section_, kCount).toInt();
    for (int i = 0; i < int(queries.size()); ++i)
        settings->Update(section_, keyOf(i + 1),
                         QString::fromLatin1(queries[std::size_t(i)].first.toUtf8().toPercentEncoding()) + u'|' +
                             EncodeQuery(queries[std::size_t(i)].second));
    for (int i = int(queries.size()) + 1; i <= before; ++i) settings->Update(section_, keyOf(i), {});
    settings->Update(section_, kCount, QString::number(queries.size()));
}

QStringList QueryStore::Names() const
{
    QStringList names;
    for (const auto& [name, query] : all()) names << name;
    return names;
}

std::optional<Query> QueryStore::Load(const QString& name) const
{
    for (auto& [n, query] : all())
        if (n == name) return query;
    return std::nullopt;
}

void QueryStore::Save(const QString& name, const Query& query)
{
    auto queries = all();
    bool replaced = false;
    for (auto& [n, q] : queries)
        if (n == name) {
            q = query;
            replaced = true;
        }
    if (!replaced) queries.emplace_back(name, query);
    write(queries);
}

void QueryStore::Delete(const QString& name)
{
    auto queries = all();
    std::erase_if(queries, [&](const auto& q) { return q.first == name; });
    write(queries);
}

}  // namespace ui

#pragma once
// The named queries of a window, in its section of the settings file under keys of their own:
// "QBECount" and "QBE1", "QBE2", ..., each holding a name and its query in plain characters,
// so any name or value comes back as it was saved.

#include "platform/ui/browse/query_terms.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

namespace ui {

class QueryStore {
public:
    explicit QueryStore(QString section) : section_(std::move(section)) {}

    QStringList Names() const;
    std::optional<Query> Load(const QString& name) const;
    // A query saved under a name already there replaces it.
    void Save(const QString& name, const Query& query);
    void Delete(const QString& name);

private:
    std::vector<std::pair<QString, Query>> all() const;
    void write(const std::vector<std::pair<QString, Query>>& queries);

    QString section_;
};

}  // namespace ui

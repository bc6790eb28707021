#pragma once
// One row of a tree list's queue: its text, its four colours (00BBGGRRh colour references, -1
// the list's default), its level (its depth; negative for a collapsed row that has children),
// whether its children have been read, and the record it shows. A program that makes its texts
// only for the rows on show leaves the text empty, gives the list a text source and keeps in
// `fields` where it finds what the row's text is made of.

#include <QColor>
#include <QString>

#include <cstdint>
#include <vector>

namespace ui {

inline constexpr std::int32_t kDefaultColor = -1;

struct TreeRow {
    QString text;
    std::int32_t normalFg = kDefaultColor;
    std::int32_t normalBg = kDefaultColor;
    std::int32_t selectedFg = kDefaultColor;
    std::int32_t selectedBg = kDefaultColor;
    std::int32_t level = 0;
    bool loaded = false;
    std::int64_t position = 0;  // 0: no record
    std::uint32_t fields = 0;
};

using TreeQueue = std::vector<TreeRow>;

// A colour reference as RGB; invalid for the default.
inline QColor colorOf(std::int32_t reference)
{
    if (reference == kDefaultColor) return {};
    const auto r = std::uint32_t(reference);
    return QColor(int(r & 0xFF), int((r >> 8) & 0xFF), int((r >> 16) & 0xFF));
}

}  // namespace ui

#pragma once
// A sort order of a browse list: the key it reads by, an optional range (equal leading key
// components), named filters, a locator and the scroll bar's step, all of one key field.

#include "platform/records/condition.h"
#include "platform/ui/windows/record_field.h"

#include <QString>

#include <functional>
#include <map>

namespace ui {

enum class LocatorKind {
    None,
    Incremental,  // typed characters build a search text; the list goes to the first key >= it
    Step,         // a typed character moves to the first row at or after it
    Filter,       // the text limits the rows to those whose field contains it, regardless of case
};

// How the scroll bar's thumb follows the highlighted row.
enum class ThumbStep {
    None,        // top, middle or bottom
    Alphabetic,  // the key text between the first and the last row's
    Numeric,     // the key value between the first and the last row's
};

// A filter of a list: a condition SQL tests as it reads the rows.
using RecordFilter = records::Condition;

// The filter name a filter locator's condition is registered under.
inline const QString kLocatorFilterName = QStringLiteral("3 Locator");

struct BrowseSortOrder {
    int key = 0;  // index into the file's keys

    // Range: the first `rangeLeading` key components equal the values rangeValues() sets in a
    // record; asked again at each reset of the list.
    int rangeLeading = 0;
    std::function<void(void* record)> rangeValues;

    std::map<QString, RecordFilter> filters;  // of this order only

    // The key field the locator searches and the thumb follows.
    RecordField field;
    LocatorKind locator = LocatorKind::None;
    int locatorControl = 0;  // the entry that shows the search text (0: none)
    ThumbStep step = ThumbStep::None;

    BrowseSortOrder& SetRange(int leading, std::function<void(void* record)> values)
    {
        rangeLeading = leading;
        rangeValues = std::move(values);
        return *this;
    }
    BrowseSortOrder& SetLocator(LocatorKind kind, RecordField keyField, int control = 0)
    {
        locator = kind;
        field = std::move(keyField);
        locatorControl = control;
        return *this;
    }
    BrowseSortOrder& SetStep(ThumbStep thumbStep, RecordField keyField = {})
    {
        step = thumbStep;
        if (keyField) field = std::move(keyField);
        return *this;
    }
    // An empty condition removes the filter.
    BrowseSortOrder& SetFilter(const QString& name, RecordFilter accept)
    {
        if (accept)
            filters[name] = std::move(accept);
        else
            filters.erase(name);
        return *this;
    }
};

}  // namespace ui

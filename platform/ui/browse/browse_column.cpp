#include "platform/ui/browse/browse_column.h"

#include "platform/core/picture.h"

namespace ui {

BrowseColumn fieldColumn(const char* heading, int widthDu, ColumnAlign align, int indentDu, const char* picture,
                         RecordField field, ColumnAlign headingAlign)
{
    BrowseColumn c;
    c.heading = QString::fromUtf8(heading);
    c.widthDu = widthDu;
    c.align = align;
    c.indentDu = indentDu;
    c.headingAlign = headingAlign;
    c.picture = QString::fromUtf8(picture);
    c.field = std::move(field);
    return c;
}

QString BrowseColumn::textOf(const void* record) const
{
    QString text = picture.isEmpty() ? field.get(record) : Format(field.get(record), picture);
    // a text picture pads to its width; the cell does not need the blanks
    qsizetype n = text.size();
    while (n > 0 && text[n - 1] == u' ') --n;
    text.truncate(n);
    return text;
}

QString BrowseColumn::tooltipOf(const void* record) const
{
    const QString own = tooltip ? tooltip.get(record).trimmed() : QString();
    return own.isEmpty() ? defaultTooltip : own;
}

QString BrowseColumn::editTextOf(const void* record) const
{
    // a number is edited as plain digits with the picture's places (EditText)
    if (!field.numeric || picture.isEmpty()) return field.numeric ? textOf(record).trimmed() : field.get(record);
    return EditText(textToNumber(field.get(record)), picture);
}

void BrowseColumn::storeEditText(void* record, const QString& text) const
{
    Decimal value;
    if (!field.numeric || picture.isEmpty())
        field.set(record, text);
    else if (ReadEntryText(text, picture, value) != EntryText::Invalid)  // "-" alone is 0
        field.set(record, QString::fromStdString(value.toPlainString()));
}

void appendCells(const std::vector<BrowseColumn>& columns, const void* record, QStringList& texts,
                 std::vector<CellColors>& colors)
{
    for (const BrowseColumn& c : columns) {
        texts << c.textOf(record);
        colors.push_back(c.colorsOf(record));
    }
}

}  // namespace ui

#include "catalogue/import/text/field_picture.h"

#include "platform/core/codepage.h"
#include "platform/core/picture.h"

void ApplyFieldPicture(CsvFieldValue& value, std::uint8_t& done, const QString& picture)
{
    if (done) return;
    done = 1;
    QString p = picture.left(30);
    while (!p.isEmpty() && p.back() == u' ') p.chop(1);
    if (p.size() < 2 || p[0] != u'@') return;
    const QChar type = p[1].toUpper();
    if (type == u'S' || type == u'N') return;
    SetCsvField(value, codepage::toCp1251(DeformatText(codepage::fromCp1251(value), p)));
}

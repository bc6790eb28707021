#include "catalogue/import/import_mapping.h"

#include "catalogue/import/csv_reader.h"
#include "catalogue/import/text/csv_field.h"
#include "catalogue/import/text/import_decimal.h"
#include "data/thread_data.h"
#include "platform/core/codepage.h"

#include <array>

namespace {

using Amount = DecimalField<7, 2> RaszenkiRecord::*;

// Targets 5 to 13, in their order after the four texts.
constexpr std::array<Amount, 9> kAmounts = {
    &RaszenkiRecord::CENA_OB, &RaszenkiRecord::CENA_TZ, &RaszenkiRecord::EKSPLM,
    &RaszenkiRecord::ZARPLM,  &RaszenkiRecord::CENA_M,  &RaszenkiRecord::CHELCH,
    &RaszenkiRecord::KCHELCHM, &RaszenkiRecord::VOZVRAT, &RaszenkiRecord::METKA,
};

const char* const kTargetNames[] = {"WRK:Group",  "WRK:NRAS",   "WRK:NAME",     "WRK:EDIZM",   "WRK:CENA_OB",
                                    "WRK:CENA_TZ", "WRK:EKSPLM", "WRK:ZARPLM",  "WRK:CENA_M",  "WRK:CHELCH",
                                    "WRK:KCHELCHM", "WRK:VOZVRAT", "WRK:METKA"};

// Stores the field just read into target `index` (0-based); false when the number does not fit.
bool storeTarget(RaszenkiRecord& r, std::size_t index)
{
    const std::string_view text = ThreadData::current().ImportFieldValue;
    switch (index) {
    case 0: r.GROUP.setBytes(text); return true;
    case 1: r.NRAS.setBytes(text); return true;
    case 2: r.NAME.setBytes(text); return true;
    case 3: r.EDIZM.setBytes(text); return true;
    default: {
        DecimalField<7, 2>& field = r.*kAmounts[index - 4];
        std::int64_t scaled = 0;
        if (!ConvertDecimal(NormalizeDecimal(), field.precision, field.places, scaled)) return false;
        field.setScaled(scaled);
        return true;
    }
    }
}

}  // namespace

QString DisplayPictureOf(const QString& picture)
{
    const QChar type = picture.size() > 1 ? picture[1].toUpper() : QChar();
    if (type == u'S') return QStringLiteral("Alpha-num");
    if (type == u'N') return QStringLiteral("Numeric");
    return picture;
}

std::vector<TargetField> RateTargetFields()
{
    std::vector<TargetField> targets;
    for (const char* name : kTargetNames) targets.push_back({QString::fromLatin1(name), {}, {}});
    return targets;
}

QueueBuild BuildSourceFields(std::vector<SourceField>& sources)
{
    sources.clear();
    std::uint64_t bytes = 0;
    const CsvRead first = ReadNextCsvRecord(bytes);
    if (first != CsvRead::Line) return first == CsvRead::End ? QueueBuild::NoFields : QueueBuild::ReadError;
    const QString text = QStringLiteral("@S1000");
    while (NextCsvField() != CsvField::None)
        sources.push_back({QStringLiteral("Field_") + QString::number(sources.size() + 1), DisplayPictureOf(text),
                           codepage::fromCp1251(ThreadData::current().ImportFieldValue).left(100), text});
    if (sources.empty()) return QueueBuild::NoFields;

    const CsvRead second = ReadNextCsvRecord(bytes);
    if (second == CsvRead::Error) return QueueBuild::ReadError;
    if (second == CsvRead::End) return QueueBuild::Built;  // the file stays at its end
    // a cosmetic probe: unquoted values of the second record are shown as numbers
    for (SourceField& s : sources) {
        const std::uint8_t kind = NextCsvField();
        if (kind == CsvField::None) break;
        if (kind == CsvField::Unquoted) {
            s.PICTURE = QStringLiteral("@N30.9");
            s.DISPLAYPICTURE = DisplayPictureOf(s.PICTURE);
        }
    }
    if (!SetQuickScan() || ReadNextCsvRecord(bytes) != CsvRead::Line) return QueueBuild::ReadError;
    return QueueBuild::Built;
}

void ShowRecordValues(std::vector<SourceField>& sources)
{
    for (SourceField& s : sources) {
        if (NextCsvField() == CsvField::None) break;
        s.VALUE = codepage::fromCp1251(ThreadData::current().ImportFieldValue).left(100);
    }
}

std::optional<QString> AssignLineFields(const std::vector<SourceField>& sources,
                                        const std::vector<TargetField>& targets)
{
    ThreadData& t = ThreadData::current();
    RaszenkiRecord& r = t.Raszenki;
    for (const SourceField& s : sources) {
        if (NextCsvField() == CsvField::None) break;
        for (std::size_t i = 0; i < targets.size(); ++i) {
            if (targets[i].SOURCEFIELD != s.FIELD) continue;
            ApplyFieldPicture(s.PICTURE);
            if (!storeTarget(r, i))
                return QStringLiteral("line %1, %2: \"%3\" is out of range")
                    .arg(t.ImportLineNumber)
                    .arg(targets[i].FIELD, codepage::fromCp1251(t.ImportFieldValue));
        }
    }
    // such a rate would be stored but shown by no list
    if (r.NRAS.isBlank() && r.NAME.isBlank())
        return QStringLiteral("line %1: no code and no name").arg(t.ImportLineNumber);
    return std::nullopt;
}

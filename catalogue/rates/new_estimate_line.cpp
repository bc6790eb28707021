#include "catalogue/rates/new_estimate_line.h"

#include "data/globals.h"
#include "data/header_lookup.h"
#include "data/thread_data.h"
#include "platform/core/message.h"
#include "platform/records/cursor.h"

#include <cstdint>

namespace {

// The estimate's section with the highest number the form can take, into the buffer.
bool readLastSection(std::int32_t estimate)
{
    const records::Layout& layout = GroupsWksLayout();
    const records::Column& number = layout.columns[std::size_t(layout.columnIndex("NUMINSMETA"))];
    GroupsWksRecord probe{};
    probe.NUMSMET = std::int16_t(estimate);  // a header exists, so the number fits
    records::Cursor cursor(Access(FileId::GroupsWks).file(), layout.keyIndex("GRO:KeyNumInsmeta"));
    cursor.setRange(1, &probe);
    records::Condition inRange = records::numberCondition(number, records::Comparison::GreaterOrEqual, Decimal(0));
    inRange &= records::numberCondition(number, records::Comparison::LessOrEqual, Decimal(255));
    cursor.setCondition(inRange);
    cursor.toEnd();
    return cursor.previous() == records::kNoError;
}

}  // namespace

NewLineStart PrepareNewEstimateLine()
{
    const std::int32_t estimate = GLO::CurrentSmeta;
    if (estimate <= 0) return NewLineStart::NoEstimate;
    Relate(FileId::Headers).Open();
    Relate(FileId::GroupsWks).Open();
    NewLineStart start = NewLineStart::Ready;
    if (!HeaderExists(estimate))
        start = NewLineStart::NoEstimate;
    else if (Access(FileId::GroupsWks).UseFile() != records::Level::Benign || !readLastSection(estimate))
        start = NewLineStart::NoSection;
    Relate(FileId::GroupsWks).Close();
    Relate(FileId::Headers).Close();
    if (start != NewLineStart::Ready) return start;
    FileAccess& lines = Access(FileId::WrksInSmt);
    lines.layout().clear(lines.buffer());
    lines.PrimeNewRecord();
    return start;
}

void TellNoNewLine(NewLineStart why)
{
    const QString text = why == NewLineStart::NoSection
                             ? QStringLiteral("В смете нет ни одного раздела. |Добавьте раздел в редакторе сметы.")
                             : QStringLiteral("Вы не выбрали смету для работы. |Если хотите добавить новую, вернитесь к списку смет.");
    Message(text, QStringLiteral("Выбор сметы"), MessageIcon::Information);
}

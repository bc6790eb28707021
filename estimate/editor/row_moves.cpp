#include "estimate/editor/row_moves.h"

#include "data/thread_data.h"
#include "platform/core/message.h"
#include "platform/records/cursor.h"

namespace {

using records::Level;
using records::Position;

void estimateMessage(const char* text)
{
    Message(QString::fromUtf8(text), QStringLiteral("Смета"), MessageIcon::Information, BUTTON_OK);
}

bool reread(FileId file, Position position)
{
    FileAccess& access = Access(file);
    if (access.UseFile() != Level::Benign) return false;
    const int code = access.file().fetch(position);
    if (code != records::kNoError && code != records::kRecordNotFound) access.ReportReadFailure();
    return code == records::kNoError;
}

bool holdsLines(int section) { return section >= 0 && section <= kHighestSectionOfLines; }

void moveSection(Position own, bool down)
{
    const GroupsWksRecord section = GRO();
    const int other = section.NUMINSMETA + (down ? 1 : -1);
    FileAccess& groups = Access(FileId::GroupsWks);
    GRO().NUMINSMETA = std::int16_t(other);
    if (groups.TryFetch(GroupsWksLayout().keyIndex("GRO:KeyNumInsmeta")) != Level::Benign) return;
    const Position neighbour = groups.file().position();
    // the lines of a section beyond one byte could not follow it
    if (!holdsLines(section.NUMINSMETA) || !holdsLines(other)) return RefuseSectionNumber();
    if (!reread(FileId::GroupsWks, own)) return;
    Relate(FileId::GroupsWks).Exchange(neighbour, "NUMINSMETA", true);
}

void moveLine(Position own, bool down)
{
    FileAccess& lines = Access(FileId::WrksInSmt);
    const WrksInSmtRecord line = NSB();
    // the nearest line in key order, whatever gap lies between
    records::Cursor cursor(lines.file(), WrksInSmtLayout().keyIndex("NSB:ONSMETNUM"));
    cursor.toRecord(own, &line);
    WrksInSmtRecord next{};
    const int code = down ? cursor.next(&next) : cursor.previous(&next);
    if (code == records::kRecordNotAvailable) return;  // nothing beyond it in the file
    if (code != records::kNoError) {
        lines.ReportReadFailure();
        return;
    }
    const bool sameSection = next.CODER == line.CODER && next.GRINSMETA == line.GRINSMETA;
    if (!sameSection || (!down && next.NUMINGROUP < 1)) {
        if (!down) estimateMessage("Невозможно передвинуть запись");
        return;
    }
    Relate(FileId::WrksInSmt).Exchange(cursor.position(), "NUMINGROUP", false);
}

}  // namespace

void RefuseSectionNumber() { estimateMessage("Номер раздела должен быть от 0 до 255."); }

bool MoveTreeRow(int level, Position position, bool down)
{
    switch (level) {
    case 1:
        if (!reread(FileId::Headers, position)) return false;
        if (!down) estimateMessage("Сметы не перенумеровываются");
        return true;
    case 2:
        if (!reread(FileId::GroupsWks, position)) return false;
        moveSection(position, down);
        return true;
    case 3:
        if (!reread(FileId::WrksInSmt, position)) return false;
        moveLine(position, down);
        return true;
    default: return true;
    }
}

#include "data/header_lookup.h"

#include "data/thread_data.h"
#include "platform/records/cursor.h"

bool HeaderExists(std::int32_t number)
{
    if (number < INT16_MIN || number > INT16_MAX) return false;
    FileAccess& headers = Access(FileId::Headers);
    if (headers.UseFile() != records::Level::Benign) return false;
    // read into a record of its own: the thread's header buffer stays as it is
    HeadersRecord probe{};
    probe.NUMBER = std::int16_t(number);
    records::Cursor cursor(headers.file(), HeadersLayout().keyIndex("DFL:BYNUM"));
    cursor.setRange(1, &probe);
    cursor.toStart();
    return cursor.next(&probe) == records::kNoError;
}

#include "platform/records/path_check.h"

#include <sys/stat.h>

namespace records {

RecordError refusalOfPath(const struct stat& st)
{
    if (S_ISREG(st.st_mode)) return {};
    const char* reason = S_ISDIR(st.st_mode) ? "это папка, а не файл данных" : "это устройство или канал, а не файл данных";
    return errorOf(kBadFileStructure, QString::fromUtf8(reason));
}

}  // namespace records

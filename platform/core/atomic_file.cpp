#include "platform/core/atomic_file.h"

#include "platform/core/write_permission.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace atomic_file {
namespace {

// The end of a chain of symbolic links; empty for a loop.
QString resolveLinks(const QString& path)
{
    QFileInfo info(path);
    for (int depth = 0; depth < 40 && info.isSymLink(); ++depth) info.setFile(info.symLinkTarget());
    return info.isSymLink() ? QString() : info.absoluteFilePath();
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(std::size_t(n));
    }
    return true;
}

// A new file in the target's folder; mode 0666 less the umask, as a plainly created file.
int createTemporary(const QByteArray& folder, const QByteArray& baseName, QByteArray& tempName)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempName = folder + "/." + baseName + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int fd = ::open(tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Root saving a user's file must not take it over. Nobody else may give a file away; their
// copy is theirs, as the file they could write in place would have stayed.
void keepOwner(int fd, const struct stat& st)
{
    [[maybe_unused]] const int result = ::fchown(fd, st.st_uid, st.st_gid);
}

// Makes the rename itself survive a power failure.
void syncFolder(const QByteArray& folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

bool replace(const QString& path, std::string_view bytes)
{
    const QString target = resolveLinks(path);
    if (target.isEmpty()) return false;
    const QFileInfo info(target);
    const QByteArray name = QFile::encodeName(target);
    const QByteArray folder = QFile::encodeName(info.absolutePath());

    struct stat existing {};
    const bool exists = ::stat(name.constData(), &existing) == 0;
    if (exists && (!S_ISREG(existing.st_mode) || !write_permission::mayWrite(name.constData(), existing))) return false;

    QByteArray tempName;
    const int fd = createTemporary(folder, QFile::encodeName(info.fileName()), tempName);
    if (fd < 0) return false;
    if (exists) keepOwner(fd, existing);
    bool written = writeAll(fd, bytes) && (!exists || ::fchmod(fd, existing.st_mode & 07777) == 0) && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (!written || ::rename(tempName.constData(), name.constData()) != 0) {
        ::unlink(tempName.constData());
        return false;
    }
    syncFolder(folder);
    return true;
}

}  // namespace atomic_file

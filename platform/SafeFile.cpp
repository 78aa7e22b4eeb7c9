#include "platform/SafeFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {
std::function<bool(CreateStep)> &createStepHook()
{
    static std::function<bool(CreateStep)> hook;
    return hook;
}

int &forcedWriteError()
{
    static int error = 0;
    return error;
}

// strerror_r comes in two shapes (GNU returns the text, XSI fills the buffer); take either.
[[maybe_unused]] const char *errorTextFrom(int, const char *buffer)
{
    return buffer;
}
[[maybe_unused]] const char *errorTextFrom(const char *text, const char *)
{
    return text;
}

bool fail(QString *error, int number)
{
    if (error)
        *error = systemErrorText(number);
    return false;
}

bool failWithText(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

QString notRegularText()
{
    return QStringLiteral("Not a regular file");
}

// The test seam stands in for a full disk or a read-only folder.
bool writesRefused(QString *error)
{
    if (forcedWriteError() == 0)
        return false;
    errno = forcedWriteError();
    fail(error, forcedWriteError());
    return true;
}

bool stepAllowed(CreateStep step)
{
    return !createStepHook() || createStepHook()(step);
}

bool writeAll(int fd, qint64 offset, const QByteArray &bytes, QString *error)
{
    const char *data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::pwrite(fd, data, size_t(left), off_t(offset));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return fail(error, errno);
        }
        // A write that takes nothing and reports no error would loop for ever: call it a full disk.
        if (written == 0)
            return fail(error, ENOSPC);
        data += written;
        offset += written;
        left -= written;
    }
    return true;
}

bool dataSync(int fd, QString *error)
{
    if (::fdatasync(fd) != 0)
        return fail(error, errno);
    return true;
}

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

// Writes a file just made, syncs and closes it; a file that did not get all its bytes is removed.
bool fillNewFile(int fd, const QByteArray &name, const QByteArray &bytes, QString *error)
{
    bool ok = writeAll(fd, 0, bytes, error);
    if (ok && ::fsync(fd) != 0)
        ok = fail(error, errno);
    if (::close(fd) != 0 && ok)
        ok = fail(error, errno);
    if (!ok)
        ::unlink(name.constData());
    return ok;
}

bool createInPlace(const QString &path, const QByteArray &bytes, QString *error)
{
    const QByteArray name = encoded(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return fail(error, errno);
    if (!fillNewFile(fd, name, bytes, error))
        return false;
    return syncFolder(QFileInfo(path).path(), error);
}
} // namespace

QString systemErrorText(int error)
{
    char buffer[256] = {};
    return QString::fromLocal8Bit(errorTextFrom(::strerror_r(error, buffer, sizeof buffer), buffer));
}

bool isRegularFile(const QString &path)
{
    struct stat info;
    return ::lstat(encoded(path).constData(), &info) == 0 && S_ISREG(info.st_mode);
}

int openRegularFile(const QString &path, bool writable, QString *error)
{
    if (writable && writesRefused(error))
        return -1;
    // O_NONBLOCK: opening a FIFO that stands where a file should be must not hang the tutor.
    const int flags = (writable ? O_RDWR : O_RDONLY) | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK;
    const int fd = ::open(encoded(path).constData(), flags);
    if (fd < 0) {
        // O_NOFOLLOW reports a link as ELOOP, whose text ("Too many levels of symbolic links")
        // would mislead.
        if (errno == ELOOP)
            failWithText(error, notRegularText());
        else
            fail(error, errno);
        return -1;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0) {
        const int number = errno;
        ::close(fd);
        fail(error, number);
        return -1;
    }
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        failWithText(error, notRegularText());
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

void closeFile(int fd)
{
    if (fd >= 0)
        ::close(fd);
}

QByteArray readAt(int fd, qint64 offset, qint64 count, QString *error)
{
    QByteArray bytes;
    if (fd < 0 || count <= 0) {
        if (fd < 0)
            fail(error, EBADF);
        return bytes;
    }
    bytes.resize(count);
    qint64 got = 0;
    while (got < count) {
        const ssize_t n = ::pread(fd, bytes.data() + got, size_t(count - got), off_t(offset + got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(error, errno);
            break;
        }
        if (n == 0)
            break;
        got += n;
    }
    bytes.resize(got);
    return bytes;
}

bool writeAtAndSync(int fd, qint64 offset, const QByteArray &bytes, QString *error)
{
    if (fd < 0)
        return fail(error, EBADF);
    if (writesRefused(error))
        return false;
    return writeAll(fd, offset, bytes, error) && dataSync(fd, error);
}

bool appendAndSync(int fd, const QByteArray &bytes, QString *error)
{
    if (fd < 0)
        return fail(error, EBADF);
    if (writesRefused(error))
        return false;
    const off_t end = ::lseek(fd, 0, SEEK_END);
    if (end < 0)
        return fail(error, errno);
    if (!writeAll(fd, end, bytes, error)) {
        // Take back a part-written record so the file ends where it did.
        const int number = errno;
        if (::ftruncate(fd, end) == 0)
            ::fdatasync(fd);
        errno = number;
        return false;
    }
    return dataSync(fd, error);
}

bool syncFolder(const QString &folder, QString *error)
{
    if (writesRefused(error))
        return false;
    const int fd = ::open(encoded(folder.isEmpty() ? QStringLiteral(".") : folder).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return fail(error, errno);
    const bool synced = ::fsync(fd) == 0;
    const int number = errno;
    ::close(fd);
    return synced || fail(error, number);
}

bool createFileAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    if (writesRefused(error))
        return false;
    const QFileInfo info(path);
    const QString folder = info.path();
    // A leading dot keeps the temporary name out of any listing by extension.
    QByteArray temporary = encoded(folder + QLatin1String("/.") + info.fileName() + QLatin1String(".XXXXXX"));
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC); // mode 0600
    if (fd < 0)
        return fail(error, errno);
    if (!fillNewFile(fd, temporary, bytes, error))
        return false;
    if (!stepAllowed(CreateStep::TemporaryWritten))
        return failWithText(error, QStringLiteral("Stopped"));

    // link() never replaces an existing name, so a profile made meanwhile by someone else stays.
    if (::link(temporary.constData(), encoded(path).constData()) != 0) {
        const int number = errno;
        ::unlink(temporary.constData());
        // Folders without hard links (a FAT stick): write the file in place, still never replacing.
        if (number == EPERM || number == EOPNOTSUPP || number == ENOSYS)
            return createInPlace(path, bytes, error);
        return fail(error, number);
    }
    if (!stepAllowed(CreateStep::Linked))
        return failWithText(error, QStringLiteral("Stopped"));
    ::unlink(temporary.constData());
    if (!stepAllowed(CreateStep::TemporaryRemoved))
        return failWithText(error, QStringLiteral("Stopped"));
    return syncFolder(folder, error);
}

bool removeFile(const QString &path, QString *error)
{
    if (writesRefused(error))
        return false;
    if (::unlink(encoded(path).constData()) != 0)
        return fail(error, errno);
    return syncFolder(QFileInfo(path).path(), error);
}

LockResult tryLockFile(int fd, QString *error)
{
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return LockResult::Locked;
    const int number = errno;
    fail(error, number);
    return number == EWOULDBLOCK ? LockResult::HeldElsewhere : LockResult::Failed;
}

void setCreateStepHookForTesting(std::function<bool(CreateStep)> hook)
{
    createStepHook() = std::move(hook);
}

void setWriteErrorForTesting(int error)
{
    forcedWriteError() = error;
}

} // namespace platform

#include "platform/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <optional>
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

std::function<int(const DiskCall &)> &diskCallHook()
{
    static std::function<int(const DiskCall &)> hook;
    return hook;
}

// The test seam's answer for one operation: 0 lets it go to the disk.
int hookedError(DiskCall::Kind kind, int fd, qint64 offset = 0, qint64 size = 0)
{
    return diskCallHook() ? diskCallHook()(DiskCall{kind, fd, offset, size}) : 0;
}

// Read by the writer thread too.
std::atomic<int> &forcedWriteError()
{
    static std::atomic<int> error = 0;
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
    if (const int number = hookedError(DiskCall::Kind::Write, fd, offset, bytes.size()))
        return fail(error, number);
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

// fdatasync for a file's data, fsync when its size and times must follow (a new file, a folder).
bool syncFile(int fd, bool dataOnly, QString *error)
{
    if (const int number = hookedError(DiskCall::Kind::Sync, fd))
        return fail(error, number);
    if ((dataOnly ? ::fdatasync(fd) : ::fsync(fd)) != 0)
        return fail(error, errno);
    return true;
}

struct FileIdentity
{
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FileIdentity &) const = default;
};

std::optional<FileIdentity> identityOf(int fd)
{
    struct stat info;
    if (::fstat(fd, &info) != 0)
        return std::nullopt;
    return FileIdentity{info.st_dev, info.st_ino};
}

std::optional<FileIdentity> identityOfName(const QByteArray &name)
{
    struct stat info;
    if (::lstat(name.constData(), &info) != 0)
        return std::nullopt;
    return FileIdentity{info.st_dev, info.st_ino};
}

// A temporary of createFileAtomically: "." + the file's name + "." + six letters or digits.
bool isTemporaryName(const QString &entry, QString *of)
{
    constexpr int kSuffix = 7;
    if (entry.size() <= kSuffix + 1 || !entry.startsWith(QLatin1Char('.')) ||
        entry.at(entry.size() - kSuffix) != QLatin1Char('.'))
        return false;
    for (qsizetype i = entry.size() - kSuffix + 1; i < entry.size(); ++i) {
        const QChar ch = entry.at(i);
        if (ch.unicode() >= 0x80 || !ch.isLetterOrNumber())
            return false;
    }
    *of = entry.mid(1, entry.size() - kSuffix - 1);
    return true;
}

QStringList hiddenEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks,
                                  QDir::Unsorted);
}

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

bool createInPlace(const QString &path, const QByteArray &bytes, QString *error)
{
    const QByteArray name = encoded(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return fail(error, errno);
    bool ok = writeAll(fd, 0, bytes, error) && syncFile(fd, false, error);
    if (::close(fd) != 0 && ok)
        ok = fail(error, errno);
    // A file that did not get all its bytes is not left under the name.
    if (!ok) {
        ::unlink(name.constData());
        return false;
    }
    return syncFolder(QFileInfo(path).path(), error);
}

// The steps of createFileAtomically after its temporary is made (and locked) as `fd`.
bool publishTemporary(int fd, const QByteArray &temporary, const QString &path, const QByteArray &bytes,
                      QString *error)
{
    if (!writeAll(fd, 0, bytes, error) || !syncFile(fd, false, error)) {
        ::unlink(temporary.constData());
        return false;
    }
    if (!stepAllowed(CreateStep::TemporaryWritten))
        return failWithText(error, QStringLiteral("Stopped"));

    // link() never replaces an existing name, so a profile made meanwhile by someone else stays.
    if (::link(temporary.constData(), encoded(path).constData()) != 0) {
        const int number = errno;
        ::unlink(temporary.constData());
        // Folders without hard links (a FAT or exFAT stick): write the file in place, still never
        // replacing.
        if (number == EPERM || number == EOPNOTSUPP || number == ENOSYS)
            return createInPlace(path, bytes, error);
        return fail(error, number);
    }
    if (!stepAllowed(CreateStep::Linked))
        return failWithText(error, QStringLiteral("Stopped"));
    ::unlink(temporary.constData());
    if (!stepAllowed(CreateStep::TemporaryRemoved))
        return failWithText(error, QStringLiteral("Stopped"));
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

bool writeAt(int fd, qint64 offset, const QByteArray &bytes, QString *error)
{
    if (fd < 0)
        return fail(error, EBADF);
    if (writesRefused(error))
        return false;
    return writeAll(fd, offset, bytes, error);
}

bool writeAtAndSync(int fd, qint64 offset, const QByteArray &bytes, QString *error)
{
    return writeAt(fd, offset, bytes, error) && syncFile(fd, true, error);
}

bool append(int fd, const QByteArray &bytes, QString *error)
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
    return true;
}

bool appendAndSync(int fd, const QByteArray &bytes, QString *error)
{
    return append(fd, bytes, error) && syncFile(fd, true, error);
}

bool syncData(int fd, QString *error)
{
    if (fd < 0)
        return fail(error, EBADF);
    if (writesRefused(error))
        return false;
    return syncFile(fd, true, error);
}

int openForAppend(const QString &path, bool *created, QString *error)
{
    if (writesRefused(error))
        return -1;
    // O_EXCL also refuses a link standing there, dangling or not; it is then refused below.
    const int fd =
        ::open(encoded(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    *created = fd >= 0;
    if (fd >= 0)
        return fd;
    if (errno != EEXIST) {
        fail(error, errno);
        return -1;
    }
    return openRegularFile(path, true, error);
}

bool syncFolder(const QString &folder, QString *error)
{
    if (writesRefused(error))
        return false;
    const int fd = ::open(encoded(folder.isEmpty() ? QStringLiteral(".") : folder).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return fail(error, errno);
    const bool synced = syncFile(fd, false, error);
    ::close(fd);
    return synced;
}

bool createFileAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    if (writesRefused(error))
        return false;
    const QFileInfo info(path);
    // A leading dot keeps the temporary name out of any listing by extension.
    QByteArray temporary =
        encoded(info.path() + QLatin1String("/.") + info.fileName() + QLatin1String(".XXXXXX"));
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC); // mode 0600
    if (fd < 0)
        return fail(error, errno);
    // Held until the temporary name is gone, so a sweep never takes it from a creation at work.
    ::flock(fd, LOCK_EX | LOCK_NB);
    const bool created = publishTemporary(fd, temporary, path, bytes, error);
    ::close(fd);
    return created;
}

void sweepStaleTemporaries(const QString &folder, const QStringList &extensions)
{
    if (forcedWriteError() != 0)
        return;
    // A creation takes its lock just after making the name; a minute covers that moment many times.
    constexpr time_t kStaleSeconds = 60;
    const time_t now = ::time(nullptr);
    for (const QString &entry : hiddenEntries(folder)) {
        QString of;
        if (!isTemporaryName(entry, &of) ||
            std::none_of(extensions.cbegin(), extensions.cend(),
                         [&of](const QString &extension) { return of.endsWith(extension); }))
            continue;
        const QByteArray name = encoded(QDir(folder).filePath(entry));
        struct stat info;
        if (::lstat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode) ||
            now - info.st_mtime < kStaleSeconds)
            continue;
        const int fd = ::open(name.constData(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        // A temporary linked to a profile shares its lock: a tutor logged in to it keeps it too.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && identityOf(fd) == identityOfName(name))
            ::unlink(name.constData());
        ::close(fd);
    }
}

int linkCount(int fd)
{
    struct stat info;
    return ::fstat(fd, &info) == 0 ? int(info.st_nlink) : 0;
}

void removeTemporaryLinks(int fd, const QString &path)
{
    const QFileInfo info(path);
    const std::optional<FileIdentity> held = identityOf(fd);
    for (const QString &entry : hiddenEntries(info.path())) {
        QString of;
        if (!isTemporaryName(entry, &of) || of != info.fileName())
            continue;
        const QByteArray name = encoded(QDir(info.path()).filePath(entry));
        if (held && identityOfName(name) == held)
            ::unlink(name.constData());
    }
}

bool removeOpenFile(int fd, const QString &path, QString *error)
{
    if (writesRefused(error))
        return false;
    const QByteArray name = encoded(path);
    const std::optional<FileIdentity> held = identityOf(fd);
    if (!held || identityOfName(name) != held)
        return fail(error, ESTALE);
    if (::unlink(name.constData()) != 0)
        return fail(error, errno);
    return syncFolder(QFileInfo(path).path(), error);
}

bool removeFile(const QString &path, QString *error)
{
    if (writesRefused(error))
        return false;
    if (::unlink(encoded(path).constData()) != 0)
        return fail(error, errno);
    return syncFolder(QFileInfo(path).path(), error);
}

namespace {
// Reads up to `count` bytes, retrying when a signal interrupts; -1 on failure.
ssize_t readSome(int fd, char *buffer, size_t count)
{
    for (;;) {
        const ssize_t n = ::read(fd, buffer, count);
        if (n >= 0 || errno != EINTR)
            return n;
    }
}

// Fills the new file `fd` from `source` and checks that it holds exactly `expected` bytes, on the
// disk. 0 or the error number; `sourceFailed` set when reading was at fault.
int fillCopy(int source, int fd, qint64 expected, mode_t mode, bool *sourceFailed)
{
    constexpr size_t kChunk = 1 << 16;
    QByteArray buffer(kChunk, Qt::Uninitialized);
    qint64 copied = 0;
    for (;;) {
        const ssize_t n = readSome(source, buffer.data(), kChunk);
        if (n < 0) {
            *sourceFailed = true;
            return errno;
        }
        if (n == 0)
            break;
        for (ssize_t done = 0; done < n;) {
            const ssize_t written = ::write(fd, buffer.constData() + done, size_t(n - done));
            if (written < 0 && errno == EINTR)
                continue;
            if (written < 0)
                return errno;
            // A write that takes nothing and reports nothing: the disk is full.
            if (written == 0)
                return ENOSPC;
            done += written;
        }
        copied += n;
    }
    // A source that grew or shrank while it was read (or a short read that looked like its end)
    // gives a copy that is not the file.
    if (copied != expected) {
        *sourceFailed = true;
        return EIO;
    }
    // A FAT folder keeps no modes and refuses to change them; its files serve when they can at
    // least be read (and run, for a program) by their owner.
    if (::fchmod(fd, mode) != 0) {
        const int number = errno;
        struct stat made;
        const mode_t needed = S_IRUSR | (mode & S_IXUSR);
        if (::fstat(fd, &made) != 0 || (made.st_mode & needed) != needed)
            return number;
    }
    if (::fsync(fd) != 0)
        return errno;
    struct stat written;
    if (::fstat(fd, &written) != 0)
        return errno;
    return written.st_size == expected ? 0 : EIO;
}
} // namespace

int copyFileReplacing(const QString &source, const QString &target, bool addExecute, bool *sourceFailed)
{
    bool fromSource = false;
    if (!sourceFailed)
        sourceFailed = &fromSource;
    *sourceFailed = false;
    const int in = ::open(encoded(source).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (in < 0) {
        *sourceFailed = true;
        return errno;
    }
    struct stat info;
    int number = ::fstat(in, &info) != 0 ? errno : 0;
    if (number == 0 && !S_ISREG(info.st_mode))
        number = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    if (number != 0) {
        ::close(in);
        *sourceFailed = true;
        return number;
    }
    ::fcntl(in, F_SETFL, ::fcntl(in, F_GETFL) & ~O_NONBLOCK);
    mode_t mode = info.st_mode & 0777;
    if (addExecute)
        mode |= S_IXUSR | ((mode & S_IRGRP) ? S_IXGRP : 0) | ((mode & S_IROTH) ? S_IXOTH : 0);

    if (writesRefused(nullptr)) {
        ::close(in);
        return forcedWriteError();
    }
    const QFileInfo name(target);
    const QString folder = name.path();
    QByteArray temporary = encoded(folder + QLatin1String("/.") + name.fileName() + QLatin1String(".XXXXXX"));
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        number = errno;
        ::close(in);
        return number;
    }
    number = fillCopy(in, fd, info.st_size, mode, sourceFailed);
    ::close(in);
    if (::close(fd) != 0 && number == 0)
        number = errno;
    // rename() puts the new file in the name's place: a link standing there is replaced, and what
    // it pointed to is never touched.
    if (number == 0 && ::rename(temporary.constData(), encoded(target).constData()) != 0)
        number = errno;
    if (number != 0) {
        ::unlink(temporary.constData());
        return number;
    }
    const int folderFd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0)
        return errno;
    number = ::fsync(folderFd) == 0 ? 0 : errno;
    ::close(folderFd);
    // EINVAL: the file system cannot sync a folder at all; the copy stands.
    return number == EINVAL ? 0 : number;
}

int makeFolders(const QString &path)
{
    const QByteArray name = encoded(QDir::cleanPath(path));
    for (qsizetype end = name.indexOf('/', 1);; end = name.indexOf('/', end + 1)) {
        const QByteArray part = end < 0 ? name : name.left(end);
        if (::mkdir(part.constData(), 0777) != 0) {
            const int number = errno;
            struct stat info;
            if (number != EEXIST || ::stat(part.constData(), &info) != 0)
                return number;
            if (!S_ISDIR(info.st_mode))
                return ENOTDIR;
        }
        if (end < 0)
            return 0;
    }
}

int makeFoldersInside(const QString &base, const QString &relative)
{
    QString path = base;
    for (const QString &part : relative.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path += QLatin1Char('/') + part;
        const QByteArray name = encoded(path);
        struct stat info;
        if (::lstat(name.constData(), &info) == 0) {
            if (S_ISDIR(info.st_mode))
                continue;
            if (!S_ISLNK(info.st_mode))
                return ENOTDIR;
            if (::unlink(name.constData()) != 0)
                return errno;
        }
        if (::mkdir(name.constData(), 0777) != 0)
            return errno;
    }
    return 0;
}

int folderWriteError(const QString &folder)
{
    if (writesRefused(nullptr))
        return forcedWriteError();
    // access() answers for permission and names a read-only file system (EROFS), making nothing.
    return ::faccessat(AT_FDCWD, encoded(folder).constData(), W_OK | X_OK, AT_EACCESS) == 0 ? 0 : errno;
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

void setDiskCallHookForTesting(std::function<int(const DiskCall &)> hook)
{
    diskCallHook() = std::move(hook);
}

void setWriteErrorForTesting(int error)
{
    forcedWriteError() = error;
}

} // namespace platform

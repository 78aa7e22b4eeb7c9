#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// Files a learner's work lives in: opened without following symbolic links, written through to the
// disk with every failure reported in the system's own words, created whole or not at all.
// Needs only Qt Core and POSIX.
namespace platform {

// The system's reason for the error number `error`, e.g. "No space left on device".
QString systemErrorText(int error);

// True when `path` itself (not what a link points to) is a regular file.
bool isRegularFile(const QString &path);

// Opens an existing regular file without following a symbolic link and without making a new one.
// Returns the file descriptor, or -1 with the reason in `error` (a link or anything that is not a
// regular file is refused as "Not a regular file"). The descriptor is close-on-exec.
int openRegularFile(const QString &path, bool writable, QString *error = nullptr);

// Closes a descriptor from openRegularFile (a negative one is passed over).
void closeFile(int fd);

// Reads up to `count` bytes at `offset`; fewer (or none) at the end of the file or on failure.
QByteArray readAt(int fd, qint64 offset, qint64 count, QString *error = nullptr);

// Writes all of `bytes` at `offset`. False with the reason when any part fails.
bool writeAt(int fd, qint64 offset, const QByteArray &bytes, QString *error = nullptr);
// writeAt, then fdatasync.
bool writeAtAndSync(int fd, qint64 offset, const QByteArray &bytes, QString *error = nullptr);

// Appends all of `bytes` at the end of the file; a part written is taken back. The file need not
// be opened with O_APPEND: the end is taken at the moment of writing.
bool append(int fd, const QByteArray &bytes, QString *error = nullptr);
// append, then fdatasync.
bool appendAndSync(int fd, const QByteArray &bytes, QString *error = nullptr);

// fdatasync: what was written to `fd` is on the disk.
bool syncData(int fd, QString *error = nullptr);

// Opens `path` to append to, never through a link, making it (mode 0600, `created` set) when no
// name is there. Returns the descriptor, or -1 with the reason.
int openForAppend(const QString &path, bool *created, QString *error = nullptr);

// Makes `path` holding exactly `bytes`, mode 0600, never replacing anything that exists there:
// written and synced under a temporary name in the same folder (".<name>.XXXXXX", locked while the
// creation lasts), linked to `path`, the temporary name removed and the folder synced. A kill at any
// moment leaves either no file at `path` or the whole one. Fails with the reason (EEXIST's "File
// exists" when the name is taken).
bool createFileAtomically(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// Removes what stopped creations left in `folder`: temporaries of files ending in one of
// `extensions`, older than a minute, that no creation holds.
void sweepStaleTemporaries(const QString &folder, const QStringList &extensions);

// How many names the open file has (a hard link gives it two); 0 when it cannot be told.
int linkCount(int fd);

// Removes the temporary names of `path` (left by a creation stopped after its link) that name the
// same file as `fd`, which the caller holds locked, so no creation is still at work on them.
void removeTemporaryLinks(int fd, const QString &path);

// Removes the name `path` only while it still names the open file `fd` (held locked by the caller),
// then syncs the folder; a name that meanwhile names another file is left alone ("Stale file handle").
bool removeOpenFile(int fd, const QString &path, QString *error = nullptr);

// Removes the name `path` (a link itself, never its target) and syncs the folder.
bool removeFile(const QString &path, QString *error = nullptr);

// fsync of the folder, so a name made or removed in it survives a power cut.
bool syncFolder(const QString &folder, QString *error = nullptr);

// The installer's primitives below report the system's error number (0 when all went well), so
// it can tell a full disk from a read-only one in its own words.

// Copies the regular file `source` (a link to one is followed) to `target` without ever writing
// into what stands at `target`: a new file is made beside it, every read, write and sync and the
// final size are checked, and it is renamed over `target`, replacing a file or a symbolic link
// there (never following it). The copy keeps the source's permission bits; `addExecute` adds
// execute wherever read is allowed. On failure the new file is removed and whatever stood at
// `target` is left as it was; `sourceFailed` tells whether the source was at fault (missing,
// unreadable, not a regular file, changed while read).
int copyFileReplacing(const QString &source, const QString &target, bool addExecute,
                      bool *sourceFailed = nullptr);

// Makes the folder `path` with every missing parent, following links as a path typed by a person
// should.
int makeFolders(const QString &path);

// Makes the folders of the relative path `relative` inside the existing folder `base`, one by one;
// a symbolic link standing for one of them is replaced by a real folder, never followed, so
// nothing made below lands outside `base`.
int makeFoldersInside(const QString &base, const QString &relative);

// Whether this process may make files in the existing folder `folder` (read-only file system,
// permission); makes nothing.
int folderWriteError(const QString &folder);

enum class LockResult
{
    Locked,
    HeldElsewhere,
    Failed
};

// Takes an exclusive advisory lock (flock) on the open file without waiting. It lasts until the
// descriptor is closed; another open of the same file, in this process or another, is refused.
LockResult tryLockFile(int fd, QString *error = nullptr);

// The steps of createFileAtomically, in order.
enum class CreateStep
{
    TemporaryWritten,
    Linked,
    TemporaryRemoved
};

// Called after each step; returning false stops the creation right there, leaving everything as
// a kill at that moment would. Pass an empty function to remove it.
void setCreateStepHookForTesting(std::function<bool(CreateStep)> hook);

// What reaches the disk, as a test sees it: each write (its offset and size) and each sync, told on
// the thread that does it. A non-zero answer fails that operation with that error number, as the
// disk would. Pass an empty function to remove it.
struct DiskCall
{
    enum class Kind
    {
        Write,
        Sync
    };
    Kind kind;
    int fd;
    qint64 offset = 0;
    qint64 size = 0;
};
void setDiskCallHookForTesting(std::function<int(const DiskCall &)> hook);

// While `error` is not 0, every operation that changes a file or a folder (opening for writing,
// writing, syncing, creating, removing) fails with it, as a full disk (ENOSPC) or a read-only
// folder (EROFS) would.
void setWriteErrorForTesting(int error);

} // namespace platform

#pragma once

#include <QList>
#include <QString>

// The installer's files and where each goes. Needs no window, so tests reach it directly.
class cCopyList
{
public:
    struct Row
    {
        QString sOldName; // in the installer's own folder
        QString sNewName; // in the installation folder, or the system folder for a library
    };

    // Why a copy failed, as the learner is told it.
    enum Failure
    {
        Copied,
        SourceMissing,    // the installer's folder lacks the file (or holds no regular file there)
        SourceUnreadable, // reading it failed or it changed while read
        NoSpace,          // the target's file system is full
        PermissionDenied, // the source may not be read or the target folder not written
        ReadOnly,         // the target's file system is mounted read-only
        OtherFailure
    };

    // A file that was not installed, and why.
    struct FailedCopy
    {
        QString sReason; // FailureText or ReasonText
        QString sTarget; // the path it was to have
    };

    // The six rows in copy order.
    static QList<Row> Rows();

    // The run-time files the installer's folder carries for a desktop without Qt (libraries, the
    // platform plugin, translation, fonts, icon), listed one relative name a line in its
    // RuntimeListName file; each keeps its name. Names that would leave the installation folder are
    // passed over. None when the folder holds no list.
    static QList<Row> RuntimeRows(const QString &sSetupFolder);
    static constexpr const char *RuntimeListName = "runtime.list";

    // Targets whose name ends in "DLL" (any case) are run-time libraries for the system folder.
    static bool IsLibrary(const QString &sNewName);
    // Targets whose name ends in ".EXE" (any case) are programs: installed executable.
    static bool IsProgram(const QString &sNewName);

    // `sInstallPath` ends in "/"; `sSystemFolder` has no trailing "/".
    static QString TargetPath(const Row &row, const QString &sInstallPath, const QString &sSystemFolder);

    // Progress after file `iFile` of `iFiles`, truncated: 16, 33, 50, 66, 83, 100 for six files.
    static int Percent(int iFile, int iFiles);
    // Left edge of the bar in a box of `iWidth` pixels: it slides in from the right edge.
    static int BarLeft(int iFile, int iFiles, int iWidth);

    // A byte-for-byte copy that replaces the target in one step (platform::copyFileReplacing): a
    // running copy of the target keeps its own file, a failed copy leaves the old target whole, and
    // a link at the target is replaced, never written through. The copy keeps the source's
    // permissions; `bExecutable` adds execute wherever read is allowed, since a memory stick's file
    // system may have dropped it. On failure the reason is returned and the system's error number
    // left in `iError`.
    static Failure CopyFile(const QString &sSource, const QString &sTarget, bool bExecutable = false,
                            int *iError = nullptr);
    // The failure a system error number stands for, on the source's side or the target's.
    static Failure FailureFor(int iError, bool bSource);
    // The reason in the learner's words; an unforeseen one carries the system's text.
    static QString FailureText(Failure failure, int iError = 0);
    // What stopped a write on the target's side, from the system's error number.
    static QString ReasonText(int iError);
};

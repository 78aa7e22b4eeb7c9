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

    // The six rows in copy order.
    static QList<Row> Rows();

    // Targets whose name ends in "DLL" (any case) are run-time libraries for the system folder.
    static bool IsLibrary(const QString &sNewName);

    // `sInstallPath` ends in "/"; `sSystemFolder` has no trailing "/".
    static QString TargetPath(const Row &row, const QString &sInstallPath, const QString &sSystemFolder);

    // Progress after file `iFile` of `iFiles`, truncated: 16, 33, 50, 66, 83, 100 for six files.
    static int Percent(int iFile, int iFiles);
    // Left edge of the bar in a box of `iWidth` pixels: it slides in from the right edge.
    static int BarLeft(int iFile, int iFiles, int iWidth);

    // A byte-for-byte copy that replaces the target in one step: the new file is written beside it
    // and renamed over it, so a running copy of the target keeps its own file and a failed copy
    // leaves the old target whole. The copy keeps the source's permissions (execute included).
    // False, with the target untouched, when any step fails.
    static bool CopyFile(const QString &sSource, const QString &sTarget);
};

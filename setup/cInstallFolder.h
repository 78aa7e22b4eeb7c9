#pragma once

#include <QString>

// The installation folder chosen on the folder page. Needs no window.
class cInstallFolder
{
public:
    enum Check
    {
        FolderExists,     // ask before copying into it
        FolderCreated,    // made now, with any missing parents
        FolderInvalid,    // refused: the invalid-name message
        FolderNotMade,    // a usable name the system would not make (the reason in the error)
        FolderNotWritable // exists, but no file may be made in it (read-only, permission)
    };

    // The folder offered at first ($HOME/KZ, expanded) and the one put back after a refusal
    // ($HOME/KZ/).
    static QString DefaultText();
    static QString ResetText();

    // The trimmed text with "/" appended unless it ends in one; empty stays empty.
    static QString InstallPath(const QString &sText);

    // An absolute name without "%" and without control characters (line breaks among them).
    static bool IsNameUsable(const QString &sInstallPath);

    // Whether `sInstallPath` exists as a folder files may be written into, else whether it can be
    // made (parents included). An empty or relative name is refused: it would install into
    // wherever the installer happened to be started from; so is a name the menu entry cannot hold.
    // FolderNotMade and FolderNotWritable leave the system's error number in `iError`.
    static Check CheckFolder(const QString &sInstallPath, int *iError = nullptr);
};

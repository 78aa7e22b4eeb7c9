#pragma once

#include <QString>

// The installation folder chosen on the folder page. Needs no window.
class cInstallFolder
{
public:
    enum Check
    {
        FolderExists,  // ask before copying into it
        FolderCreated, // made now
        FolderInvalid  // refused: the invalid-name message
    };

    // The folder offered at first ($HOME/KZ, expanded) and the one put back after a refusal
    // ($HOME/KZ/).
    static QString DefaultText();
    static QString ResetText();

    // The trimmed text with "/" appended unless it ends in one; empty stays empty.
    static QString InstallPath(const QString &sText);

    // An absolute name without "%" and without control characters (line breaks among them).
    static bool IsNameUsable(const QString &sInstallPath);

    // Whether `sInstallPath` exists as a folder, else whether one make-directory call creates it
    // (its parent must exist). An empty or relative name is refused: it would install into
    // wherever the installer happened to be started from; so is a name the menu entry cannot hold.
    static Check CheckFolder(const QString &sInstallPath);
};

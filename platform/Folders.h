#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// The folder of the running executable, always ending in "/" (the root "/" stays as it is).
QString programFolder();
// Also forgets where profiles were decided to live, so the next profileFolder() decides afresh.
void setProgramFolderForTesting(const QString &folder);

// Where the learners' profiles and histories live, ending in "/". Beside the program when it may
// write its own folder and is not installed in a system folder (under /usr, as the package puts
// it, even for root): the installer's folder, a school's shared folder. Otherwise the learner's
// data folder, $XDG_DATA_HOME/tavrin (by default ~/.local/share/tavrin), made owner-only (0700)
// where it is missing. Decided once per program folder, so a running tutor never switches.
QString profileFolder();

// The folder of the files shipped with the program (its texts, faces), ending in "/": the program
// folder, or <prefix>/share/tavrin/ when the program is installed as <prefix>/bin/ beside it.
QString shippedFilesFolder();

// Where the tutor's plugin `fileName` (libkzsound.so) is: beside the program, or in
// <prefix>/lib/tavrin/ when the program is installed as <prefix>/bin/ and the plugin is there.
QString pluginPath(const QString &fileName);

// The per-user library folder that takes the place of the system folder ($HOME/.local/lib),
// without a trailing "/".
QString systemFolder();
void setSystemFolderForTesting(const QString &folder);

// The file name of a library the tutor cannot run without. The Linux build needs none (Qt shapes
// and lays out Arabic itself), so this is empty unless a test names one.
QString requiredLibrary();
void setRequiredLibraryForTesting(const QString &fileName);

// True when `folder` holds a file called `fileName`, compared without regard to case.
bool fileExistsIgnoringCase(const QString &folder, const QString &fileName);

// Names of the files in `folder` whose names end in `suffix` without regard to case ("*.USR"),
// in the order the folder listing returns them.
QStringList filesWithSuffix(const QString &folder, const QString &suffix);

} // namespace platform

#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// The folder of the running executable, always ending in "/" (the root "/" stays as it is).
QString programFolder();
void setProgramFolderForTesting(const QString &folder);

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

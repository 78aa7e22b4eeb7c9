#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// The "drives" a drive list offers: the root folder of every mounted volume that is a folder, and
// the home folder, each once, in path order. A test may name its own, including ones that do not
// exist (a drive that is not ready); an empty list restores the real ones.
QStringList driveFolders();
void setDriveFoldersForTesting(const QStringList &folders);

// The drive folder `path` lies on: the longest of `drives` that holds it, or "" when none does.
QString driveOfPath(const QStringList &drives, const QString &path);

// True when a drive's folder can be listed now.
bool isDriveReady(const QString &folder);

} // namespace platform

#pragma once

#include <QString>
#include <functional>

namespace platform {

// Starts a program without waiting for it, in its own folder, with no arguments.
bool startDetached(const QString &program);

// The path of the running executable.
QString runningExecutable();

// Ends the process once the syncs under way are over (a failed one is told first): no window's
// close or unload handler runs. Profiles and histories are written at every change, so nothing is
// lost.
void endProgram(int exitCode = 0);

// Opens a web page in the desktop's browser.
bool openWebPage(const QString &url);

// Tests see what would be started or ended instead of it happening.
void setStartDetachedForTesting(std::function<bool(const QString &)> starter);
void setEndProgramForTesting(std::function<void(int)> ender);
void setOpenWebPageForTesting(std::function<bool(const QString &)> opener);

} // namespace platform

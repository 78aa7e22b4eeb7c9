#pragma once

#include <QString>

#include <functional>

// Syncs written files on a thread of its own, one after another in the order asked, so the key that
// ends a line never waits for the disk. The caller has already written the bytes: the kernel has
// them, so a kill of the tutor loses nothing; the sync is what makes them outlast a power cut.
// Needs only Qt Core.
namespace platform {

// Takes over `fd` and closes it after its sync (hand over a dup to keep one's own open). A non-empty
// `folder` is synced after it, for a name just made there. `done` runs later on the application's
// thread, from its event loop or from waitForSyncs, with "" or the reason the sync failed.
void syncLater(int fd, const QString &folder, std::function<void(const QString &error)> done);

// Blocks until every sync asked for so far is over, then runs the `done` still waiting, here. Every
// way out of the program passes here first. With `report` false they are dropped (a test's reset).
void waitForSyncs(bool report = true);

} // namespace platform

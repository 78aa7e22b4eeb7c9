#pragma once

class QFile;

namespace platform {

// Pushes what was written to `file` through to the disk, so a single field written to a profile
// survives a crash or a power cut right after it.
void syncToDisk(QFile &file);

} // namespace platform

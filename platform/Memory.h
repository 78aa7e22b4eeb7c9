#pragma once

namespace platform {

// Gives back what start-up used once and a lesson never reads again: the free heap at its top, and
// the resident pages of each loaded library's read-only data that no one wrote (the symbol and
// relocation tables the dynamic linker went through). Those pages stay in the page cache, so a later
// read maps them again from there; nothing is lost. Safe to call at any time, on the GUI thread.
void releaseStartUpMemory();

} // namespace platform

#pragma once

#include <functional>

namespace platform {

// Runs `handler` from the event loop when SIGTERM, SIGINT or SIGHUP arrives, so a desktop logging
// out or a terminal closing ends the program through its own orderly path instead of killing it
// mid-change. Installed once; a later call replaces the handler.
void onTerminationSignal(std::function<void()> handler);

} // namespace platform

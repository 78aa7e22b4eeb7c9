#pragma once

#include <functional>

namespace platform {

// The desktop's default beep. Tests install a handler to count beeps instead of sounding them.
void beep();
void setBeepHandler(std::function<void()> handler);

} // namespace platform

#pragma once

#include <functional>

class QAccessibleEvent;

namespace platform {

// Whether a screen reader follows the application: Qt's bridge to the desktop's accessibility bus is
// active, or a test listens in its place. The widgets the tutor paints itself tell of their changes
// only then, so that without one a key costs what it always did.
bool screenReaderListens();
// Hands a change to the screen reader (or to the listening test).
void tellScreenReader(QAccessibleEvent &event);
// While set, the handler hears every change in place of Qt's bridge, which a test cannot start.
void setScreenReaderHandler(std::function<void(QAccessibleEvent &)> handler);

} // namespace platform

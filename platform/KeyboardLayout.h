#pragma once

#include <QString>

class QKeyEvent;

namespace platform {

// Layout identifiers as the tutor names them.
inline constexpr const char *kArabicLayout = "00000401";  // Arabic (101)
inline constexpr const char *kEnglishLayout = "00000409"; // US

// Makes `layoutId` the layout in which the process reads typing. Unknown identifiers change nothing
// and return false.
bool loadKeyboardLayout(const QString &layoutId);
QString activeKeyboardLayout();

// The text a physical key gives in a layout: `xKeycode` is the X keycode (evdev code + 8). Empty
// when the layout has nothing on that key (function keys, keypad without Num Lock, ...).
QString textOfPhysicalKey(const QString &layoutId, quint32 xKeycode, bool shift, bool capsLock = false);

// The text a key press types in the active layout, whatever layout the desktop has. Presses with
// Ctrl, Alt or Meta are not translated. A press with an unknown keycode (a key sent by name) types
// the active layout's character of the US or Arabic key that gives its text, at the same level;
// events without a scan code (synthetic ones) and texts no key gives keep their own text, with
// presentation-form lam-alef ligatures split into their two letters.
QString typedText(const QKeyEvent &event);

} // namespace platform

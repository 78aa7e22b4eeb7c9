#pragma once

class QApplication;

namespace platform {

// Enter (or the keypad's Enter) presses the push button that has the keyboard focus, in every window,
// as on the desktop the program was made for; Qt presses a focused button on Enter only inside its
// dialogs.
void pressFocusedButtonsWithEnter(QApplication &application);

} // namespace platform

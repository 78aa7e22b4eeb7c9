#pragma once

#include <QSize>

class QScreen;
class QWidget;

// The screen a window opens on and how it stands there.
namespace platform {

// The screen that has the pointer (the primary one where none does).
QScreen *pointerScreen();

// The area of the pointer's screen that windows may use, in Qt's pixels.
QSize pointerScreenArea();

// Places a top-level window centred on the pointer's screen.
void centreOnPointerScreen(QWidget *window);

// Gives a top-level window a size of its own that the learner cannot change: no resizing, and no
// maximise button that would do nothing.
void fixWindowSize(QWidget *window, QSize size);

} // namespace platform

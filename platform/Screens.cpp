#include "platform/Screens.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace platform {

QScreen *pointerScreen()
{
    if (QScreen *screen = QGuiApplication::screenAt(QCursor::pos()))
        return screen;
    return QGuiApplication::primaryScreen();
}

QSize pointerScreenArea()
{
    const QScreen *screen = pointerScreen();
    return screen ? screen->availableGeometry().size() : QSize();
}

void centreOnPointerScreen(QWidget *window)
{
    const QScreen *screen = pointerScreen();
    if (!screen || !window)
        return;
    const QRect area = screen->availableGeometry();
    // Before it is shown the frame is not known yet: the window's own size stands for it.
    const QSize frame = window->isVisible() ? window->frameGeometry().size() : window->size();
    window->move(area.left() + qMax(0, (area.width() - frame.width()) / 2),
                 area.top() + qMax(0, (area.height() - frame.height()) / 2));
}

void fixWindowSize(QWidget *window, QSize size)
{
    window->setFixedSize(size);
    // The decorations are named one by one, so the maximise button is left out; a main window keeps
    // its minimise button, a dialog has none.
    const Qt::WindowFlags type = window->windowFlags() & Qt::WindowType_Mask;
    Qt::WindowFlags flags = type | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint;
    if (type == Qt::Window)
        flags |= Qt::WindowMinimizeButtonHint;
    window->setWindowFlags(flags);
}

} // namespace platform

#include "platform/ButtonKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace platform {

namespace {

class EnterPressesButton : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Sees every event of the program: the type is the only test most of them meet.
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        auto *button = qobject_cast<QPushButton *>(watched);
        if (!button || !button->isEnabled() || !button->hasFocus())
            return false;
        button->click();
        return true;
    }
};

} // namespace

void pressFocusedButtonsWithEnter(QApplication &application)
{
    application.installEventFilter(new EnterPressesButton(&application));
}

} // namespace platform

#include "platform/Accessibility.h"

#include <QAccessible>

namespace platform {

namespace {
std::function<void(QAccessibleEvent &)> &screenReaderHandler()
{
    static std::function<void(QAccessibleEvent &)> handler;
    return handler;
}
} // namespace

bool screenReaderListens()
{
    return screenReaderHandler() || QAccessible::isActive();
}

void tellScreenReader(QAccessibleEvent &event)
{
    if (screenReaderHandler())
        screenReaderHandler()(event);
    else
        QAccessible::updateAccessibility(&event);
}

void setScreenReaderHandler(std::function<void(QAccessibleEvent &)> handler)
{
    screenReaderHandler() = std::move(handler);
}

} // namespace platform

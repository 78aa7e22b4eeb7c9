#include "app/WindowRegistry.h"

#include <QCoreApplication>

QList<WindowRegistry::Entry> &WindowRegistry::entries()
{
    static QList<Entry> list;
    return list;
}

WindowRegistry::Entry *WindowRegistry::find(std::type_index type)
{
    for (Entry &entry : entries()) {
        if (entry.type == type && entry.window)
            return &entry;
    }
    return nullptr;
}

WindowRegistry::Entry *WindowRegistry::find(const QWidget *window)
{
    for (Entry &entry : entries()) {
        if (entry.window == window)
            return &entry;
    }
    return nullptr;
}

QList<QWidget *> WindowRegistry::LoadedWindows()
{
    QList<QWidget *> windows;
    for (const Entry &entry : entries()) {
        if (entry.window)
            windows.append(entry.window);
    }
    return windows;
}

void WindowRegistry::Unload(QWidget *window)
{
    Entry *entry = find(window);
    if (!entry)
        return;
    if (entry->unloadHandler)
        entry->unloadHandler();
    // The handler may have unloaded other windows; look the entry up again.
    entry = find(window);
    if (!entry)
        return;
    const QList<QPointer<QWidget>> panels = entry->panels;
    entries().removeIf([window](const Entry &e) { return e.window == window || !e.window; });
    // Panels shown inside another window go back under their own window, so they go with it.
    for (const QPointer<QWidget> &panel : panels) {
        if (panel) {
            panel->hide();
            panel->setParent(window);
        }
    }
    window->hide();
    // Deleted once control is back in the event loop: the unload may come from one of its own buttons.
    window->deleteLater();
}

void WindowRegistry::AdoptPanel(QWidget *window, QWidget *panel)
{
    Entry *entry = find(window);
    if (entry && !entry->panels.contains(panel))
        entry->panels.append(panel);
}

QWidget *WindowRegistry::OwnerOfPanel(const QWidget *panel)
{
    for (const Entry &entry : entries()) {
        for (const QPointer<QWidget> &p : entry.panels) {
            if (p == panel)
                return entry.window;
        }
    }
    return nullptr;
}

void WindowRegistry::UnloadAll()
{
    while (!LoadedWindows().isEmpty())
        Unload(LoadedWindows().constLast());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

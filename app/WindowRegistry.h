#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <typeindex>

// The default instance of every window: created on first use (its Form_Load runs then), listed in
// load order while loaded, and unloaded on request (its Form_Unload runs, then it is deleted).
class WindowRegistry
{
public:
    template <class T> static T &Window();
    template <class T> static bool IsLoaded() { return find(typeid(T)) != nullptr; }

    static QList<QWidget *> LoadedWindows();
    static void Unload(QWidget *window);
    template <class T> static void Unload()
    {
        if (Entry *entry = find(typeid(T)))
            Unload(entry->window);
    }

    // A panel of `window` now shown inside another window; it goes with its window when that unloads.
    static void AdoptPanel(QWidget *window, QWidget *panel);
    // The loaded window a panel belongs to, or nullptr.
    static QWidget *OwnerOfPanel(const QWidget *panel);

    // Unloads every window at once; for the end of a test.
    static void UnloadAll();

private:
    struct Entry
    {
        std::type_index type;
        QPointer<QWidget> window;
        std::function<void()> unloadHandler;
        QList<QPointer<QWidget>> panels;
    };
    static QList<Entry> &entries();
    static Entry *find(std::type_index type);
    static Entry *find(const QWidget *window);
};

template <class T> T &WindowRegistry::Window()
{
    if (Entry *entry = find(typeid(T)))
        return *static_cast<T *>(entry->window.data());
    auto *window = new T;
    std::function<void()> unloadHandler;
    if constexpr (requires { window->Form_Unload(); })
        unloadHandler = [window] { window->Form_Unload(); };
    entries().append({typeid(T), window, std::move(unloadHandler), {}});
    // Registered before loading, so the load handler may name its own window.
    if constexpr (requires { window->Form_Load(); })
        window->Form_Load();
    return *window;
}

// The default instance of a window class, as code everywhere names it.
template <class T> T &Window()
{
    return WindowRegistry::Window<T>();
}

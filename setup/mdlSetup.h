#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

class QApplication;

// The chosen installation folder, always ending in "/".
extern QString sInstallPath;
// Create the menu group after copying.
extern bool bCreateGroup;

// Right-to-left direction, the interface font and Arabic standard buttons.
void SetUpApplication(QApplication &application);

// Shows the background window, then the welcome page.
void Main();

// How the installer ends: installed, a file not copied, or stopped by the learner.
constexpr int kExitInstalled = 0;
constexpr int kExitCopyFailed = 1;
constexpr int kExitCancelled = 2;

// Asks whether to end the installer; Yes ends it at once with kExitCancelled (copied files stay).
// False after No.
bool ConfirmExit(QWidget *parent);

// The installer's own folder, ending in "/".
QString SetupFolder();

// Waits `iNumofSeconds` while the windows go on handling events.
void Sleep(int iNumofSeconds);
// Tests replace the wait; an empty function restores it.
void setSleepForTesting(std::function<void(int)> sleeper);

namespace setupwindows {
void Register(QWidget *window);
}

// The one instance of a window, created (and its Form_Load run) when first named.
template <class T> T &Window()
{
    static QPointer<T> window;
    if (!window) {
        window = new T;
        setupwindows::Register(window);
        window->Form_Load();
    }
    return *window;
}

// Hides a window and deletes it once control returns to the event loop, so a window may unload
// itself from its own button.
template <class T> void Unload(T *window)
{
    if (window) {
        window->hide();
        window->deleteLater();
    }
}

// Deletes every window at once (tests start each case afresh).
void UnloadAll();

// Puts a page in the middle of the background window.
void CentreOverBackground(QWidget *page);

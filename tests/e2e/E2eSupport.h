#pragma once

#include <QPoint>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace e2e {

// A private X server (Xvfb) on a free display, kept from reverting the keymap between clients.
class XServer
{
public:
    XServer();
    ~XServer();
    bool isRunning() const;
    QString display() const { return m_display; }
    QProcessEnvironment environment() const;
    // Sets the desktop's keyboard layout ("us", "ara", ...) for every later client, with `spareKeysyms`
    // (lower-case letters) bound on spare keys, as remote-desktop servers bind the characters a client
    // sends that the layout lacks. xdotool's own binding of such keysyms is undone at once and races
    // with the program's reading of the keymap, losing keys now and then.
    bool setLayout(const QString &layout, const QStringList &spareKeysyms = {}) const;

    // Runs xdotool with `arguments` on this display; returns its standard output, trimmed.
    QString xdotool(const QStringList &arguments, int timeoutMs = 15000) const;
    // The id of the first visible window whose name matches `pattern` (a regular expression), or ""
    // when none shows within the time.
    QString waitForWindow(const QString &pattern, int timeoutMs = 15000) const;
    bool waitForWindowGone(const QString &windowId, int timeoutMs = 15000) const;
    void click(const QString &windowId, QPoint at) const;
    void key(const QString &windowId, const QStringList &keys) const;
    void type(const QString &windowId, const QString &keysyms) const;
    // Saves a screenshot of the whole screen when ImageMagick is at hand; for people, not for checks.
    void screenshot(const QString &name) const;

private:
    QProcess m_server;
    QString m_display;
};

// A copy of the tutor in its own program folder, started on a given X server.
class Tutor
{
public:
    explicit Tutor(const XServer &server);
    ~Tutor();
    QString folder() const; // ends in "/"
    bool start();
    QProcess &process() { return m_process; }
    QByteArray profileBytes(const QString &name) const;

private:
    const XServer &m_server;
    std::unique_ptr<QTemporaryDir> m_dir;
    QProcess m_process;
};

// Kills every tutor process started from `folder` (restarts are detached from the test).
void killTutorsIn(const QString &folder);

} // namespace e2e

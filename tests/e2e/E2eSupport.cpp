#include "E2eSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <csignal>

namespace e2e {

XServer::XServer()
{
    for (int number = 77; number < 140; ++number) {
        if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)) ||
            QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
            continue;
        m_display = QStringLiteral(":%1").arg(number);
        m_server.start(QStringLiteral("Xvfb"), {m_display, QStringLiteral("-screen"), QStringLiteral("0"),
                                                QStringLiteral("1280x800x24"), QStringLiteral("-noreset"),
                                                QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        if (!m_server.waitForStarted(5000))
            return;
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 10000) {
            if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
                return;
            if (m_server.state() == QProcess::NotRunning)
                break;
            QThread::msleep(50);
        }
        m_server.kill();
        m_server.waitForFinished();
    }
    m_display.clear();
}

XServer::~XServer()
{
    if (m_server.state() != QProcess::NotRunning) {
        m_server.terminate();
        if (!m_server.waitForFinished(3000))
            m_server.kill();
        m_server.waitForFinished();
    }
}

bool XServer::isRunning() const
{
    return !m_display.isEmpty() && m_server.state() == QProcess::Running;
}

QProcessEnvironment XServer::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return env;
}

bool XServer::setLayout(const QString &layout, const QStringList &spareKeysyms) const
{
    QProcess print;
    print.setProcessEnvironment(environment());
    print.start(QStringLiteral("setxkbmap"), {QStringLiteral("-layout"), layout, QStringLiteral("-print")});
    if (!print.waitForFinished(15000) || print.exitCode() != 0)
        return false;
    QString keymap = QString::fromUtf8(print.readAllStandardOutput());
    // Keys 160 and up are media keys no test presses.
    QString spareKeys;
    for (int i = 0; i < spareKeysyms.size(); ++i) {
        spareKeys += QStringLiteral(" key <I%1> { [ %2, %3 ] };")
                         .arg(160 + i)
                         .arg(spareKeysyms.at(i), spareKeysyms.at(i).toUpper());
    }
    keymap.replace(QRegularExpression(QStringLiteral("(xkb_symbols[^{]*\\{[^}]*)\\};")),
                   QStringLiteral("\\1") + spareKeys + QStringLiteral(" };"));

    QProcess load;
    load.setProcessEnvironment(environment());
    load.start(QStringLiteral("xkbcomp"),
               {QStringLiteral("-w"), QStringLiteral("0"), QStringLiteral("-"), m_display});
    load.write(keymap.toUtf8());
    load.closeWriteChannel();
    return load.waitForFinished(15000) && load.exitStatus() == QProcess::NormalExit && load.exitCode() == 0;
}

QString XServer::xdotool(const QStringList &arguments, int timeoutMs) const
{
    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(QStringLiteral("xdotool"), arguments);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
    }
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QString XServer::waitForWindow(const QString &pattern, int timeoutMs) const
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        const QString ids = xdotool(
            {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), pattern});
        if (!ids.isEmpty())
            return ids.split(QLatin1Char('\n')).first();
        QThread::msleep(100);
    }
    return QString();
}

bool XServer::waitForWindowGone(const QString &windowId, int timeoutMs) const
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        const QString visible = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                         QStringLiteral("--name"), QStringLiteral(".")});
        if (!visible.split(QLatin1Char('\n')).contains(windowId))
            return true;
        QThread::msleep(100);
    }
    return false;
}

void XServer::click(const QString &windowId, QPoint at) const
{
    xdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QStringLiteral("--window"), windowId,
             QString::number(at.x()), QString::number(at.y())});
    xdotool({QStringLiteral("click"), QStringLiteral("1")});
    QThread::msleep(150);
}

void XServer::key(const QString &windowId, const QStringList &keys) const
{
    xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), windowId});
    QStringList arguments{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("30")};
    arguments += keys;
    xdotool(arguments);
    QThread::msleep(150);
}

void XServer::type(const QString &windowId, const QString &keysyms) const
{
    key(windowId, keysyms.split(QLatin1Char(' '), Qt::SkipEmptyParts));
}

void XServer::screenshot(const QString &name) const
{
    const QString import = QStandardPaths::findExecutable(QStringLiteral("import"));
    const QString folder = qEnvironmentVariable("KZ_E2E_SHOTS");
    if (import.isEmpty() || folder.isEmpty())
        return;
    QDir().mkpath(folder);
    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(import, {QStringLiteral("-window"), QStringLiteral("root"),
                           folder + QLatin1Char('/') + name + QStringLiteral(".png")});
    process.waitForFinished(10000);
}

Tutor::Tutor(const XServer &server) : m_server(server)
{
    const QString base = qEnvironmentVariable("KZ_TEST_SCRATCH", QDir::tempPath());
    QDir().mkpath(base);
    m_dir = std::make_unique<QTemporaryDir>(base + QStringLiteral("/tutor-XXXXXX"));
    QFile::copy(QStringLiteral(KZ_EXECUTABLE), folder() + QStringLiteral("KZ.EXE"));
}

Tutor::~Tutor()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished();
    }
    killTutorsIn(folder());
}

QString Tutor::folder() const
{
    return m_dir->path() + QLatin1Char('/');
}

bool Tutor::start()
{
    m_process.setProcessEnvironment(m_server.environment());
    m_process.setWorkingDirectory(folder());
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(folder() + QStringLiteral("KZ.EXE"), {});
    return m_process.waitForStarted(5000);
}

QByteArray Tutor::profileBytes(const QString &name) const
{
    QFile file(folder() + name + QStringLiteral(".USR"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void killTutorsIn(const QString &folder)
{
    const QString executable = QDir(folder).absoluteFilePath(QStringLiteral("KZ.EXE"));
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &pid : pids) {
        bool numeric = false;
        const int number = pid.toInt(&numeric);
        if (!numeric)
            continue;
        if (QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(pid)) == executable)
            ::kill(number, SIGKILL);
    }
}

} // namespace e2e

#include "../e2e/E2eSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QTest>

// The staged installer folder, run for real under its own X server on a desktop without Qt (a
// private mount namespace hides the system's Qt, the libraries only it brings, its translations and
// the two faces), walked through with the keyboard; then the tutor it installed is started there,
// with all its libraries and without one.
class e2e_setup : public QObject
{
    Q_OBJECT

private slots:
    void installsAndStartsWithoutTheSystemsQt();
};

static QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs a command where Qt is hidden; starting it is up to the caller.
static void prepareWithoutQt(QProcess &process, const QStringList &command)
{
    process.setProgram(QStringLiteral(WITHOUT_QT));
    process.setArguments(QStringList{QStringLiteral(SETUP_FOLDER ".packages")} + command);
}

static QString xprop(const e2e::XServer &server, const QString &window, const QStringList &arguments)
{
    QProcess process;
    process.setProcessEnvironment(server.environment());
    process.start(QStringLiteral("xprop"), QStringList{QStringLiteral("-id"), window} + arguments);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

void e2e_setup::installsAndStartsWithoutTheSystemsQt()
{
    e2e::XServer server;
    if (!server.isRunning())
        QSKIP("Xvfb is not available");
    const QString base = qEnvironmentVariable("KZ_TEST_SCRATCH", QDir::tempPath());
    QDir().mkpath(base);
    QTemporaryDir dir(base + "/setup-e2e-XXXXXX");
    const QString cdrom = dir.path() + "/cdrom/";
    const QString home = dir.path() + "/home";
    QVERIFY(QDir().mkpath(cdrom) && QDir().mkpath(home));
    QDirIterator staged(QStringLiteral(SETUP_FOLDER), QDir::Files, QDirIterator::Subdirectories);
    while (staged.hasNext()) {
        const QString from = staged.next();
        const QString to = cdrom + QDir(QStringLiteral(SETUP_FOLDER)).relativeFilePath(from);
        QVERIFY(QDir().mkpath(QFileInfo(to).absolutePath()));
        QVERIFY2(QFile::copy(from, to), qPrintable(to));
    }
    // As read from a memory stick whose file system keeps no execute mode.
    QFile::setPermissions(cdrom + "KZ.EX_", QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ReadGroup | QFileDevice::ReadOther);

    QProcessEnvironment env = server.environment();
    env.insert("HOME", home);
    for (const char *name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_DIRS"})
        env.remove(name);

    // The build's own tutor, which takes Qt from the system, cannot start there.
    QProcess unbundled;
    unbundled.setProcessEnvironment(env);
    prepareWithoutQt(unbundled, {QStringLiteral(KZ_EXECUTABLE)});
    unbundled.start();
    QVERIFY(unbundled.waitForFinished(30000));
    QVERIFY2(unbundled.exitCode() == 127, unbundled.readAllStandardError().constData());

    QProcess setup;
    setup.setProcessEnvironment(env);
    setup.setWorkingDirectory(dir.path());
    prepareWithoutQt(setup, {cdrom + "Setup"});
    setup.start();
    QVERIFY(setup.waitForStarted());

    const QString welcome = server.waitForWindow("مرحباً");
    QVERIFY2(!welcome.isEmpty(), setup.readAllStandardError().constData());
    server.screenshot("setup-welcome");
    server.key(welcome, {"Return"});
    const QString path = server.waitForWindow("المسار");
    QVERIFY(!path.isEmpty());
    server.screenshot("setup-path");
    server.key(path, {"Return"});
    const QString group = server.waitForWindow("مجموعة في قائمة");
    QVERIFY(!group.isEmpty());
    server.key(group, {"Return"});
    const QString last = server.waitForWindow("^تركيب Tavrin - نسخ الملفات$");
    QVERIFY(!last.isEmpty());
    server.key(last, {"Return"});
    QVERIFY(!server.waitForWindow("^نسخ الملفات$").isEmpty());
    server.screenshot("setup-copy");
    // Every one of the six files takes at least a second.
    const QString done = server.waitForWindow("^Tavrin$", 30000);
    QVERIFY(!done.isEmpty());
    server.screenshot("setup-done");
    server.key(done, {"Return"});
    QVERIFY(setup.waitForFinished(15000));
    QCOMPARE(setup.exitCode(), 0);

    const QString installed = home + "/KZ/";
    QCOMPARE(readAll(installed + "KZ.EXE"), readAll(cdrom + "KZ.EX_"));
    QCOMPARE(QFile::permissions(installed + "KZ.EXE") & 0x777, QFileDevice::Permissions(0x755));
    QStringList names{"ReadMe.TXT", "Arabic.TXT", "English.TXT"};
    names += QString::fromUtf8(readAll(cdrom + "runtime.list")).split('\n', Qt::SkipEmptyParts);
    for (const QString &name : names)
        QVERIFY2(readAll(installed + name) == readAll(cdrom + name), qPrintable(name));
    QVERIFY(QDir(home + "/.local/lib").entryList(QDir::Files).isEmpty());

    const QString entries = home + "/.local/share/";
    const QString program = QString::fromUtf8(readAll(entries + "applications/tavrin-Tavrin-1.desktop"));
    QVERIFY2(program.contains("Exec=\"" + installed + "KZ.EXE\"\n"), qPrintable(program));
    QVERIFY(program.contains("Icon=" + installed + "KZ.png\n"));
    const QString windowClass = QRegularExpression("\nStartupWMClass=([^\n]+)\n").match(program).captured(1);
    QVERIFY(!windowClass.isEmpty());
    for (const char *entry : {"applications/tavrin-Tavrin-1.desktop", "applications/tavrin-Tavrin-2.desktop",
                              "desktop-directories/tavrin-Tavrin.directory"}) {
        QProcess validate;
        validate.start("desktop-file-validate", {entries + entry});
        QVERIFY(validate.waitForFinished());
        QVERIFY2(validate.exitCode() == 0, validate.readAll().constData());
    }

    // The installed tutor starts there too, with its icon and the class its menu entry names.
    QProcess tutor;
    tutor.setProcessEnvironment(env);
    tutor.setWorkingDirectory(home);
    prepareWithoutQt(tutor, {installed + "KZ.EXE"});
    tutor.start();
    const QString users = server.waitForWindow("^Tavrin - ");
    QVERIFY2(!users.isEmpty(), tutor.readAllStandardError().constData());
    server.screenshot("setup-installed-tutor");
    QVERIFY(xprop(server, users, {"WM_CLASS"}).contains(", \"" + windowClass + "\""));
    // Width and height of the first picture only: the whole icon is 64 K numbers.
    const QString icon = xprop(server, users, {"-f", "_NET_WM_ICON", "32c", " $0 $1", "_NET_WM_ICON"});
    QVERIFY2(QRegularExpression("_NET_WM_ICON\\(CARDINAL\\) [1-9][0-9]* [1-9]").match(icon).hasMatch(),
             qPrintable(icon));
    // The spoken mode loads the shipped speech plugin and, through the shipped Qt, its speech
    // service's plugin from the installed folder (whether the desktop's service answers is its own).
    const QString pid =
        QRegularExpression("= ([0-9]+)").match(xprop(server, users, {"_NET_WM_PID"})).captured(1);
    QVERIFY(!pid.isEmpty());
    server.key(users, {"ctrl+alt+s"});
    QByteArray maps;
    for (int wait = 0; wait < 100 && !maps.contains("texttospeech/libqtexttospeech_speechd.so"); ++wait) {
        QThread::msleep(100);
        maps = readAll("/proc/" + pid + "/maps");
    }
    for (const QString &plugin : {installed + "libkzspeech.so", installed + "texttospeech/libqtexttospeech_speechd.so"})
        QVERIFY2(maps.contains(plugin.toUtf8()), qPrintable(plugin));
    tutor.kill();
    tutor.waitForFinished();

    // Without a library the loader needs, the launcher shows why in a window of the desktop's
    // (xmessage here) and ends as the loader did.
    QVERIFY(QFile::remove(installed + "libOpenGL.so.0"));
    QProcess broken;
    broken.setProcessEnvironment(env);
    prepareWithoutQt(broken, {installed + "KZ.EXE"});
    broken.start();
    const QString reason = server.waitForWindow("^Tavrin$");
    QVERIFY(!reason.isEmpty());
    server.screenshot("setup-missing-library");
    server.key(reason, {"Return"});
    QVERIFY(broken.waitForFinished(15000));
    QCOMPARE(broken.exitCode(), 127);
    const QByteArray loader = broken.readAllStandardError();
    QVERIFY2(loader.contains("error while loading shared libraries: ") && loader.contains("libOpenGL.so.0"),
             loader.constData());
}

QTEST_GUILESS_MAIN(e2e_setup)
#include "e2e_setup.moc"

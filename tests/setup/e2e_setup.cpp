#include "../e2e/E2eSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

// The staged installer folder, run for real under its own X server and walked through with the
// keyboard: Enter on each page's default button, then on the closing message.
class e2e_setup : public QObject
{
    Q_OBJECT

private slots:
    void installsWithDefaultAnswers();
};

static QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void e2e_setup::installsWithDefaultAnswers()
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
    for (const char *name : {"Setup", "KZ.EX_", "ReadMe.TXT", "Arabic.TXT", "English.TXT"})
        QVERIFY2(QFile::copy(QStringLiteral(SETUP_FOLDER "/") + name, cdrom + name), name);

    QProcess setup;
    QProcessEnvironment env = server.environment();
    env.insert("HOME", home);
    for (const char *name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_DIRS"})
        env.remove(name);
    setup.setProcessEnvironment(env);
    setup.setWorkingDirectory(dir.path());
    setup.start(cdrom + "Setup", {});
    QVERIFY(setup.waitForStarted());

    const QString welcome = server.waitForWindow("مرحباً");
    QVERIFY(!welcome.isEmpty());
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
    // Every file takes at least a second.
    const QString done = server.waitForWindow("^Tavrin$", 30000);
    QVERIFY(!done.isEmpty());
    server.screenshot("setup-done");
    server.key(done, {"Return"});
    QVERIFY(setup.waitForFinished(15000));
    QCOMPARE(setup.exitCode(), 0);

    const QString installed = home + "/KZ/";
    QCOMPARE(readAll(installed + "KZ.EXE"), readAll(cdrom + "KZ.EX_"));
    QVERIFY(QFileInfo(installed + "KZ.EXE").isExecutable());
    for (const char *name : {"ReadMe.TXT", "Arabic.TXT", "English.TXT"})
        QCOMPARE(readAll(installed + name), readAll(cdrom + name));
    QVERIFY(QDir(home + "/.local/lib").entryList(QDir::Files).isEmpty());
    if (!QStandardPaths::findExecutable("xdg-desktop-menu").isEmpty()) {
        const QString entry =
            QString::fromUtf8(readAll(home + "/.local/share/applications/tavrin-Tavrin-1.desktop"));
        QVERIFY2(entry.contains("Exec=\"" + installed + "KZ.EXE\"\n"), qPrintable(entry));
    }
}

QTEST_GUILESS_MAIN(e2e_setup)
#include "e2e_setup.moc"

#include "platform/Folders.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QTest>

#include <sys/stat.h>

// Where profiles live: beside a program that may write its folder, else in the learner's XDG data
// folder, made owner-only.
class tst_Folders : public QObject
{
    Q_OBJECT

private slots:
    void profilesLiveWhereTheProgramMayWrite_data();
    void profilesLiveWhereTheProgramMayWrite();
    void installedProgramFindsItsFilesUnderShareAndLib();

    void cleanup()
    {
        platform::setProgramFolderForTesting(QString());
        qunsetenv("XDG_DATA_HOME");
    }
};

void tst_Folders::profilesLiveWhereTheProgramMayWrite_data()
{
    QTest::addColumn<QString>("program"); // empty: a scratch folder
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("dataHome"); // XDG_DATA_HOME set; otherwise its default under HOME
    QTest::addColumn<bool>("beside");

    QTest::newRow("writable program folder") << QString() << false << true << true;
    QTest::newRow("read-only program folder") << QString() << true << true << false;
    QTest::newRow("installed under /usr") << QStringLiteral("/usr/bin/") << false << true << false;
    QTest::newRow("no XDG_DATA_HOME") << QStringLiteral("/usr/bin/") << false << false << false;
}

void tst_Folders::profilesLiveWhereTheProgramMayWrite()
{
    QFETCH(QString, program);
    QFETCH(bool, readOnly);
    QFETCH(bool, dataHome);
    QFETCH(bool, beside);

    const testsupport::ScratchFolder scratch;
    const QString home = scratch.filePath(QStringLiteral("home"));
    qputenv("HOME", QFile::encodeName(home));
    if (dataHome)
        qputenv("XDG_DATA_HOME", QFile::encodeName(scratch.filePath(QStringLiteral("data"))));
    if (program.isEmpty()) {
        program = scratch.filePath(QStringLiteral("program/"));
        QVERIFY(QDir().mkpath(program));
    }
    std::optional<testsupport::ReadOnlyFolder> locked;
    if (readOnly) {
        locked.emplace(program);
        if (!locked->isReadOnly())
            QSKIP("this process can make no folder read-only");
    }
    platform::setProgramFolderForTesting(program);

    const QString data = dataHome ? scratch.filePath(QStringLiteral("data/tavrin/"))
                                  : home + QStringLiteral("/.local/share/tavrin/");
    QCOMPARE(platform::profileFolder(), beside ? program : data);
    struct stat info;
    if (beside) {
        QVERIFY(::stat(QFile::encodeName(data).constData(), &info) != 0);
    } else {
        QVERIFY(::stat(QFile::encodeName(data).constData(), &info) == 0);
        QCOMPARE(info.st_mode & 07777, mode_t(0700));
    }
}

void tst_Folders::installedProgramFindsItsFilesUnderShareAndLib()
{
    const testsupport::ScratchFolder scratch;
    const QString bin = scratch.filePath(QStringLiteral("bin/"));
    QVERIFY(QDir().mkpath(bin));
    platform::setProgramFolderForTesting(bin);
    QCOMPARE(platform::shippedFilesFolder(), bin);
    QVERIFY(QDir().mkpath(scratch.filePath(QStringLiteral("share/tavrin"))));
    QCOMPARE(platform::shippedFilesFolder(), scratch.filePath(QStringLiteral("share/tavrin/")));

    // Its plugins under lib/tavrin, unless one lies beside it.
    const QString plugin = QStringLiteral("libkzspeech.so");
    QCOMPARE(platform::pluginPath(plugin), bin + plugin);
    QVERIFY(QDir().mkpath(scratch.filePath(QStringLiteral("lib/tavrin"))));
    QVERIFY(QFile(scratch.filePath(QStringLiteral("lib/tavrin/")) + plugin).open(QIODevice::WriteOnly));
    QCOMPARE(platform::pluginPath(plugin), scratch.filePath(QStringLiteral("lib/tavrin/")) + plugin);
    QVERIFY(QFile(bin + plugin).open(QIODevice::WriteOnly));
    QCOMPARE(platform::pluginPath(plugin), bin + plugin);
}

QTEST_GUILESS_MAIN(tst_Folders)
#include "tst_folders.moc"

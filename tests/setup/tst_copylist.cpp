#include "SetupTestSupport.h"
#include "setup/cCopyList.h"
#include "setup/cInstallFolder.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace setuptest;

class tst_copylist : public QObject
{
    Q_OBJECT

private slots:
    void targets_data();
    void targets();
    void progress_data();
    void progress();

    void copyKeepsBytesAndExecutePermission();
    void copyReplacesATargetThatIsRunning();
    void failedCopyLeavesTheTargetWhole_data();
    void failedCopyLeavesTheTargetWhole();

    void installPath_data();
    void installPath();
    void checkFolder_data();
    void checkFolder();
};

void tst_copylist::targets_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("oldName");
    QTest::addColumn<QString>("target");
    QTest::newRow("tutor renamed") << 0 << "KZ.EX_"
                                   << "/i/KZ.EXE";
    QTest::newRow("library to system folder") << 1 << "Vbame.dll"
                                              << "/s/Vbame.dll";
    QTest::newRow("read-me") << 2 << "ReadMe.TXT"
                             << "/i/ReadMe.TXT";
    QTest::newRow("Arabic text") << 3 << "Arabic.TXT"
                                 << "/i/Arabic.TXT";
    QTest::newRow("English text") << 4 << "English.TXT"
                                  << "/i/English.TXT";
    QTest::newRow("second library") << 5 << "msvbvm60.dll"
                                    << "/s/msvbvm60.dll";
}

void tst_copylist::targets()
{
    QFETCH(int, row);
    QFETCH(QString, oldName);
    QFETCH(QString, target);
    const QList<cCopyList::Row> rows = cCopyList::Rows();
    QCOMPARE(rows.size(), 6);
    QCOMPARE(rows.at(row).sOldName, oldName);
    QCOMPARE(cCopyList::TargetPath(rows.at(row), "/i/", "/s"), target);
    QVERIFY(cCopyList::IsLibrary("X.DLL") && cCopyList::IsLibrary("x.Dll"));
    QVERIFY(!cCopyList::IsLibrary("KZ.EXE") && !cCopyList::IsLibrary("DLL.TXT"));
}

void tst_copylist::progress_data()
{
    QTest::addColumn<int>("file");
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("barLeft");
    QTest::newRow("1 truncates to 16") << 1 << 16 << 209;
    QTest::newRow("2") << 2 << 33 << 167;
    QTest::newRow("3") << 3 << 50 << 125;
    QTest::newRow("4 truncates to 66") << 4 << 66 << 84;
    QTest::newRow("5") << 5 << 83 << 42;
    QTest::newRow("6 fills the box") << 6 << 100 << 0;
}

void tst_copylist::progress()
{
    QFETCH(int, file);
    QFETCH(int, percent);
    QFETCH(int, barLeft);
    QCOMPARE(cCopyList::Percent(file, 6), percent);
    QCOMPARE(cCopyList::BarLeft(file, 6, 250), barLeft);
}

void tst_copylist::copyKeepsBytesAndExecutePermission()
{
    InstallScratch scratch;
    scratch.stageShippedFiles();
    const QString target = scratch.root() + "KZ.EXE";
    QCOMPARE(cCopyList::CopyFile(scratch.setupFolder() + "KZ.EX_", target), cCopyList::Copied);
    QCOMPARE(readAll(target), readAll(scratch.setupFolder() + "KZ.EX_"));
    QVERIFY(QFile::permissions(target) & QFileDevice::ExeOwner);
    QVERIFY(QFile::permissions(target) & QFileDevice::ExeGroup);
}

void tst_copylist::copyReplacesATargetThatIsRunning()
{
    InstallScratch scratch;
    scratch.stageShippedFiles();
    const QString target = scratch.root() + "KZ.EXE";
    QVERIFY(writeFile(target, "old tutor, running"));
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    // A running program holds its file open; writing into that file would change it under the
    // program (or fail as busy). The copy must give the name a new file instead.
    QFile running(target);
    QVERIFY(running.open(QIODevice::ReadOnly));

    QCOMPARE(cCopyList::CopyFile(scratch.setupFolder() + "KZ.EX_", target), cCopyList::Copied);
    QCOMPARE(running.readAll(), QByteArray("old tutor, running"));
    QCOMPARE(readAll(target), readAll(scratch.setupFolder() + "KZ.EX_"));
    QVERIFY(QFile::permissions(target) & QFileDevice::ExeOwner);
}

void tst_copylist::failedCopyLeavesTheTargetWhole_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("failure");
    QTest::newRow("missing source") << "cdrom/Missing.TXT"
                                    << "ReadMe.TXT" << int(cCopyList::SourceMissing);
    QTest::newRow("source is a folder") << "cdrom"
                                        << "ReadMe.TXT" << int(cCopyList::SourceMissing);
    QTest::newRow("target folder missing") << "cdrom/ReadMe.TXT"
                                           << "nowhere/ReadMe.TXT" << int(cCopyList::OtherFailure);
    QTest::newRow("target is a folder") << "cdrom/ReadMe.TXT"
                                        << "afolder" << int(cCopyList::OtherFailure);
}

void tst_copylist::failedCopyLeavesTheTargetWhole()
{
    QFETCH(QString, source);
    QFETCH(QString, target);
    QFETCH(int, failure);
    InstallScratch scratch;
    scratch.stageShippedFiles();
    QDir().mkpath(scratch.root() + "afolder");
    const QString targetPath = scratch.root() + target;
    const bool existed = QFileInfo::exists(targetPath);
    if (!existed && !target.contains('/'))
        writeFile(targetPath, "installed before");

    QCOMPARE(int(cCopyList::CopyFile(scratch.root() + source, targetPath)), failure);
    if (QFileInfo(targetPath).isFile())
        QCOMPARE(readAll(targetPath), QByteArray("installed before"));
    QCOMPARE(QDir(scratch.root()).entryList({"*.new", "*.tmp", "*ReadMe.TXT.*"}, QDir::Files | QDir::Hidden),
             QStringList());
}

void tst_copylist::installPath_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("path");
    QTest::newRow("slash appended") << "/home/u/KZ"
                                    << "/home/u/KZ/";
    QTest::newRow("slash kept") << "/home/u/KZ/"
                                << "/home/u/KZ/";
    QTest::newRow("blanks trimmed") << "  /opt/KZ  "
                                    << "/opt/KZ/";
    QTest::newRow("empty names no folder") << "   "
                                           << "";
}

void tst_copylist::installPath()
{
    QFETCH(QString, text);
    QFETCH(QString, path);
    QCOMPARE(cInstallFolder::InstallPath(text), path);
    QCOMPARE(cInstallFolder::DefaultText(), QDir::homePath() + "/KZ");
    QCOMPARE(cInstallFolder::ResetText(), QDir::homePath() + "/KZ/");
}

void tst_copylist::checkFolder_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("check");
    QTest::addColumn<bool>("existsAfter");
    QTest::newRow("existing") << "cdrom/" << int(cInstallFolder::FolderExists) << true;
    QTest::newRow("new, parent exists") << "KZ/" << int(cInstallFolder::FolderCreated) << true;
    QTest::newRow("two new levels") << "a/b/" << int(cInstallFolder::FolderCreated) << true;
    QTest::newRow("a file of that name")
        << "cdrom/ReadMe.TXT/" << int(cInstallFolder::FolderNotMade) << false;
    QTest::newRow("below a file") << "cdrom/ReadMe.TXT/KZ/" << int(cInstallFolder::FolderNotMade) << false;
    QTest::newRow("relative") << "!relative/" << int(cInstallFolder::FolderInvalid) << false;
    QTest::newRow("empty") << "!" << int(cInstallFolder::FolderInvalid) << false;
}

void tst_copylist::checkFolder()
{
    QFETCH(QString, folder);
    QFETCH(int, check);
    QFETCH(bool, existsAfter);
    InstallScratch scratch;
    scratch.stageShippedFiles();
    const QString path = folder.startsWith('!') ? folder.mid(1) : scratch.root() + folder;
    QCOMPARE(int(cInstallFolder::CheckFolder(path)), check);
    if (!folder.startsWith('!'))
        QCOMPARE(QFileInfo(path).isDir(), existsAfter);
    else if (!path.isEmpty())
        QVERIFY(!QFileInfo::exists(QDir::current().filePath(path)));
}

QTEST_GUILESS_MAIN(tst_copylist)
#include "tst_copylist.moc"

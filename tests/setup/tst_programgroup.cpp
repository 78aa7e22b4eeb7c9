#include "SetupTestSupport.h"
#include "platform/ProgramGroup.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>

using namespace setuptest;

class tst_programgroup : public QObject
{
    Q_OBJECT

private slots:
    void execute_data();
    void execute();
    void installsTheGroupAsMenuFiles();
    void execLinesAreQuoted();
    void reportsFailure();
};

void tst_programgroup::execute_data()
{
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<bool>("lastUnderstood");
    QTest::addColumn<QString>("group");
    QTest::addColumn<int>("items");
    QTest::newRow("group") << QStringList{"[CreateGroup(Tavrin)]"} << true << "Tavrin" << 0;
    QTest::newRow("verbs in any case")
        << QStringList{"[creategroup(Tavrin)]", "[ADDITEM(/i/KZ.EXE,Tavrin)]"} << true << "Tavrin" << 1;
    QTest::newRow("comma in the folder")
        << QStringList{"[CreateGroup(T)]", "[Additem(/a,b/KZ.EXE,Tavrin)]"} << true << "T" << 1;
    QTest::newRow("item before a group") << QStringList{"[Additem(/i/KZ.EXE,Tavrin)]"} << false << "" << 0;
    QTest::newRow("no brackets") << QStringList{"CreateGroup(Tavrin)"} << false << "" << 0;
    QTest::newRow("unknown verb") << QStringList{"[CreateGroup(T)]", "[ShowGroup(T,1)]"} << false << "T" << 0;
    QTest::newRow("empty group name") << QStringList{"[CreateGroup()]"} << false << "" << 0;
    QTest::newRow("item without a path")
        << QStringList{"[CreateGroup(T)]", "[Additem(,Tavrin)]"} << false << "T" << 0;
}

void tst_programgroup::execute()
{
    QFETCH(QStringList, commands);
    QFETCH(bool, lastUnderstood);
    QFETCH(QString, group);
    QFETCH(int, items);
    platform::ProgramGroup progman;
    bool understood = false;
    for (const QString &command : commands)
        understood = progman.execute(command);
    QCOMPARE(understood, lastUnderstood);
    QCOMPARE(progman.groupName(), group);
    QCOMPARE(progman.items().size(), items);
}

void tst_programgroup::installsTheGroupAsMenuFiles()
{
    QCoreApplication::setApplicationName("Tavrin Setup");
    InstallScratch scratch;
    scratch.stageShippedFiles();
    // Named as a Windows program and lacking its execute mode: still started directly, since the
    // desktop's handler for ".EXE" files is a Windows loader, if any.
    const QString program = scratch.setupFolder() + "KZ.EXE";
    QVERIFY(writeFile(program, "\x7f"
                               "ELF"));
    const QString document = scratch.setupFolder() + "ReadMe.TXT";
    MenuRecorder menu;
    platform::ProgramGroup progman;
    QVERIFY(progman.execute("[CreateGroup(Tavrin)]"));
    QVERIFY(progman.execute("[Additem(" + program + ",Tavrin)]"));
    QVERIFY(progman.execute("[Additem(" + document + ",إقرأني)]"));
    QVERIFY(progman.describeItem(program, scratch.setupFolder() + "KZ.png", "Tavrin", "تعلم الكتابة"));
    QVERIFY(!progman.describeItem("/elsewhere/KZ.EXE", "", "", ""));
    QVERIFY(progman.finish());

    QCOMPARE(menu.runs.size(), 1);
    const QStringList arguments = menu.runs.first();
    // The menu tool splits file names at blanks; the installer's application name has one.
    for (const QString &argument : arguments)
        QVERIFY2(!argument.contains(' '), qPrintable(argument));
    QCOMPARE(arguments.mid(0, 3), (QStringList{"install", "--mode", "user"}));
    QCOMPARE(arguments.size(), 6);
    QVERIFY(arguments.at(3).endsWith("/tavrin-Tavrin.directory"));
    QVERIFY(arguments.at(4).endsWith("/tavrin-Tavrin-1.desktop"));
    QVERIFY(arguments.at(5).endsWith("/tavrin-Tavrin-2.desktop"));
    QCOMPARE(menu.fileTexts.size(), 3);
    QVERIFY(menu.fileTexts.at(0).contains("Type=Directory\nName=Tavrin\n"));
    QVERIFY(menu.fileTexts.at(1).contains("Name=Tavrin\n"));
    QVERIFY(menu.fileTexts.at(1).contains("Exec=\"" + program + "\"\n"));
    QVERIFY(menu.fileTexts.at(1).contains("Path=" + scratch.setupFolder().chopped(1) + "\n"));
    QVERIFY(menu.fileTexts.at(1).contains("Icon=" + scratch.setupFolder() + "KZ.png\n"));
    QVERIFY(menu.fileTexts.at(1).contains("StartupWMClass=Tavrin\n"));
    QVERIFY(menu.fileTexts.at(1).contains("Comment=تعلم الكتابة\n"));
    QCOMPARE(menu.invalid, QStringList());
    QVERIFY(menu.fileTexts.at(2).contains("Name=إقرأني\n"));
    QVERIFY(menu.fileTexts.at(2).contains("Exec=xdg-open \"" + document + "\"\n"));
    for (const QString &entry : menu.fileTexts.mid(1))
        QVERIFY(entry.contains("\nCategories=Education;Languages;\n"));
    // The temporary menu files are gone once installed.
    QVERIFY(!QFile::exists(arguments.at(3)));
}

void tst_programgroup::execLinesAreQuoted()
{
    const QString entry = platform::desktopEntryForItem({"/home/a b/$x\"q`\\100%.TXT", "n"});
    QVERIFY2(entry.contains("Exec=xdg-open \"/home/a b/\\\\$x\\\\\"q\\\\`\\\\\\\\100%%.TXT\"\n"),
             qPrintable(entry));
    QVERIFY(platform::desktopEntryForItem({"/x", "two\nlines"}).contains("Name=two\\nlines\n"));
}

void tst_programgroup::reportsFailure()
{
    MenuRecorder refusing(false);
    platform::ProgramGroup progman;
    QVERIFY(!progman.finish()); // nothing to install
    QCOMPARE(refusing.runs.size(), 0);
    QVERIFY(progman.execute("[CreateGroup(Tavrin)]"));
    QVERIFY(!progman.finish());
    QCOMPARE(refusing.runs.size(), 1);
}

QTEST_GUILESS_MAIN(tst_programgroup)
#include "tst_programgroup.moc"

#include "SetupTestSupport.h"
#include "setup/cInstallFolder.h"
#include "setup/frmBackGround.h"
#include "setup/frmCopy.h"
#include "setup/frmLast.h"
#include "setup/frmPath.h"
#include "setup/frmProgram.h"
#include "setup/frmWelcome.h"
#include "setup/mdlSetup.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

using namespace setuptest;

class tst_setupwizard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void welcomeLeadsToTheFolderPage();
    void folderPageCreatesANewFolder();
    void folderPageAsksAboutAnExistingFolder_data();
    void folderPageAsksAboutAnExistingFolder();
    void folderPageRefusesAFolderItCannotMake_data();
    void folderPageRefusesAFolderItCannotMake();
    void backButtonsGoBackOnePage();
    void groupChoice_data();
    void groupChoice();
    void exitAsksOnEveryPage_data();
    void exitAsksOnEveryPage();
    void closingTheBackgroundAsks();

    void copyInstallsTheTutor_data();
    void copyInstallsTheTutor();
    void copyCopiesALibraryTheFolderHolds();
    void copyAddsTheRunTimeAfterTheSixFiles();
    void failedCopyIsNotReportedAsSuccess();
    void copyReplacesLinksNeverWritesThroughThem();
    void fullDiskIsReportedFileByFile();
    void readOnlyFolderIsSaidOnce();
    void failedGroupIsReported();
    void copyRunsOnceAndCanBeCancelledBetweenFiles();

private:
    void walkToLastPage(const QString &folder, bool createGroup);
};

void tst_setupwizard::initTestCase()
{
    SetUpApplication(*qApp);
}

void tst_setupwizard::cleanup()
{
    UnloadAll();
    sInstallPath.clear();
    bCreateGroup = true;
}

void tst_setupwizard::walkToLastPage(const QString &folder, bool createGroup)
{
    Main();
    QTest::mouseClick(Window<frmWelcome>().cmdNext, Qt::LeftButton);
    Window<frmPath>().Text1->setText(folder);
    QTest::mouseClick(Window<frmPath>().Command1, Qt::LeftButton);
    (createGroup ? Window<frmProgram>().Option1 : Window<frmProgram>().Option2)->setChecked(true);
    QTest::mouseClick(Window<frmProgram>().Command1, Qt::LeftButton);
    QVERIFY(Window<frmLast>().isVisible());
}

void tst_setupwizard::welcomeLeadsToTheFolderPage()
{
    Main();
    frmWelcome &welcome = Window<frmWelcome>();
    QVERIFY(Window<frmBackGround>().isVisible());
    QVERIFY(welcome.isVisible());
    QVERIFY(!welcome.cmdBack->isEnabled());
    QVERIFY(welcome.cmdNext->isDefault());
    // Pages stand in the middle of the background window.
    const QRect background = Window<frmBackGround>().geometry();
    QCOMPARE(welcome.x(), background.x() + (background.width() - welcome.width()) / 2);
    QCOMPARE(welcome.y(), background.y() + (background.height() - welcome.height()) / 2);

    QTest::mouseClick(welcome.cmdNext, Qt::LeftButton);
    QVERIFY(!welcome.isVisible());
    QVERIFY(Window<frmPath>().isVisible());
    QCOMPARE(Window<frmPath>().Text1->text(), QDir::homePath() + "/KZ");
}

void tst_setupwizard::folderPageCreatesANewFolder()
{
    InstallScratch scratch;
    DialogScript dialogs;
    frmPath &path = Window<frmPath>();
    path.show();
    // Its parent is new too: both are made.
    path.Text1->setText("  " + scratch.root() + "apps/KZ  ");
    QTest::mouseClick(path.Command1, Qt::LeftButton);
    QCOMPARE(sInstallPath, scratch.root() + "apps/KZ/");
    QVERIFY(QFileInfo(scratch.root() + "apps/KZ").isDir());
    QCOMPARE(dialogs.requests.size(), 0);
    QVERIFY(!path.isVisible());
    QVERIFY(Window<frmProgram>().isVisible());
}

void tst_setupwizard::folderPageAsksAboutAnExistingFolder_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("yes copies into it") << int(platform::AnswerYes);
    QTest::newRow("no puts the default back") << int(platform::AnswerNo);
}

void tst_setupwizard::folderPageAsksAboutAnExistingFolder()
{
    QFETCH(int, answer);
    InstallScratch scratch;
    DialogScript dialogs;
    dialogs.answer(answer);
    frmPath &path = Window<frmPath>();
    path.show();
    path.Text1->setText(scratch.setupFolder());
    QTest::mouseClick(path.Command1, Qt::LeftButton);

    QCOMPARE(dialogs.requests.size(), 1);
    QCOMPARE(dialogs.requests.first().text, QString("المجلد المحدد موجود من قبل، هل تريد نسخ الملفات فيه؟"));
    QCOMPARE(dialogs.requests.first().title, QString("مجلد موجود"));
    QCOMPARE(dialogs.requests.first().buttons, platform::MessageButtons::YesNo);
    const bool yes = answer == platform::AnswerYes;
    QCOMPARE(path.isVisible(), !yes);
    QCOMPARE(Window<frmProgram>().isVisible(), yes);
    QCOMPARE(path.Text1->text(), yes ? scratch.setupFolder() : cInstallFolder::ResetText());
}

void tst_setupwizard::folderPageRefusesAFolderItCannotMake_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("text"); // %1 the scratch folder
    QTest::addColumn<QString>("title");
    const QString invalid = "إسم المجلد غير صالح، رجاء إعادة كتابة الاسم الصحيح.";
    const QString nameTitle = "خطأ في اسم المجلد";
    QTest::newRow("relative") << "KZ" << invalid << nameTitle;
    QTest::newRow("empty") << "   " << invalid << nameTitle;
    // Either would break the menu entry's Exec= line.
    QTest::newRow("percent sign") << "!KZ%f" << invalid << nameTitle;
    QTest::newRow("line break") << "!K\nZ" << invalid << nameTitle;
    // A usable name the system will not make: its reason, the path reading left to right.
    QTest::newRow("below a file")
        << "!cdrom/ReadMe.TXT/KZ"
        << "تعذر إنشاء المجلد \u2066%1cdrom/ReadMe.TXT/KZ\u2069: جزء من المسار ملف وليس مجلداً."
        << "خطأ في المجلد";
}

void tst_setupwizard::folderPageRefusesAFolderItCannotMake()
{
    QFETCH(QString, folder);
    QFETCH(QString, text);
    QFETCH(QString, title);
    InstallScratch scratch;
    scratch.stageShippedFiles();
    DialogScript dialogs;
    frmPath &path = Window<frmPath>();
    path.show();
    path.Text1->setText(folder.startsWith('!') ? scratch.root() + folder.mid(1) : folder);
    QTest::mouseClick(path.Command1, Qt::LeftButton);

    QCOMPARE(dialogs.requests.size(), 1);
    QCOMPARE(dialogs.requests.first().text, text.arg(scratch.root()));
    QCOMPARE(dialogs.requests.first().title, title);
    QCOMPARE(dialogs.requests.first().icon, platform::MessageIcon::Critical);
    QCOMPARE(path.Text1->text(), cInstallFolder::ResetText());
    QVERIFY(path.isVisible());
    QCOMPARE(QDir(scratch.root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"cdrom"});
}

void tst_setupwizard::backButtonsGoBackOnePage()
{
    InstallScratch scratch;
    DialogScript dialogs;
    walkToLastPage(scratch.root() + "KZ", true);
    QTest::mouseClick(Window<frmLast>().Command2, Qt::LeftButton);
    QVERIFY(!Window<frmLast>().isVisible());
    QVERIFY(Window<frmProgram>().isVisible());
    QTest::mouseClick(Window<frmProgram>().Command2, Qt::LeftButton);
    QVERIFY(!Window<frmProgram>().isVisible());
    QVERIFY(Window<frmPath>().isVisible());
    QTest::mouseClick(Window<frmPath>().Command2, Qt::LeftButton);
    QVERIFY(!Window<frmPath>().isVisible());
    QVERIFY(Window<frmWelcome>().isVisible());
}

void tst_setupwizard::groupChoice_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes option") << true;
    QTest::newRow("no option") << false;
}

void tst_setupwizard::groupChoice()
{
    QFETCH(bool, yes);
    frmProgram &program = Window<frmProgram>();
    QVERIFY(program.Option1->isChecked());
    QVERIFY(program.Command1->isDefault());
    program.show();
    QRadioButton *option = yes ? program.Option1 : program.Option2;
    // On a right-to-left page the indicator and text sit at the right end of the button.
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(option->width() - 8, option->height() / 2));
    QVERIFY(option->isChecked());
    QTest::mouseClick(program.Command1, Qt::LeftButton);
    QCOMPARE(bCreateGroup, yes);
    QVERIFY(Window<frmLast>().isVisible());
}

void tst_setupwizard::exitAsksOnEveryPage_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("how"); // 0 the exit button, 1 Esc, 2 the window's close button
    QTest::addColumn<int>("answer");
    const char *names[] = {"welcome", "folder", "group", "last", "copy"};
    for (int page = 0; page < 5; ++page) {
        QTest::addRow("%s, button, no", names[page]) << page << 0 << int(platform::AnswerNo);
        QTest::addRow("%s, button, yes", names[page]) << page << 0 << int(platform::AnswerYes);
        QTest::addRow("%s, Esc, yes", names[page]) << page << 1 << int(platform::AnswerYes);
        QTest::addRow("%s, closed, no", names[page]) << page << 2 << int(platform::AnswerNo);
    }
}

void tst_setupwizard::exitAsksOnEveryPage()
{
    QFETCH(int, page);
    QFETCH(int, how);
    QFETCH(int, answer);
    DialogScript dialogs;
    dialogs.answer(answer);
    EndRecorder ends;
    QDialog *window = nullptr;
    QPushButton *exit = nullptr;
    switch (page) {
    case 0:
        window = &Window<frmWelcome>();
        exit = Window<frmWelcome>().cmdExit;
        break;
    case 1:
        window = &Window<frmPath>();
        exit = Window<frmPath>().Command4;
        break;
    case 2:
        window = &Window<frmProgram>();
        exit = Window<frmProgram>().Command4;
        break;
    case 3:
        window = &Window<frmLast>();
        exit = Window<frmLast>().Command4;
        break;
    default:
        window = &Window<frmCopy>();
        Window<frmCopy>().Tag = "XXX"; // as if copying: showing it must not start a copy here
        exit = Window<frmCopy>().Command4;
        break;
    }
    window->show();
    if (how == 1)
        QTest::keyClick(window, Qt::Key_Escape);
    else if (how == 2)
        window->close();
    else
        QTest::mouseClick(exit, Qt::LeftButton);
    // Neither Esc nor closing hides a page behind the question's back (the end is recorded here).
    QVERIFY(window->isVisible());

    QCOMPARE(dialogs.requests.size(), 1);
    QCOMPARE(dialogs.requests.first().text, QString("هل انت متأكد من رغبتك في إنهاء برنامج التركيب ؟"));
    QCOMPARE(dialogs.requests.first().title, QString("تركيب Tavrin"));
    QCOMPARE(dialogs.requests.first().icon, platform::MessageIcon::Question);
    // Stopped by the learner: neither installed (0) nor a failed copy (1).
    QCOMPARE(ends.exitCodes, answer == platform::AnswerYes ? QList<int>{2} : QList<int>{});
}

void tst_setupwizard::closingTheBackgroundAsks()
{
    DialogScript dialogs;
    dialogs.answer(platform::AnswerNo);
    EndRecorder ends;
    Main();
    Window<frmBackGround>().close();
    QCOMPARE(dialogs.requests.size(), 1);
    QCOMPARE(dialogs.requests.first().title, QString("تركيب Tavrin"));
    QVERIFY(Window<frmBackGround>().isVisible());
    QVERIFY(ends.exitCodes.isEmpty());
}

void tst_setupwizard::copyInstallsTheTutor_data()
{
    QTest::addColumn<bool>("createGroup");
    QTest::newRow("with the menu group") << true;
    QTest::newRow("without it") << false;
}

void tst_setupwizard::copyInstallsTheTutor()
{
    QFETCH(bool, createGroup);
    InstallScratch scratch;
    scratch.stageShippedFiles();
    // As read from a memory stick whose file system keeps no execute mode.
    QFile::setPermissions(scratch.setupFolder() + "KZ.EX_", QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                                QFileDevice::ReadGroup |
                                                                QFileDevice::ReadOther);
    DialogScript dialogs;
    EndRecorder ends;
    MenuRecorder menu;
    walkToLastPage(scratch.root() + "KZ", createGroup);
    QTest::mouseClick(Window<frmLast>().Command1, Qt::LeftButton);
    QTRY_COMPARE(ends.exitCodes, QList<int>{0});

    const QString installed = scratch.root() + "KZ/";
    for (const char *name : {"ReadMe.TXT", "Arabic.TXT", "English.TXT"})
        QCOMPARE(readAll(installed + name), readAll(scratch.setupFolder() + name));
    QCOMPARE(readAll(installed + "KZ.EXE"), readAll(scratch.setupFolder() + "KZ.EX_"));
    QCOMPARE(QFile::permissions(installed + "KZ.EXE") & 0x777, QFileDevice::Permissions(0x755));
    // The folder holds no run-time library: those rows are passed over, not reported.
    QVERIFY(!QFileInfo::exists(scratch.systemFolder()));
    QCOMPARE(ends.sleeps, 6);
    frmCopy &copy = Window<frmCopy>();
    QCOMPARE(copy.lblPercent->text(), QString("100%"));
    QCOMPARE(copy.Shape1->x(), 0);
    QCOMPARE(copy.lblFile->toolTip(), installed + "msvbvm60.dll");
    QVERIFY(copy.lblFile->text().startsWith(QChar(0x2066)));
    QVERIFY(copy.lblFile->text().endsWith("/msvbvm60.dll" + QString(QChar(0x2069))));
    QVERIFY(copy.lblFile->fontMetrics().horizontalAdvance(copy.lblFile->text()) <= copy.lblFile->width());
    QTRY_VERIFY(!Window<frmLast>().isVisible());

    QCOMPARE(dialogs.requests.size(), 1);
    QCOMPARE(dialogs.requests.first().text, QString("تمت عملية تركيب برنامج  Tavrin بنجاح!"));
    QCOMPARE(dialogs.requests.first().title, QString("Tavrin"));
    QCOMPARE(dialogs.requests.first().icon, platform::MessageIcon::Information);
    QCOMPARE(menu.runs.size(), createGroup ? 1 : 0);
    if (createGroup) {
        QVERIFY(menu.fileTexts.at(1).contains("Exec=\"" + installed + "KZ.EXE\"\n"));
        QVERIFY(menu.fileTexts.at(1).contains("Icon=" + installed + "KZ.png\n"));
        QVERIFY(menu.fileTexts.at(1).contains("StartupWMClass=Tavrin\n"));
        QVERIFY(menu.fileTexts.at(1).contains("\nComment="));
        QCOMPARE(menu.invalid, QStringList());
        QVERIFY(menu.fileTexts.at(2).contains("Exec=xdg-open \"" + installed + "ReadMe.TXT\"\n"));
        QVERIFY(menu.fileTexts.at(2).contains("Name=إقرأني\n"));
    }
}

void tst_setupwizard::copyCopiesALibraryTheFolderHolds()
{
    InstallScratch scratch;
    scratch.stageShippedFiles(true);
    DialogScript dialogs;
    EndRecorder ends;
    MenuRecorder menu;
    sInstallPath = scratch.root();
    bCreateGroup = false;
    Window<frmCopy>().StartCopy();
    QCOMPARE(readAll(scratch.systemFolder() + "/Vbame.dll"), QByteArray("library"));
    QVERIFY(!QFileInfo::exists(scratch.systemFolder() + "/msvbvm60.dll"));
    QCOMPARE(ends.exitCodes, QList<int>{0});
}

void tst_setupwizard::copyAddsTheRunTimeAfterTheSixFiles()
{
    InstallScratch scratch;
    scratch.stageShippedFiles();
    QVERIFY(QDir().mkpath(scratch.setupFolder() + "platforms"));
    QVERIFY(writeFile(scratch.setupFolder() + "platforms/libqxcb.so", "plugin"));
    QVERIFY(writeFile(scratch.setupFolder() + "KZ.png", "icon"));
    QVERIFY(writeFile(scratch.root() + "outside", "not the installer's"));
    QVERIFY(writeFile(scratch.setupFolder() + "runtime.list",
                      "KZ.png\n../outside\n/etc/hostname\nplatforms/libqxcb.so\n"));
    DialogScript dialogs;
    EndRecorder ends;
    MenuRecorder menu;
    const QString installed = scratch.root() + "KZ/";
    QVERIFY(QDir().mkpath(installed));
    sInstallPath = installed;
    bCreateGroup = false;
    frmCopy &copy = Window<frmCopy>();
    QStringList shown;
    setSleepForTesting([&](int) { shown.append(copy.lblFile->toolTip()); });
    copy.StartCopy();

    QCOMPARE(ends.exitCodes, QList<int>{0});
    QCOMPARE(shown.size(), 6); // the run-time files add no waits
    QCOMPARE(shown.first(), installed + "KZ.EXE");
    QCOMPARE(copy.iFiles, qint16(8));
    QCOMPARE(copy.lblFile->toolTip(), installed + "platforms/libqxcb.so");
    QCOMPARE(readAll(installed + "platforms/libqxcb.so"), QByteArray("plugin"));
    QCOMPARE(readAll(installed + "KZ.png"), QByteArray("icon"));
    QCOMPARE(QDir(installed).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size(), 6);
    QCOMPARE(copy.lblPercent->text(), QString("100%"));
}

void tst_setupwizard::failedCopyIsNotReportedAsSuccess()
{
    InstallScratch scratch;
    scratch.stageShippedFiles();
    QFile::remove(scratch.setupFolder() + "Arabic.TXT");
    DialogScript dialogs;
    EndRecorder ends;
    MenuRecorder menu;
    FailureBoxReader report;
    sInstallPath = scratch.root();
    Window<frmCopy>().StartCopy();

    QCOMPARE(report.shown, 1);
    QCOMPARE(report.lines,
             (QStringList{"الملف المصدر غير موجود:", "    \u2066" + scratch.root() + "Arabic.TXT\u2069"}));
    QCOMPARE(dialogs.requests.size(), 0);
    QCOMPARE(ends.exitCodes, QList<int>{1});
    QCOMPARE(menu.runs.size(), 0);
    // The other files were still copied and the progress still ran to the end.
    QVERIFY(QFileInfo::exists(scratch.root() + "English.TXT"));
    QCOMPARE(Window<frmCopy>().lblPercent->text(), QString("100%"));
}

void tst_setupwizard::copyReplacesLinksNeverWritesThroughThem()
{
    InstallScratch scratch;
    scratch.stageShippedFiles();
    QVERIFY(QDir().mkpath(scratch.setupFolder() + "platforms"));
    QVERIFY(writeFile(scratch.setupFolder() + "platforms/libqxcb.so", "plugin"));
    QVERIFY(writeFile(scratch.setupFolder() + "runtime.list", "platforms/libqxcb.so\n"));
    const QString installed = scratch.root() + "KZ/";
    const QString elsewhere = scratch.root() + "elsewhere/";
    QVERIFY(QDir().mkpath(installed) && QDir().mkpath(elsewhere + "plugins"));
    QVERIFY(writeFile(elsewhere + "notes.txt", "a learner's notes"));
    QVERIFY(writeFile(elsewhere + "plugins/libqxcb.so", "another program's plugin"));
    QVERIFY(QFile::link(elsewhere + "notes.txt", installed + "ReadMe.TXT"));
    QVERIFY(QFile::link(installed + "English.TXT", installed + "KZ.EXE")); // the tutor as a text file
    QVERIFY(QFile::link(elsewhere + "plugins", installed + "platforms"));
    DialogScript dialogs;
    EndRecorder ends;
    MenuRecorder menu;
    sInstallPath = installed;
    bCreateGroup = false;
    Window<frmCopy>().StartCopy();

    QCOMPARE(ends.exitCodes, QList<int>{0});
    QCOMPARE(readAll(elsewhere + "notes.txt"), QByteArray("a learner's notes"));
    QCOMPARE(readAll(elsewhere + "plugins/libqxcb.so"), QByteArray("another program's plugin"));
    for (const char *name : {"KZ.EXE", "ReadMe.TXT", "English.TXT", "platforms/libqxcb.so"})
        QVERIFY2(!QFileInfo(installed + name).isSymLink(), name);
    QVERIFY(QFileInfo(installed + "platforms").isDir() && !QFileInfo(installed + "platforms").isSymLink());
    QCOMPARE(readAll(installed + "KZ.EXE"), readAll(scratch.setupFolder() + "KZ.EX_"));
    QVERIFY(QFile::permissions(installed + "KZ.EXE") & QFileDevice::ExeOwner);
    QCOMPARE(readAll(installed + "ReadMe.TXT"), QByteArray("read me"));
    QCOMPARE(readAll(installed + "platforms/libqxcb.so"), QByteArray("plugin"));
}

void tst_setupwizard::fullDiskIsReportedFileByFile()
{
    SETUP_RUN_IN_OWN_MOUNTS();
    InstallScratch scratch;
    scratch.stageShippedFiles();
    // The tutor takes most of the disk; the small files after it (texts, icon, qt.conf) no longer
    // fit, each under the 16 KiB a buffered write holds back.
    QVERIFY(writeFile(scratch.setupFolder() + "KZ.EX_", QByteArray(40 * 1024, 'k')));
    for (const char *name : {"ReadMe.TXT", "Arabic.TXT", "English.TXT"})
        QVERIFY(writeFile(scratch.setupFolder() + name, QByteArray(6 * 1024, 't')));
    QVERIFY(writeFile(scratch.setupFolder() + "KZ.png", QByteArray(3000, 'p')));
    QVERIFY(writeFile(scratch.setupFolder() + "qt.conf", "[Paths]\nPrefix = .\n"));
    QVERIFY(writeFile(scratch.setupFolder() + "runtime.list", "KZ.png\nqt.conf\n"));
    const QString installed = scratch.root() + "KZ/";
    QVERIFY(QDir().mkpath(installed));
    TmpfsMount disk(installed, "size=56k");
    QVERIFY(disk.mounted());
    DialogScript dialogs;
    EndRecorder ends;
    MenuRecorder menu;
    FailureBoxReader report;
    sInstallPath = installed;
    Window<frmCopy>().StartCopy();

    QCOMPARE(ends.exitCodes, QList<int>{1});
    QCOMPARE(report.shown, 1);
    QCOMPARE(report.lines.value(0), QString("لا توجد مساحة كافية على القرص:"));
    QVERIFY(report.lines.size() >= 3);
    // Every file is whole or named in the box (and then not there at all).
    for (const char *name : {"KZ.EXE", "ReadMe.TXT", "Arabic.TXT", "English.TXT", "KZ.png", "qt.conf"}) {
        const QString source = scratch.setupFolder() + (QString(name) == "KZ.EXE" ? "KZ.EX_" : name);
        const bool named = report.lines.contains("    \u2066" + installed + name + "\u2069");
        QVERIFY2(named ? !QFileInfo::exists(installed + name) : readAll(installed + name) == readAll(source),
                 name);
    }
    QCOMPARE(QDir(installed).entryList(QDir::Hidden | QDir::Files).filter(QRegularExpression("^\\.")),
             QStringList());
    QCOMPARE(menu.runs.size(), 0);
}

void tst_setupwizard::readOnlyFolderIsSaidOnce()
{
    SETUP_RUN_IN_OWN_MOUNTS();
    InstallScratch scratch;
    scratch.stageShippedFiles();
    QStringList runtime;
    for (int file = 0; file < 60; ++file) {
        runtime.append(QString("libQt6Part%1.so.6").arg(file));
        QVERIFY(writeFile(scratch.setupFolder() + runtime.last(), "library"));
    }
    QVERIFY(writeFile(scratch.setupFolder() + "runtime.list", runtime.join('\n').toUtf8()));
    const QString installed = scratch.root() + "KZ/";
    QVERIFY(QDir().mkpath(installed));
    TmpfsMount disk(installed, "ro");
    QVERIFY(disk.mounted());
    DialogScript dialogs;
    EndRecorder ends;
    MenuRecorder menu;

    // The folder page tells before anything is copied.
    frmPath &path = Window<frmPath>();
    path.show();
    path.Text1->setText(installed);
    QTest::mouseClick(path.Command1, Qt::LeftButton);
    QCOMPARE(dialogs.requests.size(), 1);
    QCOMPARE(dialogs.requests.first().text,
             "لا يمكن نسخ الملفات في المجلد \u2066" + scratch.root() + "KZ\u2069: نظام الملفات للقراءة فقط.");
    QVERIFY(path.isVisible());

    // A copy into it all the same: one reason over the 64 files, in a box that fits the screen.
    FailureBoxReader report;
    sInstallPath = installed;
    Window<frmCopy>().StartCopy();
    QCOMPARE(ends.exitCodes, QList<int>{1});
    QCOMPARE(report.lines.size(), 1 + 4 + 60);
    QCOMPARE(report.lines.first(), QString("نظام الملفات للقراءة فقط:"));
    QCOMPARE(report.lines.filter(":").size(), 1);
    QVERIFY(report.screen.contains(report.box));
    QVERIFY(report.box.contains(report.okButton));
    QVERIFY(report.listScrolls);
}

void tst_setupwizard::failedGroupIsReported()
{
    InstallScratch scratch;
    scratch.stageShippedFiles();
    DialogScript dialogs;
    EndRecorder ends;
    MenuRecorder refusing(false);
    sInstallPath = scratch.root();
    bCreateGroup = true;
    Window<frmCopy>().StartCopy();

    QCOMPARE(refusing.runs.size(), 1);
    QCOMPARE(dialogs.requests.size(), 2);
    QCOMPARE(dialogs.requests.at(0).icon, platform::MessageIcon::Exclamation);
    QCOMPARE(dialogs.requests.at(1).text, QString("تمت عملية تركيب برنامج  Tavrin بنجاح!"));
    QCOMPARE(ends.exitCodes, QList<int>{0});
}

void tst_setupwizard::copyRunsOnceAndCanBeCancelledBetweenFiles()
{
    InstallScratch scratch;
    scratch.stageShippedFiles();
    DialogScript dialogs;
    dialogs.answer(platform::AnswerNo);
    EndRecorder ends;
    MenuRecorder menu;
    sInstallPath = scratch.root();
    bCreateGroup = false;
    frmCopy &copy = Window<frmCopy>();
    QStringList percents;
    // The wait is where the learner can press Cancel; here after the first file.
    setSleepForTesting([&](int) {
        percents.append(copy.lblPercent->text());
        if (percents.size() == 2)
            QTest::mouseClick(copy.Command4, Qt::LeftButton);
    });
    copy.Form_Activate();
    copy.Form_Activate(); // activated again after the exit question: no second copy
    QCOMPARE(percents, (QStringList{"0%", "16%", "33%", "50%", "66%", "83%"}));
    QCOMPARE(dialogs.requests.size(), 2);
    QCOMPARE(dialogs.requests.at(0).title, QString("تركيب Tavrin"));
    QCOMPARE(dialogs.requests.at(1).text, QString("تمت عملية تركيب برنامج  Tavrin بنجاح!"));
    QCOMPARE(ends.exitCodes, QList<int>{0});
}

QTEST_MAIN(tst_setupwizard)
#include "tst_setupwizard.moc"

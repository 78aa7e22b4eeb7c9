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
    path.Text1->setText("  " + scratch.root() + "KZ  ");
    QTest::mouseClick(path.Command1, Qt::LeftButton);
    QCOMPARE(sInstallPath, scratch.root() + "KZ/");
    QVERIFY(QFileInfo(scratch.root() + "KZ").isDir());
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
    QTest::newRow("two new levels") << "!a/b";
    QTest::newRow("a file's name") << "!cdrom/ReadMe.TXT";
    QTest::newRow("relative") << "KZ";
    QTest::newRow("empty") << "   ";
    // Either would break the menu entry's Exec= line.
    QTest::newRow("percent sign") << "!KZ%f";
    QTest::newRow("line break") << "!K\nZ";
}

void tst_setupwizard::folderPageRefusesAFolderItCannotMake()
{
    QFETCH(QString, folder);
    InstallScratch scratch;
    scratch.stageShippedFiles();
    DialogScript dialogs;
    frmPath &path = Window<frmPath>();
    path.show();
    path.Text1->setText(folder.startsWith('!') ? scratch.root() + folder.mid(1) : folder);
    QTest::mouseClick(path.Command1, Qt::LeftButton);

    QCOMPARE(dialogs.requests.size(), 1);
    QCOMPARE(dialogs.requests.first().text, QString("إسم المجلد غير صالح، رجاء إعادة كتابة الاسم الصحيح."));
    QCOMPARE(dialogs.requests.first().title, QString("خطأ في اسم المجلد"));
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
    QVERIFY(copy.lblFile->text().endsWith("/msvbvm60.dll"));
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
    sInstallPath = scratch.root();
    Window<frmCopy>().StartCopy();

    QCOMPARE(dialogs.requests.size(), 1);
    QCOMPARE(dialogs.requests.first().icon, platform::MessageIcon::Critical);
    QVERIFY(
        dialogs.requests.first().text.contains("الملف المصدر غير موجود: " + scratch.root() + "Arabic.TXT"));
    QVERIFY(!dialogs.requests.first().text.contains("English.TXT"));
    QCOMPARE(ends.exitCodes, QList<int>{1});
    QCOMPARE(menu.runs.size(), 0);
    // The other files were still copied and the progress still ran to the end.
    QVERIFY(QFileInfo::exists(scratch.root() + "English.TXT"));
    QCOMPARE(Window<frmCopy>().lblPercent->text(), QString("100%"));
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

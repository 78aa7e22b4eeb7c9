// The tutor's memory inside a lesson: logged in, the lesson screen open and its practice running
// with ten lines typed. Prints the resident set and its peak from /proc/self/status; asserts
// nothing. Build it from two trees to compare a change's cost. Runs offscreen unless
// QT_QPA_PLATFORM says otherwise.
#include "app/KeyTables.h"
#include "app/WindowRegistry.h"
#include "app/cTheApp.h"
#include "lessons/cLesson.h"
#include "lessons/frmLessons.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/mdlMain.h"
#include "platform/ArabicApplication.h"
#include "platform/Folders.h"
#include "typing/TypingPad.h"
#include "users/ProfileFile.h"
#include "users/cUser.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest/QTest>

namespace {

QTextStream out(stdout);

QString statusLine(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return QString::fromLatin1(line.mid(qstrlen(field))).simplified();
    }
    return QStringLiteral("?");
}

void report(const char *when)
{
    out << when << ": VmRSS " << statusLine("VmRSS:") << ", VmHWM " << statusLine("VmHWM:") << Qt::endl;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    platform::setUpArabicApplication(application, QStringLiteral("Tavrin"));
    FillKeyTables();

    QTemporaryDir folder;
    platform::setProgramFolderForTesting(folder.path() + QLatin1Char('/'));
    ProfileFile::create(theApp().GetPath() + QStringLiteral("bench") + QLatin1String(ProfileFile::kExtension),
                        90, 150);
    MakeApplicationObjects();
    theUser().LogIn(QStringLiteral("bench"));
    frmMain &main = Window<frmMain>();
    main.show();
    QCoreApplication::processEvents();
    report("logged in, home panel");

    main.lblSection_Click(frmMain::kLessonsIndex);
    Window<frmLessons>().cmdLesson_Click(0);
    theLesson().ShowPractice();
    QCoreApplication::processEvents();
    TypingPad &pad = *main.picPractice->TypingPad;
    for (int line = 0; line < 10; ++line) {
        if (main.picPractice->picMessage->isVisible())
            main.picPractice->cmdOK_Click();
        for (QChar c : pad.sWantedText.trimmed())
            QTest::sendKeyEvent(QTest::Click, &pad, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QCoreApplication::processEvents();
    }
    report("inside lesson 1, ten practice lines typed");
    return 0;
}

#include "mainwindow/mdlMain.h"

#include "app/ClickableLabel.h"
#include "app/KeyTables.h"
#include "app/KeyboardPicture.h"
#include "app/ScreenParts.h"
#include "app/WindowRegistry.h"
#include "app/cTheApp.h"
#include "lessons/cLesson.h"
#include "mainwindow/frmMain.h"
#include "platform/ArabicApplication.h"
#include "platform/Dialogs.h"
#include "platform/DisplayScale.h"
#include "platform/Folders.h"
#include "platform/Memory.h"
#include "platform/Process.h"
#include "platform/Screens.h"
#include "platform/TerminationSignals.h"
#include "progress/ProgressChart.h"
#include "progress/frmProgress.h"
#include "sound/cSounds.h"
#include "speech/cSpokenMode.h"
#include "typing/PracticePanel.h"
#include "typing/TypingPad.h"
#include "typing/cPractice.h"
#include "typing/cTest.h"
#include "typing/cTypingHost.h"
#include "typing/frmTest.h"
#include "users/ProfileMessages.h"
#include "users/cHistoryRecorder.h"
#include "users/cUser.h"
#include "users/frmClassReport.h"
#include "users/frmUsers.h"

#include <QAccessible>
#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>

namespace {

// Where a tutor started again for a new scale stood: the section index, a line break, the learner.
constexpr char kResumeVariable[] = "KZ_RESUME";

struct Resume
{
    QString sUserName;
    qint16 iSection = -1;
};

Resume TakeResume()
{
    Resume resume;
    if (!qEnvironmentVariableIsSet(kResumeVariable))
        return resume;
    const QString value = qEnvironmentVariable(kResumeVariable);
    // Programs started from here (a change of user) start afresh.
    qunsetenv(kResumeVariable);
    const qsizetype cut = value.indexOf(QLatin1Char('\n'));
    if (cut < 0)
        return resume;
    bool ok = false;
    const int section = value.left(cut).toInt(&ok);
    resume.iSection = ok ? qint16(section) : qint16(-1);
    resume.sUserName = value.mid(cut + 1);
    return resume;
}

} // namespace

void SetUpApplication(QApplication &application)
{
    platform::setUpArabicApplication(application, QStringLiteral("Tavrin"));
    Q_INIT_RESOURCE(icons);
    // Read as PNG outright: a reader left to find the format asks every image plugin first, which
    // loads three of them and a JPEG library into each start.
    QImageReader icon(QStringLiteral(":/icons/KZ-64.png"), "png");
    icon.setAutoDetectImageFormat(false);
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(icon.read())));
}

namespace {

// What a screen reader sees of the widgets the tutor paints itself.
QAccessibleInterface *accessibleFor(const QString &className, QObject *object)
{
    if (className == QLatin1String("ClickableLabel"))
        return ClickableLabel::MakeAccessible(object);
    if (className == QLatin1String("TypingPad"))
        return TypingPad::MakeAccessible(object);
    if (className == QLatin1String("KeyboardPicture"))
        return KeyboardPicture::MakeAccessible(object);
    if (className == QLatin1String("ProgressChart"))
        return ProgressChart::MakeAccessible(object);
    return nullptr;
}

} // namespace

void MakeApplicationObjects()
{
    static const bool accessible = (QAccessible::installFactory(accessibleFor), true);
    Q_UNUSED(accessible);
    theApp() = cTheApp();
    theUser().LogOut();
    theLesson() = cLesson();
    theHistory() = cHistoryRecorder();
    DiscardSpokenMode();

    // The services below the users read the training language from the user, afresh each time.
    theApp().SetLanguageSource([] { return theUser().IsLanguageArabic(); });
    // The core returns what failed and why; the windows tell the learner.
    theUser().SetWriteFailureHandler(
        [](const QString &sReason) { ShowProfileError(kProfileSaveFailed, sReason); });
    theHistory().SetFailureHandler(ShowHistoryError);
    // Practices and tests run in the main window while it is loaded.
    cTypingHost::SetProvider(
        []() -> cTypingHost * { return WindowRegistry::IsLoaded<frmMain>() ? &Window<frmMain>() : nullptr; });
    cPractice::SetRunner(PracticePanel::RunOnHost);
    cTest::SetRunner(frmTest::RunInPlaceOfHost);
    theApp().SetScaleChanger(ChangeDisplayScale);
    // The class report, below the sections, opens a learner's progress read only.
    frmClassReport::SetProgressOpener([](const ClassReportRow &row, const QString &sFolder, QWidget *parent) {
        frmProgress::OpenReadOnly(row, sFolder, parent);
    });
}

void ChangeDisplayScale(int iPercent)
{
    if (platform::scaleFromEnvironment())
        return;
    const bool loaded = WindowRegistry::IsLoaded<frmMain>();
    if (loaded && Window<frmMain>().picPractice->isVisible())
        return;
    platform::setScaleSetting(iPercent);
    if (platform::scaleFor(iPercent, frmMain::kWindowSize) == platform::appliedScale())
        return;
    if (bLoggedIn && loaded) {
        const QString resume =
            QString::number(Window<frmMain>().CurrentSection()) + QLatin1Char('\n') + theUser().sUserName;
        qputenv(kResumeVariable, resume.toUtf8());
    }
    platform::restartProgram();
    qunsetenv(kResumeVariable);
}

void EndInOrder()
{
    // Logged in: the exit item's path, so every section window's unload work is done (the settings
    // screen keeps its password). Before login nothing is open that needs it.
    if (bLoggedIn && WindowRegistry::IsLoaded<frmMain>()) {
        Window<frmMain>().lblSection_Click(frmMain::kExitIndex);
        return;
    }
    platform::endProgram();
}

void ShowUserSelection()
{
    frmUsers &users = Window<frmUsers>();
    QObject::connect(&users, &frmUsers::LoggedIn, [] {
        theSpokenMode().LearnerLoggedIn(theUser().sUserName);
        theSounds().LearnerLoggedIn();
        frmMain &main = Window<frmMain>();
        platform::centreOnPointerScreen(&main);
        main.show();
        // Where no window manager hands the keyboard to a new window, it takes it itself.
        main.activateWindow();
        // The user list and start-up are behind us: what they alone used goes back.
        QTimer::singleShot(0, &main, platform::releaseStartUpMemory);
    });
    screen::addScaleShortcuts(&users);
    platform::centreOnPointerScreen(&users);
    users.show();
    users.activateWindow();
}

namespace {
void ResumeWhereItStood(const Resume &resume)
{
    if (resume.sUserName.isEmpty() || !WindowRegistry::IsLoaded<frmUsers>() ||
        !Window<frmUsers>().SelectUser(resume.sUserName))
        return;
    // A profile with a password asks for it again, as at any login.
    Window<frmUsers>().cmdOK->click();
    if (bLoggedIn && resume.iSection >= 0 && resume.iSection != frmMain::kHomeIndex &&
        resume.iSection != frmMain::kChangeUserIndex && resume.iSection != frmMain::kExitIndex)
        Window<frmMain>().lblSection_Click(resume.iSection);
}
} // namespace

bool Main()
{
    const QString library = platform::requiredLibrary();
    if (!library.isEmpty() && !platform::fileExistsIgnoringCase(platform::systemFolder(), library)) {
        const QString path = platform::systemFolder() + QLatin1Char('/') + library;
        platform::messageBox(QStringLiteral("لا يمكن تشغيل البرنامج بدون المكتبة:  ") + path,
                             QStringLiteral("الملف غير موجود"), platform::MessageIcon::Critical);
        platform::endProgram();
        return false;
    }
    const Resume resume = TakeResume();
    MakeApplicationObjects();
    ShowUserSelection();
    FillKeyTables();
    ResumeWhereItStood(resume);
    platform::onTerminationSignal(EndInOrder);
    // Once the first window is up: the spoken mode's key, and the mode itself if it was left on.
    QTimer::singleShot(0, [] { theSpokenMode().Begin(); });
    return true;
}

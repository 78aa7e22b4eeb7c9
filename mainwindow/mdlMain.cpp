#include "mainwindow/mdlMain.h"

#include "app/KeyTables.h"
#include "app/WindowRegistry.h"
#include "app/cTheApp.h"
#include "lessons/cLesson.h"
#include "mainwindow/frmMain.h"
#include "platform/ArabicApplication.h"
#include "platform/Dialogs.h"
#include "platform/Folders.h"
#include "platform/Process.h"
#include "platform/TerminationSignals.h"
#include "typing/PracticePanel.h"
#include "typing/cPractice.h"
#include "typing/cTest.h"
#include "typing/cTypingHost.h"
#include "typing/frmTest.h"
#include "users/ProfileMessages.h"
#include "users/cHistoryRecorder.h"
#include "users/cUser.h"
#include "users/frmUsers.h"

#include <QApplication>
#include <QIcon>

void SetUpApplication(QApplication &application)
{
    platform::setUpArabicApplication(application, QStringLiteral("Tavrin"));
    Q_INIT_RESOURCE(icons);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/KZ-64.png")));
}

void MakeApplicationObjects()
{
    theApp() = cTheApp();
    theUser().LogOut();
    theLesson() = cLesson();
    theHistory() = cHistoryRecorder();

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
}

void EndInOrder()
{
    // Logged in: the exit item's path, so every section window's unload work is done (the number
    // drill gives the learner's language back). Before login nothing is open that needs it.
    if (bLoggedIn && WindowRegistry::IsLoaded<frmMain>()) {
        Window<frmMain>().lblSection_Click(frmMain::kExitIndex);
        return;
    }
    platform::endProgram();
}

void ShowUserSelection()
{
    frmUsers &users = Window<frmUsers>();
    QObject::connect(&users, &frmUsers::LoggedIn, [] { Window<frmMain>().show(); });
    users.show();
}

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
    MakeApplicationObjects();
    ShowUserSelection();
    FillKeyTables();
    platform::onTerminationSignal(EndInOrder);
    return true;
}

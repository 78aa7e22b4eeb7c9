#include "mainwindow/mdlMain.h"

#include "app/KeyTables.h"
#include "app/WindowRegistry.h"
#include "app/cTheApp.h"
#include "mainwindow/frmMain.h"
#include "platform/ArabicApplication.h"
#include "platform/Dialogs.h"
#include "platform/Folders.h"
#include "platform/Process.h"
#include "platform/TerminationSignals.h"
#include "users/frmUsers.h"

#include <QApplication>
#include <QIcon>

void SetUpApplication(QApplication &application)
{
    platform::setUpArabicApplication(application, QStringLiteral("Tavrin"));
    Q_INIT_RESOURCE(icons);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/KZ-64.png")));
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
    ShowUserSelection();
    FillKeyTables();
    platform::onTerminationSignal(EndInOrder);
    return true;
}

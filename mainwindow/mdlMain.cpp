#include "mainwindow/mdlMain.h"

#include "app/KeyTables.h"
#include "app/WindowRegistry.h"
#include "mainwindow/frmMain.h"
#include "platform/ArabicApplication.h"
#include "platform/Dialogs.h"
#include "platform/Folders.h"
#include "platform/Process.h"
#include "users/frmUsers.h"

#include <QApplication>

void SetUpApplication(QApplication &application)
{
    platform::setUpArabicApplication(application, QStringLiteral("Tavrin"));
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
    return true;
}

#include "app/mdlMain.h"

#include "app/KeyTables.h"
#include "app/WindowRegistry.h"
#include "platform/Dialogs.h"
#include "platform/Folders.h"
#include "platform/Process.h"
#include "users/frmUsers.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void SetUpApplication(QApplication &application)
{
    QApplication::setApplicationName(QStringLiteral("Tavrin"));
    QApplication::setLayoutDirection(Qt::RightToLeft);

    // Without an explicit list fontconfig takes the Arabic glyphs from whatever face it meets first.
    QFont font = QApplication::font();
    font.setFamilies(
        {QStringLiteral("Noto Sans Arabic UI"), QStringLiteral("Noto Sans"), QStringLiteral("DejaVu Sans")});
    font.setPointSize(10);
    QApplication::setFont(font);

    // Standard buttons read نعم / لا.
    auto *translator = new QTranslator(&application);
    if (translator->load(QLocale(QLocale::Arabic), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
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
    Window<frmUsers>().show();
    FillKeyTables();
    return true;
}

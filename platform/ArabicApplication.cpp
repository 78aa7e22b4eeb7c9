#include "platform/ArabicApplication.h"

#include "platform/ButtonKeys.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace platform {

void setUpArabicApplication(QApplication &application, const QString &name)
{
    QApplication::setApplicationName(name);
    QApplication::setLayoutDirection(Qt::RightToLeft);

    // Without an explicit list fontconfig takes the Arabic glyphs from whatever face it meets first.
    QFont font = QApplication::font();
    font.setFamilies(
        {QStringLiteral("Noto Sans Arabic UI"), QStringLiteral("Noto Sans"), QStringLiteral("DejaVu Sans")});
    font.setPointSize(10);
    QApplication::setFont(font);

    auto *translator = new QTranslator(&application);
    if (translator->load(QLocale(QLocale::Arabic), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);

    pressFocusedButtonsWithEnter(application);
}

} // namespace platform

#include "platform/ArabicApplication.h"

#include "platform/ButtonKeys.h"
#include "platform/Folders.h"

#include <QApplication>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace platform {

namespace {
// The faces both programs ask for by name, and their files as the installer's folder carries them.
void addShippedFacesTheDesktopLacks()
{
    struct Face
    {
        QString family;
        QStringList files;
    };
    const Face faces[] = {
        {QStringLiteral("Noto Sans Arabic UI"),
         {QStringLiteral("NotoSansArabicUI-Regular.ttf"), QStringLiteral("NotoSansArabicUI-Bold.ttf")}},
        {QStringLiteral("DejaVu Sans Mono"), {QStringLiteral("DejaVuSansMono.ttf")}},
    };
    const QString folder = shippedFilesFolder();
    for (const Face &face : faces) {
        // Asking the font database lists every face of the desktop: only worth it where the files
        // were shipped (an installed tutor), not for a build that runs with the system's fonts.
        QStringList shipped;
        for (const QString &file : face.files) {
            if (QFileInfo::exists(folder + file))
                shipped.append(folder + file);
        }
        if (shipped.isEmpty() || QFontDatabase::hasFamily(face.family))
            continue;
        for (const QString &file : shipped)
            QFontDatabase::addApplicationFont(file);
    }
}
} // namespace

void setUpArabicApplication(QApplication &application, const QString &name)
{
    QApplication::setApplicationName(name);
    QApplication::setLayoutDirection(Qt::RightToLeft);
    addShippedFacesTheDesktopLacks();

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

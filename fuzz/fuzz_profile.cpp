// Arbitrary bytes as a learner's profile, through everything that reads it: the login with its
// password question, every setting, the targets and speed unit, the test results of both languages,
// and a visit to the settings screen. Whatever the bytes, the tutor must not crash, the stored
// password must be the one that logs in, and a visit that changes nothing must leave the file as it
// was.
#include "app/KeyTables.h"
#include "app/WindowRegistry.h"
#include "lessons/cLesson.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/mdlMain.h"
#include "platform/Dialogs.h"
#include "platform/Folders.h"
#include "platform/Process.h"
#include "users/ProfileFile.h"
#include "users/ProfileMessages.h"
#include "users/cUser.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

QString profilePath()
{
    return platform::programFolder() + QStringLiteral("fuzz.USR");
}

QByteArray storedBytes()
{
    QFile file(profilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void expect(bool condition, const char *what)
{
    if (!condition) {
        qWarning("fuzz_profile: %s", what);
        std::abort();
    }
}

void readEverything()
{
    cUser &user = theUser();
    static const char *const kSettings[][2] = {{"General", "Lang"}, {"General", "Sound"}, {"General", "Back"},
                                               {"General", "Unit"}, {"View", "Errors"},   {"View", "BKColor"},
                                               {"View", "Size"},    {"User", "Pass"},     {"User", "Speed"}};
    for (const auto &setting : kSettings)
        user.GetSettings(QLatin1String(setting[0]), QLatin1String(setting[1]));
    QString unit;
    user.ConvSpeed(user.GetWantedSpeed(), unit);
    user.GetWantedAccuracy();
    for (qint16 lesson = 1; lesson <= 6; ++lesson) {
        for (qint16 test = 1; test <= 3; ++test) {
            theLesson().GetTestSpeed(lesson, test);
            theLesson().GetTestAccuracy(lesson, test);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_profile";
    static char *argv[] = {name, nullptr};
    static QApplication application(argc, argv);
    static QTemporaryDir folder;
    platform::setProgramFolderForTesting(folder.path());
    platform::setEndProgramForTesting([](int) {});
    platform::setStartDetachedForTesting([](const QString &) { return true; });
    FillKeyTables();
    MakeApplicationObjects();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Longer than a profile is still a profile; the tail is never read.
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(qMin<size_t>(size, 1024)));
    {
        QFile file(profilePath());
        expect(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size(),
               "writing the input");
    }

    // The password question is answered with the stored password, as the learner would type it.
    int messages = 0;
    platform::setDialogAnswererForTesting([&messages](const platform::DialogRequest &request) {
        if (request.kind == platform::DialogRequest::Message) {
            ++messages;
            return platform::DialogAnswer{platform::AnswerOk, QString()};
        }
        return platform::DialogAnswer{
            platform::AnswerOk,
            theUser().GetSettings(QStringLiteral("User"), QStringLiteral("Pass")).toString()};
    });

    expect(LogInAsking(QStringLiteral("fuzz")), "the stored password does not log in");
    readEverything();

    const QByteArray before = storedBytes();
    frmMain &main = Window<frmMain>();
    main.lblSection_Click(frmMain::kSettingsIndex);
    main.lblSection_Click(frmMain::kHomeIndex);
    expect(storedBytes() == before, "a visit to the settings screen changed the profile");

    // The other language's result slots.
    const bool arabic = theUser().IsLanguageArabic();
    theUser().SetSettings(QStringLiteral("General"), QStringLiteral("Lang"),
                          arabic ? QStringLiteral("E") : QStringLiteral("A"));
    readEverything();
    expect(messages == 0, "a message box on a readable profile");

    WindowRegistry::UnloadAll();
    theUser().LogOut();
    platform::setDialogAnswererForTesting({});
    return 0;
}

// Arbitrary bytes as a learner's files, through every reader that needs no window, fast enough for a
// million runs: the first 189 bytes are the profile, the rest its history. The login with its password
// question, every setting, the speed unit, the results of both languages with their averages, pass
// rule and the lesson to continue with, each compared with the class report's reading of the same
// bytes; the history through every way the progress screen reads it. Whatever the bytes, nothing may
// crash, the two profile readers must agree, no history record may be lost between the readers, and
// reading must leave the profile as it was.
#include "app/KeyTables.h"
#include "lessons/cLesson.h"
#include "platform/Folders.h"
#include "users/ProfileFile.h"
#include "users/cHistory.h"
#include "users/cHistoryStats.h"
#include "users/cProfileSnapshot.h"
#include "users/cUser.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdlib>

namespace {

QString folder;

void expect(bool condition, const char *what)
{
    if (!condition) {
        qWarning("fuzz_profile_core: %s", what);
        std::abort();
    }
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    expect(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size(),
           "writing the input");
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The open file is read field by field (a read of the file each), the class report's copy in memory;
// what both derive goes through the same rules, so those run on the copy and the open file answers
// for its fields and for the lesson to continue with.
void compareResults(const cProfileSnapshot &snapshot, bool arabic)
{
    const cProfileResults stored = snapshot.Results(arabic);
    for (qint16 lesson = 1; lesson <= 6; ++lesson) {
        for (qint16 test = 1; test <= 3; ++test) {
            const int offset = stored.SlotOffset(lesson, test);
            const qint16 speed = stored.GetTestSpeed(lesson, test);
            const qint16 accuracy = stored.GetTestAccuracy(lesson, test);
            expect(theUser().ReadInteger(offset) == speed && theUser().ReadInteger(offset + 2) == accuracy,
                   "a test slot read two ways");
            stored.PassTest(speed, accuracy);
            stored.ResultAlpha(speed, accuracy);
        }
        qint16 speed = 0, accuracy = 0;
        stored.GetAverage(lesson, speed, accuracy);
    }
    const qint16 current = stored.GetCurrentLesson();
    expect(current >= 1 && current <= 6, "the lesson to continue with");
    if (arabic == theUser().IsLanguageArabic())
        expect(theLesson().GetCurrentLesson() == current, "the lesson to continue with read two ways");
}

void readProfile(const cProfileSnapshot &snapshot)
{
    cUser &user = theUser();
    static const char *const kSettings[][2] = {{"General", "Lang"}, {"General", "Sound"}, {"General", "Back"},
                                               {"General", "Unit"}, {"View", "Errors"},   {"View", "BKColor"},
                                               {"View", "Size"},    {"User", "Pass"}};
    for (const auto &setting : kSettings)
        user.GetSettings(QLatin1String(setting[0]), QLatin1String(setting[1]));
    expect(user.IsLanguageArabic() == snapshot.IsLanguageArabic(), "the training language read two ways");
    expect(user.GetWantedSpeed() == snapshot.GetWantedSpeed() &&
               user.GetWantedAccuracy() == snapshot.GetWantedAccuracy(),
           "the targets read two ways");
    QString unit;
    user.ConvSpeed(user.GetWantedSpeed(), unit);
    compareResults(snapshot, true);
    compareResults(snapshot, false);
}

void readHistory(const QByteArray &bytes)
{
    const QList<HistoryRecord> records = cHistory::Decode(bytes);
    qsizetype seen = 0, arabic = 0;
    cHistory::ForEachRecord(bytes, [&](const HistoryRecordView &record) {
        ++seen;
        arabic += record.IsArabic();
    });
    expect(seen == records.size(), "a record read in place but not decoded, or the other way round");
    for (const HistoryRecord &record : records)
        expect(cHistory::Decode(cHistory::Encode(record)) == QList<HistoryRecord>{record}, "a record's round trip");

    for (bool inArabic : {true, false}) {
        const HistorySummary summary = cHistoryStats::Summarise(bytes, inArabic);
        expect(summary.iLines + summary.tests.size() == (inArabic ? arabic : seen - arabic),
               "a record lost from the summary");
        const QList<KeyStat> stats = summary.KeyStats(inArabic ? vArabicKeys : vEnglishKeys);
        cHistoryStats::WeakestKeys(stats);
        for (bool words : {false, true})
            expect(cHistoryStats::ChartPoints(summary, words).size() == summary.tests.size(), "a chart point lost");
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    static int argc = 1;
    static char name[] = "fuzz_profile_core";
    static char *argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    // A memory file system: a disk would write back every truncated file.
    folder = QStringLiteral("/dev/shm/fuzz_profile_core.%1/").arg(QCoreApplication::applicationPid());
    if (!QDir().mkpath(folder)) {
        folder = QDir::tempPath() + QStringLiteral("/fuzz_profile_core.%1/").arg(QCoreApplication::applicationPid());
        QDir().mkpath(folder);
    }
    platform::setProgramFolderForTesting(folder);
    FillKeyTables();
    std::atexit([] { QDir(folder).removeRecursively(); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QByteArray profile = input.left(ProfileFile::kSize);
    const QByteArray history = input.mid(ProfileFile::kSize);
    const QString profilePath = platform::profileFolder() + QStringLiteral("fuzz.USR");
    const QString historyPath = cHistory::PathFor(platform::profileFolder(), QStringLiteral("fuzz"));
    writeFile(profilePath, profile);
    writeFile(historyPath, history);

    cUser &user = theUser();
    const cUser::LogInOutcome outcome = user.LogIn(QStringLiteral("fuzz"));
    expect(outcome.result == cUser::LogInResult::LoggedIn || outcome.result == cUser::LogInResult::PasswordWanted,
           "a profile that does not open");
    if (outcome.result == cUser::LogInResult::PasswordWanted) {
        const QString password = user.GetSettings(QStringLiteral("User"), QStringLiteral("Pass")).toString();
        expect(!password.isEmpty(), "a password asked for with none stored");
        const QString wrong = password + QLatin1Char('x');
        expect(user.GivePassword(wrong) == cUser::LogInResult::WrongPassword, "a wrong password let in");
        expect(user.GivePassword(password) == cUser::LogInResult::LoggedIn, "the stored password refused");
    }
    readProfile(cProfileSnapshot(profile));
    QString error;
    expect(cHistory::ReadFile(historyPath, &error) == history && error.isEmpty(), "the history file read back");
    readHistory(history);
    expect(readFile(profilePath) == profile, "reading changed the profile");
    user.LogOut();
    return 0;
}

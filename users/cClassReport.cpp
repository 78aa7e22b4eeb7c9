#include "users/cClassReport.h"

#include "app/Int16.h"
#include "app/KeyTables.h"
#include "app/StringTable.h"
#include "users/ProfileFile.h"
#include "users/cHistory.h"
#include "users/cHistoryStats.h"
#include "users/cUser.h"

#include <QDateTime>
#include <QDir>
#include <QThread>
#include <QThreadPool>
#include <QVariant>

#include <algorithm>
#include <atomic>
#include <vector>

namespace {

constexpr qint64 kDayMs = 24 * 60 * 60 * 1000;
// The last tests the trend and the targets look at.
constexpr int kRecentTests = 2 * cClassReport::kTrendTests;

// Which entry of a keyboard table a typed character counts for, as HistorySummary::KeyStats counts
// it (an entry of one letter, without regard to case, or the lam-alef ligatures on the entries of
// their keys), for every UTF-16 code; -1 for none.
class KeyIndex
{
public:
    explicit KeyIndex(const QStringList &table) : m_entries(int(table.size())), m_index(0x10000, -1)
    {
        for (int i = int(table.size()) - 1; i >= 0; --i) {
            const QString &entry = table.at(i);
            if (entry.size() != 1)
                continue;
            m_index[entry.at(0).unicode()] = qint16(i);
            m_index[entry.at(0).toLower().unicode()] = qint16(i);
        }
        for (QChar ligature : {kLamAlefKey, kLamAlefMaddaKey, kLamAlefHamzaAboveKey, kLamAlefHamzaBelowKey}) {
            const qsizetype entry = table.indexOf(HistoryRecord::TableEntryOfLamAlef(ligature));
            if (entry >= 0)
                m_index[ligature.unicode()] = qint16(entry);
        }
    }
    int Entries() const { return m_entries; }
    int Of(QChar c) const { return m_index[c.unicode()]; }

private:
    int m_entries;
    std::vector<qint16> m_index;
};

// What one pass over the history gathers for one language.
struct LanguageFold
{
    bool bAny = false;
    qint64 iLast = 0;
    double dMinutes7 = 0;
    double dMinutes30 = 0;
    // The last tests in the order they were taken, oldest first once full (a ring).
    std::array<ClassReportRow::TestResult, kRecentTests> recent{};
    int iTests = 0;
    std::vector<qint64> wanted;
    std::vector<qint64> missed;

    QList<ClassReportRow::TestResult> LastTests(int count) const
    {
        QList<ClassReportRow::TestResult> tests;
        const int n = std::min({count, iTests, kRecentTests});
        for (int k = n; k >= 1; --k)
            tests.append(recent[(iTests - k) % kRecentTests]);
        return tests;
    }
};

struct Folds
{
    LanguageFold arabic;
    LanguageFold english;
};

void foldHistory(const QByteArray &bytes, qint64 now, const KeyIndex &arabicKeys, const KeyIndex &englishKeys,
                 Folds &folds)
{
    folds.arabic.wanted.assign(arabicKeys.Entries(), 0);
    folds.arabic.missed.assign(arabicKeys.Entries(), 0);
    folds.english.wanted.assign(englishKeys.Entries(), 0);
    folds.english.missed.assign(englishKeys.Entries(), 0);
    cHistory::ForEachRecord(bytes, [&](const HistoryRecordView &record) {
        const bool arabic = record.IsArabic();
        LanguageFold &fold = arabic ? folds.arabic : folds.english;
        const KeyIndex &keys = arabic ? arabicKeys : englishKeys;
        fold.bAny = true;
        const qint64 time = record.Time();
        fold.iLast = std::max(fold.iLast, time);
        qint64 letters = 0;
        for (int i = 0; i < record.KeyCount(); ++i) {
            const HistoryRecord::KeyCount key = record.Key(i);
            letters += key.iWanted;
            const int entry = keys.Of(key.cKey);
            if (entry >= 0) {
                fold.wanted[entry] += key.iWanted;
                fold.missed[entry] += key.iMissed;
            }
        }
        // A line's time is its letters at its speed: the clock runs from the first letter to the end.
        if (record.Speed() > 0) {
            const double minutes = double(letters) / record.Speed();
            if (time > now - 30 * kDayMs)
                fold.dMinutes30 += minutes;
            if (time > now - 7 * kDayMs)
                fold.dMinutes7 += minutes;
        }
        if (record.Kind() == HistoryRecord::Kind::Test) {
            fold.recent[fold.iTests % kRecentTests] = {record.Speed(), record.Accuracy()};
            ++fold.iTests;
        }
    });
}

double averageSpeed(const QList<ClassReportRow::TestResult> &tests, qsizetype from, qsizetype count)
{
    double sum = 0;
    for (qsizetype i = from; i < from + count; ++i)
        sum += tests.at(i).iSpeed;
    return sum / double(count);
}

bool anyTaken(const std::array<ClassReportRow::TestResult, 3> &tests)
{
    return std::any_of(tests.cbegin(), tests.cend(), [](const ClassReportRow::TestResult &test) {
        return cProfileResults::Taken(test.iSpeed, test.iAccuracy);
    });
}

bool hasStoredResults(const cProfileResults &results)
{
    for (qint16 lesson = 1; lesson <= 6; ++lesson)
        for (qint16 test = 1; test <= 3; ++test)
            if (cProfileResults::Taken(results.GetTestSpeed(lesson, test),
                                       results.GetTestAccuracy(lesson, test)))
                return true;
    return false;
}

ClassReportRow languageRow(const QString &name, const cProfileSnapshot &profile, bool arabic,
                           const LanguageFold &fold, const QStringList &table)
{
    ClassReportRow row;
    row.sName = name;
    row.bArabic = arabic;
    row.profile = profile;
    const cProfileResults results = profile.Results(arabic);
    row.iNextLesson = results.GetCurrentLesson();
    for (qint16 lesson = 1; lesson <= 6; ++lesson)
        for (qint16 test = 1; test <= 3; ++test)
            row.tests[lesson - 1][test - 1] = {results.GetTestSpeed(lesson, test),
                                               results.GetTestAccuracy(lesson, test)};
    row.iLastPractice = fold.iLast;
    row.dMinutes7 = fold.dMinutes7;
    row.dMinutes30 = fold.dMinutes30;

    const QList<ClassReportRow::TestResult> trend = fold.LastTests(kRecentTests);
    const qsizetype half = std::min<qsizetype>(cClassReport::kTrendTests, trend.size() / 2);
    if (half > 0) {
        row.bHasTrend = true;
        row.dTrend = averageSpeed(trend, trend.size() - half, half) -
                     averageSpeed(trend, trend.size() - 2 * half, half);
    }

    // As the lesson's pass rule averages its three tests: 16-bit sums, divided and cut.
    const QList<ClassReportRow::TestResult> last = fold.LastTests(cClassReport::kTargetTests);
    if (!last.isEmpty()) {
        qint16 speed = 0;
        qint16 accuracy = 0;
        for (const ClassReportRow::TestResult &test : last) {
            speed = Saturate16(double(speed) + test.iSpeed);
            accuracy = Saturate16(double(accuracy) + test.iAccuracy);
        }
        row.targets =
            results.PassTest(IntDiv16(speed, int(last.size())), IntDiv16(accuracy, int(last.size())))
                ? ClassReportRow::Targets::Met
                : ClassReportRow::Targets::NotMet;
    }

    QList<KeyStat> stats;
    stats.reserve(table.size());
    for (qsizetype i = 0; i < table.size(); ++i)
        stats.append({table.at(i), fold.wanted.at(size_t(i)), fold.missed.at(size_t(i))});
    for (const KeyStat &key : cHistoryStats::WeakestKeys(stats, cClassReport::kWeakest))
        row.weakest.append(key.sKey);
    return row;
}

QList<ClassReportRow> learnerRows(const QString &folder, const QString &name, qint64 now,
                                  const KeyIndex &arabicKeys, const KeyIndex &englishKeys)
{
    ClassReportRow unreadable;
    unreadable.sName = name;
    unreadable.bReadable = false;
    cProfileSnapshot profile;
    QString reason;
    switch (cProfileSnapshot::Read(folder + name + QLatin1String(ProfileFile::kExtension), profile, reason)) {
    case cProfileSnapshot::ReadResult::Read:
        break;
    case cProfileSnapshot::ReadResult::Missing:
        return {};
    case cProfileSnapshot::ReadResult::Failed:
        unreadable.sNote = QStringLiteral("لا يمكن قراءة الملف: ") + reason;
        return {unreadable};
    case cProfileSnapshot::ReadResult::Damaged:
        unreadable.sNote = QStringLiteral("ملف تالف: ") + reason;
        return {unreadable};
    }

    QString historyError;
    const QByteArray history = cHistory::ReadFile(cHistory::PathFor(folder, name), &historyError);
    Folds folds;
    foldHistory(history, now, arabicKeys, englishKeys, folds);

    QList<ClassReportRow> rows;
    const bool training = profile.IsLanguageArabic();
    for (const bool arabic : {true, false}) {
        const LanguageFold &fold = arabic ? folds.arabic : folds.english;
        if (arabic != training && !fold.bAny && !hasStoredResults(profile.Results(arabic)))
            continue;
        rows.append(languageRow(name, profile, arabic, fold, arabic ? vArabicKeys : vEnglishKeys));
        if (!historyError.isEmpty())
            rows.last().sNote = QStringLiteral("لا يمكن قراءة السجل: ") + historyError;
    }
    return rows;
}

} // namespace

QList<ClassReportRow> cClassReport::ReadLearner(const QString &folder, const QString &sName, qint64 iNow)
{
    return learnerRows(folder, sName, iNow, KeyIndex(vArabicKeys), KeyIndex(vEnglishKeys));
}

QList<ClassReportRow> cClassReport::Read(const QString &folder, qint64 iNow)
{
    QStringList names = ProfileFile::listNames(folder);
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return QString::localeAwareCompare(a, b) < 0; });
    const KeyIndex arabicKeys(vArabicKeys);
    const KeyIndex englishKeys(vEnglishKeys);

    // Each learner is read and folded on its own, on every core: checking and folding the
    // histories is most of the work, and a school has hundreds of them.
    std::vector<QList<ClassReportRow>> learners(size_t(names.size()));
    std::atomic<qsizetype> next{0};
    auto work = [&] {
        for (qsizetype i = next++; i < names.size(); i = next++)
            learners[size_t(i)] = learnerRows(folder, names.at(i), iNow, arabicKeys, englishKeys);
    };
    QThreadPool pool;
    const int helpers = int(std::min<qsizetype>(QThread::idealThreadCount(), names.size() / 8 + 1)) - 1;
    for (int i = 0; i < helpers; ++i)
        pool.start(work);
    work();
    pool.waitForDone();

    QList<ClassReportRow> rows;
    for (const QList<ClassReportRow> &learner : learners)
        rows.append(learner);
    return rows;
}

QString cClassReport::Header(int column)
{
    switch (column) {
    case Name:
        return QStringLiteral("الاسم");
    case Language:
        return QStringLiteral("اللغة");
    case Unit:
        return QStringLiteral("الوحدة");
    case Target:
        return QStringLiteral("الهدف");
    case NextLesson:
        return QStringLiteral("الدرس التالي");
    case LastPractice:
        return QStringLiteral("آخر تدريب");
    case Minutes7:
        return QStringLiteral("7 أيام (د)");
    case Minutes30:
        return QStringLiteral("30 يوماً (د)");
    case Trend:
        return QStringLiteral("اتجاه السرعة");
    case Weakest:
        return QStringLiteral("أضعف الحروف");
    case TargetsMet:
        return QStringLiteral("يحقق الهدف");
    case Note:
        return QStringLiteral("ملاحظة");
    default:
        if (column >= Lesson1 && column <= Lesson6)
            return QStringLiteral("الدرس %1").arg(column - Lesson1 + 1);
        return QString();
    }
}

cClassReport::CellState cClassReport::State(const ClassReportRow &row, int column)
{
    if (!row.bReadable)
        return column == Name || column == Note ? CellState::Unreadable : CellState::Plain;
    if (column == TargetsMet && row.targets != ClassReportRow::Targets::NoTests)
        return row.targets == ClassReportRow::Targets::Met ? CellState::Passed : CellState::NotPassed;
    if (column < Lesson1 || column > Lesson6)
        return CellState::Plain;
    const int lesson = column - Lesson1 + 1;
    if (!anyTaken(row.tests[lesson - 1]))
        return CellState::Plain;
    const cProfileResults results = row.Results();
    qint16 speed = 0;
    qint16 accuracy = 0;
    results.GetAverage(qint16(lesson), speed, accuracy);
    return results.PassTest(speed, accuracy) ? CellState::Passed : CellState::NotPassed;
}

QString cClassReport::HeaderHint(int column)
{
    switch (column) {
    case Target:
        return QStringLiteral("السرعة والدقة المطلوبتان");
    case NextLesson:
        return QStringLiteral("الدرس الذي يتابع به المتعلم");
    case Minutes7:
        return QStringLiteral("دقائق الكتابة في آخر 7 أيام");
    case Minutes30:
        return QStringLiteral("دقائق الكتابة في آخر 30 يوماً");
    case Trend:
        return QStringLiteral("متوسط سرعة آخر %1 اختبارات مقارنة بالتي قبلها").arg(kTrendTests);
    case Weakest:
        return QStringLiteral("الحروف الأكثر خطأً في السجل");
    case TargetsMet:
        return QStringLiteral("هل يبلغ متوسط آخر %1 اختبارات السرعة والدقة المطلوبتين").arg(kTargetTests);
    default:
        if (column >= Lesson1 && column <= Lesson6)
            return LessonTitle(column - Lesson1 + 1) + QStringLiteral(": السرعة/الدقة في الاختبارات الثلاثة");
        return QString();
    }
}

QString cClassReport::ExportFileName(const QString &folder, const QDate &date, const QString &extension)
{
    QString name = QDir(folder).dirName();
    if (name.isEmpty())
        name = QStringLiteral("KZ");
    return name + QLatin1Char('-') + date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('.') +
           extension;
}

QString cClassReport::LanguageText(bool bArabic)
{
    return LoadResString(bArabic ? resid::kArabicName : resid::kEnglishName);
}

QString cClassReport::UnitText(bool bWords)
{
    return LoadResString(bWords ? resid::kWordsPerMinute : resid::kLettersPerMinute);
}

QString cClassReport::DateText(qint64 iTime)
{
    return iTime > 0 ? QDateTime::fromMSecsSinceEpoch(iTime).toString(QStringLiteral("yyyy-MM-dd"))
                     : QString();
}

QString cClassReport::MinutesText(double dMinutes)
{
    return QString::number(qRound64(dMinutes));
}

qint16 cClassReport::InUnit(const ClassReportRow &row, double dLettersPerMinute)
{
    QString unit;
    return cUser::ConvSpeed(RoundToInt16(dLettersPerMinute), row.IsWordsPerMinute(), unit);
}

QString cClassReport::TrendText(const ClassReportRow &row)
{
    if (!row.bHasTrend)
        return QString();
    const qint16 trend = InUnit(row, row.dTrend);
    return trend > 0 ? QLatin1Char('+') + QString::number(trend) : QString::number(trend);
}

QString cClassReport::TargetsText(ClassReportRow::Targets targets)
{
    switch (targets) {
    case ClassReportRow::Targets::Met:
        return QStringLiteral("نعم");
    case ClassReportRow::Targets::NotMet:
        return QStringLiteral("لا");
    case ClassReportRow::Targets::NoTests:
        break;
    }
    return QString();
}

QString cClassReport::Text(const ClassReportRow &row, int column)
{
    if (column == Name)
        return row.sName;
    if (column == Note)
        return row.sNote;
    if (!row.bReadable)
        return QString();
    switch (column) {
    case Language:
        return LanguageText(row.bArabic);
    case Unit:
        return UnitText(row.IsWordsPerMinute());
    case Target:
        return QStringLiteral("%1/%2%")
            .arg(InUnit(row, row.profile.GetWantedSpeed()))
            .arg(row.profile.GetWantedAccuracy());
    case NextLesson:
        return LessonTitle(row.iNextLesson);
    case LastPractice:
        return DateText(row.iLastPractice);
    case Minutes7:
        return MinutesText(row.dMinutes7);
    case Minutes30:
        return MinutesText(row.dMinutes30);
    case Trend:
        return TrendText(row);
    case Weakest:
        return row.weakest.join(QLatin1Char(' '));
    case TargetsMet:
        return TargetsText(row.targets);
    default:
        break;
    }
    if (column < Lesson1 || column > Lesson6)
        return QString();
    const auto &tests = row.tests[column - Lesson1];
    if (!anyTaken(tests))
        return QString();
    QStringList texts;
    for (const ClassReportRow::TestResult &test : tests)
        texts.append(cProfileResults::Taken(test.iSpeed, test.iAccuracy)
                         ? QStringLiteral("%1/%2%").arg(InUnit(row, test.iSpeed)).arg(test.iAccuracy)
                         : QStringLiteral("—"));
    return texts.join(QStringLiteral("  "));
}

QString cClassReport::LessonDetail(const ClassReportRow &row, int lesson)
{
    if (!row.bReadable)
        return QString();
    static const QStringList kTests{QStringLiteral("الاختبار الأول"), QStringLiteral("الاختبار الثاني"),
                                    QStringLiteral("الاختبار الثالث"), QStringLiteral("المعدل")};
    const cProfileResults results = row.Results();
    QStringList lines{LessonTitle(lesson)};
    for (qint16 test = 1; test <= 4; ++test) {
        qint16 speed = 0;
        qint16 accuracy = 0;
        if (test <= 3) {
            speed = row.tests[lesson - 1][test - 1].iSpeed;
            accuracy = row.tests[lesson - 1][test - 1].iAccuracy;
        } else {
            results.GetAverage(qint16(lesson), speed, accuracy);
        }
        lines.append(kTests.at(test - 1) + QLatin1Char(':') +
                     cUser::SpeedText(speed, row.IsWordsPerMinute()) + QLatin1Char(' ') +
                     QString::number(accuracy) + QStringLiteral(" %  ") +
                     results.ResultAlpha(speed, accuracy) + QLatin1Char('.'));
    }
    return lines.join(QLatin1Char('\n'));
}

QVariant cClassReport::SortKey(const ClassReportRow &row, int column)
{
    // Unreadable rows sort after every learner whose values are known, by name.
    if (!row.bReadable && column != Name && column != Note)
        return QVariant();
    switch (column) {
    case Target:
        return row.profile.GetWantedSpeed() * 1000 + row.profile.GetWantedAccuracy();
    case NextLesson:
        return row.iNextLesson;
    case LastPractice:
        return row.iLastPractice;
    case Minutes7:
        return row.dMinutes7;
    case Minutes30:
        return row.dMinutes30;
    case Trend:
        return row.bHasTrend ? QVariant(row.dTrend) : QVariant();
    case TargetsMet:
        // Met, then not met, then no tests.
        return row.targets == ClassReportRow::Targets::Met      ? 2
               : row.targets == ClassReportRow::Targets::NotMet ? 1
                                                                : 0;
    default:
        break;
    }
    if (column >= Lesson1 && column <= Lesson6) {
        // By the lesson's average, in letters per minute whatever a learner's unit.
        qint16 speed = 0;
        qint16 accuracy = 0;
        row.Results().GetAverage(qint16(column - Lesson1 + 1), speed, accuracy);
        return speed * 1000 + accuracy;
    }
    return Text(row, column);
}

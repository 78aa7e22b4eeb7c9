#pragma once

#include "users/cProfileSnapshot.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// One learner's work in one language, as the class report shows it: the profile's stored results
// and the history's practice, both read without logging in. A profile that cannot be read is a row
// of its own, with the reason and no values.
struct ClassReportRow
{
    struct TestResult
    {
        qint16 iSpeed = 0; // letters per minute, as the profile stores it
        qint16 iAccuracy = 0;
    };
    enum class Targets
    {
        NoTests, // no test of this language in the history
        Met,
        NotMet
    };

    QString sName;
    bool bReadable = true; // false: sNote says why, and no value below is known
    QString sNote;         // why the profile cannot be read, or what of the history could not be
    bool bArabic = true;
    cProfileSnapshot profile;

    qint16 iNextLesson = 1;
    std::array<std::array<TestResult, 3>, 6> tests{};
    qint64 iLastPractice = 0; // milliseconds since 1970, UTC; 0: never practised
    double dMinutes7 = 0;     // minutes of typing in the last 7 and 30 days
    double dMinutes30 = 0;
    bool bHasTrend = false;
    double dTrend = 0; // letters per minute: the last tests' average speed against the ones before
    QStringList weakest;
    Targets targets = Targets::NoTests;

    bool IsWordsPerMinute() const { return profile.IsWordsPerMinute(); }
    cProfileResults Results() const { return profile.Results(bArabic); }
};

// The class report: every profile in a folder, per learner and language, computed from the profile
// bytes and the history alone. It takes no lock and writes nothing, so profiles in use read as well.
class cClassReport
{
public:
    static constexpr int kWeakest = 3;
    // The trend compares the average speed of the last tests (at most this many) with as many before.
    static constexpr int kTrendTests = 5;
    // The targets are met when the average of the last tests (at most this many) reaches both.
    static constexpr int kTargetTests = 3;

    // Every profile `folder` lists, in name order; a learner's languages in the order Arabic,
    // English. A learner gets a row for the training language and for any other language the profile
    // or the history has results in. `iNow` (milliseconds since 1970) ends the 7 and 30 days.
    static QList<ClassReportRow> Read(const QString &folder, qint64 iNow);
    // The rows of one learner (none when the profile has gone since the folder was listed).
    static QList<ClassReportRow> ReadLearner(const QString &folder, const QString &sName, qint64 iNow);

    // The columns of the table and of the printed report, in reading order.
    enum Column
    {
        Name,
        Language,
        Unit,
        Target,
        NextLesson,
        Lesson1,
        Lesson6 = Lesson1 + 5,
        LastPractice,
        Minutes7,
        Minutes30,
        Trend,
        Weakest,
        TargetsMet,
        Note,
        ColumnCount
    };
    // How a cell stands against the targets, for its colour: a lesson's average passed or not, the
    // targets met or not, a profile that cannot be read.
    enum class CellState
    {
        Plain,
        Passed,
        NotPassed,
        Unreadable
    };
    static CellState State(const ClassReportRow &row, int column);

    static QString Header(int column);
    // What a column is, for a header's tooltip.
    static QString HeaderHint(int column);
    static QString Text(const ClassReportRow &row, int column);
    // What a column sorts by: numbers for numbers, texts otherwise.
    static QVariant SortKey(const ClassReportRow &row, int column);
    // A lesson's three tests as the results table writes them, one line each, and its average.
    static QString LessonDetail(const ClassReportRow &row, int lesson);

    // An exported file's name: the folder's own name and the date, e.g. "5B-2026-12-08.csv".
    static QString ExportFileName(const QString &folder, const QDate &date, const QString &extension);

    // Shared by the table, the CSV and the printed report.
    static QString LanguageText(bool bArabic);
    static QString UnitText(bool bWords);
    static QString DateText(qint64 iTime);
    static QString MinutesText(double dMinutes);
    // A speed in the row's unit (words are five letters, cut as the results table cuts them).
    static qint16 InUnit(const ClassReportRow &row, double dLettersPerMinute);
    static QString TrendText(const ClassReportRow &row);
    static QString TargetsText(ClassReportRow::Targets targets);
};

// The class report's rows, straight from crafted profiles and histories: the results as the
// results table computes them for the logged-in learner, the history's columns, profiles that
// cannot be read, and the CSV read back with a parser.
#include "app/KeyTables.h"
#include "app/cTheApp.h"
#include "lessons/cLesson.h"
#include "support/TestSupport.h"
#include "users/ProfileFile.h"
#include "users/cClassReport.h"
#include "users/cHistory.h"
#include "users/cHistoryStats.h"
#include "users/cReportCsv.h"
#include "users/cUser.h"

#include <QFile>
#include <QtEndian>
#include <QtTest>

using namespace testsupport;

namespace {

constexpr qint64 kDay = 24 * 60 * 60 * 1000;
const qint64 kNow = QDateTime(QDate(2026, 3, 1), QTime(12, 0)).toMSecsSinceEpoch();

// A profile with targets of 150 letters (30 words) a minute and 90 %, in `language`, speeds in
// `unit` ('W' words, 'L' letters), and `testResults` as lesson, test, speed, accuracy, ... of that language.
void writeProfile(const QString &name, char language, char unit, const QList<int> &testResults = {},
                  qint16 speed = 150, qint16 accuracy = 90)
{
    QByteArray bytes = ProfileFile::newProfileBytes(accuracy, speed);
    bytes[ProfileFile::kLangOffset] = language;
    bytes[ProfileFile::kUnitOffset] = unit;
    for (qsizetype i = 0; i + 3 < testResults.size(); i += 4) {
        const int offset =
            ProfileFile::testSlotOffset(language == 'A', testResults.at(i), testResults.at(i + 1));
        qToLittleEndian(qint16(testResults.at(i + 2)), bytes.data() + offset);
        qToLittleEndian(qint16(testResults.at(i + 3)), bytes.data() + offset + 2);
    }
    QFile file(theApp().GetPath() + name + QLatin1String(ProfileFile::kExtension));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void addRecord(const QString &name, bool arabic, HistoryRecord::Kind kind, qint64 time, qint16 speed,
               qint16 accuracy, const QString &wanted = QString(), const QString &written = QString())
{
    HistoryRecord record;
    record.iTime = time;
    record.bArabic = arabic;
    record.kind = kind;
    record.iSpeed = speed;
    record.iAccuracy = accuracy;
    record.AddKeys(wanted, written.isNull() ? wanted : written);
    QVERIFY(cHistory::Append(cHistory::PathFor(theApp().GetPath(), name), record));
}

ClassReportRow rowOf(const QList<ClassReportRow> &rows, const QString &name, bool arabic)
{
    for (const ClassReportRow &row : rows)
        if (row.sName == name && row.bArabic == arabic)
            return row;
    return {};
}

} // namespace

class TestClassReport : public QObject
{
    Q_OBJECT

    std::optional<Sandbox> m_sandbox;

private slots:
    void initTestCase() { FillKeyTables(); }
    void init() { m_sandbox.emplace(); }
    void cleanup() { m_sandbox.reset(); }

    void resultsAsTheResultsTable_data()
    {
        QTest::addColumn<char>("language");
        QTest::addColumn<char>("unit");
        QTest::addColumn<QList<int>>("testResults");
        QTest::addColumn<int>("nextLesson");
        QTest::addColumn<int>("lesson");
        QTest::addColumn<QString>("lessonText");
        QTest::newRow("nothing taken") << 'A' << 'W' << QList<int>{} << 1 << 1 << QString();
        QTest::newRow("lesson 1 passed, in words")
            << 'A' << 'W' << QList<int>{1, 1, 150, 90, 1, 2, 164, 95, 1, 3, 170, 92} << 2 << 1
            << QStringLiteral("30/90%  32/95%  34/92%");
        QTest::newRow("a test short of the average, in letters")
            << 'E' << 'L' << QList<int>{2, 1, 200, 97, 2, 2, 210, 98} << 1 << 2
            << QStringLiteral("200/97%  210/98%  —");
        QTest::newRow("the highest lesson passed counts")
            << 'A' << 'L' << QList<int>{1, 1, 100, 80, 4, 1, 150, 90, 4, 2, 150, 90, 4, 3, 150, 90} << 5 << 1
            << QStringLiteral("100/80%  —  —");
        QTest::newRow("the last lesson passed stays")
            << 'E' << 'W' << QList<int>{6, 1, 300, 99, 6, 2, 300, 99, 6, 3, 300, 99} << 6 << 6
            << QStringLiteral("60/99%  60/99%  60/99%");
    }
    void resultsAsTheResultsTable()
    {
        QFETCH(char, language);
        QFETCH(char, unit);
        QFETCH(QList<int>, testResults);
        QFETCH(int, nextLesson);
        QFETCH(int, lesson);
        QFETCH(QString, lessonText);
        writeProfile(QStringLiteral("Layla"), language, unit, testResults);
        const bool arabic = language == 'A';

        const QList<ClassReportRow> rows =
            cClassReport::ReadLearner(theApp().GetPath(), QStringLiteral("Layla"), kNow);
        QCOMPARE(rows.size(), 1); // the other language has nothing to show
        const ClassReportRow row = rows.first();
        QCOMPARE(row.bArabic, arabic);
        QCOMPARE(row.iNextLesson, nextLesson);
        QCOMPARE(cClassReport::Text(row, cClassReport::Lesson1 + lesson - 1), lessonText);

        // The same values as the lesson controller computes for the learner once logged in.
        QVERIFY(theUser().LogIn(QStringLiteral("Layla")));
        QCOMPARE(row.iNextLesson, theLesson().GetCurrentLesson());
        for (qint16 l = 1; l <= 6; ++l) {
            for (qint16 t = 1; t <= 3; ++t) {
                QCOMPARE(row.tests[l - 1][t - 1].iSpeed, theLesson().GetTestSpeed(l, t));
                QCOMPARE(row.tests[l - 1][t - 1].iAccuracy, theLesson().GetTestAccuracy(l, t));
            }
            qint16 speed = 0;
            qint16 accuracy = 0;
            theLesson().GetAverage(l, speed, accuracy);
            QVERIFY(cClassReport::LessonDetail(row, l).endsWith(
                theUser().SpeedText(speed) + QLatin1Char(' ') + QString::number(accuracy) +
                QStringLiteral(" %  ") + theLesson().ResultAlpha(speed, accuracy) + QLatin1Char('.')));
        }
    }

    void historyColumns()
    {
        // Two learners with one history: targets 150 and 100 letters a minute, speeds in words.
        for (const auto &[name, speed] :
             {std::pair{QStringLiteral("Amal"), 150}, {QStringLiteral("Badr"), 100}}) {
            writeProfile(name, 'A', 'W', {}, qint16(speed), 90);
            // 16 letters; of 15 س 6 are missed, of 33 ش one.
            const QString line = QString(5, u'س') + QString(11, u'ش');
            addRecord(name, true, HistoryRecord::Kind::PracticeLine, kNow - 40 * kDay, 16, 90, line);
            addRecord(name, true, HistoryRecord::Kind::PracticeLine, kNow - 20 * kDay, 16, 90, line,
                      QStringLiteral("xxx") + line.mid(3, 12) + QLatin1Char('x'));
            addRecord(name, true, HistoryRecord::Kind::PracticeLine, kNow - 3 * kDay, 8, 90, line,
                      line.left(1) + QStringLiteral("xxx") + line.mid(4));
            const int speeds[] = {100, 110, 120, 130};
            for (int i = 0; i < 4; ++i)
                addRecord(name, true, HistoryRecord::Kind::Test, kNow - (10 - 3 * i) * kDay,
                          qint16(speeds[i]), qint16(90 + 2 * i));
        }
        addRecord(QStringLiteral("Badr"), false, HistoryRecord::Kind::PracticeLine, kNow - kDay, 40, 100,
                  QStringLiteral("asdf"));

        const QList<ClassReportRow> rows = cClassReport::Read(theApp().GetPath(), kNow);
        QCOMPARE(rows.size(), 3); // Amal in Arabic; Badr in Arabic and, from the history, English
        const ClassReportRow amal = rowOf(rows, QStringLiteral("Amal"), true);
        QCOMPARE(amal.iLastPractice, kNow - kDay);
        QCOMPARE(amal.dMinutes7, 2.0); // 16 letters at 8 a minute
        QCOMPARE(amal.dMinutes30, 3.0);
        // (120 + 130) / 2 against (100 + 110) / 2: 20 letters, 4 words a minute more.
        QCOMPARE(cClassReport::TrendText(amal), QStringLiteral("+4"));
        // The last three tests average 120 letters and 94 %.
        QCOMPARE(amal.targets, ClassReportRow::Targets::NotMet);
        QCOMPARE(rowOf(rows, QStringLiteral("Badr"), true).targets, ClassReportRow::Targets::Met);
        // The weakest keys as the progress screen ranks them.
        const HistorySummary summary = cHistoryStats::Summarise(
            cHistory::ReadFile(cHistory::PathFor(theApp().GetPath(), QStringLiteral("Amal"))), true);
        QStringList progressScreen;
        for (const KeyStat &key :
             cHistoryStats::WeakestKeys(summary.KeyStats(vArabicKeys), cClassReport::kWeakest))
            progressScreen.append(key.sKey);
        QCOMPARE(amal.weakest, progressScreen);
        QCOMPARE(amal.weakest, (QStringList{QStringLiteral("س"), QStringLiteral("ش")}));

        const ClassReportRow english = rowOf(rows, QStringLiteral("Badr"), false);
        QCOMPARE(english.sName, QStringLiteral("Badr"));
        QCOMPARE(english.targets, ClassReportRow::Targets::NoTests);
        QCOMPARE(cClassReport::TrendText(english), QString());
        QCOMPARE(english.dMinutes7, 0.1);
    }

    void unreadableProfilesAreListed_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("note");
        QTest::newRow("empty") << QByteArray() << QStringLiteral("ملف تالف: الملف فارغ.");
        QTest::newRow("cut short") << QByteArray(100, 'x')
                                   << QStringLiteral("ملف تالف: حجم الملف 100 بايت، وملف المستخدم 189 بايت.");
        QTest::newRow("too long") << QByteArray(4000, 'x')
                                  << QStringLiteral("ملف تالف: حجم الملف 4000 بايت، وملف المستخدم 189 بايت.");
    }
    void unreadableProfilesAreListed()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, note);
        writeProfile(QStringLiteral("Amal"), 'A', 'W');
        writeProfile(QStringLiteral("Zaid"), 'E', 'W');
        QFile damaged(theApp().GetPath() + QStringLiteral("Hind.USR"));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write(bytes);
        damaged.close();

        const QList<ClassReportRow> rows = cClassReport::Read(theApp().GetPath(), kNow);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows.at(1).sName, QStringLiteral("Hind"));
        QVERIFY(!rows.at(1).bReadable);
        QCOMPARE(rows.at(1).sNote, note);
        QCOMPARE(cClassReport::Text(rows.at(1), cClassReport::NextLesson), QString());
        QVERIFY(rows.at(0).bReadable && rows.at(2).bReadable);
    }

    void csvReadsBack()
    {
        writeProfile(QStringLiteral("ليلى"), 'A', 'W', {1, 1, 150, 90, 1, 2, 165, 96});
        writeProfile(QStringLiteral("Sara, Ali"), 'E', 'L');
        writeProfile(QStringLiteral("=1+2"), 'A', 'L');
        QFile(theApp().GetPath() + QStringLiteral("Hind.USR")).open(QIODevice::WriteOnly);
        const QList<ClassReportRow> rows = cClassReport::Read(theApp().GetPath(), kNow);
        const QByteArray bytes = cReportCsv::Encode(rows);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));

        const QList<QStringList> records = parseCsv(QString::fromUtf8(bytes.mid(3)));
        QCOMPARE(records.size(), rows.size() + 1);
        const QStringList headers = records.first();
        QCOMPARE(headers, cReportCsv::Headers());
        QVERIFY(headers.contains(QStringLiteral("الدرس 1 الاختبار الثاني الدقة (Lesson 1 test 2 accuracy)")));
        for (const QStringList &record : records)
            QCOMPARE(record.size(), headers.size());
        auto field = [&](int record, const QString &englishName) {
            for (qsizetype i = 0; i < headers.size(); ++i)
                if (headers.at(i).endsWith(QLatin1Char('(') + englishName + QLatin1Char(')')))
                    return records.at(record).at(i);
            return QStringLiteral("no such column");
        };
        // In name order: "=1+2", Hind, "Sara, Ali", ليلى; a formula is never left for a spreadsheet to run.
        QCOMPARE(field(1, QStringLiteral("Name")), QStringLiteral("'=1+2"));
        QCOMPARE(field(2, QStringLiteral("Note")), QStringLiteral("ملف تالف: الملف فارغ."));
        QCOMPARE(field(3, QStringLiteral("Name")), QStringLiteral("Sara, Ali"));
        QCOMPARE(field(3, QStringLiteral("Language")), QStringLiteral("الانجليزية"));
        QCOMPARE(field(4, QStringLiteral("Name")), QStringLiteral("ليلى"));
        QCOMPARE(field(4, QStringLiteral("Unit")), QStringLiteral("كلمة / دقيقة"));
        QCOMPARE(field(4, QStringLiteral("Lesson 1 test 2 speed")), QStringLiteral("33"));
        QCOMPARE(field(4, QStringLiteral("Lesson 1 test 2 accuracy")), QStringLiteral("96"));
        QCOMPARE(field(4, QStringLiteral("Lesson 1 test 3 speed")), QString()); // not taken
        QCOMPARE(field(4, QStringLiteral("Lesson 1 result")), QStringLiteral("بحاجة الى اعادة"));
        QCOMPARE(field(4, QStringLiteral("Next lesson")), QStringLiteral("الدرس الاول"));
    }
};

QTEST_MAIN(TestClassReport)
#include "tst_classreport.moc"

// The adaptive practice's keys, model and forecast: the lesson plan's order, which key each character
// counts for, and a simulated learner (made-up times and misses) whose keys become the focus, are
// learned and join the set.
#include "adaptive/cForecast.h"
#include "adaptive/cKeyModel.h"
#include "adaptive/cTrainerKeys.h"
#include "app/StringTable.h"
#include "support/TestSupport.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace testsupport;

namespace {

const cKeyModel::Targets kTargets{150, 95}; // 400 ms a hit, 5 % misses

// How the simulated learner types: every key at one time and miss chance, but for the keys named.
struct Learner
{
    int iMs = 250;
    double dMiss = 0;
    QHash<QString, int> ms;      // by key label
    QHash<QString, double> miss; // by key label
};

// The learner types a line of the model's set: eight words of four keys, each holding the focus key
// (as the line builder makes them; its own tests check its words), each time within a fifth of the
// learner's. Records follow one another a minute apart.
class Simulation
{
public:
    Simulation(bool arabic, Learner learner) : bArabic(arabic), m_learner(std::move(learner)) {}

    HistoryRecord TypeLine(const cKeyModel &model)
    {
        const QList<TrainerKey> &keys = trainerKeys(bArabic);
        QString wanted, written;
        QList<qint32> ms;
        for (int word = 0; word < 8; ++word) {
            if (word > 0)
                Type(QStringLiteral(" "), m_learner.iMs, 0, wanted, written, ms);
            const int focusAt = int(m_random.bounded(4));
            for (int letter = 0; letter < 4; ++letter) {
                int key = letter == focusAt ? model.Focus() : int(m_random.bounded(model.IncludedCount()));
                // Lam and then alef would be the lam-alef key's pair: not in the set unless it is.
                while (wanted.endsWith(QChar(0x0644)) &&
                       !HistoryRecord::LamAlefKeyOf(keys.at(key).sLabel.at(0)).isNull())
                    key = int(m_random.bounded(model.IncludedCount()));
                const QString &label = keys.at(key).sLabel;
                Type(label, m_learner.ms.value(label, m_learner.iMs),
                     m_learner.miss.value(label, m_learner.dMiss), wanted, written, ms);
            }
        }
        ms[0] = -1;
        HistoryRecord record;
        record.iTime = m_time += 60000;
        record.bArabic = bArabic;
        record.source = HistoryRecord::Source::Adaptive;
        qint64 total = 0;
        for (qint32 m : ms)
            total += std::max(0, m);
        record.iSpeed = qint16(wanted.size() * 60000 / std::max<qint64>(1, total));
        record.AddKeys(wanted, written, ms);
        m_bytes += cHistory::Encode(record);
        return record;
    }
    // Types lines into `model` as they come, `lines` of them.
    void Practise(cKeyModel &model, int lines)
    {
        for (int i = 0; i < lines; ++i)
            model.Fold(TypeLine(model));
    }

    const bool bArabic;
    Learner &LearnerNow() { return m_learner; }
    const QByteArray &Bytes() const { return m_bytes; }
    qint64 Time() const { return m_time; }

private:
    // One key: its letters (two for lam-alef, typed at once), wrong as a whole when missed.
    void Type(const QString &letters, int ms, double miss, QString &wanted, QString &written,
              QList<qint32> &times)
    {
        const bool missed = m_random.generateDouble() < miss;
        const int time = int(ms * (0.8 + 0.4 * m_random.generateDouble()));
        for (qsizetype i = 0; i < letters.size(); ++i) {
            wanted += letters.at(i);
            written += missed ? QChar(u'#') : letters.at(i);
            times.append(i == 0 ? time : 0);
        }
    }

    Learner m_learner;
    QRandomGenerator m_random{20};
    qint64 m_time = 1'700'000'000'000;
    QByteArray m_bytes;
};

int keyLabelled(const QString &label, bool arabic)
{
    const QList<TrainerKey> &keys = trainerKeys(arabic);
    for (int k = 0; k < keys.size(); ++k) {
        if (keys.at(k).sLabel == label)
            return k;
    }
    return -1;
}

} // namespace

class tst_KeyModel : public QObject
{
    Q_OBJECT

private slots:
    void planOrder()
    {
        for (bool arabic : {true, false}) {
            QString plan;
            for (int lesson = 1; lesson <= 6; ++lesson)
                plan += LessonLetters(lesson, arabic);
            QString labels;
            QList<int> positions;
            for (const TrainerKey &key : trainerKeys(arabic)) {
                labels += key.sLabel;
                QVERIFY(!positions.contains(key.iPosition));
                positions.append(key.iPosition);
            }
            // Every key of the layout once, lesson 1's first; ذ, in no lesson, last.
            QCOMPARE(labels, arabic ? plan + QStringLiteral("ذ") : plan.toLower());
            QCOMPARE(firstSetSize(arabic), arabic ? 6 : 5);
            QCOMPARE(trainerKeys(arabic).size(), arabic ? 34 : 29);
        }
    }

    void formsCountForTheirKeys_data()
    {
        QTest::addColumn<bool>("arabic");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("key"); // the label of the key it counts for, "" for none
        // Each hamza and madda form on the key that types it; lam-alef pairs on theirs, typed at once.
        QTest::newRow("lam-alef") << true << QStringLiteral("لا") << QStringLiteral("لا");
        QTest::newRow("lam-alef with madda") << true << QStringLiteral("لآ") << QStringLiteral("لا");
        QTest::newRow("lam-alef with hamza above") << true << QStringLiteral("لأ") << QStringLiteral("ل");
        QTest::newRow("lam-alef with hamza below") << true << QStringLiteral("لإ") << QStringLiteral("ف");
        QTest::newRow("alef with hamza above") << true << QStringLiteral("أ") << QStringLiteral("ا");
        QTest::newRow("alef with hamza below") << true << QStringLiteral("إ") << QStringLiteral("غ");
        QTest::newRow("alef with madda") << true << QStringLiteral("آ") << QStringLiteral("ى");
        QTest::newRow("hamza on yeh") << true << QStringLiteral("ئ") << QStringLiteral("ئ");
        QTest::newRow("hamza on waw") << true << QStringLiteral("ؤ") << QStringLiteral("ؤ");
        QTest::newRow("sukun") << true << QStringLiteral("\u0652") << QStringLiteral("ء");
        QTest::newRow("tatweel") << true << QStringLiteral("\u0640") << QString();
        QTest::newRow("a Latin letter in Arabic") << true << QStringLiteral("h") << QString();
        QTest::newRow("capital") << false << QStringLiteral("H") << QStringLiteral("h");
        QTest::newRow("semicolon") << false << QStringLiteral(";") << QStringLiteral(";");
        QTest::newRow("digit") << false << QStringLiteral("1") << QString();
    }
    void formsCountForTheirKeys()
    {
        QFETCH(bool, arabic);
        QFETCH(QString, typed);
        QFETCH(QString, key);
        // After a first, untimed letter, the form in 300 ms (a pair's second letter with the same key).
        const QString first = arabic ? QStringLiteral("ب") : QStringLiteral("a");
        HistoryRecord record;
        record.bArabic = arabic;
        record.AddKeys(first + typed, first + typed,
                       typed.size() == 2 ? QList<qint32>{-1, 300, 0} : QList<qint32>{-1, 300});
        cKeyModel model(arabic, kTargets);
        model.Fold(record);
        const QList<TrainerKey> &keys = trainerKeys(arabic);
        for (int k = 0; k < keys.size(); ++k) {
            const cKeyModel::KeyState &state = model.States().at(k);
            const QString &label = keys.at(k).sLabel;
            if (label == key) {
                QCOMPARE(state.iHits, 1);
                QCOMPARE(state.dMsPerHit, 300.0);
                QCOMPARE(state.dMissRate, 0.0);
                for (QChar c : typed.size() == 2 ? QString(HistoryRecord::LamAlefKeyOf(typed.at(1))) : typed)
                    QVERIFY(keys.at(k).sLetters.contains(c));
            } else if (label != first) {
                QVERIFY2(state.dMissRate < 0, qPrintable(label)); // nothing else typed
            }
        }
    }

    // A slow key or an often-missed one becomes the focus within a few lines and stays it; it is never
    // learned, even when fast, and holds the set to lesson 1's keys, which are all learned.
    void slowOrMissedKeyBecomesTheFocus_data()
    {
        QTest::addColumn<bool>("arabic");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("ms");
        QTest::addColumn<double>("miss");
        QTest::newRow("slow, Arabic") << true << QStringLiteral("ن") << 1200 << 0.0;
        QTest::newRow("often missed, Arabic") << true << QStringLiteral("م") << 150 << 0.25;
        QTest::newRow("slow, English") << false << QStringLiteral("k") << 1200 << 0.0;
        QTest::newRow("often missed, English") << false << QStringLiteral("j") << 150 << 0.25;
    }
    void slowOrMissedKeyBecomesTheFocus()
    {
        QFETCH(bool, arabic);
        QFETCH(QString, key);
        QFETCH(int, ms);
        QFETCH(double, miss);
        const int weak = keyLabelled(key, arabic);
        QVERIFY(weak >= 0 && weak < firstSetSize(arabic));
        Learner learner;
        learner.ms[key] = ms;
        learner.miss[key] = miss;
        Simulation simulation(arabic, learner);
        cKeyModel model(arabic, kTargets);
        int line = 1;
        for (; line <= 4 && model.Focus() != weak; ++line)
            simulation.Practise(model, 1);
        QVERIFY2(model.Focus() == weak, "not the focus after four lines");
        simulation.Practise(model, 30);
        QCOMPARE(model.Focus(), weak);
        QCOMPARE(model.FocusLetters(), trainerKeys(arabic).at(weak).sLetters);
        const cKeyModel::KeyState &state = model.States().at(weak);
        QVERIFY(!state.bLearned);
        if (miss > 0) {
            QVERIFY(state.dMsPerHit < 400); // fast enough: accuracy alone holds it back
            QVERIFY(state.dMissRate > 0.05);
        }
        QCOMPARE(model.IncludedCount(), firstSetSize(arabic));
        for (int k = 0; k < firstSetSize(arabic); ++k)
            QCOMPARE(model.States().at(k).bLearned, k != weak);
    }

    // A learner good at every key: the keys join one at a time, in the plan's order, each only once
    // every key of the set is learned, and the newest key is the focus.
    void keysJoinInPlanOrder_data()
    {
        QTest::addColumn<bool>("arabic");
        QTest::newRow("Arabic") << true;
        QTest::newRow("English") << false;
    }
    void keysJoinInPlanOrder()
    {
        QFETCH(bool, arabic);
        Simulation simulation(arabic, Learner());
        cKeyModel model(arabic, kTargets);
        const QList<TrainerKey> &keys = trainerKeys(arabic);
        QCOMPARE(model.IncludedCount(), firstSetSize(arabic));
        for (int line = 0; line < 400 && model.IncludedCount() < keys.size(); ++line) {
            const int before = model.IncludedCount();
            simulation.Practise(model, 1);
            const int after = model.IncludedCount();
            QVERIFY(after == before || after == before + 1);
            if (after > before) {
                for (int k = 0; k < before; ++k)
                    QVERIFY(model.States().at(k).bLearned);
                QCOMPARE(model.States().at(before).iHits, 0);
                QCOMPARE(model.Focus(), before);
            }
            QString allowed;
            for (int k = 0; k < keys.size(); ++k) {
                QCOMPARE(model.States().at(k).bIncluded, k < after);
                if (k < after)
                    allowed += keys.at(k).sLetters;
            }
            QCOMPARE(model.AllowedLetters(), allowed);
        }
        QCOMPARE(model.IncludedCount(), keys.size());
        simulation.Practise(model, 10);
        QCOMPARE(model.LayoutProgress(), 1.0);
    }

    // A key let join early is in the set before its turn, and the next joins only once it is learned
    // too; a reset key forgets its history but not the set it let grow, and is learned again by new
    // lines.
    void choicesOfTheLearner()
    {
        const int first = firstSetSize(true);
        Simulation early(true, Learner());
        cKeyModel joined(true, kTargets);
        joined.SetChoices(1, {});
        QCOMPARE(joined.IncludedCount(), first + 1);
        QCOMPARE(joined.Focus(), first);
        while (joined.IncludedCount() == first + 1)
            early.Practise(joined, 1);
        QCOMPARE(joined.IncludedCount(), first + 2);
        QVERIFY(joined.States().at(first).bLearned);

        Simulation simulation(true, Learner());
        cKeyModel model(true, kTargets);
        while (model.IncludedCount() < first + 2)
            simulation.Practise(model, 1);
        simulation.Practise(model, 2);
        const int grown = model.IncludedCount();
        cKeyModel reset(true, kTargets);
        reset.SetChoices(0, {{0, simulation.Time() + 1}});
        reset.FoldHistory(simulation.Bytes());
        QCOMPARE(reset.IncludedCount(), grown);
        QCOMPARE(reset.States().at(0).iHits, 0);
        QCOMPARE(reset.States().at(0).dMissRate, -1.0);
        QVERIFY(!reset.States().at(0).bLearned);
        QCOMPARE(reset.States().at(1).bLearned, model.States().at(1).bLearned);
        simulation.Practise(reset, 10);
        QVERIFY(reset.States().at(0).bLearned);
    }

    void version1HistoriesRead()
    {
        // Lines kept before keys had times: their misses count, their keys are never timed, so none
        // is learned; the same lines with times are.
        Simulation simulation(false, Learner());
        cKeyModel model(false, kTargets);
        QByteArray version1;
        for (int line = 0; line < 20; ++line) {
            const HistoryRecord record = simulation.TypeLine(model);
            version1 += historyRecordVersion1(record);
        }
        model.FoldHistory(version1);
        for (int k = 0; k < firstSetSize(false); ++k) {
            QCOMPARE(model.States().at(k).dMissRate, 0.0);
            QCOMPARE(model.States().at(k).dMsPerHit, -1.0);
            QVERIFY(!model.States().at(k).bLearned);
        }
        model.FoldHistory(version1 + simulation.Bytes());
        QVERIFY(model.States().at(0).bLearned);
    }

    void forecast_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("startMs"); // the learner's time per key, improving by 1 % a line
        QTest::addColumn<int>("leastMs");
        QTest::addColumn<bool>("known");
        QTest::newRow("too little practice") << 15 << 700 << 200 << false;
        QTest::newRow("improving") << 60 << 700 << 200 << true;
        QTest::newRow("no better") << 60 << 700 << 700 << false;
        QTest::newRow("every key learned") << 400 << 250 << 250 << true;
    }
    void forecast()
    {
        QFETCH(int, lines);
        QFETCH(int, startMs);
        QFETCH(int, leastMs);
        QFETCH(bool, known);
        Learner learner;
        learner.iMs = startMs;
        Simulation simulation(true, learner);
        cKeyModel model(true, kTargets);
        for (int line = 0; line < lines; ++line) {
            simulation.Practise(model, 1);
            simulation.LearnerNow().iMs = std::max(leastMs, int(simulation.LearnerNow().iMs * 0.99));
        }
        const Forecast forecast = ForecastFor(simulation.Bytes(), true, kTargets);
        QCOMPARE(forecast.bKnown, known);
        QCOMPARE(ForecastFor(simulation.Bytes(), false, kTargets).bKnown, false); // no English lines
        if (!known)
            QCOMPARE(ForecastText(forecast), QString());
        else if (model.LayoutProgress() >= 1)
            QCOMPARE(forecast.iMinutes, 0);
        else
            QVERIFY(forecast.iMinutes > 0);
    }
};

QTEST_MAIN(tst_KeyModel)
#include "tst_keymodel.moc"

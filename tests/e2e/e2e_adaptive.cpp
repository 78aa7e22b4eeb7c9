// The adaptive trainer end to end, under Xvfb with real physical keys: from the menu, lines typed one
// after another, one key always typed slowly; that key becomes the focus on the screen and in the
// next line's words, in Arabic and in English. The test builds the same lines beside the tutor (the
// same seed, the same model fed from the history the tutor writes), so it knows what to type; every
// line typed without a mistake shows they agree.
#include "E2eKeys.h"
#include "E2eSupport.h"

#include "adaptive/cAdaptiveSession.h"
#include "adaptive/cTrainerKeys.h"
#include "adaptive/frmAdaptive.h"
#include "app/ClickableLabel.h"
#include "app/KeyTables.h"
#include "app/KeyboardPicture.h"
#include "app/WindowRegistry.h"
#include "mainwindow/frmMain.h"
#include "platform/Folders.h"
#include "platform/KeyboardLayout.h"
#include "platform/Random.h"
#include "users/cHistory.h"
#include "users/cProfileSnapshot.h"
#include "users/cUser.h"

#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QRandomGenerator>
#include <QThread>
#include <QtTest>

using namespace e2e;

namespace {

// How far a grabbed pixel may stand from the colour drawn.
constexpr int kTolerance = 8;
constexpr const char *kSeed = "20261209";
constexpr int kLines = 4;
// The slow key waits this long before each press: a third of the learner's target speed, below what
// a key typed only half the hits it needs counts for.
constexpr int kSlowMs = 1200;

// The history's records once it holds `count` of them (the tutor appends each as its line ends).
QList<HistoryRecord> waitForRecords(const QString &path, qsizetype count)
{
    QElapsedTimer waited;
    waited.start();
    QList<HistoryRecord> records;
    while (waited.elapsed() < 15000) {
        records = cHistory::Decode(cHistory::ReadFile(path));
        if (records.size() >= count)
            break;
        QThread::msleep(100);
    }
    return records;
}

} // namespace

class TestAdaptiveEndToEnd : public QObject
{
    Q_OBJECT

    std::unique_ptr<XServer> m_x;

private slots:
    void initTestCase()
    {
        // Every tutor started from here draws its texts from a generator with this seed.
        qputenv("KZ_RANDOM_SEED", kSeed);
        FillKeyTables();
        m_x = std::make_unique<XServer>();
        QVERIFY2(m_x->isRunning(), "Xvfb could not start");
        QVERIFY(m_x->setLayout(QStringLiteral("us")));
    }
    void cleanupTestCase() { m_x.reset(); }

    void slowKeyBecomesTheFocus_data()
    {
        QTest::addColumn<char>("language");
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("slowLetter");
        // A key of the first lesson that is not the focus of a learner who has typed nothing yet.
        QTest::newRow("Arabic") << 'A' << QString::fromLatin1(platform::kArabicLayout) << QStringLiteral("ن");
        QTest::newRow("English") << 'E' << QString::fromLatin1(platform::kEnglishLayout) << QStringLiteral("k");
    }
    void slowKeyBecomesTheFocus()
    {
        QFETCH(char, language);
        QFETCH(QString, layout);
        QFETCH(QString, slowLetter);
        const QString tag = QString::fromLatin1(QTest::currentDataTag()).toLower();
        const bool arabic = language == 'A';
        const int slowKey = trainerKeyOf(slowLetter.at(0), arabic);
        QVERIFY(slowKey >= 0 && slowKey < firstSetSize(arabic));

        Tutor tutor(*m_x);
        const QString profile = tutor.folder() + QStringLiteral("Layla.USR");
        QVERIFY(createLearner(profile, language));
        const QString historyPath = cHistory::PathFor(tutor.folder(), QStringLiteral("Layla"));
        cProfileSnapshot snapshot;
        QString reason;
        QCOMPARE(cProfileSnapshot::Read(profile, snapshot, reason), cProfileSnapshot::ReadResult::Read);
        cAdaptiveSession twin(arabic, {snapshot.GetWantedSpeed(), snapshot.GetWantedAccuracy()}, {}, {});
        QVERIFY(twin.Model().Focus() != slowKey);
        // The tutor's generator, fresh from the seed, for the lines built here.
        QRandomGenerator generator(QByteArray(kSeed).toUInt());
        QList<double> draws(200000);
        for (double &draw : draws)
            draw = generator.generateDouble();
        platform::setRandomSequenceForTesting(draws);

        QVERIFY(tutor.start());
        const QString users = m_x->waitForWindow(QStringLiteral("^Tavrin - "));
        QVERIFY(!users.isEmpty());
        m_x->key(users, {QStringLiteral("Return")});
        const QString main = m_x->waitForWindow(QStringLiteral("^Tavrin$"));
        QVERIFY(!main.isEmpty());
        frmMain mainLayout;
        m_x->click(main, centreIn(mainLayout.lblSection[frmMain::kAdaptiveIndex], &mainLayout));
        QThread::msleep(500);

        // Each line as the tutor builds it, typed by physical keys, the slow key after a wait.
        QString line;
        for (int n = 1; n <= kLines; ++n) {
            line = twin.NextLine();
            QVERIFY(!line.isEmpty());
            QStringList keys;
            for (QChar c : line) {
                if (c == slowLetter.at(0) && !keys.isEmpty()) {
                    m_x->key(main, keys);
                    keys.clear();
                    QThread::msleep(kSlowMs);
                }
                keys += keysFor(QString(c), layout);
            }
            m_x->key(main, keys);
            const QList<HistoryRecord> records = waitForRecords(historyPath, n);
            QCOMPARE(records.size(), qsizetype(n));
            const HistoryRecord &record = records.last();
            QCOMPARE(record.source, HistoryRecord::Source::Adaptive);
            QVERIFY2(record.iAccuracy == 100, qPrintable(QStringLiteral("line %1 differs: ").arg(n) + line));
            twin.LineDone(record);
        }
        QThread::msleep(400);
        m_x->screenshot(QStringLiteral("adaptive-") + tag);
        const QImage shown = grabWindow(*m_x, main);

        // The slow key is the focus, and the line now on the pad is built around it.
        QCOMPARE(twin.Model().Focus(), slowKey);
        const QString next = twin.NextLine();
        const QStringList words = next.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const qsizetype holding =
            std::count_if(words.cbegin(), words.cend(), [&](const QString &w) { return w.contains(slowLetter.at(0)); });
        QVERIFY2(holding * 2 > words.size(), qPrintable(next));
        // Typed as built: the tutor's line is this one.
        m_x->key(main, keysFor(next, layout));
        const QList<HistoryRecord> records = waitForRecords(historyPath, kLines + 1);
        QCOMPARE(records.size(), qsizetype(kLines + 1));
        QCOMPARE(records.last().iAccuracy, qint16(100));
        twin.LineDone(records.last());
        // The progress screen, with the forecast beside the way back to the trainer.
        m_x->key(main, {QStringLiteral("ctrl+p")});
        QThread::msleep(400);
        m_x->screenshot(QStringLiteral("adaptive-progress-") + tag);

        // On the real screen the slow key wears the focus frame.
        frmAdaptive layoutTwin;
        if (!shown.isNull()) {
            const QRect box = keygrid::keyBox(trainerKeys(arabic).at(slowKey).iPosition)
                                  .translated(layoutTwin.picKeyboard->pos());
            const QPoint probe(box.center().x(), box.top());
            QVERIFY2(near(shown.pixelColor(probe), KeyboardPicture::kFocusFrame, kTolerance),
                     qPrintable(shown.pixelColor(probe).name()));
        }
        killTutorsIn(tutor.folder());

        // The same screen over the same files, reopened, names the focus the lines led to.
        platform::setProgramFolderForTesting(tutor.folder());
        QVERIFY(theUser().LogIn(QStringLiteral("Layla")));
        frmAdaptive &screen = Window<frmAdaptive>();
        const int focus = twin.Model().Focus();
        QCOMPARE(screen.Session().Model().Focus(), focus);
        QVERIFY2(screen.lblFocus->text().contains(QStringLiteral("«") + trainerKeys(arabic).at(focus).sLabel +
                                                  QStringLiteral("»")),
                 qPrintable(screen.lblFocus->text()));
        WindowRegistry::UnloadAll();
        theUser().LogOut();
        platform::setProgramFolderForTesting(QString());
        platform::setRandomSequenceForTesting({});
    }
};

QTEST_MAIN(TestAdaptiveEndToEnd)
#include "e2e_adaptive.moc"

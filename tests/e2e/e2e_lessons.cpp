// A learner's lesson end to end, under Xvfb and with the keyboard alone: login, the menu, lesson 1, a
// practice line and lesson test 1 typed with real physical keys on a US desktop, and with keys sent
// by name on an Arabic desktop, in Arabic and in English; the result lands in the profile's slot as
// it shows, so a SIGTERM before the learner closes it keeps it too.
#include "E2eKeys.h"
#include "E2eSupport.h"

#include "app/Blanks.h"
#include "app/StringTable.h"
#include "lessons/cLesson.h"
#include "platform/KeyboardLayout.h"
#include "users/ProfileFile.h"

#include <QThread>
#include <QtEndian>
#include <QtTest>

using namespace e2e;

namespace {

constexpr const char *kSeed = "20261207";

qint16 int16At(const QByteArray &bytes, int offset)
{
    return bytes.size() >= offset + 2 ? qFromLittleEndian<qint16>(bytes.constData() + offset) : qint16(-1);
}

} // namespace

class TestLessonsEndToEnd : public QObject
{
    Q_OBJECT

    std::unique_ptr<XServer> m_x;

private slots:
    void initTestCase()
    {
        // Every tutor started from here draws its texts from a generator with this seed.
        qputenv("KZ_RANDOM_SEED", kSeed);
        m_x = std::make_unique<XServer>();
        QVERIFY2(m_x->isRunning(), "Xvfb could not start");
    }
    void cleanupTestCase() { m_x.reset(); }

    void lessonOne_data()
    {
        QTest::addColumn<char>("language");
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("block");
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<bool>("terminated"); // SIGTERM while the result shows, instead of Esc
        const QString arabic = QString::fromLatin1(platform::kArabicLayout);
        const QString english = QString::fromLatin1(platform::kEnglishLayout);
        QTest::newRow("Arabic") << 'A' << arabic << 2100 << QStringLiteral("us") << false;
        QTest::newRow("English terminated on the result")
            << 'E' << english << 4100 << QStringLiteral("us") << true;
        // The same keys on an Arabic desktop, with the US letters bound on spare keys as remote-desktop
        // servers and on-screen keyboards bind what a layout lacks: the letters arrive by name.
        QTest::newRow("Arabic by name") << 'A' << arabic << 2100 << QStringLiteral("ara") << false;
        QTest::newRow("English by name") << 'E' << english << 4100 << QStringLiteral("ara") << false;
    }
    void lessonOne()
    {
        QFETCH(char, language);
        QFETCH(QString, layout);
        QFETCH(int, block);
        QFETCH(QString, desktop);
        QFETCH(bool, terminated);
        const QString tag = QString::fromLatin1(QTest::currentDataTag())
                                .toLower()
                                .replace(QLatin1Char(' '), QLatin1Char('-'));
        QVERIFY(m_x->setLayout(desktop, desktop == QStringLiteral("us") ? QStringList() : usLetters()));

        Tutor tutor(*m_x);
        const QString profile = tutor.folder() + QStringLiteral("Layla.USR");
        QVERIFY(createLearner(profile, language));

        // The whole journey by keyboard, no mouse. Enter on the user list logs the selected user in.
        QVERIFY(tutor.start());
        const QString users = m_x->waitForWindow(QStringLiteral("^Tavrin - "));
        QVERIFY(!users.isEmpty());
        m_x->key(users, {QStringLiteral("Return")});
        const QString main = m_x->waitForWindow(QStringLiteral("^Tavrin$"));
        QVERIFY(!main.isEmpty());

        // Tab into the menu, up to its first item "الدروس", Enter; then lesson 1 and its practice,
        // each button reached by Tab and pressed by Enter.
        m_x->key(main, {QStringLiteral("Tab"), QStringLiteral("Up")});
        m_x->screenshot(QStringLiteral("menu-focus-") + tag);
        m_x->key(main, {QStringLiteral("Return")});
        m_x->key(main, {QStringLiteral("Tab"), QStringLiteral("Return")});
        m_x->key(main, {QStringLiteral("Tab"), QStringLiteral("Return")});
        m_x->key(main, {QStringLiteral("Return")}); // past the opening message
        m_x->key(main, keysFor(TrimBlanks(LoadResString(block + 1)), layout));
        QThread::msleep(300);
        m_x->screenshot(QStringLiteral("practice-") + tag);
        m_x->key(main, {QStringLiteral("Escape")});

        // Test 1, typed without a mistake, line by line on the test window's pads. The focus is back
        // on the practice button; the tests button follows it, and test 1 leads its page.
        m_x->key(main, {QStringLiteral("Tab"), QStringLiteral("Return")});
        m_x->key(main, {QStringLiteral("Tab"), QStringLiteral("Return")});
        const QString test = m_x->waitForWindow(QStringLiteral("^Tavrin - اختبار$"));
        QVERIFY2(!test.isEmpty(), "the test window did not open");
        const QString text = firstTestText(block, kSeed);
        QVERIFY(text.size() > 300);
        for (int line = 0; line < 5; ++line)
            m_x->key(test, keysFor(text.mid(line * 60, 60).trimmed(), layout));
        QThread::msleep(300);
        m_x->screenshot(QStringLiteral("test-result-") + tag);
        if (terminated) {
            tutor.process().terminate();
            QVERIFY(tutor.process().waitForFinished(10000));
            QCOMPARE(tutor.process().exitStatus(), QProcess::NormalExit);
        } else {
            m_x->key(test, {QStringLiteral("Escape")}); // after the result, Esc keeps it
            QVERIFY(m_x->waitForWindowGone(test));
            QThread::msleep(300);
            m_x->screenshot(QStringLiteral("results-table-") + tag);
        }

        const QByteArray bytes = tutor.profileBytes(QStringLiteral("Layla"));
        const int slot = ProfileFile::testSlotOffset(language == 'A', 1, 1);
        QCOMPARE(int16At(bytes, slot + 2), qint16(100));
        QVERIFY2(int16At(bytes, slot) > 0, "no speed was stored");
        // The other language's slots stay untouched.
        QCOMPARE(int16At(bytes, ProfileFile::testSlotOffset(language != 'A', 1, 1)), qint16(0));
    }
};

QTEST_MAIN(TestLessonsEndToEnd)
#include "e2e_lessons.moc"

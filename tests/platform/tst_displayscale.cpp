// The display scale: the step "fit" takes for a screen, the learner's choice kept for the next start,
// and an environment that pins the scale.
#include "platform/DisplayScale.h"

#include <QSettings>
#include <QTest>

using namespace platform;

namespace {
const QSize kMainWindow(790, 480);
} // namespace

class TestDisplayScale : public QObject
{
    Q_OBJECT

    int m_restarts = 0;

    // As a start without QT_SCALE_FACTOR in the environment would see it.
    void startUnpinned()
    {
        qunsetenv("QT_SCALE_FACTOR");
        applyScaleBeforeStart(kMainWindow);
    }

private slots:
    void init()
    {
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tavrin"),
                  QStringLiteral("Display"))
            .clear();
        m_restarts = 0;
        setRestartProgramForTesting([this] { ++m_restarts; });
    }
    void cleanup()
    {
        setRestartProgramForTesting({});
        qputenv("QT_SCALE_FACTOR", "1");
        applyScaleBeforeStart(kMainWindow);
    }

    void fitFollowsTheScreen_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<int>("percent");
        QTest::newRow("1280x800") << QSize(1280, 800) << 125;
        QTest::newRow("1366x768") << QSize(1366, 768) << 125;
        QTest::newRow("1024x768") << QSize(1024, 768) << 100;
        QTest::newRow("1920x1080") << QSize(1920, 1080) << 175;
        QTest::newRow("3840x2160") << QSize(3840, 2160) << 200;
        QTest::newRow("smaller than the window") << QSize(640, 480) << 100;
        QTest::newRow("not measured yet") << QSize() << 100;
    }
    void fitFollowsTheScreen()
    {
        QFETCH(QSize, screen);
        QFETCH(int, percent);
        QCOMPARE(fitScale(screen, kMainWindow), percent);
    }

    void stepsStayInRange()
    {
        QCOMPARE(nextScaleStep(100, -1), 100);
        QCOMPARE(nextScaleStep(125, +1), 150);
        QCOMPARE(nextScaleStep(200, +1), 200);
        QCOMPARE(nextScaleStep(175, -1), 150);
    }

    // What the learner chose is what the next start draws at; "fit" is the default and takes the
    // screen that the last start measured.
    void choiceKeptForTheNextStart()
    {
        QCOMPARE(scaleSetting(), kScaleFit);
        setScaleSetting(150);
        startUnpinned();
        QCOMPARE(qgetenv("QT_SCALE_FACTOR"), QByteArray("1.5"));
        QCOMPARE(appliedScale(), 150);
        settleScaleAfterStart(kMainWindow, QSize(853, 533));
        QVERIFY(!qEnvironmentVariableIsSet("QT_SCALE_FACTOR")); // programs started from here choose anew
        QCOMPARE(m_restarts, 0);

        setScaleSetting(kScaleFit);
        startUnpinned();
        QCOMPARE(appliedScale(), 125); // the 1280x800 measured at 150 %
    }

    // The first start with "fit" knows no screen yet: it measures it and starts again, once.
    void fitStartsAgainForANewScreen()
    {
        startUnpinned();
        QCOMPARE(appliedScale(), 100);
        settleScaleAfterStart(kMainWindow, QSize(1920, 1080));
        QCOMPARE(m_restarts, 1);
        startUnpinned();
        QCOMPARE(appliedScale(), 175);
        settleScaleAfterStart(kMainWindow, QSize(1097, 617));
        QCOMPARE(m_restarts, 1);
    }

    void environmentDecides()
    {
        setScaleSetting(200);
        qputenv("QT_SCALE_FACTOR", "1");
        applyScaleBeforeStart(kMainWindow);
        QVERIFY(scaleFromEnvironment());
        QCOMPARE(appliedScale(), 100);
        settleScaleAfterStart(kMainWindow, QSize(3840, 2160));
        QCOMPARE(qgetenv("QT_SCALE_FACTOR"), QByteArray("1"));
        QCOMPARE(m_restarts, 0);
    }
};

QTEST_GUILESS_MAIN(TestDisplayScale)
#include "tst_displayscale.moc"

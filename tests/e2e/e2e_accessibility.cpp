// The tutor as a screen reader reads it over AT-SPI: on a private D-Bus session with its accessibility
// bus, the real tutor under Xvfb and the system's Python walking its tree. The menu items are found by
// their Arabic names, the typing pad as text that grows with each physical key typed, and the
// keyboard picture by a text alternative that names the next key and its finger.
#include "E2eKeys.h"
#include "E2eSupport.h"

#include "app/ClickableLabel.h"
#include "app/KeyTables.h"
#include "app/StringTable.h"
#include "lessons/frmLessons.h"
#include "mainwindow/frmMain.h"
#include "platform/KeyboardLayout.h"
#include "users/frmUsers.h"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QtTest>

#include <functional>

using namespace e2e;

namespace {

const QString kPython = QStringLiteral("/usr/bin/python3"); // the one with the system's pyatspi
const QString kBusLauncher = QStringLiteral("/usr/libexec/at-spi-bus-launcher");

void stop(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000))
        process.kill();
    process.waitForFinished();
}

} // namespace

class TestAccessibilityEndToEnd : public QObject
{
    Q_OBJECT

    std::unique_ptr<XServer> m_x;
    QProcess m_sessionBus;
    QProcess m_accessibilityBus;

    // Whether the session bus answers for the accessibility bus.
    bool accessibilityBusUp() const
    {
        QProcess ask;
        ask.start(QStringLiteral("dbus-send"),
                  {QStringLiteral("--session"), QStringLiteral("--print-reply"),
                   QStringLiteral("--dest=org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                   QStringLiteral("org.a11y.Bus.GetAddress")});
        return ask.waitForFinished(5000) && ask.exitStatus() == QProcess::NormalExit && ask.exitCode() == 0 &&
               ask.readAllStandardOutput().contains("unix:");
    }

    // What the screen reader finds of the tutor now: its shown objects.
    QList<QJsonObject> tree(qint64 pid) const
    {
        QProcess walk;
        walk.setProcessEnvironment(m_x->environment());
        walk.start(kPython, {QStringLiteral(KZ_E2E_SOURCE_DIR "/e2e_accessibility.py"), QString::number(pid),
                             QStringLiteral("20")});
        if (!walk.waitForFinished(60000) || walk.exitCode() != 0) {
            qWarning("the tree walk failed: %s", walk.readAllStandardError().constData());
            return {};
        }
        QList<QJsonObject> found;
        for (const QJsonValue &value : QJsonDocument::fromJson(walk.readAllStandardOutput()).array())
            found.append(value.toObject());
        return found;
    }

    // The tree once `ready` holds of it (the bridge tells of changes a little after they are drawn),
    // or as it is at the end of the wait.
    QList<QJsonObject> treeWhen(qint64 pid,
                                const std::function<bool(const QList<QJsonObject> &)> &ready) const
    {
        QDeadlineTimer deadline(20000);
        QList<QJsonObject> found = tree(pid);
        while (!ready(found) && !deadline.hasExpired()) {
            QThread::msleep(300);
            found = tree(pid);
        }
        return found;
    }

    static QJsonObject find(const QList<QJsonObject> &objects, const QString &role, const QString &name)
    {
        for (const QJsonObject &object : objects) {
            if (object.value(QStringLiteral("role")).toString() == role &&
                object.value(QStringLiteral("name")).toString().startsWith(name))
                return object;
        }
        return {};
    }

private slots:
    void initTestCase()
    {
        FillKeyTables();
        m_x = std::make_unique<XServer>();
        QVERIFY2(m_x->isRunning(), "Xvfb could not start");

        // A session bus of the test's own, and the accessibility bus on it.
        m_sessionBus.start(
            QStringLiteral("dbus-daemon"),
            {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        QByteArray address;
        if (m_sessionBus.waitForStarted(5000) && m_sessionBus.waitForReadyRead(10000))
            address = m_sessionBus.readLine().trimmed();
        if (address.isEmpty())
            QSKIP("no D-Bus session bus could start here");
        qputenv("DBUS_SESSION_BUS_ADDRESS", address);
        qputenv("DISPLAY", m_x->display().toLatin1());
        m_accessibilityBus.setProcessEnvironment(m_x->environment());
        m_accessibilityBus.start(kBusLauncher, {QStringLiteral("--launch-immediately")});
        QDeadlineTimer deadline(15000);
        while (!accessibilityBusUp() && !deadline.hasExpired() &&
               m_accessibilityBus.state() == QProcess::Running)
            QThread::msleep(200);
        if (!accessibilityBusUp())
            QSKIP("the accessibility bus could not start on the session bus");
        // The tutor's bridge to it, on without a screen reader asking.
        qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
        qputenv("QT_ACCESSIBILITY", "1");
    }

    void cleanupTestCase()
    {
        stop(m_accessibilityBus);
        stop(m_sessionBus);
        m_x.reset();
    }

    void menuPadAndKeyboardAreRead()
    {
        Tutor tutor(*m_x);
        QVERIFY(createLearner(tutor.folder() + QStringLiteral("Layla.USR"), 'A'));
        QVERIFY(tutor.start());
        const QString users = m_x->waitForWindow(QStringLiteral("^Tavrin - "));
        QVERIFY(!users.isEmpty());
        const qint64 pid = tutor.process().processId();
        QList<QJsonObject> found = tree(pid);
        QVERIFY2(!found.isEmpty(), "the tutor did not show on the accessibility bus");
        frmUsers usersLayout;
        QVERIFY(!find(found, QStringLiteral("push button"), usersLayout.cmdOK->text()).isEmpty());

        m_x->click(users, centreIn(usersLayout.cmdOK, &usersLayout));
        const QString main = m_x->waitForWindow(QStringLiteral("^Tavrin$"));
        QVERIFY(!main.isEmpty());
        frmMain mainLayout;
        const QString firstItem = mainLayout.lblSection[frmMain::kLessonsIndex]->text();
        found = treeWhen(pid, [&](const auto &objects) {
            return !find(objects, QStringLiteral("menu item"), firstItem).isEmpty();
        });
        for (ClickableLabel *item : mainLayout.lblSection) {
            if (!item->isHidden())
                QVERIFY2(!find(found, QStringLiteral("menu item"), item->text()).isEmpty(),
                         qPrintable(item->text()));
        }

        // The first practice line of lesson 1, on the pad, with the keyboard beside it.
        frmLessons lessonsLayout;
        m_x->click(main, centreIn(mainLayout.cmdLesson[0], &mainLayout));
        m_x->click(main, centreIn(lessonsLayout.cmdPractice, lessonsLayout.picLesson));
        m_x->key(main, {QStringLiteral("Return")}); // past the section's text
        const QString line = LoadResString(2101).trimmed();
        const QString padName = QStringLiteral("منطقة الكتابة");
        const QString keyboardName = QStringLiteral("لوحة المفاتيح، المفتاح التالي ");
        found = treeWhen(pid, [&](const auto &objects) {
            return !find(objects, QStringLiteral("text"), padName).isEmpty();
        });
        QJsonObject pad = find(found, QStringLiteral("text"), padName);
        QCOMPARE(pad.value(QStringLiteral("text")).toString(), line + QLatin1Char('\n'));
        const QString before =
            find(found, QStringLiteral("image"), keyboardName).value(QStringLiteral("name")).toString();
        QVERIFY2(
            before.contains(keygrid::FingerName(keygrid::fingerOf(keygrid::positionOf(line.left(1), true)))),
            qPrintable(before));

        // Two letters, after which the space bar is the next key.
        const QString typed = line.left(2);
        QCOMPARE(line.at(2), QLatin1Char(' '));
        m_x->key(main, keysFor(typed, QString::fromLatin1(platform::kArabicLayout)));
        found = treeWhen(pid, [&](const auto &objects) {
            return find(objects, QStringLiteral("text"), padName)
                .value(QStringLiteral("text"))
                .toString()
                .endsWith(typed);
        });
        m_x->screenshot(QStringLiteral("accessibility-pad"));
        pad = find(found, QStringLiteral("text"), padName);
        QCOMPARE(pad.value(QStringLiteral("text")).toString(), line + QLatin1Char('\n') + typed);
        QCOMPARE(pad.value(QStringLiteral("caret")).toInt(), line.size() + 1 + typed.size());
        const QString after =
            find(found, QStringLiteral("image"), keyboardName).value(QStringLiteral("name")).toString();
        QVERIFY2(after.startsWith(keyboardName + QStringLiteral("المسافة، الإبهام")), qPrintable(after));
        killTutorsIn(tutor.folder());
    }
};

QTEST_MAIN(TestAccessibilityEndToEnd)
#include "e2e_accessibility.moc"

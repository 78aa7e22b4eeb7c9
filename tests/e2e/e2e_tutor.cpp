// The real tutor under Xvfb, driven with real X key and mouse events: login, the main window's menu,
// changing user and leaving.
#include "E2eSupport.h"

#include "app/ClickableLabel.h"
#include "drills/frmNumbers.h"
#include "mainwindow/frmMain.h"
#include "settings/frmSettings.h"
#include "users/ProfileFile.h"
#include "users/frmUsers.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QThread>
#include <QtTest>

using namespace e2e;

class TestTutorEndToEnd : public QObject
{
    Q_OBJECT

    std::unique_ptr<XServer> m_x;

    static QPoint centreIn(QWidget *widget, QWidget *window)
    {
        return widget->mapTo(window, widget->rect().center());
    }

    // Starts the tutor with one profile and logs it in; returns the main window's id.
    QString logIn(Tutor &tutor, const QString &name)
    {
        ProfileFile::create(tutor.folder() + name + QStringLiteral(".USR"), 90, 150);
        if (!tutor.start())
            return {};
        const QString users = m_x->waitForWindow(QStringLiteral("^Tavrin - "));
        if (users.isEmpty())
            return {};
        frmUsers layout;
        m_x->click(users, centreIn(layout.cmdOK, &layout));
        return m_x->waitForWindow(QStringLiteral("^Tavrin$"));
    }

    static QPoint menuItem(int index)
    {
        frmMain layout;
        return centreIn(layout.lblSection[index], &layout);
    }

private slots:
    void initTestCase()
    {
        m_x = std::make_unique<XServer>();
        QVERIFY2(m_x->isRunning(), "Xvfb could not start");
    }
    void cleanupTestCase() { m_x.reset(); }

    void loginMenuAndChangeUser()
    {
        Tutor tutor(*m_x);
        const QString main = logIn(tutor, QStringLiteral("Huda"));
        QVERIFY2(!main.isEmpty(), "the main window did not show after login");
        m_x->screenshot(QStringLiteral("home"));

        m_x->click(main, menuItem(7));
        QThread::msleep(2500); // the about lines type themselves out
        m_x->screenshot(QStringLiteral("about"));
        m_x->click(main, menuItem(8));
        QCOMPARE(tutor.process().state(), QProcess::Running);

        m_x->click(main, menuItem(9));
        QVERIFY(tutor.process().waitForFinished(10000));
        QCOMPARE(tutor.process().exitCode(), 0);
        // A new instance of the tutor opens the user selection again.
        QVERIFY(!m_x->waitForWindow(QStringLiteral("^Tavrin - ")).isEmpty());
        QCOMPARE(tutor.profileBytes(QStringLiteral("Huda")).size(), ProfileFile::kSize);
        killTutorsIn(tutor.folder());
    }

    void passwordSetInSettingsIsAskedAtTheNextLogin()
    {
        Tutor tutor(*m_x);
        const QString main = logIn(tutor, QStringLiteral("Sara"));
        QVERIFY(!main.isEmpty());
        m_x->click(main, menuItem(6));
        QThread::msleep(300);
        frmSettings layout;
        // The settings panel sits at the top left of the main window's content area.
        m_x->click(main, centreIn(layout.Check4, layout.picSettings));
        m_x->click(main, centreIn(layout.Text1, layout.picSettings));
        m_x->type(main, QStringLiteral("s e s a m e"));
        m_x->screenshot(QStringLiteral("settings-password"));

        m_x->click(main, menuItem(9)); // change user: leaving the screen saves the password
        QVERIFY(tutor.process().waitForFinished(10000));
        const QString users = m_x->waitForWindow(QStringLiteral("^Tavrin - "));
        QVERIFY(!users.isEmpty());
        frmUsers usersLayout;
        m_x->click(users, centreIn(usersLayout.cmdOK, &usersLayout));
        const QString question = m_x->waitForWindow(QStringLiteral("^كلمة المرور$"));
        QVERIFY2(!question.isEmpty(), "the new instance did not ask for the password");
        m_x->screenshot(QStringLiteral("password-question"));
        m_x->type(question, QStringLiteral("s e s a m e Return"));
        QVERIFY(!m_x->waitForWindow(QStringLiteral("^Tavrin$")).isEmpty());
        killTutorsIn(tutor.folder());
    }

    // A kill while the number drill is open leaves the learner's own language: the drill's English
    // was never written into the profile.
    void killedNumberDrillLeavesTheLanguage()
    {
        Tutor tutor(*m_x);
        const QString main = logIn(tutor, QStringLiteral("Rami"));
        QVERIFY(!main.isEmpty());
        m_x->click(main, menuItem(4));
        QThread::msleep(300);
        frmNumbers layout;
        m_x->click(main, centreIn(layout.cmdPractice, layout.picSettings));
        QThread::msleep(1000);
        m_x->screenshot(QStringLiteral("number-drill"));
        tutor.process().kill();
        QVERIFY(tutor.process().waitForFinished(10000));
        QCOMPARE(tutor.profileBytes(QStringLiteral("Rami")).at(ProfileFile::kLangOffset), 'A');
    }

    // Two tutors on one folder: the second's user list never deletes the profile the first holds.
    void profileInUseIsNotDeleted()
    {
        Tutor tutor(*m_x);
        const QString main = logIn(tutor, QStringLiteral("Sami"));
        QVERIFY(!main.isEmpty());
        QProcess second;
        second.setProcessEnvironment(m_x->environment());
        second.setWorkingDirectory(tutor.folder());
        second.start(tutor.folder() + QStringLiteral("KZ.EXE"), {});
        QVERIFY(second.waitForStarted(5000));
        const QString users = m_x->waitForWindow(QStringLiteral("^Tavrin - "));
        QVERIFY(!users.isEmpty());
        frmUsers layout;
        m_x->click(users, centreIn(layout.cmdDel, &layout));
        const QString refusal = m_x->waitForWindow(QStringLiteral("^خطأ في ملف المستخدم$"));
        QVERIFY2(!refusal.isEmpty(), "the second tutor did not refuse");
        m_x->screenshot(QStringLiteral("delete-in-use"));
        QCOMPARE(tutor.profileBytes(QStringLiteral("Sami")).size(), ProfileFile::kSize);
        killTutorsIn(tutor.folder());
    }

    void exitEnds()
    {
        Tutor tutor(*m_x);
        const QString main = logIn(tutor, QStringLiteral("Omar"));
        QVERIFY(!main.isEmpty());
        m_x->click(main, menuItem(10));
        QVERIFY(tutor.process().waitForFinished(10000));
        QCOMPARE(tutor.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(tutor.process().exitCode(), 0);
    }
};

QTEST_MAIN(TestTutorEndToEnd)
#include "e2e_tutor.moc"

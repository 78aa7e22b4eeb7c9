// The spoken mode as a learner hears it, through a recorder in place of the speech engine: its key
// and where its state is kept, no engine, the typing pad, the focus, message boxes and results.
#include "app/ClickableLabel.h"
#include "app/WindowRegistry.h"
#include "app/cTheApp.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/mdlMain.h"
#include "settings/frmSettings.h"
#include "speech/cSpokenMode.h"
#include "support/TestSupport.h"
#include "typing/TypingPad.h"
#include "typing/cPractice.h"
#include "typing/cTest.h"
#include "typing/frmTest.h"
#include "users/cUser.h"
#include "users/frmUsers.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QtTest>

using namespace testsupport;

namespace {

QSettings stored()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tavrin"),
                     QStringLiteral("KZ"));
}

void pressModeKey(QWidget *target)
{
    QTest::keyClick(target, Qt::Key_S, Qt::ControlModifier | Qt::AltModifier);
}

} // namespace

class tst_SpokenMode : public QObject
{
    Q_OBJECT

    std::unique_ptr<Sandbox> m_sandbox;
    std::unique_ptr<SpeechRecorder> m_speech;

    void logInEnglish()
    {
        createAndLogIn(QStringLiteral("learner"));
        setSetting("General", "Lang", QStringLiteral("E"));
        Window<frmMain>().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&Window<frmMain>()));
    }

    void turnOn()
    {
        theSpokenMode().SetOn(true);
        QVERIFY(theSpokenMode().IsOn());
        m_speech->said.clear();
    }

private slots:
    void init()
    {
        stored().clear();
        cUser::ForgetPreferences(QStringLiteral("learner"));
        m_speech = std::make_unique<SpeechRecorder>();
        m_sandbox = std::make_unique<Sandbox>();
    }
    void cleanup()
    {
        m_sandbox.reset();
        m_speech.reset();
    }

    void keyTurnsItOnAndOffAndEachLearnerKeepsAChoice()
    {
        createProfile(QStringLiteral("learner"));
        ShowUserSelection();
        frmUsers &users = Window<frmUsers>();
        QVERIFY(QTest::qWaitForWindowActive(&users));
        users.lstUsers->setFocus();
        theSpokenMode();
        pressModeKey(users.lstUsers);
        QVERIFY(theSpokenMode().IsOn());
        // Said at once: the mode, the window and the control under the focus.
        QCOMPARE(m_speech->said.mid(0, 4),
                 (QStringList{QStringLiteral("stop"), QStringLiteral("ar: تشغيل الصوت"),
                              QStringLiteral("en: Tavrin"), QStringLiteral("ar: المستخدمون")}));
        QVERIFY(m_speech->said.last().contains(QStringLiteral("learner")));
        QCOMPARE(stored().value(QStringLiteral("Speech/Last")).toBool(), true);

        users.cmdOK->click(); // the learner logs in: the machine's choice becomes theirs
        QCOMPARE(cUser::PreferenceOf(QStringLiteral("learner"), QStringLiteral("Speech")).toBool(), true);
        pressModeKey(&Window<frmMain>());
        QVERIFY(!theSpokenMode().IsOn());
        QCOMPARE(m_speech->said.last(), QStringLiteral("ar: إيقاف الصوت"));
        QCOMPARE(cUser::PreferenceOf(QStringLiteral("learner"), QStringLiteral("Speech")).toBool(), false);

        // Next time the machine starts with the mode on; this learner's own choice turns it off.
        stored().setValue(QStringLiteral("Speech/Last"), true);
        DiscardSpokenMode();
        theSpokenMode().Begin();
        QVERIFY(theSpokenMode().IsOn());
        theSpokenMode().LearnerLoggedIn(QStringLiteral("learner"));
        QVERIFY(!theSpokenMode().IsOn());
    }

    void noEngineSaysSoAndNothingChanges()
    {
        m_speech->sProblem = QStringLiteral("no speech service");
        BeepCounter beeps;
        DialogScript boxes;
        logInEnglish();
        theApp().ShowScreen(Window<frmSettings>().picSettings);
        QCheckBox *box = Window<frmSettings>().chkSpeech;
        box->click();
        QVERIFY(!theSpokenMode().IsOn());
        QVERIFY(!box->isChecked());
        QCOMPARE(beeps.count, 1);
        QCOMPARE(boxes.requests.size(), 1);
        QVERIFY(!stored().value(QStringLiteral("Speech/Last")).toBool());
        QVERIFY(m_speech->said.isEmpty());
    }

    void settingsBoxFollowsTheKey()
    {
        logInEnglish();
        theApp().ShowScreen(Window<frmSettings>().picSettings);
        QCheckBox *box = Window<frmSettings>().chkSpeech;
        box->click();
        QVERIFY(theSpokenMode().IsOn());
        pressModeKey(box);
        QVERIFY(!theSpokenMode().IsOn());
        QVERIFY(!box->isChecked());
        // The settings check box has its name from its caption; the focus reads it with its state.
        QCOMPARE(cSpokenMode::Describe(box),
                 QStringLiteral("قراءة الشاشة بالصوت (Ctrl+Alt+S)، مربع اختيار، غير محدد"));
    }

    void typingPadLineNextLetterAndResult()
    {
        logInEnglish();
        turnOn();
        cPractice practice;
        practice.sTitle = QStringLiteral("الدرس الاول");
        practice.SetNumOfSessions(1);
        practice.AddText(1, QStringLiteral("ab c"));
        practice.StartPractic();
        ::TypingPad *pad = Window<frmMain>().picPractice->TypingPad;
        QTRY_VERIFY(m_speech->said.contains(QStringLiteral("en: ab c,")));

        m_speech->said.clear();
        typeText(pad, QStringLiteral("x")); // wrong: cut, then the letter wanted next with its key
        QCOMPARE(m_speech->said, (QStringList{QStringLiteral("stop"), QStringLiteral("en: b"),
                                              QStringLiteral("ar: المفتاح B، السبابة اليسرى")}));
        m_speech->said.clear();
        typeText(pad, QStringLiteral("b")); // right: only the cut
        QCOMPARE(m_speech->said, QStringList{QStringLiteral("stop")});
        QTest::keyClick(pad, cSpokenMode::kNextLetterKey); // the key of its own: Space as a word
        QCOMPARE(m_speech->said.last(), QStringLiteral("ar: مسافة، الإبهام"));
        QCOMPARE(pad->sWrittenText, QStringLiteral("xb")); // the key typed nothing

        m_speech->said.clear();
        typeText(pad, QStringLiteral(" c"));
        QCOMPARE(m_speech->said.mid(2, 1), QStringList{QStringLiteral("ar: نهاية السطر")});
        QVERIFY(m_speech->said.at(3).startsWith(QStringLiteral("ar: السرعة:")));
        QVERIFY(m_speech->said.at(3).contains(QStringLiteral("الدقة: 75 %")));
    }

    void focusThroughTheMenuAndMessageBoxes()
    {
        logInEnglish();
        frmMain &main = Window<frmMain>();
        main.lblSection[frmMain::kLessonsIndex]->setFocus(Qt::TabFocusReason);
        turnOn();
        QTest::keyClick(main.lblSection[frmMain::kLessonsIndex], Qt::Key_Down);
        QCOMPARE(m_speech->said,
                 (QStringList{QStringLiteral("stop"), QStringLiteral("ar: تدريبات، عنصر قائمة")}));

        DialogScript boxes;
        boxes.answer(platform::AnswerNo);
        m_speech->said.clear();
        platform::messageBox(QStringLiteral("حذف الملف؟"), QStringLiteral("حذف ملف"),
                             platform::MessageIcon::Question, platform::MessageButtons::YesNo);
        QCOMPARE(m_speech->said,
                 (QStringList{QStringLiteral("ar: حذف ملف. حذف الملف؟"), QStringLiteral("ar: نعم، لا")}));
    }

    void testResultIsRead()
    {
        logInEnglish();
        turnOn();
        cTest test;
        test.sTitle = QStringLiteral("اختبار");
        test.sWantedText = QStringLiteral("ab");
        frmTest &window = Window<frmTest>();
        window.CurrentTest = &test;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTRY_VERIFY(m_speech->said.contains(QStringLiteral("en: ab")));
        QVERIFY(m_speech->said.indexOf(QStringLiteral("ar: اختبار")) <
                m_speech->said.indexOf(QStringLiteral("en: ab")));
        m_speech->said.clear();
        typeText(window.TypingPad[0], QStringLiteral("ab"));
        const QString result = m_speech->said.filter(QStringLiteral("النتيجة النهائية")).value(0);
        QVERIFY(result.contains(QStringLiteral("الدقة: 100 %")));
        QVERIFY(result.contains(QStringLiteral("تعليق:")));
        QCOMPARE(m_speech->said.last(), QStringLiteral("ar: موافق"));
    }
};

QTEST_MAIN(tst_SpokenMode)
#include "tst_spokenmode.moc"

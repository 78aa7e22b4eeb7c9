// The adaptive trainer's screen: reached from the progress screen, and the learner's choices (a key
// let join early, a key measured afresh) kept beside the profile, never in it, and read back.
#include "adaptive/cTrainerKeys.h"
#include "adaptive/frmAdaptive.h"
#include "app/ClickableLabel.h"
#include "app/KeyboardPicture.h"
#include "app/WindowRegistry.h"
#include "mainwindow/frmMain.h"
#include "platform/Folders.h"
#include "progress/frmProgress.h"
#include "support/TestSupport.h"
#include "typing/TypingPad.h"
#include "users/cUser.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace testsupport;

namespace {

frmMain &main()
{
    return Window<frmMain>();
}

frmAdaptive &openTrainer()
{
    QTest::mouseClick(main().lblSection[frmMain::kAdaptiveIndex], Qt::LeftButton);
    return Window<frmAdaptive>();
}

QByteArray profileBytes()
{
    QFile file(platform::profileFolder() + theUser().sUserName + QStringLiteral(".USR"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class tst_FrmAdaptive : public QObject
{
    Q_OBJECT

    std::optional<Sandbox> m_sandbox;

private slots:
    void init()
    {
        m_sandbox.emplace();
        createAndLogIn(QStringLiteral("learner"));
        // The desktop's settings outlive a run's profiles.
        for (bool arabic : {true, false}) {
            theUser().SetPreference(frmAdaptive::PreferenceKey("Joined", arabic), 0);
            theUser().SetPreference(frmAdaptive::PreferenceKey("Resets", arabic), QStringList());
        }
    }
    void cleanup() { m_sandbox.reset(); }

    void openedFromTheProgressScreen()
    {
        QTest::mouseClick(main().lblSection[frmMain::kProgressIndex], Qt::LeftButton);
        QTest::mouseClick(Window<frmProgress>().cmdAdaptive, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!WindowRegistry::IsLoaded<frmProgress>());
        QVERIFY(WindowRegistry::IsLoaded<frmAdaptive>());
        frmAdaptive &screen = Window<frmAdaptive>();
        QVERIFY(screen.picAdaptive->isVisible());
        QCOMPARE(main().CurrentSection(), frmMain::kAdaptiveIndex);
        QVERIFY(screen.TypingPad->bActive);
        QVERIFY(!screen.TypingPad->sWantedText.isEmpty());
    }

    void choicesKeptBesideTheProfile()
    {
        const QByteArray profile = profileBytes();
        frmAdaptive &screen = openTrainer();
        const QList<TrainerKey> &keys = trainerKeys(true);
        const int included = screen.Session().Model().IncludedCount();
        QCOMPARE(included, firstSetSize(true));
        QVERIFY(screen.lblJoin->text().contains(keys.at(included).sLabel));

        // A line typed, then one of its keys measured afresh and the next key let in.
        typeText(screen.TypingPad, screen.TypingPad->sWantedText);
        QList<int> typed;
        for (int i = 0; i < included; ++i) {
            if (screen.Session().Model().States().at(i).dMissRate >= 0)
                typed.append(i);
        }
        QVERIFY(typed.size() >= 2);
        const int reset = typed.at(0), kept = typed.at(1);
        QTest::qWait(5); // the reset comes after the line's time stamp
        screen.cboReset->setCurrentIndex(screen.cboReset->findData(reset));
        QTest::mouseClick(screen.cmdReset, Qt::LeftButton);
        QTest::mouseClick(screen.cmdJoin, Qt::LeftButton);
        QCOMPARE(screen.Session().Model().IncludedCount(), included + 1);
        QCOMPARE(screen.Session().Model().States().at(reset).dMissRate, -1.0);
        using State = KeyboardPicture::KeyMark::State;
        QCOMPARE(screen.picKeyboard->KeyMarks().value(keys.at(included).iPosition).state, State::Training);
        QVERIFY(screen.Session().Model().AllowedLetters().contains(keys.at(included).sLetters));

        // Read back when the screen opens again; the profile is as it was.
        QTest::mouseClick(main().lblSection[frmMain::kHomeIndex], Qt::LeftButton);
        frmAdaptive &again = openTrainer();
        QCOMPARE(again.Session().Model().IncludedCount(), included + 1);
        QCOMPARE(again.Session().Model().States().at(reset).dMissRate, -1.0);
        QVERIFY(again.Session().Model().States().at(kept).dMissRate >= 0);
        QCOMPARE(profileBytes(), profile);
    }
};

QTEST_MAIN(tst_FrmAdaptive)
#include "tst_frmadaptive.moc"

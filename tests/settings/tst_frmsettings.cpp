// The settings screen: what it shows of a profile, what each control writes, the preview pad and
// the password written when the screen is left.
#include "app/WindowRegistry.h"
#include "app/cTheApp.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/mdlMain.h"
#include "settings/frmSettings.h"
#include "sound/cSounds.h"
#include "support/TestSupport.h"
#include "typing/TypingPad.h"
#include "users/ProfileMessages.h"
#include "users/cUser.h"
#include "users/frmUsers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace testsupport;

namespace {

const QString kWords = QStringLiteral("كلمة / دقيقة.");
const QString kLetters = QStringLiteral("حرف / دقيقة.");

QVariant setting(const char *section, const char *item)
{
    return theUser().GetSettings(QLatin1String(section), QLatin1String(item));
}

void typeInto(QWidget *widget, const QString &text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

// How many pixels of the pad's picture are this colour, give or take the text's smoothing.
int countPixels(const QImage &image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            count += qAbs(qRed(pixel) - qRed(colour)) < 40 && qAbs(qGreen(pixel) - qGreen(colour)) < 40 &&
                     qAbs(qBlue(pixel) - qBlue(colour)) < 40;
        }
    }
    return count;
}

// Plays the sound effects while alive by keeping their names; `bPlays` false: it cannot play.
class SoundRecorder : public cSoundPlayer
{
public:
    SoundRecorder() { cSounds::SetPlayerForTesting(this); }
    ~SoundRecorder() override { cSounds::SetPlayerForTesting(nullptr); }
    QString Open() override { return QString(); }
    bool Play(SoundEffect effect) override
    {
        played.append(effect == SoundEffect::WrongKey ? QStringLiteral("wrong") : QStringLiteral("line"));
        return bPlays;
    }

    bool bPlays = true;
    QStringList played;
};

} // namespace

class TestFrmSettings : public QObject
{
    Q_OBJECT

private:
    // Through the main menu, as the learner gets there.
    frmSettings &openSettings()
    {
        Window<frmMain>().lblSection_Click(frmMain::kSettingsIndex);
        return Window<frmSettings>();
    }
    void leaveToHome() { Window<frmMain>().lblSection_Click(frmMain::kHomeIndex); }
    QByteArray profileBytes()
    {
        QFile file(m_sandbox->folder.filePath(QStringLiteral("u.USR")));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
    // The next login of the same profile; true when it asked for a password.
    bool nextLoginAsks(const QString &answer)
    {
        theUser().LogOut();
        DialogScript dialogs;
        dialogs.answerInput(answer);
        if (!LogInAsking(QStringLiteral("u")))
            return true;
        if (dialogs.requests.isEmpty())
            return false;
        return dialogs.requests.first().kind == platform::DialogRequest::Input &&
               dialogs.requests.first().title == QStringLiteral("كلمة المرور");
    }

    std::optional<Sandbox> m_sandbox;

private slots:
    void init() { m_sandbox.emplace(); }
    void cleanup() { m_sandbox.reset(); }

    void loadShowsTheProfileAndKeepsIt_data()
    {
        QTest::addColumn<QString>("flags"); // Lang, Back, Unit, Errors, BKColor, Size
        QTest::addColumn<int>("wordsPerMinute");
        QTest::addColumn<int>("accuracy");
        QTest::addColumn<QString>("speedShown");
        QTest::addColumn<QString>("unitShown");
        QTest::newRow("new profile") << "ATWTGS" << 30 << 95 << "30" << kWords;
        QTest::newRow("everything turned") << "EFLFBB" << 100 << 50 << "500" << kLetters;
        QTest::newRow("slowest, letters") << "ATLFGB" << 5 << 100 << "25" << kLetters;
        QTest::newRow("fastest, words") << "EFWTBS" << 100 << 72 << "100" << kWords;
    }
    void loadShowsTheProfileAndKeepsIt()
    {
        QFETCH(QString, flags);
        QFETCH(int, wordsPerMinute);
        QFETCH(int, accuracy);
        QFETCH(QString, speedShown);
        QFETCH(QString, unitShown);
        createAndLogIn(QStringLiteral("u"), wordsPerMinute, accuracy);
        cUser &user = theUser();
        user.SetSettings(QStringLiteral("General"), QStringLiteral("Lang"), flags.mid(0, 1));
        user.SetSettings(QStringLiteral("General"), QStringLiteral("Back"), flags.mid(1, 1));
        user.SetSettings(QStringLiteral("General"), QStringLiteral("Unit"), flags.mid(2, 1));
        user.SetSettings(QStringLiteral("View"), QStringLiteral("Errors"), flags.mid(3, 1));
        user.SetSettings(QStringLiteral("View"), QStringLiteral("BKColor"), flags.mid(4, 1));
        user.SetSettings(QStringLiteral("View"), QStringLiteral("Size"), flags.mid(5, 1));
        const QByteArray before = profileBytes();

        frmSettings &w = openSettings();
        QVERIFY(w.picSettings->isVisible());
        QCOMPARE(w.picSettings->window(), &Window<frmMain>());
        QCOMPARE(w.Combo3->currentIndex(), flags[0] == QLatin1Char('A') ? 0 : 1);
        QCOMPARE(w.Check5->isChecked(), flags[1] == QLatin1Char('T'));
        QCOMPARE(w.Option1->isChecked(), flags[2] == QLatin1Char('W'));
        QCOMPARE(w.Option2->isChecked(), flags[2] == QLatin1Char('L'));
        QCOMPARE(w.Combo1->count(), 20);
        QCOMPARE(w.Combo1->currentText(), speedShown);
        QCOMPARE(w.lblLesson[4]->text(), unitShown);
        QCOMPARE(w.Combo2->count(), 51);
        QCOMPARE(w.Combo2->currentText(), QString::number(accuracy) + QStringLiteral(" %"));
        QCOMPARE(w.Check1->isChecked(), flags[3] == QLatin1Char('T'));
        QCOMPARE(w.Check2->isChecked(), flags[4] == QLatin1Char('B'));
        QCOMPARE(w.Check3->isChecked(), flags[5] == QLatin1Char('B'));
        QVERIFY(!w.Check4->isChecked());
        QVERIFY(w.Text1->isHidden());
        QVERIFY(w.lblLesson[9]->isHidden());
        QVERIFY(!w.TypingPad->bActive);

        // Loading writes every value back through the handlers: nothing may change on the way.
        QCOMPARE(profileBytes(), before);
        leaveToHome();
        QCOMPARE(profileBytes(), before);
    }

    void unitSwitchConvertsTheShownTarget()
    {
        createAndLogIn(QStringLiteral("u"), 30);
        frmSettings &w = openSettings();
        QCOMPARE(w.Combo1->currentText(), QStringLiteral("30"));

        w.Option2->click();
        QCOMPARE(w.Combo1->currentText(), QStringLiteral("150"));
        QCOMPARE(w.lblLesson[4]->text(), kLetters);
        QCOMPARE(setting("General", "Unit").toString(), QStringLiteral("LPM"));
        QCOMPARE(theUser().GetWantedSpeed(), qint16(150));

        w.Option1->click();
        QCOMPARE(w.Combo1->currentText(), QStringLiteral("30"));
        QCOMPARE(w.lblLesson[4]->text(), kWords);
        QCOMPARE(setting("General", "Unit").toString(), QStringLiteral("WPM"));
        QCOMPARE(theUser().GetWantedSpeed(), qint16(150));
    }

    void speedEntryStoresLettersPerMinute_data()
    {
        QTest::addColumn<bool>("words");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shownInOtherUnit");
        QTest::newRow("words, first") << true << 0 << 25 << "25";
        QTest::newRow("words, tenth") << true << 9 << 250 << "250";
        QTest::newRow("letters, fourth") << false << 3 << 100 << "20";
        QTest::newRow("letters, last") << false << 19 << 500 << "100";
    }
    void speedEntryStoresLettersPerMinute()
    {
        QFETCH(bool, words);
        QFETCH(int, index);
        QFETCH(int, stored);
        QFETCH(QString, shownInOtherUnit);
        createAndLogIn(QStringLiteral("u"), 30);
        frmSettings &w = openSettings();
        (words ? w.Option1 : w.Option2)->click();
        w.Combo1->setCurrentIndex(index);
        QCOMPARE(theUser().GetWantedSpeed(), qint16(stored));
        (words ? w.Option2 : w.Option1)->click();
        QCOMPARE(w.Combo1->currentText(), shownInOtherUnit);
        QCOMPARE(theUser().GetWantedSpeed(), qint16(stored));
    }

    void controlsWriteAtOnce_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QVariant>("whenChecked");
        QTest::addColumn<QVariant>("whenUnchecked");
        QTest::newRow("Check1 error marks") << "Check1"
                                            << "View"
                                            << "Errors" << QVariant(true) << QVariant(false);
        QTest::newRow("Check2 black background")
            << "Check2"
            << "View"
            << "BKColor" << QVariant(kBlackBackground) << QVariant(kLightBackground);
        QTest::newRow("Check3 big font")
            << "Check3"
            << "View"
            << "Size" << QVariant(QStringLiteral("Big")) << QVariant(QStringLiteral("Small"));
        QTest::newRow("Check5 Backspace") << "Check5"
                                          << "General"
                                          << "Back" << QVariant(true) << QVariant(false);
        QTest::newRow("chkSound sounds") << "chkSound"
                                         << "General"
                                         << "Sound" << QVariant(true) << QVariant(false);
    }
    void controlsWriteAtOnce()
    {
        QFETCH(QString, control);
        QFETCH(QString, section);
        QFETCH(QString, item);
        QFETCH(QVariant, whenChecked);
        QFETCH(QVariant, whenUnchecked);
        createAndLogIn(QStringLiteral("u"));
        frmSettings &w = openSettings();
        auto *box = w.picSettings->findChild<QCheckBox *>(control);
        QVERIFY(box);
        for (int i = 0; i < 2; ++i) {
            box->click();
            QCOMPARE(theUser().GetSettings(section, item), box->isChecked() ? whenChecked : whenUnchecked);
        }
    }

    // The sound effects follow the profile from the login on: a wrong key asks for the buzz and a
    // finished line for the chime; unchecked, nothing plays; where the player cannot play, a wrong
    // key beeps instead.
    void soundsPlayWhileTheBoxIsChecked()
    {
        SoundRecorder sounds;
        createProfile(QStringLiteral("u")); // a new profile has its sounds on
        ShowUserSelection();
        QVERIFY(Window<frmUsers>().SelectUser(QStringLiteral("u")));
        Window<frmUsers>().cmdOK->click();
        QVERIFY(bLoggedIn);
        setSetting("General", "Lang", QStringLiteral("E"));
        QWidget host;
        auto *pad = new TypingPad(&host);
        pad->setGeometry(0, 0, 400, 100);
        auto typeLine = [pad](const QString &typed) {
            pad->sWantedText = QStringLiteral("abc");
            pad->bActive = true;
            pad->Start();
            typeText(pad, typed);
        };
        typeLine(QStringLiteral("xbc"));
        QCOMPARE(sounds.played, (QStringList{QStringLiteral("wrong"), QStringLiteral("line")}));

        frmSettings &w = openSettings();
        QVERIFY(w.chkSound->isChecked());
        w.chkSound->click();
        QCOMPARE(setting("General", "Sound"), QVariant(false));
        sounds.played.clear();
        typeLine(QStringLiteral("xyz"));
        QCOMPARE(sounds.played, QStringList());

        w.chkSound->click();
        sounds.bPlays = false;
        BeepCounter beeps;
        typeLine(QStringLiteral("xbc"));
        QCOMPARE(sounds.played, (QStringList{QStringLiteral("wrong"), QStringLiteral("line")}));
        QCOMPARE(beeps.count, 1);
    }

    // The scale is the machine's: the list shows the kept choice and hands a new one to the start-up,
    // which keeps it; the profile does not change.
    void scaleListHandsTheChoiceOn()
    {
        createAndLogIn(QStringLiteral("u"));
        QList<int> chosen;
        theApp().SetScaleChanger([&chosen](int percent) { chosen.append(percent); });
        const QByteArray before = profileBytes();
        QComboBox *list = openSettings().cmbScale;
        QCOMPARE(list->count(), 6);
        QCOMPARE(list->currentText(), QStringLiteral("ملاءمة الشاشة"));
        list->setCurrentIndex(3);
        emit list->activated(3);
        QCOMPARE(chosen, QList<int>{150});
        QCOMPARE(profileBytes(), before);
    }

    void accuracyEntryStoresItsNumber()
    {
        createAndLogIn(QStringLiteral("u"), 30, 95);
        frmSettings &w = openSettings();
        w.Combo2->setCurrentIndex(w.Combo2->findText(QStringLiteral("80 %")));
        QCOMPARE(theUser().GetWantedAccuracy(), qint16(80));
        w.Combo2->setCurrentIndex(w.Combo2->count() - 1);
        QCOMPARE(theUser().GetWantedAccuracy(), qint16(50));
    }

    void blackBackgroundTurnsThePreviewBlack()
    {
        createAndLogIn(QStringLiteral("u"));
        frmSettings &w = openSettings();
        const QRgb black = qRgb(0, 0, 0);
        const QRgb white = qRgb(255, 255, 255);
        const QRgb light = qRgb(192, 255, 192);

        w.Check2->click();
        QImage image = w.TypingPad->grab().toImage();
        QCOMPARE(image.pixel(3, 3) & 0xFFFFFF, black & 0xFFFFFF);
        QVERIFY(countPixels(image, white) > 20);

        w.Check2->click();
        image = w.TypingPad->grab().toImage();
        QCOMPARE(image.pixel(3, 3) & 0xFFFFFF, light & 0xFFFFFF);
        QVERIFY(countPixels(image, black) > 20);
        QCOMPARE(countPixels(image, white), 0);
    }

    void languageSwitchesPreviewAndProfile()
    {
        createAndLogIn(QStringLiteral("u"));
        frmSettings &w = openSettings();
        QCOMPARE(w.TypingPad->sWrittenText, QStringLiteral("Tafrun"));
        QVERIFY(w.TypingPad->bArabic);

        w.Combo3->setCurrentIndex(w.Combo3->findText(QStringLiteral("الانجليزية")));
        QCOMPARE(setting("General", "Lang").toString(), QStringLiteral("En"));
        QCOMPARE(w.TypingPad->sWantedText, QStringLiteral("Tavrin"));
        QCOMPARE(w.TypingPad->sWrittenText, QStringLiteral("tavran"));
        QCOMPARE(w.TypingPad->iNumofLetter, qint16(7));
        QVERIFY(!w.TypingPad->bArabic);
        QVERIFY(!w.TypingPad->bActive);

        // The next screen reads the language afresh.
        leaveToHome();
        QVERIFY(!theUser().IsLanguageArabic());
        frmSettings &again = openSettings();
        QCOMPARE(again.Combo3->currentIndex(), 1);
        again.Combo3->setCurrentIndex(0);
        QCOMPARE(setting("General", "Lang").toString(), QStringLiteral("Ar"));
        QCOMPARE(again.TypingPad->sWrittenText, QStringLiteral("Tafrun"));
        QVERIFY(again.TypingPad->bArabic);
    }

    void passwordSetProtectsTheNextLogin()
    {
        createAndLogIn(QStringLiteral("u"));
        frmSettings &w = openSettings();
        w.Check4->click();
        QVERIFY(w.Text1->isVisible());
        QVERIFY(w.lblLesson[9]->isVisible());
        typeInto(w.Text1, QStringLiteral("سر 12"));
        // Written only when the screen is left.
        QCOMPARE(setting("User", "Pass").toString(), QString());

        leaveToHome();
        QVERIFY(!WindowRegistry::IsLoaded<frmSettings>());
        QCOMPARE(setting("User", "Pass").toString(), QStringLiteral("سر 12"));
        QVERIFY(nextLoginAsks(QStringLiteral("سر 12")));
        QVERIFY(bLoggedIn);
    }

    void protectedProfileOpensWithItsPassword()
    {
        createAndLogIn(QStringLiteral("u"));
        theUser().SetSettings(QStringLiteral("User"), QStringLiteral("Pass"), QStringLiteral("مفتاح9"));
        frmSettings &w = openSettings();
        QVERIFY(w.Check4->isChecked());
        QVERIFY(w.Text1->isVisible());
        QVERIFY(w.lblLesson[9]->isVisible());
        QCOMPARE(w.Text1->text(), QStringLiteral("مفتاح9"));
        leaveToHome();
        QCOMPARE(setting("User", "Pass").toString(), QStringLiteral("مفتاح9"));
    }

    void passwordRemoved_data()
    {
        QTest::addColumn<bool>("uncheck");
        QTest::addColumn<QString>("typed");
        QTest::newRow("box unchecked") << true << "abc";
        QTest::newRow("checked, left blank") << false << "   ";
    }
    void passwordRemoved()
    {
        QFETCH(bool, uncheck);
        QFETCH(QString, typed);
        createAndLogIn(QStringLiteral("u"));
        theUser().SetSettings(QStringLiteral("User"), QStringLiteral("Pass"), QStringLiteral("abc"));
        frmSettings &w = openSettings();
        w.Text1->clear();
        typeInto(w.Text1, typed);
        if (uncheck) {
            w.Check4->click();
            QVERIFY(w.Text1->isHidden());
            QVERIFY(w.lblLesson[9]->isHidden());
        }
        leaveToHome();
        QCOMPARE(setting("User", "Pass").toString(), QString());
        QCOMPARE(profileBytes().mid(35, 10), QByteArray(10, ' '));
        QVERIFY(!nextLoginAsks(QString()));
    }

    // A password the profile cannot keep would lock the learner out: the box refuses it.
    void passwordBoxTakesOnlyWhatTheProfileKeeps_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("Arabic and Latin") << "باب Door"
                                          << "باب Door";
        QTest::newRow("outside the code page") << QString::fromUtf8("a中b😀c") << "abc";
        QTest::newRow("no-break space at the end") << QStringLiteral("xy\u00A0") << "xy";
        QTest::newRow("code page extras") << "€é"
                                          << "€é";
        QTest::newRow("longer than the field") << "abcdefghijklm"
                                               << "abcdefghij";
    }
    void passwordBoxTakesOnlyWhatTheProfileKeeps()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        createAndLogIn(QStringLiteral("u"));
        frmSettings &w = openSettings();
        w.Check4->click();
        typeInto(w.Text1, typed);
        QCOMPARE(w.Text1->text(), kept);
        leaveToHome();
        QCOMPARE(setting("User", "Pass").toString(), kept);
        QVERIFY(nextLoginAsks(kept));
        QVERIFY(bLoggedIn);
    }

    // Found by fuzzing: merely visiting the screen rewrote a stored password (no-break spaces at its
    // ends), a target speed off the list's steps and flag bytes other than the usual letters.
    void visitWritesNothingBack()
    {
        createAndLogIn(QStringLiteral("u"));
        QFile file(m_sandbox->folder.filePath(QStringLiteral("u.USR")));
        QVERIFY(file.open(QIODevice::ReadWrite));
        file.seek(26);
        file.write(QByteArray("\x98\x00xxxxxxx", 9));         // 152 letters a minute, odd flags
        file.write(QByteArray("\xA0\xE1\xE2\xA0      ", 10)); // "ab" between no-break spaces
        file.close();
        const QByteArray before = profileBytes();
        openSettings();
        leaveToHome();
        QCOMPARE(profileBytes(), before);
    }

    void closeBoxSavesThePassword()
    {
        createAndLogIn(QStringLiteral("u"));
        frmSettings &w = openSettings();
        w.Check4->click();
        typeInto(w.Text1, QStringLiteral("quit"));
        Window<frmMain>().close();
        QVERIFY(!WindowRegistry::IsLoaded<frmSettings>());
        QCOMPARE(m_sandbox->process.ends, 1);
        QCOMPARE(setting("User", "Pass").toString(), QStringLiteral("quit"));
    }
};

QTEST_MAIN(TestFrmSettings)
#include "tst_frmsettings.moc"

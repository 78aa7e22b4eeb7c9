// The profile file byte for byte, the settings that live in it and the login.
#include "app/WindowRegistry.h"
#include "app/cTheApp.h"
#include "mainwindow/frmMain.h"
#include "platform/CodePage1256.h"
#include "platform/SafeFile.h"
#include "support/TestSupport.h"
#include "users/ProfileFile.h"
#include "users/ProfileMessages.h"
#include "users/cProfileSnapshot.h"
#include "users/cUser.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QtEndian>
#include <QtTest>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

using namespace testsupport;

class TestProfile : public QObject
{
    Q_OBJECT

private:
    QByteArray fileBytes(const QString &name)
    {
        QFile file(m_sandbox->folder.filePath(name + QStringLiteral(".USR")));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
    static qint16 int16At(const QByteArray &bytes, int offset)
    {
        return qFromLittleEndian<qint16>(bytes.constData() + offset);
    }

    std::optional<Sandbox> m_sandbox;

private slots:
    void init() { m_sandbox.emplace(); }
    void cleanup() { m_sandbox.reset(); }

    void newProfileBytes()
    {
        createProfile(QStringLiteral("سارة"), 30, 95);
        const QByteArray bytes = fileBytes(QStringLiteral("سارة"));
        QCOMPARE(bytes.size(), 189);
        QCOMPARE(bytes.left(24), QByteArray(ProfileFile::kSignature));
        QCOMPARE(int16At(bytes, 24), qint16(95));
        QCOMPARE(int16At(bytes, 26), qint16(150));
        QCOMPARE(bytes.mid(28, 7), QByteArray("TGSATTW"));
        QCOMPARE(bytes.mid(35, 10), QByteArray(10, ' '));
        QCOMPARE(bytes.mid(45), QByteArray(144, '\0'));
        const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                QFileDevice::WriteOther | QFileDevice::ExeOther;
        const auto permissions = QFile::permissions(m_sandbox->folder.filePath(QStringLiteral("سارة.USR")));
        QVERIFY(permissions.testFlags(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QVERIFY(!(permissions & others));
    }

    void newProfileReadsBack()
    {
        createAndLogIn(QStringLiteral("ali"), 20, 90);
        cUser &user = theUser();
        QCOMPARE(user.sUserName, QStringLiteral("ali"));
        QCOMPARE(user.GetSettings("General", "Lang").toString(), QStringLiteral("Ar"));
        QCOMPARE(user.GetSettings("General", "Sound").toBool(), true);
        QCOMPARE(user.GetSettings("General", "Back").toBool(), true);
        QCOMPARE(user.GetSettings("General", "Unit").toString(), QStringLiteral("WPM"));
        QCOMPARE(user.GetSettings("View", "Errors").toBool(), true);
        QCOMPARE(user.GetSettings("View", "BKColor").toInt(), 0xC0FFC0);
        QCOMPARE(user.GetSettings("View", "Size").toString(), QStringLiteral("Small"));
        QCOMPARE(user.GetSettings("User", "Pass").toString(), QString());
        QCOMPARE(user.GetWantedSpeed(), qint16(100));
        QCOMPARE(user.GetWantedAccuracy(), qint16(90));
        QVERIFY(!user.GetSettings("General", "Nothing").isValid());
        QVERIFY(!user.GetSettings("general", "Lang").isValid()); // names are case-sensitive
        QVERIFY(bLoggedIn);
        QVERIFY(Window<frmMain>().isVisible()); // brought up by the login's caller
    }

    void flagRoundTrips_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("offset");
        QTest::addColumn<char>("byte");
        QTest::addColumn<QVariant>("readBack");
        QTest::newRow("English") << "General"
                                 << "Lang"
                                 << "En" << 31 << 'E' << QVariant(QStringLiteral("En"));
        QTest::newRow("Arabic") << "General"
                                << "Lang"
                                << "Ar" << 31 << 'A' << QVariant(QStringLiteral("Ar"));
        QTest::newRow("letters per minute") << "General"
                                            << "Unit"
                                            << "L" << 34 << 'L' << QVariant(QStringLiteral("LPM"));
        QTest::newRow("no backspace") << "General"
                                      << "Back"
                                      << "F" << 33 << 'F' << QVariant(false);
        QTest::newRow("no marks") << "View"
                                  << "Errors"
                                  << "F" << 28 << 'F' << QVariant(false);
        QTest::newRow("black") << "View"
                               << "BKColor"
                               << "B" << 29 << 'B' << QVariant(0);
        QTest::newRow("big font") << "View"
                                  << "Size"
                                  << "B" << 30 << 'B' << QVariant(QStringLiteral("Big"));
        QTest::newRow("empty flag is a blank") << "View"
                                               << "Size"
                                               << "" << 30 << ' ' << QVariant(QStringLiteral("Small"));
    }
    void flagRoundTrips()
    {
        QFETCH(QString, section);
        QFETCH(QString, item);
        QFETCH(QString, stored);
        QFETCH(int, offset);
        QFETCH(char, byte);
        QFETCH(QVariant, readBack);
        createAndLogIn(QStringLiteral("u"));
        theUser().SetSettings(section, item, stored);
        // Written through at once: another reader sees the byte while the profile is still open.
        QCOMPARE(fileBytes(QStringLiteral("u")).at(offset), byte);
        QCOMPARE(theUser().GetSettings(section, item), readBack);
    }

    void targetsRoundToSixteenBits()
    {
        createAndLogIn(QStringLiteral("u"));
        theUser().SetSettings("User", "Speed", 152.5);
        theUser().SetSettings("User", "Accuracy", QStringLiteral("87"));
        QCOMPARE(theUser().GetWantedSpeed(), qint16(152)); // half to even
        QCOMPARE(theUser().GetWantedAccuracy(), qint16(87));
        theUser().SetSettings("Nowhere", "Speed", 5); // ignored
        QCOMPARE(fileBytes(QStringLiteral("u")).size(), 189);
    }

    void passwords_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("thirteen characters keep ten") << "abcdefghijklm"
                                                      << "abcdefghij";
        QTest::newRow("blanks trimmed") << "  sesame "
                                        << "sesame";
        QTest::newRow("Arabic") << "كلمةسر"
                                << "كلمةسر";
        QTest::newRow("none") << ""
                              << "";
    }
    void passwords()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        createAndLogIn(QStringLiteral("u"));
        theUser().SetSettings("User", "Pass", typed);
        QCOMPARE(theUser().GetSettings("User", "Pass").toString(), kept);
        // Stored scrambled, blank-padded to ten bytes.
        const QByteArray stored = fileBytes(QStringLiteral("u")).mid(35, 10);
        const QByteArray expected = platform::toCodePage1256(cTheApp::EncText(kept)).leftJustified(10, ' ');
        QCOMPARE(stored, expected);
        if (!kept.isEmpty())
            QVERIFY(!stored.contains(platform::toCodePage1256(kept)));
    }

    // Text bytes use our own table of the page: it must say what the system's converter says, for
    // every byte and for every character (one without a code becomes 0x1A, an invisible one such as a
    // direction embedding or a tag is left out, a surrogate pair is one character).
    void codePageAgreesWithTheSystemConverter()
    {
        QByteArray bytes;
        for (int byte = 0; byte < 256; ++byte)
            bytes.append(char(byte));
        QStringDecoder decoder("windows-1256");
        QCOMPARE(platform::fromCodePage1256(bytes), decoder.decode(bytes));

        QString characters;
        for (char32_t c = 1; c < 0x10000; ++c) {
            if (!QChar::isSurrogate(c))
                characters += QChar(char16_t(c));
        }
        characters += QString::fromUcs4(U"\U0001F600\U000E0041", 2);
        QStringEncoder encoder("windows-1256");
        QCOMPARE(platform::toCodePage1256(characters), QByteArray(encoder.encode(characters)));
        QVERIFY(platform::fitsCodePage1256(QStringLiteral("سلام, \u067E\u06AF \u20AC")));
        QVERIFY(!platform::fitsCodePage1256(QStringLiteral("س\u0416")));
        QVERIFY(!platform::fitsCodePage1256(QString::fromUcs4(U"\U0001F600", 1)));
    }

    void convSpeed()
    {
        createAndLogIn(QStringLiteral("u"));
        QString unit;
        QCOMPARE(theUser().ConvSpeed(149, unit), qint16(29));
        QCOMPARE(unit, QStringLiteral("كلمة / دقيقة"));
        theUser().SetSettings("General", "Unit", "L");
        QCOMPARE(theUser().ConvSpeed(149, unit), qint16(149));
        QCOMPARE(unit, QStringLiteral("حرف / دقيقة"));
    }

    void resultSlotsFollowTheLanguage()
    {
        QCOMPARE(ProfileFile::testSlotOffset(false, 2, 3), 137);
        QCOMPARE(ProfileFile::testSlotOffset(true, 2, 3), 65);
        QCOMPARE(ProfileFile::testSlotOffset(true, 1, 1), 45);
        QCOMPARE(ProfileFile::testSlotOffset(false, 6, 3), 185);
    }

    void passwordLoop()
    {
        createProtectedProfile(QStringLiteral("p"), QStringLiteral("sesame"));

        DialogScript dialogs;
        dialogs.answerInput(QStringLiteral("wrong"));
        dialogs.answer(platform::AnswerOk);
        dialogs.answerInput(QStringLiteral(" sesame "));
        QVERIFY(LogInAsking(QStringLiteral("p")));
        QCOMPARE(dialogs.requests.size(), 3);
        QCOMPARE(dialogs.requests[0].kind, platform::DialogRequest::Input);
        QCOMPARE(dialogs.requests[0].title, QStringLiteral("كلمة المرور"));
        QCOMPARE(dialogs.requests[0].text, QStringLiteral("ملف المستخدم محمي بكلمة مرور، رجاء كتابتها:"));
        QCOMPARE(dialogs.requests[0].echo, platform::InputEcho::Password); // dots, not the password
        QCOMPARE(dialogs.requests[1].title, QStringLiteral("خطأ في كلمة المرور"));
        QCOMPARE(dialogs.requests[1].text, QStringLiteral("كلمة المرور غير صحيحة، رجاء التأكد من صحتها."));
        QCOMPARE(dialogs.requests[1].icon, platform::MessageIcon::Exclamation);
        QVERIFY(bLoggedIn);
    }

    void passwordCancelledClosesTheProfile()
    {
        createProtectedProfile(QStringLiteral("p"), QStringLiteral("sesame"));

        DialogScript dialogs;
        dialogs.answerInput(QString());
        QVERIFY(!LogInAsking(QStringLiteral("p")));
        QVERIFY(!bLoggedIn);
        QVERIFY(!WindowRegistry::IsLoaded<frmMain>());
        // Nothing can be read or written through a closed profile.
        theUser().SetSettings("General", "Lang", "E");
        QCOMPARE(fileBytes(QStringLiteral("p")).at(31), 'A');
    }

    void vanishedProfileIsNotRecreated()
    {
        QVERIFY(!LogInAsking(QStringLiteral("ghost")));
        QVERIFY(!QFile::exists(m_sandbox->folder.filePath(QStringLiteral("ghost.USR"))));
        QVERIFY(!bLoggedIn);
    }

    void damagedProfileReadsBlanksAndZeros()
    {
        QFile file(m_sandbox->folder.filePath(QStringLiteral("short.USR")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("Tavrin learner profile 2") + QByteArray("\x5f\x00\x96", 3));
        file.close();
        QVERIFY(LogInAsking(QStringLiteral("short")));
        QCOMPARE(theUser().GetWantedAccuracy(), qint16(95));
        QCOMPARE(theUser().GetWantedSpeed(), qint16(150)); // the missing high byte reads as zero
        // The class report reads the same bytes the same way.
        QCOMPARE(cProfileSnapshot(fileBytes(QStringLiteral("short"))).GetWantedSpeed(), qint16(150));
        QCOMPARE(theUser().GetSettings("General", "Lang").toString(), QStringLiteral("Ar"));
        QCOMPARE(theUser().GetSettings("View", "Errors").toBool(), false);
        QCOMPARE(theUser().GetSettings("User", "Pass").toString(), QString());
        QCOMPARE(theUser().ReadInteger(ProfileFile::testSlotOffset(false, 6, 3)), qint16(0));
    }

    // Every field write that fails is reported with the system's reason, never passed over.
    void failedWritesAreReported()
    {
        createAndLogIn(QStringLiteral("u"));
        DialogScript dialogs;
        platform::setWriteErrorForTesting(ENOSPC);
        theUser().SetSettings("General", "Lang", "E");
        theUser().SetSettings("User", "Pass", "abc");
        theUser().WriteInteger(ProfileFile::testSlotOffset(true, 1, 1), 120);
        platform::setWriteErrorForTesting(0);
        QCOMPARE(dialogs.requests.size(), 3);
        for (const platform::DialogRequest &request : dialogs.requests) {
            QCOMPARE(request.text, kProfileSaveFailed + QStringLiteral("\r\rNo space left on device"));
            QCOMPARE(request.icon, platform::MessageIcon::Exclamation);
        }
        QCOMPARE(fileBytes(QStringLiteral("u")), ProfileFile::newProfileBytes(95, 150));
    }

    // Another handle's change is seen at once: nothing is read from a copy.
    void everyQueryReadsTheFile()
    {
        createAndLogIn(QStringLiteral("u"));
        QCOMPARE(theUser().GetSettings("General", "Lang").toString(), QStringLiteral("Ar"));
        QFile other(m_sandbox->folder.filePath(QStringLiteral("u.USR")));
        QVERIFY(other.open(QIODevice::ReadWrite));
        other.seek(ProfileFile::kLangOffset);
        other.write("E");
        other.close();
        QCOMPARE(theUser().GetSettings("General", "Lang").toString(), QStringLiteral("En"));
    }

    // A kill at any step of the creation leaves no profile or a whole one, never a part listed.
    void creationStoppedBetweenSteps_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("listed");
        QTest::newRow("written, not linked") << int(platform::CreateStep::TemporaryWritten) << false;
        QTest::newRow("linked") << int(platform::CreateStep::Linked) << true;
        QTest::newRow("temporary name removed") << int(platform::CreateStep::TemporaryRemoved) << true;
    }
    void creationStoppedBetweenSteps()
    {
        QFETCH(int, step);
        QFETCH(bool, listed);
        platform::setCreateStepHookForTesting([step](platform::CreateStep now) { return int(now) != step; });
        ProfileFile::create(m_sandbox->folder.filePath(QStringLiteral("k.USR")), 95, 150);
        platform::setCreateStepHookForTesting({});
        QCOMPARE(ProfileFile::listNames(m_sandbox->folder.path()),
                 listed ? QStringList{QStringLiteral("k")} : QStringList());
        if (listed) {
            QCOMPARE(fileBytes(QStringLiteral("k")), ProfileFile::newProfileBytes(95, 150));
            // The temporary name a stop after the link leaves is not taken for a hard link.
            QVERIFY(theUser().LogIn(QStringLiteral("k")));
        }
        // A creation that stopped does not block the name for ever.
        if (!listed)
            QVERIFY(ProfileFile::create(m_sandbox->folder.filePath(QStringLiteral("k.USR")), 95, 150));
    }

    // Only regular files named exactly "<name>.USR" are profiles; a link is never followed.
    void onlyRegularFilesAreProfiles()
    {
        const QString target = m_sandbox->folder.filePath(QStringLiteral("notes.txt"));
        QFile notes(target);
        QVERIFY(notes.open(QIODevice::WriteOnly));
        notes.write(QByteArray(189, 'x'));
        notes.close();
        QVERIFY(QFile::link(target, m_sandbox->folder.filePath(QStringLiteral("evil.USR"))));
        QVERIFY(QDir(m_sandbox->folder.path()).mkdir(QStringLiteral("folder.USR")));
        QVERIFY(::mkfifo(QFile::encodeName(m_sandbox->folder.filePath(QStringLiteral("pipe.USR"))), 0600) ==
                0);
        createProfile(QStringLiteral("zed"));
        QVERIFY(QFile::rename(m_sandbox->folder.filePath(QStringLiteral("zed.USR")),
                              m_sandbox->folder.filePath(QStringLiteral("zed.usr"))));
        createProfile(QStringLiteral("real"));
        QCOMPARE(ProfileFile::listNames(m_sandbox->folder.path()), QStringList{QStringLiteral("real")});

        DialogScript dialogs;
        for (const char *name : {"evil", "pipe", "folder"})
            QVERIFY(!LogInAsking(QLatin1String(name)));
        QCOMPARE(dialogs.requests.size(), 3);
        QCOMPARE(dialogs.requests[0].text, kProfileOpenFailed + QStringLiteral("\r\rNot a regular file"));
        QVERIFY(!LogInAsking(QStringLiteral("zed"))); // not a profile: silently not there
        QVERIFY(!bLoggedIn);
        QVERIFY(notes.open(QIODevice::ReadOnly));
        QCOMPARE(notes.readAll(), QByteArray(189, 'x'));
    }

    // One tutor per profile: a second login while another tutor holds it is refused.
    void secondTutorIsRefused()
    {
        createProfile(QStringLiteral("u"));
        ProfileFile otherTutor;
        QCOMPARE(otherTutor.open(m_sandbox->folder.filePath(QStringLiteral("u.USR"))),
                 ProfileFile::OpenResult::Opened);
        DialogScript dialogs;
        QVERIFY(!LogInAsking(QStringLiteral("u")));
        QCOMPARE(dialogs.requests.size(), 1);
        QCOMPARE(dialogs.requests[0].text, kProfileInUse);
        QVERIFY(!bLoggedIn);
        otherTutor.close();
        QVERIFY(LogInAsking(QStringLiteral("u")));
    }

    // A mount that keeps no locks (some FUSE and NFSv3 mounts without the lock manager): the learner
    // is told why, and the profile is never opened unguarded.
    void noLocksRefusesLogin_data()
    {
        QTest::addColumn<int>("error");
        QTest::newRow("no locks available") << ENOLCK;
        QTest::newRow("not supported") << EOPNOTSUPP;
    }
    void noLocksRefusesLogin()
    {
        QFETCH(int, error);
        createProfile(QStringLiteral("u"));
        platform::setDiskCallHookForTesting([error](const platform::DiskCall &call) {
            return call.kind == platform::DiskCall::Kind::Lock ? error : 0;
        });
        DialogScript dialogs;
        QVERIFY(!LogInAsking(QStringLiteral("u")));
        QCOMPARE(dialogs.requests.size(), 1);
        QCOMPARE(dialogs.requests[0].text,
                 kProfileOpenFailed + QStringLiteral("\r\r") + platform::systemErrorText(error));
        QVERIFY(!bLoggedIn);
    }

    // A folder without hard links: the profile is written in place, whole, and nothing else is left.
    void noHardLinksCreatesInPlace_data()
    {
        QTest::addColumn<int>("error");
        QTest::newRow("not permitted") << EPERM;
        QTest::newRow("not supported") << EOPNOTSUPP;
        QTest::newRow("cross-device") << EXDEV;
    }
    void noHardLinksCreatesInPlace()
    {
        QFETCH(int, error);
        platform::setDiskCallHookForTesting([error](const platform::DiskCall &call) {
            return call.kind == platform::DiskCall::Kind::Link ? error : 0;
        });
        QVERIFY(ProfileFile::create(m_sandbox->folder.filePath(QStringLiteral("k.USR")), 95, 150));
        QVERIFY(!ProfileFile::create(m_sandbox->folder.filePath(QStringLiteral("k.USR")), 90, 100));
        platform::setDiskCallHookForTesting({});
        QCOMPARE(fileBytes(QStringLiteral("k")), ProfileFile::newProfileBytes(95, 150));
        QCOMPARE(QDir(m_sandbox->folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
        QVERIFY(LogInAsking(QStringLiteral("k")));
    }

    // A hard link made to another learner's profile is never written through: neither name logs in
    // (each would change the other's results), and deleting the link takes only its own name.
    void hardLinkIsNotWrittenThrough()
    {
        createProfile(QStringLiteral("Ali"));
        const QByteArray before = fileBytes(QStringLiteral("Ali"));
        QVERIFY(::link(QFile::encodeName(m_sandbox->folder.filePath(QStringLiteral("Ali.USR"))),
                       QFile::encodeName(m_sandbox->folder.filePath(QStringLiteral("Mona.USR")))) == 0);
        DialogScript dialogs;
        QVERIFY(!LogInAsking(QStringLiteral("Mona")));
        QVERIFY(!LogInAsking(QStringLiteral("Ali")));
        QCOMPARE(dialogs.requests.size(), 2);
        QCOMPARE(dialogs.requests[0].text,
                 kProfileOpenFailed + QStringLiteral("\r\rThe file has another name (a hard link)"));
        dialogs.answer(platform::AnswerYes);
        QVERIFY(DeleteAsking(m_sandbox->folder.path(), QStringLiteral("Mona")));
        QCOMPARE(ProfileFile::listNames(m_sandbox->folder.path()), QStringList{QStringLiteral("Ali")});
        QCOMPARE(fileBytes(QStringLiteral("Ali")), before);
        QVERIFY(LogInAsking(QStringLiteral("Ali")));
    }

    void userNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("valid");
        QTest::newRow("Arabic") << "محمد علي" << true;
        QTest::newRow("Latin") << "Sam-2" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("blank") << "   " << false;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("dot dot") << ".." << false;
        QTest::newRow("slash") << "../up" << false;
        QTest::newRow("backslash") << "a\\b" << false;
        for (const char *bad : {":", "*", "?", "\"", "<", ">", "|"})
            QTest::newRow(bad) << QStringLiteral("a%1b").arg(QLatin1String(bad)) << false;
        QTest::newRow("control") << QStringLiteral("a\tb") << false;
        QTest::newRow("newline") << QStringLiteral("a\nb") << false;
        QTest::newRow("leading dot") << ".hidden" << false;
        QTest::newRow("dot inside") << "a.b" << true;
        QTest::newRow("zero-width space") << QStringLiteral("ali\u200B") << false;
        QTest::newRow("right-to-left override") << QStringLiteral("\u202Eila") << false;
        QTest::newRow("only a no-break space") << QStringLiteral("\u00A0") << false;
        QTest::newRow("only a mark") << QStringLiteral("\u064E") << false;
        QTest::newRow("Arabic with marks") << QStringLiteral("عَلِي") << true;
    }
    void userNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, valid);
        QCOMPARE(ProfileFile::isValidUserName(name), valid);
    }
};

QTEST_MAIN(TestProfile)
#include "tst_profile.moc"

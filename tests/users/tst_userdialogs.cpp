// The user selection and new-user dialogs, driven through their widgets.
#include "app/WindowRegistry.h"
#include "app/cTheApp.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/mdlMain.h"
#include "platform/ButtonKeys.h"
#include "platform/DisplayScale.h"
#include "platform/Folders.h"
#include "platform/SafeFile.h"
#include "support/TestSupport.h"
#include "users/ProfileFile.h"
#include "users/ProfileMessages.h"
#include "users/cHistory.h"
#include "users/cUser.h"
#include "users/frmNewUser.h"
#include "users/frmUsers.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <cerrno>

using namespace testsupport;

class TestUserDialogs : public QObject
{
    Q_OBJECT

    std::optional<Sandbox> m_sandbox;

    QStringList listed()
    {
        QStringList names;
        QListWidget *list = Window<frmUsers>().lstUsers;
        for (int i = 0; i < list->count(); ++i)
            names.append(list->item(i)->text());
        names.sort();
        return names;
    }

    // Fills the new-user dialog and presses OK; returns whether it closed.
    bool createUser(const QString &name, const QString &speed = QStringLiteral("30"),
                    const QString &accuracy = QStringLiteral("95 %"))
    {
        frmNewUser dialog;
        dialog.txtText->setText(name);
        dialog.cmbSpeed->setCurrentText(speed);
        dialog.cmbAccuracy->setCurrentText(accuracy);
        QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
        return dialog.result() == QDialog::Accepted;
    }

    QStringList filesInFolder() const
    {
        return QDir(m_sandbox->folder.path()).entryList(QDir::Files | QDir::Hidden);
    }

private slots:
    void init() { m_sandbox.emplace(); }
    void cleanup() { m_sandbox.reset(); }

    void emptyFolder()
    {
        frmUsers &users = Window<frmUsers>();
        QCOMPARE(users.lstUsers->count(), 0);
        QCOMPARE(users.lblUser->text(), QString());
        QVERIFY(!users.cmdOK->isEnabled());
        QVERIFY(!users.cmdDel->isEnabled());
        QVERIFY(users.cmdNewUser->isEnabled());
        QVERIFY(users.cmdCancel->isEnabled());
    }

    void newUserDialogStartsAtThirtyAndNinetyFive()
    {
        frmNewUser dialog;
        QCOMPARE(dialog.cmbSpeed->count(), 20);
        QCOMPARE(dialog.cmbSpeed->itemText(0), QStringLiteral("5"));
        QCOMPARE(dialog.cmbSpeed->itemText(19), QStringLiteral("100"));
        QCOMPARE(dialog.cmbAccuracy->count(), 51);
        QCOMPARE(dialog.cmbAccuracy->itemText(0), QStringLiteral("50 %"));
        QCOMPARE(dialog.cmbSpeed->currentText(), QStringLiteral("30"));
        QCOMPARE(dialog.cmbAccuracy->currentText(), QStringLiteral("95 %"));
        QCOMPARE(dialog.txtText->maxLength(), 30);
    }

    void createListsTheProfile()
    {
        QVERIFY(createUser(QStringLiteral("  ليلى "), QStringLiteral("40"), QStringLiteral("90 %")));
        QFile file(m_sandbox->folder.filePath(QStringLiteral("ليلى.USR")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.size(), 189);
        QCOMPARE(bytes.at(24), char(90));
        QCOMPARE(bytes.at(26), char(200));
        Window<frmUsers>().RefreshData();
        QCOMPARE(listed(), QStringList{QStringLiteral("ليلى")});
        QVERIFY(Window<frmUsers>().cmdOK->isEnabled());
    }

    // Names that would look alike in the list are taken: case, and any kind of space for a blank.
    void takenNameShows101_data()
    {
        QTest::addColumn<QString>("taken");
        QTest::addColumn<QString>("typed");
        QTest::newRow("case") << "Omar"
                              << "omar";
        QTest::newRow("no-break space") << "Ali Omar" << QStringLiteral("Ali\u00A0Omar");
        QTest::newRow("ideographic space, the other way") << QStringLiteral("Ali\u3000Omar") << "ali omar";
    }
    void takenNameShows101()
    {
        QFETCH(QString, taken);
        QFETCH(QString, typed);
        QVERIFY(createUser(taken));
        DialogScript dialogs;
        QVERIFY(!createUser(typed));
        QCOMPARE(dialogs.requests.size(), 1);
        QCOMPARE(dialogs.requests[0].title, QStringLiteral("خطأ رقم:101"));
        QCOMPARE(filesInFolder(), QStringList{taken + QStringLiteral(".USR")});
    }

    void refusedNamesShow102AndWriteNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << "";
        QTest::newRow("blank") << "   ";
        QTest::newRow("parent folder") << "../escape";
        QTest::newRow("absolute") << "/tmp/escape";
        QTest::newRow("wildcard") << "*";
        QTest::newRow("dot dot") << "..";
        QTest::newRow("pipe") << "a|b";
        QTest::newRow("leading dot") << ".ali";
        QTest::newRow("zero-width space") << QStringLiteral("ali\u200B");
        QTest::newRow("nothing visible") << QStringLiteral("\u00A0\u0651");
        QTest::newRow("no-break space at the end") << QStringLiteral("Ali\u00A0");
        QTest::newRow("ideographic space at the start") << QStringLiteral("\u3000Ali");
    }
    void refusedNamesShow102AndWriteNothing()
    {
        QFETCH(QString, name);
        const QStringList parentBefore = QDir(m_sandbox->folder.path() + QStringLiteral("..")).entryList();
        DialogScript dialogs;
        QVERIFY(!createUser(name));
        QCOMPARE(dialogs.requests.size(), 1);
        QCOMPARE(dialogs.requests[0].title, QStringLiteral("خطأ رقم:102"));
        QCOMPARE(dialogs.requests[0].text,
                 QStringLiteral("خطأ رقم:102\r\rاسم المستخدم غير صحيح، رجاء تغيير الاسم"));
        QVERIFY(filesInFolder().isEmpty());
        QCOMPARE(QDir(m_sandbox->folder.path() + QStringLiteral("..")).entryList(), parentBefore);
        QVERIFY(!QFile::exists(QStringLiteral("/tmp/escape.USR")));
    }

    // A full disk: the dialog says why and stays open, and nothing half-made is listed.
    void fullDiskKeepsTheDialogOpen()
    {
        DialogScript dialogs;
        platform::setWriteErrorForTesting(ENOSPC);
        QVERIFY(!createUser(QStringLiteral("Nour")));
        QCOMPARE(dialogs.requests.size(), 1);
        QCOMPARE(dialogs.requests[0].text,
                 kProfileCreateFailed + QStringLiteral("\r\rNo space left on device"));
        QVERIFY(filesInFolder().isEmpty());
        Window<frmUsers>().RefreshData();
        QVERIFY(listed().isEmpty());
    }

    // A read-only program folder: login, delete (before it asks anything) and new user each say what
    // failed and why.
    void readOnlyFolderSaysWhy()
    {
        createProfile(QStringLiteral("Huda"));
        frmUsers &users = Window<frmUsers>();
        DialogScript dialogs;
        platform::setWriteErrorForTesting(EROFS);
        const QString reason = QStringLiteral("\r\rRead-only file system");

        QTest::mouseClick(users.cmdOK, Qt::LeftButton);
        QVERIFY(!WindowRegistry::IsLoaded<frmMain>());
        QCOMPARE(dialogs.requests.last().text, kProfileOpenFailed + reason);

        QTest::mouseClick(users.cmdDel, Qt::LeftButton);
        QCOMPARE(dialogs.requests.last().text, kProfileDeleteFailed + reason);
        QCOMPARE(listed(), QStringList{QStringLiteral("Huda")});

        QVERIFY(!createUser(QStringLiteral("Nour")));
        QCOMPARE(dialogs.requests.last().text, kProfileCreateFailed + reason);
        QCOMPARE(dialogs.requests.size(), 3);
        QCOMPARE(filesInFolder(), QStringList{QStringLiteral("Huda.USR")});
    }

    void cancelWritesNothing()
    {
        frmNewUser dialog;
        dialog.txtText->setText(QStringLiteral("nobody"));
        QTest::mouseClick(dialog.cmdCancel, Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(filesInFolder().isEmpty());
    }

    // The new profile is listed and selected, and the keyboard is on the list: Enter logs it in.
    void newUserIsSelectedAndEnterLogsIn()
    {
        platform::pressFocusedButtonsWithEnter(*qApp);
        createProfile(QStringLiteral("Aya"));
        frmUsers &users = Window<frmUsers>();
        users.show();
        users.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&users));
        QCOMPARE(QApplication::focusWidget(), users.lstUsers);
        QTimer::singleShot(0, this, [] {
            auto *dialog = qobject_cast<frmNewUser *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->txtText->setText(QStringLiteral("Nour"));
            dialog->cmdOK->click();
        });
        QTest::mouseClick(users.cmdNewUser, Qt::LeftButton);
        QCOMPARE(listed(), (QStringList{QStringLiteral("Aya"), QStringLiteral("Nour")}));
        QCOMPARE(users.lblUser->text(), QStringLiteral("Nour"));
        QCOMPARE(users.focusWidget(), users.lstUsers);
        QTest::keyClick(users.lstUsers, Qt::Key_Return);
        QCOMPARE(theUser().sUserName, QStringLiteral("Nour"));
    }

    // A new scale starts the tutor again where it stood: the same learner on the same screen, and a
    // profile with a password asks for it again.
    void newScaleStartsAgainWhereItStood_data()
    {
        QTest::addColumn<bool>("protectedProfile");
        QTest::newRow("no password") << false;
        QTest::newRow("password") << true;
    }
    void newScaleStartsAgainWhereItStood()
    {
        QFETCH(bool, protectedProfile);
        if (protectedProfile) {
            createProtectedProfile(QStringLiteral("Sami"), QStringLiteral("x"));
            theUser().LogIn(QStringLiteral("Sami"));
            theUser().GivePassword(QStringLiteral("x"));
            Window<frmMain>().show();
        } else {
            createAndLogIn(QStringLiteral("Sami"));
        }
        Window<frmMain>().lblSection_Click(frmMain::kSettingsIndex);
        QByteArray resume;
        platform::setRestartProgramForTesting([&resume] { resume = qgetenv("KZ_RESUME"); });
        platform::setScaleSetting(100);
        qunsetenv("QT_SCALE_FACTOR");
        platform::applyScaleBeforeStart(frmMain::kWindowSize);
        theApp().SetDisplayScale(150);
        qputenv("QT_SCALE_FACTOR", "1");
        platform::applyScaleBeforeStart(frmMain::kWindowSize);
        platform::setRestartProgramForTesting({});
        QCOMPARE(resume, QByteArray("6\nSami"));

        resetApplication();
        qputenv("KZ_RESUME", resume);
        DialogScript dialogs;
        if (protectedProfile)
            dialogs.answerInput(QStringLiteral("x"));
        QVERIFY(Main());
        QCOMPARE(dialogs.requests.size(), protectedProfile ? 1 : 0);
        QCOMPARE(theUser().sUserName, QStringLiteral("Sami"));
        QCOMPARE(Window<frmMain>().CurrentSection(), frmMain::kSettingsIndex);
        QVERIFY(!qEnvironmentVariableIsSet("KZ_RESUME"));
    }

    void deleteAsksFirst()
    {
        createProfile(QStringLiteral("a"));
        createProfile(QStringLiteral("b"));
        frmUsers &users = Window<frmUsers>();
        QListWidget *list = users.lstUsers;
        const QString chosen = list->item(1)->text();
        list->setCurrentRow(1);
        QCOMPARE(users.lblUser->text(), chosen);
        // The learner's history and preferences go with the profile.
        const QString history = cHistory::PathFor(platform::profileFolder(), chosen);
        QVERIFY(cHistory::Append(history, HistoryRecord()));
        cUser::SetPreferenceOf(chosen, QStringLiteral("Speech"), true);

        DialogScript dialogs;
        dialogs.answer(platform::AnswerNo);
        QTest::mouseClick(users.cmdDel, Qt::LeftButton);
        QCOMPARE(dialogs.requests.size(), 1);
        QCOMPARE(dialogs.requests[0].title, QStringLiteral("حذف ملف"));
        QCOMPARE(dialogs.requests[0].text,
                 QStringLiteral("هل انت متأكد من رغبتك في حذف الملف: ") + chosen + QStringLiteral(" ؟"));
        QCOMPARE(dialogs.requests[0].icon, platform::MessageIcon::Question);
        QCOMPARE(dialogs.requests[0].buttons, platform::MessageButtons::YesNo);
        QCOMPARE(listed(), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
        QVERIFY(QFile::exists(history));
        QVERIFY(cUser::PreferenceOf(chosen, QStringLiteral("Speech")).toBool());

        list->setCurrentRow(1);
        dialogs.answer(platform::AnswerYes);
        QTest::mouseClick(users.cmdDel, Qt::LeftButton);
        QCOMPARE(listed().size(), 1);
        QVERIFY(!listed().contains(chosen));
        QVERIFY(!QFile::exists(history));
        QVERIFY(!cUser::PreferenceOf(chosen, QStringLiteral("Speech")).isValid());
        QCOMPARE(users.lblUser->text(), list->item(0)->text());
    }

    // A profile another tutor holds is never deleted: its lock is taken first.
    void deleteRefusedWhileInUse()
    {
        createProfile(QStringLiteral("Sami"));
        const QString history = cHistory::PathFor(platform::profileFolder(), QStringLiteral("Sami"));
        QVERIFY(cHistory::Append(history, HistoryRecord()));
        ProfileFile otherTutor;
        QCOMPARE(otherTutor.open(m_sandbox->folder.filePath(QStringLiteral("Sami.USR"))),
                 ProfileFile::OpenResult::Opened);
        frmUsers &users = Window<frmUsers>();
        DialogScript dialogs;
        QTest::mouseClick(users.cmdDel, Qt::LeftButton);
        QCOMPARE(dialogs.requests.size(), 1);
        QCOMPARE(dialogs.requests[0].text, kProfileInUse);
        QCOMPARE(listed(), QStringList{QStringLiteral("Sami")});
        QVERIFY(QFile::exists(history));
    }

    // Deleting a protected profile asks its password first, with the login's question and rule.
    void deleteOfAProtectedProfile_data()
    {
        QTest::addColumn<QStringList>("answers"); // typed passwords; "ok", "yes" or "no" for a box
        QTest::addColumn<QStringList>("asked");   // the titles of the boxes shown
        QTest::addColumn<bool>("deleted");
        const QString question = QStringLiteral("كلمة المرور");
        const QString wrong = QStringLiteral("خطأ في كلمة المرور");
        const QString confirm = QStringLiteral("حذف ملف");
        QTest::newRow("wrong, then left empty")
            << QStringList{"nope", "ok", ""} << QStringList{question, wrong, question} << false;
        QTest::newRow("wrong, then right") << QStringList{"nope", "ok", "sesame", "yes"}
                                           << QStringList{question, wrong, question, confirm} << true;
        QTest::newRow("right, then no")
            << QStringList{"sesame", "no"} << QStringList{question, confirm} << false;
    }
    void deleteOfAProtectedProfile()
    {
        QFETCH(QStringList, answers);
        QFETCH(QStringList, asked);
        QFETCH(bool, deleted);
        createProtectedProfile(QStringLiteral("Huda"), QStringLiteral("sesame"));
        DialogScript dialogs;
        const QMap<QString, int> buttons{
            {"ok", platform::AnswerOk}, {"yes", platform::AnswerYes}, {"no", platform::AnswerNo}};
        for (const QString &answer : answers) {
            if (buttons.contains(answer))
                dialogs.answer(buttons.value(answer));
            else
                dialogs.answerInput(answer);
        }
        QTest::mouseClick(Window<frmUsers>().cmdDel, Qt::LeftButton);
        QStringList titles;
        for (const platform::DialogRequest &request : dialogs.requests)
            titles.append(request.title);
        QCOMPARE(titles, asked);
        QCOMPARE(listed().isEmpty(), deleted);
    }

    // Reading the list sweeps what stopped creations left: temporaries over a minute old that no
    // creation holds. A fresh one and a held one stay, and so do the profiles.
    void staleTemporariesAreSwept()
    {
        const auto stopAfter = [](platform::CreateStep step) {
            platform::setCreateStepHookForTesting([step](platform::CreateStep now) { return now != step; });
        };
        stopAfter(platform::CreateStep::TemporaryWritten);
        ProfileFile::create(m_sandbox->folder.filePath(QStringLiteral("old.USR")), 95, 150);
        ProfileFile::create(m_sandbox->folder.filePath(QStringLiteral("held.USR")), 95, 150);
        ProfileFile::create(m_sandbox->folder.filePath(QStringLiteral("fresh.USR")), 95, 150);
        stopAfter(platform::CreateStep::Linked);
        ProfileFile::create(m_sandbox->folder.filePath(QStringLiteral("linked.USR")), 95, 150);
        platform::setCreateStepHookForTesting({});
        const QDateTime twoMinutesAgo = QDateTime::currentDateTime().addSecs(-120);
        QFile held;
        for (const QString &name : filesInFolder()) {
            if (name.startsWith(QLatin1String(".fresh")))
                continue;
            QFile file(m_sandbox->folder.filePath(name));
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(twoMinutesAgo, QFileDevice::FileModificationTime));
            if (name.startsWith(QLatin1String(".held"))) {
                held.setFileName(file.fileName());
                QVERIFY(held.open(QIODevice::ReadWrite));
                QCOMPARE(platform::tryLockFile(held.handle()), platform::LockResult::Locked);
            }
        }
        Window<frmUsers>().RefreshData();
        QStringList left;
        for (const QString &name : filesInFolder())
            left.append(name.left(name.indexOf(QLatin1String(".USR")) + 4));
        QCOMPARE(left, (QStringList{".fresh.USR", ".held.USR", "linked.USR"}));
        QCOMPARE(listed(), QStringList{QStringLiteral("linked")});
    }

    void loginShowsTheMainWindow()
    {
        createProfile(QStringLiteral("Huda"));
        ShowUserSelection();
        frmUsers &users = Window<frmUsers>();
        QTest::mouseClick(users.cmdOK, Qt::LeftButton);
        QVERIFY(WindowRegistry::IsLoaded<frmMain>());
        QVERIFY(Window<frmMain>().isVisible());
        QVERIFY(!WindowRegistry::IsLoaded<frmUsers>());
        QCOMPARE(theUser().sUserName, QStringLiteral("Huda"));
    }

    // The keyboard alone: Enter presses the focused button (Qt does so only inside its dialogs), and
    // Enter on the list logs the selected user in as OK does.
    void enterKey()
    {
        platform::pressFocusedButtonsWithEnter(*qApp);
        createProfile(QStringLiteral("Huda"));
        ShowUserSelection();
        frmUsers &users = Window<frmUsers>();
        users.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&users));
        users.cmdCancel->setFocus();
        QTest::keyClick(users.cmdCancel, Qt::Key_Return);
        QCOMPARE(m_sandbox->process.ends, 1);

        users.lstUsers->setFocus();
        QTest::keyClick(users.lstUsers, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(Window<frmMain>().isVisible());
        QCOMPARE(theUser().sUserName, QStringLiteral("Huda"));
    }

    void wrongThenRightPassword()
    {
        createProtectedProfile(QStringLiteral("Sami"), QStringLiteral("مفتاح"));

        ShowUserSelection();
        frmUsers &users = Window<frmUsers>();
        DialogScript dialogs;
        dialogs.answerInput(QStringLiteral("خطأ"));
        dialogs.answer(platform::AnswerOk);
        dialogs.answerInput(QStringLiteral("مفتاح"));
        QTest::mouseClick(users.cmdOK, Qt::LeftButton);
        QCOMPARE(dialogs.requests.size(), 3);
        QVERIFY(Window<frmMain>().isVisible());
    }

    void cancelledPasswordStaysWithTheSameSelection()
    {
        createProfile(QStringLiteral("a"));
        createProtectedProfile(QStringLiteral("b"), QStringLiteral("x"));

        frmUsers &users = Window<frmUsers>();
        users.lstUsers->setCurrentRow(users.lstUsers->item(0)->text() == QLatin1String("b") ? 0 : 1);
        DialogScript dialogs;
        dialogs.answerInput(QString());
        QTest::mouseClick(users.cmdOK, Qt::LeftButton);
        QVERIFY(WindowRegistry::IsLoaded<frmUsers>());
        QVERIFY(!WindowRegistry::IsLoaded<frmMain>());
        QCOMPARE(users.lblUser->text(), QStringLiteral("b"));
    }

    void vanishedProfileRefreshesTheList()
    {
        createProfile(QStringLiteral("gone"));
        createProfile(QStringLiteral("kept"));
        frmUsers &users = Window<frmUsers>();
        users.lstUsers->setCurrentRow(users.lstUsers->item(0)->text() == QLatin1String("gone") ? 0 : 1);
        QFile::remove(m_sandbox->folder.filePath(QStringLiteral("gone.USR")));
        QTest::mouseClick(users.cmdOK, Qt::LeftButton);
        QVERIFY(!WindowRegistry::IsLoaded<frmMain>());
        QVERIFY(!QFile::exists(m_sandbox->folder.filePath(QStringLiteral("gone.USR"))));
        QCOMPARE(listed(), QStringList{QStringLiteral("kept")});
    }

    void cancelEndsWithoutOpeningAProfile()
    {
        createProfile(QStringLiteral("a"));
        QTest::mouseClick(Window<frmUsers>().cmdCancel, Qt::LeftButton);
        QCOMPARE(m_sandbox->process.ends, 1);
        QVERIFY(theUser().sUserName.isEmpty());
    }
};

QTEST_MAIN(TestUserDialogs)
#include "tst_userdialogs.moc"

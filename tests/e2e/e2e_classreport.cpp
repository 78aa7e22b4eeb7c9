// The class report end to end, under Xvfb: of three learners, Omar (made in the new-user dialog)
// takes lesson test 1 in the real tutor with three mistakes, Sam in English without one, and Layla
// has not begun; then the user list
// opens "تقرير الفصل", a row opens that learner's progress, and the report is exported as CSV and
// as PDF through the save box. Both files are read back; nothing in the profile folder changed.
#include "E2eKeys.h"
#include "E2eSupport.h"

#include "app/ClickableLabel.h"
#include "app/KeyTables.h"
#include "app/StringTable.h"
#include "app/WindowRegistry.h"
#include "lessons/cLesson.h"
#include "lessons/frmLessons.h"
#include "mainwindow/frmMain.h"
#include "platform/ArabicApplication.h"
#include "platform/Folders.h"
#include "platform/KeyboardLayout.h"
#include "support/TestSupport.h"
#include "users/ProfileFile.h"
#include "users/frmClassReport.h"
#include "users/frmUsers.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QThread>
#include <QtEndian>
#include <QtTest>

using namespace e2e;

namespace {

constexpr const char *kSeed = "20261208";

// Every file of the folder with its bytes and modification time.
QStringList folderState(const QString &folder)
{
    QStringList state;
    for (const QFileInfo &info : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)) {
        QFile file(info.filePath());
        file.open(QIODevice::ReadOnly);
        state.append(info.fileName() + QLatin1Char(' ') +
                     QString::number(info.lastModified().toMSecsSinceEpoch()) + QLatin1Char(' ') +
                     QString::fromLatin1(file.readAll().toHex()));
    }
    return state;
}

// xdotool's key names for plain ASCII text, as a teacher types it into a field.
QStringList keyNames(const QString &text)
{
    static const QHash<QChar, QString> kNamed{{u' ', QStringLiteral("space")},
                                              {u'/', QStringLiteral("slash")},
                                              {u'-', QStringLiteral("minus")},
                                              {u'.', QStringLiteral("period")},
                                              {u'_', QStringLiteral("underscore")}};
    QStringList names;
    for (const QChar c : text)
        names.append(kNamed.value(c, QString(c)));
    return names;
}

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestClassReportEndToEnd : public QObject
{
    Q_OBJECT

    std::unique_ptr<XServer> m_x;

    // From the user list: logs `name` in, takes lesson test 1 with the letters at `mistakes` typed
    // wrong, and changes user, which starts the tutor afresh on the user list.
    void takeTest(Tutor &tutor, QString &users, const QString &name, bool arabic, const QList<int> &mistakes)
    {
        platform::setProgramFolderForTesting(tutor.folder());
        frmUsers usersLayout;
        usersLayout.Form_Load();
        const QList<QListWidgetItem *> items = usersLayout.lstUsers->findItems(name, Qt::MatchExactly);
        QVERIFY(!items.isEmpty());
        const QRect item = usersLayout.lstUsers->visualItemRect(items.first());
        m_x->click(users, usersLayout.lstUsers->viewport()->mapTo(&usersLayout, item.center()));
        m_x->click(users, centreIn(usersLayout.cmdOK, &usersLayout));
        const QString main = m_x->waitForWindow(QStringLiteral("^Tavrin$"));
        QVERIFY2(!main.isEmpty(), qPrintable(name + QStringLiteral(" was not logged in")));

        frmMain mainLayout;
        frmLessons lessonsLayout;
        m_x->click(main, centreIn(mainLayout.cmdLesson[0], &mainLayout));
        m_x->click(main, centreIn(lessonsLayout.cmdTest, lessonsLayout.picLesson));
        m_x->click(main, centreIn(lessonsLayout.Command3, lessonsLayout.picTestResult));
        const QString test = m_x->waitForWindow(QStringLiteral("^Tavrin - اختبار$"));
        QVERIFY2(!test.isEmpty(), "the test window did not open");
        QString text = firstTestText(arabic ? 2100 : 4100, kSeed);
        const QString layout =
            QString::fromLatin1(arabic ? platform::kArabicLayout : platform::kEnglishLayout);
        for (int at : mistakes)
            text[at] = arabic ? (text.at(at) == u'ض' ? u'ص' : u'ض') : (text.at(at) == u'q' ? u'w' : u'q');
        for (int i = 0; i < 5; ++i)
            m_x->key(test, keysFor(text.mid(i * 60, 60).trimmed(), layout));
        QThread::msleep(300);
        m_x->key(test, {QStringLiteral("Escape")});
        QVERIFY(m_x->waitForWindowGone(test));

        // Changing user starts the tutor afresh, on the user list.
        m_x->click(main, centreIn(mainLayout.lblSection[frmMain::kChangeUserIndex], &mainLayout));
        QVERIFY(m_x->waitForWindowGone(main));
        users = m_x->waitForWindow(QStringLiteral("^Tavrin - المستخدمون$"));
        QVERIFY(!users.isEmpty());
    }

    // Answers the save box: the whole path typed over the suggested name.
    void save(const QPoint &button, const QString &report, const QString &path)
    {
        m_x->click(report, button);
        const QString box = m_x->waitForWindow(QStringLiteral(" التقرير$"));
        QThread::msleep(300);
        m_x->screenshot(QStringLiteral("class-report-save"));
        QVERIFY2(!box.isEmpty(), "the save box did not open");
        m_x->key(box, {QStringLiteral("ctrl+a")});
        m_x->key(box, keyNames(path));
        m_x->key(box, {QStringLiteral("Return")});
        QVERIFY(m_x->waitForWindowGone(box));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(path), 10000);
    }

private slots:
    void initTestCase()
    {
        qputenv("KZ_RANDOM_SEED", kSeed);
        FillKeyTables();
        // The tutor's face and size, so the twin report's rows stand where the tutor's do.
        platform::setUpArabicApplication(*qApp, QStringLiteral("e2e_classreport"));
        m_x = std::make_unique<XServer>();
        QVERIFY2(m_x->isRunning(), "Xvfb could not start");
    }
    void cleanupTestCase() { m_x.reset(); }

    void threeLearnersTestedThenReported()
    {
        Tutor tutor(*m_x);
        QVERIFY(createLearner(tutor.folder() + QStringLiteral("Layla.USR"), 'A'));
        QVERIFY(createLearner(tutor.folder() + QStringLiteral("Sam.USR"), 'E'));
        QVERIFY(tutor.start());
        QString users = m_x->waitForWindow(QStringLiteral("^Tavrin - المستخدمون$"));
        QVERIFY(!users.isEmpty());

        // Omar is made in the new-user dialog, as a teacher would.
        frmUsers usersLayout;
        m_x->click(users, centreIn(usersLayout.cmdNewUser, &usersLayout));
        const QString dialog = m_x->waitForWindow(QStringLiteral("^مستخدم جديد$"));
        QVERIFY(!dialog.isEmpty());
        m_x->key(dialog, keyNames(QStringLiteral("Omar")));
        m_x->key(dialog, {QStringLiteral("Return")});
        QVERIFY(m_x->waitForWindowGone(dialog));
        QTRY_VERIFY(QFile::exists(tutor.folder() + QStringLiteral("Omar.USR")));

        takeTest(tutor, users, QStringLiteral("Omar"), true, {3, 70, 130});
        takeTest(tutor, users, QStringLiteral("Sam"), false, {});
        const QStringList before = folderState(tutor.folder());

        // "تقرير الفصل" from the user list.
        m_x->screenshot(QStringLiteral("class-report-users"));
        m_x->click(users, centreIn(usersLayout.cmdReport, &usersLayout));
        const QString report = m_x->waitForWindow(QStringLiteral("^Tavrin - تقرير الفصل$"));
        QVERIFY2(!report.isEmpty(), "the class report did not open");
        platform::setProgramFolderForTesting(tutor.folder());
        frmClassReport twin(tutor.folder());
        twin.setLayoutDirection(Qt::RightToLeft); // as the tutor lays it out
        twin.resize(1100, 620);
        twin.show();
        QVERIFY(QTest::qWaitForWindowExposed(&twin));
        // Laid out once, it only lends its geometry: shown, it could stand over the real report and
        // take the clicks meant for it.
        twin.hide();
        m_x->click(report, centreIn(twin.txtTitle, &twin));
        m_x->key(report, {QStringLiteral("ctrl+a")});
        m_x->key(report, keyNames(QStringLiteral("Al Noor School - Grade 5")));
        QThread::msleep(300);
        m_x->screenshot(QStringLiteral("class-report"));

        // Omar's row (the second, in name order) opens his progress.
        const QRect row = twin.lstReport->visualRect(twin.lstReport->model()->index(1, 0));
        m_x->click(report, twin.lstReport->viewport()->mapTo(&twin, row.center()));
        m_x->key(report, {QStringLiteral("Return")});
        const QString progress = m_x->waitForWindow(QStringLiteral("^Tavrin - تقدم Omar"));
        QVERIFY2(!progress.isEmpty(), "the learner's progress did not open");
        QThread::msleep(300);
        m_x->screenshot(QStringLiteral("class-report-progress"));
        m_x->key(progress, {QStringLiteral("Escape")});
        QVERIFY(m_x->waitForWindowGone(progress));

        testsupport::ScratchFolder out;
        const QString csvPath = out.filePath(QStringLiteral("class.csv"));
        const QString pdfPath = out.filePath(QStringLiteral("class.pdf"));
        save(centreIn(twin.cmdCsv, &twin), report, csvPath);
        save(centreIn(twin.cmdPdf, &twin), report, pdfPath);
        m_x->click(report, centreIn(twin.cmdClose, &twin));
        QVERIFY(m_x->waitForWindowGone(report));
        QCOMPARE(folderState(tutor.folder()), before);

        // The CSV: one row per learner, each test as the profile holds it, Omar's misses counted.
        QFile csvFile(csvPath);
        QVERIFY(csvFile.open(QIODevice::ReadOnly));
        const QByteArray bytes = csvFile.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QList<QStringList> records = testsupport::parseCsv(QString::fromUtf8(bytes.mid(3)));
        QCOMPARE(records.size(), 4);
        const QStringList headers = records.first();
        auto column = [&headers](const char *english) {
            for (qsizetype i = 0; i < headers.size(); ++i)
                if (headers.at(i).endsWith(QStringLiteral("(%1)").arg(QLatin1String(english))))
                    return i;
            return qsizetype(-1);
        };
        const QStringList names{QStringLiteral("Layla"), QStringLiteral("Omar"), QStringLiteral("Sam")};
        QCOMPARE(records.at(1).at(column("Name")), names.at(0));
        QCOMPARE(records.at(1).at(column("Last practice")), QString());
        QCOMPARE(records.at(1).at(column("Lesson 1 test 1 speed")), QString());
        for (int i = 1; i < 3; ++i) {
            const QStringList &record = records.at(i + 1);
            QCOMPARE(record.at(column("Name")), names.at(i));
            const QByteArray profile = tutor.profileBytes(names.at(i));
            const int slot = ProfileFile::testSlotOffset(i < 2, 1, 1);
            const qint16 speed = qFromLittleEndian<qint16>(profile.constData() + slot);
            const qint16 accuracy = qFromLittleEndian<qint16>(profile.constData() + slot + 2);
            QVERIFY(speed > 0);
            QCOMPARE(record.at(column("Lesson 1 test 1 speed")), QString::number(speed / 5));
            QCOMPARE(record.at(column("Lesson 1 test 1 accuracy")), QString::number(accuracy));
            QCOMPARE(record.at(column("Language")),
                     LoadResString(i < 2 ? resid::kArabicName : resid::kEnglishName));
            QVERIFY(!record.at(column("Last practice")).isEmpty());
        }
        QVERIFY(records.at(2).at(column("Lesson 1 test 1 accuracy")).toInt() < 100);
        QCOMPARE(records.at(3).at(column("Lesson 1 test 1 accuracy")), QStringLiteral("100"));
        QVERIFY(!records.at(2).at(column("Weakest keys")).isEmpty());

        // The PDF: the title line, every learner and the page number, and its page as an image.
        QString text =
            run(QStringLiteral("pdftotext"), {pdfPath, QStringLiteral("-")})
                .normalized(QString::NormalizationForm_KC)
                .remove(QRegularExpression(QStringLiteral("[\\s\\x{200e}\\x{200f}\\x{202a}-\\x{202e}]")));
        for (const QString &wanted :
             {QStringLiteral("AlNoorSchool-Grade5"), QStringLiteral("Layla"), QStringLiteral("Omar"),
              QStringLiteral("Sam"), QStringLiteral("صفحة1من1"), QStringLiteral("الدرسالتالي")})
            QVERIFY2(text.contains(wanted), qPrintable(wanted));
        const QString shots = qEnvironmentVariable("KZ_E2E_SHOTS");
        QDir().mkpath(shots);
        run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-png"),
                                         pdfPath, shots + QStringLiteral("/class-report-pdf")});
        QVERIFY(QFile::exists(shots + QStringLiteral("/class-report-pdf-1.png")));
        platform::setProgramFolderForTesting(QString());
    }
};

QTEST_MAIN(TestClassReportEndToEnd)
#include "e2e_classreport.moc"

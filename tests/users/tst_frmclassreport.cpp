// The class report's window: opened from the user list, filtered and sorted, a row opening the
// learner's progress read only, exported as CSV and PDF and read back (the PDF's text with
// pdftotext, its pages drawn with pdftoppm), and the profile folder not touched by any of it.
#include "app/KeyTables.h"
#include "app/KeyboardPicture.h"
#include "app/WindowRegistry.h"
#include "app/cTheApp.h"
#include "platform/Folders.h"
#include "progress/ProgressChart.h"
#include "progress/frmProgress.h"
#include "support/TestSupport.h"
#include "users/ClassReportModel.h"
#include "users/ProfileFile.h"
#include "users/cClassReport.h"
#include "users/cHistory.h"
#include "users/frmClassReport.h"
#include "users/frmUsers.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QtEndian>
#include <QtTest>

#include <sys/stat.h>

using namespace testsupport;

namespace {

// A learner in `language` with lesson 1 test 1 taken, and `lines` practice lines of 40 letters at
// 40 a minute (a minute each) in the last days.
void makeLearner(const QString &name, char language, int lines)
{
    QByteArray bytes = ProfileFile::newProfileBytes(90, 150);
    bytes[ProfileFile::kLangOffset] = language;
    const int offset = ProfileFile::testSlotOffset(language == 'A', 1, 1);
    qToLittleEndian(qint16(160), bytes.data() + offset);
    qToLittleEndian(qint16(95), bytes.data() + offset + 2);
    QFile file(theApp().GetPath() + name + QLatin1String(ProfileFile::kExtension));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    for (int i = 0; i < lines; ++i) {
        HistoryRecord record;
        record.iTime = QDateTime::currentMSecsSinceEpoch() - qint64(i + 1) * 3600 * 1000;
        record.bArabic = language == 'A';
        record.kind = i == 0 ? HistoryRecord::Kind::Test : HistoryRecord::Kind::PracticeLine;
        record.iSpeed = 40;
        record.iAccuracy = 95;
        const QString wanted(40, language == 'A' ? u'س' : u'a');
        record.AddKeys(wanted, wanted);
        QVERIFY(cHistory::Append(cHistory::PathFor(theApp().GetPath(), name), record));
    }
}

// Every name in the folder with its bytes, size, mode and times, and the folder's own times.
QStringList folderState(const QString &folder)
{
    auto line = [](const QString &path) {
        struct stat info;
        ::lstat(QFile::encodeName(path).constData(), &info);
        return QStringLiteral("%1 %2 %3 %4.%5 %6.%7 ")
            .arg(path)
            .arg(info.st_size)
            .arg(info.st_mode, 0, 8)
            .arg(info.st_mtim.tv_sec)
            .arg(info.st_mtim.tv_nsec)
            .arg(info.st_ctim.tv_sec)
            .arg(info.st_ctim.tv_nsec);
    };
    QStringList state{line(folder)};
    for (const QString &name :
         QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
        QFile file(folder + name);
        file.open(QIODevice::ReadOnly);
        state.append(line(folder + name) + QString::fromLatin1(file.readAll().toHex()));
    }
    return state;
}

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("%1 failed: %2")
            .arg(program, QString::fromLocal8Bit(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

QStringList column(const frmClassReport &report, int column)
{
    QStringList texts;
    const QAbstractItemModel *model = report.lstReport->model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, column).data().toString());
    return texts;
}

} // namespace

class TestFrmClassReport : public QObject
{
    Q_OBJECT

    std::optional<Sandbox> m_sandbox;

private slots:
    void initTestCase()
    {
        FillKeyTables();
        // The title line a run before left in the tutor's settings.
        QDir(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Tavrin")).removeRecursively();
    }
    void init() { m_sandbox.emplace(); }
    void cleanup() { m_sandbox.reset(); }

    void opensFromTheUserList()
    {
        makeLearner(QStringLiteral("Amal"), 'A', 2);
        frmUsers &users = Window<frmUsers>();
        int shown = -1;
        QTimer::singleShot(0, this, [&shown] {
            auto *report = qobject_cast<frmClassReport *>(QApplication::activeModalWidget());
            QVERIFY(report);
            shown = report->lstReport->model()->rowCount();
            report->cmdClose->click();
        });
        QTest::mouseClick(users.cmdReport, Qt::LeftButton);
        QCOMPARE(shown, 1);
    }

    void filtersSortsAndOpensARow()
    {
        makeLearner(QStringLiteral("Amal"), 'A', 9);
        makeLearner(QStringLiteral("Badr"), 'A', 10);
        makeLearner(QStringLiteral("Carl"), 'E', 3);
        QFile(theApp().GetPath() + QStringLiteral("Dana.USR")).open(QIODevice::WriteOnly);
        frmClassReport report(theApp().GetPath());

        report.cmbLanguage->setCurrentIndex(1); // Arabic: the damaged profile stays in sight
        QCOMPARE(column(report, cClassReport::Name),
                 (QStringList{QStringLiteral("Amal"), QStringLiteral("Badr"), QStringLiteral("Dana")}));
        // By minutes as numbers, not as texts ("9" would come before "10" as a text).
        report.lstReport->sortByColumn(cClassReport::Minutes30, Qt::DescendingOrder);
        QCOMPARE(column(report, cClassReport::Minutes30).mid(0, 2),
                 (QStringList{QStringLiteral("10"), QStringLiteral("9")}));
        QCOMPARE(column(report, cClassReport::Name).mid(0, 2),
                 (QStringList{QStringLiteral("Badr"), QStringLiteral("Amal")}));

        // Enter on a row opens that learner's progress, read only, in the row's language.
        report.show();
        report.lstReport->setCurrentIndex(report.lstReport->model()->index(0, 0));
        QTest::keyClick(report.lstReport, Qt::Key_Return);
        auto *progress = report.findChild<frmProgress *>();
        QVERIFY(progress);
        QVERIFY(progress->isVisible());
        QVERIFY(progress->lblTitle->text().contains(QStringLiteral("Badr")));
        QCOMPARE(progress->picChart->PointCount(), 1);
        QVERIFY(progress->cmdPractice->isHidden());
        QVERIFY(progress->picKeyboard->Picture().labels.contains(
            KeyboardDrawing::Label{QStringLiteral("ش"), keygrid::labels(true).at(13).at}));
        progress->close();
    }

    void exportsReadBackAndTheFolderStaysUntouched()
    {
        // Enough learners for two pages; one of them logged in by another tutor meanwhile.
        for (int i = 0; i < 40; ++i)
            makeLearner(QStringLiteral("learner%1").arg(i, 2, 10, QLatin1Char('0')), i % 4 ? 'A' : 'E', 2);
        makeLearner(QStringLiteral("ليلى"), 'A', 3);
        ProfileFile held;
        QCOMPARE(held.open(theApp().GetPath() + QStringLiteral("ليلى.USR")), ProfileFile::OpenResult::Opened);
        const QString folder = theApp().GetPath();
        const QStringList before = folderState(folder);

        ScratchFolder out; // where the teacher saves, away from the profiles
        platform::setProgramFolderForTesting(folder);
        const QString title = QStringLiteral("مدرسة النور - الصف الخامس");
        {
            frmClassReport report(folder);
            report.show();
            QCOMPARE(report.txtTitle->text(), QString());
            report.txtTitle->setText(title);
            DialogScript dialogs;
            dialogs.answerInput(out.filePath(QStringLiteral("class.csv")));
            dialogs.answerInput(out.filePath(QStringLiteral("class.pdf")));
            report.cmdCsv->click();
            report.cmdPdf->click();
            QCOMPARE(dialogs.requests.size(), 2);
            QCOMPARE(dialogs.requests.at(0).kind, platform::DialogRequest::SaveFile);
            // Named after the folder and the date.
            QCOMPARE(QFileInfo(dialogs.requests.at(0).text).fileName(),
                     QDir(folder).dirName() + QDate::currentDate().toString(QStringLiteral("-yyyy-MM-dd")) +
                         QStringLiteral(".csv"));
            report.lstReport->setCurrentIndex(report.lstReport->model()->index(0, 0));
            report.cmdProgress->click();
            report.cmdClose->click();
        }
        QCOMPARE(folderState(folder), before);
        QCOMPARE(ProfileFile().open(folder + QStringLiteral("ليلى.USR")), ProfileFile::OpenResult::InUse);
        // The title line is there the next time.
        QCOMPARE(frmClassReport(folder).txtTitle->text(), title);

        QFile csv(out.filePath(QStringLiteral("class.csv")));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QList<QStringList> records = parseCsv(QString::fromUtf8(csv.readAll().mid(3)));
        QCOMPARE(records.size(), 42); // the header and each learner's one language
        QCOMPARE(records.last().first(), QStringLiteral("ليلى"));

        const QString pdf = out.filePath(QStringLiteral("class.pdf"));
        // pdftotext gives shaped Arabic as the letters' presentation forms, wrapped in direction marks,
        // and places the blanks between runs of two directions as it sees fit: compared without them.
        QString text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")})
                           .normalized(QString::NormalizationForm_KC);
        text.remove(QRegularExpression(QStringLiteral("[\\s\\x{200e}\\x{200f}\\x{202a}-\\x{202e}]")));
        QVERIFY2(text.contains(QStringLiteral("learner39")), qPrintable(text.left(400)));
        for (const QString &wanted : {title, QStringLiteral("ليلى"), QStringLiteral("الدرس الاول"),
                                      QStringLiteral("صفحة 1 من 2"), QStringLiteral("صفحة 2 من 2")})
            QVERIFY2(text.contains(QString(wanted).remove(QLatin1Char(' '))), qPrintable(wanted));
        QVERIFY(run(QStringLiteral("pdftoppm"),
                    {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-png"), pdf,
                     out.filePath(QStringLiteral("page"))})
                    .isEmpty());
        const QStringList pages = QDir(out.path()).entryList({QStringLiteral("page*.png")});
        QCOMPARE(pages.size(), 2);
        const QImage page(out.filePath(pages.first()));
        QVERIFY(page.width() > page.height()); // landscape
    }
};

QTEST_MAIN(TestFrmClassReport)
#include "tst_frmclassreport.moc"

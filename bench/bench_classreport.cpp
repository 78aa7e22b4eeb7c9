// Figures for the class report of a large school: 500 profiles (four in five practising Arabic),
// each with a school year of history (200 days of 25 practice lines and a test, a tenth of it in the
// other language). Prints the time to read the folder, to open the window and paint it, to sort, to
// scroll the table a page at a time, and to export; asserts nothing. Offscreen unless
// QT_QPA_PLATFORM says otherwise.
//   bench_classreport [learners] [--keep folder] [--shot file.png]
#include "app/KeyTables.h"
#include "mainwindow/mdlMain.h"
#include "platform/ArabicApplication.h"
#include "users/ClassReportPrinter.h"
#include "users/ProfileFile.h"
#include "users/cClassReport.h"
#include "users/cHistory.h"
#include "users/cReportCsv.h"
#include "users/frmClassReport.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QPixmap>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <QtEndian>

#include <algorithm>
#include <ctime>

namespace {

QTextStream out(stdout);

constexpr int kDays = 200;
constexpr int kLinesPerDay = 25;

QByteArray makeHistory(QRandomGenerator &random, bool arabic, qint64 end)
{
    const QStringList &table = arabic ? vArabicKeys : vEnglishKeys;
    const QStringList &other = arabic ? vEnglishKeys : vArabicKeys;
    QByteArray bytes;
    for (int day = 0; day < kDays; ++day) {
        // School days back from `end`, a session at 10 o'clock.
        qint64 time = end - qint64(kDays - day) * 36 * 3600 * 1000;
        const double progress = double(day) / kDays;
        for (int line = 0; line <= kLinesPerDay; ++line) {
            HistoryRecord record;
            record.bArabic = random.bounded(10) == 0 ? !arabic : arabic;
            const QStringList &keys = record.bArabic == arabic ? table : other;
            record.kind =
                line == kLinesPerDay ? HistoryRecord::Kind::Test : HistoryRecord::Kind::PracticeLine;
            record.bLesson = quint8(1 + day * 6 / kDays);
            record.iSpeed = qint16(60 + 120 * progress + random.bounded(30));
            record.iAccuracy = qint16(std::min(100.0, 82 + 14 * progress + random.bounded(5)));
            // A lesson line holds a dozen of the lesson's keys; a test draws on more of them.
            const int length = record.kind == HistoryRecord::Kind::Test ? 300 : 40;
            const int spread = record.kind == HistoryRecord::Kind::Test ? 24 : 10;
            const int first = random.bounded(std::max(1, int(keys.size()) - spread));
            QString wanted, written;
            for (int k = 0; k < length; ++k) {
                const QChar c =
                    k % 6 == 5 ? QLatin1Char(' ') : keys.at(first + random.bounded(spread)).at(0).toLower();
                wanted += c;
                written += random.bounded(100) < 4 ? QChar(u'x') : c;
            }
            record.AddKeys(wanted, written);
            time += 40 * 1000;
            record.iTime = time;
            bytes += cHistory::Encode(record);
        }
    }
    return bytes;
}

void makeFolder(const QString &folder, int learners)
{
    QRandomGenerator random(20261208);
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    qint64 total = 0;
    for (int i = 0; i < learners; ++i) {
        const QString name = QStringLiteral("learner%1").arg(i, 3, 10, QLatin1Char('0'));
        const bool arabic = i % 5 != 4;
        QByteArray profile =
            ProfileFile::newProfileBytes(qint16(90 + random.bounded(8)), qint16(100 + random.bounded(100)));
        profile[ProfileFile::kLangOffset] = arabic ? 'A' : 'E';
        // Lessons 1 to 4 taken, three tests each.
        for (int lesson = 1; lesson <= 4; ++lesson)
            for (int test = 1; test <= 3; ++test) {
                const int offset = ProfileFile::testSlotOffset(arabic, lesson, test);
                qToLittleEndian(qint16(100 + random.bounded(120)), profile.data() + offset);
                qToLittleEndian(qint16(85 + random.bounded(15)), profile.data() + offset + 2);
            }
        QFile file(folder + name + QLatin1String(ProfileFile::kExtension));
        file.open(QIODevice::WriteOnly);
        file.write(profile);
        const QByteArray history = makeHistory(random, arabic, now);
        QFile his(cHistory::PathFor(folder, name));
        his.open(QIODevice::WriteOnly);
        his.write(history);
        total += history.size();
    }
    out << "Folder: " << learners << " profiles, histories " << total / (1024 * 1024) << " MiB in all ("
        << kDays * (kLinesPerDay + 1) << " records each)" << Qt::endl;
}

double median(QList<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples.at(samples.size() / 2);
}

// Processor time of the whole process (every thread), so a figure taken on a busy machine still says
// what the work costs.
double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().split(' ').value(0).toDouble() : 0;
}

double msSince(QElapsedTimer &timer)
{
    const double ms = timer.nsecsElapsed() / 1e6;
    timer.restart();
    return ms;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    SetUpApplication(application);
    FillKeyTables();
    MakeApplicationObjects();

    int learners = 500;
    QString keep;
    QString shot;
    const QStringList arguments = application.arguments();
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--keep") && i + 1 < arguments.size())
            keep = arguments.at(++i);
        else if (arguments.at(i) == QLatin1String("--shot") && i + 1 < arguments.size())
            shot = arguments.at(++i);
        else
            learners = arguments.at(i).toInt();
    }
    QTemporaryDir temporary;
    const QString folder =
        keep.isEmpty() ? temporary.path() + QLatin1Char('/') : QDir(keep).absolutePath() + QLatin1Char('/');
    QDir().mkpath(folder);
    if (ProfileFile::listNames(folder).size() != learners) {
        QElapsedTimer making;
        making.start();
        makeFolder(folder, learners);
        out << "  made in " << making.elapsed() << " ms" << Qt::endl;
    }
    out << "Platform " << QGuiApplication::platformName() << ", " << QThread::idealThreadCount()
        << " threads, load average " << loadAverage() << Qt::endl;

    QList<double> reads, readCpu, opens, sorts;
    QList<ClassReportRow> rows;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        const double cpu = cpuMs();
        rows = cClassReport::Read(folder, QDateTime::currentMSecsSinceEpoch());
        reads.append(msSince(timer));
        readCpu.append(cpuMs() - cpu);

        // As the user list opens it: read, fill, lay out, and the first paint.
        timer.restart();
        frmClassReport report(folder);
        report.show();
        report.lstReport->viewport()->grab();
        opens.append(msSince(timer));

        report.lstReport->sortByColumn(cClassReport::Minutes30, Qt::DescendingOrder);
        sorts.append(msSince(timer));

        if (run == 4) {
            // A page at a time from the top to the bottom, each step painted.
            QScrollBar *bar = report.lstReport->verticalScrollBar();
            QList<double> frames;
            bar->setValue(0);
            while (true) {
                timer.restart();
                report.lstReport->viewport()->grab();
                frames.append(msSince(timer));
                if (bar->value() >= bar->maximum())
                    break;
                bar->setValue(bar->value() + bar->pageStep());
            }
            // Across: the table is wider than the window.
            QScrollBar *across = report.lstReport->horizontalScrollBar();
            across->setValue(across->maximum());
            timer.restart();
            report.lstReport->viewport()->grab();
            frames.append(msSince(timer));
            const double worst = *std::max_element(frames.cbegin(), frames.cend());
            out << "scroll, " << frames.size() << " pages painted: median " << median(frames) << " ms, worst "
                << worst << " ms" << Qt::endl;
            if (!shot.isEmpty()) {
                bar->setValue(0);
                across->setValue(0);
                report.grab().save(shot);
            }
        }
    }
    out << "rows: " << rows.size() << Qt::endl;
    out << "read the folder (every profile and history): " << median(reads) << " ms (median of 5; first "
        << reads.first() << " ms), processor time " << median(readCpu) << " ms" << Qt::endl;
    out << "open the window and paint it:                " << median(opens) << " ms" << Qt::endl;
    out << "sort by a column:                            " << median(sorts) << " ms" << Qt::endl;

    QTemporaryDir exports;
    QElapsedTimer timer;
    timer.start();
    cReportCsv::Save(exports.filePath(QStringLiteral("report.csv")), rows);
    out << "CSV of every row:                            " << msSince(timer) << " ms" << Qt::endl;
    ClassReportPrinter::SavePdf(exports.filePath(QStringLiteral("report.pdf")),
                                {QStringLiteral("مدرسة"), QStringLiteral("تقرير")}, rows);
    out << "PDF of every row:                            " << msSince(timer) << " ms, "
        << QFileInfo(exports.filePath(QStringLiteral("report.pdf"))).size() / 1024 << " KiB" << Qt::endl;
    return 0;
}

// Figures for the progress screen over a long history: 100 000 records (nine practice lines to a
// test, all in one language) read and summarised, and the screen loaded and painted whole. Prints
// figures; asserts nothing. Runs offscreen unless QT_QPA_PLATFORM says otherwise.
//   bench_progress [records] [--shot file.png] [--keep folder]
#include "app/KeyTables.h"
#include "app/KeyboardPicture.h"
#include "app/WindowRegistry.h"
#include "app/cTheApp.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/mdlMain.h"
#include "platform/ArabicApplication.h"
#include "platform/Folders.h"
#include "progress/ProgressChart.h"
#include "progress/frmProgress.h"
#include "users/ProfileFile.h"
#include "users/cHistoryStats.h"
#include "users/cUser.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPixmap>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

namespace {

QTextStream out(stdout);

// A history as years of practice would leave it: lines of 40 letters and tests of 300, drawn from
// the lesson keys, with a few percent missed, speeds and accuracies slowly rising.
QByteArray makeHistory(int count, bool arabic)
{
    QRandomGenerator random(20261208);
    const QStringList &table = arabic ? vArabicKeys : vEnglishKeys;
    QByteArray bytes;
    const qint64 start = QDateTime(QDate(2025, 1, 1), QTime(9, 0)).toMSecsSinceEpoch();
    for (int i = 0; i < count; ++i) {
        HistoryRecord record;
        record.iTime = start + qint64(i) * 10 * 60 * 1000;
        record.bArabic = arabic;
        record.kind = i % 10 == 9 ? HistoryRecord::Kind::Test : HistoryRecord::Kind::PracticeLine;
        record.bLesson = quint8(1 + (i / 1000) % 6);
        const double progress = double(i) / count;
        record.iSpeed = qint16(60 + 140 * progress + random.bounded(30));
        record.iAccuracy = qint16(std::min(100.0, 80 + 15 * progress + random.bounded(6)));
        const int length = record.kind == HistoryRecord::Kind::Test ? 300 : 40;
        QString wanted, written;
        for (int k = 0; k < length; ++k) {
            const QString key = table.at(random.bounded(int(table.size())));
            const QChar c = k % 5 == 4 ? QLatin1Char(' ') : key.at(0).toLower();
            wanted += c;
            written += random.bounded(100) < 4 ? QChar(u'x') : c;
        }
        record.AddKeys(wanted, written);
        bytes += cHistory::Encode(record);
    }
    return bytes;
}

double median(QList<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples.at(samples.size() / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    platform::setUpArabicApplication(application, QStringLiteral("Tavrin"));
    FillKeyTables();

    const QStringList arguments = application.arguments();
    int count = 100000;
    QString shot;
    QString keep;
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--shot") && i + 1 < arguments.size())
            shot = arguments.at(++i);
        else if (arguments.at(i) == QLatin1String("--keep") && i + 1 < arguments.size())
            keep = arguments.at(++i);
        else
            count = arguments.at(i).toInt();
    }

    QTemporaryDir temporary;
    const QString folder = keep.isEmpty() ? temporary.path() + QLatin1Char('/') : keep + QLatin1Char('/');
    platform::setProgramFolderForTesting(folder);
    ProfileFile::create(folder + QStringLiteral("bench") + QLatin1String(ProfileFile::kExtension), 90, 150);
    MakeApplicationObjects();
    theUser().LogIn(QStringLiteral("bench"));
    Window<frmMain>().hide();

    const QString path = cHistory::PathFor(folder, QStringLiteral("bench"));
    const QByteArray bytes = makeHistory(count, true);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    file.close();
    out << "Platform " << QGuiApplication::platformName() << Qt::endl;
    out << "History: " << count << " records, " << bytes.size() / 1024 << " KiB" << Qt::endl;

    QList<double> reads, summaries, loads, screens;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer timer;
        timer.start();
        const QByteArray read = cHistory::ReadFile(path);
        reads.append(timer.nsecsElapsed() / 1e6);
        timer.restart();
        const HistorySummary summary = cHistoryStats::Summarise(read, true);
        summaries.append(timer.nsecsElapsed() / 1e6);
        if (summary.tests.size() != count / 10)
            out << "unexpected: " << summary.tests.size() << " tests" << Qt::endl;

        // The whole screen as the menu opens it: load (read, summarise, fill) and one full paint.
        timer.restart();
        frmProgress &screen = Window<frmProgress>();
        loads.append(timer.nsecsElapsed() / 1e6);
        const QPixmap painted = screen.picProgress->grab();
        screens.append(timer.nsecsElapsed() / 1e6);
        if (run >= 5) {
            QElapsedTimer part;
            part.start();
            screen.picChart->grab();
            const double chart = part.nsecsElapsed() / 1e6;
            part.restart();
            screen.picKeyboard->grab();
            out << "  chart " << chart << " ms, keyboard " << part.nsecsElapsed() / 1e6 << " ms" << Qt::endl;
        }
        if (run == 0 && !shot.isEmpty())
            painted.save(shot);
        WindowRegistry::Unload<frmProgress>();
    }
    out << "read the file:                   " << median(reads) << " ms (median of 7)" << Qt::endl;
    out << "summarise it:                    " << median(summaries) << " ms" << Qt::endl;
    out << "load the screen:                 " << median(loads) << " ms" << Qt::endl;
    out << "load and paint the screen whole: " << median(screens) << " ms" << Qt::endl;
    return 0;
}

// Figures for the disk work of the key that ends a line: the history record appended to a history
// of 10 000 records, and a lesson test's 4-byte slot written to its profile, each timed in the
// handler's place, synced there (as before the writer thread) and handed to the writer thread (as
// now). Run it in a folder on a real disk (the first argument; the current folder by default): on a
// tmpfs a sync costs nothing. Prints figures; asserts nothing.
#include "platform/SyncWriter.h"
#include "users/ProfileFile.h"
#include "users/cHistory.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

constexpr int kLines = 150;

HistoryRecord lineRecord()
{
    HistoryRecord record;
    record.iTime = 1'700'000'000'000;
    record.iSpeed = 180;
    record.iAccuracy = 96;
    for (const QChar c : QStringLiteral("asdfjkl;gh"))
        record.keys.append({c, 6, 1});
    return record;
}

// Times `lineEnd` kLines times, a typist's pause apart, the writer's news taken between lines as
// the event loop takes it.
void report(const char *name, const std::function<void()> &lineEnd)
{
    std::vector<double> micros;
    for (int i = 0; i < kLines; ++i) {
        QElapsedTimer timer;
        timer.start();
        lineEnd();
        micros.push_back(double(timer.nsecsElapsed()) / 1000.0);
        QThread::msleep(15);
        QCoreApplication::processEvents();
    }
    platform::waitForSyncs();
    std::sort(micros.begin(), micros.end());
    QTextStream(stdout) << QStringLiteral("%1: median %2 us, p90 %3 us, max %4 us\n")
                               .arg(QLatin1String(name))
                               .arg(micros[micros.size() / 2], 0, 'f', 1)
                               .arg(micros[micros.size() * 9 / 10], 0, 'f', 1)
                               .arg(micros.back(), 0, 'f', 1);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QTemporaryDir folder(QString::fromLocal8Bit(argc > 1 ? argv[1] : ".") +
                         QStringLiteral("/bench_lineend-XXXXXX"));
    const QString history = folder.filePath(QStringLiteral("learner.his"));
    const HistoryRecord record = lineRecord();
    {
        QByteArray bytes;
        for (int i = 0; i < 10'000; ++i)
            bytes += cHistory::Encode(record);
        cHistory::Append(history, record);
        QFile file(history);
        file.open(QIODevice::Append);
        file.write(bytes);
    }
    report("history record, synced in the handler", [&] { cHistory::Append(history, record); });
    report("history record, synced on the writer thread",
           [&] { cHistory::Append(history, record, nullptr, [](const QString &) {}); });

    const QString profile = folder.filePath(QStringLiteral("learner.USR"));
    ProfileFile file;
    if (!ProfileFile::create(profile, 90, 100) || file.open(profile) != ProfileFile::OpenResult::Opened)
        return 1;
    const int slot = ProfileFile::testSlotOffset(false, 2, 1);
    const QByteArray bytes(4, '\1');
    report("test slot, synced in the handler", [&] { file.writeBytes(slot, bytes); });
    report("test slot, synced on the writer thread",
           [&] { file.writeBytesSyncLater(slot, bytes, nullptr, [](const QString &) {}); });
    return 0;
}

// Start-up to the first window, step by step: each start is a fresh process (this program run again
// with --child), so every step is paid as a learner's start pays it: loading the program, the
// QApplication with the display scale, the application's set-up (faces, translations), Main (the user
// list built and shown),
// the wait for the window to be exposed and its first paint. Three program folders: a Latin profile
// listed, an Arabic one, none. Rounds go case by case, so the machine's load touches each alike; the
// first round fills the page cache and is left out. Then, in one process, the window built again and
// again (warm). Prints figures; asserts nothing. Runs offscreen when there is no display.
//   bench_startup [--rounds N]         all cases
//   bench_startup --child NAMES NS     one start with the profiles NAMES (comma-separated) listed,
//                                      NS the parent's CLOCK_MONOTONIC at fork, in nanoseconds
#include "app/WindowRegistry.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/mdlMain.h"
#include "platform/DisplayScale.h"
#include "platform/Folders.h"
#include "platform/Screens.h"
#include "users/ProfileFile.h"
#include "users/frmUsers.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QWindow>

#include <algorithm>
#include <ctime>
#include <map>

namespace {

QTextStream out(stdout);

qint64 monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Times the first expose of the user list: Qt paints a window while it handles its expose.
class TimedApplication : public QApplication
{
public:
    using QApplication::QApplication;
    QWindow *watched = nullptr;
    qint64 exposedNs = 0;
    qint64 paintedNs = 0;

    bool notify(QObject *receiver, QEvent *event) override
    {
        if (!watched || receiver != watched || event->type() != QEvent::Expose || paintedNs)
            return QApplication::notify(receiver, event);
        exposedNs = monotonicNs();
        const bool handled = QApplication::notify(receiver, event);
        if (watched->isExposed())
            paintedNs = monotonicNs();
        return handled;
    }
};

const char *const kSteps[] = {"program loaded", "QApplication, scale", "SetUpApplication", "Main (list built, shown)",
                              "until exposed", "first paint", "exec to first paint"};

int child(int argc, char *argv[], const QString &names, qint64 forkedNs)
{
    const qint64 mainNs = monotonicNs();
    // The display scale as the tutor's main applies it (the environment may pin it).
    platform::applyScaleBeforeStart(frmMain::kWindowSize);
    TimedApplication application(argc, argv);
    platform::settleScaleAfterStart(frmMain::kWindowSize, platform::pointerScreenArea());
    const qint64 applicationNs = monotonicNs();

    // The program folder and its profiles, made before the clock's next step.
    QTemporaryDir folder;
    platform::setProgramFolderForTesting(folder.path() + QLatin1Char('/'));
    for (const QString &name : names.split(QLatin1Char(','), Qt::SkipEmptyParts))
        ProfileFile::create(folder.filePath(name + QLatin1String(ProfileFile::kExtension)), 95, 150);

    const qint64 setUpFromNs = monotonicNs();
    SetUpApplication(application);
    const qint64 setUpNs = monotonicNs();
    Main();
    const qint64 mainDoneNs = monotonicNs();
    frmUsers &users = Window<frmUsers>();
    application.watched = users.windowHandle();
    QElapsedTimer waited;
    waited.start();
    while (!application.paintedNs && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    if (!application.paintedNs)
        return 1;

    const double ms[] = {(mainNs - forkedNs) / 1e6,
                         (applicationNs - mainNs) / 1e6,
                         (setUpNs - setUpFromNs) / 1e6,
                         (mainDoneNs - setUpNs) / 1e6,
                         (application.exposedNs - mainDoneNs) / 1e6,
                         (application.paintedNs - application.exposedNs) / 1e6,
                         (application.paintedNs - forkedNs - (setUpFromNs - applicationNs)) / 1e6};
    for (double step : ms)
        out << step << ' ';
    out << Qt::endl;
    return 0;
}

QString median(QList<double> samples)
{
    if (samples.isEmpty())
        return QStringLiteral("-");
    std::sort(samples.begin(), samples.end());
    return QString::number(samples.at(samples.size() / 2), 'f', 1);
}

// The user list built again in a running process: faces and tables are loaded by now.
double warmRebuild(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QTemporaryDir folder;
    platform::setProgramFolderForTesting(folder.path() + QLatin1Char('/'));
    for (const char *name : {"Sami", "ليلى"})
        ProfileFile::create(folder.filePath(QString::fromUtf8(name) + QLatin1String(ProfileFile::kExtension)), 95,
                            150);
    SetUpApplication(application);
    QList<double> runs;
    for (int run = 0; run < 15; ++run) {
        QElapsedTimer timer;
        timer.start();
        Main();
        frmUsers &users = Window<frmUsers>();
        while (!(users.windowHandle() && users.windowHandle()->isExposed()) && timer.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        users.repaint();
        if (run > 0)
            runs.append(timer.nsecsElapsed() / 1e6);
        WindowRegistry::UnloadAll();
    }
    std::sort(runs.begin(), runs.end());
    return runs.at(runs.size() / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc >= 4 && qstrcmp(argv[1], "--child") == 0)
        return child(argc, argv, QString::fromUtf8(argv[2]), QByteArray(argv[3]).toLongLong());
    int rounds = 7;
    if (argc >= 3 && qstrcmp(argv[1], "--rounds") == 0)
        rounds = qMax(1, atoi(argv[2]));

    const std::pair<QString, QString> cases[] = {{QStringLiteral("Latin profile"), QStringLiteral("Sami")},
                                                 {QStringLiteral("Arabic profile"), QStringLiteral("ليلى")},
                                                 {QStringLiteral("no profile"), QString()}};
    std::map<QString, std::vector<QList<double>>> figures;
    for (int round = 0; round <= rounds; ++round) {
        for (const auto &[label, names] : cases) {
            QProcess start;
            start.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            const qint64 forked = monotonicNs();
            start.start(QString::fromLocal8Bit(argv[0]),
                        {QStringLiteral("--child"), names, QString::number(forked)});
            start.waitForFinished(20000);
            const QStringList steps =
                QString::fromLatin1(start.readAllStandardOutput()).simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (round == 0 || steps.size() != int(std::size(kSteps)))
                continue;
            auto &columns = figures[label];
            columns.resize(std::size(kSteps));
            for (size_t i = 0; i < std::size(kSteps); ++i)
                columns[i].append(steps.at(int(i)).toDouble());
        }
    }

    out << "platform: " << (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ? QStringLiteral("xcb")
                                                                          : qEnvironmentVariable("QT_QPA_PLATFORM"))
        << ", display scale " << (qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qEnvironmentVariable("QT_SCALE_FACTOR")
                                                                                : QStringLiteral("the learner's"))
        << ", " << rounds << " starts of each, medians in ms" << Qt::endl;
    out << qSetFieldWidth(28) << Qt::left << "step";
    for (const auto &[label, names] : cases)
        out << qSetFieldWidth(16) << label;
    out << qSetFieldWidth(0) << Qt::endl;
    for (size_t i = 0; i < std::size(kSteps); ++i) {
        out << qSetFieldWidth(28) << kSteps[i];
        for (const auto &[label, names] : cases) {
            const auto found = figures.find(label);
            out << qSetFieldWidth(16) << (found == figures.end() ? QStringLiteral("-") : median(found->second[i]));
        }
        out << qSetFieldWidth(0) << Qt::endl;
    }
    out << "(the profiles are made between QApplication and SetUpApplication, outside the figures)" << Qt::endl;
    out << "user list built again, warm median: " << QString::number(warmRebuild(argc, argv), 'f', 1) << " ms"
        << Qt::endl;
    return 0;
}

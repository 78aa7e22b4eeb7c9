// Start-up to the first window: the time from an empty process (after QApplication exists) to the
// user selection shown and exposed, with fonts, string table and keyboard tables loaded on the way.
// The first run is cold (fonts and resources load once per process); later runs show the warm cost
// of building the window. Prints figures; asserts nothing. Runs offscreen when there is no display.
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
#include <QTemporaryDir>
#include <QTextStream>
#include <QWindow>

#include <algorithm>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QElapsedTimer sinceStart;
    sinceStart.start();
    // The display scale as the tutor's main applies it (the environment may pin it).
    platform::applyScaleBeforeStart(frmMain::kWindowSize);
    const double scaleBeforeMs = sinceStart.nsecsElapsed() / 1e6;
    QApplication application(argc, argv);
    const double applicationMs = sinceStart.nsecsElapsed() / 1e6 - scaleBeforeMs;
    QElapsedTimer settling;
    settling.start();
    platform::settleScaleAfterStart(frmMain::kWindowSize, platform::pointerScreenArea());
    const double scaleAfterMs = settling.nsecsElapsed() / 1e6;

    // A program folder with a few profiles, so the user list has something to read.
    QTemporaryDir folder;
    platform::setProgramFolderForTesting(folder.path());
    for (const char *name : {"Huda", "Omar", "ليلى", "Sami"})
        ProfileFile::create(folder.filePath(QString::fromUtf8(name) + QStringLiteral(".USR")), 95, 150);

    QList<double> runs;
    for (int run = 0; run < 15; ++run) {
        QElapsedTimer timer;
        timer.start();
        if (run == 0)
            SetUpApplication(application);
        Main();
        frmUsers &users = Window<frmUsers>();
        while (!(users.windowHandle() && users.windowHandle()->isExposed()) && timer.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        runs.append(timer.nsecsElapsed() / 1e6);
        WindowRegistry::UnloadAll();
    }

    const double cold = runs.takeFirst();
    std::sort(runs.begin(), runs.end());
    QTextStream out(stdout);
    out << "platform: " << QGuiApplication::platformName() << '\n';
    out << "QApplication constructed:             " << QString::number(applicationMs, 'f', 1) << " ms\n";
    out << "display scale " << platform::appliedScale()
        << " %, before/after the application: " << QString::number(scaleBeforeMs, 'f', 2) << " / "
        << QString::number(scaleAfterMs, 'f', 2) << " ms\n";
    out << "start-up to the user list, cold:      " << QString::number(cold, 'f', 1) << " ms\n";
    out << "start-up to the user list, warm median: " << QString::number(runs.at(runs.size() / 2), 'f', 1)
        << " ms (" << runs.size() << " runs)\n";
    return 0;
}

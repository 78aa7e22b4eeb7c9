#include "mainwindow/frmMain.h"
#include "mainwindow/mdlMain.h"
#include "platform/DisplayScale.h"
#include "platform/Screens.h"
#include "platform/SyncWriter.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    platform::applyScaleBeforeStart(frmMain::kWindowSize);
    QApplication application(argc, argv);
    platform::settleScaleAfterStart(frmMain::kWindowSize, platform::pointerScreenArea());
    SetUpApplication(application);
    if (!Main())
        return 1;
    const int exitCode = QApplication::exec();
    // The last window closed: what was written reaches the disk before the process ends.
    platform::waitForSyncs();
    return exitCode;
}

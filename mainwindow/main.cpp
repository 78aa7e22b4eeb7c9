#include "mainwindow/frmMain.h"
#include "mainwindow/mdlMain.h"
#include "platform/DisplayScale.h"
#include "platform/Screens.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    platform::applyScaleBeforeStart(frmMain::kWindowSize);
    QApplication application(argc, argv);
    platform::settleScaleAfterStart(frmMain::kWindowSize, platform::pointerScreenArea());
    SetUpApplication(application);
    if (!Main())
        return 1;
    return QApplication::exec();
}

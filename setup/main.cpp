#include "platform/DisplayScale.h"
#include "platform/Screens.h"
#include "setup/mdlSetup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // The scale the learner chose for the tutor. "fit" takes the step the tutor's main window (790 by
    // 480) takes, so both programs draw alike and the page leaves the background's title clear.
    const QSize tutorWindow(790, 480);
    platform::applyScaleBeforeStart(tutorWindow);
    QApplication application(argc, argv);
    platform::settleScaleAfterStart(tutorWindow, platform::pointerScreenArea());
    SetUpApplication(application);
    Main();
    return application.exec();
}

#include "platform/DisplayScale.h"
#include "platform/Screens.h"
#include "setup/PageParts.h"
#include "setup/mdlSetup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // The scale the learner chose for the tutor; "fit" measures the installer's own page.
    const QSize page(pageparts::kPageWidth, pageparts::kPageHeight);
    platform::applyScaleBeforeStart(page);
    QApplication application(argc, argv);
    platform::settleScaleAfterStart(page, platform::pointerScreenArea());
    SetUpApplication(application);
    Main();
    return application.exec();
}

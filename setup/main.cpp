#include "setup/mdlSetup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    SetUpApplication(application);
    Main();
    return application.exec();
}

#include "mainwindow/mdlMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    SetUpApplication(application);
    if (!Main())
        return 1;
    return QApplication::exec();
}

#include "setup/mdlSetup.h"

#include "platform/ArabicApplication.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Folders.h"
#include "platform/Process.h"
#include "setup/frmBackGround.h"
#include "setup/frmWelcome.h"

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QThread>

QString sInstallPath;
bool bCreateGroup = true;

namespace {
std::function<void(int)> &sleeper()
{
    static std::function<void(int)> function;
    return function;
}

QList<QPointer<QWidget>> &loadedWindows()
{
    static QList<QPointer<QWidget>> windows;
    return windows;
}
} // namespace

void SetUpApplication(QApplication &application)
{
    platform::setUpArabicApplication(application, QStringLiteral("Tavrin Setup"));
    Q_INIT_RESOURCE(icons); // the tutor's icon
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/KZ-64.png")));
}

void Main()
{
    Window<frmBackGround>().show();
    Window<frmWelcome>().show();
}

bool ConfirmExit(QWidget *parent)
{
    const int answer = platform::messageBox(QStringLiteral("هل انت متأكد من رغبتك في إنهاء برنامج التركيب ؟"),
                                            QStringLiteral("تركيب Tavrin"), platform::MessageIcon::Question,
                                            platform::MessageButtons::YesNo, parent);
    if (answer != platform::AnswerYes)
        return false;
    platform::endProgram(kExitCancelled);
    return true;
}

QString SetupFolder()
{
    return platform::programFolder();
}

void Sleep(int iNumofSeconds)
{
    if (sleeper()) {
        sleeper()(iNumofSeconds);
        return;
    }
    // A monotonic clock, so the wait neither ends early nor lasts for ever across midnight.
    const double end = platform::monotonicSeconds() + iNumofSeconds;
    while (platform::monotonicSeconds() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10); // keeps the wait from taking a whole core
    }
}

void setSleepForTesting(std::function<void(int)> function)
{
    sleeper() = std::move(function);
}

namespace setupwindows {
void Register(QWidget *window)
{
    loadedWindows().append(window);
}
} // namespace setupwindows

void UnloadAll()
{
    const QList<QPointer<QWidget>> windows = loadedWindows();
    loadedWindows().clear();
    for (const QPointer<QWidget> &window : windows)
        delete window.data();
}

void CentreOverBackground(QWidget *page)
{
    const QRect background = Window<frmBackGround>().geometry();
    page->move(background.x() + (background.width() - page->width()) / 2,
               background.y() + (background.height() - page->height()) / 2);
}

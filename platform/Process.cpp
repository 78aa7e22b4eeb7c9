#include "platform/Process.h"

#include "platform/SyncWriter.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {
std::function<bool(const QString &)> &testStarter()
{
    static std::function<bool(const QString &)> fn;
    return fn;
}

std::function<void(int)> &testEnder()
{
    static std::function<void(int)> fn;
    return fn;
}
std::function<bool(const QString &)> &testOpener()
{
    static std::function<bool(const QString &)> fn;
    return fn;
}
} // namespace

bool openWebPage(const QString &url)
{
    if (testOpener())
        return testOpener()(url);
    return QDesktopServices::openUrl(QUrl(url));
}

bool startDetached(const QString &program)
{
    if (testStarter())
        return testStarter()(program);
    return QProcess::startDetached(program, {}, QFileInfo(program).absolutePath());
}

QString runningExecutable()
{
    return QCoreApplication::applicationFilePath();
}

void endProgram(int exitCode)
{
    // What was written reaches the disk first, and a sync that failed is still told.
    waitForSyncs();
    if (testEnder()) {
        testEnder()(exitCode);
        return;
    }
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

void setStartDetachedForTesting(std::function<bool(const QString &)> starter)
{
    testStarter() = std::move(starter);
}

void setEndProgramForTesting(std::function<void(int)> ender)
{
    testEnder() = std::move(ender);
}

void setOpenWebPageForTesting(std::function<bool(const QString &)> opener)
{
    testOpener() = std::move(opener);
}

} // namespace platform

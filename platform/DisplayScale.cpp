#include "platform/DisplayScale.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>

#include <cmath>
#include <cstdio>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

constexpr char kScaleVariable[] = "QT_SCALE_FACTOR";
// Set across the one start again that "fit" may ask for, so a screen that keeps changing its size
// can never make the program start over and over.
constexpr char kSettlingVariable[] = "KZ_SCALE_SETTLING";
// The desktop's title bar, which the window needs beside its own height.
constexpr int kTitleBarAllowance = 30;
constexpr double kScreenShare = 0.85;

int s_applied = 100;
bool s_fromEnvironment = false;

QSettings displaySettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tavrin"),
                     QStringLiteral("Display"));
}

QSize storedArea()
{
    return displaySettings().value(QStringLiteral("Display/Area")).toSize();
}

std::function<void()> &testRestarter()
{
    static std::function<void()> restarter;
    return restarter;
}

bool isStep(int percent)
{
    return std::find(kScaleSteps.begin(), kScaleSteps.end(), percent) != kScaleSteps.end();
}

} // namespace

int fitScale(QSize available, QSize window)
{
    int best = kScaleSteps.front();
    if (!available.isValid() || !window.isValid())
        return best;
    const double width = available.width() * kScreenShare;
    const double height = available.height() * kScreenShare;
    for (int percent : kScaleSteps) {
        const double factor = percent / 100.0;
        if (window.width() * factor <= width && (window.height() + kTitleBarAllowance) * factor <= height)
            best = percent;
    }
    return best;
}

int scaleSetting()
{
    const QString value = displaySettings().value(QStringLiteral("Display/Scale")).toString();
    bool ok = false;
    const int percent = value.toInt(&ok);
    return ok && isStep(percent) ? percent : kScaleFit;
}

void setScaleSetting(int percent)
{
    QSettings settings = displaySettings();
    settings.setValue(QStringLiteral("Display/Scale"),
                      isStep(percent) ? QString::number(percent) : QStringLiteral("fit"));
    settings.sync();
}

int scaleFor(int setting, QSize window)
{
    return setting == kScaleFit ? fitScale(storedArea(), window) : setting;
}

int nextScaleStep(int percent, int direction)
{
    auto at = std::find(kScaleSteps.begin(), kScaleSteps.end(), percent);
    if (at == kScaleSteps.end())
        at = kScaleSteps.begin();
    const auto index = std::clamp<std::ptrdiff_t>(at - kScaleSteps.begin() + direction, 0,
                                                  std::ptrdiff_t(kScaleSteps.size()) - 1);
    return kScaleSteps[std::size_t(index)];
}

void applyScaleBeforeStart(QSize window)
{
    if (qEnvironmentVariableIsSet(kScaleVariable)) {
        s_fromEnvironment = true;
        bool ok = false;
        const double factor = qEnvironmentVariable(kScaleVariable).toDouble(&ok);
        s_applied = ok && factor > 0 ? int(std::lround(factor * 100)) : 100;
        return;
    }
    s_fromEnvironment = false;
    s_applied = scaleFor(scaleSetting(), window);
    if (s_applied != 100)
        qputenv(kScaleVariable, QByteArray::number(s_applied / 100.0));
}

void settleScaleAfterStart(QSize window, QSize available)
{
    if (s_fromEnvironment)
        return;
    qunsetenv(kScaleVariable);
    const bool settling = qEnvironmentVariableIsSet(kSettlingVariable);
    qunsetenv(kSettlingVariable);
    const QSize area(int(std::lround(available.width() * s_applied / 100.0)),
                     int(std::lround(available.height() * s_applied / 100.0)));
    if (!area.isValid())
        return;
    if (area != storedArea()) {
        QSettings settings = displaySettings();
        settings.setValue(QStringLiteral("Display/Area"), area);
        settings.sync();
    }
    if (!settling && scaleSetting() == kScaleFit && fitScale(area, window) != s_applied) {
        qputenv(kSettlingVariable, "1");
        restartProgram();
        qunsetenv(kSettlingVariable);
    }
}

int appliedScale()
{
    return s_applied;
}

bool scaleFromEnvironment()
{
    return s_fromEnvironment;
}

void restartProgram()
{
    if (testRestarter()) {
        testRestarter()();
        return;
    }
    const QByteArray program = QFile::encodeName(QCoreApplication::applicationFilePath());
    QList<QByteArray> arguments;
    for (const QString &argument : QCoreApplication::arguments())
        arguments.append(QFile::encodeName(argument));
    std::vector<char *> argv;
    for (QByteArray &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::fflush(nullptr);
    // Every file the programs keep open is opened close-on-exec, so a profile's lock goes with it.
    ::execv(program.constData(), argv.data());
}

void setRestartProgramForTesting(std::function<void()> restarter)
{
    testRestarter() = std::move(restarter);
}

} // namespace platform

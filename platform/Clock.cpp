#include "platform/Clock.h"

#include <QElapsedTimer>
#include <QTime>

namespace platform {

namespace {
std::function<double()> &testClock()
{
    static std::function<double()> clock;
    return clock;
}
} // namespace

double secondsSinceMidnight()
{
    if (testClock())
        return testClock()();
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

double elapsedSeconds(double start, double end)
{
    double elapsed = end - start;
    if (elapsed < 0)
        elapsed += kSecondsPerDay;
    return elapsed;
}

void setClockForTesting(std::function<double()> clock)
{
    testClock() = std::move(clock);
}

double monotonicSeconds()
{
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer.nsecsElapsed() / 1e9;
}

} // namespace platform

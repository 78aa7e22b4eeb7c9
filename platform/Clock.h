#pragma once

#include <functional>

namespace platform {

constexpr double kSecondsPerDay = 86400.0;

// Seconds since local midnight, with millisecond resolution; restarts at 0 at midnight.
double secondsSinceMidnight();

// Seconds from `start` to `end`, both read from secondsSinceMidnight(). An end that is earlier than
// the start means the clock wrapped at midnight in between.
double elapsedSeconds(double start, double end);

// Tests replace the clock; an empty function restores the real one.
void setClockForTesting(std::function<double()> clock);

// Monotonic seconds for waits: unaffected by midnight or by changes of the wall clock.
double monotonicSeconds();

} // namespace platform

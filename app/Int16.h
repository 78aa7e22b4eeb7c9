#pragma once

#include <QtGlobal>

#include <cmath>
#include <limits>

// The tutor keeps its counts, speeds and accuracies as signed 16-bit integers. Conversions saturate
// instead of overflowing, and a division by zero gives 0: no input may crash the tutor.

inline qint16 Saturate16(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= std::numeric_limits<qint16>::max())
        return std::numeric_limits<qint16>::max();
    if (value <= std::numeric_limits<qint16>::min())
        return std::numeric_limits<qint16>::min();
    return static_cast<qint16>(value);
}

// Assigning a fraction to a 16-bit integer rounds half to even (2.5 gives 2, 3.5 gives 4).
inline qint16 RoundToInt16(double value)
{
    return Saturate16(std::nearbyint(value));
}

// The integer part, cut toward zero (-2.7 gives -2).
inline qint16 Fix16(double value)
{
    return Saturate16(std::trunc(value));
}

// Integer division, cut toward zero.
inline qint16 IntDiv16(int dividend, int divisor)
{
    if (divisor == 0)
        return 0;
    return Saturate16(dividend / divisor);
}

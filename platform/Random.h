#pragma once

#include <QList>

namespace platform {

// The process-wide random source: uniform values in [0, 1). Seeded once per process, so a learner
// gets fresh texts at each start; the environment variable KZ_RANDOM_SEED fixes the seed for tests.
double rnd();

// Tests install a fixed sequence; values are handed out in order and the sequence repeats.
// An empty list restores the real source.
void setRandomSequenceForTesting(QList<double> values);

} // namespace platform

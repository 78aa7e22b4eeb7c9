#include "platform/Random.h"

#include <QRandomGenerator>

namespace platform {

namespace {
struct FixedSequence
{
    QList<double> values;
    qsizetype next = 0;
};

FixedSequence &fixedSequence()
{
    static FixedSequence sequence;
    return sequence;
}
} // namespace

double rnd()
{
    FixedSequence &fixed = fixedSequence();
    if (!fixed.values.isEmpty()) {
        const double value = fixed.values.at(fixed.next);
        fixed.next = (fixed.next + 1) % fixed.values.size();
        return value;
    }
    static QRandomGenerator generator = [] {
        // End-to-end tests fix the seed so they know which texts the tutor will draw.
        bool fixed = false;
        const quint32 seed = qEnvironmentVariableIntValue("KZ_RANDOM_SEED", &fixed);
        return fixed ? QRandomGenerator(seed) : QRandomGenerator::securelySeeded();
    }();
    return generator.generateDouble();
}

void setRandomSequenceForTesting(QList<double> values)
{
    fixedSequence() = {std::move(values), 0};
}

} // namespace platform

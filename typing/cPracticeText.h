#pragma once

#include "typing/cPractice.h"

#include <QString>
#include <QStringList>

// Practices of letters the learner picked (the custom lessons) or the history found weakest (the
// progress screen).

// One practice line: random words of `letters` until the line is longer than 30 characters, in
// lower case. With no letters each word is empty, so the line is 31 spaces; the random source is
// drawn from alike either way.
QString CustomPracticeLine(const QStringList &letters);

// The practice of the letters the learner picked, in their order: 50 such lines, no messages.
cPractice MakeCustomPractice(const QStringList &letters);

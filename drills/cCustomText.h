#pragma once

#include "typing/cPractice.h"

#include <QString>
#include <QStringList>

// The texts of the custom lessons: practice lines made of the letters the learner chose, and test
// texts read from a text file the learner picked.

// One practice line: random words of `letters` until the line is longer than 30 characters, in
// lower case. With no letters each word is empty, so the line is 31 spaces; the random source is
// drawn from alike either way.
QString CustomPracticeLine(const QStringList &letters);

// The practice of the letters the learner picked, in their order: 50 such lines, no messages.
cPractice MakeCustomPractice(const QStringList &letters);

// Where the test file is: the folder, a "/" unless it already ends with one, and the file name.
QString TestFilePath(const QString &sFolder, const QString &sFileName);

// The test text of a file: its first 64 KiB, read as UTF-8 when that is valid and as code page 1256
// otherwise; each line end (CR LF, a lone LF or a lone CR) and each backspace becomes a space. A file
// that is missing, unreadable or not a file gives an empty text.
QString ReadTestText(const QString &sPath);

// The most of a file a test reads.
constexpr qint64 kMaxTestFileBytes = 64 * 1024;

#pragma once

#include <QString>
#include <QStringList>

// The drills' random words: pool entries drawn one at a time from the process-wide random source,
// each followed by another with probability 2/3, otherwise by one space; words are added until the
// text is longer than `iLongerThan` characters. The text therefore ends with a space and never holds
// two spaces in a row. An entry may be two letters (lam-alef). Within a word ة and ى stand last, as
// Arabic writes them; moving them there changes no draw.
QString RandomWords(const QStringList &pool, int iLongerThan);

// The same, with every letter of `sLetters` an entry of the pool.
QString RandomWords(const QString &sLetters, int iLongerThan);

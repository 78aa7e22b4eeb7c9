#pragma once

#include <QString>

// How a stored password is scrambled: its blanks at the ends cut, then every byte's top bit flipped
// in code page 1256. Scrambling twice gives the text back.

qint16 FlipTopBit(qint16 X);
QString ScrambleText(const QString &sText);

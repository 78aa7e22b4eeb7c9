#pragma once

#include <QString>

// The tutor's numbered texts (messages, lesson titles, key groups and all lesson content), compiled
// in and addressed by their 16-bit ids.

// The text of `id`, exactly as stored (leading and trailing blanks kept); "" for an id not in the table.
QString LoadResString(int id);

// A count kept as text: its leading decimal digits read as a number; text without digits reads as 0.
int LoadResNumber(int id);

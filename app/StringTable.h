#pragma once

#include <QString>

// The tutor's numbered texts (messages, lesson titles, key groups and all lesson content), compiled
// in and addressed by their 16-bit ids.

// The text of `id`, exactly as stored (leading and trailing blanks kept); "" for an id not in the table.
QString LoadResString(int id);

// A count kept as text: its leading decimal digits read as a number; text without digits reads as 0.
int LoadResNumber(int id);

// The ids of the table's fixed texts. Lesson texts are numbered per lesson from these bases.
namespace resid {
constexpr int kLessonTitles = 1002; // + lesson 1-6: the lesson's title
constexpr int kErrorTitle = 1009;   // the numbered error box's title, before the number
constexpr int kArabicName = 1010;   // the languages' names
constexpr int kEnglishName = 1011;
constexpr int kWordsPerMinute = 1012; // the speed units
constexpr int kLettersPerMinute = 1013;
constexpr int kArabicLetters = 1014; // + lesson 1-6: the lesson's keys
constexpr int kEnglishLetters = 1020;
constexpr int kDeleteQuestion = 1101; // asked before a profile is deleted
} // namespace resid

// The title of lesson 1-6, and its keys in the given language.
inline QString LessonTitle(int lesson)
{
    return LoadResString(resid::kLessonTitles + lesson);
}
inline QString LessonLetters(int lesson, bool arabic)
{
    return LoadResString((arabic ? resid::kArabicLetters : resid::kEnglishLetters) + lesson);
}

// The lesson half of the lesson controller: the lesson's screens, its practice and its tests.
#include "lessons/cLesson.h"

#include "app/StringTable.h"
#include "platform/Random.h"
#include "typing/cPractice.h"
#include "typing/cTest.h"
#include "users/cUser.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

// Lesson content lives in one block of ids per language: lines at B + 100·L, section texts 1000 on.
int languageBase()
{
    return theUser().IsLanguageArabic() ? 2000 : 4000;
}

int lessonBlock(quint8 lesson)
{
    return languageBase() + lesson * 100;
}

constexpr int kTestTextMinimum = 300; // the test window shows five lines of 60
constexpr int kSectionOffset = 1000;

} // namespace

void cLesson::RunLesson()
{
    if (pScreen)
        pScreen->ShowLessonPage(QStringLiteral(" ") + sLessonAlpha);
}

void cLesson::ShowTestResult()
{
    if (pScreen)
        pScreen->ShowResultsPage(QStringLiteral(" ") + QStringLiteral("نتائج اختبارات - ") + sLessonAlpha);
}

QString cLesson::BuildTestText(int blockId)
{
    const int n = LoadResNumber(blockId);
    QStringList lines;
    for (int k = 1; k <= n; ++k)
        lines.append(LoadResString(blockId + k));
    // Without a line that holds text the text could never grow; such a lesson gets an empty test.
    if (std::all_of(lines.cbegin(), lines.cend(), [](const QString &line) { return line.isEmpty(); }))
        return QString();

    // Lines are joined with nothing between: a line's last word runs into the next line's first.
    QString text;
    while (text.size() <= kTestTextMinimum) {
        const int k = 1 + int(std::floor(n * platform::rnd()));
        text += lines.value(qBound(1, k, n) - 1);
    }
    return text;
}

void cLesson::ShowTest(qint16 iTestNum)
{
    const int block = lessonBlock(bLessonNumric);
    cTest test;
    test.sTitle = QStringLiteral("اختبار - ") + sLessonAlpha;
    test.sWantedText = BuildTestText(block);
    test.History.source = HistoryRecord::Source::Lesson;
    test.History.bLesson = bLessonNumric;
    test.History.bSection = quint8(iTestNum);
    // The slot is written when the result shows, before the history record. 0 and 0 reads as a
    // test not taken: the earlier result stays.
    const quint8 lesson = bLessonNumric;
    test.KeepResult = [this, lesson, iTestNum](const cTest &finished) {
        if (finished.iSpeed != 0 || finished.iAccuracy != 0)
            SetTestResult(lesson, iTestNum, finished.iSpeed, finished.iAccuracy);
    };
    test.StartTest();
}

void cLesson::ShowPractice()
{
    const int P = lessonBlock(bLessonNumric);
    const int S = P + kSectionOffset;
    const qint16 m = qint16(LoadResNumber(S));
    const qint16 n = qint16(LoadResNumber(P));

    cPractice practice;
    practice.bShowMessageBox = true;
    // Five lines follow each section text, then the closing message.
    practice.SetNumOfMessages(m + 1);
    practice.iShowMessagePer = 5;
    practice.sTitle = QStringLiteral("تدريب - ") + sLessonAlpha;
    practice.sLetters = sLessonLetters;
    practice.History.source = HistoryRecord::Source::Lesson;
    practice.History.bLesson = bLessonNumric;
    practice.SetNumOfSessions(n);
    for (qint16 i = 1; i <= n; ++i)
        practice.AddText(i, LoadResString(P + i));
    for (qint16 i = 1; i <= m; ++i)
        practice.AddMessage(i, LoadResString(S + i));
    practice.AddMessage(m + 1, QStringLiteral("نهاية التدريب."));
    practice.StartPractic();
}

#pragma once

#include <QList>
#include <QString>

// The rules of one typed line, apart from any window: judging a key, counting the wrong letters and
// computing the line's speed and accuracy. The typing pad is this line plus its drawing; tests reach
// the rules here without a window.
class cTypingLine
{
public:
    // The typing pad's public variables, in its order.
    QString sWrittenText;
    QString sWantedText;
    bool bArabic = false;
    bool bActive = false;
    // While a line is typed iSpeed holds its start time (whole seconds since midnight); after the line
    // it holds letters per minute, and iAccuracy the percent.
    double iSpeed = 0;
    double iAccuracy = 0;
    qint16 iNumofLetter = 1;

    // Settings the pad applies, and the count of the last recount.
    qint16 iNumOfErrors = 0;
    bool bBackAllowed = false;
    bool bTimerStarted = false;
    bool bShowErrors = false;

    // What a key asks of the pad: a beep, and whether the key was judged (the pad then redraws and
    // checks whether the line is complete).
    struct KeyVerdict
    {
        bool bBeep = false;
        bool bJudged = false;
    };

    static constexpr qint16 kBackspace = 8;
    static constexpr qint16 kTab = 9;
    static constexpr qint16 kEnter = 13;
    static constexpr qint16 kEscape = 27;

    // The resets of Start, apart from the settings and the redraw.
    void BeginLine();

    // Judges one key given as its code page 1256 code; `now` is the time of day in seconds.
    KeyVerdict JudgeKey(qint16 KeyAscii, double now);

    // The line to type: the wanted text without its leading and trailing blanks.
    QString TrimmedWanted() const;

    // True once the typed letters reach past the end of the wanted line.
    bool LineComplete() const;

    // Recounts iNumOfErrors over the typed positions and returns the 0-based positions that differ
    // from the wanted line (a position past its end always differs). Nothing typed: returns nothing
    // and leaves the count as it was.
    QList<qsizetype> CountErrors();

    // Turns the start time into the line's speed and the error count into its accuracy; `now` is the
    // time of day in seconds. A step that cannot be computed leaves its value as it was, so an empty
    // line gives accuracy 100 and speed 0.
    void CalcResult(double now);

    // Notes when the key just judged came, in milliseconds on a monotonic clock, given how many
    // letters were typed before it: what KeyIntervals reports.
    void NoteKeyTime(qsizetype typedBefore, qint64 nowMs);
    // Per letter of the wanted line, the time from the keystroke before to the one that typed it (ms);
    // -1 where untimed: the line's first letter, a letter after a pause or right after a correction,
    // a letter not typed. Two letters of one key (lam-alef) have the key's time and 0.
    QList<qint32> KeyIntervals() const;
    // Longer than this between two keys is a pause, which times no letter.
    static constexpr qint32 kPauseMs = 5000;

    // Left edge of the wanted line of width W on a pad S wide: the line is centred.
    static double LineLeft(double S, double W);

    // Where the tick over a wrong letter stands: L is the distance from the line's reading start to
    // the letter's own starting edge. Left to right it stands 4 pixels inside the letter's left edge;
    // right to left, 5 pixels inside its right edge.
    static double TickX(bool arabic, double X0, double W, double L);

private:
    QList<qint32> m_msBefore; // per typed letter
    qint64 m_lastKeyMs = -1;  // when the last judged key came; -1 before the line's first
    bool m_corrected = false; // the last judged key was a Backspace
};

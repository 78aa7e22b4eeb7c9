#pragma once

#include "typing/cPractice.h"

// The order of a practice run, apart from the panel: which message or line comes next, and how far
// the progress bar reaches.
class cPracticeRun
{
public:
    enum class StepKind
    {
        Message, // show message iNumber and wait for OK
        Line,    // type line iNumber
        End,     // the run is over
    };
    struct Step
    {
        StepKind kind = StepKind::End;
        qint16 iNumber = 0;
        bool operator==(const Step &) const = default;
    };

    qint16 iLineNumber = 0;        // the line now on the pad, 1-based; 0 before the first
    qint16 iMessageNumber = 0;     // the last message shown; 0 before the first
    qint16 iLinesSinceMessage = 0; // lines started since the last message

    // Resets the counters and gives the first step: message 1, or the first line when the run shows
    // no messages.
    Step Begin(const cPractice &practice);

    // The step after a finished line or an OK: a message after every iShowMessagePer lines, so a
    // closing message comes only when the line count is a multiple of it.
    Step NextStep(const cPractice &practice);

    // Left end of the progress box after line iLineNumber of iNumOfSessions in a bar 218 pixels
    // wide that fills from the right. The product is 16-bit; when it overflows, or there are no
    // lines, the box keeps `previous`.
    static constexpr double kBarWidth = 218;
    static double ProgressX(qint16 iLineNumber, qint16 iNumOfSessions, double previous);
};

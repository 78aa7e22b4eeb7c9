#include "typing/cPracticeRun.h"

#include <limits>

cPracticeRun::Step cPracticeRun::Begin(const cPractice &practice)
{
    iLineNumber = 0;
    iMessageNumber = 0;
    iLinesSinceMessage = 0;
    if (!practice.bShowMessageBox)
        return NextStep(practice);
    iMessageNumber = 1;
    return {StepKind::Message, iMessageNumber};
}

cPracticeRun::Step cPracticeRun::NextStep(const cPractice &practice)
{
    if (iLinesSinceMessage == practice.iShowMessagePer && practice.bShowMessageBox) {
        ++iMessageNumber;
        iLinesSinceMessage = 0;
        return {StepKind::Message, iMessageNumber};
    }
    ++iLinesSinceMessage;
    ++iLineNumber;
    if (iLineNumber <= practice.iNumOfSessions)
        return {StepKind::Line, iLineNumber};
    return {StepKind::End, 0};
}

double cPracticeRun::ProgressX(qint16 iLineNumber, qint16 iNumOfSessions, double previous)
{
    const int product = int(iLineNumber) * int(kBarWidth);
    if (iNumOfSessions == 0 || product > std::numeric_limits<qint16>::max() ||
        product < std::numeric_limits<qint16>::min())
        return previous;
    return kBarWidth - double(product) / double(iNumOfSessions);
}

#include "typing/cTypingLine.h"

#include "app/Blanks.h"
#include "platform/Clock.h"
#include "platform/CodePage1256.h"

#include <cmath>
#include <limits>

namespace {

constexpr QChar kLam(0x0644);

bool isAlefForm(QChar c)
{
    // alef, alef with hamza above, alef with madda, alef with hamza below
    return c == QChar(0x0627) || c == QChar(0x0623) || c == QChar(0x0622) || c == QChar(0x0625);
}

} // namespace

void cTypingLine::BeginLine()
{
    sWrittenText.clear();
    iSpeed = 0;
    iAccuracy = 0;
    bActive = true;
    iNumofLetter = 1;
    iNumOfErrors = 0;
    bTimerStarted = false;
    m_msBefore.clear();
    m_lastKeyMs = -1;
    m_corrected = false;
}

void cTypingLine::NoteKeyTime(qsizetype typedBefore, qint64 nowMs)
{
    const qsizetype typed = sWrittenText.size();
    if (typed == typedBefore)
        return;
    m_msBefore.resize(qMin(typedBefore, typed), -1);
    if (typed > typedBefore) {
        const qint64 since = nowMs - m_lastKeyMs;
        const bool timed = m_lastKeyMs >= 0 && !m_corrected && since >= 0 && since <= kPauseMs;
        m_msBefore.resize(typed, -1);
        m_msBefore[typedBefore] = timed ? qint32(since) : -1;
    }
    m_corrected = typed < typedBefore;
    m_lastKeyMs = nowMs;
}

QList<qint32> cTypingLine::KeyIntervals() const
{
    QList<qint32> intervals = m_msBefore;
    intervals.resize(TrimmedWanted().size(), -1);
    return intervals;
}

QString cTypingLine::TrimmedWanted() const
{
    return TrimBlanks(sWantedText);
}

bool cTypingLine::LineComplete() const
{
    return iNumofLetter > TrimmedWanted().size();
}

cTypingLine::KeyVerdict cTypingLine::JudgeKey(qint16 KeyAscii, double now)
{
    if (!bActive)
        return {};
    if (KeyAscii == kEnter || KeyAscii == kTab || KeyAscii == kEscape)
        return {true, false};

    if (KeyAscii == kBackspace) {
        if (iNumofLetter == 1 || !bBackAllowed)
            return {true, true};
        // Lam followed by an alef form is drawn as one ligature, so the learner sees one shape go.
        const qsizetype size = sWrittenText.size();
        const bool pair =
            size >= 2 && sWrittenText.at(size - 2) == kLam && isAlefForm(sWrittenText.at(size - 1));
        const qint16 removed = pair ? 2 : 1;
        sWrittenText.chop(removed);
        iNumofLetter = qMax<qint16>(1, iNumofLetter - removed);
        return {false, true};
    }

    if (KeyAscii < 0 || KeyAscii > 255)
        return {};
    // Lam and alef stay the two letters they are, as the lesson texts hold them: a typed pair then
    // compares letter by letter with the wanted line.
    const QString c = platform::fromCodePage1256(QByteArray(1, char(KeyAscii)));
    if (c.isEmpty())
        return {};
    sWrittenText += c;
    ++iNumofLetter;
    if (!bTimerStarted) {
        // The clock starts at the beginning of the second in which the first letter came.
        iSpeed = std::floor(now);
        bTimerStarted = true;
    }
    return {false, true};
}

QList<qsizetype> cTypingLine::CountErrors()
{
    QList<qsizetype> wrong;
    if (iNumofLetter == 1)
        return wrong;
    const QString wanted = TrimmedWanted();
    iNumOfErrors = 0;
    for (qsizetype i = 0; i < iNumofLetter - 1; ++i) {
        // A position past either text compares as the empty string.
        const QString typed = sWrittenText.mid(i, 1);
        if (typed != wanted.mid(i, 1)) {
            wrong.append(i);
            if (iNumOfErrors < std::numeric_limits<qint16>::max())
                ++iNumOfErrors;
        }
    }
    return wrong;
}

void cTypingLine::CalcResult(double now)
{
    const qsizetype N = TrimmedWanted().size();

    // The product is 16-bit; like a division by an empty line, an overflow leaves the value as it was.
    const int product = int(iNumOfErrors) * 100;
    if (N != 0 && product <= std::numeric_limits<qint16>::max())
        iAccuracy = double(product) / double(N);
    iAccuracy = std::trunc(std::fabs(iAccuracy - 100));

    // Across midnight the clock restarts at 0; the elapsed time stays true.
    iSpeed = platform::elapsedSeconds(iSpeed, now);
    if (iSpeed != 0)
        iSpeed = std::trunc(double(N) / (iSpeed / 60));
}

double cTypingLine::LineLeft(double S, double W)
{
    return (S - W) / 2;
}

double cTypingLine::TickX(bool arabic, double X0, double W, double L)
{
    return arabic ? X0 + W - L - 5 : X0 + L + 4;
}

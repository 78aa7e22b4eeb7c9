#include "typing/cTest.h"

#include "app/Int16.h"
#include "users/cHistoryRecorder.h"

namespace {

std::function<void(cTest &)> &testRunner()
{
    static std::function<void(cTest &)> runner;
    return runner;
}

} // namespace

void cTest::SetRunner(std::function<void(cTest &)> runner)
{
    testRunner() = std::move(runner);
}

void cTest::StartTest()
{
    if (testRunner())
        testRunner()(*this);
}

void cTest::Finished()
{
    if (KeepResult)
        KeepResult(*this);
    theHistory().Record(History);
}

QStringList cTest::SplitIntoLines(const QString &sText, int iLineLength)
{
    QStringList lines;
    for (int i = 0; i < kMaxLines; ++i) {
        lines.append(sText.mid(qsizetype(i) * iLineLength, iLineLength));
        if (sText.size() <= qsizetype(i + 1) * iLineLength)
            break;
    }
    return lines;
}

void cTest::SetResult(const QList<double> &speeds, const QList<double> &accuracies)
{
    qint16 speedSum = 0;
    qint16 accuracySum = 0;
    for (double speed : speeds)
        speedSum = Saturate16(double(speedSum) + RoundToInt16(speed));
    for (double accuracy : accuracies)
        accuracySum = Saturate16(double(accuracySum) + RoundToInt16(accuracy));
    iAccuracy = IntDiv16(accuracySum, int(accuracies.size()));
    iSpeed = IntDiv16(speedSum, int(speeds.size()));
}

#pragma once

#include <QString>

#include <functional>

// The lesson tests' stored results of one training language and the pass rule, on any source of a
// profile's 16-bit fields: the logged-in learner's open file (the lesson controller) or the bytes of
// a profile nobody is logged into (the class report). Every value is read through `read` when asked.
class cProfileResults
{
public:
    using Reader = std::function<qint16(int offset)>;

    cProfileResults(Reader read, bool bArabic) : m_read(std::move(read)), m_bArabic(bArabic) {}

    bool IsArabic() const { return m_bArabic; }
    // The offset of a test's speed; its accuracy follows two bytes on.
    int SlotOffset(qint16 iLesson, qint16 iTest) const;

    qint16 GetTestSpeed(qint16 iLesson, qint16 iTest) const;
    qint16 GetTestAccuracy(qint16 iLesson, qint16 iTest) const;
    qint16 GetWantedSpeed() const;
    qint16 GetWantedAccuracy() const;
    bool PassTest(qint16 iSpeed, qint16 iAccuracy) const;
    QString ResultAlpha(qint16 iSpeed, qint16 iAccuracy) const;
    void GetAverage(qint16 iLesson, qint16 &iSpeed, qint16 &iAccuracy) const;
    // The lesson after the highest one whose average passes (at most the last), else the first.
    qint16 GetCurrentLesson() const;

    // Whether a test was taken: the tutor stores nothing for a test left before its end, so 0 and 0
    // is a test never finished.
    static bool Taken(qint16 iSpeed, qint16 iAccuracy) { return iSpeed != 0 || iAccuracy != 0; }

private:
    Reader m_read;
    bool m_bArabic;
};

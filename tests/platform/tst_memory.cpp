// Giving start-up's pages back: the resident set shrinks, and nothing the program wrote (its data,
// the loader's relocations) or reads later (read-only tables) changes.
#include "platform/Memory.h"

#include <QFile>
#include <QTest>

#include <cstring>

int gWrittenAtRunTime = 1;
const char *const kRelocated[] = {"first", "second"};

namespace {

// Hidden from the optimiser, so each read goes to memory after the release.
template <typename T> T *unfolded(T *pointer)
{
    asm volatile("" : "+r"(pointer));
    return pointer;
}

qint64 residentPages()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    return statm.readAll().split(' ').value(1).toLongLong();
}

} // namespace

class TestMemory : public QObject
{
    Q_OBJECT

private slots:
    void releaseKeepsWhatTheProgramWroteAndReads()
    {
        *unfolded(&gWrittenAtRunTime) = 42;
        const qint64 before = residentPages();

        platform::releaseStartUpMemory();

        QVERIFY(residentPages() < before);
        QCOMPARE(*unfolded(&gWrittenAtRunTime), 42);
        QCOMPARE(unfolded(kRelocated)[1], kRelocated[1]);
        QCOMPARE(std::strcmp(unfolded(kRelocated)[1], "second"), 0);
        // Read-only data of a library, read again after its pages went: the same characters.
        QCOMPARE(QString::number(1234.5, 'f', 1), QStringLiteral("1234.5"));
    }
};

QTEST_GUILESS_MAIN(TestMemory)
#include "tst_memory.moc"

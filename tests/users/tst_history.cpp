// The learner's history file: records and their keys, reading past a cut or damaged stretch, the
// file's rules on disk, and the weakest keys from known counts.
#include "platform/SafeFile.h"
#include "support/TestSupport.h"
#include "users/cHistoryStats.h"

#include <QFile>
#include <QtTest>

#include <cerrno>

using namespace testsupport;

namespace {

HistoryRecord makeRecord(qint64 time, HistoryRecord::Kind kind, const QString &wanted, const QString &written)
{
    HistoryRecord record;
    record.iTime = time;
    record.bArabic = false;
    record.kind = kind;
    record.source = HistoryRecord::Source::Lesson;
    record.bLesson = 2;
    record.bSection = 3;
    record.iSpeed = qint16(100 + time);
    record.iAccuracy = 90;
    record.AddKeys(wanted, written);
    return record;
}

QList<HistoryRecord> threeRecords()
{
    return {makeRecord(1, HistoryRecord::Kind::PracticeLine, QStringLiteral("asdf jkl"),
                       QStringLiteral("asdg jkl")),
            makeRecord(2, HistoryRecord::Kind::Test, QStringLiteral("abc"), QStringLiteral("abc")),
            makeRecord(3, HistoryRecord::Kind::PracticeLine, QStringLiteral("ب ت"), QStringLiteral("ب ن"))};
}

QByteArray encodeAll(const QList<HistoryRecord> &records)
{
    QByteArray bytes;
    for (const HistoryRecord &record : records)
        bytes += cHistory::Encode(record);
    return bytes;
}

} // namespace

class tst_History : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { platform::setWriteErrorForTesting(0); }

    void keysOfALine_data()
    {
        QTest::addColumn<QString>("wanted");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QList<qint32>>("msBefore");
        QTest::addColumn<QList<HistoryRecord::KeyCount>>("expected");
        using K = HistoryRecord::KeyCount;
        // One wrong letter, one letter short of the end: both count as missed where they were wanted.
        QTest::newRow("untimed") << QStringLiteral("aab a") << QStringLiteral("abb ") << QList<qint32>{}
                                 << QList<K>{{QChar(u'a'), 3, 2}, {QChar(u'b'), 1, 0}, {QChar(u' '), 1, 0}};
        // Only hits time a key; the first letter and a pause are untimed.
        QTest::newRow("timed") << QStringLiteral("aab ab") << QStringLiteral("abb ab")
                               << QList<qint32>{-1, 200, 300, 100, 150, -1}
                               << QList<K>{{QChar(u'a'), 3, 1, 150, 1},
                                           {QChar(u'b'), 2, 0, 300, 1},
                                           {QChar(u' '), 1, 0, 100, 1}};
        // A lam-alef pair is one key's hit, timed by its two letters together; a wrong alef misses it.
        QTest::newRow("lam-alef") << QStringLiteral("بلا لأ لإب") << QStringLiteral("بلا لإ لإب")
                                  << QList<qint32>{-1, 250, 0, 90, 300, 10, 80, 400, -1, 120}
                                  << QList<K>{{QChar(0x0628), 2, 0, 120, 1},
                                              {kLamAlefKey, 1, 0, 250, 1},
                                              {QChar(u' '), 2, 0, 170, 2},
                                              {kLamAlefHamzaAboveKey, 1, 1},
                                              {kLamAlefHamzaBelowKey, 1, 0}};
    }
    void keysOfALine()
    {
        QFETCH(QString, wanted);
        QFETCH(QString, written);
        QFETCH(QList<qint32>, msBefore);
        QFETCH(QList<HistoryRecord::KeyCount>, expected);
        HistoryRecord record;
        record.AddKeys(wanted, written, msBefore);
        QCOMPARE(record.keys, expected);
        QCOMPARE(cHistory::Decode(cHistory::Encode(record)), QList<HistoryRecord>{record});
    }

    void readsVersion1Records()
    {
        // Records kept before keys had times read as they were, beside newer ones, with no times.
        HistoryRecord timed = threeRecords().at(0);
        timed.keys.clear();
        timed.AddKeys(QStringLiteral("asdf"), QStringLiteral("asdg"), {-1, 200, 210, 220});
        HistoryRecord untimed = timed;
        for (HistoryRecord::KeyCount &key : untimed.keys)
            key.iTimeMs = key.iTimed = 0;
        const QByteArray bytes = historyRecordVersion1(timed) + cHistory::Encode(timed);
        QCOMPARE(cHistory::Decode(bytes), (QList<HistoryRecord>{untimed, timed}));
        QCOMPARE(cHistoryStats::Summarise(bytes, false).KeyStats({QStringLiteral("F")}).at(0).iMissed, 2);
    }

    void readsPastACutOrDamagedStretch_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<int>>("kept"); // which of the three records read back

        const QList<HistoryRecord> records = threeRecords();
        const QByteArray whole = encodeAll(records);
        const qsizetype lastStart = whole.size() - cHistory::Encode(records.at(2)).size();
        const qsizetype secondStart = cHistory::Encode(records.at(0)).size();

        QTest::newRow("whole") << whole << QList<int>{0, 1, 2};
        for (qsizetype cut : {lastStart + 1, lastStart + 3, lastStart + 10, whole.size() - 1})
            QTest::newRow(qPrintable(QStringLiteral("cut at %1").arg(cut)))
                << whole.left(cut) << QList<int>{0, 1};
        QByteArray flipped = whole;
        flipped[whole.size() - 7] = char(flipped.at(whole.size() - 7) ^ 0x10);
        QTest::newRow("a key count of the last damaged") << flipped << QList<int>{0, 1};
        QTest::newRow("garbage after the last")
            << whole + QByteArray("KH\x05\x00zz", 6) << QList<int>{0, 1, 2};
        QByteArray middle = whole;
        middle[secondStart + 6] = char(middle.at(secondStart + 6) ^ 0x01);
        QTest::newRow("the middle one damaged") << middle << QList<int>{0, 2};
        // A kill mid-append leaves a torn record; the next append lands after it.
        QTest::newRow("a torn record, then more")
            << whole.left(lastStart + 9) + cHistory::Encode(records.at(2)) << QList<int>{0, 1, 2};
        QTest::newRow("nothing") << QByteArray() << QList<int>{};
    }
    void readsPastACutOrDamagedStretch()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<int>, kept);
        const QList<HistoryRecord> records = threeRecords();
        QList<HistoryRecord> expected;
        for (int i : kept)
            expected.append(records.at(i));
        QCOMPARE(cHistory::Decode(bytes), expected);
        QCOMPARE(cHistoryStats::Summarise(bytes, false).tests.size(), kept.contains(1) ? 1 : 0);
    }

    void fileRules()
    {
        ScratchFolder folder;
        const QString path = cHistory::PathFor(folder.path(), QStringLiteral("Layla"));
        QCOMPARE(path, folder.filePath(QStringLiteral("Layla.HIS")));
        const QList<HistoryRecord> records = threeRecords();

        QCOMPARE(cHistory::ReadFile(path), QByteArray()); // no history yet is fine
        QString error;
        QVERIFY(cHistory::Append(path, records.at(0), &error));
        QVERIFY(cHistory::Append(path, records.at(1), &error));
        QCOMPARE(QFile::permissions(path),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        QCOMPARE(cHistory::Decode(cHistory::ReadFile(path)), records.mid(0, 2));

        // A full disk: the append is refused with the reason and the file keeps what it had.
        platform::setWriteErrorForTesting(ENOSPC);
        QVERIFY(!cHistory::Append(path, records.at(2), &error));
        QCOMPARE(error, platform::systemErrorText(ENOSPC));
        platform::setWriteErrorForTesting(0);
        QCOMPARE(cHistory::Decode(cHistory::ReadFile(path)), records.mid(0, 2));

        // A link put where a history belongs is neither followed nor replaced.
        const QString elsewhere = folder.filePath(QStringLiteral("elsewhere"));
        const QString linked = cHistory::PathFor(folder.path(), QStringLiteral("Omar"));
        QVERIFY(QFile::link(elsewhere, linked));
        QVERIFY(!cHistory::Append(linked, records.at(0), &error));
        QVERIFY(!QFile::exists(elsewhere));
        QVERIFY(cHistory::ReadFile(linked).isEmpty());
    }

    void weakestKeys()
    {
        auto stat = [](const char *key, qint64 wanted, qint64 missed) {
            return KeyStat{QString::fromUtf8(key), wanted, missed};
        };
        const QList<KeyStat> stats = {
            stat("ض", 100, 5), stat("ص", 10, 5), stat("ث", 40, 0), stat("ق", 20, 10),  stat("ف", 50, 1),
            stat("غ", 0, 0),   stat("ع", 30, 3), stat("ه", 10, 1), stat("خ", 200, 10),
        };
        // Rates: ص and ق 50 % (ق more misses first), ع and ه 10 % (ع more misses), ض and خ 5 %.
        QStringList order;
        for (const KeyStat &key : cHistoryStats::WeakestKeys(stats))
            order.append(key.sKey);
        QCOMPARE(order, (QStringList{QStringLiteral("ق"), QStringLiteral("ص"), QStringLiteral("ع"),
                                     QStringLiteral("ه"), QStringLiteral("خ")}));
        // Keys never missed are not weak, however few remain.
        QCOMPARE(cHistoryStats::WeakestKeys({stat("ث", 40, 0), stat("ف", 50, 1)}).size(), 1);

        // Counts of typed letters fold onto the table's keys without regard to case.
        HistoryRecord record =
            makeRecord(1, HistoryRecord::Kind::Test, QStringLiteral("aAq;"), QStringLiteral("xAq."));
        const QList<KeyStat> folded = cHistoryStats::Summarise(cHistory::Encode(record), false)
                                          .KeyStats({QStringLiteral("A"), QStringLiteral(";")});
        QCOMPARE(folded.at(0).iWanted, 2);
        QCOMPARE(folded.at(0).iMissed, 1);
        QCOMPARE(folded.at(1).iMissed, 1);

        // A lam-alef pair counts for the key that types it, never for lam and alef apart.
        record = makeRecord(1, HistoryRecord::Kind::Test, QStringLiteral("لا لأ الل"),
                            QStringLiteral("لا لأ الل"));
        record.bArabic = true;
        const QList<KeyStat> arabic =
            cHistoryStats::Summarise(cHistory::Encode(record), true)
                .KeyStats({QStringLiteral("لا"), QStringLiteral("ل"), QStringLiteral("ا")});
        QCOMPARE(arabic.at(0).iWanted, 1);
        QCOMPARE(arabic.at(1).iWanted, 3);
        QCOMPARE(arabic.at(2).iWanted, 1);
    }
};

QTEST_MAIN(tst_History)
#include "tst_history.moc"

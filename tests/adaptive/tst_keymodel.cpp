// The adaptive practice's keys and model: the lesson plan's order, which key each character counts
// for, and a simulated learner's keys becoming the focus, learned, and joining the set.
#include "adaptive/cTrainerKeys.h"
#include "app/StringTable.h"
#include "support/TestSupport.h"

#include <QtTest>

using namespace testsupport;

namespace {

QString labelOf(QChar letter, bool arabic)
{
    const int key = trainerKeyOf(letter, arabic);
    return key < 0 ? QString() : trainerKeys(arabic).at(key).sLabel;
}

} // namespace

class tst_KeyModel : public QObject
{
    Q_OBJECT

private slots:
    void planOrder()
    {
        for (bool arabic : {true, false}) {
            QString plan;
            for (int lesson = 1; lesson <= 6; ++lesson)
                plan += LessonLetters(lesson, arabic);
            QString labels;
            QList<int> positions;
            for (const TrainerKey &key : trainerKeys(arabic)) {
                labels += key.sLabel;
                QVERIFY(!positions.contains(key.iPosition));
                positions.append(key.iPosition);
            }
            // Every key of the layout once, lesson 1's first; ذ, in no lesson, last.
            QCOMPARE(labels, arabic ? plan + QStringLiteral("ذ") : plan.toLower());
            QCOMPARE(firstSetSize(arabic), arabic ? 6 : 5);
            QCOMPARE(trainerKeys(arabic).size(), arabic ? 34 : 29);
        }
    }

    void lettersCountForTheirKeys_data()
    {
        QTest::addColumn<bool>("arabic");
        QTest::addColumn<QChar>("letter");
        QTest::addColumn<QString>("key"); // the label of the key it counts for, "" for none
        // Each hamza and madda form on the key that types it.
        QTest::newRow("alef with hamza above") << true << QChar(0x0623) << QStringLiteral("ا");
        QTest::newRow("alef with hamza below") << true << QChar(0x0625) << QStringLiteral("غ");
        QTest::newRow("alef with madda") << true << QChar(0x0622) << QStringLiteral("ى");
        QTest::newRow("hamza on yeh") << true << QChar(0x0626) << QStringLiteral("ئ");
        QTest::newRow("hamza on waw") << true << QChar(0x0624) << QStringLiteral("ؤ");
        QTest::newRow("hamza") << true << QChar(0x0621) << QStringLiteral("ء");
        QTest::newRow("lam-alef") << true << kLamAlefKey << QStringLiteral("لا");
        QTest::newRow("lam-alef with madda") << true << kLamAlefMaddaKey << QStringLiteral("لا");
        QTest::newRow("lam-alef with hamza above") << true << kLamAlefHamzaAboveKey << QStringLiteral("ل");
        QTest::newRow("lam-alef with hamza below") << true << kLamAlefHamzaBelowKey << QStringLiteral("ف");
        QTest::newRow("sukun") << true << QChar(0x0652) << QStringLiteral("ء");
        QTest::newRow("tatweel") << true << QChar(0x0640) << QString();
        QTest::newRow("a Latin letter in Arabic") << true << QChar(u'h') << QString();
        QTest::newRow("capital") << false << QChar(u'H') << QStringLiteral("h");
        QTest::newRow("small") << false << QChar(u'h') << QStringLiteral("h");
        QTest::newRow("semicolon") << false << QChar(u';') << QStringLiteral(";");
        QTest::newRow("digit") << false << QChar(u'1') << QString();
    }
    void lettersCountForTheirKeys()
    {
        QFETCH(bool, arabic);
        QFETCH(QChar, letter);
        QFETCH(QString, key);
        QCOMPARE(labelOf(letter, arabic), key);
        if (!key.isEmpty())
            QVERIFY(trainerKeys(arabic).at(trainerKeyOf(letter, arabic)).sLetters.contains(letter));
    }
};

QTEST_MAIN(tst_KeyModel)
#include "tst_keymodel.moc"

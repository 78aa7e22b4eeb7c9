// Checks the shipped lesson content against the lesson plan: every id the lesson controller will ask
// for exists, each practice line is typeable with the keys taught so far, each section text names its
// key, and the three texts shipped beside the tutor are readable.

#include "app/StringTable.h"

#include <QFile>
#include <QStringDecoder>
#include <QtTest>

#include <array>

namespace {

struct LessonPlan
{
    int iLines;
    int iSections;
    QStringList vNewKeys; // what each section introduces, in section order
};

struct LanguagePlan
{
    const char *sName;
    int iBase;      // practice lines at iBase + 100·L, section texts at iBase + 1000 + 100·L
    int iGroupBase; // key group of lesson L at iGroupBase + L
    std::array<LessonPlan, 6> vLessons;
};

// Kept by hand rather than derived from the content, so a line or section that drifts from the plan
// is caught. Arabic lesson 1 ends with "أ" (Shift+H) and lesson 4 with "ذ", though neither is in the
// key group; "لا" of lesson 6 is typed as ل then ا, both taught in lessons 1-2, so it adds no key.
const LanguagePlan &arabicPlan()
{
    static const LanguagePlan plan{"ar",
                                   2000,
                                   1014,
                                   {{
                                       {30, 6, {"ات", "ن", "م", "ك", "ط", "أ"}},
                                       {25, 5, {"ل", "ب", "ي", "س", "ش"}},
                                       {35, 7, {"غ", "ع", "ه", "خ", "ح", "ج", "د"}},
                                       {30, 6, {"ف", "ق", "ث", "ص", "ض", "ذ"}},
                                       {25, 5, {"ى", "ة", "و", "ز", "ظ"}},
                                       {20, 4, {"ر", "ؤ", "ء", "ئ"}},
                                   }}};
    return plan;
}

// English lessons teach the lower-case keys first, then one capital per section.
const LanguagePlan &englishPlan()
{
    static const LanguagePlan plan{"en",
                                   4000,
                                   1020,
                                   {{
                                       {40, 8, {"hj", "k", "l", ";", "H", "J", "K", "L"}},
                                       {50, 10, {"g", "f", "d", "s", "a", "G", "F", "D", "S", "A"}},
                                       {50, 10, {"y", "u", "i", "o", "p", "Y", "U", "I", "O", "P"}},
                                       {50, 10, {"t", "r", "e", "w", "q", "T", "R", "E", "W", "Q"}},
                                       {30, 6, {"n", "m", ",", ".", "N", "M"}},
                                       {50, 10, {"b", "v", "c", "x", "z", "B", "V", "C", "X", "Z"}},
                                   }}};
    return plan;
}

const std::array<const LanguagePlan *, 2> &languages()
{
    static const std::array<const LanguagePlan *, 2> all{&arabicPlan(), &englishPlan()};
    return all;
}

const LanguagePlan &planNamed(const QString &name)
{
    return name == QLatin1String("ar") ? arabicPlan() : englishPlan();
}

// Keys a line of `section` (1-based) of `lesson` may use: everything taught before it, plus the blank.
QString allowedKeys(const LanguagePlan &plan, int lesson, int section)
{
    QString keys = QStringLiteral(" ");
    for (int l = 1; l <= lesson; ++l) {
        const QStringList &sections = plan.vLessons[l - 1].vNewKeys;
        const int last = l < lesson ? int(sections.size()) : section;
        for (int s = 0; s < last; ++s)
            keys += sections[s];
    }
    return keys;
}

// Lessons 1, 3 and 5 are right-hand keys, 2, 4 and 6 left-hand, in both languages.
QString handOf(int lesson)
{
    return lesson % 2 == 1 ? QStringLiteral("الايمن") : QStringLiteral("الايسر");
}

QString otherHandOf(int lesson)
{
    return handOf(lesson + 1);
}

void addSectionRows()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("lesson");
    QTest::addColumn<int>("section");
    for (const LanguagePlan *plan : languages()) {
        for (int lesson = 1; lesson <= 6; ++lesson) {
            for (int section = 1; section <= plan->vLessons[lesson - 1].iSections; ++section)
                QTest::addRow("%s lesson %d section %d", plan->sName, lesson, section)
                    << QString::fromLatin1(plan->sName) << lesson << section;
        }
    }
}

void addLessonRows()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("lesson");
    for (const LanguagePlan *plan : languages()) {
        for (int lesson = 1; lesson <= 6; ++lesson)
            QTest::addRow("%s lesson %d", plan->sName, lesson) << QString::fromLatin1(plan->sName) << lesson;
    }
}

} // namespace

class tst_LessonContent : public QObject
{
    Q_OBJECT

private slots:
    void planIsConsistent();
    void counts_data();
    void counts();
    void keyGroupsAreTaught_data();
    void keyGroupsAreTaught();
    void practiceLines_data();
    void practiceLines();
    void sectionTexts_data();
    void sectionTexts();
    void fixedTexts_data();
    void fixedTexts();
    void shippedTexts_data();
    void shippedTexts();
};

// The practice shows one section text per five lines; a plan that breaks this would test nothing real.
void tst_LessonContent::planIsConsistent()
{
    for (const LanguagePlan *plan : languages()) {
        for (const LessonPlan &lesson : plan->vLessons) {
            QCOMPARE(lesson.iSections * 5, lesson.iLines);
            QCOMPARE(int(lesson.vNewKeys.size()), lesson.iSections);
        }
    }
}

void tst_LessonContent::counts_data()
{
    addLessonRows();
}

void tst_LessonContent::counts()
{
    QFETCH(QString, language);
    QFETCH(int, lesson);
    const LanguagePlan &plan = planNamed(language);
    const LessonPlan &expected = plan.vLessons[lesson - 1];
    const int linesId = plan.iBase + 100 * lesson;
    const int sectionsId = linesId + 1000;

    QVERIFY2(!LoadResString(linesId).isEmpty(), qPrintable(QString::number(linesId)));
    QVERIFY2(!LoadResString(sectionsId).isEmpty(), qPrintable(QString::number(sectionsId)));
    const int lines = LoadResNumber(linesId);
    const int sections = LoadResNumber(sectionsId);
    QCOMPARE(lines, expected.iLines);
    QCOMPARE(sections, expected.iSections);
    QCOMPARE(sections * 5, lines);

    for (int i = 1; i <= lines; ++i)
        QVERIFY2(!LoadResString(linesId + i).isEmpty(), qPrintable(QString::number(linesId + i)));
    for (int i = 1; i <= sections; ++i)
        QVERIFY2(!LoadResString(sectionsId + i).isEmpty(), qPrintable(QString::number(sectionsId + i)));

    // Text past the count is never shown, so it is a sign that the count and the content disagree.
    QVERIFY2(LoadResString(linesId + lines + 1).isEmpty(), qPrintable(QString::number(linesId + lines + 1)));
    QVERIFY2(LoadResString(sectionsId + sections + 1).isEmpty(),
             qPrintable(QString::number(sectionsId + sections + 1)));
}

// The lessons screen marks the key group as the lesson's keys; each must be taught by the lesson's end.
void tst_LessonContent::keyGroupsAreTaught_data()
{
    addLessonRows();
}

void tst_LessonContent::keyGroupsAreTaught()
{
    QFETCH(QString, language);
    QFETCH(int, lesson);
    const LanguagePlan &plan = planNamed(language);
    const QString taught = allowedKeys(plan, lesson, plan.vLessons[lesson - 1].iSections);
    const QString group = LoadResString(plan.iGroupBase + lesson);
    QVERIFY(!group.isEmpty());
    for (const QChar key : group) {
        QVERIFY2(taught.contains(key), qPrintable(QString(key)));
        // An English group shows capitals; the lesson teaches the key both plain and shifted.
        if (language == QLatin1String("en") && key.isLetter())
            QVERIFY2(taught.contains(key.toLower()), qPrintable(QString(key.toLower())));
    }
}

void tst_LessonContent::practiceLines_data()
{
    addSectionRows();
}

void tst_LessonContent::practiceLines()
{
    QFETCH(QString, language);
    QFETCH(int, lesson);
    QFETCH(int, section);
    const LanguagePlan &plan = planNamed(language);
    const QString allowed = allowedKeys(plan, lesson, section);
    const QString newKeys = plan.vLessons[lesson - 1].vNewKeys[section - 1];

    bool drillsNewKey = false;
    for (int i = 5 * section - 4; i <= 5 * section; ++i) {
        const int id = plan.iBase + 100 * lesson + i;
        const QString line = LoadResString(id);
        const QByteArray where = QByteArray::number(id) + " \"" + line.toUtf8() + '"';
        // Each line ends with one blank: a test text joins lines with nothing between them, and the
        // blank keeps the last word of one apart from the first of the next.
        QVERIFY2(line.size() >= 16 && line.size() <= 33, where.constData());
        QVERIFY2(!line.startsWith(u' ') && line.endsWith(u' '), where.constData());
        QVERIFY2(!line.contains(QLatin1String("  ")), where.constData());
        for (const QChar ch : line) {
            const QByteArray what = where + " has " + QString(ch).toUtf8() + " (U+" +
                                    QByteArray::number(ch.unicode(), 16).toUpper() + ")";
            QVERIFY2(allowed.contains(ch), what.constData());
        }
        for (const QChar key : newKeys)
            drillsNewKey = drillsNewKey || line.contains(key);
    }
    QVERIFY2(drillsNewKey, "no line of the section uses the key it introduces");
}

void tst_LessonContent::sectionTexts_data()
{
    addSectionRows();
}

void tst_LessonContent::sectionTexts()
{
    QFETCH(QString, language);
    QFETCH(int, lesson);
    QFETCH(int, section);
    const LanguagePlan &plan = planNamed(language);
    const int id = plan.iBase + 1000 + 100 * lesson + section;
    const QString text = LoadResString(id);
    const QByteArray where = QByteArray::number(id) + " \"" + text.toUtf8() + '"';

    // "هـ" is how the letter ه is written standing alone, with a tatweel.
    for (const QChar key : plan.vLessons[lesson - 1].vNewKeys[section - 1]) {
        const QString quoted = u'"' + QString(key) + u'"';
        const QString quotedWithTatweel = u'"' + QString(key) + QChar(0x0640) + u'"';
        QVERIFY2(text.contains(quoted) || text.contains(quotedWithTatweel),
                 (where + " does not name " + quoted.toUtf8()).constData());
    }

    QVERIFY2(text.contains(handOf(lesson)), where.constData());
    const QChar first = plan.vLessons[lesson - 1].vNewKeys[section - 1].front();
    if (language == QLatin1String("en") && first.isUpper()) {
        // A capital: Shift with the other hand's little finger, then the letter's own key.
        QVERIFY2(text.contains(QLatin1String("Shift")), where.constData());
        QVERIFY2(text.contains(QStringLiteral("الخنصر ") + otherHandOf(lesson)), where.constData());
        QVERIFY2(text.contains(u'"' + QString(first.toLower()) + u'"'), where.constData());
    }

    if (section == 1)
        QVERIFY2(text.contains(LoadResString(1002 + lesson)),
                 (where + " does not open the lesson").constData());
}

// Texts that are fixed word for word (of 3101 only its opening).
void tst_LessonContent::fixedTexts_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("wholeText");
    QTest::newRow("2101") << 2101 << QStringLiteral("تا تت اتت تات تتا ات ") << true;
    QTest::newRow("4101") << 4101 << QStringLiteral("jhjh hhjj h jj hh hjhj jhjh ") << true;
    QTest::newRow("4601") << 4601 << QStringLiteral("bggb bgbg gbbg fdb b ") << true;
    QTest::newRow("3102") << 3102 << QStringLiteral("والان جهز اصبع الوسطى الايمن لطباعة حرف \"ن\".") << true;
    QTest::newRow("5105") << 5105
                          << QStringLiteral("لطباعة حرف \"H\" كبير اضغط على مفتاح Shift باصبع الخنصر الايسر "
                                            "ثم استخدم اصبع السبابة الايمن على حرف \"h\".")
                          << true;
    QTest::newRow("3101 opening") << 3101 << QStringLiteral("استعد للقيام  بتدريبات الدرس الاول.") << false;
}

void tst_LessonContent::fixedTexts()
{
    QFETCH(int, id);
    QFETCH(QString, expected);
    QFETCH(bool, wholeText);
    const QString text = LoadResString(id);
    if (wholeText)
        QCOMPARE(text, expected);
    else
        QVERIFY2(text.startsWith(expected), text.toUtf8().constData());
}

void tst_LessonContent::shippedTexts_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::newRow("ReadMe") << QStringLiteral("ReadMe.TXT");
    QTest::newRow("Arabic") << QStringLiteral("Arabic.TXT");
    QTest::newRow("English") << QStringLiteral("English.TXT");
}

void tst_LessonContent::shippedTexts()
{
    QFETCH(QString, fileName);
    // Found from this source file's folder: tests/lessons/ -> resources/.
    const QString path = QFINDTESTDATA(QStringLiteral("../../resources/") + fileName);
    QVERIFY2(!path.isEmpty(), qPrintable(fileName));
    QFile file(path);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.errorString()));
    const QByteArray bytes = file.readAll();

    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    QVERIFY2(!decoder.hasError(), "not valid UTF-8");
    // A test on the file types its first 300 characters; shorter would end the test early.
    QVERIFY2(text.size() > 300, qPrintable(QString::number(text.size())));
}

QTEST_GUILESS_MAIN(tst_LessonContent)

#include "tst_lessoncontent.moc"

// What a screen reader finds: a name in Arabic for every control the keyboard reaches on each screen,
// the typing pad as text with its caret, the keyboard picture's alternative and the chart's table.
#include "app/KeyTables.h"
#include "app/KeyboardPicture.h"
#include "app/WindowRegistry.h"
#include "app/cTheApp.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/mdlMain.h"
#include "platform/Folders.h"
#include "progress/ProgressChart.h"
#include "support/TestSupport.h"
#include "typing/NextKeyPanel.h"
#include "typing/PracticePanel.h"
#include "typing/TypingPad.h"
#include "typing/cPractice.h"
#include "typing/cTest.h"
#include "typing/frmTest.h"
#include "users/cUser.h"
#include "users/frmClassReport.h"
#include "users/frmNewUser.h"
#include "users/frmUsers.h"

#include <QAccessible>
#include <QDateTime>
#include <QTimer>
#include <QtTest>

using namespace testsupport;

namespace {

bool hasArabic(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.script() == QChar::Script_Arabic; });
}

// Whether a screen reader names the control in Arabic: by its own name, or by the label it is
// labelled by (as a combo box is on Linux, whose own name is its current item).
bool namedInArabic(QAccessibleInterface *iface)
{
    if (hasArabic(iface->text(QAccessible::Name)))
        return true;
    const auto labels = iface->relations(QAccessible::Label);
    return std::any_of(labels.begin(), labels.end(),
                       [](const auto &label) { return hasArabic(label.first->text(QAccessible::Name)); });
}

// The shown controls under `iface` that the keyboard reaches and that have no Arabic name.
void collectUnnamed(QAccessibleInterface *iface, QStringList &unnamed)
{
    if (iface->state().invisible)
        return;
    auto *widget = qobject_cast<QWidget *>(iface->object());
    if (widget && (widget->focusPolicy() & Qt::TabFocus) && !namedInArabic(iface))
        unnamed.append(iface->object()->objectName() + QLatin1Char(' ') +
                       iface->object()->metaObject()->className() + QStringLiteral(": ") +
                       iface->text(QAccessible::Name));
    for (int i = 0; i < iface->childCount(); ++i) {
        if (QAccessibleInterface *child = iface->child(i); child && child->object())
            collectUnnamed(child, unnamed);
    }
}

QStringList unnamedOn(QWidget *window)
{
    QStringList unnamed;
    collectUnnamed(QAccessible::queryAccessibleInterface(window), unnamed);
    return unnamed;
}

QString nameOf(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
}

} // namespace

class tst_Accessibility : public QObject
{
    Q_OBJECT

    std::unique_ptr<Sandbox> m_sandbox;

private slots:
    void initTestCase() { FillKeyTables(); }
    void init() { m_sandbox = std::make_unique<Sandbox>(); }
    void cleanup() { m_sandbox.reset(); }

    void everyFocusableControlIsNamed()
    {
        createProfile(QStringLiteral("learner"));
        ShowUserSelection();
        QCOMPARE(unnamedOn(&Window<frmUsers>()).join(QStringLiteral(", ")), QString());
        {
            frmNewUser dialog;
            dialog.show();
            QCOMPARE(unnamedOn(&dialog).join(QStringLiteral(", ")), QString());
        }
        {
            frmClassReport report(platform::profileFolder());
            report.show();
            QCOMPARE(unnamedOn(&report).join(QStringLiteral(", ")), QString());
        }
        WindowRegistry::UnloadAll();

        createAndLogIn(QStringLiteral("learner"));
        frmMain &main = Window<frmMain>();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        for (qint16 section : {frmMain::kHomeIndex, frmMain::kAboutIndex, frmMain::kLessonsIndex,
                               frmMain::kTrainIndex, frmMain::kFingersIndex, frmMain::kCustomIndex,
                               frmMain::kNumbersIndex, frmMain::kSettingsIndex, frmMain::kProgressIndex}) {
            main.lblSection_Click(section);
            QVERIFY2(unnamedOn(&main).isEmpty(), qPrintable(QString::number(section) + QStringLiteral(": ") +
                                                            unnamedOn(&main).join(QStringLiteral(", "))));
        }

        cPractice practice;
        practice.sTitle = QStringLiteral("الدرس الاول");
        practice.SetNumOfSessions(1);
        practice.AddText(1, QStringLiteral("abc"));
        practice.StartPractic();
        QVERIFY(main.picPractice->isVisible());
        QCOMPARE(unnamedOn(&main).join(QStringLiteral(", ")), QString());

        QString onTest = QStringLiteral("not shown");
        QTimer::singleShot(0, this, [&] {
            frmTest &window = Window<frmTest>();
            QTRY_VERIFY(window.isVisible());
            onTest = unnamedOn(&window).join(QStringLiteral(", "));
            QTest::keyClick(window.TypingPad[0], Qt::Key_Escape);
        });
        cTest test;
        test.sTitle = QStringLiteral("t");
        test.sWantedText = QStringLiteral("abc def");
        test.StartTest();
        QCOMPARE(onTest, QString());
    }

    void padIsTextThatFollowsTheKeys()
    {
        createAndLogIn(QStringLiteral("learner"));
        setSetting("General", "Lang", QStringLiteral("E"));
        setSetting("General", "Back", QStringLiteral("True"));
        QWidget host;
        auto *pad = new TypingPad(&host);
        pad->setGeometry(10, 10, 560, 100);
        host.show();
        ScreenReaderRecorder reader;
        pad->sWantedText = QStringLiteral(" abc ");
        pad->bActive = true;
        pad->Start();

        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(pad);
        QAccessibleTextInterface *text = iface->textInterface();
        QVERIFY(text);
        QCOMPARE(iface->role(), QAccessible::EditableText);
        QVERIFY(iface->state().readOnly);
        QVERIFY(hasArabic(iface->text(QAccessible::Name)));
        QCOMPARE(text->text(0, -1), QStringLiteral("abc\n"));
        QCOMPARE(text->cursorPosition(), 4);

        typeText(pad, QStringLiteral("ax"));
        QCOMPARE(text->text(0, text->characterCount()), QStringLiteral("abc\nax"));
        QCOMPARE(text->cursorPosition(), 6);
        // The wrong x stands under the b it was typed for.
        QCOMPARE(text->characterRect(5).x(), text->characterRect(1).x());
        QVERIFY(text->characterRect(5).y() > text->characterRect(1).y());
        QTest::keyClick(pad, Qt::Key_Backspace);
        QCOMPARE(text->text(0, -1), QStringLiteral("abc\na"));
        QCOMPARE(
            reader.toldBy(pad).join(QStringLiteral(", ")),
            QStringLiteral("update, caret 4, insert 4 a, caret 5, insert 5 x, caret 6, remove 5 x, caret 5"));
    }

    void keyboardPictureNamesTheMarkedKeyAndFinger()
    {
        createAndLogIn(QStringLiteral("learner"));
        setSetting("General", "Lang", QStringLiteral("Ar"));
        QWidget host;
        auto *pad = new TypingPad(&host);
        auto *panel = new NextKeyPanel(&host);
        pad->sWantedText = QStringLiteral("تب");
        pad->bActive = true;
        pad->Start();
        ScreenReaderRecorder reader;
        panel->Follow(pad);
        KeyboardPicture *picture = panel->picKeyboard;
        QCOMPARE(nameOf(picture), QStringLiteral("لوحة المفاتيح، المفتاح التالي J (ت)، السبابة اليمنى"));
        QVERIFY(hasArabic(QAccessible::queryAccessibleInterface(picture)->text(QAccessible::Description)));
        typeText(pad, QStringLiteral("ت"));
        QCOMPARE(nameOf(picture), QStringLiteral("لوحة المفاتيح، المفتاح التالي F (ب)، السبابة اليسرى"));
        QVERIFY(reader.toldBy(picture).contains(QStringLiteral("name")));

        // The keys a lesson boxes, with Shift where the letter needs it in English.
        KeyboardPicture lesson;
        theApp().ShowLetters(&lesson, true);
        theApp().SelectLetter(&lesson, QStringLiteral("ت"), true);
        theApp().SelectLetter(&lesson, QVariant(keygrid::kSpaceBar), true);
        QCOMPARE(nameOf(&lesson),
                 QStringLiteral("لوحة المفاتيح، المفاتيح المعلمة: J (ت)، السبابة اليمنى؛ المسافة، الإبهام"));
        lesson.setNextKey(12, true);
        QCOMPARE(nameOf(&lesson),
                 QStringLiteral("لوحة المفاتيح، المفتاح التالي A (ش)، الخنصر الأيسر، مع Shift"));
    }

    void chartIsATableOfTheTests()
    {
        const qint64 first = QDateTime(QDate(2026, 3, 1), QTime(9, 30)).toMSecsSinceEpoch();
        const qint64 second = QDateTime(QDate(2026, 3, 2), QTime(18, 5)).toMSecsSinceEpoch();
        ProgressChart chart;
        chart.resize(560, 150);
        ScreenReaderRecorder reader;
        chart.SetData({{first, 30, 90}, {second, 42, 97}}, 40, 95, QStringLiteral(" 40"),
                      QStringLiteral(" 95 %"));
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&chart);
        QAccessibleTableInterface *table = iface->tableInterface();
        QVERIFY(table);
        QCOMPARE(iface->role(), QAccessible::Table);
        QVERIFY(hasArabic(iface->text(QAccessible::Name)));
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(table->columnCount(), 3);
        QCOMPARE(table->columnDescription(1), QStringLiteral("السرعة"));
        QCOMPARE(table->cellAt(0, 0)->text(QAccessible::Name), QStringLiteral("2026/03/01 09:30"));
        QCOMPARE(table->cellAt(1, 1)->text(QAccessible::Name), QStringLiteral("42"));
        QCOMPARE(table->cellAt(1, 2)->text(QAccessible::Name), QStringLiteral("97 %"));
        QCOMPARE(iface->childCount(), 6);
        QCOMPARE(iface->child(5), table->cellAt(1, 2));
        QCOMPARE(iface->indexOfChild(table->cellAt(1, 2)), 5);
        QCOMPARE(table->cellAt(1, 2)->tableCellInterface()->rowIndex(), 1);

        // A chart redrawn with fewer tests: the cells past them are gone, the others read the new data.
        QAccessibleInterface *gone = table->cellAt(1, 1);
        chart.SetData({{second, 42, 97}}, 40, 95, QStringLiteral(" 40"), QStringLiteral(" 95 %"));
        QVERIFY(!gone->isValid());
        QCOMPARE(table->rowCount(), 1);
        QVERIFY(!table->cellAt(1, 1));
        QCOMPARE(table->cellAt(0, 2)->text(QAccessible::Name), QStringLiteral("97 %"));
        QCOMPARE(reader.toldBy(&chart), (QStringList{QStringLiteral("table"), QStringLiteral("table")}));
    }
};

QTEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"

// The main window: its menu's common steps, the home and about panels, leaving and restarting.
#include "app/ClickableLabel.h"
#include "app/WindowRegistry.h"
#include "app/cTheApp.h"
#include "lessons/cLesson.h"
#include "mainwindow/frmMain.h"
#include "platform/Process.h"
#include "support/TestSupport.h"
#include "users/cUser.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace testsupport;

// A section window as the main menu sees one: a never-shown window lending a panel to the main window.
class FakeSection : public QWidget
{
public:
    FakeSection() { picScreen = new QWidget(this); }
    void Form_Load() { ++loads; }
    void Form_Unload() { ++unloads; }
    QWidget *picScreen;
    static inline int loads = 0;
    static inline int unloads = 0;
};

// Records the caption of a label each time it is painted.
class PaintRecorder : public QObject
{
public:
    explicit PaintRecorder(QLabel *label) : m_label(label) { label->installEventFilter(this); }
    QStringList captions;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            captions.append(m_label->text());
        return false;
    }

private:
    QLabel *m_label;
};

class TestMainWindow : public QObject
{
    Q_OBJECT

    std::optional<Sandbox> m_sandbox;

    static frmMain &main() { return Window<frmMain>(); }
    static void click(int index) { QTest::mouseClick(main().lblSection[index], Qt::LeftButton); }

private slots:
    void init()
    {
        m_sandbox.emplace();
        createAndLogIn(QStringLiteral("learner"), 8, 90);
        FakeSection::loads = FakeSection::unloads = 0;
    }
    void cleanup() { m_sandbox.reset(); }

    void windowFrame()
    {
        QCOMPARE(main().windowTitle(), QStringLiteral("Tavrin"));
        QCOMPARE(main().minimumSize(), main().maximumSize());
        QVERIFY(main().isVisible());
        QVERIFY(main().picHome->isVisible());
        QVERIFY(!main().picAbout->isVisible());
        QVERIFY(!main().picPractice->isVisible());
        QVERIFY(main().lblSection[5]->isHidden());
        QCOMPARE(main().lblTitle->text(), QStringLiteral(" Tavrin"));
        QCOMPARE(main().lblLesson[1]->text(), QStringLiteral("متابعة الدرس الاول."));
    }

    void highlightMoves()
    {
        auto isHighlighted = [](int i) {
            QLabel *item = main().lblSection[i];
            return item->font().underline() &&
                   item->palette().color(QPalette::WindowText) == QColor(0x80, 0, 0);
        };
        QVERIFY(isHighlighted(frmMain::kHomeIndex));
        click(7);
        QVERIFY(isHighlighted(7));
        for (int i = 0; i < 11; ++i) {
            if (i != 7) {
                QVERIFY2(!isHighlighted(i), qPrintable(QString::number(i)));
                QCOMPARE(main().lblSection[i]->palette().color(QPalette::WindowText), QColor(Qt::black));
            }
        }
        click(8);
        QVERIFY(isHighlighted(8));
        QVERIFY(!isHighlighted(7));
    }

    // Tab reaches the menu, the arrows walk it (past the unused index 5), Enter or Space opens an item
    // and a frame marks it; a mouse press takes no focus, and only an opened item is highlighted.
    void menuByKeyboard()
    {
        main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
        const auto &items = main().lblSection;
        items[3]->setFocus();
        QTest::keyClick(items[3], Qt::Key_Tab);
        QVERIFY(items[4]->hasFocus());
        QTest::keyClick(items[4], Qt::Key_Down);
        QVERIFY(items[frmMain::kAdaptiveIndex]->hasFocus()); // drawn after item 4
        QTest::keyClick(items[frmMain::kAdaptiveIndex], Qt::Key_Down);
        QVERIFY(items[frmMain::kProgressIndex]->hasFocus());
        QTest::keyClick(items[frmMain::kProgressIndex], Qt::Key_Down);
        QVERIFY(items[6]->hasFocus());
        QTest::keyClick(items[6], Qt::Key_Up);
        QTest::keyClick(items[frmMain::kProgressIndex], Qt::Key_Up);
        QTest::keyClick(items[frmMain::kAdaptiveIndex], Qt::Key_Up);
        QTest::keyClick(items[4], Qt::Key_Up);
        QVERIFY(items[3]->hasFocus());
        QVERIFY(items[frmMain::kHomeIndex]->font().underline());
        QVERIFY(!items[3]->font().underline());

        const QImage marked = items[3]->grab().toImage();
        items[4]->setFocus(Qt::TabFocusReason);
        QVERIFY(items[3]->grab().toImage() != marked);

        QTest::keyClick(items[4], Qt::Key_Return);
        QVERIFY(items[4]->font().underline());
        QCOMPARE(WindowRegistry::LoadedWindows().size(), 2);
        items[8]->setFocus(Qt::TabFocusReason);
        QTest::keyClick(items[8], Qt::Key_Space);
        QVERIFY(items[8]->font().underline());
        QCOMPARE(WindowRegistry::LoadedWindows().size(), 1);

        QTest::mousePress(items[7], Qt::LeftButton);
        QVERIFY(items[8]->hasFocus());
    }

    // The keyboard starts on the first item, its frame showing; Shift+Tab from there goes back into
    // the home panel, never round to the exit item.
    void keyboardStartsOnTheFirstItem()
    {
        main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
        ClickableLabel *first = main().lblSection[frmMain::kLessonsIndex];
        QCOMPARE(QApplication::focusWidget(), first);
        QVERIFY(main().testAttribute(Qt::WA_KeyboardFocusChange));
        QTest::keyClick(first, Qt::Key_Backtab, Qt::ShiftModifier);
        QWidget *now = QApplication::focusWidget();
        QVERIFY2(now != main().lblSection[frmMain::kExitIndex] && main().picHome->isAncestorOf(now),
                 qPrintable(now ? now->objectName() : QStringLiteral("none")));
    }

    // A section's screen covers the home panel, whose buttons Qt still counts as visible: Tab must
    // not move the focus to one of them (Enter would press a button nobody sees).
    void tabSkipsCoveredPanels()
    {
        main().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main()));
        theApp().ShowScreen(Window<FakeSection>().picScreen);
        main().lblSection[10]->setFocus(Qt::TabFocusReason);
        QTest::keyClick(main().lblSection[10], Qt::Key_Tab);
        QVERIFY2(!main().picHome->isAncestorOf(QApplication::focusWidget()),
                 qPrintable(QApplication::focusWidget()->objectName()));
    }

    void menuUnloadsTheSectionWindow()
    {
        FakeSection &section = Window<FakeSection>();
        theApp().ShowScreen(section.picScreen);
        QCOMPARE(section.picScreen->parentWidget(), main().contentArea());
        QCOMPARE(section.picScreen->pos(), QPoint(0, 0));
        QVERIFY(section.picScreen->isVisible());
        QPointer<QWidget> panel = section.picScreen;

        click(8);
        QCOMPARE(FakeSection::unloads, 1);
        QVERIFY(!WindowRegistry::IsLoaded<FakeSection>());
        QCOMPARE(WindowRegistry::LoadedWindows(), QList<QWidget *>{&main()});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(panel.isNull()); // the lent panel went with its window

        // Named again, the window loads afresh.
        Window<FakeSection>();
        QCOMPARE(FakeSection::loads, 2);
    }

    void continueCaptionFollowsResults()
    {
        for (qint16 test = 1; test <= 3; ++test) {
            theLesson().SetTestSpeed(1, test, 40);
            theLesson().SetTestAccuracy(1, test, 90);
        }
        QCOMPARE(main().lblLesson[1]->text(), QStringLiteral("متابعة الدرس الاول."));
        click(8);
        QCOMPARE(main().lblLesson[1]->text(), QStringLiteral("متابعة الدرس الثاني."));
    }

    void aboutLinesAreTypedFromEmptyEachTime()
    {
        PaintRecorder recorder(main().lblAbout[1]);
        click(7);
        QVERIFY(main().picAbout->isVisible());
        for (QLabel *line : main().lblAbout)
            QCOMPARE(line->text(), line->property("tag").toString());
        QCOMPARE(main().lblAbout[1]->text(), QStringLiteral("Tavrin"));
        QCOMPARE(main().lblAbout[2]->text(), QStringLiteral("- الاصدار الثاني -"));
        QCOMPARE(main().lblAbout[3]->text(), QStringLiteral("إعداد وتصميم:"));
        recorder.captions.removeAll(QString());
        QCOMPARE(recorder.captions.mid(0, 6), (QStringList{"T", "Ta", "Tav", "Tavr", "Tavri", "Tavrin"}));

        click(8);
        QVERIFY(!main().picAbout->isVisible());
        for (QLabel *line : main().lblAbout)
            QVERIFY(line->text().isEmpty());

        recorder.captions.clear();
        click(7);
        recorder.captions.removeAll(QString());
        QCOMPARE(recorder.captions.value(0), QStringLiteral("T"));
        QCOMPARE(main().lblAbout[1]->text(), QStringLiteral("Tavrin"));
    }

    void escapeOnTheHomePanelDoesNothing()
    {
        QTest::keyClick(&main(), Qt::Key_Escape);
        QVERIFY(main().picHome->isVisible());
        QVERIFY(!main().picPractice->isVisible());
        QCOMPARE(m_sandbox->process.ends, 0);
    }

    void escapeEndsAShownPractice()
    {
        main().picPractice->show();
        main().picPractice->raise();
        QTest::keyClick(&main(), Qt::Key_Escape);
        QVERIFY(!main().picPractice->isVisible());
        QVERIFY(!main().CurrentPractice().has_value());
    }

    void menuHidesPracticeAndAbout()
    {
        main().picPractice->show();
        click(7);
        QVERIFY(!main().picPractice->isVisible());
        QVERIFY(main().picAbout->isVisible());
        click(8);
        QVERIFY(!main().picAbout->isVisible());
    }

    void changeUserStartsANewInstance()
    {
        click(9);
        QCOMPARE(m_sandbox->process.started, QStringList{platform::runningExecutable()});
        QCOMPARE(m_sandbox->process.ends, 1);
    }

    void exitEnds()
    {
        Window<FakeSection>();
        click(10);
        QVERIFY(m_sandbox->process.started.isEmpty());
        QCOMPARE(m_sandbox->process.ends, 1);
        QCOMPARE(FakeSection::unloads, 1); // the section's unload handler ran before the end
    }

    void closeBoxUnloadsTheSectionFirst()
    {
        Window<FakeSection>();
        main().close();
        QCOMPARE(FakeSection::unloads, 1);
        QCOMPARE(m_sandbox->process.ends, 1);
    }

    void homeButtonsOpenTheirSections()
    {
        click(7);
        QTest::mouseClick(main().cmdLesson[1], Qt::LeftButton);
        QVERIFY(main().lblSection[2]->font().underline());
        QTest::mouseClick(main().cmdLesson[2], Qt::LeftButton);
        QVERIFY(main().lblSection[3]->font().underline());
    }

    void pictureOpensTheWebPage()
    {
        QStringList opened;
        platform::setOpenWebPageForTesting([&opened](const QString &url) {
            opened.append(url);
            return true;
        });
        click(7);
        QTest::mouseClick(main().Image1, Qt::LeftButton);
        platform::setOpenWebPageForTesting({});
        QCOMPARE(opened, QStringList{QString::fromLatin1(frmMain::kWebPage)});
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

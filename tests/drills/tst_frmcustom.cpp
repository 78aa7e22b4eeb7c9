// The custom lessons screen driven through its controls: the letter lists and their moves, the
// practice made of the chosen letters, the test text read from a picked file, and the drive and
// folder lists.

#include "app/KeyTables.h"
#include "app/WindowRegistry.h"
#include "drills/cCustomText.h"
#include "drills/frmCustom.h"
#include "mainwindow/frmMain.h"
#include "platform/CodePage1256.h"
#include "platform/Random.h"
#include "platform/Volumes.h"
#include "support/TestSupport.h"
#include "typing/TypingPad.h"
#include "typing/cPracticeText.h"
#include "typing/cTest.h"
#include "typing/frmTest.h"
#include "users/cUser.h"

#include <QComboBox>
#include <QFile>
#include <QFileSystemModel>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

using namespace testsupport;

namespace {

// The main window opens the screen from its menu, as the learner does.
frmCustom &openCustom()
{
    Window<frmMain>().show();
    Window<frmMain>().lblSection_Click(frmMain::kCustomIndex);
    return Window<frmCustom>();
}

QStringList entries(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts.append(list->item(i)->text());
    return texts;
}

// A click on an entry toggles it: several can be picked at once.
void pick(QListWidget *list, int row)
{
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

void click(QPushButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList listedFiles(const frmCustom &screen)
{
    QStringList names;
    const QModelIndex root = screen.File1->rootIndex();
    for (int row = 0; row < screen.File1->model()->rowCount(root); ++row)
        names.append(screen.File1->model()->index(row, 0, root).data().toString());
    names.sort();
    return names;
}

// Clicks a file of File1 once the folder listing has come in.
void selectFile(frmCustom &screen, const QString &name)
{
    QTRY_VERIFY(listedFiles(screen).contains(name));
    const QModelIndex root = screen.File1->rootIndex();
    for (int row = 0; row < screen.File1->model()->rowCount(root); ++row) {
        const QModelIndex index = screen.File1->model()->index(row, 0, root);
        if (index.data().toString() == name) {
            screen.File1->scrollTo(index);
            QTest::mouseClick(screen.File1->viewport(), Qt::LeftButton, {},
                              screen.File1->visualRect(index).center());
            return;
        }
    }
}

} // namespace

class tst_frmCustom : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { FillKeyTables(); }
    void init()
    {
        m_folder = std::make_unique<ScratchFolder>();
        createAndLogIn(QStringLiteral("Huda"));
        // The small pad takes whole practice lines.
        setSetting("View", "Size", QStringLiteral("Small"));
        cTest::SetRunner([this](cTest &test) {
            m_testTitle = test.sTitle;
            m_testText = test.sWantedText;
            ++m_testsRun;
        });
        m_testText.clear();
        m_testsRun = 0;
    }
    void cleanup()
    {
        platform::setDriveFoldersForTesting({});
        resetApplication();
        m_folder.reset();
    }

    void loadFillsTheLetters_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::newRow("Arabic") << "Ar" << 34 << "ض"
                                << "ذ";
        QTest::newRow("English") << "En" << 29 << "Q"
                                 << ".";
    }
    void loadFillsTheLetters()
    {
        QFETCH(QString, language);
        QFETCH(int, count);
        QFETCH(QString, first);
        QFETCH(QString, last);
        setSetting("General", "Lang", language);
        frmCustom &screen = openCustom();
        QCOMPARE(screen.List1->count(), count);
        QCOMPARE(screen.List1->item(0)->text(), first);
        QCOMPARE(screen.List1->item(count - 1)->text(), last);
        QCOMPARE(entries(screen.List1), language == "Ar" ? vArabicKeys : vEnglishKeys);
        QCOMPARE(screen.List2->count(), 0);
        if (language == "Ar")
            QVERIFY(entries(screen.List1).contains(QStringLiteral("لا")));
        // The file lists start on the program's folder.
        QCOMPARE(screen.Dir1Path(), QDir::cleanPath(m_folder->path()));
        QCOMPARE(screen.Drive1->currentText(),
                 platform::driveOfPath(platform::driveFolders(), m_folder->path()));
    }

    // Tab walks the screen as it reads, from the right, row by row.
    void tabFollowsTheScreen()
    {
        frmCustom &screen = openCustom();
        QStringList visited;
        QWidget *at = screen.List2;
        for (int i = 0; i < 11; ++i, at = at->nextInFocusChain()) {
            while (!(at->focusPolicy() & Qt::TabFocus) || !screen.picChoose->isAncestorOf(at) ||
                   at->focusProxy())
                at = at->nextInFocusChain();
            visited.append(at->objectName());
        }
        QCOMPARE(visited, (QStringList{"List2", "cmdMove", "Command1", "Command2", "Command3", "List1",
                                       "cmdLesson0", "Drive1", "Dir1", "File1", "cmdLesson1"}));
    }

    void movesKeepTheOrder()
    {
        setSetting("General", "Lang", QStringLiteral("En"));
        frmCustom &screen = openCustom();
        const QStringList loaded = entries(screen.List1);

        click(screen.cmdMove); // nothing selected: nothing moves
        QCOMPARE(entries(screen.List1), loaded);
        QCOMPARE(screen.List2->count(), 0);

        pick(screen.List1, 3);
        pick(screen.List1, 1);
        click(screen.cmdMove);
        QCOMPARE(entries(screen.List2), (QStringList{"W", "R"}));
        QStringList rest = loaded;
        rest.removeAt(3);
        rest.removeAt(1);
        QCOMPARE(entries(screen.List1), rest);

        // Moved back, an entry goes to the end of List1.
        pick(screen.List2, 0);
        click(screen.Command2);
        QCOMPARE(entries(screen.List2), QStringList{"R"});
        QCOMPARE(entries(screen.List1).last(), QStringLiteral("W"));
        QCOMPARE(screen.List1->count() + screen.List2->count(), 29);

        click(screen.Command1);
        QCOMPARE(screen.List1->count(), 0);
        QCOMPARE(entries(screen.List2).first(), QStringLiteral("R"));
        click(screen.Command3);
        QCOMPARE(screen.List2->count(), 0);
        QCOMPARE(screen.List1->count(), 29);

        // ">>" then "<<" straight after loading gives back the loaded order.
        Window<frmMain>().lblSection_Click(frmMain::kCustomIndex);
        frmCustom &fresh = Window<frmCustom>();
        click(fresh.Command1);
        QCOMPARE(entries(fresh.List2), loaded);
        click(fresh.Command3);
        QCOMPARE(entries(fresh.List1), loaded);
    }

    void practiceOfTheChosenLetters_data()
    {
        QTest::addColumn<QList<int>>("picked");
        QTest::addColumn<QList<double>>("draws");
        QTest::addColumn<QString>("letters");
        QTest::addColumn<QString>("line");
        // Q, go on, W, stop: "qw " eleven times makes the first line longer than 30.
        QTest::newRow("Q and W") << QList<int>{0, 1} << QList<double>{0.1, 0.9, 0.6, 0.2} << "QW"
                                 << QStringLiteral("qw ").repeated(11);
        // Nothing chosen: every word is empty, and the line is 31 spaces.
        QTest::newRow("none") << QList<int>{} << QList<double>{0.5, 0.1} << ""
                              << QStringLiteral(" ").repeated(31);
    }
    void practiceOfTheChosenLetters()
    {
        QFETCH(QList<int>, picked);
        QFETCH(QList<double>, draws);
        QFETCH(QString, letters);
        QFETCH(QString, line);
        setSetting("General", "Lang", QStringLiteral("En"));
        frmCustom &screen = openCustom();
        for (int row : picked)
            pick(screen.List1, row);
        click(screen.cmdMove);
        platform::setRandomSequenceForTesting(draws);
        click(screen.cmdLesson[0]);

        frmMain &main = Window<frmMain>();
        QVERIFY(main.CurrentPractice().has_value());
        const cPractice &practice = *main.CurrentPractice();
        QCOMPARE(practice.sTitle, QStringLiteral("تدريب - دروس خاصة"));
        QCOMPARE(practice.sLetters, letters);
        QVERIFY(!practice.bShowMessageBox);
        QCOMPARE(practice.iNumOfSessions, qint16(50));
        for (qint16 i = 1; i <= 50; ++i)
            QCOMPARE(practice.GetText(i), line);
        QVERIFY(main.picPractice->isVisible());
        // The screen stays loaded under the practice.
        QVERIFY(WindowRegistry::IsLoaded<frmCustom>());
    }

    void practiceLinesFromTheRealSource()
    {
        for (int run = 0; run < 200; ++run) {
            const QString line = CustomPracticeLine({QStringLiteral("Q"), QStringLiteral("لا")});
            QVERIFY(line.size() > 30);
            QVERIFY(line.endsWith(QLatin1Char(' ')));
            for (const QChar c : line)
                QVERIFY(QStringLiteral("qلا ").contains(c));
        }
    }

    void testTextOfTheFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("line ends") << QByteArray("ab\r\ncd") << "ab cd";
        QTest::newRow("backspace, tab, lone CR") << QByteArray("a\bb\tcd\r") << "a b cd ";
        // Nothing that cannot be typed, nor an override that would turn the words on the pad round.
        QTest::newRow("controls and format characters")
            << QStringLiteral("\u202Eab\u202C \u2067c\u2069\u200Bd\x01\x7f\u0085e\uFEFF\U000E0041").toUtf8()
            << "ab cde";
        // Files written on this desktop end their lines with a lone LF.
        QTest::newRow("lone LF") << QByteArray("ab\ncd\n\nef") << "ab cd  ef";
        QTest::newRow("UTF-8 Arabic")
            << QStringLiteral("سلام\r\nعليكم").toUtf8() << QStringLiteral("سلام عليكم");
        QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBFok") << "ok";
        QTest::newRow("code page 1256")
            << platform::toCodePage1256(QStringLiteral("مرحبا بك\r\n")) << QStringLiteral("مرحبا بك ");
        // A lone Arabic letter in code page 1256 looks like the start of a UTF-8 sequence.
        QTest::newRow("code page 1256, one letter")
            << platform::toCodePage1256(QStringLiteral("ا")) << QStringLiteral("ا");
        // Only the first 64 KiB count; a letter cut in two there is dropped, not misread.
        QTest::newRow("long Latin") << QByteArray(70000, 'x') << QString(65536, QLatin1Char('x'));
        QTest::newRow("long Arabic, cut letter")
            << QByteArray("x") + QStringLiteral("ب").repeated(40000).toUtf8()
            << QStringLiteral("x") + QStringLiteral("ب").repeated(32767);
    }
    void testTextOfTheFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        writeFile(m_folder->filePath(QStringLiteral("Mine.TXT")), bytes);
        frmCustom &screen = openCustom();
        selectFile(screen, QStringLiteral("Mine.TXT"));
        QCOMPARE(screen.File1FileName(), QStringLiteral("Mine.TXT"));
        click(screen.cmdLesson[1]);
        QCOMPARE(m_testsRun, 1);
        QCOMPARE(m_testTitle, QStringLiteral("اختبار - دروس خاصة"));
        QCOMPARE(m_testText, text);
        QVERIFY(WindowRegistry::IsLoaded<frmCustom>());
    }

    // The test window takes only what its five lines hold; the rest of a long file is not typed.
    void testWindowTakesFiveLines_data()
    {
        QTest::addColumn<QString>("size");
        QTest::addColumn<int>("letters");
        QTest::addColumn<int>("pads");
        QTest::addColumn<int>("typed");
        QTest::newRow("small, long file") << "Small" << 1000 << 5 << 300;
        QTest::newRow("large, long file") << "Big" << 1000 << 5 << 150;
        QTest::newRow("small, short file") << "Small" << 130 << 3 << 130;
    }
    void testWindowTakesFiveLines()
    {
        QFETCH(QString, size);
        QFETCH(int, letters);
        QFETCH(int, pads);
        QFETCH(int, typed);
        setSetting("View", "Size", size);
        QString content;
        for (int i = 0; i < letters; ++i)
            content += QChar(u'a' + i % 26);
        writeFile(m_folder->filePath(QStringLiteral("Long.TXT")), content.toUtf8());
        cTest::SetRunner(
            frmTest::RunInPlaceOfHost); // the real window, after init() put a runner in its place
        frmCustom &screen = openCustom();
        selectFile(screen, QStringLiteral("Long.TXT"));

        QString onPads;
        int padsUsed = 0;
        QTimer::singleShot(0, this, [&] {
            frmTest &window = Window<frmTest>();
            QTRY_VERIFY(window.isVisible());
            padsUsed = window.bNumberOfBoxeses;
            for (int i = 0; i < padsUsed; ++i)
                onPads += window.TypingPad[i]->sWantedText;
            QTest::keyClick(window.TypingPad[0], Qt::Key_Escape);
        });
        click(screen.cmdLesson[1]);
        QCOMPARE(padsUsed, pads);
        QCOMPARE(onPads, content.left(typed));
        QVERIFY(Window<frmMain>().isVisible());
        QVERIFY(WindowRegistry::IsLoaded<frmCustom>());
    }

    void homeButtonOpensTheScreen()
    {
        frmMain &main = Window<frmMain>();
        main.show();
        QTest::mouseClick(main.cmdLesson[2], Qt::LeftButton);
        QVERIFY(WindowRegistry::IsLoaded<frmCustom>());
        QCOMPARE(Window<frmCustom>().picChoose->parentWidget(), main.contentArea());
        QVERIFY(Window<frmCustom>().picChoose->isVisible());
    }

    // With no file picked the test runs on an empty text; a picked file with nothing to type in it
    // (empty, only line ends, or gone since it was listed) is named as such and starts no test.
    void testWithoutText()
    {
        writeFile(m_folder->filePath(QStringLiteral("empty.TXT")), "");
        writeFile(m_folder->filePath(QStringLiteral("lines.TXT")), " \r\n\n \t");
        writeFile(m_folder->filePath(QStringLiteral("gone.txt")), "abc");
        DialogScript dialogs;
        frmCustom &screen = openCustom();
        click(screen.cmdLesson[1]);
        QCOMPARE(m_testsRun, 1);
        QCOMPARE(m_testText, QString());
        QVERIFY(dialogs.requests.isEmpty());

        selectFile(screen, QStringLiteral("gone.txt"));
        QFile::remove(m_folder->filePath(QStringLiteral("gone.txt")));
        click(screen.cmdLesson[1]);
        for (const QString &name : {QStringLiteral("empty.TXT"), QStringLiteral("lines.TXT")}) {
            selectFile(screen, name);
            click(screen.cmdLesson[1]);
        }
        QCOMPARE(m_testsRun, 1);
        QCOMPARE(dialogs.requests.size(), 3);
        for (const platform::DialogRequest &request : dialogs.requests) {
            QCOMPARE(request.text, QStringLiteral("الملف المحدد لا يحتوي على نص يمكن الاختبار عليه."));
            QCOMPARE(request.icon, platform::MessageIcon::Exclamation);
        }
    }

    void fileListShowsTextFilesOnly()
    {
        for (const char *name : {"a.TXT", "b.txt", "c.Txt", "d.dat", "e.TXT.bak"})
            writeFile(m_folder->filePath(QString::fromLatin1(name)), "x");
        QDir(m_folder->path()).mkdir(QStringLiteral("sub.TXT"));
        frmCustom &screen = openCustom();
        QTRY_COMPARE(listedFiles(screen), (QStringList{"a.TXT", "b.txt", "c.Txt"}));
    }

    // Folders once listed (the program folder, folders visited) never turn up among the files.
    void fileListAfterVisitingFolders()
    {
        QDir(m_folder->path()).mkpath(QStringLiteral("a/b"));
        writeFile(m_folder->filePath(QStringLiteral("a/one.TXT")), "one");
        writeFile(m_folder->filePath(QStringLiteral("a/b/two.TXT")), "two");
        const QString program = QDir::cleanPath(m_folder->path());
        platform::setDriveFoldersForTesting({program});
        frmCustom &screen = openCustom();
        auto *folders = static_cast<QFileSystemModel *>(screen.Dir1->model());
        for (const QString &folder : {QStringLiteral("/a"), QStringLiteral("/a/b"), QStringLiteral("/a")}) {
            QTRY_VERIFY(folders->index(program + folder).isValid());
            const QModelIndex index = folders->index(program + folder);
            screen.Dir1->scrollTo(index);
            QTRY_VERIFY(!screen.Dir1->visualRect(index).isEmpty());
            QTest::mouseClick(screen.Dir1->viewport(), Qt::LeftButton, {},
                              screen.Dir1->visualRect(index).center());
            QCOMPARE(screen.Dir1Path(), program + folder);
        }
        QCOMPARE(listedFiles(screen), QStringList{"one.TXT"});

        // Files that come later are listed too.
        writeFile(m_folder->filePath(QStringLiteral("a/three.txt")), "three");
        QTRY_COMPARE(listedFiles(screen), (QStringList{"one.TXT", "three.txt"}));
    }

    void foldersAndDrives()
    {
        QTemporaryDir other;
        QDir(other.path()).mkpath(QStringLiteral("inner"));
        writeFile(other.path() + QStringLiteral("/top.TXT"), "top");
        writeFile(other.path() + QStringLiteral("/inner/deep.txt"), "deep");
        const QString missing = other.path() + QStringLiteral("/not-mounted");
        const QString program = QDir::cleanPath(m_folder->path());
        platform::setDriveFoldersForTesting({program, other.path(), missing});
        DialogScript dialogs;
        frmCustom &screen = openCustom();
        QCOMPARE(screen.Drive1->currentText(), program);

        // A drive that is not ready changes nothing and says nothing.
        screen.Drive1->setFocus();
        QTest::keyClick(screen.Drive1, Qt::Key_End);
        QCOMPARE(screen.Drive1->currentText(), program);
        QCOMPARE(screen.Dir1Path(), program);
        QVERIFY(dialogs.requests.isEmpty());

        QTest::keyClick(screen.Drive1, Qt::Key_Down);
        QCOMPARE(screen.Dir1Path(), other.path());
        QTRY_COMPARE(listedFiles(screen), QStringList{"top.TXT"});

        // Picking a folder in Dir1 makes File1 follow it.
        auto *folders = static_cast<QFileSystemModel *>(screen.Dir1->model());
        QTRY_VERIFY(folders->index(other.path() + QStringLiteral("/inner")).isValid());
        const QModelIndex inner = folders->index(other.path() + QStringLiteral("/inner"));
        QTRY_VERIFY(!screen.Dir1->visualRect(inner).isEmpty());
        QTest::mouseClick(screen.Dir1->viewport(), Qt::LeftButton, {},
                          screen.Dir1->visualRect(inner).center());
        QCOMPARE(screen.Dir1Path(), other.path() + QStringLiteral("/inner"));
        selectFile(screen, QStringLiteral("deep.txt"));
        click(screen.cmdLesson[1]);
        QCOMPARE(m_testText, QStringLiteral("deep"));
    }

private:
    std::unique_ptr<ScratchFolder> m_folder;
    QString m_testTitle;
    QString m_testText;
    int m_testsRun = 0;
};

QTEST_MAIN(tst_frmCustom)
#include "tst_frmcustom.moc"

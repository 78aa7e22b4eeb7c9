// What a start loads before the learner sees the user list: it reads this process's own mappings, so
// it runs alone in its program.
#include "app/WindowRegistry.h"
#include "mainwindow/mdlMain.h"
#include "support/TestSupport.h"
#include "users/frmUsers.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QtTest>

using namespace testsupport;

namespace {

// The files mapped into this process whose paths contain `part`.
QStringList mappedFiles(const QString &part)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return {QStringLiteral("(no /proc/self/maps)")};
    QStringList files;
    for (const QByteArray &line : maps.readAll().split('\n')) {
        const qsizetype path = line.indexOf('/');
        const QString file = path < 0 ? QString() : QString::fromUtf8(line.mid(path));
        if (file.contains(part) && !files.contains(file))
            files.append(file);
    }
    return files;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    // A Latin and an Arabic name listed: each script's regular face, no bold one; the window icon
    // read without the image plugins.
    void userListOpensOnlyTheFacesItDraws()
    {
        Sandbox sandbox;
        createProfile(QStringLiteral("Sami"));
        createProfile(QStringLiteral("ليلى"));
        SetUpApplication(*qApp);
        QVERIFY(Main());
        frmUsers &users = Window<frmUsers>();
        QVERIFY(QTest::qWaitForWindowExposed(&users));
        users.repaint();

        QVERIFY(!mappedFiles(QStringLiteral(".ttf")).isEmpty());
        QCOMPARE(mappedFiles(QStringLiteral("Bold")), QStringList());
        QCOMPARE(QApplication::windowIcon().availableSizes(), QList<QSize>{QSize(64, 64)});
        QCOMPARE(mappedFiles(QStringLiteral("/imageformats/")), QStringList());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"

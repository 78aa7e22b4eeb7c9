// The tutor's memory inside a lesson: logged in, the lesson screen open and its practice running
// with ten lines typed. Prints the resident set and its peak from /proc/self/status, and beside them
// the proportional (PSS) and private (USS) sets from /proc/self/smaps_rollup: most of the resident
// set is shared library pages, which the private set leaves out. With --mappings, the resident and
// private kilobytes of every mapped file (and of the heap and anonymous memory) at the end, largest
// first. Asserts nothing. Build it from two trees to compare a change's cost. Runs offscreen unless
// QT_QPA_PLATFORM says otherwise.
#include "app/KeyTables.h"
#include "app/WindowRegistry.h"
#include "app/cTheApp.h"
#include "lessons/cLesson.h"
#include "lessons/frmLessons.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/mdlMain.h"
#include "platform/ArabicApplication.h"
#include "platform/Folders.h"
#include "typing/TypingPad.h"
#include "users/ProfileFile.h"
#include "users/cUser.h"

#include "ProcMemory.h"

#include <QApplication>
#include <QFile>
#include <QMap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest/QTest>

#include <algorithm>
#include <functional>

namespace {

QTextStream out(stdout);

qint64 kilobytes(const char *file, const char *field)
{
    return procKilobytes(QString::fromLatin1(file), field);
}

QString megabytes(qint64 kb)
{
    return QString::number(kb / 1024.0, 'f', 1) + QStringLiteral(" MB");
}

void report(const char *when)
{
    const char *rollup = "/proc/self/smaps_rollup";
    const qint64 uss = kilobytes(rollup, "Private_Clean:") + kilobytes(rollup, "Private_Dirty:");
    out << when << ": RSS " << megabytes(kilobytes("/proc/self/status", "VmRSS:")) << " (peak "
        << megabytes(kilobytes("/proc/self/status", "VmHWM:")) << "), PSS " << megabytes(kilobytes(rollup, "Pss:"))
        << ", USS " << megabytes(uss) << Qt::endl;
}

// Resident and private kilobytes per mapped file, anonymous mappings together, largest first.
void reportMappings()
{
    QFile smaps(QStringLiteral("/proc/self/smaps"));
    if (!smaps.open(QIODevice::ReadOnly))
        return;
    QMap<QString, std::pair<qint64, qint64>> byName;
    QString name;
    for (const QByteArray &line : smaps.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() >= 5 && fields.at(0).contains('-') && !fields.at(0).endsWith(':')) {
            name = fields.size() >= 6 ? QString::fromUtf8(fields.mid(5).join(' ')) : QStringLiteral("[anonymous]");
        } else if (fields.size() >= 2 && fields.at(0) == "Rss:") {
            byName[name].first += fields.at(1).toLongLong();
        } else if (fields.size() >= 2 && (fields.at(0) == "Private_Clean:" || fields.at(0) == "Private_Dirty:")) {
            byName[name].second += fields.at(1).toLongLong();
        }
    }
    QList<std::pair<qint64, QString>> rows;
    for (auto it = byName.cbegin(); it != byName.cend(); ++it)
        rows.append({it.value().first, it.key()});
    std::sort(rows.begin(), rows.end(), std::greater<>());
    out << "   RSS kB   USS kB  mapping" << Qt::endl;
    for (const auto &[rss, mapping] : rows) {
        if (rss > 0)
            out << qSetFieldWidth(9) << Qt::right << rss << byName.value(mapping).second << qSetFieldWidth(0) << "  "
                << mapping << Qt::endl;
    }
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    platform::setUpArabicApplication(application, QStringLiteral("Tavrin"));
    FillKeyTables();

    QTemporaryDir folder;
    platform::setProgramFolderForTesting(folder.path() + QLatin1Char('/'));
    ProfileFile::create(platform::profileFolder() + QStringLiteral("bench") +
                            QLatin1String(ProfileFile::kExtension),
                        90, 150);
    MakeApplicationObjects();
    theUser().LogIn(QStringLiteral("bench"));
    frmMain &main = Window<frmMain>();
    main.show();
    QCoreApplication::processEvents();
    report("logged in, home panel");

    main.lblSection_Click(frmMain::kLessonsIndex);
    Window<frmLessons>().cmdLesson_Click(0);
    theLesson().ShowPractice();
    QCoreApplication::processEvents();
    TypingPad &pad = *main.picPractice->TypingPad;
    for (int line = 0; line < 10; ++line) {
        if (main.picPractice->picMessage->isVisible())
            main.picPractice->cmdOK_Click();
        for (QChar c : pad.sWantedText.trimmed())
            QTest::sendKeyEvent(QTest::Click, &pad, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QCoreApplication::processEvents();
    }
    report("inside lesson 1, ten practice lines typed");
    if (application.arguments().contains(QStringLiteral("--mappings")))
        reportMappings();
    return 0;
}

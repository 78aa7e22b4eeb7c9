// Figures for the adaptive practice: the memory the word lists take once read, the time to read them
// and build the letter model (when its screen opens), and the time to build a line, for the first keys
// (made-up words) and for larger sets (real words), with the same keys as the line before and with
// new keys or a new focus. Prints figures; asserts nothing.
#include "ProcMemory.h"

#include "adaptive/cAdaptiveText.h"
#include "adaptive/cPseudoWords.h"
#include "adaptive/cWordList.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

QTextStream out(stdout);

qint64 rssKb()
{
    return procKilobytes(QStringLiteral("/proc/self/status"), "VmRSS:");
}

struct Case
{
    const char *name;
    QString allowed;
    QStringList focuses; // one per line, in turn
};

void timeLines(const cAdaptiveText &text, const Case &c, int lines)
{
    std::vector<double> micros;
    QStringList recent;
    QString sample;
    for (int i = 0; i < lines; ++i) {
        const QString &focus = c.focuses.at(i % c.focuses.size());
        QElapsedTimer timer;
        timer.start();
        const QString line = text.MakeLine(c.allowed, focus, recent, 48);
        micros.push_back(timer.nsecsElapsed() / 1000.0);
        recent = line.split(QLatin1Char(' ')) + recent.mid(0, 60);
        if (i == 0)
            sample = line;
    }
    std::sort(micros.begin(), micros.end());
    out << QStringLiteral("  %1: median %2 us, 99th %3 us, worst %4 us   e.g. \"%5\"\n")
               .arg(QLatin1StringView(c.name))
               .arg(micros[micros.size() / 2], 0, 'f', 1)
               .arg(micros[micros.size() * 99 / 100], 0, 'f', 1)
               .arg(micros.back(), 0, 'f', 1)
               .arg(sample);
    out.flush();
}

void language(bool arabic)
{
    out << (arabic ? "Arabic\n" : "English\n");
    const qint64 before = rssKb();
    QElapsedTimer timer;
    timer.start();
    const cWordList &list = cWordList::Get(arabic);
    const qint64 readMs = timer.elapsed();
    const qint64 afterList = rssKb();
    timer.restart();
    cAdaptiveText text(arabic);
    const qint64 modelMs = timer.elapsed();
    const qint64 afterModel = rssKb();
    out << QStringLiteral("  word list: %1 words, read in %2 ms, %3 KB resident; letter model %4 ms, %5 KB\n")
               .arg(list.Count())
               .arg(readMs)
               .arg(afterList - before)
               .arg(modelMs)
               .arg(afterModel - afterList);

    const QString lam(QChar(0xFEFB));
    const QList<Case> cases = arabic
        ? QList<Case>{
              {"first keys, made-up words", QStringLiteral("تنط"), {QStringLiteral("ط")}},
              {"lesson 1, same focus", QStringLiteral("اأتنمكط"), {QStringLiteral("ط")}},
              {"lessons 1-3, focus changing", QStringLiteral("اأتنمكطلبيسشغإعهخحجد"),
               {QStringLiteral("ب"), QStringLiteral("ع"), QStringLiteral("د"), QStringLiteral("ه")}},
              {"all keys, focus changing", QStringLiteral("ءآأؤإئابةتثجحخدذرزسشصضطظعغفقكلمنهوىي") + lam,
               {QStringLiteral("ظ"), lam, QStringLiteral("ة"), QStringLiteral("ض")}},
          }
        : QList<Case>{
              {"first keys, made-up words", QStringLiteral("hjkl"), {QStringLiteral("k")}},
              {"two lessons, same focus", QStringLiteral("hjklgfdsa"), {QStringLiteral("g")}},
              {"three lessons, focus changing", QStringLiteral("hjklgfdsayuiop"),
               {QStringLiteral("u"), QStringLiteral("p"), QStringLiteral("f")}},
              {"all keys, focus changing", QStringLiteral("abcdefghijklmnopqrstuvwxyz"),
               {QStringLiteral("q"), QStringLiteral("z"), QStringLiteral("x"), QStringLiteral("e")}},
          };
    for (const Case &c : cases)
        timeLines(text, c, 2000);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // Each language in a process of its own, so the memory one list leaves free does not hide the
    // other's.
    const QStringList args = app.arguments();
    if (args.size() > 1) {
        language(args.at(1) == QLatin1String("ar"));
        return 0;
    }
    out << "Building a practice line (48 letters), after the screen has read its list:\n";
    out.flush();
    for (const char *lang : {"en", "ar"}) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(app.applicationFilePath(), {QLatin1String(lang)});
        child.waitForFinished(-1);
    }
    return 0;
}

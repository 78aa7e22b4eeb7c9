// Figures for the adaptive practice: the memory the word lists take once read, the time to read them
// and build the letter model (when its screen opens), and the time to build a line, for the first keys
// (made-up words) and for larger sets (real words), with the same keys as the line before and with
// new keys or a new focus; and the time to fold a long history into the key model. Prints figures;
// asserts nothing.
#include "ProcMemory.h"

#include "adaptive/cAdaptiveText.h"
#include "adaptive/cKeyModel.h"
#include "adaptive/cPseudoWords.h"
#include "adaptive/cTrainerKeys.h"
#include "adaptive/cWordList.h"
#include "users/cHistory.h"

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

// Folding a long history: 100 000 adaptive lines of the language, each with the counts and times of
// the keys it held, as the screen folds a learner's whole history when it opens.
void timeFold(bool arabic)
{
    constexpr int kRecords = 100'000;
    const QList<TrainerKey> &keys = trainerKeys(arabic);
    QByteArray history;
    quint32 x = 2024;
    const auto next = [&x](int n) {
        x = x * 1103515245u + 12345u;
        return int((x >> 8) % quint32(n));
    };
    for (int r = 0; r < kRecords; ++r) {
        HistoryRecord record;
        record.iTime = 1'700'000'000'000 + qint64(r) * 60'000;
        record.bArabic = arabic;
        record.source = HistoryRecord::Source::Adaptive;
        record.iSpeed = qint16(150 + next(100));
        record.iAccuracy = qint16(85 + next(15));
        const int iKeys = std::min(int(keys.size()), 12 + next(8));
        for (int k = 0; k < iKeys; ++k) {
            HistoryRecord::KeyCount count;
            count.cKey = keys.at(k).sLetters.at(0);
            count.iWanted = quint16(2 + next(6));
            count.iMissed = quint16(next(3) == 0 ? 1 : 0);
            count.iTimed = quint16(count.iWanted - 1);
            count.iTimeMs = quint32(count.iTimed * (200 + next(300)));
            record.keys.append(count);
        }
        history += cHistory::Encode(record);
    }
    cKeyModel model(arabic, {200, 95});
    std::vector<double> ms;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        model.FoldHistory(history);
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    out << QStringLiteral("  folding %1 records (%2 KB) into the key model: median %3 ms, worst %4 ms; "
                          "%5 keys included, focus %6\n")
               .arg(kRecords)
               .arg(history.size() / 1024)
               .arg(ms[ms.size() / 2], 0, 'f', 1)
               .arg(ms.back(), 0, 'f', 1)
               .arg(model.IncludedCount())
               .arg(keys.at(model.Focus()).sLabel);
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
    timeFold(arabic);
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

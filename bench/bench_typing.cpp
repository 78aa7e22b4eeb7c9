// Figures for the typing engine: one key judged and the whole pad redrawn on a 60-character line in
// Arabic and in English, a key's text by physical key and sent by name, and the test window opened
// until its first paint. Prints figures; asserts
// nothing. Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include "app/WindowRegistry.h"
#include "app/cTheApp.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/mdlMain.h"
#include "platform/CodePage1256.h"
#include "platform/Folders.h"
#include "platform/KeyboardLayout.h"
#include "typing/TypingPad.h"
#include "typing/cTest.h"
#include "typing/frmTest.h"
#include "users/ProfileFile.h"
#include "users/cUser.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextStream>
#include <QWindow>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

QTextStream out(stdout);

// Paints reach a window only once the platform has exposed it.
void waitExposed(QWidget &widget)
{
    QElapsedTimer waited;
    waited.start();
    while (!(widget.windowHandle() && widget.windowHandle()->isExposed()) && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

// Counts the paints a widget gets, so the figures are known to include drawing.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

struct Figures
{
    double median = 0;
    double p95 = 0;
    double mean = 0;
};

Figures summarise(QList<double> samples)
{
    std::sort(samples.begin(), samples.end());
    Figures figures;
    figures.median = samples.at(samples.size() / 2);
    figures.p95 = samples.at(qMin(samples.size() - 1, samples.size() * 95 / 100));
    for (double sample : samples)
        figures.mean += sample;
    figures.mean /= samples.size();
    return figures;
}

void print(const QString &what, const Figures &figures, const QString &unit)
{
    out << qSetFieldWidth(44) << Qt::left << what << qSetFieldWidth(0) << "median " << figures.median << ' '
        << unit << ", p95 " << figures.p95 << ' ' << unit << ", mean " << figures.mean << ' ' << unit
        << Qt::endl;
}

void setLanguage(const QString &lang, const QString &size)
{
    theUser().SetSettings(QStringLiteral("General"), QStringLiteral("Lang"), lang);
    theUser().SetSettings(QStringLiteral("View"), QStringLiteral("Size"), size);
}

// Each key as the pad's key handler gets it, then the paint it asks for, done at once.
void benchKeys(const QString &name, const QString &line)
{
    TypingPad pad;
    pad.resize(560, 112);
    pad.show();
    waitExposed(pad);
    PaintCounter counter;
    pad.installEventFilter(&counter);
    QList<qint16> codes;
    for (QChar c : line)
        codes.append(qint16(quint8(platform::toCodePage1256(QString(c)).at(0))));

    QList<double> samples;
    QElapsedTimer timer;
    for (int round = 0; round < 40; ++round) {
        pad.sWantedText = line;
        pad.bActive = true;
        pad.Start();
        pad.repaint();
        for (qint16 code : codes) {
            timer.start();
            pad.UserControl_KeyPress(code);
            pad.repaint();
            samples.append(timer.nsecsElapsed() / 1000.0);
        }
    }
    print(name, summarise(samples), QStringLiteral("us"));
    out << "    (" << samples.size() << " keys, " << counter.paints << " paints)" << Qt::endl;
}

// The text of a key press in the Arabic layout: by its physical key, and sent by name on a spare
// keycode with the US text (the first such key builds the reverse table).
void benchKeyText()
{
    platform::loadKeyboardLayout(QString::fromLatin1(platform::kArabicLayout));
    const QString us = QStringLiteral("the quick brown fox jumps over the lazy dog");
    std::vector<std::unique_ptr<QKeyEvent>> physical;
    std::vector<std::unique_ptr<QKeyEvent>> byName;
    for (QChar c : us) {
        quint32 keycode = 0;
        for (quint32 code = 10; code <= 65 && !keycode; ++code) {
            if (platform::textOfPhysicalKey(QString::fromLatin1(platform::kEnglishLayout), code, false) ==
                QString(c))
                keycode = code;
        }
        physical.push_back(std::make_unique<QKeyEvent>(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                                                       keycode, 0, 0, QString(c)));
        byName.push_back(std::make_unique<QKeyEvent>(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, 8, 0,
                                                     0, QString(c)));
    }
    for (const auto &[name, events] : {std::pair{QStringLiteral("key text, physical key"), &physical},
                                       std::pair{QStringLiteral("key text, sent by name"), &byName}}) {
        QList<double> samples;
        QElapsedTimer timer;
        qsizetype typed = 0;
        for (int round = 0; round < 200; ++round) {
            timer.start();
            for (const auto &event : *events)
                typed += platform::typedText(*event).size();
            samples.append(timer.nsecsElapsed() / double(events->size()));
        }
        print(name, summarise(samples), QStringLiteral("ns"));
        if (typed == 0)
            out << "    (nothing typed)" << Qt::endl;
    }
}

void benchTestWindow(const QString &name)
{
    QString text;
    while (text.size() < 320)
        text += QStringLiteral("كتب الولد درسه في البيت لا بد من التدريب ");
    QList<double> samples;
    QElapsedTimer timer;
    for (int round = 0; round < 30; ++round) {
        cTest test;
        test.sTitle = QStringLiteral("الاختبار الاول");
        test.sWantedText = text;
        timer.start();
        frmTest &window = Window<frmTest>();
        window.CurrentTest = &test;
        window.show();
        waitExposed(window);
        window.repaint();
        samples.append(timer.nsecsElapsed() / 1e6);
        WindowRegistry::Unload<frmTest>();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    print(name, summarise(samples), QStringLiteral("ms"));
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    QTemporaryDir folder;
    platform::setProgramFolderForTesting(folder.path() + QLatin1Char('/'));
    ProfileFile::create(theApp().GetPath() + QStringLiteral("bench") + QLatin1String(ProfileFile::kExtension),
                        90, 150);
    MakeApplicationObjects();
    theUser().LogIn(QStringLiteral("bench"));
    Window<frmMain>().hide();

    out << "Platform " << QGuiApplication::platformName() << Qt::endl;
    const QString arabic = QStringLiteral("سلام عليكم كتب الولد درسه في البيت لا بد من التدريب كل يوم ه");
    const QString english = QStringLiteral("the quick brown fox jumps over the lazy dog and ask a lad no");
    setLanguage(QStringLiteral("A"), QStringLiteral("Small"));
    benchKeys(QStringLiteral("key + redraw, Arabic 60 letters, small pad"), arabic);
    setLanguage(QStringLiteral("E"), QStringLiteral("Small"));
    benchKeys(QStringLiteral("key + redraw, English 60 letters, small pad"), english);
    benchKeyText();
    setLanguage(QStringLiteral("A"), QStringLiteral("Small"));
    benchTestWindow(QStringLiteral("open test window (5 pads, Arabic)"));

    theUser().LogOut();
    WindowRegistry::UnloadAll();
    return 0;
}

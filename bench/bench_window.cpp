// Figures from the real window on an X display (DISPLAY; Xvfb will do), for any build of the tutor:
//   startup  the tutor started as a learner starts it, from exec until its first window is first
//            drawn, with a Latin profile, an Arabic one and none in its folder, round by round;
//   keys     key-to-screen over lesson 1's practice, Arabic and English: from a key sent through XTest
//            until the tutor's window is next drawn, and until it is drawn for the last time;
//   memory   the tutor's resident, proportional and private memory in that practice after ten lines
//            (KZ_BENCH_SMAPS=FILE keeps its smaps, to compare two trees mapping by mapping).
// Drawing is seen through the DAMAGE extension, which reports every change to a window's pixels.
// Prints figures; asserts nothing.
// The tutors run at scale 1 (QT_SCALE_FACTOR) unless --scale says otherwise ("fit": the learner's
// default, which follows the screen), each with settings of its own.
//   bench_window startup|keys|memory [--kz PATH] [--rounds N] [--scale FACTOR|fit] [--trace]
#include "app/Blanks.h"
#include "app/StringTable.h"
#include "platform/KeyboardLayout.h"
#include "users/ProfileFile.h"

#include "ProcMemory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <map>
#include <optional>
#include <set>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QTextStream out(stdout);

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start, Clock::time_point end)
{
    return std::chrono::duration<double, std::milli>(end - start).count();
}

int ignoreXErrors(Display *, XErrorEvent *)
{
    return 0; // windows the tutor destroys while we look at them
}

// The display, the tutor's top-level windows and when each was last drawn.
class Desktop
{
public:
    bool open()
    {
        m_display = XOpenDisplay(nullptr);
        if (!m_display)
            return false;
        int error = 0;
        int major = 0;
        int minor = 0;
        int eventBase = 0;
        if (!XDamageQueryExtension(m_display, &m_damageEvent, &error) ||
            !XTestQueryExtension(m_display, &eventBase, &error, &major, &minor))
            return false;
        XSetErrorHandler(ignoreXErrors);
        XSelectInput(m_display, DefaultRootWindow(m_display), SubstructureNotifyMask);
        XSync(m_display, False);
        return true;
    }

    // Reads what the server sent until `deadline`, or until `stop` says enough.
    template <typename Stop> void pump(Clock::time_point deadline, Stop stop)
    {
        const int fd = ConnectionNumber(m_display);
        for (;;) {
            while (XPending(m_display)) {
                XEvent event;
                XNextEvent(m_display, &event);
                handle(event, Clock::now());
                if (stop())
                    return;
            }
            const auto now = Clock::now();
            if (now >= deadline || stop())
                return;
            const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - now);
            timeval timeout{long(left.count() / 1000000), long(left.count() % 1000000)};
            fd_set read;
            FD_ZERO(&read);
            FD_SET(fd, &read);
            select(fd + 1, &read, nullptr, nullptr, &timeout);
        }
    }

    // Waits until nothing is drawn for `quietMs` (at most `limitMs`).
    void settle(int quietMs, int limitMs = 5000)
    {
        const auto start = Clock::now();
        for (;;) {
            const auto drawnBefore = m_lastDrawn;
            pump(Clock::now() + std::chrono::milliseconds(quietMs), [&] { return m_lastDrawn != drawnBefore; });
            if (m_lastDrawn == drawnBefore || msSince(start, Clock::now()) > limitMs)
                return;
        }
    }

    // How many top-level windows have been mapped so far.
    size_t windowsMapped() const { return m_mappedOrder.size(); }

    // The first top-level window mapped after the first `before`; Window(0) when none comes in
    // `limitMs`.
    Window waitForNewWindow(size_t before, int limitMs)
    {
        pump(Clock::now() + std::chrono::milliseconds(limitMs), [&] { return m_mappedOrder.size() > before; });
        return m_mappedOrder.size() > before ? m_mappedOrder.at(before) : Window(0);
    }

    void focus(Window window)
    {
        XSetInputFocus(m_display, window, RevertToParent, CurrentTime);
        XSync(m_display, False);
    }

    KeyCode keycode(KeySym keysym) const { return XKeysymToKeycode(m_display, keysym); }

    struct Timing
    {
        double firstMs = -1; // the first drawing after the key
        double lastMs = -1;  // the last one before the window stayed quiet
        double sentAt = 0;   // when the key was sent, in seconds of CLOCK_MONOTONIC (as perf -k)
    };

    // Presses and releases one key (with Shift held when asked) and times the drawing it causes.
    Timing key(KeyCode code, bool shift, int quietMs = 40)
    {
        const KeyCode shiftCode = keycode(XK_Shift_L);
        if (shift) {
            XTestFakeKeyEvent(m_display, shiftCode, True, 0);
            XSync(m_display, False);
            settle(5, 100);
        }
        const auto drawnBefore = m_drawCount;
        const auto sent = Clock::now();
        XTestFakeKeyEvent(m_display, code, True, 0);
        XFlush(m_display);
        Timing timing;
        timing.sentAt = std::chrono::duration<double>(sent.time_since_epoch()).count();
        pump(sent + std::chrono::milliseconds(1000), [&] { return m_drawCount != drawnBefore; });
        if (m_drawCount != drawnBefore) {
            timing.firstMs = msSince(sent, m_lastDrawn);
            settle(quietMs, 2000);
            timing.lastMs = msSince(sent, m_lastDrawn);
        }
        XTestFakeKeyEvent(m_display, code, False, 0);
        if (shift)
            XTestFakeKeyEvent(m_display, shiftCode, False, 0);
        XSync(m_display, False);
        return timing;
    }

    std::optional<Clock::time_point> firstDrawn(Window window) const
    {
        const auto found = m_firstDrawn.find(window);
        if (found == m_firstDrawn.end())
            return std::nullopt;
        return found->second;
    }
    size_t drawCount() const { return m_drawCount; }

    // Forgets the windows of a tutor that has ended.
    void reset()
    {
        for (const auto &[window, damage] : m_damage)
            XDamageDestroy(m_display, damage);
        XSync(m_display, False);
        m_damage.clear();
        m_mapped.clear();
        m_mappedOrder.clear();
        m_firstDrawn.clear();
    }

private:
    void handle(const XEvent &event, Clock::time_point at)
    {
        const Window root = DefaultRootWindow(m_display);
        if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
            // Watched from its creation on, so its first drawing is never missed.
            m_damage[event.xcreatewindow.window] =
                XDamageCreate(m_display, event.xcreatewindow.window, XDamageReportNonEmpty);
        } else if (event.type == MapNotify && event.xmap.event == root) {
            if (m_mapped.insert(event.xmap.window).second)
                m_mappedOrder.push_back(event.xmap.window);
        } else if (event.type == DestroyNotify && event.xdestroywindow.event == root) {
            m_damage.erase(event.xdestroywindow.window);
            m_mapped.erase(event.xdestroywindow.window);
        } else if (event.type == m_damageEvent + XDamageNotify) {
            const auto &damage = reinterpret_cast<const XDamageNotifyEvent &>(event);
            XDamageSubtract(m_display, damage.damage, None, None);
            if (!m_mapped.count(damage.drawable))
                return;
            m_firstDrawn.emplace(damage.drawable, at);
            m_lastDrawn = at;
            ++m_drawCount;
        }
    }

    Display *m_display = nullptr;
    int m_damageEvent = 0;
    std::map<Window, Damage> m_damage;
    std::set<Window> m_mapped;
    std::vector<Window> m_mappedOrder;
    std::map<Window, Clock::time_point> m_firstDrawn;
    Clock::time_point m_lastDrawn;
    size_t m_drawCount = 0;
};

// A copy of the tutor in a folder of its own, as an installed one stands in its program folder.
class Tutor
{
public:
    Tutor(const QString &executable, const QStringList &learners, char language = 'A')
    {
        m_folder = m_dir.path() + QLatin1Char('/');
        QFile::copy(executable, m_folder + QStringLiteral("KZ.EXE"));
        for (const QString &name : learners) {
            const QString path = m_folder + name + QLatin1String(ProfileFile::kExtension);
            ProfileFile::create(path, 90, 150);
            QFile file(path);
            if (file.open(QIODevice::ReadWrite) && file.seek(ProfileFile::kLangOffset))
                file.write(&language, 1);
        }
    }
    ~Tutor() { stop(); }
    pid_t pid() const { return m_pid; }

    bool start()
    {
        const QByteArray folder = QFile::encodeName(m_folder);
        const QByteArray program = folder + "KZ.EXE";
        const QByteArray config = folder + "config";
        m_pid = fork();
        if (m_pid == 0) {
            // Settings of its own (the display scale's among them), never those of another tutor.
            setenv("XDG_CONFIG_HOME", config.constData(), 1);
            if (chdir(folder.constData()) == 0)
                execl(program.constData(), program.constData(), static_cast<char *>(nullptr));
            _exit(127);
        }
        return m_pid > 0;
    }

    void stop()
    {
        if (m_pid <= 0)
            return;
        kill(m_pid, SIGTERM);
        int status = 0;
        for (int i = 0; i < 200 && waitpid(m_pid, &status, WNOHANG) == 0; ++i)
            usleep(10000);
        if (waitpid(m_pid, &status, WNOHANG) == 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, &status, 0);
        }
        m_pid = -1;
    }

private:
    QTemporaryDir m_dir;
    QString m_folder;
    pid_t m_pid = -1;
};

struct Summary
{
    double median = 0;
    double p95 = 0;
    double max = 0;
    double min = 0;
};

Summary summarise(QList<double> samples)
{
    Summary summary;
    if (samples.isEmpty())
        return summary;
    std::sort(samples.begin(), samples.end());
    summary.median = samples.at(samples.size() / 2);
    summary.p95 = samples.at(qMin(samples.size() - 1, samples.size() * 95 / 100));
    summary.min = samples.first();
    summary.max = samples.last();
    return summary;
}

QString figures(const QList<double> &samples)
{
    const Summary s = summarise(samples);
    return QStringLiteral("median %1 ms, p95 %2, min %3, max %4 (%5)")
        .arg(s.median, 0, 'f', 2)
        .arg(s.p95, 0, 'f', 2)
        .arg(s.min, 0, 'f', 2)
        .arg(s.max, 0, 'f', 2)
        .arg(samples.size());
}

void benchStartup(Desktop &desktop, const QString &executable, int rounds)
{
    struct Case
    {
        QString name;
        std::unique_ptr<Tutor> tutor;
        QList<double> mapped;
        QList<double> drawn;
    };
    std::vector<Case> cases;
    cases.push_back({QStringLiteral("Latin profile (Sami)"),
                     std::make_unique<Tutor>(executable, QStringList{QStringLiteral("Sami")}), {}, {}});
    cases.push_back({QStringLiteral("Arabic profile (ليلى)"),
                     std::make_unique<Tutor>(executable, QStringList{QStringLiteral("ليلى")}), {}, {}});
    cases.push_back({QStringLiteral("no profile"), std::make_unique<Tutor>(executable, QStringList{}), {}, {}});

    // Round by round, so a change in the machine's load touches every case alike. The first round
    // fills the page cache and is left out.
    for (int round = 0; round <= rounds; ++round) {
        for (Case &c : cases) {
            desktop.reset();
            const auto started = Clock::now();
            c.tutor->start();
            const Window window = desktop.waitForNewWindow(0, 10000);
            const auto mapped = Clock::now();
            desktop.pump(Clock::now() + std::chrono::seconds(10),
                        [&] { return window && desktop.firstDrawn(window).has_value(); });
            const auto drawn = desktop.firstDrawn(window);
            if (round > 0 && window && drawn) {
                c.mapped.append(msSince(started, mapped));
                c.drawn.append(msSince(started, *drawn));
            }
            c.tutor->stop();
            usleep(100000);
        }
    }
    for (const Case &c : cases) {
        out << c.name << Qt::endl;
        out << "    exec to window mapped:      " << figures(c.mapped) << Qt::endl;
        out << "    exec to first drawn:        " << figures(c.drawn) << Qt::endl;
    }
}

// The physical key and level that type `c` in `layout`; keycode 0 when none does.
std::pair<KeyCode, bool> physicalKey(const QString &layout, QChar c)
{
    for (quint32 code = 9; code < 136; ++code) {
        for (bool shift : {false, true}) {
            if (platform::textOfPhysicalKey(layout, code, shift) == QString(c))
                return {KeyCode(code), shift};
        }
    }
    return {0, false};
}

struct Language
{
    QString name;
    char code;
    const char *layout;
    int block; // lesson 1's practice lines in the string table
};
const Language kLanguages[] = {{QStringLiteral("Arabic"), 'A', platform::kArabicLayout, 2100},
                               {QStringLiteral("English"), 'E', platform::kEnglishLayout, 4100}};

// Logs the tutor's one learner in and opens lesson 1's practice by keyboard, past its opening
// message; false when a window does not come.
bool openLessonPractice(Desktop &desktop, Tutor &tutor, bool trace)
{
    desktop.reset();
    tutor.start();
    const Window users = desktop.waitForNewWindow(0, 10000);
    if (!users)
        return false;
    desktop.settle(300);
    desktop.focus(users);
    const size_t mapped = desktop.windowsMapped();
    desktop.key(desktop.keycode(XK_Return), false);
    const Window main = desktop.waitForNewWindow(mapped, 10000);
    if (!main)
        return false;
    desktop.settle(300);
    desktop.focus(main);
    // The menu's first item (lessons), lesson 1, its practice, past the opening message.
    for (KeySym keysym : {XK_Tab, XK_Up, XK_Return, XK_Tab, XK_Return, XK_Tab, XK_Return, XK_Return}) {
        const Desktop::Timing timing = desktop.key(desktop.keycode(keysym), false);
        if (trace)
            out << "# " << XKeysymToString(keysym) << ' ' << timing.firstMs << Qt::endl;
        desktop.settle(150);
    }
    return true;
}

// Types practice line `line` of `language` without a mistake, about 100 ms between keys (a quick
// learner's pace), and the OK of the section text that follows every fifth line. `timed` hears of
// every key: its index in the line, whether it ends the line, and its timing.
template <typename Timed> void typeLine(Desktop &desktop, const Language &language, int line, Timed timed)
{
    const QString layout = QString::fromLatin1(language.layout);
    const QString text = TrimBlanks(LoadResString(language.block + line));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto [code, shift] = physicalKey(layout, text.at(i));
        if (!code)
            continue;
        const Desktop::Timing timing = desktop.key(code, shift);
        timed(i, text.at(i), i == text.size() - 1, timing);
        desktop.settle(qMax(1, 100 - int(timing.lastMs)), 200);
    }
    if (line % 5 == 0) {
        desktop.settle(100);
        desktop.key(desktop.keycode(XK_Return), false);
        desktop.settle(100);
    }
}

void benchKeys(Desktop &desktop, const QString &executable, int rounds, bool trace)
{
    for (const Language &language : kLanguages) {
        QList<double> letterFirst;
        QList<double> letterLast;
        QList<double> lineEndFirst;
        QList<double> lineEndLast;
        const int lines = LoadResNumber(language.block);
        for (int round = 0; round < rounds; ++round) {
            Tutor tutor(executable, {QStringLiteral("Layla")}, language.code);
            if (!openLessonPractice(desktop, tutor, trace))
                continue;
            for (int line = 1; line <= lines; ++line) {
                typeLine(desktop, language, line, [&](qsizetype i, QChar c, bool lineEnd, const Desktop::Timing &timing) {
                    (lineEnd ? lineEndFirst : letterFirst).append(timing.firstMs);
                    (lineEnd ? lineEndLast : letterLast).append(timing.lastMs);
                    if (trace)
                        out << language.name << ',' << round << ',' << line << ',' << i << ',' << c << ','
                            << timing.firstMs << ',' << timing.lastMs << ',' << QString::number(timing.sentAt, 'f', 6)
                            << Qt::endl;
                });
            }
            tutor.stop();
        }
        out << "key-to-screen, lesson 1 practice, " << language.name << " (" << rounds << " rounds)" << Qt::endl;
        out << "    letters, first drawing:    " << figures(letterFirst) << Qt::endl;
        out << "    letters, last drawing:     " << figures(letterLast) << Qt::endl;
        out << "    line ends, first drawing:  " << figures(lineEndFirst) << Qt::endl;
        out << "    line ends, last drawing:   " << figures(lineEndLast) << Qt::endl;
    }
}

// Kilobytes of `field` in /proc/<pid>/<file>.
qint64 kilobytes(pid_t pid, const char *file, const char *field)
{
    return procKilobytes(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(file)), field);
}

// The tutor's memory in lesson 1's practice (Arabic) after ten lines: resident (RSS), proportional
// (PSS) and private (USS) sets, round by round.
void benchMemory(Desktop &desktop, const QString &executable, int rounds)
{
    const Language &language = kLanguages[0];
    QList<double> rss;
    QList<double> pss;
    QList<double> uss;
    for (int round = 0; round < rounds; ++round) {
        Tutor tutor(executable, {QStringLiteral("Layla")}, language.code);
        if (!openLessonPractice(desktop, tutor, false))
            continue;
        for (int line = 1; line <= 10; ++line)
            typeLine(desktop, language, line, [](qsizetype, QChar, bool, const Desktop::Timing &) {});
        desktop.settle(300);
        const pid_t pid = tutor.pid();
        rss.append(kilobytes(pid, "status", "VmRSS:") / 1024.0);
        pss.append(kilobytes(pid, "smaps_rollup", "Pss:") / 1024.0);
        uss.append((kilobytes(pid, "smaps_rollup", "Private_Clean:") + kilobytes(pid, "smaps_rollup", "Private_Dirty:")) /
                   1024.0);
        if (qEnvironmentVariableIsSet("KZ_BENCH_SMAPS")) {
            // Kept for comparing two trees mapping by mapping.
            QFile smaps(QStringLiteral("/proc/%1/smaps").arg(pid));
            QFile copy(qEnvironmentVariable("KZ_BENCH_SMAPS"));
            if (smaps.open(QIODevice::ReadOnly) && copy.open(QIODevice::WriteOnly | QIODevice::Truncate))
                copy.write(smaps.readAll());
        }
        tutor.stop();
    }
    const auto megabytes = [](const QList<double> &samples) {
        const Summary s = summarise(samples);
        return QStringLiteral("median %1 MB, min %2, max %3").arg(s.median, 0, 'f', 1).arg(s.min, 0, 'f', 1).arg(s.max, 0, 'f', 1);
    };
    out << "memory in lesson 1's practice, ten lines typed (" << rss.size() << " rounds)" << Qt::endl;
    out << "    RSS: " << megabytes(rss) << Qt::endl;
    out << "    PSS: " << megabytes(pss) << Qt::endl;
    out << "    USS: " << megabytes(uss) << Qt::endl;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    const QString mode = arguments.value(1);
    QString executable = QCoreApplication::applicationDirPath() + QStringLiteral("/../KZ");
    int rounds = mode == QStringLiteral("keys") ? 2 : mode == QStringLiteral("memory") ? 3 : 7;
    bool trace = false;
    // Both trees at the same scale by default: "fit" follows the screen, and a tree older than the
    // display scale has none.
    QString scale = QStringLiteral("1");
    for (int i = 2; i < arguments.size(); ++i) {
        if (arguments.at(i) == QStringLiteral("--kz"))
            executable = arguments.value(++i);
        else if (arguments.at(i) == QStringLiteral("--rounds"))
            rounds = arguments.value(++i).toInt();
        else if (arguments.at(i) == QStringLiteral("--trace"))
            trace = true;
        else if (arguments.at(i) == QStringLiteral("--scale"))
            scale = arguments.value(++i);
    }
    if (scale == QStringLiteral("fit"))
        qunsetenv("QT_SCALE_FACTOR");
    else
        qputenv("QT_SCALE_FACTOR", scale.toLatin1());
    if (mode != QStringLiteral("startup") && mode != QStringLiteral("keys") && mode != QStringLiteral("memory")) {
        out << "usage: bench_window startup|keys|memory [--kz PATH] [--rounds N] [--scale FACTOR|fit] [--trace]"
            << Qt::endl;
        return 2;
    }
    Desktop desktop;
    if (!desktop.open()) {
        out << "no X display with the DAMAGE and XTEST extensions (DISPLAY=" << qgetenv("DISPLAY") << ")"
            << Qt::endl;
        return 2;
    }
    if (!QFile::exists(executable)) {
        out << "no tutor at " << executable << Qt::endl;
        return 2;
    }
    out << "tutor: " << QDir::cleanPath(executable) << ", scale " << scale << Qt::endl;
    if (mode == QStringLiteral("startup"))
        benchStartup(desktop, QDir::cleanPath(executable), rounds);
    else if (mode == QStringLiteral("keys"))
        benchKeys(desktop, QDir::cleanPath(executable), rounds, trace);
    else
        benchMemory(desktop, QDir::cleanPath(executable), rounds);
    return 0;
}

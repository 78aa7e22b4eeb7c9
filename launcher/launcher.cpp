// Starts a program of the installer's folder (Setup's, or the installed tutor) from the launcher's
// own folder and ends with its status. A learner starts it from a file manager or a menu and sees
// no terminal: when the program cannot start (the loader misses a library and ends it with status
// 127), the loader's message is shown in a window of whatever the desktop has (zenity, kdialog,
// xmessage, in that order). Uses the C library alone, so it starts wherever the loader does.
//
// The program's output is its own (inherited, never piped): a pipe would outlive the launcher in
// programs the program starts. The loader's message is read from a second start, which fails the
// same way before any of the program's code runs.
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <initializer_list>
#include <poll.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#ifndef LAUNCHED_PROGRAM
#error "LAUNCHED_PROGRAM names the program beside the launcher"
#endif

extern char **environ;

namespace {

constexpr int kLoaderFailed = 127;    // the loader's status for a missing library, and a shell's
constexpr int kSecondStartMs = 10000; // a second start that gets past the loader is not waited for

char gProgram[4096];
char gMessage[4096];

// The launcher's folder from the kernel, whatever name or link it was started through.
bool findProgram()
{
    char self[sizeof gProgram];
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (length <= 0)
        return false;
    self[length] = '\0';
    char *slash = std::strrchr(self, '/');
    if (!slash)
        return false;
    slash[1] = '\0';
    return std::snprintf(gProgram, sizeof gProgram, "%s%s", self, LAUNCHED_PROGRAM) < int(sizeof gProgram);
}

// In the child, after fork: the signal mask as it was, an end with the launcher, then the program.
[[noreturn]] void runProgram(char **argv, const sigset_t &mask, pid_t launcher)
{
    ::sigprocmask(SIG_SETMASK, &mask, nullptr);
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != launcher)
        ::_exit(kLoaderFailed);
    argv[0] = gProgram;
    ::execv(gProgram, argv);
    // A memory stick's file system keeps no execute mark, and a copy from it has none; the
    // launcher's own mark says the folder's programs are meant to run.
    struct stat info;
    if (errno == EACCES && ::stat(gProgram, &info) == 0 && S_ISREG(info.st_mode) &&
        (info.st_mode & S_IRUSR)) {
        ::chmod(gProgram, info.st_mode | S_IXUSR | ((info.st_mode & S_IRGRP) ? S_IXGRP : 0) |
                              ((info.st_mode & S_IROTH) ? S_IXOTH : 0));
        ::execv(gProgram, argv);
    }
    std::fprintf(stderr, "%s: %s\n", gProgram, std::strerror(errno));
    ::_exit(kLoaderFailed);
}

// Runs the program with the launcher's output; signals that end the launcher are passed on.
int runAndWait(char **argv, const sigset_t &waited, const sigset_t &mask)
{
    const pid_t launcher = ::getpid();
    const pid_t child = ::fork();
    if (child < 0)
        return kLoaderFailed;
    if (child == 0)
        runProgram(argv, mask, launcher);
    for (;;) {
        siginfo_t info;
        if (::sigwaitinfo(&waited, &info) < 0)
            continue;
        if (info.si_signo != SIGCHLD) {
            // A terminal's Ctrl+C or hang-up reaches the program itself; a kill() is passed on.
            if (info.si_code <= 0)
                ::kill(child, info.si_signo);
            continue;
        }
        int status = 0;
        if (::waitpid(child, &status, WNOHANG) != child)
            continue;
        if (WIFEXITED(status))
            return WEXITSTATUS(status);
        // Ended by a signal: the launcher ends the same way, so its starter sees what happened.
        const int signal = WTERMSIG(status);
        std::signal(signal, SIG_DFL);
        sigset_t only;
        sigemptyset(&only);
        sigaddset(&only, signal);
        ::sigprocmask(SIG_UNBLOCK, &only, nullptr);
        ::raise(signal);
        return 128 + signal;
    }
}

long long nowMs()
{
    timespec now;
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000LL + now.tv_nsec / 1000000;
}

// Starts the program again with its error output read into gMessage: the loader fails the same
// way, at once. One that starts after all is ended when the wait is over.
void readLoadersMessage(char **argv, const sigset_t &mask)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return;
    const pid_t launcher = ::getpid();
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        ::dup2(channel[1], STDERR_FILENO);
        ::close(channel[1]);
        runProgram(argv, mask, launcher);
    }
    ::close(channel[1]);
    size_t size = 0;
    const long long end = nowMs() + kSecondStartMs;
    for (long long left = kSecondStartMs; child > 0 && left > 0; left = end - nowMs()) {
        pollfd readable{channel[0], POLLIN, 0};
        if (::poll(&readable, 1, int(left)) <= 0)
            break;
        const ssize_t got = ::read(channel[0], gMessage + size, sizeof gMessage - 1 - size);
        if (got <= 0)
            break;
        size += size_t(got);
        if (size == sizeof gMessage - 1)
            break;
    }
    gMessage[size] = '\0';
    ::close(channel[0]);
    if (child > 0) {
        ::kill(child, SIGTERM);
        ::waitpid(child, nullptr, 0);
    }
}

// Whether `tool` is on the desktop; then it has been shown and closed.
bool showWith(const char *const arguments[], const sigset_t &mask)
{
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setsigmask(&attributes, &mask);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
    pid_t tool = 0;
    const int failed = ::posix_spawnp(&tool, arguments[0], nullptr, &attributes,
                                      const_cast<char *const *>(arguments), environ);
    posix_spawnattr_destroy(&attributes);
    if (failed != 0)
        return false;
    int status = 0;
    while (::waitpid(tool, &status, 0) < 0 && errno == EINTR) {
    }
    // A C library that reports a failed exec only through the status.
    return !(WIFEXITED(status) && WEXITSTATUS(status) == kLoaderFailed);
}

void showLoadersMessage(const sigset_t &mask)
{
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        return;
    size_t length = std::strlen(gMessage);
    while (length > 0 && gMessage[length - 1] == '\n')
        gMessage[--length] = '\0';
    if (length == 0)
        std::snprintf(gMessage, sizeof gMessage, "%.4000s: exit status %d", gProgram, kLoaderFailed);
    // "program: error while loading shared libraries: library: reason" is one line wider than a
    // screen; each part on a line of its own reads at a glance.
    for (char *colon = gMessage; (colon = std::strstr(colon, ": ")); ++colon)
        colon[1] = '\n';
    static char arabic[sizeof gMessage + 128];
    static char english[sizeof gMessage + 128];
    std::snprintf(arabic, sizeof arabic, "تعذر تشغيل Tavrin:\n\n%s", gMessage);
    // xmessage draws with the core X fonts, which have no Arabic.
    std::snprintf(english, sizeof english, "Tavrin could not start:\n\n%s", gMessage);
    const char *const zenity[] = {"zenity", "--error", "--no-markup", "--title=Tavrin",
                                  "--text", arabic,    nullptr};
    const char *const kdialog[] = {"kdialog", "--title", "Tavrin", "--error", arabic, nullptr};
    const char *const xmessage[] = {"xmessage", "-center", "-title", "Tavrin",
                                    "-default", "okay",    english,  nullptr};
    for (const char *const *tool : {zenity, kdialog, xmessage}) {
        if (showWith(tool, mask))
            return;
    }
}

} // namespace

int main(int argc, char **argv)
{
    (void)argc;
    if (!findProgram()) {
        std::fprintf(stderr, "%s: cannot find its own folder\n", argv[0]);
        return kLoaderFailed;
    }
    sigset_t waited;
    sigset_t mask;
    sigemptyset(&waited);
    for (const int signal : {SIGCHLD, SIGTERM, SIGINT, SIGHUP, SIGQUIT})
        sigaddset(&waited, signal);
    ::sigprocmask(SIG_BLOCK, &waited, &mask);

    const int status = runAndWait(argv, waited, mask);
    if (status == kLoaderFailed) {
        readLoadersMessage(argv, mask);
        std::signal(SIGCHLD, SIG_DFL);
        showLoadersMessage(mask);
    }
    return status;
}

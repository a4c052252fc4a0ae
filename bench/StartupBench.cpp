// Times programs from their start to their first top-level window being mapped on the X server,
// and reads their resident memory once that window is shown. Runs the programs in turn, many
// times, so that a disturbance of the machine hits both alike, and reports medians.
//
// Usage: quorvex-startup-bench RUNS PROGRAM...   (DISPLAY must name a private X server)

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

struct Sample
{
    double milliseconds;
    double residentMiB;
};

long windowPid(Display *display, Window window)
{
    const Atom netWmPid = XInternAtom(display, "_NET_WM_PID", False);
    Atom type;
    int format;
    unsigned long items, after;
    unsigned char *data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display, window, netWmPid, 0, 1, False, XA_CARDINAL, &type, &format,
            &items, &after, &data)
            == Success
        && data && items == 1)
        pid = static_cast<long>(*reinterpret_cast<unsigned long *>(data));
    if (data)
        XFree(data);
    return pid;
}

double residentMiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmRSS:"))
            return std::stod(line.substr(6)) / 1024;
    return 0;
}

// Waits for a MapNotify of a top-level window of the given process; false after ten seconds.
bool waitForMap(Display *display, pid_t pid)
{
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < deadline) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect
                && windowPid(display, event.xmap.window) == pid)
                return true;
        }
        pollfd fd { ConnectionNumber(display), POLLIN, 0 };
        poll(&fd, 1, 50);
    }
    return false;
}

bool run(Display *display, const char *program, Sample &sample)
{
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execl(program, program, static_cast<char *>(nullptr));
        _exit(127);
    }
    const bool mapped = waitForMap(display, pid);
    sample.milliseconds = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    // Let the first paint and the fonts settle before reading the memory of the shown window.
    usleep(500'000);
    sample.residentMiB = residentMiB(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return mapped;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const auto n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "Usage: %s RUNS PROGRAM...\n", argv[0]);
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const std::vector<const char *> programs(argv + 2, argv + argc);
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "cannot open the X display\n");
        return 1;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    std::vector<std::vector<double>> times(programs.size()), memory(programs.size());
    for (int i = 0; i < runs; ++i) {
        for (std::size_t p = 0; p < programs.size(); ++p) {
            // Alternate the order each round, so neither program always follows the other.
            const std::size_t which = i % 2 ? programs.size() - 1 - p : p;
            Sample sample {};
            if (!run(display, programs[which], sample)) {
                std::fprintf(stderr, "%s mapped no window within ten seconds\n", programs[which]);
                return 1;
            }
            times[which].push_back(sample.milliseconds);
            memory[which].push_back(sample.residentMiB);
        }
    }
    std::printf("%-40s %12s %12s\n", "program", "start (ms)", "RSS (MiB)");
    for (std::size_t p = 0; p < programs.size(); ++p)
        std::printf("%-40s %12.1f %12.1f\n", programs[p], median(times[p]), median(memory[p]));
    if (programs.size() == 2)
        std::printf("%-40s %12.3f %12.3f\n", "ratio first / second",
            median(times[0]) / median(times[1]), median(memory[0]) / median(memory[1]));
    XCloseDisplay(display);
    return 0;
}

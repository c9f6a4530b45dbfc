// SPDX-License-Identifier: MIT
// Measures how long a windowed program takes from its start to the first paint
// of its main window, and how much memory it holds at that moment, from outside
// the program: an X client that watches the root window for the new window's
// MapNotify and waits for the first DAMAGE on it after the map.
//
//   morvint-startup-probe [--rounds N] [--maps] PROGRAM... REFERENCE
//
// The programs are started in turn, round after round (each goes first in its
// turn), each one after the previous has gone; every program is paired with the
// reference of its round. Run it on an X server
// with no window manager (Xvfb), where the program's own window is the first one
// mapped on the root.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

double now() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

struct Sample {
    double seconds = 0;  // start to first paint
    long rssKiB = 0;     // VmRSS at the first paint
    std::vector<std::string> qtFiles;
};

long readRssKiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

// The Qt libraries and plugins mapped into the process, by file name.
std::vector<std::string> readQtFiles(pid_t pid) {
    std::ifstream maps("/proc/" + std::to_string(pid) + "/maps");
    std::set<std::string> files;
    std::string line;
    while (std::getline(maps, line)) {
        const auto slash = line.find('/');
        if (slash == std::string::npos) {
            continue;
        }
        const std::string path = line.substr(slash);
        const auto plugins = path.find("/plugins/");
        if (plugins != std::string::npos) {
            files.insert(path.substr(plugins + 1));
        } else if (path.find("/libQt6") != std::string::npos) {
            files.insert(path.substr(path.rfind('/') + 1));
        }
    }
    return {files.begin(), files.end()};
}

class Probe {
public:
    Probe() {
        conn_ = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(conn_)) {
            fail("cannot open the X display (is DISPLAY set?)");
        }
        const xcb_query_extension_reply_t* damage = xcb_get_extension_data(conn_, &xcb_damage_id);
        if (damage == nullptr || !damage->present) {
            fail("the X server has no DAMAGE extension");
        }
        damageEvent_ = damage->first_event + XCB_DAMAGE_NOTIFY;
        // The extension must be told which version we speak before it is used.
        free(xcb_damage_query_version_reply(
            conn_,
            xcb_damage_query_version(conn_, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
            nullptr));

        root_ = xcb_setup_roots_iterator(xcb_get_setup(conn_)).data->root;
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(conn_, root_, XCB_CW_EVENT_MASK, &mask);
        sync();
    }
    ~Probe() { xcb_disconnect(conn_); }
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;

    Sample run(const char* program, bool wantMaps) {
        drain();
        damages_.clear();
        const double start = now();
        const pid_t pid = fork();
        if (pid < 0) {
            fail("fork failed");
        }
        if (pid == 0) {
            const int null = open("/dev/null", O_WRONLY);
            if (null >= 0) {
                dup2(null, STDOUT_FILENO);
            }
            execl(program, program, static_cast<char*>(nullptr));
            std::fprintf(stderr, "cannot start %s: %s\n", program, std::strerror(errno));
            _exit(127);
        }

        Sample sample;
        xcb_window_t mapped = XCB_NONE;
        bool painted = false;
        while (!painted) {
            xcb_generic_event_t* event = nextEvent(start + 30.0);
            if (event == nullptr) {
                stop(pid);
                fail(std::string(program) + " showed no painted window within 30 s");
            }
            const std::uint8_t type = event->response_type & 0x7f;
            if (type == XCB_CREATE_NOTIFY) {
                // Watch every new top-level window from its creation, so that no
                // paint can come before the watch.
                auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
                const xcb_damage_damage_t damage = xcb_generate_id(conn_);
                xcb_damage_create(conn_, damage, created->window,
                                  XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                damages_[damage] = created->window;
                xcb_flush(conn_);
            } else if (type == XCB_MAP_NOTIFY) {
                auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                if (mapped == XCB_NONE && !map->override_redirect) {
                    mapped = map->window;
                }
            } else if (type == damageEvent_) {
                auto* notify = reinterpret_cast<xcb_damage_notify_event_t*>(event);
                if (mapped != XCB_NONE && notify->drawable == mapped) {
                    sample.seconds = now() - start;
                    sample.rssKiB = readRssKiB(pid);
                    if (wantMaps) {
                        sample.qtFiles = readQtFiles(pid);
                    }
                    painted = true;
                } else {
                    // Drawn before it was shown: start the watch afresh.
                    xcb_damage_subtract(conn_, notify->damage, XCB_NONE, XCB_NONE);
                    xcb_flush(conn_);
                }
            }
            free(event);
        }
        stop(pid);
        awaitDestroy(mapped);
        return sample;
    }

private:
    [[noreturn]] static void fail(const std::string& what) {
        std::fprintf(stderr, "morvint-startup-probe: %s\n", what.c_str());
        std::exit(2);
    }

    void sync() { free(xcb_get_input_focus_reply(conn_, xcb_get_input_focus(conn_), nullptr)); }

    // The next event, or null once the deadline has passed.
    xcb_generic_event_t* nextEvent(double deadline) {
        for (;;) {
            if (xcb_generic_event_t* event = xcb_poll_for_event(conn_)) {
                return event;
            }
            if (xcb_connection_has_error(conn_)) {
                fail("lost the X connection");
            }
            const double left = deadline - now();
            if (left <= 0) {
                return nullptr;
            }
            pollfd fd{xcb_get_file_descriptor(conn_), POLLIN, 0};
            poll(&fd, 1, static_cast<int>(left * 1000) + 1);
        }
    }

    void drain() {
        sync();
        while (xcb_generic_event_t* event = xcb_poll_for_event(conn_)) {
            free(event);
        }
    }

    static void stop(pid_t pid) {
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
    }

    // The server frees a dead client's windows when it sees its connection close.
    void awaitDestroy(xcb_window_t window) {
        const double deadline = now() + 10.0;
        while (xcb_generic_event_t* event = nextEvent(deadline)) {
            const bool gone =
                (event->response_type & 0x7f) == XCB_DESTROY_NOTIFY &&
                reinterpret_cast<xcb_destroy_notify_event_t*>(event)->window == window;
            free(event);
            if (gone) {
                return;
            }
        }
        fail("the window of a stopped program was not destroyed");
    }

    xcb_connection_t* conn_ = nullptr;
    xcb_window_t root_ = XCB_NONE;
    std::uint8_t damageEvent_ = 0;
    std::map<xcb_damage_damage_t, xcb_window_t> damages_;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void printFiles(const char* program, const std::vector<std::string>& files) {
    std::printf("Qt libraries and plugins loaded by %s:\n", program);
    for (const std::string& file : files) {
        std::printf("  %s\n", file.c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = 21;
    bool maps = false;
    std::vector<const char*> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--rounds" && i + 1 < argc) {
            rounds = std::atoi(argv[++i]);
        } else if (arg == "--maps") {
            maps = true;
        } else {
            programs.push_back(argv[i]);
        }
    }
    if (programs.size() < 2 || rounds < 1) {
        std::fprintf(stderr,
                     "usage: morvint-startup-probe [--rounds N] [--maps] PROGRAM... "
                     "REFERENCE\n");
        return 2;
    }
    const std::size_t n = programs.size();
    const std::size_t reference = n - 1;

    Probe probe;
    // One unmeasured start of each fills the file cache and the font cache.
    for (const char* program : programs) {
        probe.run(program, false);
    }

    // Per program: the times, memories and paired ratios against the reference.
    std::vector<std::vector<double>> times(n), memories(n), timeRatios(n), memoryRatios(n);
    std::vector<Sample> last(n);
    for (std::size_t k = 0; k < n; ++k) {
        std::printf("%zu: %s\n", k + 1, programs[k]);
    }
    std::printf("round");
    for (std::size_t k = 0; k < n; ++k) {
        std::printf("  %zu: ms   RSS KiB%s", k + 1, k == reference ? "" : "  ratios    ");
    }
    std::printf("\n");
    for (int round = 0; round < rounds; ++round) {
        std::vector<Sample> samples(n);
        // Each program goes first in turn.
        for (std::size_t k = 0; k < n; ++k) {
            const std::size_t which = (round + k) % n;
            samples[which] = probe.run(programs[which], maps && round == rounds - 1);
        }
        std::printf("%5d", round + 1);
        for (std::size_t k = 0; k < n; ++k) {
            times[k].push_back(samples[k].seconds * 1000);
            memories[k].push_back(static_cast<double>(samples[k].rssKiB));
            last[k] = samples[k];
            std::printf("  %6.1f %9ld", samples[k].seconds * 1000, samples[k].rssKiB);
            if (k != reference) {
                timeRatios[k].push_back(samples[k].seconds / samples[reference].seconds);
                memoryRatios[k].push_back(static_cast<double>(samples[k].rssKiB) /
                                          static_cast<double>(samples[reference].rssKiB));
                std::printf("  %.3f %.3f", timeRatios[k].back(), memoryRatios[k].back());
            }
        }
        std::printf("\n");
    }
    for (std::size_t k = 0; k < n; ++k) {
        std::printf("%zu: median %.1f ms, %.0f KiB", k + 1, median(times[k]), median(memories[k]));
        if (k != reference) {
            std::printf("; median of the paired ratios over %d rounds: time %.3f, memory %.3f",
                        rounds, median(timeRatios[k]), median(memoryRatios[k]));
        }
        std::printf("\n");
    }
    if (maps) {
        for (std::size_t k = 0; k < n; ++k) {
            printFiles(programs[k], last[k].qtFiles);
        }
    }
    return 0;
}

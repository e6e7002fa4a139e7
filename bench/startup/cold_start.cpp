// cold_start [--runs N] [NAME=PROGRAM ...]: each program started afresh on
// a private X server (Xvfb, which keeps running between clients), the
// programs taking turns run by run. For each: the time from exec to its
// window being mapped and to its first paint, its peak memory, and the time
// it takes to end after Ctrl+Q, as medians with their spread, and the ratios
// to the program named "floor". Then, for the program named "quarvel", the
// time from Ctrl+P to Print's first word to the print service.
//
// Everything is seen as it happens, nothing is polled: the map from the root
// window's structure events, the paint from damage reports on the root
// window (which cover what every client draws), the end from the child's
// SIGCHLD, the print service's first word from its socket. The first paint is
// the moment three quarters of the window's area have been drawn. Without arguments it
// runs the three programs of the build it belongs to: the floor (one label),
// the bare window and Quarvel.

#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/signalfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

[[noreturn]] void fail(const std::string &why) { throw std::runtime_error(why); }

struct Program {
    std::string name, path;
};

struct Run {
    double mapped = 0, painted = 0, ended = 0; // ms
    double peakMib = 0;
};

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
};

// The X server the programs run on, and what the harness watches there.
class Server {
public:
    Server(const std::string &folder)
    {
        int ready[2];
        if (pipe(ready) != 0)
            fail("no pipe");
        xvfb_ = fork();
        if (xvfb_ == 0) {
            sigset_t none;
            sigemptyset(&none);
            sigprocmask(SIG_SETMASK, &none, nullptr);
            close(ready[0]);
            const std::string fd = std::to_string(ready[1]);
            const std::string log = folder + "/xvfb.log";
            if (!freopen(log.c_str(), "w", stderr))
                _exit(127);
            // Without -noreset the server would reset as each program's last
            // connection closes, and the next program would race it.
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-noreset", "-nolisten", "tcp", "-screen", "0",
                   "1280x1024x24", static_cast<char *>(nullptr));
            _exit(127);
        }
        close(ready[1]);
        std::string number;
        char c;
        while (read(ready[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(ready[0]);
        if (number.empty())
            fail("Xvfb did not start (is it installed?); see " + folder + "/xvfb.log");
        display_ = ":" + number;

        int screenNumber = 0;
        conn_ = xcb_connect(display_.c_str(), &screenNumber);
        if (xcb_connection_has_error(conn_))
            fail("cannot connect to Xvfb on " + display_);
        xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(conn_)).data;
        root_ = screen->root;

        const xcb_query_extension_reply_t *damage = xcb_get_extension_data(conn_, &xcb_damage_id);
        if (!damage || !damage->present)
            fail("Xvfb has no DAMAGE extension");
        damageEvent_ = damage->first_event;
        free(xcb_damage_query_version_reply(conn_, xcb_damage_query_version(conn_, 1, 1), nullptr));
        const xcb_query_extension_reply_t *xtest = xcb_get_extension_data(conn_, &xcb_test_id);
        if (!xtest || !xtest->present)
            fail("Xvfb has no XTEST extension");

        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(conn_, root_, XCB_CW_EVENT_MASK, &mask);
        xcb_damage_create(conn_, xcb_generate_id(conn_), root_, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
        control_ = keycode(0xffe3); // Control_L
        xcb_flush(conn_);
    }

    ~Server()
    {
        if (conn_)
            xcb_disconnect(conn_);
        if (xvfb_ > 0) {
            kill(xvfb_, SIGTERM);
            waitpid(xvfb_, nullptr, 0);
        }
    }

    const std::string &display() const { return display_; }
    int fd() const { return xcb_get_file_descriptor(conn_); }

    xcb_keycode_t keycode(xcb_keysym_t keysym)
    {
        const xcb_setup_t *setup = xcb_get_setup(conn_);
        const int count = setup->max_keycode - setup->min_keycode + 1;
        xcb_get_keyboard_mapping_reply_t *map =
            xcb_get_keyboard_mapping_reply(conn_, xcb_get_keyboard_mapping(conn_, setup->min_keycode, count), nullptr);
        if (!map)
            fail("no keyboard mapping");
        const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(map);
        xcb_keycode_t found = 0;
        for (int i = 0; i < count * map->keysyms_per_keycode && !found; ++i)
            if (syms[i] == keysym)
                found = static_cast<xcb_keycode_t>(setup->min_keycode + i / map->keysyms_per_keycode);
        free(map);
        if (!found)
            fail("no key for keysym " + std::to_string(keysym));
        return found;
    }

    // Gives the window the keyboard, then types Control and the key.
    void focus(xcb_window_t window)
    {
        xcb_set_input_focus(conn_, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
        xcb_flush(conn_);
    }
    void typeControl(xcb_keycode_t key)
    {
        xcb_test_fake_input(conn_, XCB_KEY_PRESS, control_, XCB_CURRENT_TIME, root_, 0, 0, 0);
        xcb_test_fake_input(conn_, XCB_KEY_PRESS, key, XCB_CURRENT_TIME, root_, 0, 0, 0);
        xcb_test_fake_input(conn_, XCB_KEY_RELEASE, key, XCB_CURRENT_TIME, root_, 0, 0, 0);
        xcb_test_fake_input(conn_, XCB_KEY_RELEASE, control_, XCB_CURRENT_TIME, root_, 0, 0, 0);
        xcb_flush(conn_);
    }

    // What one event tells about top-level windows: hands each to `seen`.
    struct Seen {
        enum { None, Mapped, Damaged } what = None;
        xcb_window_t window = 0;
        Rect rect; // the window's, or the damaged area on the screen
    };
    template <class Handle> void drain(Handle seen)
    {
        while (xcb_generic_event_t *event = xcb_poll_for_event(conn_)) {
            const int type = event->response_type & 0x7f;
            Seen s;
            if (type == XCB_CREATE_NOTIFY) {
                auto *e = reinterpret_cast<xcb_create_notify_event_t *>(event);
                if (e->parent == root_)
                    windows_[e->window] = {Rect{e->x, e->y, e->width, e->height}, e->override_redirect != 0};
            } else if (type == XCB_CONFIGURE_NOTIFY) {
                auto *e = reinterpret_cast<xcb_configure_notify_event_t *>(event);
                if (auto w = windows_.find(e->window); w != windows_.end())
                    w->second.rect = Rect{e->x, e->y, e->width, e->height};
            } else if (type == XCB_DESTROY_NOTIFY) {
                windows_.erase(reinterpret_cast<xcb_destroy_notify_event_t *>(event)->window);
            } else if (type == XCB_MAP_NOTIFY) {
                auto *e = reinterpret_cast<xcb_map_notify_event_t *>(event);
                if (auto w = windows_.find(e->window); w != windows_.end() && !w->second.overrideRedirect)
                    s = Seen{Seen::Mapped, e->window, w->second.rect};
            } else if (type == damageEvent_ + XCB_DAMAGE_NOTIFY) {
                auto *e = reinterpret_cast<xcb_damage_notify_event_t *>(event);
                s = Seen{Seen::Damaged, 0, Rect{e->area.x, e->area.y, e->area.width, e->area.height}};
            }
            free(event);
            if (s.what != Seen::None)
                seen(s);
        }
        if (xcb_connection_has_error(conn_))
            fail("lost the connection to Xvfb");
    }

private:
    struct Window {
        Rect rect;
        bool overrideRedirect = false;
    };

    pid_t xvfb_ = -1;
    std::string display_;
    xcb_connection_t *conn_ = nullptr;
    xcb_window_t root_ = 0;
    uint8_t damageEvent_ = 0;
    xcb_keycode_t control_ = 0;
    std::map<xcb_window_t, Window> windows_;
};

// The part of a window drawn so far, pixel by pixel.
class Coverage {
public:
    void reset(const Rect &window)
    {
        window_ = window;
        drawn_.assign(static_cast<size_t>(window.width) * static_cast<size_t>(window.height), false);
        count_ = 0;
    }
    void add(const Rect &area)
    {
        const int left = std::max(area.x, window_.x), right = std::min(area.x + area.width, window_.x + window_.width);
        const int top = std::max(area.y, window_.y),
                  bottom = std::min(area.y + area.height, window_.y + window_.height);
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) {
                auto pixel = drawn_.begin() + (y - window_.y) * window_.width + (x - window_.x);
                if (!*pixel) {
                    *pixel = true;
                    ++count_;
                }
            }
    }
    bool mostlyDrawn() const { return !drawn_.empty() && count_ * 4 >= drawn_.size() * 3; }

private:
    Rect window_;
    std::vector<bool> drawn_;
    size_t count_ = 0;
};

// The programs' child processes: started with SIGCHLD held for a signalfd,
// so that their end is seen as it happens.
class Children {
public:
    Children()
    {
        sigset_t set;
        sigemptyset(&set);
        sigaddset(&set, SIGCHLD);
        sigprocmask(SIG_BLOCK, &set, nullptr);
        fd_ = signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
        if (fd_ < 0)
            fail("no signalfd");
    }
    ~Children() { close(fd_); }
    int fd() const { return fd_; }

    // Starts the program with its messages going to the log.
    pid_t start(const std::string &path, const std::vector<std::string> &env, const std::string &log)
    {
        const pid_t pid = fork();
        if (pid == 0) {
            sigset_t set;
            sigemptyset(&set);
            sigprocmask(SIG_SETMASK, &set, nullptr);
            if (!freopen(log.c_str(), "a", stderr) || !freopen("/dev/null", "r", stdin))
                _exit(127);
            for (const std::string &e : env)
                putenv(const_cast<char *>(e.c_str()));
            execl(path.c_str(), path.c_str(), static_cast<char *>(nullptr));
            _exit(127);
        }
        if (pid < 0)
            fail("cannot fork");
        return pid;
    }

    // The child's status and peak memory once it has ended; nothing while it runs.
    std::optional<std::pair<int, rusage>> ended(pid_t pid)
    {
        signalfd_siginfo info;
        while (read(fd_, &info, sizeof info) == sizeof info) {
        }
        int status = 0;
        rusage usage{};
        if (wait4(pid, &status, WNOHANG, &usage) != pid)
            return std::nullopt;
        return std::make_pair(status, usage);
    }

private:
    int fd_ = -1;
};

// A listening socket that stands for the print service: Print's first
// connection to it is the moment printing starts.
class FakePrintService {
public:
    explicit FakePrintService(const std::string &path) : path_(path)
    {
        fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
        unlink(path.c_str());
        if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 || listen(fd_, 4) != 0)
            fail("cannot listen on " + path);
    }
    ~FakePrintService()
    {
        close(fd_);
        unlink(path_.c_str());
    }
    int fd() const { return fd_; }
    const std::string &path() const { return path_; }
    void turnAway()
    {
        const int client = accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (client >= 0)
            close(client);
    }

private:
    std::string path_;
    int fd_ = -1;
};

class Bench {
public:
    Bench(Server &server, Children &children, FakePrintService &service, std::vector<std::string> env, std::string logs)
        : server_(server), children_(children), service_(service), env_(std::move(env)), logs_(std::move(logs))
    {
    }
    ~Bench() { stop(); }
    Bench(const Bench &) = delete;
    Bench &operator=(const Bench &) = delete;

    // Starts the program and waits for its first paint, then for it to be
    // still. Fills in the times to both.
    void start(const Program &program, Run &run)
    {
        stop();
        started_ = Clock::now();
        pid_ = children_.start(program.path, env_, logs_ + "/" + program.name + ".log");
        window_ = 0;
        bool painted = false;
        wait(10000, program, [&](const Server::Seen &s) {
            if (s.what == Server::Seen::Mapped && !window_) {
                window_ = s.window;
                run.mapped = msSince(started_);
                coverage_.reset(s.rect);
            } else if (s.what == Server::Seen::Damaged && window_ && !painted) {
                coverage_.add(s.rect);
                if (coverage_.mostlyDrawn()) {
                    run.painted = msSince(started_);
                    painted = true;
                }
            }
            return painted;
        });
        settle(program);
        server_.focus(window_);
        settle(program); // the window paints itself active
    }

    // Ctrl+Q, then the time to the program's end and its peak memory.
    void quit(const Program &program, Run &run)
    {
        const auto pressed = Clock::now();
        server_.typeControl(server_.keycode('q'));
        std::optional<std::pair<int, rusage>> end;
        wait(
            5000, program, [&](const Server::Seen &) { return false; }, &end);
        if (!end)
            failed(program, "did not end within 5 s of Ctrl+Q");
        run.ended = msSince(pressed);
        run.peakMib = end->second.ru_maxrss / 1024.0;
        pid_ = -1;
        if (!WIFEXITED(end->first) || WEXITSTATUS(end->first) != 0)
            failed(program, "did not end with status 0 after Ctrl+Q");
    }

    // Ctrl+P, then the time to Print's first connection to the print service.
    double print(const Program &program)
    {
        const auto pressed = Clock::now();
        server_.typeControl(server_.keycode('p'));
        bool reached = false;
        wait(
            5000, program, [&](const Server::Seen &) { return false; }, nullptr, &reached);
        if (!reached)
            failed(program, "did not reach the print service within 5 s of Ctrl+P");
        const double ms = msSince(pressed);
        service_.turnAway();
        stop();
        return ms;
    }

    void stop()
    {
        if (pid_ <= 0)
            return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    [[noreturn]] void failed(const Program &program, const std::string &what)
    {
        fail(program.name + " " + what + "; its messages are in " + logs_ + "/" + program.name + ".log");
    }

    // Handles the X server's events until `done` says so, the program ends
    // (stored in `end` if asked for, else a failure), the print service is
    // reached (if asked for), or the time is up.
    template <class Done>
    void wait(int limitMs, const Program &program, Done done, std::optional<std::pair<int, rusage>> *end = nullptr,
              bool *reached = nullptr)
    {
        const auto until = Clock::now() + std::chrono::milliseconds(limitMs);
        bool finished = false;
        while (!finished) {
            server_.drain([&](const Server::Seen &s) { finished = finished || done(s); });
            if (finished)
                return;
            const int left =
                static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count());
            if (left <= 0) {
                if (end || reached)
                    return;
                failed(program, "showed no window within " + std::to_string(limitMs) + " ms");
            }
            pollfd fds[] = {{server_.fd(), POLLIN, 0}, {children_.fd(), POLLIN, 0}, {service_.fd(), POLLIN, 0}};
            poll(fds, reached ? 3 : 2, left);
            if (fds[1].revents) {
                auto status = children_.ended(pid_);
                if (status) {
                    pid_ = -1;
                    if (!end)
                        failed(program, "ended early");
                    *end = status;
                    return;
                }
            }
            if (reached && fds[2].revents) {
                *reached = true;
                return;
            }
        }
    }

    // Waits until the window has drawn nothing for a while.
    void settle(const Program &program)
    {
        for (int round = 0; round < 20; ++round) {
            bool drawn = false;
            const auto quiet = Clock::now() + std::chrono::milliseconds(250);
            while (Clock::now() < quiet && !drawn) {
                server_.drain([&](const Server::Seen &s) { drawn = drawn || s.what == Server::Seen::Damaged; });
                const int left = static_cast<int>(
                    std::chrono::duration_cast<std::chrono::milliseconds>(quiet - Clock::now()).count());
                pollfd fds[] = {{server_.fd(), POLLIN, 0}, {children_.fd(), POLLIN, 0}};
                if (!drawn && left > 0)
                    poll(fds, 2, left);
                if (fds[1].revents && children_.ended(pid_)) {
                    pid_ = -1;
                    failed(program, "ended early");
                }
            }
            if (!drawn)
                return;
        }
    }

    Server &server_;
    Children &children_;
    FakePrintService &service_;
    std::vector<std::string> env_;
    std::string logs_;
    pid_t pid_ = -1;
    xcb_window_t window_ = 0;
    Clock::time_point started_;
    Coverage coverage_;
};

struct Spread {
    double median, low, high;
};

Spread spreadOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {median, values.front(), values.back()};
}

std::string folderOf(const std::string &path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string ownFolder()
{
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        fail("cannot find this program's folder");
    path[n] = 0;
    return folderOf(path);
}

int runAll(int argc, char **argv)
{
    int runs = 15;
    std::vector<Program> programs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (const size_t eq = arg.find('='); eq != std::string::npos && eq > 0) {
            programs.push_back({arg.substr(0, eq), arg.substr(eq + 1)});
        } else {
            std::fprintf(stderr, "usage: cold_start [--runs N] [NAME=PROGRAM ...]\n");
            return 2;
        }
    }
    if (programs.empty()) {
        const std::string here = ownFolder();
        programs = {{"floor", here + "/floor"}, {"bare", here + "/bare"}, {"quarvel", here + "/../../quarvel"}};
    }
    for (const Program &p : programs)
        if (access(p.path.c_str(), X_OK) != 0)
            fail("no program at " + p.path);

    char folderTemplate[] = "/tmp/cold-start-XXXXXX";
    if (!mkdtemp(folderTemplate))
        fail("no temporary folder");
    const std::string folder = folderTemplate;
    // Removed last, once Xvfb and the programs have ended; kept with the
    // programs' messages when the benchmark fails.
    struct Remove {
        std::string path;
        ~Remove()
        {
            std::error_code ignored;
            if (std::uncaught_exceptions() == 0)
                std::filesystem::remove_all(path, ignored);
        }
    } remove{folder};
    Children children; // before Xvfb starts, so that its end is seen too
    Server server(folder);
    FakePrintService service(folder + "/cups.sock");
    // The programs see only this display, a print service that stands for
    // the real one, and settings and state of their own.
    std::vector<std::string> env = {"DISPLAY=" + server.display(),         "QT_QPA_PLATFORM=xcb",
                                    "CUPS_SERVER=" + service.path(),       "XDG_CONFIG_HOME=" + folder + "/config",
                                    "XDG_STATE_HOME=" + folder + "/state", "XDG_CACHE_HOME=" + folder + "/cache"};
    for (const char *unset : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "WAYLAND_DISPLAY", "QT_QPA_PLATFORMTHEME"})
        unsetenv(unset);
    // Quarvel at its design size, as the bare window is: its zoom kept at
    // actual size, not the one a first start takes from the desktop's font.
    std::filesystem::create_directories(folder + "/config/quarvel");
    if (FILE *settings = std::fopen((folder + "/config/quarvel/settings.json").c_str(), "w")) {
        std::fputs("{\"zoom\": 100}\n", settings);
        std::fclose(settings);
    }
    const std::string runtime = folder + "/runtime";
    mkdir(runtime.c_str(), 0700);
    env.push_back("XDG_RUNTIME_DIR=" + runtime);
    Bench bench(server, children, service, env, folder);

    std::printf("cold start on Xvfb %s: %d runs of each program, taking turns\n", server.display().c_str(), runs);
    std::fflush(stdout);
    std::vector<std::vector<Run>> results(programs.size());
    // One start of each to begin with, not counted: the disk cache then
    // holds every program and library alike.
    for (const Program &p : programs) {
        Run run;
        bench.start(p, run);
        bench.quit(p, run);
    }
    for (int r = 0; r < runs; ++r)
        for (size_t k = 0; k < programs.size(); ++k) {
            const size_t i = (k + static_cast<size_t>(r)) % programs.size();
            Run run;
            bench.start(programs[i], run);
            bench.quit(programs[i], run);
            results[i].push_back(run);
        }

    std::printf("\nmedians [lowest - highest] of %d runs\n", runs);
    std::printf("%-10s %-22s %-22s %-24s %-22s\n", "program", "exec to mapped", "exec to first paint", "peak memory",
                "Ctrl+Q to its end");
    std::vector<Spread> painted(programs.size()), memory(programs.size()), ended(programs.size());
    for (size_t i = 0; i < programs.size(); ++i) {
        auto pick = [&](double Run::*field) {
            std::vector<double> v;
            for (const Run &run : results[i])
                v.push_back(run.*field);
            return spreadOf(v);
        };
        const Spread mapped = pick(&Run::mapped);
        painted[i] = pick(&Run::painted);
        memory[i] = pick(&Run::peakMib);
        ended[i] = pick(&Run::ended);
        char cells[4][64];
        std::snprintf(cells[0], sizeof cells[0], "%.1f ms [%.1f-%.1f]", mapped.median, mapped.low, mapped.high);
        std::snprintf(cells[1], sizeof cells[1], "%.1f ms [%.1f-%.1f]", painted[i].median, painted[i].low,
                      painted[i].high);
        std::snprintf(cells[2], sizeof cells[2], "%.1f MiB [%.1f-%.1f]", memory[i].median, memory[i].low,
                      memory[i].high);
        std::snprintf(cells[3], sizeof cells[3], "%.1f ms [%.1f-%.1f]", ended[i].median, ended[i].low, ended[i].high);
        std::printf("%-10s %-22s %-22s %-24s %-22s\n", programs[i].name.c_str(), cells[0], cells[1], cells[2],
                    cells[3]);
    }
    const auto floor =
        std::find_if(programs.begin(), programs.end(), [](const Program &p) { return p.name == "floor"; });
    if (floor != programs.end()) {
        const size_t f = static_cast<size_t>(floor - programs.begin());
        std::printf("\nagainst the floor, medians (targets: first paint 1.4 times the floor's, peak memory 1.2 "
                    "times, ended within 20 ms of Ctrl+Q)\n");
        auto mark = [](bool met) { return met ? "met" : "NOT MET"; };
        for (size_t i = 0; i < programs.size(); ++i) {
            if (i == f)
                continue;
            const double paint = painted[i].median / painted[f].median;
            const double peak = memory[i].median / memory[f].median;
            std::printf("%-10s first paint %.3f (%s), peak memory %.3f (%s), ends %.1f ms after Ctrl+Q (%s)\n",
                        programs[i].name.c_str(), paint, mark(paint <= 1.4), peak, mark(peak <= 1.2), ended[i].median,
                        mark(ended[i].median <= 20));
        }
    }

    const auto quarvel =
        std::find_if(programs.begin(), programs.end(), [](const Program &p) { return p.name == "quarvel"; });
    if (quarvel != programs.end()) {
        std::vector<double> toPrint;
        for (int r = 0; r < std::min(runs, 5); ++r) {
            Run run;
            bench.start(*quarvel, run);
            toPrint.push_back(bench.print(*quarvel));
        }
        const Spread s = spreadOf(toPrint);
        std::printf("\n%s: Ctrl+P to Print's first connection to the print service: %.1f ms [%.1f-%.1f], %zu runs\n",
                    quarvel->name.c_str(), s.median, s.low, s.high, toPrint.size());
    }
    bench.stop();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    try {
        return runAll(argc, argv);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "cold_start: %s\n", e.what());
        return 1;
    }
}

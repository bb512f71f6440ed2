// Watches another program's window from outside, as the X server sees it.
//
//   x11_watch startup <frame.bmp> <next frame.bmp or -> <program> [arguments...]
//     Starts the program and, whenever it has drawn on a window of its own, takes a screenshot of
//     that window, until one shows the frame's visible 277 x 522 pixels (or those of the frame
//     after it: see watchStartup). Prints startup_ms, from just before the exec to the drawing that
//     put the frame on screen, and rss_kb, the program's resident memory a moment later. Then ends
//     the program. Exits with 3 when the frame was not seen within 5 s.
//
//   x11_watch frames <warm-up seconds> <seconds> <program> [arguments...]
//     Starts the program, waits for its window and the warm-up, then adds up for the given
//     seconds the area the program draws on its window (the X server's damage reports, every
//     drawing request as it is carried out). Prints frames_per_s: that area per second in whole
//     windows, and draws_per_s, the drawing requests per second. Then ends the program.
//
// Run it on an X server of its own with no window manager: every top-level window that appears is
// taken to be the program's.
#include "BenchStats.h"
#include "BmpPixels.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <set>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <xcb/damage.h>
#include <xcb/xcb.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int visibleWidth = 277;
constexpr int visibleHeight = 522;

xcb_connection_t* connection = nullptr;
xcb_window_t root = 0;
pid_t program = 0;

void endProgram() {
    if (program > 0) {
        kill(program, SIGTERM);
        for (int wait = 0; wait < 100; ++wait) {
            if (waitpid(program, nullptr, WNOHANG) == program) {
                program = 0;
                return;
            }
            usleep(10'000);
        }
        kill(program, SIGKILL);
        waitpid(program, nullptr, 0);
        program = 0;
    }
}

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "x11_watch: %s\n", what.c_str());
    endProgram();
    std::exit(1);
}

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void connectToServer() {
    connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        fail("cannot connect to the X server");
    }
    root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    // Every window created, mapped or changed directly below the root is reported.
    const std::uint32_t mask[] = {XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY};
    xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, mask);
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

// Starts the program with its output thrown away; its standard error is kept for failures.
Clock::time_point startProgram(char** argv) {
    const Clock::time_point start = Clock::now();
    program = fork();
    if (program == 0) {
        std::freopen("/dev/null", "w", stdout);
        execvp(argv[0], argv);
        std::perror("x11_watch: exec");
        std::_Exit(127);
    }
    if (program < 0) {
        fail("cannot fork");
    }
    return start;
}

void checkProgramRuns() {
    int status = 0;
    if (waitpid(program, &status, WNOHANG) == program) {
        program = 0;
        fail("the program ended early (status " + std::to_string(status) + ")");
    }
}

struct Windows {
    std::set<xcb_window_t> mapped;
};

// What one pass over the waiting events saw drawn.
struct Drawn {
    long area = 0;                    // the damage reports' rectangles, added up
    long draws = 0;                   // how many reports
    std::set<xcb_window_t> drawables; // the windows drawn on
};

std::uint8_t damageEventBase = 0;
bool watchEveryNewWindow = false;

// Every drawing request on `window` is reported with the rectangle it changed.
void watchDrawing(xcb_window_t window) {
    xcb_damage_create(connection, xcb_generate_id(connection), window,
                      XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
    xcb_flush(connection);
}

void enableDamage() {
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection, &xcb_damage_id);
    if (damage == nullptr || !damage->present) {
        fail("the X server has no DAMAGE extension");
    }
    damageEventBase = damage->first_event;
    std::free(xcb_damage_query_version_reply(
        connection,
        xcb_damage_query_version(connection, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
        nullptr));
}

// Handles the events waiting (or arriving within `waitMs`), keeping the set of mapped top-level
// windows up to date; errors (a window gone before a request about it) are dropped.
Drawn handleEvents(Windows& windows, int waitMs) {
    Drawn drawn;
    pollfd fd{xcb_get_file_descriptor(connection), POLLIN, 0};
    xcb_generic_event_t* event = xcb_poll_for_event(connection);
    if (event == nullptr && waitMs > 0) {
        poll(&fd, 1, waitMs);
        event = xcb_poll_for_event(connection);
    }
    for (; event != nullptr; event = xcb_poll_for_event(connection)) {
        const std::uint8_t type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            const auto* create = reinterpret_cast<xcb_create_notify_event_t*>(event);
            if (watchEveryNewWindow && create->parent == root) {
                watchDrawing(create->window);
            }
        } else if (type == XCB_MAP_NOTIFY) {
            const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
            if (map->event == root && !map->override_redirect) {
                windows.mapped.insert(map->window);
            }
        } else if (type == XCB_UNMAP_NOTIFY) {
            windows.mapped.erase(reinterpret_cast<xcb_unmap_notify_event_t*>(event)->window);
        } else if (type == XCB_DESTROY_NOTIFY) {
            windows.mapped.erase(reinterpret_cast<xcb_destroy_notify_event_t*>(event)->window);
        } else if (damageEventBase != 0 && type == damageEventBase + XCB_DAMAGE_NOTIFY) {
            const auto* damage = reinterpret_cast<xcb_damage_notify_event_t*>(event);
            drawn.area += long{damage->area.width} * damage->area.height;
            ++drawn.draws;
            drawn.drawables.insert(damage->drawable);
        }
        std::free(event);
    }
    if (xcb_connection_has_error(connection)) {
        fail("lost the X server");
    }
    return drawn;
}

struct Geometry {
    int width = 0;
    int height = 0;
};

Geometry geometryOf(xcb_window_t window) {
    xcb_get_geometry_reply_t* reply =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
    if (reply == nullptr) {
        return {};
    }
    const Geometry geometry{reply->width, reply->height};
    std::free(reply);
    return geometry;
}

bench::Pixels readFrame(const char* path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<unsigned char> bmp{std::istreambuf_iterator<char>(file), {}};
    return bench::decodeBmp1(bmp.data(), bmp.size(), visibleWidth, visibleHeight);
}

// The window's top-left 277 x 522 pixels as black and white; empty if it cannot be read.
std::vector<bool> screenshot(xcb_window_t window) {
    xcb_get_image_reply_t* image =
        xcb_get_image_reply(connection,
                            xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0,
                                          visibleWidth, visibleHeight, ~0u),
                            nullptr);
    std::vector<bool> white;
    if (image == nullptr) {
        return white;
    }
    if (xcb_get_image_data_length(image) == visibleWidth * visibleHeight * 4) {
        const auto* pixels = reinterpret_cast<const std::uint32_t*>(xcb_get_image_data(image));
        white.resize(visibleWidth * visibleHeight);
        for (int i = 0; i < visibleWidth * visibleHeight; ++i) {
            white[static_cast<std::size_t>(i)] = (pixels[i] & 0xffffff) >= 0x808080;
        }
    }
    std::free(image);
    return white;
}

bool same(const std::vector<bool>& shot, const bench::Pixels& frame) {
    if (shot.empty()) {
        return false;
    }
    for (int y = 0; y < visibleHeight; ++y) {
        for (int x = 0; x < visibleWidth; ++x) {
            if (shot[static_cast<std::size_t>(y * visibleWidth + x)] !=
                (frame.at(x, y) >= 0x808080)) {
                return false;
            }
        }
    }
    return true;
}

int watchStartup(const char* framePath, const char* nextPath, char** command) {
    const bench::Pixels frame = readFrame(framePath);
    const bool hasNext = std::string(nextPath) != "-";
    const bench::Pixels next = hasNext ? readFrame(nextPath) : bench::Pixels{};

    connectToServer();
    enableDamage();
    watchEveryNewWindow = true;
    Windows windows;
    // A screenshot after every batch of drawing. The frame was put on screen by one of the
    // drawings reported since the last screenshot that did not show it, so the time taken is that
    // of the first of those reports. A frame that stays for only a moment (the program's frame 0,
    // shown while the rest load) can be gone by the screenshot: if the frame after it is seen,
    // the frame was on screen in between just the same.
    const Clock::time_point start = startProgram(command);
    double drawnSince = -1; // ms; none yet
    while (secondsSince(start) < 5) {
        const Drawn drawn = handleEvents(windows, 50);
        if (drawn.draws > 0 && drawnSince < 0) {
            drawnSince = secondsSince(start) * 1000;
        }
        for (const xcb_window_t window : drawn.drawables) {
            if (windows.mapped.count(window) == 0) {
                continue;
            }
            const Geometry geometry = geometryOf(window);
            if (geometry.width < visibleWidth || geometry.height < visibleHeight) {
                continue;
            }
            const std::vector<bool> shot = screenshot(window);
            if (same(shot, frame) || (hasNext && same(shot, next))) {
                usleep(300'000); // settled into its loop
                std::printf("startup_ms=%.1f\n", drawnSince);
                std::printf("rss_kb=%ld\n", bench::residentKilobytes(std::to_string(program)));
                endProgram();
                return 0;
            }
            drawnSince = -1;
        }
        checkProgramRuns();
    }
    std::fprintf(stderr, "x11_watch: the frame was not seen within 5 s\n");
    endProgram();
    return 3;
}

int watchFrames(double warmUp, double seconds, char** command) {
    connectToServer();
    enableDamage();

    Windows windows;
    const Clock::time_point start = startProgram(command);
    xcb_window_t watched = 0;
    Geometry geometry;
    while (watched == 0) {
        if (secondsSince(start) > 20) {
            fail("no window of the frames' size appeared within 20 s");
        }
        handleEvents(windows, 5);
        checkProgramRuns();
        for (const xcb_window_t window : windows.mapped) {
            geometry = geometryOf(window);
            if (geometry.width >= visibleWidth && geometry.height >= visibleHeight) {
                watched = window;
                break;
            }
        }
    }
    watchDrawing(watched);
    const Clock::time_point warm = Clock::now();
    while (secondsSince(warm) < warmUp) {
        handleEvents(windows, 5);
    }
    long draws = 0;
    long area = 0;
    const Clock::time_point counting = Clock::now();
    while (secondsSince(counting) < seconds) {
        const Drawn drawn = handleEvents(windows, 5);
        area += drawn.area;
        draws += drawn.draws;
    }
    const double counted = secondsSince(counting);
    checkProgramRuns();
    const double windowArea = static_cast<double>(geometry.width) * geometry.height;
    std::printf("frames_per_s=%.1f\n", static_cast<double>(area) / windowArea / counted);
    std::printf("draws_per_s=%.1f\n", static_cast<double>(draws) / counted);
    std::printf("window=%dx%d\n", geometry.width, geometry.height);
    endProgram();
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "startup" && argc >= 5) {
        return watchStartup(argv[2], argv[3], argv + 4);
    }
    if (mode == "frames" && argc >= 5) {
        return watchFrames(std::atof(argv[2]), std::atof(argv[3]), argv + 4);
    }
    std::fprintf(
        stderr,
        "usage: x11_watch startup <frame.bmp> <next frame.bmp or -> <program> [arguments...]\n"
        "       x11_watch frames <warm-up s> <seconds> <program> [arguments...]\n");
    return 2;
}

// The least work X11 needs to show the same 24 frames in the same loop as a tick: the frames
// wait in the server as pixmaps of the screen's depth, and each turn of the loop copies one onto
// a 277 x 522 window, handles whatever events have come in, and waits for the server to have done
// the copy (one round trip), so that each frame really is on screen before the next. Whatever a
// tick of the program costs beyond this is the program's and its toolkit's own.
//   x11_floor <ticks>    (under an X server: DISPLAY must be set)
// Prints ticks, median_us (of one turn) and ticks_per_s, one `name=value` a line.
#include "BenchStats.h"
#include "BmpPixels.h"
#include "EmbeddedFrames.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>
#include <xcb/xcb.h>

namespace {

constexpr int width = 277;
constexpr int height = 522;
constexpr int frames = 24;

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "x11_floor: %s\n", what);
    std::exit(1);
}

void roundTrip(xcb_connection_t* connection) {
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

// The bits per pixel the server uses for images of `depth`.
int bitsPerPixel(const xcb_setup_t* setup, std::uint8_t depth) {
    for (auto formats = xcb_setup_pixmap_formats_iterator(setup); formats.rem;
         xcb_format_next(&formats)) {
        if (formats.data->depth == depth) {
            return formats.data->bits_per_pixel;
        }
    }
    return 0;
}

// Frame `index` as a pixmap of the window's depth, sent in slices small enough for any server.
xcb_pixmap_t uploadFrame(xcb_connection_t* connection, xcb_window_t window, xcb_gcontext_t gc,
                         std::uint8_t depth, int index) {
    const auto bmp = frameBmp(index);
    const bench::Pixels pixels = bench::decodeBmp1(bmp.data(), bmp.size(), width, height);
    const xcb_pixmap_t pixmap = xcb_generate_id(connection);
    xcb_create_pixmap(connection, depth, pixmap, window, width, height);
    constexpr int sliceRows = 32;
    std::vector<std::uint32_t> slice(static_cast<std::size_t>(width) * sliceRows);
    for (int top = 0; top < height; top += sliceRows) {
        const int rows = std::min(sliceRows, height - top);
        std::memcpy(slice.data(), pixels.rgb.data() + static_cast<std::size_t>(top) * width,
                    static_cast<std::size_t>(width) * static_cast<std::size_t>(rows) * 4);
        xcb_put_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc, width,
                      static_cast<std::uint16_t>(rows), 0, static_cast<std::int16_t>(top), 0, depth,
                      static_cast<std::uint32_t>(width * rows * 4),
                      reinterpret_cast<const std::uint8_t*>(slice.data()));
    }
    return pixmap;
}

} // namespace

int main(int argc, char** argv) {
    const long ticks = argc > 1 ? std::atol(argv[1]) : 10'000;
    if (ticks < 1) {
        std::fprintf(stderr, "usage: x11_floor <ticks>\n");
        return 2;
    }
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        fail("cannot connect to the X server");
    }
    const xcb_setup_t* setup = xcb_get_setup(connection);
    auto screens = xcb_setup_roots_iterator(setup);
    for (int i = 0; i < screenNumber; ++i) {
        xcb_screen_next(&screens);
    }
    const xcb_screen_t* screen = screens.data;
    const std::uint8_t depth = screen->root_depth;
    if (bitsPerPixel(setup, depth) != 32 || setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) {
        fail("this benchmark needs a screen of 32-bit little-endian pixels (Xvfb's 24-bit)");
    }

    // No background: the server never clears the window; the frames cover all of it.
    const xcb_window_t window = xcb_generate_id(connection);
    const std::uint32_t windowValues[] = {XCB_BACK_PIXMAP_NONE, XCB_EVENT_MASK_EXPOSURE};
    xcb_create_window(connection, depth, window, screen->root, 0, 0, width, height, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXMAP | XCB_CW_EVENT_MASK, windowValues);
    const char title[] = "x11_floor";
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME,
                        XCB_ATOM_STRING, 8, sizeof title - 1, title);
    const xcb_gcontext_t gc = xcb_generate_id(connection);
    const std::uint32_t gcValues[] = {0};
    xcb_create_gc(connection, gc, window, XCB_GC_GRAPHICS_EXPOSURES, gcValues);

    std::array<xcb_pixmap_t, frames> pixmaps{};
    for (int index = 0; index < frames; ++index) {
        pixmaps[static_cast<std::size_t>(index)] =
            uploadFrame(connection, window, gc, depth, index);
    }
    xcb_map_window(connection, window);
    xcb_flush(connection);
    for (;;) {
        xcb_generic_event_t* event = xcb_wait_for_event(connection);
        if (event == nullptr) {
            fail("the X server went away");
        }
        const bool exposed = (event->response_type & 0x7f) == XCB_EXPOSE;
        std::free(event);
        if (exposed) {
            break;
        }
    }

    using Clock = std::chrono::steady_clock;
    constexpr int warmUp = 100;
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(ticks));
    Clock::time_point first;
    Clock::time_point last;
    for (long tick = 0; tick <= ticks + warmUp; ++tick) {
        const Clock::time_point now = Clock::now();
        if (tick == warmUp) {
            first = now;
        } else if (tick > warmUp) {
            times.push_back(std::chrono::duration<double, std::micro>(now - last).count());
        }
        last = now;
        xcb_copy_area(connection, pixmaps[static_cast<std::size_t>(tick % frames)], window, gc, 0,
                      0, 0, 0, width, height);
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            std::free(event);
        }
        roundTrip(connection);
    }
    const double seconds = std::chrono::duration<double>(last - first).count();
    std::printf("ticks=%ld\n", ticks);
    std::printf("median_us=%.3f\n", bench::median(times));
    std::printf("ticks_per_s=%.1f\n", static_cast<double>(ticks) / seconds);
    xcb_disconnect(connection);
    return 0;
}

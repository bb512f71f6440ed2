#include "MotifHints.h"

#include <QGuiApplication>
#include <QWindow>
#include <array>
#include <cstdint>
#include <cstring>
#include <xcb/xcb.h>

void publishMoveOnlyHints(const QWindow& window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) {
        return; // not on X11
    }

    static constexpr char name[] = "_MOTIF_WM_HINTS";
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, std::strlen(name), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    if (reply == nullptr) {
        return;
    }
    const xcb_atom_t atom = reply->atom;
    std::free(reply);

    // Qt publishes only the functions field, and some window managers then still draw a close
    // button; naming the decorations as well leaves them no doubt.
    constexpr std::uint32_t hasFunctions = 1, hasDecorations = 2;
    constexpr std::uint32_t functionMove = 4;
    constexpr std::uint32_t decorationBorder = 2, decorationTitle = 8;
    const std::array<std::uint32_t, 5> hints = {hasFunctions | hasDecorations, functionMove,
                                                decorationBorder | decorationTitle, 0, 0};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE,
                        static_cast<xcb_window_t>(window.winId()), atom, atom, 32, hints.size(),
                        hints.data());
    xcb_flush(connection);
}

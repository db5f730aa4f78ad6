// TX11WindowHints: _NET_WM_STATE through xcb.
#include "shell/x11windowhints.h"

#include <xcb/xcb.h>
#include <QGuiApplication>
#include <QWidget>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace shell {
namespace {

xcb_connection_t* Connection() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    auto cookie = xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
    xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

std::vector<xcb_atom_t> States(xcb_connection_t* c, xcb_window_t w, xcb_atom_t netWmState) {
    std::vector<xcb_atom_t> atoms;
    auto cookie = xcb_get_property(c, 0, w, netWmState, XCB_ATOM_ATOM, 0, 1024);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(c, cookie, nullptr);
    if (reply && reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
        auto* data = static_cast<xcb_atom_t*>(xcb_get_property_value(reply));
        atoms.assign(data, data + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return atoms;
}

bool Contains(const std::vector<xcb_atom_t>& v, xcb_atom_t a) {
    for (xcb_atom_t x : v)
        if (x == a) return true;
    return false;
}

}  // namespace

void TX11WindowHints::SkipTaskbarAndPager(QWidget* window) {
    xcb_connection_t* c = Connection();
    if (!c) return;
    const auto w = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t state = Atom(c, "_NET_WM_STATE");
    const xcb_atom_t skip[2] = {Atom(c, "_NET_WM_STATE_SKIP_TASKBAR"),
                                Atom(c, "_NET_WM_STATE_SKIP_PAGER")};
    if (!window->isVisible()) {
        // Unmapped: the window manager reads the property when the window is mapped.
        std::vector<xcb_atom_t> atoms = States(c, w, state);
        for (xcb_atom_t a : skip)
            if (!Contains(atoms, a)) atoms.push_back(a);
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, state, XCB_ATOM_ATOM, 32,
                            static_cast<uint32_t>(atoms.size()), atoms.data());
    } else {
        // Mapped: ask the window manager, as the window-manager hints specification says.
        xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        xcb_client_message_event_t ev{};
        ev.response_type = XCB_CLIENT_MESSAGE;
        ev.format = 32;
        ev.window = w;
        ev.type = state;
        ev.data.data32[0] = 1;  // add
        ev.data.data32[1] = skip[0];
        ev.data.data32[2] = skip[1];
        ev.data.data32[3] = 1;  // from a normal application
        xcb_send_event(c, 0, screen->root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&ev));
    }
    xcb_flush(c);
}

}  // namespace shell

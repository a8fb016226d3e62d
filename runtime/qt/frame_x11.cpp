#include "runtime/qt/frame.h"

#include <QGuiApplication>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <span>
#include <thread>
#include <vector>

#ifdef QUORVELA_WITH_XCB
#include <xcb/xcb.h>
#endif

namespace quorvela::runtime {

#ifdef QUORVELA_WITH_XCB
namespace {

template <class Reply>
using Owned = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t* connection, const char* name) {
    const Owned<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
            nullptr),
        &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// The 32-bit values of a window property, empty when it is not set.
std::vector<std::uint32_t> cardinals(xcb_connection_t* connection, xcb_window_t window,
                                     xcb_atom_t property, xcb_atom_t type) {
    const Owned<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, window, property, type, 0, 1024), nullptr),
        &std::free);
    if (!reply || reply->format != 32) {
        return {};
    }
    const std::span values(
        static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get())),
        static_cast<std::size_t>(xcb_get_property_value_length(reply.get())) / 4);
    return {values.begin(), values.end()};
}

}  // namespace

// Under X11 the frame belongs to the window manager, which draws it only once
// the window is mapped. A manager that follows the desktop conventions tells
// the frame's extents beforehand on request; the request is answered by a
// property on the window, polled here for a short while.
std::optional<QMargins> FrameBeforeShow(QWidget& window) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        return std::nullopt;
    }
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr) {
        return std::nullopt;
    }
    xcb_connection_t* connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(window.winId());
    const Owned<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, id), nullptr), &std::free);
    if (!tree) {
        return std::nullopt;
    }
    const xcb_atom_t request = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = atom(connection, "_NET_FRAME_EXTENTS");
    const auto supported =
        cardinals(connection, tree->root, atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM);
    if (std::find(supported.begin(), supported.end(), request) == supported.end()) {
        return std::nullopt;  // no manager, or one that cannot tell
    }

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    // The protocol's 32 bytes of an event, as xcb_send_event takes them.
    std::array<char, sizeof message> bytes{};
    std::memcpy(bytes.data(), &message, sizeof message);
    xcb_send_event(connection, 0, tree->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   bytes.data());
    xcb_flush(connection);

    using namespace std::chrono_literals;
    const auto deadline = std::chrono::steady_clock::now() + 500ms;
    do {
        const auto values = cardinals(connection, id, extents, XCB_ATOM_CARDINAL);
        if (values.size() == 4) {
            // left, right, top, bottom
            return QMargins(static_cast<int>(values[0]), static_cast<int>(values[2]),
                            static_cast<int>(values[1]), static_cast<int>(values[3]));
        }
        std::this_thread::sleep_for(5ms);
    } while (std::chrono::steady_clock::now() < deadline);
    return std::nullopt;
}

#else

std::optional<QMargins> FrameBeforeShow(QWidget& /*window*/) {
    return std::nullopt;
}

#endif

}  // namespace quorvela::runtime

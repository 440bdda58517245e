// SPDX-License-Identifier: GPL-3.0-or-later
// Times how long a program takes to show a pop-up window after a command that
// clicks (for example "xdotool click 3"): the clock starts as the command is
// started, so the figure includes the command's own start-up, and stops when
// the X server maps a new override-redirect window (a menu).
//   menuwatch TIMEOUT_MS COMMAND [ARGS...]
// Prints the milliseconds, or "timeout" with status 1.
#include <spawn.h>
#include <sys/wait.h>
#include <xcb/xcb.h>

#include <poll.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>

extern char** environ;

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: menuwatch TIMEOUT_MS COMMAND [ARGS...]\n");
        return 2;
    }
    const int timeoutMs = std::atoi(argv[1]);
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) return 2;
    xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));  // the watch is in place

    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    pid_t pid;
    if (posix_spawnp(&pid, argv[2], nullptr, nullptr, argv + 2, environ) != 0) return 2;
    const auto elapsed = [&] {
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    };
    int status = 1;
    while (elapsed() < timeoutMs) {
        pollfd p{xcb_get_file_descriptor(c), POLLIN, 0};
        poll(&p, 1, 10);
        bool mapped = false;
        while (xcb_generic_event_t* e = xcb_poll_for_event(c)) {
            if ((e->response_type & 0x7f) == XCB_MAP_NOTIFY &&
                reinterpret_cast<xcb_map_notify_event_t*>(e)->override_redirect)
                mapped = true;
            free(e);
        }
        if (mapped) {
            std::printf("%.0f\n", elapsed());
            status = 0;
            break;
        }
        if (xcb_connection_has_error(c)) break;
    }
    if (status != 0) std::printf("timeout\n");
    waitpid(pid, nullptr, 0);
    xcb_disconnect(c);
    return status;
}

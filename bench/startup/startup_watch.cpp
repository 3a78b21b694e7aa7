// Measures how long a program takes from its start until its first window
// is mapped on the X server: the moment a user sees it. Starts the program,
// waits for the server to report the map of a top-level window, prints the
// time in microseconds and ends the program.
//
//   startup_watch <program> [arguments...]
//
// The X server must have no other clients mapping windows (a fresh Xvfb).
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <csignal>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s program [arguments...]\n", argv[0]);
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "startup_watch: cannot connect to the X server\n");
        return 2;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_void_cookie_t cookie =
        xcb_change_window_attributes_checked(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    if (xcb_generic_error_t* error = xcb_request_check(connection, cookie)) {
        std::fprintf(stderr, "startup_watch: cannot watch the root window (error %d)\n", error->error_code);
        return 2;
    }

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execv(argv[1], argv + 1);
        std::perror("startup_watch: exec");
        _exit(127);
    }

    const int timeoutMs = 60000;
    long long micros = -1;
    pollfd pfd{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (micros < 0) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY;
            std::free(event);
            if (mapped) {
                micros = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start)
                             .count();
                break;
            }
        }
        if (micros >= 0)
            break;
        const auto waited = std::chrono::steady_clock::now() - start;
        if (std::chrono::duration_cast<std::chrono::milliseconds>(waited).count() > timeoutMs) {
            std::fprintf(stderr, "startup_watch: no window within %d ms\n", timeoutMs);
            break;
        }
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "startup_watch: the program ended without showing a window\n");
            xcb_disconnect(connection);
            return 1;
        }
        poll(&pfd, 1, 50);
    }
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
    xcb_disconnect(connection);
    if (micros < 0)
        return 1;
    std::printf("%lld\n", micros);
    return 0;
}

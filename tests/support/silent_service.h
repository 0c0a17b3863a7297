#pragma once
// A print service that never answers, on a socket of the test's own: one
// that takes every connection and says nothing (as a hung scheduler), or a
// loopback port whose full backlog lets every connection time out. While it
// lives CUPS_SERVER names it.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>

#include <QTimer>
#include <chrono>
#include <cstring>
#include <thread>

#include "support/private_cups.h"

namespace velm {

class SilentService {
public:
    enum Kind { Mute, Swallowing };
    SilentService(const std::string& folder, Kind kind) {
        if (const char* server = getenv("CUPS_SERVER")) before_ = server;
        if (kind == Mute) {
            const std::string path = folder + "/mute.sock";
            sockaddr_un at{AF_UNIX, {}};
            std::strncpy(at.sun_path, path.c_str(), sizeof at.sun_path - 1);
            listener_ = socket(AF_UNIX, SOCK_STREAM, 0);
            if (bind(listener_, reinterpret_cast<sockaddr*>(&at), sizeof at) == 0 && listen(listener_, 64) == 0) server_ = path;
            accepting_ = std::jthread([this](std::stop_token stop) {  // takes every connection, answers none
                while (!stop.stop_requested())
                    if (pollfd ready{listener_, POLLIN, 0}; poll(&ready, 1, 50) > 0) held_.push_back(accept(listener_, nullptr, nullptr));
            });
        } else {
            sockaddr_in at{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
            socklen_t size = sizeof at;
            listener_ = socket(AF_INET, SOCK_STREAM, 0);
            if (bind(listener_, reinterpret_cast<sockaddr*>(&at), size) == 0 && listen(listener_, 0) == 0 &&
                getsockname(listener_, reinterpret_cast<sockaddr*>(&at), &size) == 0) {
                for (int i = 0; i < 4; ++i) {  // fill the backlog: later connections never complete
                    held_.push_back(socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0));
                    (void)!connect(held_.back(), reinterpret_cast<sockaddr*>(&at), size);
                }
                server_ = "127.0.0.1:" + std::to_string(ntohs(at.sin_port));
            }
        }
        setenv("CUPS_SERVER", server_.c_str(), 1);
        cupsSetServer(nullptr);
    }
    ~SilentService() {
        accepting_ = {};  // stops and joins
        for (int fd : held_) close(fd);
        close(listener_);
        PutBackCupsServer(before_);
    }
    SilentService(const SilentService&) = delete;
    const std::string& Server() const { return server_; }  // empty when the socket could not be made

private:
    int listener_ = -1;
    std::vector<int> held_;
    std::string server_, before_;
    std::jthread accepting_;
};

inline double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The window thread's longest pause in seconds while `run` runs, as a timer ticking every 20 ms on it sees it.
template <class Run>
double LongestPause(Run run) {
    auto last = std::chrono::steady_clock::now();
    double longest = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longest = std::max(longest, SecondsSince(last));
        last = std::chrono::steady_clock::now();
    });
    tick.start(20);
    run();
    return std::max(longest, SecondsSince(last));
}

}  // namespace velm

#pragma once
// A print service of the test's own that never answers, named by CUPS_SERVER while it lives: Mute leaves
// connections unaccepted and unanswered, as a hung scheduler; Swallowing's full backlog lets them time out.
#include <arpa/inet.h>
#include <netinet/in.h>
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
        sockaddr_un local{AF_UNIX, {}};
        sockaddr_in port{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
        std::strncpy(local.sun_path, (folder + "/mute.sock").c_str(), sizeof local.sun_path - 1);
        auto* at = kind == Mute ? reinterpret_cast<sockaddr*>(&local) : reinterpret_cast<sockaddr*>(&port);
        socklen_t size = kind == Mute ? sizeof local : sizeof port;
        listener_ = socket(at->sa_family, SOCK_STREAM, 0);
        if (bind(listener_, at, size) || listen(listener_, kind == Mute ? SOMAXCONN : 0) || getsockname(listener_, at, &size)) return;
        for (int i = 0; kind == Swallowing && i < 4; ++i)  // fill the backlog: later connections never complete
            (void)!connect(held_.emplace_back(socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0)), at, size);
        server_ = kind == Mute ? std::string(local.sun_path) : "127.0.0.1:" + std::to_string(ntohs(port.sin_port));
        setenv("CUPS_SERVER", server_.c_str(), 1);
        cupsSetServer(nullptr);
    }
    ~SilentService() {
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
};

inline double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The window thread's longest pause in seconds while `run` runs, as a 20 ms timer on it sees it.
double LongestPause(auto run) {
    auto last = std::chrono::steady_clock::now();
    double longest = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { longest = std::max(longest, SecondsSince(last)), last = std::chrono::steady_clock::now(); });
    tick.start(20);
    run();
    return std::max(longest, SecondsSince(last));
}

}  // namespace velm

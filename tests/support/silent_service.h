#pragma once
// A print service that never answers, on a socket of the test's own: one
// that takes every connection and says nothing (as a hung scheduler), or a
// loopback port whose full backlog lets every connection time out (as an
// address that swallows packets). While it lives CUPS_SERVER names it.
#include <arpa/inet.h>
#include <cups/cups.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "support/private_cups.h"

namespace velm {

class SilentService {
public:
    enum Kind { Mute, Swallowing };

    SilentService(const std::string& folder, Kind kind) {
        if (const char* server = getenv("CUPS_SERVER")) before_ = server;
        if (kind == Mute) {
            const std::string path = folder + "/mute.sock";
            unlink(path.c_str());
            listener_ = socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un at{};
            at.sun_family = AF_UNIX;
            std::strncpy(at.sun_path, path.c_str(), sizeof at.sun_path - 1);
            if (bind(listener_, reinterpret_cast<sockaddr*>(&at), sizeof at) == 0 && listen(listener_, 64) == 0)
                server_ = path;
            // Takes every connection and holds it unanswered.
            accepting_ = std::jthread([this](std::stop_token stop) {
                while (!stop.stop_requested())
                    if (pollfd ready{listener_, POLLIN, 0}; poll(&ready, 1, 50) > 0) held_.push_back(accept(listener_, nullptr, nullptr));
            });
        } else {
            listener_ = socket(AF_INET, SOCK_STREAM, 0);
            sockaddr_in at{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
            socklen_t size = sizeof at;
            if (bind(listener_, reinterpret_cast<sockaddr*>(&at), size) == 0 && listen(listener_, 0) == 0 &&
                getsockname(listener_, reinterpret_cast<sockaddr*>(&at), &size) == 0) {
                // Connections nobody accepts fill the backlog: later ones are never completed.
                for (int i = 0; i < 4; ++i) {
                    const int filler = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
                    (void)!connect(filler, reinterpret_cast<sockaddr*>(&at), size);
                    held_.push_back(filler);
                }
                server_ = "127.0.0.1:" + std::to_string(ntohs(at.sin_port));
            }
        }
        setenv("CUPS_SERVER", server_.c_str(), 1);
        cupsSetServer(nullptr);
    }
    ~SilentService() {
        if (accepting_.joinable()) {
            accepting_.request_stop();
            accepting_.join();
        }
        for (int fd : held_) close(fd);
        close(listener_);
        PutBackCupsServer(before_);
    }
    SilentService(const SilentService&) = delete;
    SilentService& operator=(const SilentService&) = delete;

    // Empty when the socket could not be made.
    const std::string& Server() const { return server_; }

private:
    int listener_ = -1;
    std::vector<int> held_;
    std::string server_;
    std::string before_;
    std::jthread accepting_;
};

}  // namespace velm

#pragma once
// A full disk, as far as a test can have one: `write` runs with the files
// this process writes limited to `bytes`; a write past the limit fails with
// EFBIG instead of ending the process. The limit is lifted again afterwards.
#include <sys/resource.h>

#include <csignal>

namespace velm::testing {

template <class Write>
auto WithFileSizeLimit(rlim_t bytes, Write write) {
    struct rlimit saved {};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = saved;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limited);
    auto result = write();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    return result;
}

}  // namespace velm::testing

#pragma once
// What the fuzz targets share: a promise check that stops the run at once,
// and a scratch folder for readers that work on files.
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// Stops the run (libFuzzer keeps the input) when a reader breaks a promise.
#define PROMISE(condition)                                                               \
    do {                                                                                 \
        if (!(condition)) {                                                              \
            std::fprintf(stderr, "broken promise: %s (%s:%d)\n", #condition, __FILE__,   \
                         __LINE__);                                                      \
            __builtin_trap();                                                            \
        }                                                                                \
    } while (0)

namespace velm::fuzz {

// A folder of this run, in memory when the system offers one; removed at exit.
inline const std::string& ScratchFolder() {
    static const std::string folder = [] {
        const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string pattern = std::string(base) + "/velm-fuzz-XXXXXX";
        if (!::mkdtemp(pattern.data())) __builtin_trap();
        static const std::string removeAtExit = pattern;
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(removeAtExit, ec);
        });
        return pattern;
    }();
    return folder;
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) __builtin_trap();
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace velm::fuzz

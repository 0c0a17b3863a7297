#include "frame/command_line.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace velm {

std::string ResolveCommandLineFile(const std::string& argument, const std::string& startFolder) {
    std::string name = argument;
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"') name = name.substr(1, name.size() - 2);
    if (name.empty() || name.front() == '/' || startFolder.empty()) return name;
    std::string folder = startFolder;
    if (folder.back() != '/') folder += '/';
    return folder + name;
}

std::string AppDirOf(const std::string& programFolder) {
    std::string dir = programFolder;
    while (!dir.empty() && dir.back() == '/') dir.pop_back();
    return dir;
}

double SplashSecondsFrom(const char* environmentValue) {
    constexpr double Full = 3.0;
    if (environmentValue == nullptr) return Full;
    const char* end = environmentValue + std::strlen(environmentValue);
    double value = Full;
    const auto [ptr, ec] = std::from_chars(environmentValue, end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value) || value < 0 || value > Full) return Full;
    return value;
}

}  // namespace velm

#pragma once
// A program folder with the build's language and help files, and an empty
// settings folder, for benchmarks that start the whole program.
#include <QCoreApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace velm::bench {

struct ProgramFolders {
    ProgramFolders() {
        namespace fs = std::filesystem;
        std::string pattern = (fs::temp_directory_path() / "velm-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        root = pattern;
        program = root / "program";
        fs::create_directories(program);
        fs::create_directories(root / "config");
        const fs::path built = fs::path(QCoreApplication::applicationDirPath().toStdString()) / ".." / "bin";
        for (const char* name : {"VELM.lng", "VELM.HLP"}) fs::copy_file(built / name, program / name);
        setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    }
    ~ProgramFolders() {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
    ProgramFolders(const ProgramFolders&) = delete;
    ProgramFolders& operator=(const ProgramFolders&) = delete;
    std::filesystem::path root, program;
};

}  // namespace velm::bench

// VELM: the program lives in the velm_app library; this only starts it.
#include <QApplication>
#include <filesystem>
#include <system_error>

#include "frame/command_line.h"
#include "program.h"
#include "platform/qt/system_fonts.h"

int main(int argc, char** argv) {
    // Taken before start-up moves to the program folder: the command-line
    // file is named relative to where the user started the program.
    std::error_code ec;
    const std::string startFolder = std::filesystem::current_path(ec).string();

    velm::BeginReadingSystemFonts();
    QApplication app(argc, argv);  // takes away Qt's own arguments
    const std::string file = argc > 1 ? velm::ResolveCommandLineFile(argv[1], startFolder) : std::string();
    velm::InstallQtPlatform();
    const velm::StartOptions options{QCoreApplication::applicationDirPath().toStdString(), file};
    const int code = velm::StartProgram(options) ? app.exec() : velm::RequestedExitCode();
    velm::CloseAllWindows();
    return code;
}

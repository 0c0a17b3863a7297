#include "frame/command_registry.h"

#include <array>

namespace velm {

namespace {

constexpr std::size_t CommandCount = static_cast<std::size_t>(RegisteredCommand::Calibration) + 1;

std::array<CommandHandler, CommandCount>& Handlers() {
    static std::array<CommandHandler, CommandCount> handlers;
    return handlers;
}

std::size_t IndexOf(RegisteredCommand command) { return static_cast<std::size_t>(command); }

}  // namespace

void RegisterCommand(RegisteredCommand command, CommandHandler handler) {
    Handlers()[IndexOf(command)] = std::move(handler);
}

bool CommandRegistered(RegisteredCommand command) { return static_cast<bool>(Handlers()[IndexOf(command)]); }

bool RunCommand(RegisteredCommand command, const std::string& fileName) {
    // A copy: the handler may register commands again while it runs.
    const CommandHandler handler = Handlers()[IndexOf(command)];
    if (!handler) return false;
    handler(fileName);
    return true;
}

void ClearCommands() { Handlers().fill(nullptr); }

}  // namespace velm

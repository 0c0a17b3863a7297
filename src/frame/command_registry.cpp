#include "frame/command_registry.h"

#include <algorithm>
#include <array>

namespace velm {

namespace {

constexpr std::size_t CommandCount = static_cast<std::size_t>(RegisteredCommand::Calibration) + 1;

std::array<CommandHandler, CommandCount>& Handlers() {
    static std::array<CommandHandler, CommandCount> handlers;
    return handlers;
}

std::size_t IndexOf(RegisteredCommand command) { return static_cast<std::size_t>(command); }

// One check per shape code, ShapeNone's left empty.
std::array<InputCheck, LastShapeCode + 1>& Checks() {
    static std::array<InputCheck, LastShapeCode + 1> checks;
    return checks;
}

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

void ClearCommands() {
    Handlers().fill(nullptr);
    Checks().fill(nullptr);
}

void RegisterInputCheck(std::int16_t first, std::int16_t last, InputCheck check) {
    for (int code = std::max<int>(first, ShapeNone + 1); code <= last && code <= LastShapeCode; ++code)
        Checks()[static_cast<std::size_t>(code)] = check;
}

CheckAnswer CheckCurrentInputs(const WorkingState& state) {
    const int code = state.ShapeCode;
    if (code <= ShapeNone || code > LastShapeCode) return {};
    const InputCheck& check = Checks()[static_cast<std::size_t>(code)];
    return check ? check(state.ShapeCode, state) : CheckAnswer{};
}

}  // namespace velm

#pragma once
// What the cylinder and frustum developments share around their own
// geometry: the settings they read, the limit check of a stored field, and
// how a refused apply reports its error text.
#include <cstdint>
#include <string>
#include <utility>

#include "core/working_state.h"

namespace velm {

// What a development reads besides its input array.
struct DevelopmentSettings {
    std::int16_t ThicknessFactor = 1;
    float AngleStep = 1.0f;
    std::int16_t LatoSaldatura = 1;
    std::int16_t MeasuringSystem = 0;  // unit of the input values, for their limits
    InputLimits Limits;
};

DevelopmentSettings DevelopmentSettingsOf(const WorkingState& state);

// "The angular step must divide 180°..."
constexpr int ErrAngleStep = 41;

// ErrAngleStep for a step the tables hold that does not divide the half
// turn, else 0 (a step the tables cannot hold is the development's refusal).
int CheckAngleStep(float angleStep);

// A field holding zero, or a value that never passed an input box (a data
// file) and lies outside the field's limits (millimetres) in the unit of
// `measuringSystem`; only lengths change with the unit.
bool FieldValueRefused(float value, const InputLimit& limit, bool length, std::int16_t measuringSystem);

// The answer of an apply's checks as the windows take it: False16 for 0
// (accepted), else True16, after showing error text `message` of LangErrore
// when it is positive (a negative one refuses without a word), followed by
// `value` when there is one.
Bool16 ReportCheckResult(int message, const std::string& value = {});

// A check's answer with what its text names: the error text (0 when
// accepted) and the number that follows it, as number text in the current
// unit (empty for a text that names none).
struct CheckAnswer {
    CheckAnswer(int message = 0, std::string value = {}) : Message(message), Value(std::move(value)) {}
    int Message;
    std::string Value;
};

}  // namespace velm

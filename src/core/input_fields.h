#pragma once
// Input-box services of the shape windows: the key filters that decide from
// the text a key would leave behind, the check on leaving a box, and the
// status-line hints. Plain values in, plain values out; the Qt side
// (frame/windows/input_services.h) reads the boxes and the working state.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "core/working_state.h"

namespace velm {

// What a filter needs of a box: its text (UTF-8; the filters only accept
// ASCII keys) and its selection, counted in characters of that text from 0.
struct BoxState {
    std::string Text;
    int SelStart = 0;
    int SelLength = 0;
};

// Codes handed to the filters: the typed character, or KeyDeleteFilter for
// the Delete key (the KeyDown services turn key code 46 into it).
constexpr int KeyDeleteFilter = -1;
constexpr int KeyBackspace = 8;
constexpr int KeyEnter = 13;
constexpr int KeyCodeDelete = 46;  // KeyDown code of the Delete key

// True means refuse the key (after one beep); the box is not changed.
bool FilterDecimalKey(const BoxState& box, float min, float max, std::int16_t decimals, int key);
// Whole-number fields: digits, Backspace, Delete and Enter only.
bool FilterIntegerKey(const BoxState& box, float min, float max, int key);

// Decimals allowed in a length box: 4 in inches, 2 in millimetres.
std::int16_t DecimalPlaces(std::int16_t measuringSystem);

// What the field services read of the program's state.
struct FieldSettings {
    InputLimits Limits;
    std::int16_t MeasuringSystem = 0;
    std::int16_t DiametriExt = 0;
};
FieldSettings FieldSettingsOf(const WorkingState& state);

// Per family. KeyDown examines only key code 46 (Delete); a refused key is
// set to 0. Fields outside the family (cylinders 0-4, frusta 0-5, conical
// elbows 0-8) are ignored. The conical-elbow services also read the text of
// the window's box 5 (the bend angle in degrees), which bounds the axis length.
void FilterCylinderKeyDown(const BoxState& box, int field, int& keyCode, int shift, const FieldSettings& s);
void FilterCylinderKeyPress(const BoxState& box, int field, int& keyAscii, const FieldSettings& s);
void FilterConeKeyDown(const BoxState& box, int field, int& keyCode, int shift, const FieldSettings& s);
void FilterConeKeyPress(const BoxState& box, int field, int& keyAscii, const FieldSettings& s);
void FilterConeElbowKeyDown(const std::string& bendAngleText, const BoxState& box, int field, int& keyCode,
                            int shift, const FieldSettings& s);
void FilterConeElbowKeyPress(const std::string& bendAngleText, const BoxState& box, int field, int& keyAscii,
                             const FieldSettings& s);

// The check on leaving a box: a value below the field's minimum (or above
// the maximum, where the field has one) beeps and `text` is replaced by that
// bound. True when the text was replaced.
bool CheckCylinderFieldRange(std::string& text, int field, const FieldSettings& s);
bool CheckConeFieldRange(std::string& text, int field, const FieldSettings& s);
bool CheckConeElbowFieldRange(const std::string& bendAngleText, std::string& text, int field,
                              const FieldSettings& s);

// The status-line hint of a field: its text and permitted range; nothing for
// a field outside the family. `lowerCutWindow` is the frustum cut at the
// bottom, whose fifth field is the lower cut angle and which has no sixth.
std::optional<std::string> CylinderFieldHint(int field, const FieldSettings& s);
std::optional<std::string> ConeFieldHint(int field, const FieldSettings& s, bool lowerCutWindow = false);
std::optional<std::string> ConeElbowFieldHint(const std::string& bendAngleText, int field, const FieldSettings& s);

// A limit written as the hints and checks write angles and counts ("10", "-60").
std::string PlainNumberText(float value);

template <class T>
void SwapVariants(T& a, T& b) {
    std::swap(a, b);
}

}  // namespace velm

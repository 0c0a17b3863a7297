// Key filters, leave checks and hints of the input boxes, with any text,
// selection and key. The input: a flags byte (family, unit, outer diameters),
// the field, the bend-angle text and the box text (each ended by a line
// feed), then (selection start, selection length, key) byte triples typed
// one after the other into the box.
// Promises: a refused key beeps once and comes back as 0, an accepted one
// comes back unchanged without a beep; a box that holds a number within the
// field's key range and decimals keeps doing so after every accepted key;
// after a leave check the value is at least the field's minimum and a second
// check changes nothing.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/input_fields.h"
#include "core/number_text.h"
#include "fuzz/fuzz_check.h"
#include "platform/look.h"

namespace velm {
namespace {

class BeepCounter : public Look {
public:
    void SetHourglass() override {}
    void ClearHourglass() override {}
    void Beep() override { ++beeps; }
    int beeps = 0;
};

enum Family { Cylinders, Frusta, ConicalElbows };

// The key range, decimals and minimum of a field, written out from the
// field tables (millimetres and degrees; lengths divided by the unit).
struct FieldRule {
    double min = 0, max = 0;
    int decimals = 2;
    bool whole = false;
    double leaveMin = 0;
    bool length = false;  // minimum written and compared as the box's length text
};

std::optional<FieldRule> RuleOf(Family family, int field, const FieldSettings& s, double bendDegrees) {
    const double u = s.MeasuringSystem != 0 ? 25.4 : 1.0;
    const int dp = s.MeasuringSystem > 0 ? 4 : 2;
    const InputLimits& l = s.Limits;
    auto length = [&](const InputLimit& limit) {
        return FieldRule{0, static_cast<float>(limit.Max / u), dp, false, limit.Min / u, true};
    };
    auto angle = [&](const InputLimit& limit) { return FieldRule{0, limit.Max, 2, false, limit.Min}; };
    switch (family) {
        case Cylinders:
            switch (field) {
                case 0: return length(l.ThicknessLimit);
                case 1: return length(l.DiameterLimit);
                case 2: return length(l.LengthLimit);
                case 3:
                case 4: return angle(l.CutAngleLimit);
                default: return std::nullopt;
            }
        case Frusta:
            switch (field) {
                case 0: return length(l.ThicknessLimit);
                case 1:
                case 2: return length(l.DiameterLimit);
                case 3: return length(l.LengthLimit);
                case 4:
                case 5: return angle(l.CutAngleLimit);
                default: return std::nullopt;
            }
        case ConicalElbows: {
            const double a = bendDegrees * DegToRad;
            switch (field) {
                case 0: return length(l.ThicknessLimit);
                case 1:
                case 3: return length(l.ConeElbowDiameterLimit);
                case 2: return FieldRule{l.StartCutLimit.Min, l.StartCutLimit.Max, 2, false, l.StartCutLimit.Min};
                case 4: return FieldRule{l.EndCutLimit.Min, l.EndCutLimit.Max, 2, false, l.EndCutLimit.Min};
                case 5: return angle(l.BendAngleLimit);
                case 6:
                    return FieldRule{0, static_cast<float>(l.ConeElbowRadiusLimit.Max / u * a), dp, false,
                                     std::max(static_cast<double>(static_cast<float>(l.ConeElbowRadiusLimit.Min / u * a)),
                                              l.ConeElbowLengthLimit.Min / u),
                                     true};
                case 7: return length(l.ConeElbowRadiusLimit);
                case 8: return FieldRule{0, l.PiecesLimit.Max, 0, true, l.PiecesLimit.Min};
                default: return std::nullopt;
            }
        }
    }
    return std::nullopt;
}

// Characters after the point (all of them count against the decimals).
int Decimals(const std::string& text) {
    const auto p = text.find('.');
    return p == std::string::npos ? 0 : static_cast<int>(text.size() - p - 1);
}

// The box holds what typing can leave: digits, at most one point, a sign
// only in front, within the key range and decimals.
bool Holds(const std::string& text, const FieldRule& rule) {
    for (const char c : text)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-')) return false;
    if (text.find('-', 1) != std::string::npos || std::count(text.begin(), text.end(), '.') > 1) return false;
    if (rule.whole && text.find_first_of(".-") != std::string::npos) return false;
    const double v = ReadNumber(text);
    return v >= static_cast<float>(rule.min) && v <= static_cast<float>(rule.max) && Decimals(text) <= rule.decimals;
}

// What the box's text becomes when it takes a key.
std::string Apply(const std::string& text, int s, int n, int key) {
    std::string t = text;
    if (key == KeyEnter) return t;
    if (key == KeyBackspace || key == KeyDeleteFilter) {
        if (n > 0) return t.erase(s, n);
        if (key == KeyBackspace) return s > 0 ? t.erase(s - 1, 1) : t;
        return s < static_cast<int>(t.size()) ? t.erase(s, 1) : t;
    }
    return t.replace(s, n, 1, static_cast<char>(key));
}

int KeyOf(std::uint8_t b) {
    switch (b % 20) {
        case 10: return '.';
        case 11: return '-';
        case 12: return KeyBackspace;
        case 13: return KeyEnter;
        case 14:
        case 15: return KeyDeleteFilter;
        case 16: return static_cast<int>(b) - 256;  // any other code, also negative
        case 17: return b;                         // letters, blanks, signs ...
        default: return '0' + b % 10;
    }
}

// Calls the family's KeyDown (for Delete) or KeyPress service; true when refused.
bool Press(Family family, const std::string& bend, const BoxState& box, int field, int key,
           const FieldSettings& s, BeepCounter& look) {
    const int beeps = look.beeps;
    int code = key == KeyDeleteFilter ? KeyCodeDelete : key;
    switch (family) {
        case Cylinders:
            key == KeyDeleteFilter ? FilterCylinderKeyDown(box, field, code, 0, s)
                                   : FilterCylinderKeyPress(box, field, code, s);
            break;
        case Frusta:
            key == KeyDeleteFilter ? FilterConeKeyDown(box, field, code, 0, s) : FilterConeKeyPress(box, field, code, s);
            break;
        case ConicalElbows:
            key == KeyDeleteFilter ? FilterConeElbowKeyDown(bend, box, field, code, 0, s)
                                   : FilterConeElbowKeyPress(bend, box, field, code, s);
            break;
    }
    const bool refused = code == 0;
    const int unchanged = key == KeyDeleteFilter ? KeyCodeDelete : key;
    PROMISE(refused || code == unchanged);
    PROMISE(look.beeps - beeps == (refused && unchanged != 0 ? 1 : 0));
    return refused;
}

// Key codes other than Delete pass KeyDown untouched and silent.
void CheckKeyDownIgnores(Family family, const std::string& bend, const BoxState& box, int field, int code,
                         const FieldSettings& s, BeepCounter& look) {
    if (code == KeyCodeDelete) return;
    const int beeps = look.beeps;
    int c = code;
    switch (family) {
        case Cylinders: FilterCylinderKeyDown(box, field, c, 0, s); break;
        case Frusta: FilterConeKeyDown(box, field, c, 0, s); break;
        case ConicalElbows: FilterConeElbowKeyDown(bend, box, field, c, 0, s); break;
    }
    PROMISE(c == code && look.beeps == beeps);
}

bool Leave(Family family, const std::string& bend, std::string& text, int field, const FieldSettings& s) {
    switch (family) {
        case Cylinders: return CheckCylinderFieldRange(text, field, s);
        case Frusta: return CheckConeFieldRange(text, field, s);
        case ConicalElbows: return CheckConeElbowFieldRange(bend, text, field, s);
    }
    return false;
}

void CheckLeave(Family family, const std::string& bend, bool bendHolds, const std::string& text, int field,
                const FieldSettings& s, const std::optional<FieldRule>& rule, BeepCounter& look) {
    std::string t = text;
    const int beeps = look.beeps;
    const bool replaced = Leave(family, bend, t, field, s);
    PROMISE(replaced ? look.beeps > beeps && t != text : look.beeps == beeps && t == text);
    if (!rule) {
        PROMISE(!replaced);
        return;
    }
    // The axis length is bounded on both sides through the bend angle, which
    // its box holds between 0 and 180 degrees; other bend texts cross the bounds.
    if (family == ConicalElbows && field == 6 && !bendHolds) return;
    // At least the minimum as the box writes it (lengths rounded to the box's places).
    const double bound = rule->length ? ReadNumber(FormatLength(rule->leaveMin, s.MeasuringSystem))
                                      : static_cast<float>(rule->leaveMin);
    PROMISE(ReadNumber(t) >= bound);
    // A checked box passes the check again.
    std::string again = t;
    PROMISE(!Leave(family, bend, again, field, s) && again == t);
}

void CheckHint(Family family, const std::string& bend, int field, const FieldSettings& s, bool known) {
    std::optional<std::string> hint;
    switch (family) {
        case Cylinders: hint = CylinderFieldHint(field, s); break;
        case Frusta: hint = ConeFieldHint(field, s, field % 2 == 0); break;
        case ConicalElbows: hint = ConeElbowFieldHint(bend, field, s); break;
    }
    if (!known) PROMISE(!hint);
    if (hint) PROMISE(hint->find(" (") != std::string::npos && hint->back() == ')');
}

std::string TakeLine(std::string_view& rest) {
    const auto end = rest.find('\n');
    const std::string line(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return line;
}

}  // namespace
}  // namespace velm

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velm;
    if (size < 2) return 0;
    static BeepCounter look;
    InstallLook(&look);

    const std::uint8_t flags = data[0];
    const auto family = static_cast<Family>(flags % 3);
    FieldSettings s;
    s.MeasuringSystem = (flags >> 2) & 1;
    s.DiametriExt = (flags >> 3) & 1;
    const int field = static_cast<int>(static_cast<std::int8_t>(data[1])) % 12;
    std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);
    const std::string bend = TakeLine(rest);
    std::string text = TakeLine(rest);

    const std::optional<FieldRule> rule = RuleOf(family, field, s, ReadNumber(bend));
    CheckHint(family, bend, field, s, rule.has_value());
    const bool holds = rule && Holds(text, *rule);
    for (std::size_t i = 0; i + 3 <= rest.size(); i += 3) {
        const auto rawStart = static_cast<std::int8_t>(rest[i]);
        const auto rawLength = static_cast<std::int8_t>(rest[i + 1]);
        const int key = KeyOf(static_cast<std::uint8_t>(rest[i + 2]));
        const int length = static_cast<int>(text.size());

        // Any selection, also one outside the text: no crash, no change of the key's meaning.
        BoxState raw{text, rawStart, rawLength};
        Press(family, bend, raw, field, key, s, look);
        CheckKeyDownIgnores(family, bend, raw, field, static_cast<std::uint8_t>(rest[i + 2]), s, look);

        // A selection a box can have; a negative start counts from the end (-1: the end).
        const int start = rawStart >= 0 ? rawStart % (length + 1) : std::max(0, length + 1 + rawStart);
        const int selected = std::abs(static_cast<int>(rawLength)) % (length - start + 1);
        const BoxState box{text, start, selected};
        if (Press(family, bend, box, field, key, s, look)) continue;
        text = Apply(text, start, selected, key);
        if (holds) PROMISE(Holds(text, *rule));
    }
    const std::optional<FieldRule> bendRule = RuleOf(ConicalElbows, 5, s, 0);
    CheckLeave(family, bend, Holds(bend, *bendRule), text, field, s, rule, look);
    InstallLook(nullptr);
    return 0;
}

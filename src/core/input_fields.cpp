#include "core/input_fields.h"

#include <algorithm>
#include <charconv>

#include "core/language.h"
#include "core/text_ids.h"
#include "core/number_text.h"
#include "platform/look.h"

namespace velm {

namespace {

const char* const Degrees = "\xC2\xB0";  // the degree sign in UTF-8

bool Refuse() {
    Beep();
    return true;
}

bool IsDigit(int key) { return key >= '0' && key <= '9'; }

// The box's text and a selection held inside it.
struct Edit {
    const std::string& text;
    int s;
    int n;

    explicit Edit(const BoxState& box)
        : text(box.Text),
          s(std::clamp(box.SelStart, 0, static_cast<int>(box.Text.size()))),
          n(std::clamp(box.SelLength, 0, static_cast<int>(box.Text.size()) - s)) {}

    int Length() const { return static_cast<int>(text.size()); }
    // The text with `inserted` in place of the selection.
    std::string Replaced(std::string_view inserted) const {
        std::string t = text.substr(0, s);
        t += inserted;
        t += text.substr(s + n);
        return t;
    }
    // Position of the point counted from 1, or 0 when there is none.
    int PointPosition() const {
        const auto p = text.find('.');
        return p == std::string::npos ? 0 : static_cast<int>(p) + 1;
    }
};

bool InRange(const std::string& text, float min, float max) {
    const double v = ReadNumber(text);
    return v >= min && v <= max;
}

// Delete and Backspace: true when the key is refused.
bool FilterDeletion(const Edit& e, float min, float max, int key) {
    std::string after;
    if (e.n > 0) {
        after = e.Replaced("");
    } else if (key == KeyDeleteFilter) {
        if (e.s >= e.Length()) return false;  // nothing after the cursor
        after = e.text;
        after.erase(e.s, 1);
    } else {
        if (e.s == 0) return false;  // nothing before the cursor
        after = e.text;
        after.erase(e.s - 1, 1);
    }
    return InRange(after, min, max) ? false : Refuse();
}

// A sign anywhere but first: the box would show "5-3" while its value is 5.
bool SignInside(const std::string& text) { return text.find('-', 1) != std::string::npos; }

}  // namespace

bool FilterDecimalKey(const BoxState& box, float min, float max, std::int16_t decimals, int key) {
    const Edit e(box);
    if ((key == '.' || IsDigit(key)) && SignInside(e.Replaced(std::string(1, static_cast<char>(key)))))
        return Refuse();
    if (key == '.') {
        const int p = e.PointPosition();
        if (p == 0) {
            // Only the count of decimals the point would leave is checked here.
            const std::string after = e.Replaced(".");
            return static_cast<int>(after.size()) - e.s - 1 > decimals ? Refuse() : false;
        }
        // A second point only in place of a selection that holds the first.
        if (!(e.n > 0 && e.s + 1 <= p && p <= e.s + e.n)) return Refuse();
        return InRange(e.Replaced("."), min, max) ? false : Refuse();
    }
    if (key == '-') {
        if (e.s != 0) return Refuse();
        if (e.n == 0 && !e.text.empty() && e.text[0] == '-') return Refuse();
        return InRange(e.Replaced("-"), min, max) ? false : Refuse();
    }
    if (key == KeyDeleteFilter || key == KeyBackspace) return FilterDeletion(e, min, max, key);
    if (IsDigit(key)) {
        const char digit[1] = {static_cast<char>(key)};
        if (!InRange(e.Replaced(std::string_view(digit, 1)), min, max)) return Refuse();
        const int p = e.PointPosition();
        if (p > 0 && e.s >= p && e.Length() - e.n - p >= decimals) return Refuse();
        return false;
    }
    if (key == KeyEnter) return false;
    return Refuse();
}

bool FilterIntegerKey(const BoxState& box, float min, float max, int key) {
    const Edit e(box);
    if (key == KeyDeleteFilter || key == KeyBackspace) return FilterDeletion(e, min, max, key);
    if (IsDigit(key)) {
        const char digit[1] = {static_cast<char>(key)};
        return InRange(e.Replaced(std::string_view(digit, 1)), min, max) ? false : Refuse();
    }
    if (key == KeyEnter) return false;
    return Refuse();
}

std::int16_t DecimalPlaces(std::int16_t measuringSystem) { return measuringSystem > 0 ? 4 : 2; }

FieldSettings FieldSettingsOf(const WorkingState& state) {
    FieldSettings s;
    s.Limits = state.Limits;
    s.MeasuringSystem = state.Settings.MeasuringSystem;
    s.DiametriExt = state.Settings.DiametriExt;
    return s;
}

std::string PlainNumberText(float value) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    return std::string(buf, r.ptr);
}

namespace {

double UnitFactor(const FieldSettings& s) { return s.MeasuringSystem != 0 ? 25.4 : 1.0; }

// What a field accepts while typing.
struct KeyRule {
    float Min = 0;
    float Max = 0;
    std::int16_t Decimals = 2;
    bool Whole = false;
};

// How a field is checked on leaving, and how its hint shows the range.
enum class Form { Length, Angle, Count };
struct LeaveRule {
    Form form = Form::Length;
    double Min = 0;  // already divided by the unit for lengths
    std::optional<double> Max;
};

KeyRule LengthKeyRule(const InputLimit& limit, const FieldSettings& s) {
    return {0, static_cast<float>(limit.Max / UnitFactor(s)), DecimalPlaces(s.MeasuringSystem), false};
}

std::optional<KeyRule> CylinderKeyRule(int field, const FieldSettings& s) {
    if (field < 0 || field > 4) return std::nullopt;
    const InputLimit& limit = CylinderFieldLimit(s.Limits, field);
    if (CylinderFieldIsLength(field)) return LengthKeyRule(limit, s);
    return KeyRule{0, limit.Max, 2, false};
}

std::optional<KeyRule> ConeKeyRule(int field, const FieldSettings& s) {
    if (field < 0 || field > 5) return std::nullopt;
    const InputLimit& limit = ConeFieldLimit(s.Limits, field);
    if (ConeFieldIsLength(field)) return LengthKeyRule(limit, s);
    return KeyRule{0, limit.Max, 2, false};
}

// The bend angle of box 5 in radians.
double BendAngleRadians(const std::string& bendAngleText) { return ReadNumber(bendAngleText) * DegToRad; }

// The axis length of a conical elbow lies between the radius limits times
// the bend angle, and never below the length minimum.
float AxisLengthMin(const FieldSettings& s, double a) {
    const double u = UnitFactor(s);
    const float byRadius = static_cast<float>(s.Limits.ConeElbowRadiusLimit.Min / u * a);
    const float byLength = static_cast<float>(s.Limits.ConeElbowLengthLimit.Min / u);
    return std::max(byRadius, byLength);
}
double AxisLengthMax(const FieldSettings& s, double a) {
    return s.Limits.ConeElbowRadiusLimit.Max / UnitFactor(s) * a;
}

std::optional<KeyRule> ConeElbowKeyRule(const std::string& bendAngleText, int field, const FieldSettings& s) {
    const InputLimits& l = s.Limits;
    switch (field) {
        case 0: return LengthKeyRule(l.ThicknessLimit, s);
        case 1:
        case 3: return LengthKeyRule(l.ConeElbowDiameterLimit, s);
        case 2: return KeyRule{l.StartCutLimit.Min, l.StartCutLimit.Max, 2, false};
        case 4: return KeyRule{l.EndCutLimit.Min, l.EndCutLimit.Max, 2, false};
        case 5: return KeyRule{0, l.BendAngleLimit.Max, 2, false};
        case 6:
            return KeyRule{0, static_cast<float>(AxisLengthMax(s, BendAngleRadians(bendAngleText))),
                           DecimalPlaces(s.MeasuringSystem), false};
        case 7: return LengthKeyRule(l.ConeElbowRadiusLimit, s);
        case 8: return KeyRule{0, l.PiecesLimit.Max, 0, true};
        default: return std::nullopt;
    }
}

bool RuleRefuses(const std::optional<KeyRule>& rule, const BoxState& box, int key) {
    if (!rule) return false;
    if (rule->Whole) return FilterIntegerKey(box, rule->Min, rule->Max, key);
    return FilterDecimalKey(box, rule->Min, rule->Max, rule->Decimals, key);
}

void KeyDownThrough(const std::optional<KeyRule>& rule, const BoxState& box, int& keyCode) {
    if (keyCode != KeyCodeDelete) return;
    if (RuleRefuses(rule, box, KeyDeleteFilter)) keyCode = 0;
}

void KeyPressThrough(const std::optional<KeyRule>& rule, const BoxState& box, int& keyAscii) {
    if (RuleRefuses(rule, box, keyAscii)) keyAscii = 0;
}

LeaveRule LengthLeaveRule(const InputLimit& limit, const FieldSettings& s) {
    return {Form::Length, limit.Min / UnitFactor(s), std::nullopt};
}
LeaveRule LengthHintRule(const InputLimit& limit, const FieldSettings& s) {
    return {Form::Length, limit.Min / UnitFactor(s), limit.Max / UnitFactor(s)};
}

std::optional<LeaveRule> CylinderLeaveRule(int field, const FieldSettings& s) {
    if (field < 0 || field > 4) return std::nullopt;
    const InputLimit& limit = CylinderFieldLimit(s.Limits, field);
    if (CylinderFieldIsLength(field)) return LengthLeaveRule(limit, s);
    return LeaveRule{Form::Angle, limit.Min, std::nullopt};
}

std::optional<LeaveRule> ConeLeaveRule(int field, const FieldSettings& s) {
    if (field < 0 || field > 5) return std::nullopt;
    const InputLimit& limit = ConeFieldLimit(s.Limits, field);
    if (ConeFieldIsLength(field)) return LengthLeaveRule(limit, s);
    return LeaveRule{Form::Angle, limit.Min, std::nullopt};
}

// With `hint`, every field carries its maximum, as the hint shows it; the
// check on leaving tests a maximum only for the axis length and bend radius.
std::optional<LeaveRule> ConeElbowRule(const std::string& bendAngleText, int field, const FieldSettings& s,
                                       bool hint) {
    const InputLimits& l = s.Limits;
    auto angle = [&](const InputLimit& limit) {
        return LeaveRule{Form::Angle, limit.Min, hint ? std::optional<double>(limit.Max) : std::nullopt};
    };
    auto length = [&](const InputLimit& limit) {
        return hint ? LengthHintRule(limit, s) : LengthLeaveRule(limit, s);
    };
    switch (field) {
        case 0: return length(l.ThicknessLimit);
        case 1:
        case 3: return length(l.ConeElbowDiameterLimit);
        case 2: return angle(l.StartCutLimit);
        case 4: return angle(l.EndCutLimit);
        case 5: return angle(l.BendAngleLimit);
        case 6: {
            const double a = BendAngleRadians(bendAngleText);
            return LeaveRule{Form::Length, AxisLengthMin(s, a), AxisLengthMax(s, a)};
        }
        case 7: return LengthHintRule(l.ConeElbowRadiusLimit, s);
        case 8:
            return LeaveRule{Form::Count, l.PiecesLimit.Min,
                             hint ? std::optional<double>(l.PiecesLimit.Max) : std::nullopt};
        default: return std::nullopt;
    }
}

std::string BoundText(Form form, double bound, const FieldSettings& s) {
    if (form == Form::Length) return FormatLength(bound, s.MeasuringSystem);
    return PlainNumberText(static_cast<float>(bound));
}

// A length bound is compared as the text it would be written as.
double BoundValue(Form form, double bound, const FieldSettings& s) {
    if (form == Form::Length) return ReadNumber(FormatLength(bound, s.MeasuringSystem));
    return static_cast<float>(bound);
}

bool ApplyLeaveRule(const std::optional<LeaveRule>& rule, std::string& text, const FieldSettings& s) {
    if (!rule) return false;
    bool replaced = false;
    if (ReadNumber(text) < BoundValue(rule->form, rule->Min, s)) {
        Beep();
        text = BoundText(rule->form, rule->Min, s);
        replaced = true;
    }
    if (rule->Max && ReadNumber(text) > BoundValue(rule->form, *rule->Max, s)) {
        Beep();
        text = BoundText(rule->form, *rule->Max, s);
        replaced = true;
    }
    return replaced;
}

std::string HintText(const std::string& text, Form form, double min, double max, const FieldSettings& s) {
    std::string hint = text + " (" + BoundText(form, min, s);
    if (form == Form::Angle) hint += Degrees;
    hint += " - " + BoundText(form, max, s);
    if (form == Form::Angle) hint += Degrees;
    return hint + ")";
}

std::optional<std::string> HintFrom(const std::string& text, const std::optional<LeaveRule>& rule,
                                    const FieldSettings& s) {
    if (!rule || !rule->Max) return std::nullopt;
    return HintText(text, rule->form, rule->Min, *rule->Max, s);
}

std::optional<LeaveRule> HintRuleOf(const InputLimit& limit, bool isLength, const FieldSettings& s) {
    if (isLength) return LengthHintRule(limit, s);
    return LeaveRule{Form::Angle, limit.Min, static_cast<double>(limit.Max)};
}

}  // namespace

void FilterCylinderKeyDown(const BoxState& box, int field, int& keyCode, int, const FieldSettings& s) {
    KeyDownThrough(CylinderKeyRule(field, s), box, keyCode);
}
void FilterCylinderKeyPress(const BoxState& box, int field, int& keyAscii, const FieldSettings& s) {
    KeyPressThrough(CylinderKeyRule(field, s), box, keyAscii);
}
void FilterConeKeyDown(const BoxState& box, int field, int& keyCode, int, const FieldSettings& s) {
    KeyDownThrough(ConeKeyRule(field, s), box, keyCode);
}
void FilterConeKeyPress(const BoxState& box, int field, int& keyAscii, const FieldSettings& s) {
    KeyPressThrough(ConeKeyRule(field, s), box, keyAscii);
}
void FilterConeElbowKeyDown(const std::string& bendAngleText, const BoxState& box, int field, int& keyCode, int,
                            const FieldSettings& s) {
    KeyDownThrough(ConeElbowKeyRule(bendAngleText, field, s), box, keyCode);
}
void FilterConeElbowKeyPress(const std::string& bendAngleText, const BoxState& box, int field, int& keyAscii,
                             const FieldSettings& s) {
    KeyPressThrough(ConeElbowKeyRule(bendAngleText, field, s), box, keyAscii);
}

bool CheckCylinderFieldRange(std::string& text, int field, const FieldSettings& s) {
    return ApplyLeaveRule(CylinderLeaveRule(field, s), text, s);
}
bool CheckConeFieldRange(std::string& text, int field, const FieldSettings& s) {
    return ApplyLeaveRule(ConeLeaveRule(field, s), text, s);
}
bool CheckConeElbowFieldRange(const std::string& bendAngleText, std::string& text, int field,
                              const FieldSettings& s) {
    return ApplyLeaveRule(ConeElbowRule(bendAngleText, field, s, false), text, s);
}

std::optional<std::string> CylinderFieldHint(int field, const FieldSettings& s) {
    const bool ext = s.DiametriExt != 0;
    std::string text;
    switch (field) {
        case 0: text = Txt(LangFrmCiRe, 2); break;
        case 1: text = ext ? Txt(LangFrmCiRe, 7) : Txt(LangFrmCiRe, 3); break;
        case 2: text = Txt(LangFrmCiRe, 4); break;
        case 3: text = Txt(LangFrmCiRe, 5); break;
        case 4: text = Txt(LangFrmCiRe, 6); break;
        default: return std::nullopt;
    }
    return HintFrom(text, HintRuleOf(CylinderFieldLimit(s.Limits, field), CylinderFieldIsLength(field), s), s);
}

std::optional<std::string> ConeFieldHint(int field, const FieldSettings& s, bool lowerCutWindow) {
    const bool ext = s.DiametriExt != 0;
    std::string text;
    switch (field) {
        case 0: text = Txt(LangFrmCoRe, 2); break;
        case 1: text = ext ? Txt(LangFrmCoRe, 8) : Txt(LangFrmCoRe, 3); break;
        case 2: text = ext ? Txt(LangFrmCoRe, 9) : Txt(LangFrmCoRe, 4); break;
        case 3: text = Txt(LangFrmCoRe, 5); break;
        case 4: text = lowerCutWindow ? Txt(TextLowerCutAngle) : Txt(LangFrmCoRe, 6); break;
        case 5:
            if (lowerCutWindow) return std::nullopt;
            text = Txt(TextLowerCutAngle);
            break;
        default: return std::nullopt;
    }
    return HintFrom(text, HintRuleOf(ConeFieldLimit(s.Limits, field), ConeFieldIsLength(field), s), s);
}

std::optional<std::string> ConeElbowFieldHint(const std::string& bendAngleText, int field, const FieldSettings& s) {
    const bool ext = s.DiametriExt != 0;
    std::string text;
    switch (field) {
        case 0: text = Txt(LangFrmCuCon2, 2); break;
        case 1: text = ext ? Txt(LangFrmCuCon2, 15) : Txt(LangFrmCuCon2, 3); break;
        case 2: text = Txt(LangFrmCuCon2, 4); break;
        case 3: text = ext ? Txt(LangFrmCuCon2, 16) : Txt(LangFrmCuCon2, 5); break;
        case 4: text = Txt(LangFrmCuCon2, 6); break;
        case 5: text = Txt(LangFrmCuCon2, 7); break;
        case 6: text = Txt(LangFrmCuCon2, 8); break;
        case 7: text = Txt(LangFrmCuCon2, 9); break;
        case 8: text = Txt(LangFrmCuCon2, 10); break;
        default: return std::nullopt;
    }
    return HintFrom(text, ConeElbowRule(bendAngleText, field, s, true), s);
}

}  // namespace velm

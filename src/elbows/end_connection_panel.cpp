#include "elbows/end_connection_panel.h"

#include "core/language.h"
#include "core/number_text.h"
#include "elbows/cone_elbow.h"
#include "platform/look.h"

namespace velm {

namespace {

const char* const Degrees = "\xC2\xB0";

double Unit(const FieldSettings& s) { return s.MeasuringSystem != 0 ? 25.4 : 1.0; }

// The diameters and the length are lengths; the other box is the cut angle.
const InputLimit& LengthLimitOf(int index, const FieldSettings& s) {
    return index == LengthBox ? s.Limits.LengthLimit : s.Limits.ConeElbowDiameterLimit;
}

bool Refuses(const BoxState& box, int index, int key, const FieldSettings& s) {
    if (index < DiameterBox || index > SecondDiameterBox) return false;
    if (index == CutAngleBox)
        return FilterDecimalKey(box, s.Limits.StartCutLimit.Min, s.Limits.StartCutLimit.Max, 2, key);
    const InputLimit& limit = LengthLimitOf(index, s);
    return FilterDecimalKey(box, 0, static_cast<float>(limit.Max / Unit(s)), DecimalPlaces(s.MeasuringSystem), key);
}

}  // namespace

bool ConnectionIsConical(const EndConnectionArray& c, int record) {
    return EndConnectionOf(c, record).Kind == ConnectionConical;
}

ConnectionDiameterLabels FilletPanelLabels(bool cylindrical, int record, std::int16_t diametriExt) {
    const std::string& first = Txt(LangCommonFrmCurvaConica, diametriExt != 0 ? 24 : 17);
    const std::string& second = Txt(LangCommonFrmCurvaConica, diametriExt != 0 ? 25 : 18);
    if (record != ConnectionStart) return {first + " (D):", second + ":"};
    if (cylindrical) return {first + " (d):", second + ":"};
    return {first + ":", second + " (d):"};
}

std::array<std::string, 4> ConnectionBoxTexts(const EndConnectionArray& c, int record,
                                              std::int16_t measuringSystem) {
    const EndConnection e = EndConnectionOf(c, record);
    return {FormatLength(e.Diameter, measuringSystem), FormatLength(e.CutAngle, measuringSystem),
            FormatLength(e.Length, measuringSystem), FormatLength(e.SecondDiameter, measuringSystem)};
}

int StoreConnectionRecord(EndConnectionArray& c, int record, bool cylindrical,
                          const std::array<std::string, 4>& boxTexts) {
    auto number = [&](ConnectionBox box) { return static_cast<float>(ReadNumber(boxTexts[box])); };
    StoreEndConnection(c, record,
                       {cylindrical ? ConnectionCylindrical : ConnectionConical, number(DiameterBox),
                        number(CutAngleBox), number(LengthBox), number(SecondDiameterBox)});
    return CheckEndConnection(EndConnectionOf(c, record), record == ConnectionStart);
}

void FilterConnectionKeyPress(const BoxState& box, int index, int& keyAscii, const FieldSettings& s) {
    if (Refuses(box, index, keyAscii, s)) keyAscii = 0;
}

void FilterConnectionKeyDown(const BoxState& box, int index, int& keyCode, const FieldSettings& s) {
    if (keyCode == KeyCodeDelete && Refuses(box, index, KeyDeleteFilter, s)) keyCode = 0;
}

bool CheckConnectionFieldRange(std::string& text, int index, const FieldSettings& s) {
    if (index < DiameterBox || index > SecondDiameterBox) return false;
    const double v = ReadNumber(text);
    std::string bound;
    if (index == CutAngleBox) {
        if (!(v < s.Limits.StartCutLimit.Min)) return false;
        bound = PlainNumberText(s.Limits.StartCutLimit.Min);
    } else {
        bound = FormatLength(LengthLimitOf(index, s).Min / Unit(s), s.MeasuringSystem);
        if (!(ReadNumber(bound) > v)) return false;
    }
    Beep();
    text = bound;
    return true;
}

std::optional<std::string> ConnectionFieldHint(int index, bool cylindrical, int record, const FieldSettings& s) {
    const bool ext = s.DiametriExt != 0;
    const bool start = record == ConnectionStart;
    auto lengthRange = [&](const InputLimit& l) {
        return " (" + FormatLength(l.Min / Unit(s), s.MeasuringSystem) + " - " +
               FormatLength(l.Max / Unit(s), s.MeasuringSystem) + ")";
    };
    switch (index) {
        case DiameterBox: return Txt(LangFrmCuCon2, ext ? 15 : 3) + lengthRange(s.Limits.ConeElbowDiameterLimit);
        case CutAngleBox: {
            const int text = cylindrical ? (start ? 13 : 14) : (start ? 4 : 6);
            return Txt(LangFrmCuCon2, text) + " (" + PlainNumberText(s.Limits.StartCutLimit.Min) + Degrees + " - " +
                   PlainNumberText(s.Limits.StartCutLimit.Max) + Degrees + ")";
        }
        case LengthBox: return Txt(LangFrmCuCon2, start ? 11 : 12) + lengthRange(s.Limits.LengthLimit);
        case SecondDiameterBox: return Txt(LangFrmCuCon2, ext ? 16 : 5) + lengthRange(s.Limits.ConeElbowDiameterLimit);
        default: return std::nullopt;
    }
}

}  // namespace velm

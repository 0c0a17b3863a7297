#include "core/data_file.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <vector>

#include "core/number_text.h"
#include "core/unit_conversion.h"
#include "core/version.h"
#include "platform/trim.h"

namespace velm {

namespace {

constexpr const char* Marker = "VELM";
constexpr std::size_t OldFileLines = 15;   // up to CylinderData 5
constexpr std::size_t FullFileLines = 43;  // with the elbow block

std::string_view Trim(std::string_view s) { return TrimChars(s, " \t"); }

// Lines end with CR LF, LF or CR; a last line end adds no empty line.
std::vector<std::string_view> SplitLines(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

// A text value: what stands between the quotes, or the trimmed line.
std::string TextField(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '"') return std::string(line);
    line.remove_prefix(1);
    const std::size_t close = line.find('"');
    return std::string(close == std::string_view::npos ? line : line.substr(0, close));
}

struct Bounds {
    double Min;
    double Max;
    bool Length;  // divided by 25.4 in inches
};

Bounds Of(const InputLimit& limit, bool length) { return {limit.Min, limit.Max, length}; }
// Cut angles stored negated by the opposite-slope windows: a magnitude limit.
Bounds Magnitude(const InputLimit& limit) { return {-limit.Max, limit.Max, false}; }

bool Within(float value, Bounds b, double unit) {
    const double lo = b.Length ? b.Min / unit : b.Min;
    const double hi = b.Length ? b.Max / unit : b.Max;
    // Slack for single-precision unit conversions of a value at its limit.
    const double slack = 1e-5 * std::max(std::abs(lo), std::abs(hi));
    return value >= lo - slack && value <= hi + slack;
}

bool IsWhole(float value, double lo, double hi) {
    return value == std::floor(value) && value >= lo && value <= hi;
}

// What a value must be: within bounds, a whole piece count, or a kind 0 or 1.
enum class Check { Bounded, Pieces, Kind };
struct Field {
    Check check;
    Bounds bounds;
};

// Notes the bad line lines[index] (index past the end: a missing line).
bool Damaged(const std::vector<std::string_view>& lines, std::size_t index, DataFileDamage* damage) {
    if (damage != nullptr) {
        damage->Line = static_cast<int>(index) + 1;
        damage->Missing = index >= lines.size();
        damage->Value = damage->Missing ? std::string() : std::string(Trim(lines[index]));
    }
    return false;
}

bool IsValid(float v, const Field& f, const InputLimits& limits, double unit) {
    switch (f.check) {
        case Check::Bounded: return Within(v, f.bounds, unit);
        case Check::Pieces: return IsWhole(v, limits.PiecesLimit.Min, limits.PiecesLimit.Max);
        case Check::Kind: return v == 0.0f || v == 1.0f;
    }
    return false;
}

// Reads one number per field from lines[first...] into array[1...].
template <std::size_t N>
bool ReadBlock(const std::vector<std::string_view>& lines, std::size_t first, const std::vector<Field>& fields,
               const InputLimits& limits, double unit, std::array<float, N>& array, DataFileDamage* damage) {
    for (std::size_t k = 0; k < fields.size(); ++k) {
        float v = 0;
        if (!ReadDataFileNumber(lines[first + k], v) || !IsValid(v, fields[k], limits, unit))
            return Damaged(lines, first + k, damage);
        array[k + 1] = v;
    }
    return true;
}

Field B(const InputLimit& limit, bool length) { return {Check::Bounded, Of(limit, length)}; }

}  // namespace

std::string DataFileNumberText(float value) {
    if (value == 0.0f) return "0";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    for (char& c : text) {
        if (c == 'e') c = 'E';
    }
    // No zero before a bare point.
    if (text.rfind("0.", 0) == 0) text.erase(0, 1);
    else if (text.rfind("-0.", 0) == 0) text.erase(1, 1);
    return text;
}

bool ReadDataFileNumber(std::string_view field, float& value) {
    field = Trim(field);
    if (!field.empty() && field.front() == '+') {
        field.remove_prefix(1);
        if (!field.empty() && field.front() == '-') return false;
    }
    if (field.empty()) return false;
    float v = 0;
    const auto result = std::from_chars(field.data(), field.data() + field.size(), v);
    if (result.ec != std::errc() || result.ptr != field.data() + field.size()) return false;
    if (!std::isfinite(v)) return false;
    value = v;
    return true;
}

std::string WriteDataFileText(const DataFileRecord& record) {
    std::string out;
    auto line = [&out](const std::string& text) { out += text + "\r\n"; };
    auto quoted = [&line](const std::string& text) { line("\"" + text + "\""); };
    auto numbers = [&line](const auto& array, int count) {
        for (int i = 1; i <= count; ++i) line(DataFileNumberText(array[i]));
    };
    const InputArrays& in = record.Inputs;
    quoted(Marker);
    quoted(VersionText);
    line(std::to_string(record.MeasuringSystem));
    line(std::to_string(record.ShapeCode));
    numbers(in.ConeData, 6);
    numbers(in.CylinderData, 5);
    numbers(in.CylElbowData, 8);
    numbers(in.ConeElbowData, 9);
    quoted(in.CylindricalEnds);
    numbers(in.EndConnections, 10);
    return out;
}

namespace {

using Lines = std::vector<std::string_view>;

// lines[4] to lines[14]: the frustum and the cylinder.
bool ReadShapeBlocks(const Lines& lines, const InputLimits& L, double unit, InputArrays& in, DataFileDamage* damage) {
    const std::vector<Field> cone = {
        B(L.ThicknessLimit, true), B(L.DiameterLimit, true), B(L.DiameterLimit, true),
        B(L.LengthLimit, true), B(L.CutAngleLimit, false), {Check::Bounded, Magnitude(L.CutAngleLimit)}};
    const std::vector<Field> cylinder = {
        B(L.ThicknessLimit, true), B(L.DiameterLimit, true), B(L.LengthLimit, true),
        B(L.CutAngleLimit, false), {Check::Bounded, Magnitude(L.CutAngleLimit)}};
    return ReadBlock(lines, 4, cone, L, unit, in.ConeData, damage) &&
           ReadBlock(lines, 10, cylinder, L, unit, in.CylinderData, damage);
}

// lines[15] to lines[42]: both elbows and the two end connections.
bool ReadElbowBlocks(const Lines& lines, const InputLimits& L, double unit, InputArrays& in, DataFileDamage* damage) {
    // An elbow's axis length is bounded through its bend radius and angle.
    const double maxBend = L.BendAngleLimit.Max * DegToRad;
    const Bounds cylAxis{0, L.BendRadiusLimit.Max * maxBend, true};
    const Bounds coneAxis{L.ConeElbowLengthLimit.Min,
                          std::max<double>(L.ConeElbowLengthLimit.Max, L.ConeElbowRadiusLimit.Max * maxBend), true};
    const std::vector<Field> cylElbow = {
        B(L.ThicknessLimit, true), B(L.ElbowDiameterLimit, true), B(L.StartCutLimit, false),
        B(L.EndCutLimit, false), B(L.BendAngleLimit, false), {Check::Bounded, cylAxis},
        B(L.BendRadiusLimit, true), {Check::Pieces, {}}};
    const std::vector<Field> coneElbow = {
        B(L.ThicknessLimit, true), B(L.ConeElbowDiameterLimit, true), B(L.StartCutLimit, false),
        B(L.ConeElbowDiameterLimit, true), B(L.EndCutLimit, false), B(L.BendAngleLimit, false),
        {Check::Bounded, coneAxis}, B(L.ConeElbowRadiusLimit, true), {Check::Pieces, {}}};
    const std::vector<Field> oneEnd = {
        {Check::Kind, {}}, B(L.ConeElbowDiameterLimit, true), B(L.StartCutLimit, false),
        B(L.LengthLimit, true), B(L.ConeElbowDiameterLimit, true)};
    std::vector<Field> ends = oneEnd;
    ends.insert(ends.end(), oneEnd.begin(), oneEnd.end());

    if (!ReadBlock(lines, 15, cylElbow, L, unit, in.CylElbowData, damage)) return false;
    if (!ReadBlock(lines, 23, coneElbow, L, unit, in.ConeElbowData, damage)) return false;
    const std::string endsText = TextField(lines[32]);
    if (endsText != "S" && endsText != "N") return Damaged(lines, 32, damage);
    in.CylindricalEnds = endsText;
    return ReadBlock(lines, 33, ends, L, unit, in.EndConnections, damage);
}

// A file without elbows keeps the run's elbow values; they are in the unit of
// the run: carry them into the file's unit, or a later save writes inch
// numbers as millimetres.
void KeptElbowsInFileUnit(std::int16_t fileUnit, InputArrays& in) {
    InputArrays kept = in;
    ConvertInputUnits(fileUnit == 1 ? 0 : 1, kept);
    in.CylElbowData = kept.CylElbowData;
    in.ConeElbowData = kept.ConeElbowData;
    in.EndConnections = kept.EndConnections;
}

}  // namespace

bool ReadDataFileText(std::string_view text, const InputLimits& limits, DataFileRecord& record,
                      DataFileDamage* damage) {
    if (damage != nullptr) *damage = {};
    const Lines lines = SplitLines(text);
    if (lines.empty() || TextField(lines[0]) != Marker) return false;
    if (lines.size() < 2) return Damaged(lines, lines.size(), damage);
    const bool hasElbows = ReadNumber(TextField(lines[1])) > 2.0;
    const std::size_t needed = hasElbows ? FullFileLines : OldFileLines;
    if (lines.size() < needed) return Damaged(lines, lines.size(), damage);

    DataFileRecord r = record;
    float unitCode = 0, shape = 0;
    if (!ReadDataFileNumber(lines[2], unitCode) || (unitCode != 0.0f && unitCode != 1.0f))
        return Damaged(lines, 2, damage);
    if (!ReadDataFileNumber(lines[3], shape) || !IsWhole(shape, ShapeNone, ShapeCuConica3))
        return Damaged(lines, 3, damage);
    r.MeasuringSystem = static_cast<std::int16_t>(unitCode);
    r.ShapeCode = static_cast<std::int16_t>(shape);
    const double unit = r.MeasuringSystem == 1 ? 25.4 : 1.0;

    if (!ReadShapeBlocks(lines, limits, unit, r.Inputs, damage)) return false;
    if (hasElbows) {
        if (!ReadElbowBlocks(lines, limits, unit, r.Inputs, damage)) return false;
    } else if (r.MeasuringSystem != record.MeasuringSystem) {
        KeptElbowsInFileUnit(r.MeasuringSystem, r.Inputs);
    }
    record = r;
    return true;
}

DataFileRecord DataFileRecordOf(const WorkingState& state) {
    DataFileRecord r;
    r.MeasuringSystem = state.Settings.MeasuringSystem;
    r.ShapeCode = state.ShapeCode;
    r.Inputs = state.Inputs;
    return r;
}

void CommitDataFileRecord(const DataFileRecord& record, WorkingState& state) {
    state.Settings.MeasuringSystem = record.MeasuringSystem;
    state.ShapeCode = record.ShapeCode;
    state.Inputs = record.Inputs;
}

}  // namespace velm

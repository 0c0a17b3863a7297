// Any bytes as a data file (qvl). Promises: a refused file changes nothing;
// an accepted one gives a unit of 0 or 1, a shape 0 to 13, values that are
// finite and within their limits in the file's unit, whole piece counts,
// end kinds 0 or 1, and "S" or "N"; what the file does not hold keeps its
// value (the elbows of an older file keep their lengths, in the file's
// unit); and what was read writes out and reads back unchanged.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/data_file.h"
#include "core/unit_conversion.h"
#include "fuzz/fuzz_check.h"

namespace velm {
namespace {

constexpr float Untouched = 4242.0f;  // marks elements that no file line feeds

// The record of the program before the open: valid values that differ from
// the defaults, and marks in the elements the file does not hold.
DataFileRecord Before() {
    DataFileRecord r;
    r.MeasuringSystem = 0;
    r.ShapeCode = ShapeCiTaSup;
    r.Inputs = DefaultInputArrays();
    r.Inputs.CylindricalEnds = "S";
    r.Inputs.CylinderData[2] = 123.5f;
    r.Inputs.ConeElbowData[9] = 7;
    r.Inputs.EndConnections[6] = 1;
    r.Inputs.ConeData[0] = r.Inputs.ConeData[7] = r.Inputs.ConeData[8] = Untouched;
    r.Inputs.CylinderData[0] = r.Inputs.CylinderData[6] = r.Inputs.CylinderData[7] = Untouched;
    for (int i : {0, 9, 10, 11}) r.Inputs.CylElbowData[i] = Untouched;
    for (int i : {0, 10, 11, 12, 13}) r.Inputs.ConeElbowData[i] = Untouched;
    r.Inputs.EndConnections[0] = Untouched;
    return r;
}

template <std::size_t N>
bool SameBits(const std::array<float, N>& a, const std::array<float, N>& b) {
    for (std::size_t i = 0; i < N; ++i)
        if (std::memcmp(&a[i], &b[i], sizeof(float)) != 0) return false;
    return true;
}

// Equal values (a file may hold "-0", which is written back as "0").
template <std::size_t N>
bool SameValues(const std::array<float, N>& a, const std::array<float, N>& b) {
    return a == b;
}

bool SameValues(const DataFileRecord& a, const DataFileRecord& b) {
    return a.MeasuringSystem == b.MeasuringSystem && a.ShapeCode == b.ShapeCode &&
           SameValues(a.Inputs.ConeData, b.Inputs.ConeData) &&
           SameValues(a.Inputs.CylinderData, b.Inputs.CylinderData) &&
           SameValues(a.Inputs.CylElbowData, b.Inputs.CylElbowData) &&
           SameValues(a.Inputs.ConeElbowData, b.Inputs.ConeElbowData) &&
           a.Inputs.CylindricalEnds == b.Inputs.CylindricalEnds &&
           SameValues(a.Inputs.EndConnections, b.Inputs.EndConnections);
}

bool SameRecord(const DataFileRecord& a, const DataFileRecord& b) {
    return a.MeasuringSystem == b.MeasuringSystem && a.ShapeCode == b.ShapeCode &&
           SameBits(a.Inputs.ConeData, b.Inputs.ConeData) &&
           SameBits(a.Inputs.CylinderData, b.Inputs.CylinderData) &&
           SameBits(a.Inputs.CylElbowData, b.Inputs.CylElbowData) &&
           SameBits(a.Inputs.ConeElbowData, b.Inputs.ConeElbowData) &&
           a.Inputs.CylindricalEnds == b.Inputs.CylindricalEnds &&
           SameBits(a.Inputs.EndConnections, b.Inputs.EndConnections);
}

bool SameElbows(const DataFileRecord& a, const DataFileRecord& b) {
    return SameBits(a.Inputs.CylElbowData, b.Inputs.CylElbowData) &&
           SameBits(a.Inputs.ConeElbowData, b.Inputs.ConeElbowData) &&
           a.Inputs.CylindricalEnds == b.Inputs.CylindricalEnds &&
           SameBits(a.Inputs.EndConnections, b.Inputs.EndConnections);
}

// What a stored value may be, written out from the input limits of the
// program (millimetres and degrees).
enum Kind { Length, Angle, Pieces, EndKind };
struct Rule {
    Kind kind;
    double lo;
    double hi;
};
constexpr double MaxBend = Pi;  // 180 degrees

const std::vector<Rule> ConeRules = {{Length, 0, 3},   {Length, 0, 300}, {Length, 0, 300},
                                     {Length, 0, 1000}, {Angle, 0, 80},  {Angle, -80, 80}};
const std::vector<Rule> CylinderRules = {
    {Length, 0, 3}, {Length, 0, 300}, {Length, 0, 1000}, {Angle, 0, 80}, {Angle, -80, 80}};
const std::vector<Rule> CylElbowRules = {{Length, 0, 3},    {Length, 0, 200},         {Angle, -60, 60},
                                         {Angle, -60, 60},  {Angle, 10, 180},         {Length, 0, 300 * MaxBend},
                                         {Length, 0, 300},  {Pieces, 3, 50}};
const std::vector<Rule> ConeElbowRules = {{Length, 0, 3},   {Length, 0, 300},  {Angle, -60, 60},
                                          {Length, 0, 300}, {Angle, -60, 60},  {Angle, 10, 180},
                                          {Length, 0, 500 * MaxBend}, {Length, 10, 500}, {Pieces, 3, 50}};
const std::vector<Rule> EndRules = {{EndKind, 0, 1}, {Length, 0, 300}, {Angle, -60, 60}, {Length, 0, 1000},
                                    {Length, 0, 300}, {EndKind, 0, 1}, {Length, 0, 300}, {Angle, -60, 60},
                                    {Length, 0, 1000}, {Length, 0, 300}};

template <std::size_t N>
void CheckValues(const std::array<float, N>& values, const std::vector<Rule>& rules, double unit) {
    for (std::size_t k = 0; k < rules.size(); ++k) {
        const float v = values[k + 1];
        const Rule& r = rules[k];
        PROMISE(std::isfinite(v));
        switch (r.kind) {
            case Length:
            case Angle: {
                const double lo = r.kind == Length ? r.lo / unit : r.lo;
                const double hi = r.kind == Length ? r.hi / unit : r.hi;
                const double slack = 1e-4 * std::max(std::abs(lo), std::abs(hi));
                PROMISE(v >= lo - slack && v <= hi + slack);
                break;
            }
            case Pieces:
                PROMISE(v == std::floor(v) && v >= r.lo && v <= r.hi);
                break;
            case EndKind:
                PROMISE(v == 0.0f || v == 1.0f);
                break;
        }
    }
}

void CheckAccepted(const DataFileRecord& r) {
    PROMISE(r.MeasuringSystem == 0 || r.MeasuringSystem == 1);
    PROMISE(r.ShapeCode >= ShapeNone && r.ShapeCode <= ShapeCuConica3);
    const double unit = r.MeasuringSystem == 1 ? 25.4 : 1.0;
    CheckValues(r.Inputs.ConeData, ConeRules, unit);
    CheckValues(r.Inputs.CylinderData, CylinderRules, unit);
    CheckValues(r.Inputs.CylElbowData, CylElbowRules, unit);
    CheckValues(r.Inputs.ConeElbowData, ConeElbowRules, unit);
    CheckValues(r.Inputs.EndConnections, EndRules, unit);
    PROMISE(r.Inputs.CylindricalEnds == "S" || r.Inputs.CylindricalEnds == "N");
}

// The version of a file whose second line is a plain quoted number, or -1.
double PlainVersion(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    const auto first = text.find_first_of("\r\n");
    if (first == std::string_view::npos) return -1;
    std::size_t start = first + 1;
    if (text[first] == '\r' && start < text.size() && text[start] == '\n') ++start;
    const auto end = text.find_first_of("\r\n", start);
    const std::string_view line = text.substr(start, end == std::string_view::npos ? text.npos : end - start);
    if (line.size() < 3 || line.front() != '"' || line.back() != '"') return -1;
    const std::string_view number = line.substr(1, line.size() - 2);
    double whole = 0, scale = 0, fraction = 0;
    bool point = false, digits = false;
    for (const char c : number) {
        if (c == '.' && !point) {
            point = true;
            scale = 1;
        } else if (c >= '0' && c <= '9') {
            digits = true;
            if (point) {
                scale /= 10;
                fraction += (c - '0') * scale;
            } else {
                whole = whole * 10 + (c - '0');
            }
        } else {
            return -1;
        }
    }
    return digits ? whole + fraction : -1;
}

}  // namespace
}  // namespace velm

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velm;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const InputLimits limits;
    const DataFileRecord before = Before();

    DataFileRecord record = before;
    DataFileDamage damage{-1, true, "stale"};
    if (!ReadDataFileText(text, limits, record, &damage)) {
        PROMISE(SameRecord(record, before));
        // The damaged line is one of the file's, or the first one missing.
        PROMISE(damage.Line >= 0 && damage.Line <= 43);
        PROMISE(damage.Value.size() <= text.size() && (!damage.Missing || damage.Value.empty()));
        return 0;
    }
    PROMISE(damage.Line == 0);
    CheckAccepted(record);
    // Elements no line feeds keep their values.
    PROMISE(record.Inputs.ConeData[0] == Untouched && record.Inputs.ConeData[7] == Untouched &&
            record.Inputs.ConeData[8] == Untouched);
    PROMISE(record.Inputs.CylinderData[0] == Untouched && record.Inputs.CylinderData[6] == Untouched &&
            record.Inputs.CylinderData[7] == Untouched);
    PROMISE(record.Inputs.CylElbowData[0] == Untouched && record.Inputs.CylElbowData[11] == Untouched);
    PROMISE(record.Inputs.ConeElbowData[0] == Untouched && record.Inputs.ConeElbowData[13] == Untouched);
    PROMISE(record.Inputs.EndConnections[0] == Untouched);
    // A file of version 2.0 or less holds no elbows: they keep their lengths,
    // carried into the file's unit.
    if (const double version = PlainVersion(text); version >= 0 && version <= 2.0) {
        DataFileRecord kept = before;
        if (record.MeasuringSystem != before.MeasuringSystem) ConvertInputUnits(0, kept.Inputs);
        PROMISE(SameElbows(record, kept));
    }

    // What was read is written the same way and reads back to the same values.
    const std::string written = WriteDataFileText(record);
    DataFileRecord again = Before();
    again.MeasuringSystem = static_cast<std::int16_t>(1 - record.MeasuringSystem);
    PROMISE(ReadDataFileText(written, limits, again));
    PROMISE(SameValues(again, record));
    PROMISE(WriteDataFileText(again) == written);
    return 0;
}

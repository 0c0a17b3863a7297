#pragma once
// Working states holding an accepted development, for the drawing-file tests
// and the case generator of the DXF reader test.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cones/cone_compute.h"
#include "core/last_elbow.h"
#include "core/unit_conversion.h"
#include "core/working_state.h"
#include "cylinders/cylinder_compute.h"

namespace velm::dxf_cases {

// The state with the defaults (in `unit`), `code` developed when it is a
// cylinder or a frustum; an elbow code gets an empty LastElbow to fill.
// The angles as the shape window's apply leaves them: the lower one negated
// for opposite slopes, the radian copies beside the degrees.
inline void ApplyAngles(int code, InputArrays& in) {
    const ShapeKindInfo* kind = FindShapeKind(code);
    if (kind == nullptr) return;
    auto rad = [](float deg) { return static_cast<float>(static_cast<double>(deg) * 3.14159265358979323846 / 180); };
    auto signedLower = [kind](float v) { return kind->OppositeSlopes ? -std::fabs(v) : std::fabs(v); };
    if (IsCylinderKind(code)) {
        CylinderArray& d = in.CylinderData;
        if (kind->TopCut) d[6] = rad(d[4]);
        if (kind->BottomCut) d[5] = signedLower(d[5]), d[7] = rad(d[5]);
    } else if (IsFrustumKind(code)) {
        ConeArray& d = in.ConeData;
        if (kind->TopCut) d[7] = rad(d[5]);
        if (kind->BottomCut) d[6] = signedLower(d[6]), d[8] = rad(d[6]);
    }
}

inline std::unique_ptr<WorkingState> Developed(int code, float step = 1, std::int16_t lato = 1,
                                               std::int16_t unit = 0, const InputArrays* inputs = nullptr) {
    auto st = std::make_unique<WorkingState>();
    if (inputs != nullptr) st->Inputs = *inputs;
    st->Settings.AngleStep = step;
    st->Settings.LatoSaldatura = lato;
    st->Settings.MeasuringSystem = unit;
    if (unit != 0) ConvertInputUnits(0, st->Inputs);  // millimetres to inches
    ApplyAngles(code, st->Inputs);
    st->ShapeCode = static_cast<std::int16_t>(code);
    st->DevelopmentValid = True16;
    int message = 0;
    if (IsCylinderKind(code)) {
        message = ValidateAndDevelopCylinder(static_cast<ShapeKind>(code), *st).Message;
    } else if (IsFrustumKind(code)) {
        message = ValidateAndDevelopCone(static_cast<ShapeKind>(code), *st).Message;
    }
    if (message != 0) st->DevelopmentValid = False16;
    return st;
}

// A right cylinder of working diameter d and height h, as a development leaves it.
inline std::unique_ptr<WorkingState> RightCylinder(double d, float h) {
    auto st = std::make_unique<WorkingState>();
    st->ShapeCode = ShapeCiRe;
    st->DevelopmentValid = True16;
    st->CylinderDevelopment.Results.DevelopedLength = d * 3.14159265358979323846;
    st->CylinderDevelopment.Results.Hmax = h;
    return st;
}

// An elbow of `code` whose pieces the test fills: pieces 1 to count.
inline void SetElbow(WorkingState& st, int code, int typed) {
    st.ShapeCode = static_cast<std::int16_t>(code);
    st.DevelopmentValid = True16;
    LastElbow& e = st.Elbow;
    e = LastElbow{};
    e.ShapeCode = static_cast<std::int16_t>(code);
    e.Pieces = static_cast<std::int16_t>(typed);
    e.PieceCount = static_cast<std::int16_t>(code == 13 ? typed + 2 : typed);
    e.ElbowIsCylinder = code == 10 ? 1 : 0;
    e.ThicknessFactor = st.ThicknessFactor;
    if (code == 10)
        st.Inputs.CylElbowData[8] = static_cast<float>(typed);
    else
        st.Inputs.ConeElbowData[9] = static_cast<float>(typed);
}

inline std::string Num(double v) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

// The line of cases.json that tells the DXF reader check what `file` must
// hold: the inputs of the shape developed in `st`, or each piece of its elbow.
inline std::string CaseEntry(const std::string& file, const WorkingState& st) {
    std::ostringstream c;
    c << "{\"file\": \"" << file << "\", \"shape\": " << st.ShapeCode << ", \"step\": " << Num(st.Settings.AngleStep)
      << ", \"lato\": " << st.Settings.LatoSaldatura << ", \"unit\": " << st.Settings.MeasuringSystem
      << ", \"factor\": " << st.ThicknessFactor;
    if (IsCylinderKind(st.ShapeCode)) {
        const CylinderArray& d = st.Inputs.CylinderData;
        c << ", \"thickness\": " << Num(d[1]) << ", \"diameter\": " << Num(d[2]) << ", \"axis\": " << Num(d[3])
          << ", \"top\": " << Num(d[6]) << ", \"bottom\": " << Num(d[7]);
    } else if (IsFrustumKind(st.ShapeCode)) {
        const ConeArray& d = st.Inputs.ConeData;
        c << ", \"thickness\": " << Num(d[1]) << ", \"upper\": " << Num(d[2]) << ", \"lower\": " << Num(d[3])
          << ", \"height\": " << Num(d[4]) << ", \"top\": " << Num(d[7]) << ", \"bottom\": " << Num(d[8]);
    } else {
        c << ", \"thickness\": " << Num(st.Elbow.Thickness) << ", \"pieces\": [";
        for (int p = 1; p <= st.Elbow.PieceCount; ++p) {
            ElbowPiece piece;
            ElbowPieceOf(st.Elbow, p, piece);
            c << (p > 1 ? ", " : "") << "{\"cylinder\": " << (piece.Cylindrical ? "true" : "false")
              << ", \"diameter\": " << Num(piece.Diameter) << ", \"small\": " << Num(piece.SmallDiameter)
              << ", \"large\": " << Num(piece.LargeDiameter) << ", \"height\": " << Num(piece.Height)
              << ", \"start\": " << Num(piece.StartCut) << ", \"end\": " << Num(piece.EndCut) << "}";
        }
        c << "]";
    }
    c << "}";
    return c.str();
}

// A LINE (both ends) or POLYLINE (its vertices, its own point left out) read back.
struct Entity {
    std::string type;
    std::vector<std::pair<double, double>> points;
    double minY() const { return std::min_element(points.begin(), points.end(), ByY)->second; }
    double maxY() const { return std::max_element(points.begin(), points.end(), ByY)->second; }
    static bool ByY(const std::pair<double, double>& a, const std::pair<double, double>& b) { return a.second < b.second; }
};

// The LINEs and POLYLINEs of a file's text, vertices gathered into their polyline.
inline std::vector<Entity> Entities(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) lines.push_back(l.substr(0, l.size() - 1));  // drop CR
    std::vector<Entity> out;
    std::string current;
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
        const int code = std::stoi(lines[i]);
        const std::string& v = lines[i + 1];
        if (code == 0) {
            current = v;
            if (v == "LINE" || v == "POLYLINE") out.push_back({v, {}});
            continue;
        }
        if (current != "LINE" && current != "VERTEX") continue;
        if (code == 10 || code == 11) out.back().points.push_back({std::stod(v), 0});
        if (code == 20 || code == 21) out.back().points.back().second = std::stod(v);
    }
    return out;
}

// Writes cases.json of `entries` into `folder`; false when it failed.
inline bool WriteCases(const std::string& folder, const std::vector<std::string>& entries) {
    std::ofstream out(folder + "/cases.json");
    out << "[\n";
    for (std::size_t i = 0; i < entries.size(); ++i) out << entries[i] << (i + 1 < entries.size() ? ",\n" : "\n");
    out << "]\n";
    return static_cast<bool>(out);
}

}  // namespace velm::dxf_cases

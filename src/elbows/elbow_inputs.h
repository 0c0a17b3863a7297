#pragma once
// The elbows' inputs as named values. The 1-based arrays stay what the data
// file, the settings and the windows' boxes exchange; the computation reads
// them through these records, converted here and nowhere else.
#include "core/working_state.h"

namespace velm {

// As typed (lengths, degrees, the piece count as a number), then the angles
// in radians as the apply stored them.
struct CylElbowInputs {
    float Thickness = 0, Diameter = 0;
    float StartCutDegrees = 0, EndCutDegrees = 0, BendDegrees = 0;
    float AxisLength = 0, BendRadius = 0, Pieces = 0;
    float StartCut = 0, EndCut = 0, Bend = 0;
};
CylElbowInputs CylElbowInputsOf(const CylElbowArray& data);

struct ConeElbowInputs {
    float Thickness = 0, SmallDiameter = 0, LargeDiameter = 0;
    float StartCutDegrees = 0, EndCutDegrees = 0, BendDegrees = 0;
    float AxisLength = 0, BendRadius = 0, Pieces = 0;
    float StartCut = 0, EndCut = 0, Bend = 0;
};
ConeElbowInputs ConeElbowInputsOf(const ConeElbowArray& data);

// One end connection. Kind is 0 for a conical one; the windows store 1 for a
// cylindrical one.
constexpr int ConnectionStart = 0;
constexpr int ConnectionEnd = 1;
constexpr float ConnectionConical = 0;
constexpr float ConnectionCylindrical = 1.0f;

struct EndConnection {
    float Kind = 0, Diameter = 0, CutAngle = 0, Length = 0, SecondDiameter = 0;
};
// Record ConnectionStart or ConnectionEnd.
EndConnection EndConnectionOf(const EndConnectionArray& c, int record);
void StoreEndConnection(EndConnectionArray& c, int record, const EndConnection& connection);

}  // namespace velm

#include "geometry/cylinder_geometry.h"

#include <cmath>

#include "geometry/angles.h"

namespace velm {

namespace {

int Sign(double v) { return (v > 0) - (v < 0); }

// A body that cannot be built: the top edge reaches the baseline, the bottom
// edge reaches the top, opposite cuts cross, the fibre has no diameter, or
// the heights are not numbers at all.
bool ImpossibleCut(float workingDiameter, double bottomCut, double topCut, float Hmax, double Hmed,
                   float Hmin) {
    if (!(workingDiameter > 0) || !std::isfinite(workingDiameter)) return true;
    if (!std::isfinite(Hmax) || !std::isfinite(Hmed) || !std::isfinite(Hmin)) return true;
    if (Hmed <= 0) return true;
    if (Hmin >= Hmax) return true;
    return Sign(bottomCut) != Sign(topCut) && static_cast<float>(Hmed) <= Hmin;
}

double TanAbs(double angle) { return std::tan(std::fabs(angle)); }

}  // namespace

float MaxSingle(float a, float b) { return a < b ? b : a; }
float MinSingle(float a, float b) { return a < b ? a : b; }

int HalfTurnIndex(float angleStep) {
    if (!std::isfinite(angleStep) || !(angleStep > 0)) return -1;
    const float q = 180.0f / angleStep;
    if (!(q < 4 * ProfileTableLast)) return -1;  // keeps the conversion below finite and small
    const int n = static_cast<int>(std::nearbyint(q));  // halves to even
    if (n < 1 || 2 * n > ProfileTableLast) return -1;
    return n;
}

bool StepDividesHalfTurn(float angleStep) {
    const int n = HalfTurnIndex(angleStep);
    // Within the single-precision rounding of steps such as 0.1.
    return n > 0 && std::fabs(n * static_cast<double>(angleStep) - 180) <= 180 * 1e-6;
}

float WorkingDiameter(float diameter, float thickness, int thicknessFactor) {
    return diameter + static_cast<float>(thicknessFactor) * thickness;
}

CutHeights ComputeCutHeightsFromAxis(const CylinderBody& body, float axisLength) {
    const double dp = body.WorkingDiameter;
    const double tb = TanAbs(body.BottomCut);
    const double tt = TanAbs(body.TopCut);
    CutHeights h;
    h.AxisLength = axisLength;
    h.Hmin = static_cast<float>(dp * tb);
    // The axis meets both planes at mid-diameter: lowest top point = axis + half rise of
    // the bottom cut - half fall of the top cut.
    h.Hmed = static_cast<double>(axisLength) + dp / 2 * (tb - tt);
    h.Hmax = static_cast<float>(dp * tt + h.Hmed);
    h.Impossible = ImpossibleCut(body.WorkingDiameter, body.BottomCut, body.TopCut, h.Hmax, h.Hmed, h.Hmin);
    return h;
}

CutHeights ComputeCutHeightsFromTop(const CylinderBody& body, float Hmax) {
    const double dp = body.WorkingDiameter;
    const double tb = TanAbs(body.BottomCut);
    const double tt = TanAbs(body.TopCut);
    CutHeights h;
    h.Hmax = Hmax;
    h.Hmed = static_cast<double>(Hmax) - dp * tt;
    h.Hmin = static_cast<float>(dp * tb);
    h.AxisLength = static_cast<float>(dp / 2 * (tt - tb) + h.Hmed);
    h.Impossible = ImpossibleCut(body.WorkingDiameter, body.BottomCut, body.TopCut, h.Hmax, h.Hmed, h.Hmin);
    return h;
}

CutCurveLengths ComputeCutCurveTables(const CylinderBody& body, const CutHeights& heights, float angleStep,
                                      std::int16_t latoSaldatura, ProfileTable& upperTable,
                                      ProfileTable& lowerTable) {
    CutCurveLengths lengths;
    if (!StepDividesHalfTurn(angleStep)) return lengths;
    const int n = HalfTurnIndex(angleStep);
    const float workingDiameter = body.WorkingDiameter;
    const float Hmax = heights.Hmax;
    const double Hmed = heights.Hmed;
    const float Hmin = heights.Hmin;

    lengths.DevelopedLength = static_cast<double>(workingDiameter) * Pi;
    // Distance between neighbouring generatrices on the plate.
    const float s = static_cast<float>(static_cast<double>(workingDiameter) * Pi / 360 * angleStep);
    const double s2 = static_cast<double>(s) * s;
    const double h = (static_cast<double>(Hmax) - Hmed) / 2;
    const float b = Hmin / 2;
    // Seam at the low point of an edge when the weld side and the cut slope agree.
    const bool upperStartsLow = latoSaldatura * body.TopCut >= 0;
    const bool lowerStartsLow = latoSaldatura * body.BottomCut >= 0;

    float upperArc = 0;
    float lowerArc = 0;
    for (int i = 0; i <= n; ++i) {
        const double t = static_cast<float>(static_cast<float>(i) * angleStep) * DegToRad;
        const double k = 1 - std::cos(t);
        upperTable[i] = upperStartsLow ? k * h + Hmed : Hmax - k * h;
        lowerTable[i] = lowerStartsLow ? k * b : Hmin - k * b;
        if (i > 0) {
            const double du = upperTable[i] - upperTable[i - 1];
            const double dl = lowerTable[i] - lowerTable[i - 1];
            upperArc = static_cast<float>(upperArc + std::sqrt(du * du + s2));
            lowerArc = static_cast<float>(lowerArc + std::sqrt(dl * dl + s2));
        }
    }
    // The second half of each edge mirrors the first.
    lengths.UpperArcLength = 2 * upperArc;
    lengths.LowerArcLength = 2 * lowerArc;
    for (int j = n + 1; j <= 2 * n; ++j) {
        upperTable[j] = upperTable[2 * n - j];
        lowerTable[j] = lowerTable[2 * n - j];
    }
    lengths.Done = true;
    return lengths;
}

}  // namespace velm

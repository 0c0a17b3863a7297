#pragma once
// What the three conical elbow windows decide, as values: their variant
// table, the captions of their input rows and result label, the pointer's
// piece hint, and the apply from the typed values to the computed elbow.
// The windows (elbows/windows/) show and read; this decides.
#include <array>
#include <cstdint>
#include <string>

#include "core/development_checks.h"
#include "core/last_elbow.h"
#include "core/working_state.h"
#include "elbows/cone_elbow.h"

namespace velm {

// One conical elbow window.
struct ConeElbowVariant {
    const char* Name;        // objectName, the window's design name
    std::int16_t ShapeCode;  // 11 to 13
    ConeElbowLayout Layout;  // the computation's layout
    int Boxes;               // TxtInputDati(0 .. Boxes - 1); LblInputDati(Boxes) shows the result
    bool EndPieceOption;     // FraRaccordi, OptRaccordi(0..1): cylindrical end pieces
    bool Connections;        // CmdRaccordi, the end-connection panel; pieces n + 2
    std::array<int, 9> Field;  // the cone-elbow field of each box (its ConeElbowData element - 1)
};

extern const ConeElbowVariant ConeElbowVariants[3];
// The variant of shape code 11 to 13, or null.
const ConeElbowVariant* ConeElbowVariantOf(int shapeCode);

// The window's caption: the kind of conical elbow it builds.
std::string ConeElbowTitle(const ConeElbowVariant& v);
// The caption of input row `box` (LangCommonFrmCurvaConica text and suffix;
// the diameters take the outer-diameter text when typed as outer ones).
std::string ConeElbowBoxCaption(const ConeElbowVariant& v, int box, std::int16_t diametriExt);
// The result label: the apex angle after an accepted apply, the bare caption
// after a refused one.
std::string ConeElbowResultCaption(bool accepted, double apexAngleRadians);

// The status line over piece `piece`: the cylinder-piece word for a
// cylindrical piece, the cone-piece word otherwise.
std::string ConeElbowPieceHint(int piece, bool cylindrical);

// FrmCuConica1's option: CylindricalEnds and both Kind fields, as every apply
// of that window writes them.
void SetCylindricalEnds(InputArrays& st, bool cylindrical);

// The apply after the boxes were read into ConeElbowData (elements 10 to 12,
// the angles in radians, are set here): the input check, the connections'
// checks (between end connections), the angular step the pieces will
// develop with (41), then the computation into `out`. The number of the
// error text to show, 0 when accepted; on success element 13 holds the apex
// angle in degrees, as the data file keeps it.
int ApplyConeElbow(const ConeElbowVariant& v, InputArrays& st, const DevelopmentSettings& settings,
                   LastElbow& out);

// The piece count of an applied elbow: n, or n + 2 between end connections;
// 0 when n is not a count the computation takes.
std::int16_t ConeElbowPieceTotal(const ConeElbowVariant& v, const ConeElbowArray& data);

}  // namespace velm

#pragma once
// The shared working state: what the windows, data files and previews
// exchange for the whole run. Arrays are 1-based: element 0 is unused so
// that CylinderData[2] is the diameter (src/README.md, the index rule).
#include <array>
#include <cmath>
#include <cstdint>
#include <string>

#include "core/last_elbow.h"
#include "core/shape_kinds.h"
#include "core/typed_inputs.h"
#include "geometry/angles.h"
#include "geometry/cone_geometry.h"
#include "geometry/cylinder_geometry.h"
#include "platform/look.h"

namespace velm {

using Bool16 = std::int16_t;  // 0 or -1
constexpr Bool16 True16 = -1;
constexpr Bool16 False16 = 0;

struct InputLimit {
    float Min = 0;
    float Max = 0;
};

// Input arrays, 1-based: element 0 is unused. An input box of a window is a
// field, numbered from 0 down its column: field f edits element f + 1 of its
// family's array (TxtInputDati(f)), and sketch box TxtAnt(k) edits field
// k + 1 (it has no box for the thickness).
constexpr int ElementOfField(int field) { return field + 1; }
constexpr int FieldOfSketchBox(int k) { return k + 1; }

enum CylinderField : int {
    CylThicknessField = 0, CylDiameterField = 1, CylLengthField = 2, CylTopCutField = 3, CylBottomCutField = 4,
};
enum ConeField : int {
    ConeThicknessField = 0, ConeUpperDiameterField = 1, ConeLowerDiameterField = 2, ConeHeightField = 3,
    ConeUpperCutField = 4, ConeLowerCutField = 5,
};

// The conical elbow window's boxes, numbered as the other fields.
enum ConeElbowField : int {
    ConeElbowThicknessField = 0, ConeElbowStartDiameterField = 1, ConeElbowStartCutField = 2,
    ConeElbowEndDiameterField = 3, ConeElbowEndCutField = 4, ConeElbowBendAngleField = 5,
    ConeElbowAxisLengthField = 6, ConeElbowBendRadiusField = 7, ConeElbowPiecesField = 8,
};

// Elements no box edits: each cut angle in single-precision radians, kept
// beside its degrees for the data file and the windows.
enum CylinderElement : int {
    CylTopCutRadiansElement = 6, CylBottomCutRadiansElement = 7, CylLastElement = 7,
};
enum ConeElement : int {
    ConeUpperCutRadiansElement = 7, ConeLowerCutRadiansElement = 8, ConeLastElement = 8,
};

// Elements of the elbows' arrays. Angles come typed in degrees; an apply
// adds them in radians after the typed values, which the data file and the
// boxes never carry.
enum CylElbowElement : int {
    CylElbowThickness = 1, CylElbowDiameter = 2, CylElbowStartCutDegrees = 3, CylElbowEndCutDegrees = 4,
    CylElbowBendDegrees = 5, CylElbowAxisLength = 6, CylElbowBendRadius = 7, CylElbowPieces = 8,
    CylElbowStartCut = 9, CylElbowEndCut = 10, CylElbowBend = 11,
};
enum ConeElbowElement : int {
    ConeElbowThickness = 1, ConeElbowSmallDiameter = 2, ConeElbowStartCutDegrees = 3, ConeElbowLargeDiameter = 4,
    ConeElbowEndCutDegrees = 5, ConeElbowBendDegrees = 6, ConeElbowAxisLength = 7, ConeElbowBendRadius = 8,
    ConeElbowPieces = 9, ConeElbowStartCut = 10, ConeElbowEndCut = 11, ConeElbowBend = 12,
    ConeElbowApexDegrees = 13,  // the result of an accepted apply
};
// Two records of five, the elbow's start connection then its end one; the
// diameters run from the elbow's start towards its end. Kind 0 is conical.
enum EndConnectionElement : int {
    StartConnectionKind = 1, StartConnectionDiameter = 2, StartConnectionCutAngle = 3, StartConnectionLength = 4,
    StartConnectionSecondDiameter = 5, EndConnectionKind = 6, EndConnectionDiameter = 7, EndConnectionCutAngle = 8,
    EndConnectionLength = 9, EndConnectionSecondDiameter = 10,
};
static_assert(ElementOfField(ConeElbowThicknessField) == ConeElbowThickness &&
              ElementOfField(ConeElbowStartDiameterField) == ConeElbowSmallDiameter &&
              ElementOfField(ConeElbowEndDiameterField) == ConeElbowLargeDiameter &&
              ElementOfField(ConeElbowPiecesField) == ConeElbowPieces);

using CylinderArray = std::array<float, 8>;        // 1..7
using ConeArray = std::array<float, 9>;            // 1..8
using CylElbowArray = std::array<float, 12>;       // 1..11
using ConeElbowArray = std::array<float, 14>;      // 1..13
using EndConnectionArray = std::array<float, 11>;  // 1..10

struct InputArrays {
    ConeArray ConeData{};
    CylinderArray CylinderData{};
    CylElbowArray CylElbowData{};
    ConeElbowArray ConeElbowData{};
    std::string CylindricalEnds = "N";
    EndConnectionArray EndConnections{};
};

// The defaults, in millimetres.
InputArrays DefaultInputArrays();

// Which elements are lengths (scaled by 25.4 with the unit).
bool IsLengthElementCylinder(int i);
bool IsLengthElementCone(int i);
bool IsLengthElementCylElbow(int i);
bool IsLengthElementConeElbow(int i);
bool IsLengthElementEndConnection(int i);

struct InputLimits {
    InputLimit ThicknessLimit{0, 3};
    InputLimit LengthLimit{0, 1000};
    InputLimit DiameterLimit{0, 300};
    InputLimit CutAngleLimit{0, 80};
    InputLimit StartCutLimit{-60, 60};
    InputLimit EndCutLimit{-60, 60};
    InputLimit ElbowDiameterLimit{0, 200};
    InputLimit BendAngleLimit{10, 180};
    InputLimit PiecesLimit{3, 50};
    InputLimit BendRadiusLimit{0, 300};
    InputLimit ConeElbowDiameterLimit{0, 300};
    InputLimit ConeElbowLengthLimit{0, 500};
    InputLimit ConeElbowRadiusLimit{10, 500};
};

// Field-to-limit maps of the cylinder and frustum windows (field index 0-based
// as the input column: cylinder 0 thickness, 1 diameter, 2 length, 3/4 angles;
// frustum 0 thickness, 1/2 diameters, 3 height, 4/5 angles).
const InputLimit& CylinderFieldLimit(const InputLimits& limits, int field);
const InputLimit& ConeFieldLimit(const InputLimits& limits, int field);
bool CylinderFieldIsLength(int field);
bool ConeFieldIsLength(int field);

struct SettingsCache {
    float AngleStep = 1.0f;
    std::int16_t CheckData = 0;
    std::int16_t CheckNote = 0;
    std::int16_t CheckSviluppo = 1;
    std::int16_t ComputingSystem = 1;
    std::int16_t DiametriExt = 0;
    std::int16_t LatoSaldatura = 1;
    std::int16_t MeasuringSystem = 0;
    std::int16_t Scale = 1;
    float SettingXPrinter = 1.0f;
    float SettingYPrinter = 1.0f;
};

// The printed sheet as the last layout of a sheet preview and the last drag
// left it. Page sizes are in development units (millimetres or inches)
// after the print factors; positions and box heights are in the sheet
// picture's units. Each sheet keeps its own pair of print factors: printer
// units per development unit along the page's width and height.
struct PrintFactorPair {
    float X = 1.0f;
    float Y = 1.0f;
};

struct PrintedSheet {
    float PageWidth = 0;
    float PageHeight = 0;
    PrintFactorPair CylinderFactors;  // FrmAnteprimaCilindri
    PrintFactorPair ConeFactors;      // FrmAnteprima
    float DrawingLeft = 0;
    float DrawingTop = 0;
    float DataBoxHeight = 0;
    float NoteBoxHeight = 0;
};

// The last development of a family, shared by every window that develops
// into it (a shape window, an elbow piece, the export). Whoever develops
// into it takes a new generation, so that a window can tell whether what it
// would draw is still its own.
template <class ResultsType>
struct SharedDevelopment {
    ResultsType Results{};
    std::uint64_t Generation = 0;  // 0: nobody has developed into it
};

// A family's inputs as its window's last accepted apply (or its load) left
// them, held while a later refused apply of the shape `ShapeCode` has its
// values in the input arrays. Those stay for the current shape, whose save
// refuses them; once another shape or a data file takes over, the held
// values come back, so that a refused value never reaches another shape's file.
struct HeldInputs {
    std::int16_t ShapeCode = ShapeNone;  // ShapeNone: nothing held
    std::int16_t MeasuringSystem = 0;    // the unit the held lengths are in
    InputArrays Inputs;
};

// The arrays of the shape's family (the conical elbows: with the end pieces
// and connections), from one set of inputs into another.
void CopyFamilyInputs(int shapeCode, const InputArrays& from, InputArrays& to);
// The held family's inputs into `inputs`, whose lengths are in `unit`.
void PutBackHeldInputs(const HeldInputs& held, std::int16_t unit, InputArrays& inputs);

struct WorkingState {
    // Program state.
    std::int16_t ShapeCode = ShapeNone;
    std::int16_t ShapeFamily = 0;
    Bool16 SwitchingForms = False16;
    Bool16 DevelopmentValid = False16;
    std::int16_t OpenPreview = -1;
    Bool16 DirectPrint = False16;
    std::int16_t SelectedPiece = 0;
    std::int16_t DevelopmentPart = 0;
    std::int16_t ThicknessFactor = 1;

    // Paths.
    std::string AppDir;
    std::string CurrentFileName;
    std::string LangTempFile;

    // Fill colours.
    Colour ConeSketchFill = PaletteColour(12);
    Colour CylinderSketchFill = PaletteColour(12);
    Colour ConePieceFill = PaletteColour(12);
    Colour CylinderPieceFill = PaletteColour(12);
    Colour ConeDevelopmentFill = PaletteColour(9);
    Colour CylinderDevelopmentFill = PaletteColour(9);

    InputArrays Inputs = DefaultInputArrays();
    HeldInputs AcceptedBeforeRefusal;
    InputLimits Limits;
    SettingsCache Settings;

    // The inputs of the last development of each family (or of the elbow
    // piece being previewed), as developed: the data block prints them.
    CylinderInputs LastCylinderInputs{};
    ConeInputs LastConeInputs{};

    // The last development of each family.
    SharedDevelopment<CylinderResults> CylinderDevelopment;
    SharedDevelopment<ConeResults> ConeDevelopment;
    // The last computed elbow (pieces, faces, cuts); it counts its own generations.
    LastElbow Elbow;
    // A new, never used generation number for a development.
    std::uint64_t NewGeneration() { return ++generations_; }

    // The printed sheet and the notes printed as the data block's last line.
    PrintedSheet Sheet;
    std::string NoteText;

    // Kept by the cut frustum windows for the sketch.
    float EnclosingUpperDiameter = 0;
    float EnclosingLowerDiameter = 0;

    // ComputingSystem - 2 * DiametriExt, the fibre counted as the
    // calculation-method dialog shows it: any ComputingSystem other than
    // 0 or 1 is the outer fibre (2). See DeriveThicknessFactor (settings.h).
    void RecomputeThicknessFactor();

private:
    std::uint64_t generations_ = 0;
};

// The one working state of the running program. Computation takes what it
// needs as parameters; windows use this.
WorkingState& State();

}  // namespace velm

#pragma once
// The thirteen shape kinds and what the menus, the start panel, the opener,
// the sketches and the checks need to know of each: one table instead of
// ranges and predicates repeated where they are used.
#include <cstdint>

#include "core/language.h"

namespace velm {

enum ShapeKind : std::int16_t {
    ShapeNone = 0,
    ShapeCoRe = 1, ShapeCoTaSup = 2, ShapeCoTaInf = 3, ShapeCoConcordi = 4, ShapeCoDiscordi = 5,
    ShapeCiRe = 6, ShapeCiTaSup = 7, ShapeCiConcordi = 8, ShapeCiDiscordi = 9,
    ShapeCuCilindri = 10, ShapeCuConica1 = 11, ShapeCuConica2 = 12, ShapeCuConica3 = 13,
};
constexpr int FirstShapeCode = ShapeCoRe;
constexpr int LastShapeCode = ShapeCuConica3;

// ShapeFamily values: the start panel's pages and the families of shapes.
enum ShapeFamilyKind : std::int16_t {
    FamilyTop = 0,        // the top page; also the cylindrical elbow's family
    FamilyFrusta = 1,
    FamilyCylinders = 2,
    FamilyConeElbows = 4,
};

struct ShapeKindInfo {
    std::int16_t Code;
    std::int16_t Family;       // ShapeFamily while the shape is open
    const char* WindowName;    // the shape window's design name
    TextSectionId TitleSection;  // text 1 of it is the window's title
    bool TopCut;               // the upper end is cut by an inclined plane
    bool BottomCut;            // the lower end is cut too
    bool OppositeSlopes;       // the two cuts slope opposite ways (the lower angle is stored negated)
    bool Elbow;
    int Group;                 // top page cell and Shapes menu item (0-based): frusta, cylinders, elbow, conical elbows
    int Cell;                  // cell on the family's page; -1 for the elbow opened from the top page
    bool OnCylinderSheet;      // its cylinders or cylindrical pieces show on the cylinder sheet preview
    bool OnConeSheet;          // its frusta or conical pieces show on the frustum sheet preview
};

// The row of a shape code; null for any code outside 1 to 13.
const ShapeKindInfo* FindShapeKind(int shapeCode);

inline bool IsFrustumKind(int code) { return code >= ShapeCoRe && code <= ShapeCoDiscordi; }
inline bool IsCylinderKind(int code) { return code >= ShapeCiRe && code <= ShapeCiDiscordi; }

}  // namespace velm

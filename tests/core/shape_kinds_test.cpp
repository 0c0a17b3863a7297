// The shape-kind table's sheets: a closing sheet preview enables again the
// shape window whose pieces it can show, and only that one.
#include <gtest/gtest.h>

#include "core/shape_kinds.h"

namespace velm {
namespace {

TEST(ShapeKindsTest, EachShapeIsOnTheSheetsOfItsPieces) {
    const struct {
        int code;
        bool cylinderSheet, coneSheet;
    } cases[] = {
        {ShapeCoRe, false, true},       {ShapeCoTaSup, false, true},     {ShapeCoTaInf, false, true},
        {ShapeCoConcordi, false, true}, {ShapeCoDiscordi, false, true},  {ShapeCiRe, true, false},
        {ShapeCiTaSup, true, false},    {ShapeCiConcordi, true, false},  {ShapeCiDiscordi, true, false},
        {ShapeCuCilindri, true, false},
        // Half end pieces and end connections may be cylinders; equal pieces are frusta only.
        {ShapeCuConica1, true, true},   {ShapeCuConica2, false, true},   {ShapeCuConica3, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const ShapeKindInfo* kind = FindShapeKind(c.code);
        ASSERT_NE(kind, nullptr);
        EXPECT_EQ(kind->OnCylinderSheet, c.cylinderSheet);
        EXPECT_EQ(kind->OnConeSheet, c.coneSheet);
    }
}

}  // namespace
}  // namespace velm

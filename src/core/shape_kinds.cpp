#include "core/shape_kinds.h"

#include <array>

namespace velm {

namespace {

constexpr std::array<ShapeKindInfo, LastShapeCode> kShapeKinds{{
    {ShapeCoRe, FamilyFrusta, "FrmCoRe", LangFrmCoRe, false, false, false, false, 0, 0},
    {ShapeCoTaSup, FamilyFrusta, "FrmCoTaSup", LangFrmCoTS, true, false, false, false, 0, 1},
    {ShapeCoTaInf, FamilyFrusta, "FrmCoTaInf", LangFrmCoTI, false, true, false, false, 0, 2},
    {ShapeCoConcordi, FamilyFrusta, "FrmCoConcordi", LangFrmCoCon, true, true, false, false, 0, 3},
    {ShapeCoDiscordi, FamilyFrusta, "FrmCoDiscordi", LangFrmCoDis, true, true, true, false, 0, 4},
    {ShapeCiRe, FamilyCylinders, "FrmCiRe", LangFrmCiRe, false, false, false, false, 1, 0},
    {ShapeCiTaSup, FamilyCylinders, "FrmCiTaSup", LangFrmCiTS, true, false, false, false, 1, 1},
    {ShapeCiConcordi, FamilyCylinders, "FrmCiConcordi", LangFrmCiCon, true, true, false, false, 1, 2},
    {ShapeCiDiscordi, FamilyCylinders, "FrmCiDiscordi", LangFrmCiDis, true, true, true, false, 1, 3},
    {ShapeCuCilindri, FamilyTop, "FrmCuCilindri", LangFrmCuCil, false, false, false, true, 2, -1},
    {ShapeCuConica1, FamilyConeElbows, "FrmCuConica1", LangFrmCuCon2, false, false, false, true, 3, 0},
    {ShapeCuConica2, FamilyConeElbows, "FrmCuConica2", LangFrmCuCon2, false, false, false, true, 3, 1},
    {ShapeCuConica3, FamilyConeElbows, "FrmCuConica3", LangFrmCuCon2, false, false, false, true, 3, 2},
}};

}  // namespace

const ShapeKindInfo* FindShapeKind(int shapeCode) {
    if (shapeCode < FirstShapeCode || shapeCode > LastShapeCode) return nullptr;
    return &kShapeKinds[static_cast<std::size_t>(shapeCode - FirstShapeCode)];
}

}  // namespace velm

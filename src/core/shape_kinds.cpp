#include "core/shape_kinds.h"

#include <array>

namespace velm {

namespace {

constexpr std::array<ShapeKindInfo, LastShapeCode> kShapeKinds{{
    {ShapeCoRe, FamilyFrusta, "FrmCoRe", LangFrmCoRe, false, false, false, false, 0, 0, false, true},
    {ShapeCoTaSup, FamilyFrusta, "FrmCoTaSup", LangFrmCoTS, true, false, false, false, 0, 1, false, true},
    {ShapeCoTaInf, FamilyFrusta, "FrmCoTaInf", LangFrmCoTI, false, true, false, false, 0, 2, false, true},
    {ShapeCoConcordi, FamilyFrusta, "FrmCoConcordi", LangFrmCoCon, true, true, false, false, 0, 3, false, true},
    {ShapeCoDiscordi, FamilyFrusta, "FrmCoDiscordi", LangFrmCoDis, true, true, true, false, 0, 4, false, true},
    {ShapeCiRe, FamilyCylinders, "FrmCiRe", LangFrmCiRe, false, false, false, false, 1, 0, true, false},
    {ShapeCiTaSup, FamilyCylinders, "FrmCiTaSup", LangFrmCiTS, true, false, false, false, 1, 1, true, false},
    {ShapeCiConcordi, FamilyCylinders, "FrmCiConcordi", LangFrmCiCon, true, true, false, false, 1, 2, true, false},
    {ShapeCiDiscordi, FamilyCylinders, "FrmCiDiscordi", LangFrmCiDis, true, true, true, false, 1, 3, true, false},
    {ShapeCuCilindri, FamilyTop, "FrmCuCilindri", LangFrmCuCil, false, false, false, true, 2, -1, true, false},
    {ShapeCuConica1, FamilyConeElbows, "FrmCuConica1", LangFrmCuCon2, false, false, false, true, 3, 0, true, true},
    {ShapeCuConica2, FamilyConeElbows, "FrmCuConica2", LangFrmCuCon2, false, false, false, true, 3, 1, false, true},
    {ShapeCuConica3, FamilyConeElbows, "FrmCuConica3", LangFrmCuCon2, false, false, false, true, 3, 2, true, true},
}};

}  // namespace

const ShapeKindInfo* FindShapeKind(int shapeCode) {
    if (shapeCode < FirstShapeCode || shapeCode > LastShapeCode) return nullptr;
    return &kShapeKinds[static_cast<std::size_t>(shapeCode - FirstShapeCode)];
}

}  // namespace velm

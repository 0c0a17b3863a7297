#include "core/shape_inputs.h"

namespace velm {

CylinderInputs CylinderInputsOf(const CylinderArray& data) {
    CylinderInputs in;
    in.Thickness = data[ElementOfField(CylThicknessField)];
    in.Diameter = data[ElementOfField(CylDiameterField)];
    in.AxisLength = data[ElementOfField(CylLengthField)];
    in.TopCut = data[ElementOfField(CylTopCutField)];
    in.BottomCut = data[ElementOfField(CylBottomCutField)];
    in.TopCutRadians = data[CylTopCutRadiansElement];
    in.BottomCutRadians = data[CylBottomCutRadiansElement];
    return in;
}

void StoreCylinderInputs(const CylinderInputs& in, CylinderArray& data) {
    data[ElementOfField(CylThicknessField)] = in.Thickness;
    data[ElementOfField(CylDiameterField)] = in.Diameter;
    data[ElementOfField(CylLengthField)] = in.AxisLength;
    data[ElementOfField(CylTopCutField)] = in.TopCut;
    data[ElementOfField(CylBottomCutField)] = in.BottomCut;
    data[CylTopCutRadiansElement] = in.TopCutRadians;
    data[CylBottomCutRadiansElement] = in.BottomCutRadians;
}

ConeInputs ConeInputsOf(const ConeArray& data) {
    ConeInputs in;
    in.Thickness = data[ElementOfField(ConeThicknessField)];
    in.UpperDiameter = data[ElementOfField(ConeUpperDiameterField)];
    in.LowerDiameter = data[ElementOfField(ConeLowerDiameterField)];
    in.AxisHeight = data[ElementOfField(ConeHeightField)];
    in.UpperCut = data[ElementOfField(ConeUpperCutField)];
    in.LowerCut = data[ElementOfField(ConeLowerCutField)];
    in.UpperCutRadians = data[ConeUpperCutRadiansElement];
    in.LowerCutRadians = data[ConeLowerCutRadiansElement];
    return in;
}

void StoreConeInputs(const ConeInputs& in, ConeArray& data) {
    data[ElementOfField(ConeThicknessField)] = in.Thickness;
    data[ElementOfField(ConeUpperDiameterField)] = in.UpperDiameter;
    data[ElementOfField(ConeLowerDiameterField)] = in.LowerDiameter;
    data[ElementOfField(ConeHeightField)] = in.AxisHeight;
    data[ElementOfField(ConeUpperCutField)] = in.UpperCut;
    data[ElementOfField(ConeLowerCutField)] = in.LowerCut;
    data[ConeUpperCutRadiansElement] = in.UpperCutRadians;
    data[ConeLowerCutRadiansElement] = in.LowerCutRadians;
}

}  // namespace velm

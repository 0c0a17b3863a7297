#pragma once
// The five frustum windows, one class and a variant table: FrmCoRe (right
// frustum, code 1), FrmCoTaSup (upper end cut, 2), FrmCoTaInf (lower end cut,
// 3), FrmCoConcordi (both ends cut sloping the same way, 4) and FrmCoDiscordi
// (opposite slopes, 5; its lower angle is typed as a magnitude and stored
// negated).
#include "frame/windows/shape_window.h"

class QWidget;

namespace velm {

class ConeWindow : public ShapeWindow {
    Q_OBJECT
public:
    // The variant of a shape code 1 to 5 (FrmCoRe for any other).
    static const ShapeWindowDesign& DesignOf(int shapeCode);

    explicit ConeWindow(int shapeCode, QWidget* parent = nullptr);

    // The window of the code, made and loaded on first use (and again after
    // it was closed), inside the main window's area when there is one. Not
    // shown. Null for a code outside 1 to 5.
    static QWidget* Open(int shapeCode);

    // Sizes of the uncut frustum around the cut one, kept from the last
    // accepted apply for the sketch.
    float EnclosingUpperDiameter = 0;
    float EnclosingLowerDiameter = 0;

    // LblOutputDati index of the apex angle (one past the input rows).
    int ApexRow() const { return Design().InputRows; }

    // What the sketch shows in LblDatiSviluppo(k). The first cut angle is the
    // upper cut's, or the lower cut's where that is the only cut; the second
    // is the lower cut's beside an upper one.
    enum SketchLabel : int {
        UpperDiameterLabel = 0, LowerDiameterLabel = 1, HeightLabel = 2, FirstCutLabel = 3, SecondCutLabel = 4,
    };

protected:
    void FillInputBoxes() override;
    void ApplyFormTexts() override;
    void ReadInputBoxes() override;
    int ValidateAndDevelop() override;
    std::uint64_t& ResultsGeneration() const override;
    void AfterRefusedApply() override;
    void AfterAcceptedApply() override;
    void DrawSketch() override;
    void DrawDevelopment() override;
    void ToggleWeldSide() override;
    void SetSketchLabelCaptions() override;
    std::string OutputText(int row) override;
    std::string ArcText(int i) override;
    void FilterKeyDown(TextBox& box, int field, int& keyCode, int shift) override;
    void FilterKeyPress(TextBox& box, int field, int& keyAscii) override;
    void CheckFieldRange(TextBox& box, int field) override;
    void ShowFieldHint(int field) override;

private:
    bool UpperCut() const;
    bool LowerCut() const;
    int LowerCutRow() const;  // input row of the lower cut angle, -1 without one
    void CaptionSideLabels();
};

// Registers the factories of codes 1 to 5 with the shape opener.
void RegisterConeWindows();

}  // namespace velm

#pragma once
// The four cylinder windows, one class and a variant table: FrmCiRe (right
// cylinder, code 6), FrmCiTaSup (top end cut, 7), FrmCiConcordi (both ends
// cut sloping the same way, 8) and FrmCiDiscordi (opposite slopes, 9; its
// bottom angle is typed as a magnitude and stored negated).
#include "frame/windows/shape_window.h"

class QWidget;

namespace velm {

class CylinderWindow : public ShapeWindow {
    Q_OBJECT
public:
    // The variant of a shape code 6 to 9 (FrmCiRe for any other).
    static const ShapeWindowDesign& DesignOf(int shapeCode);

    explicit CylinderWindow(int shapeCode, QWidget* parent = nullptr);

    // The window of the code, made and loaded on first use (and again after
    // it was closed), inside the main window's area when there is one. Not
    // shown. Null for a code outside 6 to 9.
    static QWidget* Open(int shapeCode);

    // What the sketch shows in LblDatiSviluppo(k).
    enum SketchLabel : int {
        DiameterLabel = 0, LengthLabel = 1, TopCutLabel = 2, BottomCutLabel = 3, WeldSideMarkerLabel = 5,
    };

protected:
    void FillInputBoxes() override;
    void ApplyFormTexts() override;
    void ReadInputBoxes() override;
    int ValidateAndDevelop() override;
    std::uint64_t& ResultsGeneration() const override;
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
    bool CutAtTop() const;
    bool CutAtBottom() const;
    // The weld side marker beside the length and top cut labels, on the side LatoSaldatura gives.
    void PlaceWeldSideMarker();
};

// Registers the factories of codes 6 to 9 with the shape opener.
void RegisterCylinderWindows();

}  // namespace velm

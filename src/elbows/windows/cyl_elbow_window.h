#pragma once
// FrmCuCilindri (code 10): the segmented cylindrical elbow. Eight boxes
// (thickness, diameter, start and end cut, bend angle A, axis length L, bend
// radius R, pieces); A, L and R are coupled while typing. Each piece is a
// cylinder cut at both ends, previewed on FrmAnteprimaCilindri.
#include "elbows/windows/elbow_window.h"

namespace velm {

class CylElbowWindow : public ElbowWindow {
    Q_OBJECT
public:
    explicit CylElbowWindow(int shapeCode = ShapeCuCilindri, QWidget* parent = nullptr);

    // The window, made and loaded on first use (and again after it was
    // closed), inside the main window's area when there is one. Not shown.
    // Null for another code.
    static QWidget* Open(int shapeCode);

    std::int16_t HitTestPiece(float x, float y) const override;
    void SetCylElbowCaptions();

protected:
    void FillInputBoxes() override;
    void ApplyFormTexts() override { SetCylElbowCaptions(); }
    void ReadInputBoxes() override;
    int CheckInputs() override;
    int ComputeElbow() override;
    bool DrawElbowPicture(ElbowDrawing& drawing) override;
    std::int16_t PieceCount() const override;
    Colour PieceFill() const override;

    void FilterKeyDown(TextBox& box, int field, int& keyCode, int shift) override;
    void FilterKeyPress(TextBox& box, int field, int& keyAscii) override;
    int BendBox() const override;
    void CheckFieldRange(TextBox& box, int field) override;
    void ShowFieldHint(int field) override;
};

}  // namespace velm

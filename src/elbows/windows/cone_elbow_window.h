#pragma once
// FrmCuConica1 (11), FrmCuConica2 (12) and FrmCuConica3 (13): the segmented
// conical elbows, one class driven by the variant table. 1 and 2 have nine
// boxes (LblInputDati(9) shows the cone's apex angle); 1 adds the end-piece
// option FraRaccordi / OptRaccordi(0..1). 3 has five boxes in the input frame
// FraRaccordi(2) (LblInputDati(5) the result) and two end connections, each
// edited in the panel FraRaccordi(0) that CmdRaccordi(0..1) open.
#include <QPointer>

#include "elbows/cone_elbow_window_logic.h"
#include "elbows/windows/elbow_window.h"

class QRadioButton;
class QShortcut;

namespace velm {

class ConeElbowWindow : public ElbowWindow {
    Q_OBJECT
public:
    explicit ConeElbowWindow(int shapeCode, QWidget* parent = nullptr);

    // The window of code 11 to 13, made and loaded on first use (and again
    // after it was closed). Not shown. Null for another code.
    static QWidget* Open(int shapeCode);

    const ConeElbowVariant& Variant() const { return variant_; }

    void CmdApplica_Click() override;
    void Form_Resize() override;
    void PctDisegno_Click() override;
    void PctDisegno_MouseMove(int button, int shift, float x, float y) override;

    void SetConeElbowCaptions();
    // The piece under (x, y) of the picture by the variant's hit test; 0 for none.
    std::int16_t HitTestPiece(float x, float y) const override;
    // FrmCuConica1: the end-piece option; re-applies while visible.
    void OptRaccordi_Click(int index);

    // FrmCuConica3: the end-connection panel.
    void CmdRaccordi_Click(int index);
    void OptRaccordo_Click(int index);
    void CmdARI_Click();
    void SetFilletPanelLabels(int kind, int record);
    bool PanelOpen() const;
    std::int16_t EditedConnection = 0;

    // OptRaccordi and OptRaccordo: conical first, as a record's Kind 0.
    enum KindOption : int { ConicalOption = 0, CylindricalOption = 1 };
    // CmdRaccordi(k) opens connection record k (EditedConnection).
    enum ConnectionRecord : int { StartConnectionRecord = 0, EndConnectionRecord = 1 };

    // Controls of the variant (null where it has none).
    QGroupBox* FraRaccordi = nullptr;                     // FrmCuConica1
    std::vector<QRadioButton*> OptRaccordi;               // FrmCuConica1
    std::vector<QPushButton*> CmdRaccordi;                // FrmCuConica3
    QGroupBox* FraInput = nullptr;                        // FraRaccordi(2)
    QGroupBox* FraPanel = nullptr;                        // FraRaccordi(0)
    std::vector<QRadioButton*> OptRaccordo;
    std::vector<TextBox*> TxtRaccordi;                    // by ConnectionBox
    std::vector<QLabel*> LblRaccordi;                     // by ConnectionBox
    QPushButton* CmdARI = nullptr;

protected:
    void FillInputBoxes() override;
    void ApplyFormTexts() override { SetConeElbowCaptions(); }
    void ReadInputBoxes() override;
    int CheckInputs() override { return 0; }
    int ComputeElbow() override;
    bool DrawElbowPicture(ElbowDrawing& drawing) override;
    std::int16_t PieceCount() const override;
    Colour PieceFill() const override;

    void FilterKeyDown(TextBox& box, int field, int& keyCode, int shift) override;
    void FilterKeyPress(TextBox& box, int field, int& keyAscii) override;
    void CheckFieldRange(TextBox& box, int field) override;
    void ShowFieldHint(int field) override;

private:
    void BuildEndPieceOption();
    void BuildConnectionControls();
    void BuildInputFrame();       // the input column in its frame, the commands below it
    void BuildConnectionPanel();  // the panel that edits one end connection
    void WireConnectionBox(TextBox* box, int k);
    void BuildPanelKeys();
    void ClosePanel();
    bool PieceIsCylindrical(std::int16_t piece) const;
    int BendBox() const override { return variant_.Connections ? 1 : 5; }
    std::string BendText() const;

    const ConeElbowVariant& variant_;
    std::vector<QShortcut*> panelKeys_;  // Enter and Esc: confirm the panel, later apply and back
};

void RegisterConeElbowWindows();

}  // namespace velm

#pragma once
// FrmMetCalcolo: the calculation method. Which fibre of the plate the
// development follows, whether typed diameters are outer diameters, and the
// angular step of the development tables. Nothing is stored before OK.
#include <array>
#include <cstdint>

#include "frame/windows/option_dialog.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;

namespace velm {

class FrmMetCalcolo : public OptionDialog {
    Q_OBJECT
public:
    explicit FrmMetCalcolo(QWidget* parent = nullptr);  // loads the window

    void Form_Load();
    void Chkbox_Click(int index);
    void OptDiametri_Click(int index);
    void ComboStep_Click();
    void CmdOK_Click() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Chkbox(i) and its note LblNota(i): the fibre as ComputingSystem stores it.
    enum FibreOption : int { InnerFibre = 0, MeanFibre = 1, OuterFibre = 2 };
    std::array<QRadioButton*, 3> Chkbox{};
    std::array<QLabel*, 3> LblNota{};
    // OptDiametri(i): the diameters as DiametriExt stores them.
    enum DiameterOption : int { InnerDiameters = 0, OuterDiameters = 1 };
    std::array<QRadioButton*, 2> OptDiametri{};
    QGroupBox* Frame2 = nullptr;
    QLabel* LblEsempio = nullptr;
    QLabel* LblStep = nullptr;
    QComboBox* ComboStep = nullptr;

    float chosenStep_ = 0;
    std::int16_t chosenFibre_ = 0;
    std::int16_t chosenDiameters_ = 0;
};

}  // namespace velm

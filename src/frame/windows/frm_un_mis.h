#pragma once
// FrmUnMis: the unit of measure, millimetres or inches. OK stores a changed
// unit; the caller converts the input arrays.
#include <array>
#include <cstdint>

#include "frame/windows/option_dialog.h"

class QRadioButton;

namespace velm {

class FrmUnMis : public OptionDialog {
    Q_OBJECT
public:
    explicit FrmUnMis(QWidget* parent = nullptr);  // loads the window

    void Form_Load();
    void OptUnMisura_Click(int index);
    void CmdOK_Click() override;


private:
    // OptUnMisura(i): the unit as MeasuringSystem stores it.
    enum UnitOption : int { MillimetreUnit = 0, InchUnit = 1 };
    std::array<QRadioButton*, 2> OptUnMisura{};

    std::int16_t chosenUnit_ = 0;
};

}  // namespace velm

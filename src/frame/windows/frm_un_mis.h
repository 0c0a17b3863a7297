#pragma once
// FrmUnMis: the unit of measure, millimetres or inches. OK stores a changed
// unit; the caller converts the input arrays.
#include <QDialog>
#include <array>
#include <cstdint>

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace velm {

class FrmUnMis : public QDialog {
    Q_OBJECT
public:
    explicit FrmUnMis(QWidget* parent = nullptr);  // loads the window

    void Form_Load();
    void OptUnMisura_Click(int index);
    void CmdOK_Click();
    void CmdChiudi_Click();
    void CmdHelp_Click();

    std::int16_t ChosenUnit() const { return chosenUnit_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    std::array<QRadioButton*, 2> OptUnMisura{};
    QGroupBox* Frame1 = nullptr;
    QPushButton* CmdOK = nullptr;
    QPushButton* CmdChiudi = nullptr;
    QPushButton* CmdHelp = nullptr;

    std::int16_t chosenUnit_ = 0;
};

}  // namespace velm

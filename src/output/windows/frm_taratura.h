#pragma once
// FrmTaratura: the printer calibration. The user prints a test rectangle of
// known nominal size (CmdStampa), measures its width and length, types them
// into TxtLarghezza and TxtLunghezza and lets OK derive and store the two
// factors; CmdDefault goes back to 1.0, CmdChiudi leaves the settings alone.
// PctFoglio(0) and (1) picture the page, portrait or landscape, with the
// rectangle ShpRettangolo(0) and (1).
#include <QDialog>
#include <QColor>
#include <vector>

#include "frame/windows/control_hints.h"
#include "output/calibration.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace velm {

class TextBox;

// The outline of a shape control: a rectangle drawn in its border colour.
class ShapeRectangle : public QWidget {
    Q_OBJECT
public:
    explicit ShapeRectangle(QWidget* parent);
    void SetBorderColor(QColor colour);
    QColor BorderColor() const { return colour_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_{Qt::black};
};

class FrmTaratura : public QDialog {
    Q_OBJECT
public:
    explicit FrmTaratura(QWidget* parent = nullptr);  // loads the window

    void Form_Load();
    void CmdStampa_Click();
    void CmdOK_Click();
    void CmdDefault_Click();
    void CmdChiudi_Click();
    void EnableMeasureControls(bool enable);

    const Calibration& Working() const { return cal_; }

    QGroupBox* FrameTaratura = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* LblLarghezza = nullptr;
    QLabel* LblLunghezza = nullptr;
    // The nominal sizes' units sit on the window, the measured ones' in FrameTaratura.
    enum UnitLabel : int { NominalWidthUnit = 0, NominalLengthUnit = 1, MeasuredWidthUnit = 2, MeasuredLengthUnit = 3 };
    std::vector<QLabel*> LblUnita;
    TextBox* TxtLarghezza = nullptr;
    TextBox* TxtLunghezza = nullptr;
    // The page with the nominal sizes, and the one in FrameTaratura with the measured ones.
    enum SheetPicture : int { NominalSheet = 0, MeasuredSheet = 1 };
    std::vector<QWidget*> PctFoglio;             // by SheetPicture
    std::vector<ShapeRectangle*> ShpRettangolo;  // by SheetPicture
    QPushButton* CmdStampa = nullptr;
    QPushButton* CmdOK = nullptr;
    QPushButton* CmdChiudi = nullptr;
    QPushButton* CmdDefault = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void BuildControls();
    void AddSheet(QWidget* parent, int index);  // PctFoglio(index) with its rectangle
    void BuildMeasureFrame();
    void BuildCommands();
    void SetCalibrationCaptions();
    void LayoutCalibrationSheet();
    void ShowNominalValues();
    void WireMeasureBox(TextBox* box, bool width);
    void MeasureChanged();

    Calibration cal_;
    ControlHints hints_;
    bool writingBoxes_ = false;
};

// Options item 3: the printer check (text 33 of Errore), then the dialog modally.
void RegisterCalibrationCommand();

}  // namespace velm

#pragma once
// The printer calibration's own texts (FrmTaratura).
#include "core/text_ids.h"

namespace velm {

constexpr TextId TextCalibrationStep1{LangFrmTaratura, 2};   // print and measure
constexpr TextId TextTestPrint{LangFrmTaratura, 3};
constexpr TextId TextCalibrationStep2{LangFrmTaratura, 4};   // type what you measured ...
constexpr TextId TextCalibrationStep2End{LangFrmTaratura, 5};
constexpr TextId TextMeasuredWidth{LangFrmTaratura, 6};
constexpr TextId TextMeasuredLength{LangFrmTaratura, 7};
constexpr TextId TextTestPrintHint{LangFrmTaratura, 8};
constexpr TextId TextSaveCalibrationHint{LangFrmTaratura, 9};
constexpr TextId TextStandardFactorsHint{LangFrmTaratura, 10};
constexpr TextId TextCloseUnsavedHint{LangFrmTaratura, 11};
constexpr TextId TextCalibrationStep3{LangFrmTaratura, 12};  // OK saves ...
constexpr TextId TextCalibrationStep3Next{LangFrmTaratura, 13};
constexpr TextId TextCalibrationStep3End{LangFrmTaratura, 14};
constexpr TextId TextStandardValues{LangFrmTaratura, 15};
constexpr TextId TextResetFactorsQuestion{LangMsgbox, 6};
constexpr TextId TextNoPrinterForCalibration{LangErrore, 33};

}  // namespace velm

#pragma once
// Help context numbers: the topics of "VELM.HLP". Each window with a Help
// button opens its own; the others are reached from the contents.
namespace velm {

constexpr int HelpContextContents = 1;
constexpr int HelpContextMainWindow = 10;
constexpr int HelpContextStartPanel = 20;
constexpr int HelpContextCylinders = 30;
constexpr int HelpContextFrusta = 40;
constexpr int HelpContextElbows = 50;
constexpr int HelpContextInputBoxes = 55;
constexpr int HelpContextDataFiles = 60;
constexpr int HelpContextExport = 70;
constexpr int HelpContextSheetPreview = 80;
constexpr int HelpContextCalibration = 90;
constexpr int HelpContextNotes = 95;
constexpr int HelpContextFrmMetCalcolo = 105;
constexpr int HelpContextFrmUnMis = 106;
constexpr int HelpContextAboutBox = 115;
constexpr int HelpContextFrmTabella = 413;

}  // namespace velm

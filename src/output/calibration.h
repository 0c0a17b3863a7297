#pragma once
// The printer calibration: a test rectangle of known nominal size is
// printed, the user measures its sides, and the two factors that make a 1:1
// print true to size follow from the measurements. The stored factors hold
// a portrait page; on a landscape page the dialog works in page axes.
#include <cstdint>
#include <string>

#include "platform/printer.h"

namespace velm {

struct Calibration {
    std::int16_t MeasuringSystem = 0;
    float NominalWidth = 0;   // the printable width less 2 mm, in the unit (inches cut to one decimal)
    float NominalLength = 0;
    bool PortraitPage = true;
    float MinWidth = 0, MaxWidth = 0;    // 90 % and 110 %, as their length texts read back
    float MinLength = 0, MaxLength = 0;
    float FactorX = 1, FactorY = 1;      // working factors along the page's width and length
    bool MeasureEdited = false;
};

// The dialog's state at load from the printer's page and the stored factors.
Calibration LoadCalibration(PageSize page, std::int16_t measuringSystem, float settingX, float settingY);

// A typed measurement held inside the 90-110 % guard: a value that cannot be
// read, 0 or one below the minimum counts as the minimum, one above the
// maximum as the maximum, so no factor can become infinite or wild.
float GuardedMeasure(const std::string& text, float min, float max);

// Test print: a measurement typed since the last one is folded into the
// working factors, and the mark cleared.
void FoldMeasurements(Calibration& c, const std::string& width, const std::string& length);

// OK: the factors to store, in portrait axes.
struct StoredFactors {
    float SettingXPrinter = 1;
    float SettingYPrinter = 1;
};
StoredFactors FactorsToStore(const Calibration& c, const std::string& width, const std::string& length);

// Standard values: both working factors 1.0, nothing measured.
void ResetCalibration(Calibration& c);

// The test rectangle from the top left of the printable area, black, line
// width 3: bottom, top, left and right edge; then the document ends.
DocumentResult PrintCalibrationPattern(Printer& printer, const Calibration& c);

}  // namespace velm

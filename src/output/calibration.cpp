#include "output/calibration.h"

#include <cmath>

#include "core/language.h"
#include "core/text_ids.h"
#include "core/number_text.h"
#include "output/print_job.h"

namespace velm {

namespace {

// The length text of a value read back as a number: the limits are the
// values the boxes can show.
float AsShown(float value, std::int16_t unit) { return static_cast<float>(ReadNumber(FormatLength(value, unit))); }

float Nominal(int millimetres, std::int16_t unit) {
    const float less = static_cast<float>(millimetres - 2);
    if (unit == 1) return std::trunc(less / 25.4f * 10.0f) / 10.0f;  // inches cut to one decimal
    return std::trunc(less);
}

}  // namespace

Calibration LoadCalibration(PageSize page, std::int16_t measuringSystem, float settingX, float settingY) {
    Calibration c;
    c.MeasuringSystem = measuringSystem;
    c.PortraitPage = page.height >= page.width;
    c.NominalWidth = Nominal(page.width, measuringSystem);
    c.NominalLength = Nominal(page.height, measuringSystem);
    c.MinWidth = AsShown(c.NominalWidth * 0.9f, measuringSystem);
    c.MaxWidth = AsShown(c.NominalWidth * 1.1f, measuringSystem);
    c.MinLength = AsShown(c.NominalLength * 0.9f, measuringSystem);
    c.MaxLength = AsShown(c.NominalLength * 1.1f, measuringSystem);
    // Stored for a portrait page: a landscape page turns them into its own
    // axes, as the sheet layout does, so that OK alone stores them unchanged.
    c.FactorX = c.PortraitPage ? settingX : settingY;
    c.FactorY = c.PortraitPage ? settingY : settingX;
    return c;
}

float GuardedMeasure(const std::string& text, float min, float max) {
    const double value = ReadNumber(text);
    if (!std::isfinite(value) || value < min) return min;
    if (value > max) return max;
    return static_cast<float>(value);
}

void FoldMeasurements(Calibration& c, const std::string& width, const std::string& length) {
    if (!c.MeasureEdited) return;
    c.FactorX = c.NominalWidth / GuardedMeasure(width, c.MinWidth, c.MaxWidth) * c.FactorX;
    c.FactorY = c.NominalLength / GuardedMeasure(length, c.MinLength, c.MaxLength) * c.FactorY;
    c.MeasureEdited = false;
}

StoredFactors FactorsToStore(const Calibration& c, const std::string& width, const std::string& length) {
    Calibration folded = c;
    FoldMeasurements(folded, width, length);
    StoredFactors f{folded.FactorX, folded.FactorY};
    if (!c.PortraitPage) std::swap(f.SettingXPrinter, f.SettingYPrinter);
    return f;
}

void ResetCalibration(Calibration& c) {
    c.FactorX = 1.0f;
    c.FactorY = 1.0f;
    c.MeasureEdited = false;
}

DocumentResult PrintCalibrationPattern(Printer& printer, const Calibration& c) {
    printer.SetDocumentTitle(DocumentTitle(Txt(TextCalibrationTitle)));
    PrinterPage& page = printer.Page();
    page.SetUnits(c.MeasuringSystem == 1 ? PageInches : PageMillimetres);
    page.ForeColor = RGB(0, 0, 0);
    page.DrawWidth = 3;
    page.DrawStyle = 0;
    const double right = static_cast<double>(c.NominalWidth) * c.FactorX;
    const double bottom = static_cast<double>(c.NominalLength) * c.FactorY;
    page.Line(0, bottom, right, bottom);
    page.Line(0, 0, right, 0);
    page.Line(0, 0, 0, bottom);
    page.Line(right, 0, right, bottom);
    return printer.EndDocument();
}

}  // namespace velm

// The printer calibration's arithmetic: nominal sizes and limits from the
// page, the factors a test print folds in and OK stores (portrait axes,
// also from a landscape page), the guard on the typed measurements, and
// the test rectangle on the recording printer.
#include "output/calibration.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/recording_printer.h"

namespace velm {
namespace {

TEST(CalibrationTest, NominalSizesAndLimitsFromThePage) {
    struct Case {
        PageSize page;
        std::int16_t unit;
        float width, length, minW, maxW, minL, maxL;
        bool portrait;
    };
    const Case cases[] = {
        {{200, 287}, 0, 198, 285, 178.2f, 217.8f, 256.5f, 313.5f, true},
        // 198 mm is 7.795 inches, cut to 7.7; 285 mm is 11.22, cut to 11.2.
        {{200, 287}, 1, 7.7f, 11.2f, 6.93f, 8.47f, 10.08f, 12.32f, true},
        {{287, 200}, 0, 285, 198, 256.5f, 313.5f, 178.2f, 217.8f, false},
        {{210, 210}, 0, 208, 208, 187.2f, 228.8f, 187.2f, 228.8f, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.page.width << " x " << c.page.height << " unit " << c.unit);
        const Calibration cal = LoadCalibration(c.page, c.unit, 1, 1);
        EXPECT_FLOAT_EQ(cal.NominalWidth, c.width);
        EXPECT_FLOAT_EQ(cal.NominalLength, c.length);
        EXPECT_FLOAT_EQ(cal.MinWidth, c.minW);
        EXPECT_FLOAT_EQ(cal.MaxWidth, c.maxW);
        EXPECT_FLOAT_EQ(cal.MinLength, c.minL);
        EXPECT_FLOAT_EQ(cal.MaxLength, c.maxL);
        EXPECT_EQ(cal.PortraitPage, c.portrait);
        EXPECT_FALSE(cal.MeasureEdited);
    }
}

TEST(CalibrationTest, FactorsThatOkStores) {
    struct Case {
        const char* what;
        PageSize page;
        std::int16_t unit;
        float storedX, storedY;
        bool measured;
        const char *width, *length;
        float okX, okY;
    };
    const Case cases[] = {
        {"portrait, measured 200 for 198", {200, 287}, 0, 1, 1, true, "200", "285", 198.0f / 200, 1},
        {"portrait, nothing typed", {200, 287}, 0, 1.02f, 0.97f, false, "200", "280", 1.02f, 0.97f},
        {"landscape, nothing typed: unchanged", {287, 200}, 0, 1.02f, 0.97f, false, "", "", 1.02f, 0.97f},
        // Page width 285 measured 280: the page's x is the portrait y.
        {"landscape, measured", {287, 200}, 0, 1, 1, true, "280", "198", 1, 285.0f / 280},
        {"landscape keeps the stored pair", {287, 200}, 0, 1.02f, 0.97f, true, "285", "200",
         1.02f * 198 / 200, 0.97f},
        {"inches", {200, 287}, 1, 1, 1, true, "7.8", "11", 7.7f / 7.8f, 11.2f / 11},
        {"zero counts as 90 %", {200, 287}, 0, 1, 1, true, "0", "285", 198.0f / 178.2f, 1},
        {"a bare point counts as 90 %", {200, 287}, 0, 1, 1, true, ".", "285", 198.0f / 178.2f, 1},
        {"empty counts as 90 %", {200, 287}, 0, 1, 1, true, "198", "", 1, 285.0f / 256.5f},
        {"above 110 % counts as 110 %", {200, 287}, 0, 1, 1, true, "500", "285", 198.0f / 217.8f, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Calibration cal = LoadCalibration(c.page, c.unit, c.storedX, c.storedY);
        cal.MeasureEdited = c.measured;
        const StoredFactors f = FactorsToStore(cal, c.width, c.length);
        EXPECT_NEAR(f.SettingXPrinter, c.okX, 1e-6);
        EXPECT_NEAR(f.SettingYPrinter, c.okY, 1e-6);
        EXPECT_TRUE(std::isfinite(f.SettingXPrinter) && std::isfinite(f.SettingYPrinter));
    }
}

TEST(CalibrationTest, EachTestPrintFoldsTheLastMeasurementIn) {
    Calibration cal = LoadCalibration({200, 287}, 0, 1, 1);
    FoldMeasurements(cal, "200", "290");  // nothing typed: no change
    EXPECT_FLOAT_EQ(cal.FactorX, 1);
    cal.MeasureEdited = true;
    FoldMeasurements(cal, "200", "290");
    EXPECT_FLOAT_EQ(cal.FactorX, 0.99f);
    EXPECT_FLOAT_EQ(cal.FactorY, 285.0f / 290);
    EXPECT_FALSE(cal.MeasureEdited);
    cal.MeasureEdited = true;
    FoldMeasurements(cal, "199", "285");
    EXPECT_FLOAT_EQ(cal.FactorX, 0.99f * 198 / 199);
    EXPECT_FLOAT_EQ(cal.FactorY, 285.0f / 290);
    // Standard values, then OK without typing: 1.0.
    ResetCalibration(cal);
    const StoredFactors f = FactorsToStore(cal, "150", "150");
    EXPECT_EQ(f.SettingXPrinter, 1.0f);
    EXPECT_EQ(f.SettingYPrinter, 1.0f);
}

TEST(CalibrationTest, TestRectangleOnThePrinter) {
    struct Case {
        std::int16_t unit;
        float fx, fy;
        double right, bottom;  // page units
    };
    const Case cases[] = {
        {0, 1, 1, 198, 285},
        {0, 0.99f, 1.02f, 196.02, 290.7},
        {1, 1.1f, 1, 8.47, 11.2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unit);
        RecordingPrinter printer;
        printer.SetPage(200, 287);
        Calibration cal = LoadCalibration(printer.PageMillimetres(), c.unit, c.fx, c.fy);
        EXPECT_EQ(PrintCalibrationPattern(printer, cal), DocumentResult::Printed);
        ASSERT_EQ(printer.documents.size(), 1u);
        const auto& page = printer.documents[0].pages.at(0);
        ASSERT_EQ(page.lines.size(), 4u);
        const double r = c.right, b = c.bottom;
        const double expected[4][4] = {{0, b, r, b}, {0, 0, r, 0}, {0, 0, 0, b}, {r, 0, r, b}};
        for (int i = 0; i < 4; ++i) {
            const auto& l = page.lines[static_cast<std::size_t>(i)];
            EXPECT_NEAR(l.x1, expected[i][0], 1e-4) << i;
            EXPECT_NEAR(l.y1, expected[i][1], 1e-4) << i;
            EXPECT_NEAR(l.x2, expected[i][2], 1e-4) << i;
            EXPECT_NEAR(l.y2, expected[i][3], 1e-4) << i;
            EXPECT_EQ(l.width, 3);
            EXPECT_EQ(l.colour, RGB(0, 0, 0));
        }
    }
}

}  // namespace
}  // namespace velm

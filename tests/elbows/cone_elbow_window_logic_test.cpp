#include "elbows/cone_elbow_window_logic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/language.h"
#include "core/piece_count.h"
#include "elbows/elbow_checks.h"
#include "elbows/elbow_messages.h"
#include "support/state_with_settings.h"

namespace velm {
namespace {

const std::string Deg = "\xC2\xB0";

class ConeElbowTexts : public ::testing::Test {
protected:
    void SetUp() override {
        for (TextSectionId id : ids_) {
            saved_.push_back(Language().Sections[id]);
            TextSection texts(45);
            for (int i = 1; i < 45; ++i) texts[i] = "T" + std::to_string(i);
            Language().Sections[id] = texts;
        }
        Language().Sections[LangFrmAntep][40] = "Cone piece #";
        Language().Sections[LangFrmAntep][41] = "Cylinder piece #";
        Language().Sections[LangHelp][31] = "click to preview";
    }
    void TearDown() override {
        for (std::size_t i = 0; i < saved_.size(); ++i) Language().Sections[ids_[i]] = saved_[i];
    }

private:
    const TextSectionId ids_[3] = {LangCommonFrmCurvaConica, LangFrmAntep, LangHelp};
    std::vector<TextSection> saved_;
};

TEST_F(ConeElbowTexts, CaptionsOfEachWindowsRows) {
    const ConeElbowVariant& c1 = *ConeElbowVariantOf(ShapeCuConica1);
    const ConeElbowVariant& c3 = *ConeElbowVariantOf(ShapeCuConica3);
    const std::vector<std::string> nine = {"T2:", "T3 (d):", "T4 [" + Deg + "]:", "T3 (D):", "T6 [" + Deg + "]:",
                                           "T7 [" + Deg + "] (A):", "T8:", "T9 (R):", "T10:"};
    for (int box = 0; box < 9; ++box) {
        EXPECT_EQ(ConeElbowBoxCaption(c1, box, 0), nine[box]);
        EXPECT_EQ(ConeElbowBoxCaption(*ConeElbowVariantOf(ShapeCuConica2), box, 0), nine[box]);
    }
    EXPECT_EQ(ConeElbowBoxCaption(c1, 3, 1), "T5 (D):");
    const std::vector<std::string> five = {"T2:", "T7 [" + Deg + "] (A):", "T8:", "T9 (R):", "T10:"};
    for (int box = 0; box < 5; ++box) EXPECT_EQ(ConeElbowBoxCaption(c3, box, 0), five[box]);
    EXPECT_EQ(ConeElbowBoxCaption(c3, 5, 0), "");
    EXPECT_EQ(ConeElbowVariantOf(ShapeCuCilindri), nullptr);

    EXPECT_EQ(ConeElbowResultCaption(true, 0.12), "T11: 6.88" + Deg);
    EXPECT_EQ(ConeElbowResultCaption(false, 0.12), "T11: ");
    EXPECT_EQ(ConeElbowPieceHint(3, false), "CONE PIECE #3: click to preview");
    EXPECT_EQ(ConeElbowPieceHint(12, true), "CYLINDER PIECE #12: click to preview");
}

TEST(ConeElbowOption, WritesCylindricalEndsAndBothKinds) {
    InputArrays in = DefaultInputArrays();
    SetCylindricalEnds(in, false);
    EXPECT_EQ(in.CylindricalEnds, "N");
    EXPECT_EQ(in.EndConnections[1], 0.0f);
    EXPECT_EQ(in.EndConnections[6], 0.0f);
    SetCylindricalEnds(in, true);
    EXPECT_EQ(in.CylindricalEnds, "S");
    EXPECT_EQ(in.EndConnections[1], 1.0f);
    EXPECT_EQ(in.EndConnections[6], 1.0f);
    EXPECT_EQ(in.EndConnections[2], DefaultInputArrays().EndConnections[2]) << "only the kinds";
}

// The apply shows what the checks and the computation return: their own
// text numbers, the piece-count range text for any window, none of its own.
TEST(ConeElbowApply, ReturnsTheCheckOrComputationsMessage) {
    const struct {
        const char* what;
        std::int16_t shape;
        void (*edit)(InputArrays&);
        int message;
        float step = 1;  // the angular step the pieces develop with
        const char* value = "";  // the number the text names
    } cases[] = {
        {"1 defaults", ShapeCuConica1, [](InputArrays&) {}, 0},
        {"2 defaults", ShapeCuConica2, [](InputArrays&) {}, 0},
        {"3 defaults", ShapeCuConica3, [](InputArrays&) {}, 0},
        {"1 two pieces", ShapeCuConica1, [](InputArrays& i) { i.ConeElbowData[9] = 2; }, ErrPieceCountRange},
        {"2 51 pieces", ShapeCuConica2, [](InputArrays& i) { i.ConeElbowData[9] = 51; }, ErrPieceCountRange},
        {"3 51 pieces", ShapeCuConica3, [](InputArrays& i) { i.ConeElbowData[9] = 51; }, ErrPieceCountRange},
        {"3 4.5 pieces", ShapeCuConica3, [](InputArrays& i) { i.ConeElbowData[9] = 4.5f; }, ErrPieceCountRange},
        {"3 50 pieces", ShapeCuConica3, [](InputArrays& i) { i.ConeElbowData[9] = 50; }, 0},
        {"2 no thickness", ShapeCuConica2, [](InputArrays& i) { i.ConeElbowData[1] = 0; }, ErrElbowThickness},
        {"1 no small diameter", ShapeCuConica1, [](InputArrays& i) { i.ConeElbowData[2] = 0; }, ErrSmallDiameter},
        {"3 takes no diameters of its own", ShapeCuConica3,
         [](InputArrays& i) { i.ConeElbowData[2] = i.ConeElbowData[4] = 0; }, 0},
        {"3 start without diameter", ShapeCuConica3, [](InputArrays& i) { i.EndConnections[2] = 0; },
         ErrStartConnectionDiameter},
        {"3 conical end without second diameter", ShapeCuConica3, [](InputArrays& i) { i.EndConnections[10] = 0; },
         ErrEndConnectionSecondDiameter},
        {"2 cone the wrong way round", ShapeCuConica2,
         [](InputArrays& i) { i.ConeElbowData[2] = 40; }, ErrSmallDiameterNotSmaller},
        // The pieces would refuse it one by one, at a click or an export.
        {"1 step that does not divide the half turn", ShapeCuConica1, [](InputArrays&) {}, ErrAngleStep, 1.7946f},
        {"3 the step after the connections", ShapeCuConica3, [](InputArrays& i) { i.EndConnections[2] = 0; },
         ErrStartConnectionDiameter, 1.7946f},
        // d 10, D 200, square ends, A 90, L 150: R 95.49 below D'/2.
        {"1 inner side past the bend centre", ShapeCuConica1,
         [](InputArrays& i) {
             ConeElbowArray& d = i.ConeElbowData;
             d[2] = 10, d[3] = 0, d[4] = 200, d[5] = 0, d[7] = 150, d[8] = 95.49f;
         },
         ErrBendRadiusPastCentre, 1, "100.16"},
    };
    for (const auto& c : cases) {
        InputArrays in = DefaultInputArrays();
        c.edit(in);
        DevelopmentSettings settings;
        settings.AngleStep = c.step;
        // A save with no window to apply gets the same answer and leaves the state alone.
        WorkingState state = StateWithSettings(settings);
        state.Inputs = in;
        EXPECT_EQ(ElbowApplyAnswer(c.shape, state).Message, c.message) << c.what;
        EXPECT_EQ(ElbowApplyAnswer(c.shape, state).Value, c.value) << c.what;
        EXPECT_EQ(state.Elbow.Generation, 0u) << c.what;
        EXPECT_EQ(state.Inputs.ConeElbowData[13], in.ConeElbowData[13]) << c.what;
        LastElbow out;
        out.Generation = 7;
        const ConeElbowVariant& v = *ConeElbowVariantOf(c.shape);
        const int m = ApplyConeElbow(v, in, settings, out);
        EXPECT_EQ(m, c.message) << c.what;
        EXPECT_EQ(out.ElbowError != 0, m != 0) << c.what;
        EXPECT_GT(out.Generation, 7u) << c.what << ": the last elbow changed";
        EXPECT_FLOAT_EQ(in.ConeElbowData[12], static_cast<float>(in.ConeElbowData[6] * 3.14159265358979 / 180));
        if (m == 0) {
            EXPECT_GT(in.ConeElbowData[13], 0) << c.what << ": the apex angle in degrees";
            EXPECT_EQ(out.PieceCount, ConeElbowPieceTotal(v, in.ConeElbowData)) << c.what;
        }
    }
}

TEST(ConeElbowApply, AnglesInRadiansFromTheWindowsOwnSource) {
    InputArrays in = DefaultInputArrays();
    in.ConeElbowData[3] = 5;
    in.EndConnections[3] = 20;
    in.EndConnections[8] = -15;
    LastElbow out;
    ApplyConeElbow(*ConeElbowVariantOf(ShapeCuConica3), in, DevelopmentSettings{}, out);
    EXPECT_FLOAT_EQ(in.ConeElbowData[10], static_cast<float>(20 * 3.14159265358979 / 180));
    EXPECT_FLOAT_EQ(in.ConeElbowData[11], static_cast<float>(-15 * 3.14159265358979 / 180));
    ApplyConeElbow(*ConeElbowVariantOf(ShapeCuConica2), in, DevelopmentSettings{}, out);
    EXPECT_FLOAT_EQ(in.ConeElbowData[10], static_cast<float>(5 * 3.14159265358979 / 180));
}

TEST(ConeElbowApply, PieceTotals) {
    ConeElbowArray data = DefaultInputArrays().ConeElbowData;
    EXPECT_EQ(ConeElbowPieceTotal(*ConeElbowVariantOf(ShapeCuConica1), data), data[9]);
    EXPECT_EQ(ConeElbowPieceTotal(*ConeElbowVariantOf(ShapeCuConica3), data), data[9] + 2);
    data[9] = 51;
    EXPECT_EQ(ConeElbowPieceTotal(*ConeElbowVariantOf(ShapeCuConica3), data), 0);
}

}  // namespace
}  // namespace velm

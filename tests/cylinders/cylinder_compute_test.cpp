#include "cylinders/cylinder_compute.h"

#include <gtest/gtest.h>

#include <string>

#include "core/language.h"
#include "core/shape_inputs.h"
#include "platform/services.h"
#include "support/cylinder_reference.h"
#include "support/scripted_dialogs.h"
#include "support/state_with_settings.h"

namespace velm {
namespace {

using cut_cylinder::CutCylinder;
using cut_cylinder::kPi;
using cut_cylinder::Rad;
using cut_cylinder::WindowData;

CylinderSettings Settings(std::int16_t factor = 1, float step = 1, std::int16_t lato = 1, std::int16_t unit = 0) {
    CylinderSettings s;
    s.ThicknessFactor = factor;
    s.AngleStep = step;
    s.LatoSaldatura = lato;
    s.MeasuringSystem = unit;
    return s;
}

TEST(CylinderValidation, MessagesInTheirOrder) {
    const struct { const char* what; ShapeKind code; CylinderArray data; int message; CylinderSettings settings = Settings(); }
        cases[] = {
        {"defaults, right", ShapeCiRe, WindowData(0.3f, 20, 40, 10, 10), 0},
        {"everything zero", ShapeCiConcordi, WindowData(0, 0, 0, 0, 0), 2},
        {"zero diameter before zero length", ShapeCiRe, WindowData(0.3f, 0, 0, 0, 0), 14},
        {"top cut zero", ShapeCiTaSup, WindowData(0.3f, 20, 40, 0, 10), 10},
        {"same way, both zero: bottom first", ShapeCiConcordi, WindowData(0.3f, 20, 40, 0, 0), 11},
        {"not a cylinder: silent", ShapeCoRe, WindowData(0.3f, 20, 40, 10, 10), CylinderRefusedSilently},
        {"top cut reaches the baseline", ShapeCiTaSup, WindowData(1, 299, 10, 80, 0), 19},
        {"opposite cuts cross", ShapeCiDiscordi, WindowData(1, 99, 99, 45, -45), 19},
        // Outer diameters on the inner fibre: D' = D - 2s must stay positive.
        {"working diameter zero", ShapeCiRe, WindowData(3, 6, 40, 0, 0), 19, Settings(-2)},
        {"working diameter just positive", ShapeCiRe, WindowData(3, 6.5f, 40, 0, 0), 0, Settings(-2)},
        {"step finer than the tables hold", ShapeCiTaSup, WindowData(0.3f, 20, 40, 10, 0), 19, Settings(1, 0.05f)},
        {"step that does not divide the half turn", ShapeCiTaSup, WindowData(0.3f, 20, 40, 10, 0), 41, Settings(1, 1.7946f)},
        // Values that never passed an input box (a data file): outside the
        // field's limits reads as the zero of that field.
        {"negative thickness", ShapeCiRe, WindowData(-0.3f, 20, 40, 10, 10), 2},
        {"diameter over 300", ShapeCiRe, WindowData(0.3f, 300.5f, 40, 10, 10), 14},
        {"every value at its limit", ShapeCiConcordi, WindowData(3, 300, 1000, 80, 80), 0},
        {"opposite bottom over 80 by magnitude", ShapeCiDiscordi, WindowData(0.3f, 20, 40, 10, -85), 11},
        {"opposite bottom stored positive", ShapeCiDiscordi, WindowData(0.3f, 20, 40, 10, 10), 11},
        {"inches: diameter over 11.811", ShapeCiRe, WindowData(0.01f, 11.9f, 10, 0, 0), 14, Settings(1, 1, 1, 1)},
    };
    for (const auto& c : cases) {
        CylinderResults r;
        EXPECT_EQ(CheckAndDevelopCylinder(c.code, c.data, c.settings, r).Message, c.message) << c.what;
        // A save with no window to apply: the same answer from the state, which it leaves alone.
        WorkingState state = StateWithSettings(c.settings);
        state.Inputs.CylinderData = c.data;
        EXPECT_EQ(CylinderApplyMessage(c.code, state), c.message) << c.what;
        EXPECT_EQ(state.LastCylinderInputs, CylinderInputs{}) << c.what;
    }
}

TEST(CylinderDevelopment, FourKindsOnBothWeldSides) {
    // The cuts each kind develops, whatever else its data holds.
    const struct { ShapeKind code; CylinderArray data; double topDeg, bottomDeg; } kinds[] = {
        {ShapeCiRe, WindowData(0.3f, 20, 40, 10, 10), 0, 0},
        {ShapeCiTaSup, WindowData(0.3f, 20, 40, 10, 10), 10, 0},
        {ShapeCiConcordi, WindowData(1.5f, 120, 300, 35, 20), 35, 20},
        {ShapeCiDiscordi, WindowData(1.5f, 120, 300, 35, -20), 35, -20},
    };
    for (const auto& k : kinds) {
        for (std::int16_t lato : {1, -1}) {
            for (float step : {1.0f, 0.1f}) {
                SCOPED_TRACE(::testing::Message() << "code " << k.code << " lato " << lato << " step " << step);
                CylinderResults r;
                const DevelopedCylinder d = CheckAndDevelopCylinder(k.code, k.data, Settings(1, step, lato), r);
                ASSERT_EQ(d.Message, 0);
                const CutCylinder b{double{k.data[2]} + k.data[1], k.data[3], k.bottomDeg, k.topDeg, lato};
                const double tol = 2e-6 * b.Hmax();
                EXPECT_NEAR(r.Hmax, b.Hmax(), tol);
                EXPECT_NEAR(r.Hmed, b.Hmed(), tol);
                EXPECT_NEAR(r.Hmin, b.Hmin(), tol);
                const int n = HalfTurnIndex(step);
                for (int i : {0, n / 3, n + 7, 2 * n}) {
                    EXPECT_NEAR(r.CylUpperHeights[i], b.Upper(i * double{step}), tol) << i;
                    EXPECT_NEAR(r.CylLowerHeights[i], b.Lower(i * double{step}), tol) << i;
                }
                EXPECT_EQ(d.Inputs, CylinderInputsOf(k.data));
            }
        }
    }
}

TEST(CylinderDevelopment, DevelopedLengthOfEveryFibreAndDiameterReference) {
    const float d = 100, s = 2.5f;
    for (std::int16_t computing = 0; computing <= 2; ++computing) {
        for (std::int16_t outer = 0; outer <= 1; ++outer) {
            WorkingState state;
            state.Settings.ComputingSystem = computing;
            state.Settings.DiametriExt = outer;
            state.RecomputeThicknessFactor();
            state.Inputs.CylinderData = WindowData(s, d, 50, 10, 10);
            const CylinderResults& r = state.CylinderDevelopment.Results;
            ASSERT_EQ(ValidateAndDevelopCylinder(ShapeCiConcordi, state).Message, 0);
            // A typed outer diameter lies two thicknesses out from the inner face;
            // the inner, mean and outer fibres lie 0, 1 and 2 thicknesses out from it.
            const double fibre = (outer ? d - 2 * s : d) + computing * s;
            EXPECT_NEAR(r.DevelopedLength, kPi * fibre, 1e-12 * fibre) << computing << " " << outer;
        }
    }
}

TEST(CylinderDevelopment, WhatARefusalLeavesBehind) {
    CylinderResults r;
    ASSERT_EQ(CheckAndDevelopCylinder(ShapeCiConcordi, WindowData(0.3f, 20, 40, 10, 10), Settings(), r).Message, 0);
    const CylinderResults accepted = r;
    // Refused by a check: the last development stays, nothing was developed.
    const DevelopedCylinder checked = CheckAndDevelopCylinder(ShapeCiConcordi, WindowData(0, 50, 60, 20, 20), Settings(), r);
    ASSERT_EQ(checked.Message, 2);
    EXPECT_EQ(r.CylUpperHeights, accepted.CylUpperHeights);
    EXPECT_FALSE(checked.Developed);
    // Refused as impossible: the refused body is in place.
    const CylinderArray bad = WindowData(1, 99, 200, 10, 80);
    const DevelopedCylinder impossible = CheckAndDevelopCylinder(ShapeCiConcordi, bad, Settings(), r);
    ASSERT_EQ(impossible.Message, 19);
    EXPECT_NEAR(r.Hmin, CutCylinder({100, 200, 80, 10}).Hmin(), 1e-3);
    EXPECT_TRUE(impossible.Developed);
    EXPECT_EQ(impossible.Inputs, CylinderInputsOf(bad));
}

// The apply keeps the inputs of what it developed: a refusal by a check
// leaves those of the last development, an impossible body puts its own.
TEST(CylinderDevelopment, TheApplyKeepsTheInputsItDeveloped) {
    const CylinderArray good = WindowData(0.3f, 20, 40, 10, 10);
    const struct { const char* what; CylinderArray data; int message; CylinderArray kept; } cases[] = {
        {"refused by a check", WindowData(0, 50, 60, 20, 20), 2, good},
        {"refused as impossible", WindowData(1, 99, 200, 10, 80), 19, WindowData(1, 99, 200, 10, 80)},
    };
    for (const auto& c : cases) {
        WorkingState state;
        state.Inputs.CylinderData = good;
        ASSERT_EQ(ValidateAndDevelopCylinder(ShapeCiConcordi, state).Message, 0);
        state.Inputs.CylinderData = c.data;
        EXPECT_EQ(ValidateAndDevelopCylinder(ShapeCiConcordi, state).Message, c.message) << c.what;
        EXPECT_EQ(state.LastCylinderInputs, CylinderInputsOf(c.kept)) << c.what;
    }
}

TEST(CylinderWeldSide, ToggleFlipsTheSeamAndTwiceRestoresIt) {
    WorkingState state;
    state.ShapeCode = ShapeCiDiscordi;
    state.Inputs.CylinderData = WindowData(0.3f, 20, 40, 25, -15);
    CylinderResults& r = state.CylinderDevelopment.Results;
    ASSERT_EQ(ValidateAndDevelopCylinder(ShapeCiDiscordi, state).Message, 0);
    state.DevelopmentValid = True16;
    const CylinderResults first = r;

    ToggleCylinderWeldSide(state, r);
    EXPECT_EQ(state.Settings.LatoSaldatura, -1);
    for (int i = 0; i <= 180; ++i) {
        ASSERT_NEAR(r.CylUpperHeights[i], first.CylUpperHeights[180 - i], 1e-9) << i;
        ASSERT_NEAR(r.CylLowerHeights[i], first.CylLowerHeights[180 - i], 1e-9) << i;
    }
    ToggleCylinderWeldSide(state, r);
    EXPECT_EQ(state.Settings.LatoSaldatura, 1);
    EXPECT_EQ(r.CylUpperHeights, first.CylUpperHeights);

    // After a refused apply only the side changes: refused inputs are never developed.
    state.Inputs.CylinderData = WindowData(1, 99, 200, 10, -80);
    state.DevelopmentValid = False16;
    const CylinderInputs lastBefore = state.LastCylinderInputs;
    ToggleCylinderWeldSide(state, r);
    EXPECT_EQ(state.Settings.LatoSaldatura, -1);
    EXPECT_EQ(r.CylUpperHeights, first.CylUpperHeights);
    EXPECT_EQ(state.LastCylinderInputs, lastBefore);
}

// The weld-side marker sits 20 px below the first dimension label, at the
// second label's left on side 1 and 30 px left of the first on side -1.
TEST(CylinderWeldSide, MarkerOnTheSideOfTheSeam) {
    const struct { std::int16_t side; int left, top; } cases[] = {{1, 300, 70}, {-1, 70, 70}};
    for (const auto& c : cases) {
        const MarkerPlace p = WeldSideMarkerPlace(c.side, 100, 50, 300);
        EXPECT_EQ(std::pair(p.Left, p.Top), std::pair(c.left, c.top)) << c.side;
    }
}

TEST(CylinderMessages, RefusalShowsItsNumberedTextAsACriticalMessage) {
    const TextSection saved = Language().Sections[LangErrore];
    Language().Sections[LangErrore].assign(21, "");
    for (int i = 1; i <= 20; ++i) Language().Sections[LangErrore][i] = "text " + std::to_string(i);
    ScriptedDialogs dialogs;
    Dialogs* previous = Platform().dialogs;
    Platform().dialogs = &dialogs;
    dialogs.ExpectMessage(IdOk);
    WorkingState state;
    state.Inputs.CylinderData = WindowData(0.3f, 20, 40, 10, 0);
    // The computation only answers; the apply's report shows the text once.
    const int message = ValidateAndDevelopCylinder(ShapeCiDiscordi, state).Message;
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(ReportCheckResult(message), True16);
    // Another shape's code is refused without a word.
    EXPECT_EQ(ReportCheckResult(ValidateAndDevelopCylinder(ShapeCoRe, state).Message), True16);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].prompt, "text 11");
    EXPECT_EQ(dialogs.messages[0].style, MbCritical);
    EXPECT_EQ(dialogs.messages[0].title, "text 1");
    Platform().dialogs = previous;
    Language().Sections[LangErrore] = saved;
}

}  // namespace
}  // namespace velm

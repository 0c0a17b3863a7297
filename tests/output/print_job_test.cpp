// The print job on the recording printer: what goes on the page in which
// order, the title line, the outline's points whole and by halves, true
// sizes through the print factors, and the failures.
#include "output/print_job.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "cones/cone_compute.h"
#include "core/language.h"
#include "core/unit_conversion.h"
#include "cylinders/cylinder_compute.h"
#include "platform/services.h"
#include "support/recording_printer.h"
#include "support/scripted_dialogs.h"

namespace velm {
namespace {

constexpr double Pi = 3.14159265358979323846;

class PrintJobTest : public testing::Test {
protected:
    void SetUp() override {
        LanguageTexts& l = Language();
        l.Sections[LangFrmAntep].assign(51, "");
        for (int i = 1; i <= 50; ++i) l.Sections[LangFrmAntep][i] = "t" + std::to_string(i);
        l.Sections[LangFrmUnMis] = {"", "Unit", "mm", "inch"};
        l.Sections[LangErrore].assign(40, "");
        l.Sections[LangErrore][1] = "Error";
        l.Sections[LangErrore][34] = "No printer";
        saved_ = Platform();
        Platform().dialogs = &dialogs;
        Platform().printer = &printer;
        printer.SetPage(200, 287);
    }
    void TearDown() override {
        Platform() = saved_;
        Language() = LanguageTexts{};
        dialogs.VerifyAllUsed();
    }
    // A developed cylinder of the given kind with the default inputs.
    void DevelopCylinder(std::int16_t code, float step) {
        st.ShapeCode = code;
        st.Settings.AngleStep = step;
        ASSERT_EQ(ValidateAndDevelopCylinder(static_cast<ShapeKind>(code), st).Message, 0);
    }
    void DevelopCone(std::int16_t code, float step) {
        st.ShapeCode = code;
        st.Settings.AngleStep = step;
        ASSERT_EQ(ValidateAndDevelopCone(static_cast<ShapeKind>(code), st).Message, 0);
    }
    // The drawing 50 px from the sheet's left and 100 px from its top, on a
    // sheet of 500 x 717.5 px standing for the 200 x 287 mm page.
    void Place(float fX, float fY, std::int16_t scale = 1) {
        st.Sheet.PageWidth = static_cast<float>(200 / fX * scale);
        st.Sheet.PageHeight = static_cast<float>(287 / fY * scale);
        st.Sheet.CylinderFactors = st.Sheet.ConeFactors = {fX / scale, fY / scale};
        st.Sheet.DrawingLeft = 50;
        st.Sheet.DrawingTop = 100;
        st.Settings.Scale = scale;
    }
    const RecordingPrinter::PageRec& OnlyPage() {
        EXPECT_EQ(printer.documents.size(), 1u);
        EXPECT_EQ(printer.documents.at(0).pages.size(), 1u);
        return printer.documents.at(0).pages.at(0);
    }

    WorkingState st;
    RecordingPrinter printer;
    ScriptedDialogs dialogs;
    SheetPictures pictures{500, 717.5, 160};

private:
    Services saved_;
};

// The outline's extent on paper: its width, height and corners.
struct Box {
    double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
};
Box Extent(const std::vector<RecordingPrinter::LineRec>& lines, bool outline) {
    Box b;
    for (const auto& l : lines) {
        if ((l.style == DrawSolid) != outline) continue;
        b.left = std::min({b.left, l.x1, l.x2});
        b.right = std::max({b.right, l.x1, l.x2});
        b.top = std::min({b.top, l.y1, l.y2});
        b.bottom = std::max({b.bottom, l.y1, l.y2});
    }
    return b;
}

TEST_F(PrintJobTest, CylinderOutlineWholeAndHalvesAtTrueSize) {
    struct Case {
        std::int16_t part;
        float step;
        int segmentsPerEdge;
        bool leftEdge, rightEdge;
    };
    const Case cases[] = {{0, 1, 360, true, true}, {1, 0.5f, 360, true, false}, {2, 0.5f, 360, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.part);
        printer.documents.clear();
        DevelopCylinder(ShapeCiConcordi, c.step);
        st.DevelopmentPart = c.part;
        Place(1, 1);
        ASSERT_EQ(PrintSheetOn(printer, CylinderSheet, pictures, st), DocumentResult::Printed);
        const auto& lines = OnlyPage().lines;
        const CylinderResults& r = st.CylinderDevelopment.Results;
        const double L = r.DevelopedLength;
        ASSERT_EQ(static_cast<int>(lines.size()), 2 * c.segmentsPerEdge + c.leftEdge + c.rightEdge + 1);
        // 50 of 500 px of a 200 mm page; 100 of 717.5 px of a 287 mm page.
        const double x0 = 20, y0 = 40, yB = y0 + r.Hmax;
        const Box b = Extent(lines, true);
        EXPECT_NEAR(b.left, x0, 1e-6);
        EXPECT_NEAR(b.right - b.left, c.part == 0 ? L : L / 2, 1e-6);
        EXPECT_NEAR(b.bottom, yB - r.Hmin * 0, 1e-6);
        EXPECT_NEAR(b.top, y0, 1e-6);
        // The lower edge starts at the part's first generatrix on the drawing's left edge.
        const int first = c.part == 2 ? static_cast<int>(std::lround(180 / c.step)) : 0;
        EXPECT_NEAR(lines[0].x1, x0, 1e-6);
        EXPECT_NEAR(lines[0].y1, yB - r.CylLowerHeights[static_cast<std::size_t>(first)], 1e-6);
        for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
            EXPECT_EQ(lines[i].width, 3);
            EXPECT_EQ(lines[i].style, DrawSolid);
        }
        // The dash-dot 180-degree line: the middle, or the cut edge of a half, 2 mm past the plate.
        const auto& middle = lines.back();
        EXPECT_EQ(middle.style, DrawDashDot);
        EXPECT_EQ(middle.width, 1);
        EXPECT_NEAR(middle.x1, c.part == 0 ? x0 + L / 2 : c.part == 1 ? x0 + L / 2 : x0, 1e-6);
        EXPECT_NEAR(middle.y1, y0 - 2, 1e-6);
        EXPECT_NEAR(middle.y2, yB + 2, 1e-6);
        // The edges close: every outline segment starts where one ends.
        const std::size_t n = lines.size() - 1;
        if (c.part == 0) {
            EXPECT_NEAR(lines[n - 1].y2, lines[0].y1, 1e-6);
        }
    }
}

// In inch mode the page is measured in inches: the plate at its true size in
// inches, placed where the sheet shows it, the dash-dot line 2 mm past it.
TEST_F(PrintJobTest, InchDevelopmentPrintsInInches) {
    st.Settings.MeasuringSystem = 1;
    ConvertInputUnits(0, st.Inputs);  // the millimetre defaults into inches
    DevelopCylinder(ShapeCiConcordi, 1);
    Place(1, 1);
    st.Sheet.PageWidth /= 25.4f;
    st.Sheet.PageHeight /= 25.4f;
    ASSERT_EQ(PrintSheetOn(printer, CylinderSheet, pictures, st), DocumentResult::Printed);
    const auto& lines = OnlyPage().lines;
    const CylinderResults& r = st.CylinderDevelopment.Results;
    const double x0 = 20 / 25.4, y0 = 40 / 25.4;
    const Box b = Extent(lines, true);
    EXPECT_NEAR(b.left, x0, 1e-6);
    EXPECT_NEAR(b.top, y0, 1e-6);
    EXPECT_NEAR(b.right - b.left, r.DevelopedLength, 1e-6);
    EXPECT_NEAR(b.bottom - b.top, r.Hmax, 1e-6);
    EXPECT_NEAR(lines.back().y1, y0 - 2 / 25.4, 1e-6);
    EXPECT_NEAR(lines.back().y2, y0 + r.Hmax + 2 / 25.4, 1e-6);
}

TEST_F(PrintJobTest, PrintFactorsScaleEveryPrintedLength) {
    DevelopCylinder(ShapeCiRe, 1);
    const CylinderResults& r = st.CylinderDevelopment.Results;
    struct Case {
        float fX, fY;
        std::int16_t scale;
    };
    for (const Case& c : {Case{1, 1, 1}, Case{1, 1, 2}, Case{1.02f, 0.98f, 1}}) {
        SCOPED_TRACE(testing::Message() << c.fX << " 1:" << c.scale);
        printer.documents.clear();
        Place(c.fX, c.fY, c.scale);
        PrintSheetOn(printer, CylinderSheet, pictures, st);
        const Box b = Extent(OnlyPage().lines, true);
        EXPECT_NEAR(b.right - b.left, r.DevelopedLength * c.fX / c.scale, 1e-4);
        EXPECT_NEAR(b.bottom - b.top, r.Hmax * c.fY / c.scale, 1e-4);
        // Where the preview shows it: 50 px of 500 of the page's width.
        EXPECT_NEAR(b.left, 20, 1e-4);
    }
}

TEST_F(PrintJobTest, ConeOutlineIsTheRingSectorAboutItsApex) {
    for (std::int16_t part : {0, 1, 2}) {
        SCOPED_TRACE(part);
        printer.documents.clear();
        DevelopCone(ShapeCoRe, 0.25f);
        st.DevelopmentPart = part;
        Place(1, 1);
        PrintSheetOn(printer, ConeSheet, pictures, st);
        const auto& lines = OnlyPage().lines;
        const ConeResults& r = st.ConeDevelopment.Results;
        const int m = 720;
        ASSERT_EQ(static_cast<int>(lines.size()), part == 0 ? 2 * 2 * m + 3 : 2 * m + 2);
        // The apex above the drawing's middle, or on the cut edge of a half.
        const double xS = part == 0 ? 50 + 80 : part == 1 ? 50 + 160 : 50;
        const double xA = xS / 500 * 200;
        const double yA = 40 - r.UpperEdgeMinY;
        for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
            // A right frustum's edges are arcs about the apex.
            const double d = std::hypot(lines[i].x1 - xA, lines[i].y1 - yA);
            const bool onEdge = std::fabs(d - r.ConeInnerRadius) < 1e-3 || std::fabs(d - r.ConeOuterRadius) < 1e-3;
            EXPECT_TRUE(onEdge) << i << " " << d;
            if (part == 1) {
                EXPECT_LE(std::max(lines[i].x1, lines[i].x2), xA + 1e-9);
            }
            if (part == 2) {
                EXPECT_GE(std::min(lines[i].x1, lines[i].x2), xA - 1e-9);
            }
        }
        const auto& axis = lines.back();
        EXPECT_EQ(axis.style, DrawDashDot);
        EXPECT_NEAR(axis.x1, xA, 1e-9);
        EXPECT_NEAR(axis.y1, yA + r.UpperEdgeMinY - 2, 1e-6);
        EXPECT_NEAR(axis.y2, yA + r.LowerEdgeMaxY + 2, 1e-6);
        // The whole sector's width at the seams: the outer chord.
        if (part == 0) {
            EXPECT_NEAR(Extent(lines, true).right - Extent(lines, true).left, r.ConeOuterChord, 1e-3);
        }
    }
}

TEST_F(PrintJobTest, TitleLineDataBlockAndOptions) {
    DevelopCylinder(ShapeCiRe, 1);
    struct Case {
        const char* name;
        std::int16_t code, scale, piece, data, note, sviluppo;
        std::vector<std::string> texts;  // in print order
        bool drawing;
    };
    const Case cases[] = {
        {"1:1 plain: empty title line", 6, 1, 0, 0, 0, 1, {}, true},
        {"1:4, piece 3 of an elbow", 10, 4, 3, 0, 0, 1, {"T42 1:4", "T413"}, true},
        {"elbow piece at 1:1", 11, 1, 2, 0, 0, 1, {"T412"}, true},
        {"data only", 6, 2, 0, 1, 0, 0, {}, false},
        {"notes only", 7, 1, 0, 0, 1, 1, {"--- TOLVA-MERIX --- VELM 2.1"}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        printer.documents.clear();
        st.ShapeCode = c.code;
        st.SelectedPiece = c.piece;
        st.Settings.CheckData = c.data;
        st.Settings.CheckNote = c.note;
        st.Settings.CheckSviluppo = c.sviluppo;
        Place(1, 1, c.scale);
        ASSERT_EQ(PrintSheetOn(printer, CylinderSheet, pictures, st), DocumentResult::Printed);
        const auto& page = OnlyPage();
        EXPECT_EQ(!page.lines.empty(), c.drawing);
        if (c.data == 1) {
            // 10 lines: the header, the title's two items, four rows of two and the method.
            EXPECT_EQ(page.texts.size(), 12u);
            continue;
        }
        std::vector<std::string> texts;
        for (const auto& t : page.texts) texts.push_back(t.text);
        if (c.note == 1) {
            EXPECT_EQ(texts, c.texts);
            continue;
        }
        EXPECT_EQ(texts, c.texts);
        for (const auto& t : page.texts) {
            EXPECT_TRUE(t.bold);
            EXPECT_NEAR(t.y, 0, 1e-9);  // one line
        }
        if (c.code == 10) {
            EXPECT_NEAR(page.texts[0].x, 0, 1e-9);
            EXPECT_NEAR(page.texts[1].x, (200 - 4 * printer.charWidthMm) / 2, 0.02);  // centred
        }
    }
}

// The dash-dot line reaches 2 mm past the plate, above it never into the text
// printed over the drawing (4 mm lines): a piece title, a scale caption, the notes.
TEST_F(PrintJobTest, MiddleLineStaysClearOfTheTextAbove) {
    DevelopCylinder(ShapeCiRe, 1);
    const struct { std::int16_t code, scale, note; double text, gap; } cases[] = {
        {ShapeCuCilindri, 1, 0, 4, 0.5}, {ShapeCiRe, 2, 0, 4, 1}, {ShapeCiRe, 1, 1, 12, 0}, {ShapeCiRe, 2, 0, 4, 10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gap);
        printer.documents.clear();
        st.ShapeCode = c.code;
        st.Settings.CheckNote = c.note;
        Place(1, 1, c.scale);
        st.Sheet.DrawingTop = static_cast<float>((c.text + c.gap) / 287 * pictures.SheetHeight);
        ASSERT_EQ(PrintSheetOn(printer, CylinderSheet, pictures, st), DocumentResult::Printed);
        const auto& middle = OnlyPage().lines.back();
        EXPECT_NEAR(middle.y1, std::max(c.text, c.text + c.gap - 2), 1e-3);
        EXPECT_NEAR(middle.y2, c.text + c.gap + st.CylinderDevelopment.Results.Hmax / c.scale + 2, 1e-3);
    }
}

TEST_F(PrintJobTest, NothingChosenPrintsNothingAndAFamilyOutOfRangeOnlyEnds) {
    DevelopCylinder(ShapeCiRe, 1);
    st.Settings.CheckSviluppo = 0;
    EXPECT_EQ(PrintSheetOn(printer, CylinderSheet, pictures, st), DocumentResult::Empty);
    st.Settings.CheckSviluppo = 1;
    EXPECT_EQ(PrintSheetOn(printer, 3, pictures, st), DocumentResult::Empty);
    EXPECT_TRUE(printer.documents.empty());
}

TEST_F(PrintJobTest, ADocumentThatCannotStartIsReported) {
    DevelopCylinder(ShapeCiRe, 1);
    Place(1, 1);
    State() = st;  // the job of the running program prints its state
    Language().Sections[LangCommon].assign(27, "");
    Language().Sections[LangCommon][26] = "No print service";
    struct Case {
        std::string failure, message;
        PrintFault fault = PrintFault::Other;
    };
    for (const Case& c : {Case{"", "No printer."}, Case{"/x/a.pdf: Permission denied", "/x/a.pdf: Permission denied"},
                          // not the service's words for a missing queue: it did not answer at all
                          Case{"Workshop_PDF: The printer or class does not exist.", "No print service", PrintFault::NoService}}) {
        dialogs.Reset();
        printer.failStart = true;
        printer.failureText = c.failure;
        printer.fault = c.fault;
        dialogs.ExpectMessage(IdOk);
        PrintSheet(CylinderSheet, pictures);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].prompt, c.message);
        EXPECT_EQ(dialogs.messages[0].style, MbCritical);
        EXPECT_EQ(dialogs.messages[0].title, "Error");
    }
    State() = WorkingState{};
}

// A range ended early names the pieces printed and those left (one with a copy left among them), unless none printed.
TEST_F(PrintJobTest, ARangeEndedEarlyNamesThePiecesPrintedAndNot) {
    std::vector<std::string>& common = Language().Sections[LangCommon];
    common.assign(33, "");
    common.insert(common.end(), {"Piece", "Pieces", "was printed", "were printed", "was not printed", "were not printed", "to", "and"});
    const struct {
        std::vector<int> pieces, printed;
        std::string text;
    } cases[] = {
        {{1, 2, 3, 4}, {1}, "Piece 1 was printed. Pieces 2 to 4 were not printed."},
        {{1, 2, 3, 5, 6}, {}, "Pieces 1 to 3, 5 and 6 were not printed."},
        {{1, 3, 4, 5, 7}, {1, 3}, "Pieces 1 and 3 were printed. Pieces 4, 5 and 7 were not printed."},
        {{2, 2, 4, 4}, {2, 2, 4}, "Piece 2 was printed. Piece 4 was not printed."},
        {{2, 3}, {2, 3}, "Pieces 2 and 3 were printed."},
    };
    for (const auto& c : cases) EXPECT_EQ(RangeEndText(c.pieces, c.printed), c.text);

    st.Settings.CheckSviluppo = 1;
    for (const bool anyPrinted : {true, false}) {
        dialogs.Reset();
        RangePrintQuestions range;
        dialogs.ExpectMessage(IdNo);
        EXPECT_FALSE(MayPrintSheet(st.Settings, "Cut off", false));
        if (anyPrinted) dialogs.ExpectMessage(IdOk);
        range.Finish({1, 2, 3}, anyPrinted ? std::vector<int>{1} : std::vector<int>{});
        ASSERT_EQ(dialogs.messages.size(), anyPrinted ? 2u : 1u);
        if (!anyPrinted) continue;
        EXPECT_EQ(dialogs.messages[1].prompt, RangeEndText({1, 2, 3}, {1}));
        EXPECT_EQ(dialogs.messages[1].style, MbInformation);
    }
}

// A drawing past the page's edges prints only within the printable area;
// where the preview marks it cut off, a red band 1 mm wide runs inside each
// edge it crosses, as long as the drawing beside it.
TEST_F(PrintJobTest, ACutOffDrawingIsClippedAndMarkedAtTheEdgesItCrosses) {
    DevelopCylinder(ShapeCiRe, 1);
    const CylinderResults& r = st.CylinderDevelopment.Results;
    const double L = r.DevelopedLength, H = r.Hmax;
    const struct {
        const char* name;
        double left, top;  // where the plate starts on the 200 x 287 mm page
        bool cutOff;
        const char* marks;  // L left, R right, B bottom
    } cases[] = {
        {"past the right", 200 - L / 2, 40, true, "R"},
        {"past the left", -L / 3, 40, true, "L"},
        {"past the bottom", 20, 287 - H / 2, true, "B"},
        {"past the right and the bottom", 200 - L / 2, 287 - H / 3, true, "RB"},
        {"past the right, the preview marks no cut", 200 - L / 2, 40, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        printer.documents.clear();
        Place(1, 1);
        st.Sheet.DrawingLeft = static_cast<float>(c.left / 200 * pictures.SheetWidth);
        st.Sheet.DrawingTop = static_cast<float>(c.top / 287 * pictures.SheetHeight);
        SheetPictures at = pictures;
        at.CutOff = c.cutOff;
        ASSERT_EQ(PrintSheetOn(printer, CylinderSheet, at, st), DocumentResult::Printed);
        std::string marks;
        bool onEdge = false;  // a line cut by a side edge ends on it
        const double across = std::min(c.left + L, 200.0) - std::max(c.left, 0.0);
        const double down = std::min(c.top + H, 287.0) - std::max(c.top, 0.0);
        for (const auto& l : OnlyPage().lines) {
            EXPECT_TRUE(std::min({l.x1, l.x2, l.y1, l.y2}) > -1e-6 && std::max(l.x1, l.x2) < 200 + 1e-6 &&
                        std::max(l.y1, l.y2) < 287 + 1e-6);
            onEdge |= std::fabs(std::max(l.x1, l.x2) - 200) < 1e-6 || std::fabs(std::min(l.x1, l.x2)) < 1e-6;
            if (l.colour != RGB(255, 0, 0)) continue;
            const bool bottom = l.y1 == l.y2;
            marks += bottom ? 'B' : l.x1 < 100 ? 'L' : 'R';
            EXPECT_EQ(l.width, 24);  // 1 mm at 600 dpi
            EXPECT_NEAR(bottom ? l.y1 : l.x1, bottom ? 286.5 : l.x1 < 100 ? 0.5 : 199.5, 1e-6);
            EXPECT_NEAR(bottom ? std::fabs(l.x2 - l.x1) : std::fabs(l.y2 - l.y1), bottom ? across : down, 1e-4);
        }
        EXPECT_EQ(marks, c.marks);
        EXPECT_EQ(onEdge, c.left < 0 || c.left + L > 200);
    }
}

TEST_F(PrintJobTest, NoPrinterIsAnyFailureToReadThePage) {
    struct Case {
        bool available;
        double width;
        bool answers;
    };
    for (const Case& c : {Case{true, 200, true}, Case{false, 200, false}, Case{true, 0.5, false}}) {
        dialogs.Reset();
        printer.available = c.available;
        printer.SetPage(c.width, 287);
        if (!c.answers) dialogs.ExpectMessage(IdOk);
        EXPECT_EQ(CheckPrinterAvailable("No printer"), c.answers);
        EXPECT_EQ(dialogs.messages.size(), c.answers ? 0u : 1u);
        if (!c.answers) {
            EXPECT_EQ(dialogs.messages[0].prompt, "No printer.");
        }
    }
}

}  // namespace
}  // namespace velm

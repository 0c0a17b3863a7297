// The notes window's lines: the printed data block's rows as the window
// shows them, the rows reserved above the notes box per shape code, where
// the box and OK go, and notes kept to one line.
#include "output/notes_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/language.h"

namespace velm {
namespace {

class NotesLinesTest : public testing::Test {
protected:
    void SetUp() override {
        LanguageTexts& l = Language();
        l.Sections[LangFrmAntep].assign(51, "");
        for (int i = 1; i <= 50; ++i) l.Sections[LangFrmAntep][i] = "T" + std::to_string(i);
        l.Sections[LangFrmUnMis] = {"", "Unit", "mm", "inch"};
    }
    void TearDown() override { Language() = LanguageTexts{}; }
};

TEST_F(NotesLinesTest, RowsReservedAboveTheNotesBoxPerShapeCode) {
    struct Case {
        std::int16_t openPreview, code;
        int k;
    };
    // One row per data line shown, the caption and the box's own row.
    const Case cases[] = {
        {0, 1, 16}, {0, 2, 18}, {0, 3, 18}, {0, 4, 20}, {0, 5, 20}, {0, 11, 20}, {0, 12, 20}, {0, 13, 20},
        {1, 6, 9},  {1, 7, 12}, {1, 8, 14}, {1, 9, 14}, {1, 10, 14}, {1, 11, 14}, {1, 13, 14},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "preview " << c.openPreview << " code " << c.code);
        WorkingState st;
        st.OpenPreview = c.openPreview;
        st.ShapeCode = c.code;
        st.Settings.CheckData = 1;
        EXPECT_EQ(NotesReservedRows(c.openPreview, c.code, 0), c.k);
        EXPECT_EQ(NotesReservedRows(c.openPreview, c.code, 1), 2) << "notes only";
        // The rows shown fill all but the box's own row.
        const auto rows = NotesWindowRows(st);
        EXPECT_EQ(static_cast<int>(rows.size()), c.k - 1);
        EXPECT_EQ(rows.back(), " T39:");
        st.Settings.CheckData = 0;
        st.Settings.CheckNote = 1;
        EXPECT_EQ(NotesWindowRows(st), std::vector<std::string>{" T39:"});
    }
}

TEST_F(NotesLinesTest, DataLinesAreThePrintedOnesOneBlankFurtherIn) {
    WorkingState st;
    st.OpenPreview = 1;
    st.ShapeCode = ShapeCiRe;
    st.Settings.CheckData = 1;
    st.Settings.MeasuringSystem = 1;
    st.Settings.ComputingSystem = 0;
    st.LastCylinderInputs = {0.125f, 4, 10};
    st.CylinderDevelopment.Results.DevelopedLength = 12.95906;
    // A label of 13 characters: with its blank it ends where a zone does.
    Language().Sections[LangFrmAntep][15] = "Thickness ab";
    // Every value in the fourth zone, column 42 from 0, as on paper.
    auto row = [](const std::string& label, const std::string& value) {
        return label + std::string(42 - label.size(), ' ') + value;
    };
    const std::vector<std::string> expected{
        " T14          [inch]",
        "",
        row(" Thickness ab:", "0.125"),
        row(" T30:", "4"),
        row(" T31:", "10"),
        row(" T35:", "12.9591"),
        " T38",
        " T39:",
    };
    EXPECT_EQ(NotesWindowRows(st), expected);
    const auto cone = BuildConeDataLines(st);
    ASSERT_EQ(cone.size(), 14u);  // title, empty line, 11 rows, method
    EXPECT_EQ(cone[2].front().Text, " Thickness ab:");
}

TEST_F(NotesLinesTest, BoxAndOkSitUnderTheReservedRows) {
    struct Case {
        int k;
        int noteTop, okTop;  // in rows of h
    };
    const Case cases[] = {{9, 8, 10}, {2, 1, 3}, {20, 19, 21}};
    constexpr int h = 15, w = 400, ok = 24;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.k);
        const NotesLayout at = LayOutNotesWindow(h, w, c.k, ok);
        EXPECT_EQ(at.NoteTop, c.noteTop * h);
        EXPECT_EQ(at.OkTop, c.okTop * h);
        EXPECT_GE(at.InnerHeight, at.OkTop + ok);
        EXPECT_EQ(at.InnerWidth, w);
        EXPECT_LT(at.NoteLeft + at.NoteWidth, w);
    }
}

TEST_F(NotesLinesTest, NotesAreOneLine) {
    const struct {
        const char *typed, *kept;
    } cases[] = {
        {"order 12", "order 12"},
        {"order\n12", "order 12"},
        {"order\r\n12\r\n", "order 12 "},
        {"a\r\rb", "a  b"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(OneLineNote(c.typed), c.kept) << c.typed;
}

}  // namespace
}  // namespace velm

// File > DXF from each elbow window, as a user saves it. The files and what
// each must hold go where the DXF reader check looks (VELM_DXF_CASES) or
// into the test's own folder; what they must hold is the elbow computed here
// from the values typed, not what the window left in the working state.
#include <QRadioButton>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "elbows/cone_elbow.h"
#include "elbows/cyl_elbow.h"
#include "elbows/windows/cone_elbow_window.h"
#include "frame/windows/shape_opener.h"
#include "frame/windows/window_test_actions.h"
#include "output/dxf_cases.h"

namespace velm {
namespace {

class ElbowWindowDxfTest : public AppFixture {};

// The elbow of `code` from the default inputs with `pieces` typed, computed
// without the windows.
std::unique_ptr<WorkingState> Expected(int code, float pieces, const std::string& ends) {
    const WorkingState& st = State();
    auto ref = dxf_cases::Developed(ShapeNone, st.Settings.AngleStep, st.Settings.LatoSaldatura, 0);
    ref->ThicknessFactor = st.ThicknessFactor;
    ref->ShapeCode = static_cast<std::int16_t>(code);
    InputArrays in = DefaultInputArrays();
    auto rad = [](float deg) { return static_cast<float>(deg * DegToRad); };
    if (code == ShapeCuCilindri) {
        CylElbowArray& d = in.CylElbowData;
        d[8] = pieces;
        d[9] = rad(d[3]), d[10] = rad(d[4]), d[11] = rad(d[5]);
        EXPECT_EQ(ComputeCylElbow(d, ref->ThicknessFactor, ref->Elbow), 0);
        return ref;
    }
    ConeElbowArray& d = in.ConeElbowData;
    d[9] = pieces;
    const bool connections = code == ShapeCuConica3;
    d[10] = rad(connections ? in.EndConnections[3] : d[3]);
    d[11] = rad(connections ? in.EndConnections[8] : d[5]);
    d[12] = rad(d[6]);
    EXPECT_EQ(ComputeConeElbow(static_cast<ConeElbowLayout>(code - ShapeCuCilindri), d, in.EndConnections,
                               std::string(ends) == "S", DevelopmentSettingsOf(*ref), ref->Elbow)
                  .Message,
              0);
    return ref;
}

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST_F(ElbowWindowDxfTest, EachWindowWritesEveryPieceOfItsElbow) {
    const char* env = std::getenv("VELM_DXF_CASES");
    printer.SetPage(200, 287);
    ASSERT_TRUE(Start());
    const std::string folder = env && *env ? env : ProgramFolder();
    Mdi()->resize(1280, 800);
    struct Case {
        int code;
        std::size_t countBox;
        const char* ends;  // FrmCuConica1's end pieces
        int typed;         // the number of pieces typed (the conical windows share it)
        int pieces;        // with the connections of FrmCuConica3
    };
    // FrmCuConica3 first, on its default connections: FrmCuConica1 rewrites their kinds.
    const Case cases[] = {{ShapeCuConica3, 4, "N", 4, 6}, {ShapeCuCilindri, 7, "N", 6, 6},
                          {ShapeCuConica1, 8, "S", 7, 7}, {ShapeCuConica2, 8, "N", 8, 8}};
    std::vector<std::string> entries;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        OpenShapeForm(c.code, StartPanel());
        Wait(20);
        auto* w = qobject_cast<ElbowWindow*>(LoadedShapeWindow(c.code));
        ASSERT_NE(w, nullptr);
        wt::SubWindowOf(w)->showMaximized();
        Wait(20);
        if (auto* cone = qobject_cast<ConeElbowWindow*>(w); cone && !cone->OptRaccordi.empty())
            cone->OptRaccordi[c.ends[0] == 'S' ? 1 : 0]->click();
        wt::Type(w->TxtInputDati[c.countBox], std::to_string(c.typed));  // applied by the export
        const std::string name = "window" + std::to_string(c.code) + ".dxf";
        dialogs.ExpectSave(folder + "/" + name);
        DispatchFileCommand(FileMenuItem::SaveDxf);

        const auto expected = Expected(c.code, static_cast<float>(c.typed), c.ends);
        ASSERT_EQ(expected->Elbow.PieceCount, c.pieces);
        entries.push_back(dxf_cases::CaseEntry(name, *expected));
        // Without the reader: one outline per cylinder piece, two edges per frustum.
        std::ifstream in(folder + "/" + name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        int polylines = 0;
        for (int p = 1; p <= c.pieces; ++p) {
            ElbowPiece piece;
            ASSERT_TRUE(ElbowPieceOf(expected->Elbow, p, piece));
            polylines += piece.Cylindrical ? 1 : 2;
        }
        EXPECT_EQ(Count(text.str(), "\r\nPOLYLINE\r\n"), polylines);
        wt::Click(w->CmdIndietro);
        Wait(20);
    }
    EXPECT_TRUE(dxf_cases::WriteCases(folder, entries));
}

}  // namespace
}  // namespace velm

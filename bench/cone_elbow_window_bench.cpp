// What a user waits for in the conical elbow windows: apply (check,
// computation and the drawn, filled elbow) and the picture put on the
// screen, for a 50-piece elbow of each kind at an angular step of 0.1 degree
// in a 1280 x 800 window.
#include <chrono>
#include <memory>

#include "bench_support.h"
#include "elbows/windows/cone_elbow_window.h"
#include "geometry/angles.h"

namespace {

using namespace velm;

void BM_ConeElbowApplyAndDraw(benchmark::State& st) {
    const int code = static_cast<int>(st.range(0));
    State() = WorkingState{};
    State().Settings.AngleStep = 0.1f;
    // Thickness 0.3, diameters 20 and 10 (the defaults' other values),
    // 180 degrees, R 300, 50 pieces.
    ConeElbowArray& data = State().Inputs.ConeElbowData;
    data[6] = 180;
    data[7] = static_cast<float>(300 * Pi);
    data[8] = 300;
    data[9] = 50;
    auto window = std::make_unique<ConeElbowWindow>(code);
    window->Form_Load();
    window->resize(1280, 800);
    window->show();
    QApplication::processEvents();
    const int expected = code == ShapeCuConica3 ? 52 : 50;
    if (!window->LastApplyAccepted() || State().Elbow.PieceCount != expected) {
        st.SkipWithError("the elbow was refused");
        return;
    }
    // Timing an empty picture would flatter: the pieces must be filled.
    const ImageCanvas& canvas = window->PctDisegno->canvas();
    long filled = 0;
    for (int y = 0; y < canvas.PixelHeight(); ++y)
        for (int x = 0; x < canvas.PixelWidth(); ++x) filled += canvas.Point(x, y) == State().ConePieceFill;
    if (filled < 1000) {
        st.SkipWithError("the elbow was not drawn");
        return;
    }
    bench::TimeClickAndRepaint(st, [&] { window->CmdApplica_Click(); }, *window->PctDisegno);
    window->hide();
}
BENCHMARK(BM_ConeElbowApplyAndDraw)
    ->Arg(ShapeCuConica1)
    ->Arg(ShapeCuConica2)
    ->Arg(ShapeCuConica3)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime();

}  // namespace

int main(int argc, char** argv) { return velm::bench::RunInQtApplication(argc, argv); }

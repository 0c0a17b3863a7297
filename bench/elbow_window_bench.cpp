// What a user waits for in the cylindrical elbow window: apply (check,
// computation and the drawn, filled elbow) and the picture put on the
// screen, for a 50-piece elbow at an angular step of 0.1 degree in a
// 1280 x 800 window.
#include <chrono>

#include "bench_support.h"
#include "elbows/windows/cyl_elbow_window.h"
#include "geometry/angles.h"

namespace {

using namespace velm;

void BM_CylElbowApplyAndDraw(benchmark::State& st) {
    State() = WorkingState{};
    State().Settings.AngleStep = 0.1f;
    // Thickness, diameter, cuts 5 and -5, 180 degrees, R 300, 50 pieces.
    State().Inputs.CylElbowData = {0, 0.3f, 25, 5, -5, 180, static_cast<float>(300 * Pi), 300, 50, 0, 0, 0};
    auto window = std::make_unique<CylElbowWindow>();
    window->Form_Load();
    window->resize(1280, 800);
    window->show();
    QApplication::processEvents();
    if (!window->LastApplyAccepted() || State().Elbow.PieceCount != 50) {
        st.SkipWithError("the elbow was refused");
        return;
    }
    bench::TimeClickAndRepaint(st, [&] { window->CmdApplica_Click(); }, *window->PctDisegno);
    window->hide();
}
BENCHMARK(BM_CylElbowApplyAndDraw)->Unit(benchmark::kMillisecond)->UseManualTime();

}  // namespace

int main(int argc, char** argv) { return velm::bench::RunInQtApplication(argc, argv); }

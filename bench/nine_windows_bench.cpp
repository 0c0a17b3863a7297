// The nine cylinder and frustum windows open at once, as the program starts
// on the screen it finds: each one opened (which applies), developed and
// painted. bench/peak_memory.sh runs it under /usr/bin/time -v on Xvfb
// screens of the sizes asked; the peak resident size is reported here too,
// and the time is that of opening the nine.
#include <QMainWindow>
#include <QMdiArea>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bench_support.h"
#include "core/shape_kinds.h"
#include "frame/windows/frame_api.h"
#include "frame/windows/shape_opener.h"
#include "frame/windows/shape_window.h"
#include "platform/qt/picture_box.h"
#include "program.h"
#include "program_folders.h"

namespace {

// VmHWM of this process in megabytes, 0 when it cannot be read.
double PeakResidentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            double kilobytes = 0;
            status >> kilobytes;
            return kilobytes / 1024.0;
        }
        status.ignore(1 << 12, '\n');
    }
    return 0;
}

void BM_NineShapeWindows(benchmark::State& state) {
    setenv("VELM_SPLASH_SECONDS", "0", 1);
    const velm::bench::ProgramFolders folders;
    velm::InstallQtPlatform();
    if (!velm::StartProgram({folders.program.string(), ""}) || !velm::StartPanel() ||
        !velm::bench::WaitForFirstPaint(velm::StartPanel())) {
        state.SkipWithError("start-up failed");
        return;
    }
    int pictureWidth = 0, pictureHeight = 0;
    for (auto _ : state) {
        for (int code = velm::ShapeCoRe; code <= velm::ShapeCiDiscordi; ++code) {
            auto* window = qobject_cast<velm::ShapeWindow*>(velm::ShowShapeWindow(code));
            if (!window) {
                state.SkipWithError("a shape window did not open");
                break;
            }
            QApplication::processEvents();
            window->CmdSviluppa_Click();
            window->PctDisegno->repaint();
            pictureWidth = window->PctDisegno->width();
            pictureHeight = window->PctDisegno->height();
        }
        QApplication::processEvents();
    }
    state.counters["peak_rss_mb"] = PeakResidentMegabytes();
    state.counters["picture_w"] = pictureWidth;
    state.counters["picture_h"] = pictureHeight;
    velm::CloseAllWindows();
}
BENCHMARK(BM_NineShapeWindows)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) { return velm::bench::RunInQtApplication(argc, argv); }

// What a user waits for in a frustum window: apply, develop and paint timed
// apart, over angular steps and picture sizes (see bench_support.h).
#include "bench_support.h"
#include "cones/windows/cone_window.h"

int main(int argc, char** argv) {
    velm::bench::RegisterShapeWindowBenchmarks<velm::ConeWindow>(velm::ShapeCoRe, velm::ShapeCoDiscordi);
    return velm::bench::RunInQtApplication(argc, argv);
}

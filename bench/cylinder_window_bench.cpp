// What a user waits for in a cylinder window: apply, develop and paint timed
// apart, over angular steps and picture sizes (see bench_support.h).
#include "bench_support.h"
#include "cylinders/windows/cylinder_window.h"

int main(int argc, char** argv) {
    velm::bench::RegisterShapeWindowBenchmarks<velm::CylinderWindow>(velm::ShapeCiRe, velm::ShapeCiDiscordi);
    return velm::bench::RunInQtApplication(argc, argv);
}

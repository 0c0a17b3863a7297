// What a user waits for in a sheet preview: the layout and the sheet drawing
// of the development at the finest angular step, in a window of 1280 x 800
// pixels, on an A4 page at 1:1 (the largest drawing).
#include <QApplication>
#include <QPrinter>

#include "bench_support.h"
#include "cones/cone_compute.h"
#include "cylinders/cylinder_compute.h"
#include "output/windows/sheet_preview.h"
#include "platform/qt/qt_printer.h"
#include "platform/services.h"

namespace {

// Argument: the sheet, 2 cylinders (code 9), 1 frusta (code 5).
void BM_LayoutAndSheetDrawing(benchmark::State& st) {
    const int family = static_cast<int>(st.range(0));
    velm::State() = velm::WorkingState{};
    velm::WorkingState& ws = velm::State();
    ws.Settings.AngleStep = 0.1f;
    velm::QtPrinter printer;
    printer.Device().setOutputFormat(QPrinter::PdfFormat);
    const velm::Services saved = velm::Platform();
    velm::Platform().printer = &printer;
    if (family == velm::CylinderSheet) {
        ws.ShapeCode = velm::ShapeCiDiscordi;
        velm::ValidateAndDevelopCylinder(velm::ShapeCiDiscordi, ws);
    } else {
        ws.ShapeCode = velm::ShapeCoDiscordi;
        velm::ValidateAndDevelopCone(velm::ShapeCoDiscordi, ws);
    }
    velm::SheetPreview* preview = velm::SheetPreview::Open(family);
    preview->resize(1280, 800);
    preview->show();
    QApplication::processEvents();
    for (auto _ : st) {
        preview->LayOut();
        benchmark::DoNotOptimize(preview->PctDisegno->canvas().Point(0, 0));
    }
    preview->close();
    QApplication::processEvents();
    velm::Platform() = saved;
}

BENCHMARK(BM_LayoutAndSheetDrawing)->ArgName("family")->Arg(velm::CylinderSheet)->Arg(velm::ConeSheet)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return velm::bench::RunInQtApplication(argc, argv); }

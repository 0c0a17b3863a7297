#include "core/fill_seed.h"

#include <cmath>
#include <utility>

namespace velm {

int DevicePixelOf(double v) { return static_cast<int>(std::floor(v + 0.5)); }

std::optional<PixelPoint> FillSeedBetween(const RasterCanvas& pic, double x, double y1, double y2, Colour border) {
    const double dx = pic.ToDeviceX(x);
    const double d1 = pic.ToDeviceY(y1);
    const double d2 = pic.ToDeviceY(y2);
    for (double v : {dx, d1, d2})
        if (!(std::fabs(v) < 1e7)) return std::nullopt;  // also not a number
    int a = DevicePixelOf(d1);
    int b = DevicePixelOf(d2);
    if (a > b) std::swap(a, b);
    if (b - a < 2) return std::nullopt;
    const PixelPoint seed{DevicePixelOf(dx), a + (b - a) / 2};
    if (seed.X < 0 || seed.Y < 0 || seed.X >= pic.PixelWidth() || seed.Y >= pic.PixelHeight())
        return std::nullopt;
    if (pic.Point(seed.X, seed.Y) == border) return std::nullopt;
    return seed;
}

}  // namespace velm

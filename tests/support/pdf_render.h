#pragma once
// A printed PDF page as grey pixels (pdftoppm from poppler-utils), for tests
// that measure what went to paper.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace velm {

struct Grey {
    int width = 0, height = 0;
    int darkBelow = 128;  // a pixel darker than this is ink
    std::vector<unsigned char> pixels;
    bool Dark(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x] < darkBelow; }
};

// The first page of `pdf` at `dpi`, through the file stem `out` (out.pgm);
// empty when it cannot be rendered.
inline Grey RenderPdfPage(const std::string& pdf, int dpi, const std::string& out, int darkBelow = 128) {
    Grey grey;
    const std::string command = "pdftoppm -gray -singlefile -r " + std::to_string(dpi) + " '" + pdf + "' '" + out + "'";
    if (std::system(command.c_str()) != 0) return grey;
    std::ifstream in(out + ".pgm", std::ios::binary);
    std::string magic;
    int maxValue = 0;
    in >> magic >> grey.width >> grey.height >> maxValue;
    in.get();
    if (magic != "P5" || maxValue != 255) return Grey{};
    grey.darkBelow = darkBelow;
    grey.pixels.resize(static_cast<std::size_t>(grey.width) * grey.height);
    in.read(reinterpret_cast<char*>(grey.pixels.data()), static_cast<std::streamsize>(grey.pixels.size()));
    return grey;
}

// Centres of the first and last ink runs along a row or a column of a page
// rendered at 254 dpi (10 pixels a millimetre), in millimetres.
inline std::pair<double, double> InkEdges(const Grey& g, bool row, int at) {
    const int n = row ? g.width : g.height;
    std::vector<int> dark;
    for (int i = 0; i < n; ++i)
        if (row ? g.Dark(i, at) : g.Dark(at, i)) dark.push_back(i);
    if (dark.empty()) return {0, 0};
    std::size_t j = 0;
    while (j + 1 < dark.size() && dark[j + 1] == dark[j] + 1) ++j;
    const double first = (dark[0] + dark[j]) / 2.0;
    const std::size_t last = dark.size() - 1;
    j = last;
    while (j > 0 && dark[j - 1] == dark[j] - 1) --j;
    const double lastCentre = (dark[j] + dark[last]) / 2.0;
    return {(first + 0.5) / 10, (lastCentre + 0.5) / 10};
}

// A plate drawn with its corner at (left, top) millimetres, `width` across
// and `height` down, measured across it a quarter down and up it a quarter
// along: true within 0.2 mm.
inline void ExpectPlateOnPage(const Grey& page, double left, double top, double width, double height) {
    const auto across = InkEdges(page, true, static_cast<int>(std::lround((top + height / 4) * 10)));
    const auto along = InkEdges(page, false, static_cast<int>(std::lround((left + width / 4) * 10)));
    EXPECT_NEAR(across.second - across.first, width, 0.2);
    EXPECT_NEAR(along.second - along.first, height, 0.2);
    EXPECT_NEAR(across.first, left, 0.2);
    EXPECT_NEAR(along.first, top, 0.2);
}

}  // namespace velm

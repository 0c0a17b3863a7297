#include "platform/qt/block_image.h"

#include <gtest/gtest.h>

#include <vector>

#include "qt_application.h"

namespace velm {
namespace {

// Every way of writing pixels reads back as written, whatever the block it
// lands in held before: never drawn, drawn and cleared since, or filled
// whole. A write that failed to mark its block would read as the block's
// plain colour.
TEST(BlockImageTest, EveryWriteIsSeenThroughItsBlock) {
    EnsureQtApplication();
    const QRgb white = qRgb(255, 255, 255), red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255);
    const int w = 150, h = 3;
    const struct {
        const char* name;
        void (*write)(BlockImage&);
        int left, right;  // the pixels of row 1 it turns red
    } writes[] = {
        {"a pixel", [](BlockImage& p) { p.Write().Set(70, 1, qRgb(255, 0, 0)); }, 70, 70},
        {"a row across a block edge", [](BlockImage& p) { p.Write().Fill(1, 60, 130, qRgb(255, 0, 0)); }, 60, 130},
        {"a painter", [](BlockImage& p) {
             p.Paint({{66, 1, 69, 1, 0}}, [](QPainter& painter) { painter.fillRect(66, 1, 4, 1, QColor(255, 0, 0)); });
         }, 66, 69},
    };
    for (const auto& write : writes) {
        for (int past = 0; past < 3; ++past) {
            SCOPED_TRACE(testing::Message() << write.name << ", past " << past);
            BlockImage picture(w, h, white);
            if (past == 1) {
                picture.Write().Fill(1, 0, w - 1, blue);
                picture.Clear(white);
            }
            if (past == 2) picture.FillRuns(std::vector<std::vector<BlockImage::Run>>(h, {{0, w - 1}}), blue);
            write.write(picture);
            const QImage image = picture.Image();
            for (int x = 0; x < w; ++x) {
                const QRgb wanted = x >= write.left && x <= write.right ? red : past == 2 ? blue : white;
                ASSERT_EQ(picture.Pixel(x, 1), wanted) << x;
                ASSERT_EQ(image.pixel(x, 1), wanted) << x;
            }
        }
    }
}

}  // namespace
}  // namespace velm

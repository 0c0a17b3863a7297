// Pointer, processes, printer and picture box through Qt.
#include <gtest/gtest.h>

#include <QCursor>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QTimer>
#include <filesystem>

#include "platform/qt/picture_box.h"
#include "platform/qt/qt_look.h"
#include "platform/qt/qt_processes.h"
#include "qt_application.h"
#include "support/temp_folder.h"

namespace velm {
namespace {

class QtServicesTest : public testing::Test {
protected:
    void SetUp() override { EnsureQtApplication(); }
};

TEST_F(QtServicesTest, HourglassIsSetOnceAndClearedCompletely) {
    QtLook look;
    look.SetHourglass();
    look.SetHourglass();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    look.ClearHourglass();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(QtServicesTest, RunAndWaitKeepsTheEventLoopTurning) {
    TempFolder folder;
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(10);
    QtProcesses processes;
    EXPECT_TRUE(processes.RunAndWait("/bin/sh", {"-c", "sleep 0.3; echo done > out.txt"}, folder.Path()));
    EXPECT_EQ(folder.Read("out.txt"), "done\n");  // waited for the end, in the folder
    EXPECT_GT(ticks, 3);
    EXPECT_FALSE(processes.RunAndWait(folder.File("missing-program"), {}, folder.Path()));
}

TEST_F(QtServicesTest, ProgramsAreFoundInTheirFolderFirst) {
    TempFolder folder;
    folder.Write("CONVERT", "#!/bin/sh\necho \"$1\" > converted.txt\n");
    std::filesystem::permissions(folder.File("CONVERT"), std::filesystem::perms::owner_all);
    QtProcesses processes;
    EXPECT_TRUE(processes.RunAndWait("CONVERT", {"ISO.CN part"}, folder.Path()));
    EXPECT_EQ(folder.Read("converted.txt"), "ISO.CN part\n");
}

TEST_F(QtServicesTest, PictureBoxFollowsItsSizeAndReportsTheMouse) {
    PictureBox box;
    std::vector<std::array<int, 3>> events;
    QObject::connect(&box, &PictureBox::mousePressed, [&](int b, int x, int y) { events.push_back({b, x, y}); });
    QObject::connect(&box, &PictureBox::mouseMoved, [&](int b, int x, int y) { events.push_back({b, x, y}); });
    box.resize(120, 90);
    box.show();
    QApplication::processEvents();
    box.resize(60, 50);
    QApplication::processEvents();
    EXPECT_EQ(box.canvas().PixelWidth(), 60);

    // Buttons as the classic bits: left 1, right 2.
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(7, 8), QPointF(7, 8), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QMouseEvent move(QEvent::MouseMove, QPointF(9, 10), QPointF(9, 10), Qt::NoButton,
                     Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &press);
    QApplication::sendEvent(&box, &move);
    EXPECT_EQ(events, (std::vector<std::array<int, 3>>{{2, 7, 8}, {3, 9, 10}}));
}

}  // namespace
}  // namespace velm

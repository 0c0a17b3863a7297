// Pointer, processes, printer and picture box through Qt.
#include <gtest/gtest.h>

#include <QCursor>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QThread>
#include <QTimer>
#include <filesystem>

#include "platform/qt/picture_box.h"
#include "platform/qt/qt_look.h"
#include "platform/qt/qt_printer.h"
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
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QApplication::setOverrideCursor(QCursor(Qt::CrossCursor));
    look.ClearHourglass();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    look.Beep();
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
    EXPECT_FALSE(processes.StartHidden(folder.File("missing-program"), {}, folder.Path()));
}

TEST_F(QtServicesTest, ProgramsAreFoundInTheirFolderFirst) {
    TempFolder folder;
    folder.Write("CONVERT", "#!/bin/sh\necho \"$1\" > converted.txt\n");
    std::filesystem::permissions(folder.File("CONVERT"), std::filesystem::perms::owner_all);
    QtProcesses processes;
    EXPECT_TRUE(processes.RunAndWait("CONVERT", {"ISO.CN part"}, folder.Path()));
    EXPECT_EQ(folder.Read("converted.txt"), "ISO.CN part\n");

    EXPECT_TRUE(processes.StartHidden("/bin/sh", {"-c", "echo x > hidden.txt"}, folder.Path()));
    QElapsedTimer waited;
    waited.start();
    while (!std::filesystem::exists(folder.File("hidden.txt")) && waited.elapsed() < 5000) QThread::msleep(10);
    EXPECT_TRUE(std::filesystem::exists(folder.File("hidden.txt")));
}

TEST_F(QtServicesTest, SomePrinterAlwaysAnswersWithAPageWidth) {
    QtPrinter printer;
    const int width = printer.PageWidthMillimetres();
    EXPECT_GT(width, 50);
    EXPECT_LT(width, 2000);
}

TEST_F(QtServicesTest, PictureBoxFollowsItsSizeAndReportsTheMouse) {
    PictureBox box;
    int resizes = 0;
    std::vector<std::array<int, 3>> presses, releases, moves;
    QObject::connect(&box, &PictureBox::resized, [&resizes] { ++resizes; });
    QObject::connect(&box, &PictureBox::mousePressed, [&](int b, int x, int y) { presses.push_back({b, x, y}); });
    QObject::connect(&box, &PictureBox::mouseReleased, [&](int b, int x, int y) { releases.push_back({b, x, y}); });
    QObject::connect(&box, &PictureBox::mouseMoved, [&](int b, int x, int y) { moves.push_back({b, x, y}); });
    box.resize(120, 90);
    box.show();
    QApplication::processEvents();
    EXPECT_GE(resizes, 1);
    EXPECT_EQ(box.canvas().PixelWidth(), 120);
    EXPECT_EQ(box.canvas().PixelHeight(), 90);
    box.canvas().PSet(3, 3, RGB(255, 0, 0));
    box.resize(60, 50);
    QApplication::processEvents();
    EXPECT_EQ(box.canvas().PixelWidth(), 60);
    EXPECT_EQ(box.canvas().Point(3, 3), RGB(255, 255, 255));  // a new, empty picture

    QMouseEvent press(QEvent::MouseButtonPress, QPointF(7, 8), QPointF(7, 8), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QMouseEvent move(QEvent::MouseMove, QPointF(9, 10), QPointF(9, 10), Qt::NoButton,
                     Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(11, 12), QPointF(11, 12), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &press);
    QApplication::sendEvent(&box, &move);
    QApplication::sendEvent(&box, &release);
    ASSERT_EQ(presses.size(), 1u);
    EXPECT_EQ(presses[0], (std::array<int, 3>{2, 7, 8}));
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0], (std::array<int, 3>{3, 9, 10}));
    ASSERT_EQ(releases.size(), 1u);
    EXPECT_EQ(releases[0], (std::array<int, 3>{1, 11, 12}));
}

}  // namespace
}  // namespace velm

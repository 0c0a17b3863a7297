// Pointer, processes, printer and picture box through Qt.
#include <gtest/gtest.h>

#include <QCursor>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QElapsedTimer>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <QProgressDialog>
#include <QPushButton>
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
    EXPECT_TRUE(processes.RunAndWait("/bin/sh", {"-c", "sleep 0.3; echo done > out.txt"}, folder.Path()).Succeeded());
    EXPECT_EQ(folder.Read("out.txt"), "done\n");  // waited for the end, in the folder
    EXPECT_GT(ticks, 3);
    EXPECT_FALSE(processes.RunAndWait(folder.File("missing-program"), {}, folder.Path()).Started);
}

TEST_F(QtServicesTest, ProgramsAreFoundInTheirFolderFirst) {
    TempFolder folder;
    folder.Write("CONVERT", "#!/bin/sh\necho \"$1\" > converted.txt\n");
    std::filesystem::permissions(folder.File("CONVERT"), std::filesystem::perms::owner_all);
    QtProcesses processes;
    EXPECT_TRUE(processes.RunAndWait("CONVERT", {"ISO.CN part"}, folder.Path()).Succeeded());
    EXPECT_EQ(folder.Read("converted.txt"), "ISO.CN part\n");
}

// The wait tells how the program ended; Cancel in its progress window ends it.
TEST_F(QtServicesTest, RunAndWaitReportsTheEnd) {
    TempFolder folder;
    QtProcesses processes;
    const struct {
        const char* script;
        bool crashed;
        int exitCode;
    } cases[] = {
        {"exit 0", false, 0},
        {"exit 3", false, 3},
        {"kill -SEGV $$", true, -1},
    };
    for (const auto& c : cases) {
        const ProcessOutcome o = processes.RunAndWait("/bin/sh", {"-c", c.script}, folder.Path(), "busy");
        EXPECT_TRUE(o.Started) << c.script;
        EXPECT_EQ(o.Crashed, c.crashed) << c.script;
        EXPECT_EQ(o.ExitCode, c.exitCode) << c.script;
        EXPECT_FALSE(o.Cancelled) << c.script;
    }

    bool waitingSeen = false;
    QString label;
    QTimer cancel;
    QObject::connect(&cancel, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<QProgressDialog*>(w);
            if (progress == nullptr || !progress->isVisible()) continue;
            waitingSeen = processes.Waiting();
            label = progress->labelText();
            if (auto* button = progress->findChild<QPushButton*>()) button->click();  // as the user does
        }
    });
    cancel.start(50);
    QElapsedTimer clock;
    clock.start();
    const ProcessOutcome o = processes.RunAndWait("/bin/sh", {"-c", "sleep 20"}, folder.Path(), "Converting");
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_TRUE(o.Cancelled);
    EXPECT_FALSE(o.Crashed);  // a cancel is no crash
    EXPECT_FALSE(o.Succeeded());
    EXPECT_TRUE(waitingSeen);
    EXPECT_EQ(label, "Converting");
    EXPECT_FALSE(processes.Waiting());
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

    // Buttons as the program's bits: left 1, right 2.
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(7, 8), QPointF(7, 8), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QMouseEvent move(QEvent::MouseMove, QPointF(9, 10), QPointF(9, 10), Qt::NoButton,
                     Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(&box, &press);
    QApplication::sendEvent(&box, &move);
    EXPECT_EQ(events, (std::vector<std::array<int, 3>>{{2, 7, 8}, {3, 9, 10}}));
}

// What a picture box puts on the screen is its picture, plain and filled
// parts alike: whole, at its place in its window; for a part repainted
// alone, only that part; never over a window that lies above it.
TEST_F(QtServicesTest, PictureBoxShowsItsPictureOnTheScreen) {
    QWidget top;
    top.resize(320, 200);
    auto* box = new PictureBox(&top);
    box->setGeometry(13, 7, 290, 170);
    auto* above = new QWidget(&top);
    above->setAutoFillBackground(true);
    QPalette green;
    green.setColor(QPalette::Window, Qt::green);
    above->setPalette(green);
    above->setGeometry(200, 100, 50, 40);
    top.show();
    for (int i = 0; i < 20 && !top.windowHandle()->isExposed(); ++i) QApplication::processEvents(QEventLoop::AllEvents, 5);

    ImageCanvas& c = box->canvas();
    c.Line(0, 0, 289, 169, RGB(0, 0, 0));
    c.FloodFill(200, 20, RGB(0, 0, 0), RGB(255, 0, 0));  // blocks filled whole, and their edges
    c.Cls();
    c.Line(5, 160, 280, 3, RGB(0, 0, 0));
    c.FloodFill(250, 150, RGB(0, 0, 0), RGB(0, 0, 255));
    box->repaint();
    auto shown = [&] {
        return top.screen()->grabWindow(top.winId()).toImage().convertToFormat(QImage::Format_RGB32).copy(box->geometry());
    };
    const QImage before = shown();
    const QRect underAbove = above->geometry().translated(-box->pos());
    QImage expected = c.Image().copy();
    QPainter(&expected).fillRect(underAbove, Qt::green);
    EXPECT_EQ(before, expected);

    c.onChanged = nullptr;  // no repaint of the whole box
    c.FloodFill(100, 10, RGB(0, 0, 255), RGB(255, 255, 0));
    const QRect part(60, 30, 150, 90);  // across the window above, too
    box->repaint(part);
    const QImage after = shown();
    int wrong = 0;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x) {
            const QRgb want = underAbove.contains(x, y) ? before.pixel(x, y)
                              : part.contains(x, y)     ? c.Image().pixel(x, y)
                                                        : before.pixel(x, y);
            wrong += after.pixel(x, y) != want;
        }
    EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace velm

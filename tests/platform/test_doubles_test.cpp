// The doubles other tests lean on must fail loudly and record faithfully.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "support/recording_canvas.h"
#include "support/scripted_dialogs.h"

namespace velm {
namespace {

TEST(ScriptedDialogs, UnexpectedOrMisplacedDialogsFailTheTest) {
    ScriptedDialogs dialogs;
    int answer = 0;
    EXPECT_NONFATAL_FAILURE(answer = dialogs.MessageBox("Sure?", MbYesNo, "t"), "Unexpected message box");
    EXPECT_EQ(answer, IdNo);
    dialogs.ExpectOpen("/tmp/a.qvl");
    FileDialogResult file;
    EXPECT_NONFATAL_FAILURE(file = dialogs.ShowSave({}), "Expected a open dialog but got a save dialog");
    EXPECT_TRUE(file.cancelled);
    EXPECT_NONFATAL_FAILURE(dialogs.VerifyAllUsed(), "never asked for");
    file = dialogs.ShowOpen({});
    EXPECT_EQ(file.fileName, "/tmp/a.qvl");
}

TEST(RecordingCanvas, RecordsUserAndDeviceCoordinates) {
    RecordingCanvas canvas(200, 100);
    canvas.Scale(0, 10, 20, 0);
    canvas.DrawStyle = DrawDashDot;
    canvas.Line(2, 5, 4, 5, RGB(255, 255, 255));
    ASSERT_EQ(canvas.lines.size(), 1u);
    EXPECT_DOUBLE_EQ(canvas.lines[0].px1, 20);
    EXPECT_DOUBLE_EQ(canvas.lines[0].py1, 50);
    EXPECT_NEAR(canvas.lines[0].x2, 4, 1e-12);
    EXPECT_EQ(canvas.lines[0].style, DrawDashDot);
}

}  // namespace
}  // namespace velm

// The doubles other tests lean on must fail loudly and record faithfully.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "support/recording_canvas.h"
#include "support/scripted_dialogs.h"

namespace velm {
namespace {

TEST(ScriptedDialogs, AnswersInOrderAndRecordsWhatWasAsked) {
    ScriptedDialogs dialogs;
    dialogs.ExpectMessage(IdYes);
    dialogs.ExpectSave("/tmp/part.dxf");
    dialogs.ExpectPrint({false, false, 2, 3});
    EXPECT_EQ(dialogs.MessageBox("Exit?", MbYesNo + MbQuestion, "VELM"), IdYes);
    FileDialogRequest request;
    request.filterIndex = 2;
    const FileDialogResult saved = dialogs.ShowSave(request);
    EXPECT_FALSE(saved.cancelled);
    EXPECT_EQ(saved.fileName, "/tmp/part.dxf");
    EXPECT_EQ(saved.filterIndex, 2);
    const PrintRange range = dialogs.ShowPrint(1, 5);
    EXPECT_EQ(range.fromPage, 2);
    EXPECT_EQ(range.toPage, 3);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].prompt, "Exit?");
    EXPECT_EQ(dialogs.messages[0].style, 36);
    EXPECT_EQ(dialogs.prints[0].maxPage, 5);
    EXPECT_EQ(dialogs.Pending(), 0u);
}

TEST(ScriptedDialogs, UnexpectedOrMisplacedDialogsFailTheTest) {
    ScriptedDialogs dialogs;
    int answer = 0;
    EXPECT_NONFATAL_FAILURE(answer = dialogs.MessageBox("Sure?", MbYesNo, "t"), "Unexpected message box");
    EXPECT_EQ(answer, IdNo);
    EXPECT_NONFATAL_FAILURE(answer = dialogs.MessageBox("Sure?", MbOkCancel, "t"), "Sure?");
    EXPECT_EQ(answer, IdCancel);
    FileDialogResult open;
    EXPECT_NONFATAL_FAILURE(open = dialogs.ShowOpen({}), "Unexpected open dialog");
    EXPECT_TRUE(open.cancelled);
    bool setup = true;
    EXPECT_NONFATAL_FAILURE(setup = dialogs.ShowPrinterSetup(), "Unexpected printer set-up");
    EXPECT_FALSE(setup);

    dialogs.ExpectOpen("/tmp/a.qvl");
    EXPECT_NONFATAL_FAILURE(open = dialogs.ShowSave({}), "Expected a open dialog but got a save dialog");
    EXPECT_TRUE(open.cancelled);
    EXPECT_NONFATAL_FAILURE(dialogs.VerifyAllUsed(), "never asked for");
    EXPECT_FALSE(dialogs.ShowOpen({}).cancelled);
}

TEST(RecordingCanvas, RecordsUserAndDeviceCoordinatesWithTheDrawingState) {
    RecordingCanvas canvas(200, 100);
    canvas.Scale(0, 10, 20, 0);
    canvas.DrawStyle = DrawDashDot;
    canvas.Line(2, 5, 4, 5, RGB(255, 255, 255));
    canvas.DrawStyle = DrawSolid;
    canvas.Circle(10, 5, 2, RGB(0, 0, 255));
    canvas.CurrentX = 1;
    canvas.CurrentY = 9;
    canvas.Print("Hmax");
    canvas.FloodFill(3, 4, 1, 2);
    ASSERT_EQ(canvas.lines.size(), 1u);
    const auto& line = canvas.lines[0];
    EXPECT_DOUBLE_EQ(line.px1, 20);
    EXPECT_DOUBLE_EQ(line.py1, 50);
    EXPECT_NEAR(line.x2, 4, 1e-12);
    EXPECT_NEAR(line.y2, 5, 1e-12);
    EXPECT_EQ(line.style, DrawDashDot);
    ASSERT_EQ(canvas.arcs.size(), 1u);
    EXPECT_TRUE(canvas.arcs[0].full);
    EXPECT_DOUBLE_EQ(canvas.arcs[0].rx, 20);
    ASSERT_EQ(canvas.texts.size(), 1u);
    EXPECT_EQ(canvas.texts[0].text, "Hmax");
    EXPECT_NEAR(canvas.texts[0].y, 9, 1e-12);
    EXPECT_NEAR(canvas.TextWidth("Hmax"), 24 * 20.0 / 200, 1e-12);  // 4 characters of 6 pixels
    EXPECT_NEAR(canvas.CurrentY, 9 - 13 * 10.0 / 100, 1e-12);  // one line down the screen on an upward axis
    EXPECT_EQ(canvas.order, (std::vector<RecordingCanvas::Kind>{RecordingCanvas::KindLine, RecordingCanvas::KindArc,
                                                                RecordingCanvas::KindText, RecordingCanvas::KindFill}));
    canvas.pixelColours[{5, 5}] = RGB(1, 2, 3);
    EXPECT_EQ(canvas.Point(5, 5), RGB(1, 2, 3));
    EXPECT_EQ(canvas.Point(6, 5), canvas.pointColour);
    EXPECT_EQ(canvas.Point(200, 5), NoColour);
}

}  // namespace
}  // namespace velm

// What the program says once a print queue took a document, and the names
// its documents carry to the print service.
#include <gtest/gtest.h>

#include "frame/windows/frm_mdi.h"
#include "output/print_job.h"
#include "preview_actions.h"
#include "support/qt/app_fixture.h"

namespace velm {
namespace {

using namespace wt;

class PrintOutcomeTest : public AppFixture {};

TEST_F(PrintOutcomeTest, TheStatusLineSaysWhereAJobWentAndTheJobSaysWhatItIs) {
    printer.SetPage(200, 287);
    ASSERT_TRUE(Start());
    SheetPreview* preview = OpenPreviewOf(OpenDevelopedShape(ShapeCiTaSup));
    ASSERT_NE(preview, nullptr);
    const struct {
        PrintDelivery delivery;
        std::string status;
    } cases[] = {
        {{"Workshop_PDF", QueueHold::None, ""}, "Sent to Workshop_PDF"},
        {{"Workshop_PDF", QueueHold::Stopped, ""}, "Sent to Workshop_PDF; the queue is stopped and holds the job"},
        {{"Shop", QueueHold::Unreachable, ""}, "Sent to Shop; the queue cannot reach its printer and holds the job"},
        // the queue's own words on its printer, as it gives them
        {{"Test_Broken", QueueHold::Unreachable, "The printer may not exist or is unavailable at this time."},
         "Sent to Test_Broken; the queue cannot reach its printer and holds the job (The printer may not exist or is "
         "unavailable at this time.)"},
        {{"Shop", QueueHold::OutOfPaper, "Tray 1 is empty."},
         "Sent to Shop; the printer is out of paper and holds the job (Tray 1 is empty.)"},
        {{"Shop", QueueHold::JobHeld, ""}, "Sent to Shop; the job is held until it is released"},
        {{"Shop", QueueHold::JobCancelled, ""}, "Sent to Shop; the job was cancelled and did not print"},
        {{"Aborting", QueueHold::JobAborted, "The printer is not responding."},
         "Sent to Aborting; the print service aborted the job and it did not print (The printer is not responding.)"},
        {{"", QueueHold::None, ""}, "before"},  // a PDF file: the line is left as it was
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        printer.delivery = c.delivery;
        SetStatusText("before");
        preview->CmdStampa->click();
        EXPECT_EQ(S(Mdi()->Status()), c.status);
        EXPECT_EQ(printer.documents.back().title, "VELM - Cylinder cut at the top");
    }
    // A refused job leaves no word of an earlier one.
    printer.failStart = true;
    dialogs.ExpectMessage(IdOk);
    preview->CmdStampa->click();
    EXPECT_EQ(S(Mdi()->Status()), "");

    // An elbow piece's sheet names the elbow and the piece.
    WorkingState st;
    st.ShapeCode = ShapeCuCilindri;
    st.SelectedPiece = 3;
    EXPECT_EQ(SheetDocumentTitle(CylinderSheet, st), "VELM - Cylindrical elbow - Cylinder piece #3");
}

}  // namespace
}  // namespace velm

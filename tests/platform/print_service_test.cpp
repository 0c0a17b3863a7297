// What the program tells the print service, and how it reads a queue that took a job.
#include <gtest/gtest.h>

#include "platform/qt/print_service.h"

namespace velm {
namespace {

TEST(PrintService, NothingMayScaleOrSelectPagesAndThePaperIsNamed) {
    const struct {
        bool landscape;
        int copies;
        PrintOptions wanted;  // besides the two that forbid scaling
    } cases[] = {
        // the orientation the page has: an empty "landscape" reads as false
        {false, 1, {{"media", "A4"}, {"orientation-requested", "3"}}},
        {true, 2, {{"media", "A4"}, {"orientation-requested", "4"}, {"copies", "2"}, {"Collate", "True"}}},
    };
    for (const auto& c : cases) {
        const PrintOptions options = TrueSizeOptions("A4", c.landscape, c.copies, true);
        PrintOptions wanted = c.wanted;
        wanted.emplace_back("fit-to-page", "false");
        wanted.emplace_back("print-scaling", "none");
        EXPECT_EQ(options, wanted);
    }
}

TEST(PrintService, OnlyAStoppedOfflineFaultyOrUnreachableQueueHoldsTheJobAndAnEndedOneIsSaidUnprinted) {
    const std::string busy = "Waiting for printer to finish.", gone = "The printer may not exist or is unavailable at this time.";
    struct Row : ServiceState {  // the job's own words play no part
        Row(int ps, const char* pr, const std::string& m, int js, const char* jr) : ServiceState{ps, pr, m, js, jr, {}} {}
    };
    const struct {
        Row state;  // printer state, reasons and message; job state and reasons
        QueueHold hold;
    } cases[] = {
        {{4, "connecting-to-device", "Connecting to printer.", 5, "job-printing"}, QueueHold::None},  // every job passes through it
        {{3, "none", "", 0, ""}, QueueHold::None},
        // busy with the job before: ours waits its turn, the one before prints
        {{4, "cups-waiting-for-job-completed", busy, 3, "none"}, QueueHold::None},
        {{4, "none", "Connected to printer.", 5, "job-printing"}, QueueHold::None},
        {{5, "paused", "", 3, "none"}, QueueHold::Stopped},
        {{4, "paused", busy, 3, "none"}, QueueHold::Stopped},  // paused while the job before ends
        {{4, "none", "", 6, "printer-stopped"}, QueueHold::Stopped},
        {{3, "offline-report", "", 3, "none"}, QueueHold::Unreachable},
        {{3, "none,media-empty-error", "Tray 1 is empty.", 3, "none"}, QueueHold::OutOfPaper},
        {{4, "media-empty-warning", "", 5, "job-printing"}, QueueHold::None},  // another tray feeds it
        {{4, "media-jam-error", "", 5, "job-printing"}, QueueHold::PrinterFault},
        {{3, "none", "", 4, "job-hold-until-specified"}, QueueHold::JobHeld},
        // a socket or ipp queue whose device does not answer: busy, retrying, only its message says so
        {{4, "none", gone, 5, "job-printing"}, QueueHold::Unreachable},
        {{4, "none", gone, 3, "none"}, QueueHold::Unreachable},  // the job before is the one retrying
        {{3, "none", gone, 9, "job-completed-successfully"}, QueueHold::None},  // done after all
        // ended unprinted: said so, whatever the queue does now
        {{3, "none", "", 7, "job-canceled-by-user"}, QueueHold::JobCancelled},
        {{5, "paused", "", 7, "processing-to-stop-point"}, QueueHold::JobCancelled},
        {{3, "none", "The printer is not responding.", 8, "aborted-by-system"}, QueueHold::JobAborted},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HoldOf(c.state), c.hold) << c.state.printerState << " " << c.state.printerReasons << " "
                                           << c.state.message << " / " << c.state.jobState << " " << c.state.jobReasons;
    EXPECT_EQ(QueueOf("Workshop/draft"), "Workshop");
    EXPECT_EQ(QueueOf("Workshop"), "Workshop");
}

}  // namespace
}  // namespace velm

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

TEST(PrintService, AStoppedOrOfflineQueueHoldsTheJob) {
    const struct {
        int state;
        const char* reasons;
        const char* message;
        QueueHold hold;
    } cases[] = {
        {4, "connecting-to-device", "", QueueHold::None},  // every job passes through it
        {3, "none", "", QueueHold::None},
        {5, "paused", "", QueueHold::Stopped},
        {3, "offline-report", "", QueueHold::Unreachable},
        {3, "none,media-empty-error", "", QueueHold::Unreachable},
        // a socket queue whose device does not answer: busy, retrying, only its message says so
        {4, "none", "The printer may not exist or is unavailable at this time.", QueueHold::Unreachable},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HoldOf(c.state, c.reasons, c.message), c.hold) << c.state << " " << c.reasons << " " << c.message;
    EXPECT_EQ(QueueOf("Workshop/draft"), "Workshop");
    EXPECT_EQ(QueueOf("Workshop"), "Workshop");
}

}  // namespace
}  // namespace velm

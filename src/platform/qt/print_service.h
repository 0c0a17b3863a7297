#pragma once
// Finished PDF documents handed to the system's print service (CUPS) by the
// program itself, so that it learns whether a queue took each job and how
// the queue stands. Plain C++ over libcups; the Qt printer renders the PDF.
#include <string>
#include <utility>
#include <vector>

#include "platform/printer.h"

namespace velm {

using PrintOptions = std::vector<std::pair<std::string, std::string>>;

// What the service is told besides the file: the paper and orientation the
// page was laid out for and the copies, and that nothing may scale the page,
// so that it prints true to size. No page selection: a document is sent whole.
// The orientation goes as the page has it (3 portrait, 4 landscape).
PrintOptions TrueSizeOptions(const std::string& media, bool landscape, int copies, bool collate);

// How a queue that took a job stands, from its printer-state (5: stopped),
// printer-state-reasons (an "offline" or an error reason: its printer cannot
// be reached) and printer-state-message (a queue busy with a message is one
// whose printer keeps failing, the job waits).
QueueHold HoldOf(int printerState, const std::string& stateReasons, const std::string& stateMessage = "");

// The queue of a destination name ("Workshop/draft": its instance's queue "Workshop").
std::string QueueOf(const std::string& destination);

struct Submission {
    int job = 0;               // the service's job number; 0 when the job was refused
    std::string refusal;       // "<queue>: <the service's reason>" when refused
    bool noService = false;    // refused because the print service did not answer
    QueueHold hold = QueueHold::None;
    std::string stateMessage;  // the queue's printer-state-message when it holds the job
};

// True when the default print service (CUPS_SERVER, else the system's) answers.
bool PrintServiceAnswers();

// Submits the PDF file `pdf` to `queue` of the default print service
// (CUPS_SERVER, else the system's) as a job named `title`.
Submission SubmitPdf(const std::string& queue, const std::string& pdf, const std::string& title,
                     const PrintOptions& options);

}  // namespace velm

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

// What the service says of a queue and of one job on it.
struct ServiceState {
    int printerState = 0;        // printer-state: 3 idle, 4 processing, 5 stopped
    std::string printerReasons;  // printer-state-reasons, comma-separated
    std::string message;         // printer-state-message
    int jobState = 0;            // job-state: 3 pending ... 9 completed; 0 when not known
    std::string jobReasons;      // job-state-reasons, comma-separated
    std::string jobMessage;      // job-printer-state-message: the queue's words when the job last ran
};

// Whether the queue holds the job, and why. A queue busy with the job before
// is not holding it, whatever progress its message tells: only a job held,
// a queue stopped or paused, offline, out of paper, in error, or one whose
// device its sender cannot reach (the sender says so in the message alone)
// holds it. A job cancelled or aborted is said so; a completed one is held
// by nothing.
QueueHold HoldOf(const ServiceState& state);

// The queue of a destination name ("Workshop/draft": its instance's queue "Workshop").
std::string QueueOf(const std::string& destination);

struct Submission {
    int job = 0;               // the service's job number; 0 when the job was refused
    std::string refusal;       // "<queue>: <the service's reason>" when refused
    bool noService = false;    // refused because the print service did not answer
    QueueHold hold = QueueHold::None;
    std::string stateMessage;  // the queue's printer-state-message when it holds the job
    std::string server;        // the print service that took the job, to look at it again
};

// How a job stands a while after the service took it.
struct JobLook {
    bool answered = false;    // the service answered: the rest holds
    bool unfinished = false;  // the job has not finished yet
    QueueHold hold = QueueHold::None;
    std::string stateMessage;  // the queue's printer-state-message when it holds the job; for a
                               // job cancelled or aborted, the queue's words when the job last ran
};

// Looks at job `job` of `queue` on the print service `server` again.
JobLook LookAtJob(const std::string& server, const std::string& queue, int job);

// True when the default print service (CUPS_SERVER, else the system's) answers.
bool PrintServiceAnswers();

// Submits the PDF file `pdf` to `queue` of the default print service
// (CUPS_SERVER, else the system's) as a job named `title`.
Submission SubmitPdf(const std::string& queue, const std::string& pdf, const std::string& title,
                     const PrintOptions& options);

}  // namespace velm

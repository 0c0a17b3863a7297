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

// How long one call to the print service may wait for it: connecting, and
// each answer. A service silent that long is taken for one that does not answer.
constexpr int ServiceLimitMilliseconds = 2500;
// A whole submission: the document, then a look at its queue.
constexpr int SubmitLimitMilliseconds = 5000;

// Where the print service is: a host or a socket's path, and the port.
struct ServiceAddress {
    std::string server;
    int port = 631;
};
// The service the calling thread reaches (CUPS_SERVER, else the system's),
// also while a NoServiceHere of the thread lives.
ServiceAddress DefaultService();

// While it lives, the calling thread's own connection of libcups, the one
// Qt's printer support and libcups' own look-ups use, reaches no service:
// they find none at once instead of waiting on a silent one without limit.
// `keepAway` false: a scope where the service may be asked, nothing changed.
class NoServiceHere {
public:
    explicit NoServiceHere(bool keepAway = true);
    ~NoServiceHere() { End(); }
    NoServiceHere(const NoServiceHere&) = delete;
    NoServiceHere& operator=(const NoServiceHere&) = delete;
    // The thread reaches its service again before the scope ends.
    void End();

private:
    bool active_;
};

enum class ServiceAnswer {
    None,     // nothing is there: the connection is refused, the socket and its folder missing
    Silent,   // the service takes the connection, or lets it time out, and gives no answer in time
    Stopped,  // its socket's folder is there without the socket: the scheduler is stopped, said at once
    Answers,
};

// Asks the print service at `at` for its default queue, giving up after `milliseconds`.
ServiceAnswer ProbeService(const ServiceAddress& at, int milliseconds = ServiceLimitMilliseconds);

// Looks at job `job` of `queue` on the print service `server` again, within the limit.
JobLook LookAtJob(const std::string& server, const std::string& queue, int job);

// Submits the PDF file `pdf` to `queue` of the print service at `at` as a
// job named `title`, within SubmitLimitMilliseconds.
Submission SubmitPdf(const ServiceAddress& at, const std::string& queue, const std::string& pdf,
                     const std::string& title, const PrintOptions& options);

}  // namespace velm

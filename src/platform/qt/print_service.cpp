#include "platform/qt/print_service.h"

#include <cups/cups.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace velm {

PrintOptions TrueSizeOptions(const std::string& media, bool landscape, int copies, bool collate) {
    PrintOptions options;
    if (!media.empty()) options.emplace_back("media", media);
    // The page is laid out in its orientation already; the service is told which.
    options.emplace_back("orientation-requested", landscape ? "4" : "3");
    if (copies > 1) {
        options.emplace_back("copies", std::to_string(copies));
        if (collate) options.emplace_back("Collate", "True");
    }
    // A page of the paper's own size prints as it is: no fitting, no scaling.
    options.emplace_back("fit-to-page", "false");
    options.emplace_back("print-scaling", "none");
    return options;
}

namespace {

std::vector<std::string> Keywords(const std::string& list) {
    std::vector<std::string> words;
    for (std::size_t at = 0; at <= list.size();) {
        const std::size_t comma = std::min(list.find(',', at), list.size());
        if (comma > at) words.push_back(list.substr(at, comma - at));
        at = comma + 1;
    }
    return words;
}

bool StartsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The senders of the service (socket, ipp, lpd) keep retrying a device that
// does not answer and say so only in their message, with no reason: these
// are their words for it. Progress ("Connecting to printer.", "Waiting for
// printer to finish.") is none of them.
bool SaysDeviceUnreachable(const std::string& message) {
    for (const char* words : {"may not exist or is unavailable", "is unreachable at this time", "is not responding",
                              "Unable to locate printer"})
        if (message.find(words) != std::string::npos) return true;
    return false;
}

}  // namespace

QueueHold HoldOf(const ServiceState& state) {
    if (state.jobState == IPP_JSTATE_CANCELED) return QueueHold::JobCancelled;
    if (state.jobState == IPP_JSTATE_ABORTED) return QueueHold::JobAborted;
    if (state.jobState >= IPP_JSTATE_COMPLETED) return QueueHold::None;  // it printed
    if (state.jobState == IPP_JSTATE_HELD) return QueueHold::JobHeld;
    const std::vector<std::string> printer = Keywords(state.printerReasons), job = Keywords(state.jobReasons);
    const auto has = [](const std::vector<std::string>& words, auto test) {
        return std::any_of(words.begin(), words.end(), test);
    };
    if (state.printerState == IPP_PSTATE_STOPPED || state.jobState == IPP_JSTATE_STOPPED ||
        has(printer, [](const std::string& r) { return r == "paused"; }) ||
        has(job, [](const std::string& r) { return r == "printer-stopped"; }))
        return QueueHold::Stopped;
    if (has(printer, [](const std::string& r) { return StartsWith(r, "offline"); })) return QueueHold::Unreachable;
    // A "-report" or "-warning" only tells; an error stops the printer.
    const auto severe = [](const std::string& r) { return !EndsWith(r, "-report") && !EndsWith(r, "-warning"); };
    if (has(printer, [&](const std::string& r) {
            return (StartsWith(r, "media-empty") || StartsWith(r, "media-needed")) && severe(r);
        }))
        return QueueHold::OutOfPaper;
    if (has(printer, [](const std::string& r) { return EndsWith(r, "-error"); })) return QueueHold::PrinterFault;
    if (state.printerState == IPP_PSTATE_PROCESSING && SaysDeviceUnreachable(state.message)) return QueueHold::Unreachable;
    return QueueHold::None;
}

std::string QueueOf(const std::string& destination) { return destination.substr(0, destination.find('/')); }

namespace {

using Clock = std::chrono::steady_clock;

// A path under a file can never be a socket: libcups finds nothing there at once.
constexpr const char* Nowhere = "/dev/null/no-print-service";

thread_local int t_noService = 0;
thread_local ServiceAddress t_service;  // the thread's own while NoServiceHere lives

struct Deadline {
    Clock::time_point end;
};

// libcups asks on every wait that found nothing: go on until the deadline.
int BeforeDeadline(http_t*, void* deadline) { return Clock::now() < static_cast<Deadline*>(deadline)->end ? 1 : 0; }

int MillisecondsLeft(const Deadline& deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline.end - Clock::now()).count();
    return static_cast<int>(std::max<long long>(1, left));
}

// A connection to the service that gives up at the deadline, connecting
// and at every wait for an answer; null when none was made, `silent` then
// telling a service that let the connection time out from none there.
http_t* Connect(const ServiceAddress& at, Deadline& deadline, bool* silent = nullptr) {
    if (silent != nullptr) *silent = false;
    http_t* http = httpConnect2(at.server.c_str(), at.port, nullptr, AF_UNSPEC, cupsEncryption(), 1, 0, nullptr);
    if (http == nullptr) return nullptr;  // a name that does not resolve
    if (httpReconnect2(http, MillisecondsLeft(deadline), nullptr) != 0) {
        const int error = httpError(http);
        if (silent != nullptr) *silent = error == ETIMEDOUT || error == EAGAIN || error == EINPROGRESS;
        httpClose(http);
        return nullptr;
    }
    httpSetTimeout(http, 0.25, BeforeDeadline, &deadline);
    return http;
}

}  // namespace

ServiceAddress DefaultService() { return t_noService > 0 ? t_service : ServiceAddress{cupsServer(), ippPort()}; }

NoServiceHere::NoServiceHere(bool keepAway) : active_(keepAway) {
    if (!active_ || t_noService++ > 0) return;
    t_service = {cupsServer(), ippPort()};
    cupsSetServer(Nowhere);
}

void NoServiceHere::End() {
    if (!active_) return;
    active_ = false;
    // Back to CUPS_SERVER, else the system's.
    if (--t_noService == 0) cupsSetServer(nullptr);
}

namespace {

// A socket named in a folder that is there: a scheduler lives there and is
// stopped (it takes its socket with it), which is not a machine without one.
bool StoppedHere(const std::string& server) {
    if (server.empty() || server[0] != '/') return false;
    const std::string folder = server.substr(0, server.rfind('/'));
    struct stat seen {};
    return !folder.empty() && stat(folder.c_str(), &seen) == 0 && S_ISDIR(seen.st_mode);
}

}  // namespace

ServiceAnswer ProbeService(const ServiceAddress& at, int milliseconds) {
    Deadline deadline{Clock::now() + std::chrono::milliseconds(milliseconds)};
    bool silent = false;
    http_t* http = Connect(at, deadline, &silent);
    if (http == nullptr)
        return silent ? ServiceAnswer::Silent : StoppedHere(at.server) ? ServiceAnswer::Stopped : ServiceAnswer::None;
    ipp_t* response = cupsDoRequest(http, ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/");
    httpClose(http);
    if (response == nullptr) return ServiceAnswer::Silent;
    ippDelete(response);
    return ServiceAnswer::Answers;
}

namespace {

std::string JoinedKeywords(ipp_t* response, const char* name) {
    std::string joined;
    if (ipp_attribute_t* a = ippFindAttribute(response, name, IPP_TAG_KEYWORD))
        for (int i = 0; i < ippGetCount(a); ++i) joined += (i > 0 ? "," : "") + std::string(ippGetString(a, i, nullptr));
    return joined;
}

// The queue's state and, for a job number, the job's, as the service on `http` gives them.
struct QueueState : ServiceState {
    bool answered = false;
    bool accepting = true;  // printer-is-accepting-jobs
};

QueueState StateOf(http_t* http, const std::string& queue, int job = 0) {
    QueueState result;
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                     queue.c_str());
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char* const wanted[] = {"printer-state", "printer-state-reasons", "printer-state-message",
                                         "printer-is-accepting-jobs"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 4, nullptr, wanted);
    ipp_t* response = cupsDoRequest(http, request, "/");
    if (response == nullptr) return result;
    result.answered = true;
    if (ipp_attribute_t* a = ippFindAttribute(response, "printer-state", IPP_TAG_ENUM)) result.printerState = ippGetInteger(a, 0);
    result.printerReasons = JoinedKeywords(response, "printer-state-reasons");
    if (ipp_attribute_t* a = ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT))
        result.message = ippGetString(a, 0, nullptr);
    if (ipp_attribute_t* a = ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN))
        result.accepting = ippGetBoolean(a, 0) != 0;
    ippDelete(response);
    if (job <= 0) return result;
    request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
    static const char* const jobWanted[] = {"job-state", "job-state-reasons", "job-printer-state-message"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr, jobWanted);
    response = cupsDoRequest(http, request, "/");
    if (response == nullptr) return result;
    if (ipp_attribute_t* a = ippFindAttribute(response, "job-state", IPP_TAG_ENUM)) result.jobState = ippGetInteger(a, 0);
    result.jobReasons = JoinedKeywords(response, "job-state-reasons");
    if (ipp_attribute_t* a = ippFindAttribute(response, "job-printer-state-message", IPP_TAG_TEXT))
        result.jobMessage = ippGetString(a, 0, nullptr);
    ippDelete(response);
    return result;
}

// The queue's words that go with `hold`: on its printer while it holds the
// job; for a job that ended unprinted, those it had when the job last ran
// (its printer's message may speak of a later job by now).
std::string HoldWords(const ServiceState& state, QueueHold hold) {
    if (hold == QueueHold::None) return {};
    return hold == QueueHold::JobCancelled || hold == QueueHold::JobAborted ? state.jobMessage : state.message;
}

}  // namespace

Submission SubmitPdf(const ServiceAddress& at, const std::string& queue, const std::string& pdf,
                     const std::string& title, const PrintOptions& options) {
    Submission result;
    Deadline deadline{Clock::now() + std::chrono::milliseconds(SubmitLimitMilliseconds)};
    // libcups' own look-ups of a queue fall back on the thread's connection.
    const NoServiceHere fallbacks;
    http_t* http = Connect(at, deadline);
    if (http == nullptr) {
        result.noService = true;
        result.refusal = queue + ": The print service does not answer.";
        return result;
    }
    cups_option_t* list = nullptr;
    int count = 0;
    for (const auto& [name, value] : options) count = cupsAddOption(name.c_str(), value.c_str(), count, &list);
    result.job = cupsPrintFile2(http, queue.c_str(), pdf.c_str(), title.c_str(), count, list);
    cupsFreeOptions(count, list);
    if (result.job <= 0) {
        result.job = 0;
        const char* why = cupsLastErrorString();
        std::string reason = why != nullptr && *why != '\0' ? why : ippErrorString(cupsLastError());
        ipp_t* answer = cupsDoRequest(http, ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/");
        result.noService = answer == nullptr;
        ippDelete(answer);
        // A queue deleted since it was chosen comes back as a missing file: the service's words for it instead.
        cups_dest_t* dest = result.noService ? nullptr : cupsGetNamedDest(http, queue.c_str(), nullptr);
        if (dest == nullptr && !result.noService) reason = "The printer or class does not exist.";
        // A queue refused with a reason gives it as its message; without one the service's own
        // placeholder says no more than the refusal.
        if (dest != nullptr) {
            const QueueState now = StateOf(http, queue);
            if (!now.accepting && !now.message.empty() && now.message != "Rejecting Jobs")
                reason += " (" + now.message + ")";
        }
        cupsFreeDests(dest != nullptr ? 1 : 0, dest);
        httpClose(http);
        result.refusal = queue + ": " + reason;
        return result;
    }
    result.server = at.server;
    const QueueState now = StateOf(http, queue, result.job);
    httpClose(http);
    result.hold = HoldOf(now);
    result.stateMessage = HoldWords(now, result.hold);
    return result;
}

JobLook LookAtJob(const std::string& server, const std::string& queue, int job) {
    JobLook look;
    // The service that took the job, whichever one the program would reach now.
    Deadline deadline{Clock::now() + std::chrono::milliseconds(ServiceLimitMilliseconds)};
    http_t* http = Connect({server, ippPort()}, deadline);
    if (http == nullptr) return look;
    const QueueState now = StateOf(http, queue, job);
    httpClose(http);
    look.answered = now.answered && now.jobState != 0;
    look.unfinished = now.jobState != 0 && now.jobState < IPP_JSTATE_CANCELED;
    look.hold = HoldOf(now);
    look.stateMessage = HoldWords(now, look.hold);
    return look;
}

}  // namespace velm

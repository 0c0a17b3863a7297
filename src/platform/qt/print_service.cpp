#include "platform/qt/print_service.h"

#include <cups/cups.h>

#include <algorithm>

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

bool PrintServiceAnswers() {
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 5000, nullptr);
    if (http == nullptr) return false;
    httpClose(http);
    return true;
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

Submission SubmitPdf(const std::string& queue, const std::string& pdf, const std::string& title,
                     const PrintOptions& options) {
    cups_option_t* list = nullptr;
    int count = 0;
    for (const auto& [name, value] : options) count = cupsAddOption(name.c_str(), value.c_str(), count, &list);
    Submission result;
    result.job = cupsPrintFile2(CUPS_HTTP_DEFAULT, queue.c_str(), pdf.c_str(), title.c_str(), count, list);
    cupsFreeOptions(count, list);
    if (result.job <= 0) {
        result.job = 0;
        const char* why = cupsLastErrorString();
        std::string reason = why != nullptr && *why != '\0' ? why : ippErrorString(cupsLastError());
        result.noService = !PrintServiceAnswers();
        // A queue deleted since it was chosen comes back as a missing file: the service's words for it instead.
        cups_dest_t* dest = result.noService ? nullptr : cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.c_str(), nullptr);
        if (dest == nullptr && !result.noService) reason = "The printer or class does not exist.";
        // A queue refused with a reason gives it as its message; without one the service's own
        // placeholder says no more than the refusal.
        if (dest != nullptr) {
            const QueueState now = StateOf(CUPS_HTTP_DEFAULT, queue);
            if (!now.accepting && !now.message.empty() && now.message != "Rejecting Jobs")
                reason += " (" + now.message + ")";
        }
        cupsFreeDests(dest != nullptr ? 1 : 0, dest);
        result.refusal = queue + ": " + reason;
        return result;
    }
    result.server = cupsServer();
    const QueueState now = StateOf(CUPS_HTTP_DEFAULT, queue, result.job);
    result.hold = HoldOf(now);
    result.stateMessage = HoldWords(now, result.hold);
    return result;
}

JobLook LookAtJob(const std::string& server, const std::string& queue, int job) {
    JobLook look;
    // The service that took the job, whichever one the program would reach now.
    http_t* http = httpConnect2(server.c_str(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 2000, nullptr);
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

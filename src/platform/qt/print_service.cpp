#include "platform/qt/print_service.h"

#include <cups/cups.h>

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

QueueHold HoldOf(int printerState, const std::string& stateReasons, const std::string& stateMessage) {
    if (printerState == IPP_PSTATE_STOPPED) return QueueHold::Stopped;
    if (stateReasons.find("offline") != std::string::npos || stateReasons.find("-error") != std::string::npos)
        return QueueHold::Unreachable;
    if (printerState == IPP_PSTATE_PROCESSING && !stateMessage.empty()) return QueueHold::Unreachable;
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

// The queue's state, reasons (comma-separated) and message as the service gives them.
struct QueueState {
    int state = 0;
    std::string reasons;
    std::string message;
};

QueueState StateOf(const std::string& queue) {
    QueueState result;
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                     queue.c_str());
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char* const wanted[] = {"printer-state", "printer-state-reasons", "printer-state-message"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr, wanted);
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    if (response == nullptr) return result;
    if (ipp_attribute_t* a = ippFindAttribute(response, "printer-state", IPP_TAG_ENUM)) result.state = ippGetInteger(a, 0);
    if (ipp_attribute_t* a = ippFindAttribute(response, "printer-state-reasons", IPP_TAG_KEYWORD))
        for (int i = 0; i < ippGetCount(a); ++i) result.reasons += (i > 0 ? "," : "") + std::string(ippGetString(a, i, nullptr));
    if (ipp_attribute_t* a = ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT))
        result.message = ippGetString(a, 0, nullptr);
    ippDelete(response);
    return result;
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
        cupsFreeDests(dest != nullptr ? 1 : 0, dest);
        result.refusal = queue + ": " + reason;
        return result;
    }
    const QueueState now = StateOf(queue);
    result.hold = HoldOf(now.state, now.reasons, now.message);
    if (result.hold != QueueHold::None) result.stateMessage = now.message;
    return result;
}

}  // namespace velm

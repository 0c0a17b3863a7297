#include "platform/qt/print_service.h"

#include <cups/cups.h>

#include <charconv>

namespace velm {

PrintOptions TrueSizeOptions(const std::string& media, bool landscape, int copies, bool collate) {
    PrintOptions options;
    if (!media.empty()) options.emplace_back("media", media);
    // The page is laid out landscape already; the service is told so, as for any landscape page.
    if (landscape) options.emplace_back("landscape", "");
    if (copies > 1) {
        options.emplace_back("copies", std::to_string(copies));
        if (collate) options.emplace_back("Collate", "True");
    }
    // A page of the paper's own size prints as it is: no fitting, no scaling.
    options.emplace_back("fit-to-page", "false");
    options.emplace_back("print-scaling", "none");
    return options;
}

QueueHold HoldOf(int printerState, const std::string& stateReasons) {
    if (printerState == IPP_PSTATE_STOPPED) return QueueHold::Stopped;
    if (stateReasons.find("offline") != std::string::npos) return QueueHold::Unreachable;
    return QueueHold::None;
}

std::string QueueOf(const std::string& destination) { return destination.substr(0, destination.find('/')); }

namespace {

QueueHold HoldNow(const std::string& queue) {
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.c_str(), nullptr);
    if (dest == nullptr) return QueueHold::Unreachable;
    const char* state = cupsGetOption("printer-state", dest->num_options, dest->options);
    const char* reasons = cupsGetOption("printer-state-reasons", dest->num_options, dest->options);
    int stateValue = 0;
    if (state != nullptr) std::from_chars(state, state + std::char_traits<char>::length(state), stateValue);
    const QueueHold hold = HoldOf(stateValue, reasons != nullptr ? reasons : "");
    cupsFreeDests(1, dest);
    return hold;
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
        // A queue deleted since it was chosen comes back as a missing file: the service's words for it instead.
        cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.c_str(), nullptr);
        if (dest == nullptr) reason = "The printer or class does not exist.";
        cupsFreeDests(dest != nullptr ? 1 : 0, dest);
        result.refusal = queue + ": " + reason;
        return result;
    }
    result.hold = HoldNow(queue);
    return result;
}

}  // namespace velm

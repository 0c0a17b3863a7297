#include "platform/dialogs.h"

#include <algorithm>

namespace velm {

std::vector<int> PagesToPrint(const PrintRange& range, int minPage, int maxPage) {
    std::vector<int> pages;
    if (range.cancelled || maxPage < minPage) return pages;
    std::vector<int> asked;
    if (range.allPages) {
        for (int p = minPage; p <= maxPage; ++p) asked.push_back(p);
    } else if (!range.pages.empty()) {
        for (int p : range.pages)
            if (p >= minPage && p <= maxPage) asked.push_back(p);
    } else {
        const int first = std::clamp(std::min(range.fromPage, range.toPage), minPage, maxPage);
        const int last = std::clamp(std::max(range.fromPage, range.toPage), minPage, maxPage);
        for (int p = first; p <= last; ++p) asked.push_back(p);
    }
    // The copies of one page together: a fitter takes one piece's sheets at a time.
    for (int p : asked) pages.insert(pages.end(), static_cast<std::size_t>(std::max(1, range.copies)), p);
    return pages;
}

}  // namespace velm

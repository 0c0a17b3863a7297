#include "recording_printer.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace velm {

RecordingPrinter::RecordingPrinter() : page_(*this) {}

RecordingPrinter::RecordedPage::RecordedPage(RecordingPrinter& printer) : printer_(printer) { ResetState(); }

int RecordingPrinter::RecordedPage::PixelWidth() const {
    return static_cast<int>(std::lround(MmToPixels(printer_.widthMm_)));
}

int RecordingPrinter::RecordedPage::PixelHeight() const {
    return static_cast<int>(std::lround(MmToPixels(printer_.heightMm_)));
}

void RecordingPrinter::SetPage(double widthMm, double heightMm, PageOrientation orientation, int dpi) {
    widthMm_ = widthMm;
    heightMm_ = heightMm;
    orientation_ = orientation;
    dpi_ = dpi;
    page_.Rescale();
}

PageSize RecordingPrinter::PageMillimetres() {
    if (!available) return {};
    return {static_cast<int>(std::floor(widthMm_)), static_cast<int>(std::floor(heightMm_))};
}

RecordingPrinter::PageRec* RecordingPrinter::Current() {
    if (state_ == DocState::Idle) {
        ++startAttempts;
        state_ = DocState::Failed;
        if (!available || failStart) return nullptr;
        DocumentRec document;
        document.title = title_;
        if (printsToFile && !nextName_.empty())
            document.fileName = std::exchange(nextName_, std::string());
        else if (printsToFile && !numberedName_.empty())
            document.fileName = NumberedFileName(numberedName_, ++documentNumber_);
        document.pages.emplace_back();
        documents.push_back(document);
        state_ = DocState::Drawing;
    }
    return state_ == DocState::Drawing ? &documents.back().pages.back() : nullptr;
}

void RecordingPrinter::NewPage() {
    if (Current()) documents.back().pages.emplace_back();
}

DocumentResult RecordingPrinter::EndDocument() {
    if (beforeEnd && state_ == DocState::Drawing) beforeEnd();
    DocumentResult result = DocumentResult::Empty;
    lastDelivery_ = {};
    if (state_ == DocState::Failed) result = DocumentResult::Failed;
    if (state_ == DocState::Drawing) {
        documents.back().ended = true;
        result = DocumentResult::Printed;
        lastDelivery_ = delivery;
    }
    title_.clear();
    state_ = DocState::Idle;
    page_.Reset();
    results.push_back(result);
    return result;
}

void RecordingPrinter::NumberDocuments(const std::string& fileName) {
    numberedName_ = fileName;
    documentNumber_ = 0;
}

void RecordingPrinter::RecordedPage::DeviceLine(double x1, double y1, double x2, double y2, Colour colour) {
    if (PageRec* page = printer_.Current())
        page->lines.push_back({FromDeviceX(x1), FromDeviceY(y1), FromDeviceX(x2), FromDeviceY(y2), DrawWidth,
                               DrawStyle, colour});
}

void RecordingPrinter::RecordedPage::DeviceArc(double cx, double cy, double rx, double, Colour, double start,
                                               double end, bool full) {
    if (PageRec* page = printer_.Current())
        page->arcs.push_back({FromDeviceX(cx), FromDeviceY(cy), FromDeviceX(cx + rx) - FromDeviceX(cx),
                              full ? 0 : start, full ? 0 : end});
}

void RecordingPrinter::RecordedPage::DeviceText(double x, double y, const std::string& text) {
    if (PageRec* page = printer_.Current()) page->texts.push_back({FromDeviceX(x), FromDeviceY(y), text, FontBold});
}

double RecordingPrinter::RecordedPage::DeviceTextWidth(const std::string& text) const {
    std::size_t widest = 0, current = 0;
    for (char c : text) {
        current = c == '\n' ? 0 : current + 1;
        widest = std::max(widest, current);
    }
    return MmToPixels(printer_.charWidthMm) * static_cast<double>(widest);
}

double RecordingPrinter::RecordedPage::DeviceTextHeight(const std::string& text) const {
    return MmToPixels(printer_.lineHeightMm) * static_cast<double>(1 + std::count(text.begin(), text.end(), '\n'));
}

}  // namespace velm

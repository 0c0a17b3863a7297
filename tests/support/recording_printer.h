#pragma once
// A printer that prints nothing and records each document as values: lines
// in page units with their width, style and colour, texts with their
// position and boldness, page by page. The test sets the page, the
// resolution and the font metrics, and can make the printer answer "no
// printer" or fail to start a document.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/printer.h"

namespace velm {

class RecordingPrinter : public Printer {
public:
    struct LineRec {
        double x1, y1, x2, y2;  // page units
        int width;              // device pixels
        int style;
        Colour colour;
    };
    struct TextRec {
        double x, y;  // page units, upper-left corner
        std::string text;
        bool bold;
    };
    struct ArcRec {
        double x, y, radius;  // page units
        double start, end;    // radians; both 0 for a whole circle
    };
    struct PageRec {
        std::vector<LineRec> lines;
        std::vector<TextRec> texts;
        std::vector<ArcRec> arcs;
    };
    struct DocumentRec {
        std::vector<PageRec> pages;
        std::string fileName;  // the numbered file name, when one was set
        std::string title;     // what the print service would list it as
        bool ended = false;
    };

    RecordingPrinter();

    // Set by the test: the printable area in millimetres, its orientation and
    // the printer's resolution; the width and height of one character in
    // millimetres (any font, bold or not).
    void SetPage(double widthMm, double heightMm, PageOrientation orientation = PagePortrait, int dpi = 600);
    double charWidthMm = 2.54;
    double lineHeightMm = 4.0;
    bool available = true;   // false: "no printer"
    bool failStart = false;  // documents cannot be started
    std::string failureText;  // what FailureText says
    PrintFault fault = PrintFault::Other;  // what LastFault says
    PrintDelivery delivery;   // where each printed document went (LastDelivery)
    bool printsToFile = false;
    bool serviceAnswers = true;  // false: the chosen queue's print service is silent
    // Runs inside each document's print, just before it ends (what the user
    // may do meanwhile); the document ends after it returns.
    std::function<void()> beforeEnd;

    bool Available() override { return available; }
    PageSize PageMillimetres() override;
    PageOrientation Orientation() override { return orientation_; }
    PrinterPage& Page() override { return page_; }
    void NewPage() override;
    DocumentResult EndDocument() override;
    bool PrintsToFile() override { return printsToFile; }
    bool ServiceAnswers() override { return serviceAnswers; }
    std::string FailureText() override { return failureText; }
    PrintFault LastFault() override { return fault; }
    void NumberDocuments(const std::string& fileName) override;
    void SetDocumentTitle(const std::string& title) override { title_ = title; }
    PrintDelivery LastDelivery() override { return lastDelivery_; }
    void NameNextDocument(const std::string& fileName) override { nextName_ = fileName; }
    // The page and orientation held, as a print dialog may change them.
    void HoldSetUp() override { held_ = {widthMm_, heightMm_, orientation_}; }
    void RestoreSetUp() override {
        if (held_) SetPage(held_->widthMm, held_->heightMm, held_->orientation, dpi_);
        held_.reset();
    }

    std::vector<DocumentRec> documents;    // every document begun, the last one perhaps still open
    std::vector<DocumentResult> results;   // what each EndDocument answered
    int startAttempts = 0;

private:
    class RecordedPage : public PrinterPage {
    public:
        explicit RecordedPage(RecordingPrinter& printer);
        int PixelWidth() const override;
        int PixelHeight() const override;
        void Reset() { ResetState(); }
        void Rescale() { RefreshScale(); }

    protected:
        double DotsPerInchX() const override { return printer_.dpi_; }
        double DotsPerInchY() const override { return printer_.dpi_; }
        void DeviceLine(double x1, double y1, double x2, double y2, Colour colour) override;
        void DeviceArc(double cx, double cy, double rx, double ry, Colour colour, double start, double end,
                       bool full) override;
        void DeviceText(double x, double y, const std::string& text) override;
        double DeviceTextWidth(const std::string& text) const override;
        double DeviceTextHeight(const std::string& text) const override;

    private:
        double MmToPixels(double mm) const { return mm / 25.4 * printer_.dpi_; }
        RecordingPrinter& printer_;
    };

    // The page to record on, beginning the document; null when it cannot be drawn on.
    PageRec* Current();

    enum class DocState { Idle, Drawing, Failed };
    double widthMm_ = 200, heightMm_ = 287;
    PageOrientation orientation_ = PagePortrait;
    int dpi_ = 600;
    DocState state_ = DocState::Idle;
    std::string numberedName_;
    std::string nextName_;
    int documentNumber_ = 0;
    std::string title_;
    PrintDelivery lastDelivery_;
    struct Held {
        double widthMm, heightMm;
        PageOrientation orientation;
    };
    std::optional<Held> held_;
    RecordedPage page_;
};

}  // namespace velm

#pragma once
// The system printer, the only way output reaches paper or a PDF file. One
// document at a time: it begins with its first drawing on the page (an empty
// document makes no page and asks nothing) and ends with EndDocument.
#include <functional>
#include <string>

#include "platform/canvas.h"

namespace velm {

// Page units: 5 inches, 6 millimetres.
enum PageUnits { PageInches = 5, PageMillimetres = 6 };

enum PageOrientation { PagePortrait = 1, PageLandscape = 2 };

struct PageSize {
    int width = 0;   // whole millimetres
    int height = 0;
};

// How a document ended.
enum class DocumentResult {
    Printed,    // its pages went to the printer or the file
    Empty,      // nothing was drawn: no page, nothing asked
    Cancelled,  // the user cancelled the file name: nothing printed
    Failed,     // the document could not be started, or the print service refused it: nothing printed
};

// Why a document failed, where the program tells it apart.
enum class PrintFault {
    Other,      // the failure text says why
    NoService,  // the print service did not answer: nothing reached it
};

// How a print queue that took a document stood then, or how the job ended
// when it ended without printing.
enum class QueueHold {
    None,          // ready or busy: the job prints in its turn
    Stopped,       // the queue is stopped or paused and holds the job
    Unreachable,   // the queue cannot reach its printer (offline, no answer) and holds the job
    OutOfPaper,    // the printer is out of paper and holds the job
    PrinterFault,  // the printer reports another fault and holds the job
    JobHeld,       // the job itself is held until someone releases it
    JobCancelled,  // the job was cancelled (by a user or the workshop) and did not print
    JobAborted,    // the print service aborted the job (its printer failed it) and it did not print
};

// Where the last printed document went: the queue of the print service that
// took it, or no queue when it went to a file or nowhere.
struct PrintDelivery {
    std::string queue;
    QueueHold hold = QueueHold::None;
    std::string stateMessage;  // the queue's own words on its printer when it holds or ended the job
};

// The page being printed: a vector canvas in millimetres or inches from the
// top-left corner of the printable area, scaled from the printer's own
// resolution. Pens are cosmetic: DrawWidth counts device pixels. A fresh
// document draws with a solid black pen 1 pixel wide and writes Liberation
// Mono 10 pt, regular, at (0, 0) in millimetres.
class PrinterPage : public Canvas {
public:
    static constexpr const char* TextFont = "Liberation Mono";
    static constexpr double TextSize = 10;

    PrinterPage();
    void SetUnits(PageUnits units);  // the origin stays at the printable area's corner
    PageUnits Units() const { return units_; }

protected:
    virtual double DotsPerInchX() const = 0;
    virtual double DotsPerInchY() const = 0;
    // For the printers: the scale again after the page's size or resolution changed.
    void RefreshScale() { SetUnits(units_); }
    // For the printers: the pen, font, position and units of a fresh document.
    void ResetState();

private:
    PageUnits units_ = PageMillimetres;
};

class Printer {
public:
    virtual ~Printer() = default;
    // A printer answers: the system's default printer, else the PDF printer.
    virtual bool Available() = 0;
    // The printable area in whole millimetres, rounded down, after orientation; 0 x 0 when none answers.
    virtual PageSize PageMillimetres() = 0;
    // The orientation chosen for the paper (in the printer set-up).
    virtual PageOrientation Orientation() = 0;
    // The page to draw on; measuring text on it starts nothing, its first drawing begins the document.
    virtual PrinterPage& Page() = 0;
    // Ends the current page (beginning the document if needed); what follows goes on a new page.
    virtual void NewPage() = 0;
    // Sends the document and says how it went; the page is then fresh for the next document.
    virtual DocumentResult EndDocument() = 0;
    // Why the last document could not be started or was refused, in the
    // system's words (an unwritable PDF file; the queue's name and the print
    // service's reason); empty when the printer does not say.
    virtual std::string FailureText() { return {}; }
    // What kind of failure the last document met.
    virtual PrintFault LastFault() { return PrintFault::Other; }
    // The name the print service lists the next document under; it holds
    // for that document only.
    virtual void SetDocumentTitle(const std::string& /*title*/) {}
    // Where the last ended document went.
    virtual PrintDelivery LastDelivery() { return {}; }
    // Looks at the last delivered job and its queue again a few seconds
    // later, without blocking the window, and hands what it finds to `then`;
    // looks again while the job has not finished and `then` answers true.
    virtual void FollowLastDelivery(std::function<bool(const PrintDelivery&)> /*then*/) {}
    // True when documents go to a PDF file that the user names, not to a printer.
    virtual bool PrintsToFile() = 0;
    // False when documents go to a print queue whose print service does not
    // answer now: nothing would reach it, and the queue stays chosen.
    virtual bool ServiceAnswers() { return true; }
    // PDF: the next documents go to fileName numbered ("a.pdf": a-1.pdf, a-2.pdf ...) without asking; "" asks again.
    virtual void NumberDocuments(const std::string& fileName) = 0;
    // PDF: the next document alone goes to fileName without asking, before any numbering.
    virtual void NameNextDocument(const std::string&) {}
    // The set-up (printer, paper, orientation, PDF file) held, and put back
    // once a print whose own dialog changed it is done.
    virtual void HoldSetUp() {}
    virtual void RestoreSetUp() {}
};

// Holds the printer's set-up while it lives: what a print dialog chose holds
// for that print only.
class HeldPrinterSetUp {
public:
    explicit HeldPrinterSetUp(Printer* printer) : printer_(printer) {
        if (printer_) printer_->HoldSetUp();
    }
    ~HeldPrinterSetUp() {
        if (printer_) printer_->RestoreSetUp();
    }
    HeldPrinterSetUp(const HeldPrinterSetUp&) = delete;
    HeldPrinterSetUp& operator=(const HeldPrinterSetUp&) = delete;

private:
    Printer* printer_;
};

// "dir/a.pdf", "-piece2" -> "dir/a-piece2.pdf": the label goes before the extension.
std::string LabelledFileName(const std::string& fileName, const std::string& label);
// "dir/a.pdf", 2 -> "dir/a-2.pdf": the name of the n-th numbered document.
std::string NumberedFileName(const std::string& fileName, int number);

}  // namespace velm

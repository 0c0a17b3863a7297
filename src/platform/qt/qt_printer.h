#pragma once
// The system printer through one QPrinter, shared with the printer set-up and
// print dialogs so that their choices carry over to what prints next. It is
// the system's default printer when one exists, else a PDF printer whose
// file the user names in the save dialog of the Dialogs service; while the
// print service has not answered, the default queue is awaited, not a PDF
// file. No call to the service waits longer than a few seconds. A document
// for a system printer is drawn into a PDF of the same page layout and
// resolution, which the program hands to the print service itself.
#include <chrono>
#include <functional>
#include <QPageLayout>
#include <QPrinter>
#include <QString>
#include <memory>
#include <optional>
#include <string>

#include "platform/dialogs.h"
#include "platform/printer.h"
#include "platform/qt/print_service.h"

class QFont;
class QPainter;
class QTemporaryFile;

namespace velm {

class QtPrinter;

class QtPrinterPage : public PrinterPage {
public:
    explicit QtPrinterPage(QtPrinter& printer);
    int PixelWidth() const override;
    int PixelHeight() const override;

protected:
    double DotsPerInchX() const override;
    double DotsPerInchY() const override;
    void DeviceLine(double x1, double y1, double x2, double y2, Colour colour) override;
    void DeviceArc(double cx, double cy, double rx, double ry, Colour colour, double start, double end,
                   bool full) override;
    void DeviceText(double x, double y, const std::string& text) override;
    double DeviceTextWidth(const std::string& text) const override;
    double DeviceTextHeight(const std::string& text) const override;

private:
    friend class QtPrinter;
    QFont CurrentFont() const;
    QPainter* Painter(Colour colour);  // null while no document can be drawn on
    QtPrinter& printer_;
};

class QtPrinter : public Printer {
public:
    QtPrinter();
    ~QtPrinter() override;
    QtPrinter(const QtPrinter&) = delete;
    QtPrinter& operator=(const QtPrinter&) = delete;

    bool Available() override;
    PageSize PageMillimetres() override;
    PageOrientation Orientation() override;
    PrinterPage& Page() override;
    void NewPage() override;
    DocumentResult EndDocument() override;
    bool PrintsToFile() override;
    bool ServiceAnswers() override;
    std::string FailureText() override { return failure_; }
    PrintFault LastFault() override { return fault_; }
    void SetDocumentTitle(const std::string& title) override { title_ = title; }
    PrintDelivery LastDelivery() override { return delivery_; }
    void FollowLastDelivery(std::function<bool(const PrintDelivery&)> then) override;
    void NumberDocuments(const std::string& fileName) override;
    void NameNextDocument(const std::string& fileName) override { nextName_ = fileName; }
    void HoldSetUp() override;
    void RestoreSetUp() override;

    // The queue documents go to, empty for a PDF file. A queue the print
    // service does not list now (it does not answer) stays chosen, and the
    // device goes back to it once the service lists it again.
    QString ChosenQueue();
    void ChooseQueue(const QString& queue);

    // Printer, file and paper of the device, read and put back as one.
    struct SetUp {
        QString printerName;
        QPrinter::OutputFormat format = QPrinter::NativeFormat;
        QString outputFile;
        QPageLayout layout;
        bool defaultUnknown = false;  // the default queue awaited the service's answer
    };
    SetUp CurrentSetUp();
    void PutSetUp(const SetUp& setUp);

    // After a print dialog was read: no page selection, page set, copies or
    // pages per sheet stay on the device, so every document prints whole,
    // once and true to size.
    void DropPrintChoices();

    // Makes the save dialog's request for the file of a PDF printer from the
    // proposed name (the program's texts live above the platform).
    void SetFileRequest(std::function<FileDialogRequest(const std::string& fileName)> make) {
        fileRequest_ = std::move(make);
    }

    // The device itself, for the printer set-up and print dialogs.
    QPrinter& Device();

    // Looks whether the print service answers without waiting for it: one
    // that answered once and is gone later is taken for silent, not for none.
    void LookForService();
    // True when the print service answered just now: Qt's printer support
    // may ask it (else a NoServiceHere keeps it from waiting).
    bool ServiceReached() { return Service(true) == ServiceAnswer::Answers; }
    // True while the device is on a PDF file only because the print service
    // has not answered since it was made (none there, or silent).
    bool DefaultUnknown() { return defaultUnknown_; }
    // The paper the user chose in set-up; it stays when the default queue comes.
    void ChoosePaper(const QPageSize& paper);

private:
    friend class QtPrinterPage;
    enum class DocState { Idle, Drawing, Cancelled, Failed };
    // Begins the document at its first output; the painter while drawing, else null.
    QPainter* Begin();
    // What the page draws on: the PDF for the print service while one is drawn, else the device.
    QPrinter& Target();
    // A system printer's document: the PDF the print service will receive; false when it cannot be made.
    bool BeginServiceDocument();
    // Hands the finished PDF to the print service; false when it refused it.
    bool SubmitToService();
    std::string Title() const;
    // Puts the device back on the chosen queue once the service lists it, or
    // on the default queue once the service answers; false while it cannot.
    // `fresh`: the service's answer of just now, else one of a few seconds ago.
    bool OnChosenQueue(bool fresh = true);
    // The print service's answer. `fresh`: an answer or refusal is asked
    // again each time, a silence heard within a second stands; else any
    // answer of the last few seconds stands. The window waits a short time at most.
    ServiceAnswer Service(bool fresh);
    void Heard(ServiceAnswer answer);
    // The service answered: the device goes to its default queue and, unless
    // the user chose a paper, that queue's default paper.
    void TakeDefaultQueue();

    std::unique_ptr<QPrinter> device_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<QTemporaryFile> serviceFile_;
    std::unique_ptr<QPrinter> serviceDocument_;
    QtPrinterPage page_;
    bool pageStateSet_ = false;
    DocState state_ = DocState::Idle;
    std::string numberedName_;
    std::string nextName_;
    std::optional<SetUp> held_;
    std::function<FileDialogRequest(const std::string&)> fileRequest_;
    int documentNumber_ = 0;
    std::string failure_;
    PrintFault fault_ = PrintFault::Other;
    std::string title_;
    PrintDelivery delivery_;
    int deliveredJob_ = 0;       // the service's number of the last delivered job
    std::string deliveryServer_;  // the service that took it
    // The chosen queue while the device cannot be on it: without a listing
    // of the service Qt falls back to a PDF file.
    QString unreachedQueue_;
    // The device was made while the print service did not answer: on a PDF
    // file only until the service answers and names its default queue.
    bool defaultUnknown_ = false;
    bool paperChosen_ = false;
    std::optional<ServiceAnswer> heard_;  // the service's last answer, and when
    std::chrono::steady_clock::time_point heardAt_;
    bool everAnswered_ = false;
    std::shared_ptr<QtPrinter*> self_ = std::make_shared<QtPrinter*>(this);  // null once gone
};

}  // namespace velm

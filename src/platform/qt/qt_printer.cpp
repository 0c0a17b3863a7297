#include "platform/qt/qt_printer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QPrintEngine>
#include <QPrinterInfo>
#include <QStringList>
#include <QTemporaryFile>
#include <QTimer>
#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>

#include "platform/qt/print_service.h"
#include "platform/qt/qt_colour.h"
#include "platform/qt/service_calls.h"
#include "platform/services.h"

namespace velm {

namespace {

constexpr double Pi = 3.14159265358979323846;

Qt::PenStyle PenStyleOf(int style) {
    switch (style) {
        case DrawDash: return Qt::DashLine;
        case DrawDot: return Qt::DotLine;
        case DrawDashDot: return Qt::DashDotLine;
        case DrawDashDotDot: return Qt::DashDotDotLine;
        default: return Qt::SolidLine;
    }
}

// Dash and gap lengths in millimetres on paper, as on a workshop drawing:
// a device's own patterns count in pen widths, a fraction of a millimetre
// on a printer, and print as solid lines.
QList<qreal> DashMillimetresOf(int style) {
    constexpr qreal dash = 5, gap = 1.5, dot = 0.5;
    switch (style) {
        case DrawDash: return {dash, gap};
        case DrawDot: return {dot, gap};
        case DrawDashDot: return {dash, gap, dot, gap};
        case DrawDashDotDot: return {dash, gap, dot, gap, dot, gap};
        default: return {};
    }
}

bool Finite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

QStringList Lines(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).split(QLatin1Char('\n'));
}

// Why a PDF file cannot be written, in the system's words; the probe leaves
// no file behind.
std::string WriteFailure(const QString& name) {
    const bool existed = QFileInfo::exists(name);
    QFile probe(name);
    if (!probe.open(QIODevice::Append)) return (name + QStringLiteral(": ") + probe.errorString()).toStdString();
    probe.close();
    if (!existed) QFile::remove(name);
    return {};
}

}  // namespace

// The state is set at the first Page(): it reads the device's size.
QtPrinterPage::QtPrinterPage(QtPrinter& printer) : printer_(printer) {}

int QtPrinterPage::PixelWidth() const { return printer_.Target().width(); }
int QtPrinterPage::PixelHeight() const { return printer_.Target().height(); }
double QtPrinterPage::DotsPerInchX() const { return printer_.Target().logicalDpiX(); }
double QtPrinterPage::DotsPerInchY() const { return printer_.Target().logicalDpiY(); }

QFont QtPrinterPage::CurrentFont() const {
    QFont font(QString::fromStdString(FontName));
    font.setPointSizeF(FontSize > 0 ? FontSize : TextSize);
    font.setBold(FontBold);
    return font;
}

QPainter* QtPrinterPage::Painter(Colour colour) {
    QPainter* painter = printer_.Begin();
    if (painter == nullptr) return nullptr;
    QPen pen(ToQColor(colour));
    pen.setWidth(std::max(1, DrawWidth));
    pen.setCosmetic(true);
    pen.setStyle(PenStyleOf(DrawStyle));
    QList<qreal> dashes = DashMillimetresOf(DrawStyle);
    if (!dashes.isEmpty()) {
        // A cosmetic pen's pattern counts in its width of device pixels.
        const qreal unitsPerMm = DotsPerInchX() / 25.4 / pen.widthF();
        for (qreal& d : dashes) d *= unitsPerMm;
        pen.setDashPattern(dashes);
    }
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    return painter;
}

void QtPrinterPage::DeviceLine(double x1, double y1, double x2, double y2, Colour colour) {
    if (!Finite({x1, y1, x2, y2})) return;
    if (QPainter* painter = Painter(colour)) painter->drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void QtPrinterPage::DeviceArc(double cx, double cy, double rx, double ry, Colour colour, double start,
                              double end, bool full) {
    if (!Finite({cx, cy, rx, ry, start, end})) return;
    QPainter* painter = Painter(colour);
    if (painter == nullptr) return;
    const QRectF box(cx - std::fabs(rx), cy - std::fabs(ry), 2 * std::fabs(rx), 2 * std::fabs(ry));
    if (full) {
        painter->drawEllipse(box);
        return;
    }
    // Counter-clockwise from start to end, in sixteenths of a degree as Qt counts.
    double from = std::fmod(start, 2 * Pi), sweep = std::fmod(end, 2 * Pi) - from;
    if (sweep <= 0) sweep += 2 * Pi;
    painter->drawArc(box, static_cast<int>(std::lround(from * 180 / Pi * 16)),
                     static_cast<int>(std::lround(sweep * 180 / Pi * 16)));
}

void QtPrinterPage::DeviceText(double x, double y, const std::string& text) {
    if (!Finite({x, y})) return;
    QPainter* painter = Painter(ForeColor);
    if (painter == nullptr) return;
    const QFont font = CurrentFont();
    painter->setFont(font);
    const QFontMetricsF metrics(font, &printer_.Target());
    // (x, y) is the upper-left corner of the text, as Print places it.
    double top = y;
    for (const QString& line : Lines(text)) {
        painter->drawText(QPointF(x, top + metrics.ascent()), line);
        top += metrics.height();
    }
}

double QtPrinterPage::DeviceTextWidth(const std::string& text) const {
    const QFontMetricsF metrics(CurrentFont(), &printer_.Target());
    double widest = 0;
    for (const QString& line : Lines(text)) widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

double QtPrinterPage::DeviceTextHeight(const std::string& text) const {
    const QFontMetricsF metrics(CurrentFont(), &printer_.Target());
    return metrics.height() * static_cast<double>(Lines(text).size());
}

// Nothing here asks the print service: the device is made when first
// needed, and the service is asked only where a limit bounds the wait
// (Qt's printer support asks it without one), so that a silent service
// holds neither the start nor the window.
QtPrinter::QtPrinter() : page_(*this) {}

QPrinter& QtPrinter::Device() {
    if (!device_) {
        {
            // A PDF printer, made without asking: the default queue comes once the service answers.
            const NoServiceHere unasked;
            device_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        }
        device_->setOutputFormat(QPrinter::PdfFormat);
        defaultUnknown_ = true;
        if (Service(false) == ServiceAnswer::Answers) TakeDefaultQueue();
    }
    return *device_;
}

void QtPrinter::LookForService() {
    const ServiceAddress at = DefaultService();
    auto answer = std::make_shared<ServiceAnswer>(ServiceAnswer::None);
    ServiceCallLater([at, answer] { *answer = ProbeService(at); },
                     [self = self_, answer] {
                         if (*self != nullptr) (*self)->Heard(*answer);
                     });
}

void QtPrinter::Heard(ServiceAnswer answer) {
    heard_ = answer;
    heardAt_ = std::chrono::steady_clock::now();
    if (answer == ServiceAnswer::Answers) everAnswered_ = true;
}

ServiceAnswer QtPrinter::Service(bool fresh) {
    using namespace std::chrono_literals;
    const auto age = std::chrono::steady_clock::now() - heardAt_;
    // An answer, or a refusal, comes at once; silence costs the window a
    // wait, so it is asked again less often.
    const bool silent = heard_ == ServiceAnswer::Silent;
    const auto kept = fresh ? (silent ? 1s : 0s) : (silent ? 10s : 5s);
    if (!heard_ || age >= kept) {
        const ServiceAddress at = DefaultService();
        ServiceAnswer answer = ServiceAnswer::None;
        WaitForServiceCall([&answer, at] { answer = ProbeService(at); });
        Heard(answer);
    }
    // Stopped, or gone after it answered: down for now, not missing.
    if (*heard_ == ServiceAnswer::Stopped || (*heard_ == ServiceAnswer::None && everAnswered_))
        return ServiceAnswer::Silent;
    return *heard_;
}

void QtPrinter::TakeDefaultQueue() {
    defaultUnknown_ = false;
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return;  // no default queue: a PDF file
    ChooseQueue(info.printerName());
    if (!paperChosen_ && unreachedQueue_.isEmpty()) device_->setPageSize(info.defaultPageSize());
}

void QtPrinter::ChoosePaper(const QPageSize& paper) {
    if (!paper.isEquivalentTo(Device().pageLayout().pageSize())) paperChosen_ = true;
    Device().setPageSize(paper);
}

QtPrinter::~QtPrinter() {
    *self_ = nullptr;
    if (painter_ && painter_->isActive()) painter_->end();
}

bool QtPrinter::Available() {
    OnChosenQueue(false);
    if (Device().isValid()) return true;
    // A printer that went away since: the PDF printer answers instead.
    if (!painter_) Device().setOutputFormat(QPrinter::PdfFormat);
    return Device().isValid();
}

PageSize QtPrinter::PageMillimetres() {
    if (!Available()) return {};
    // From the device pixels the page draws on, so that size and scale agree;
    // whole millimetres that fit, without losing one to rounding noise.
    auto whole = [](int pixels, int dpi) {
        const double mm = dpi > 0 ? pixels * 25.4 / dpi : 0;
        return mm > 0 ? static_cast<int>(std::floor(mm + 1e-6)) : 0;
    };
    return {whole(Device().width(), Device().logicalDpiX()), whole(Device().height(), Device().logicalDpiY())};
}

PageOrientation QtPrinter::Orientation() {
    return Device().pageLayout().orientation() == QPageLayout::Landscape ? PageLandscape : PagePortrait;
}

PrinterPage& QtPrinter::Page() {
    // The set-up dialog may have changed the paper since the last document.
    if (!pageStateSet_) {
        page_.ResetState();
        pageStateSet_ = true;
    }
    if (state_ == DocState::Idle) page_.RefreshScale();
    return page_;
}

QPainter* QtPrinter::Begin() {
    if (state_ == DocState::Drawing) return painter_.get();
    if (state_ != DocState::Idle) return nullptr;
    state_ = DocState::Failed;
    failure_.clear();
    fault_ = PrintFault::Other;
    if (!Available()) return nullptr;
    const bool onQueue = OnChosenQueue();
    if (defaultUnknown_ && Service(true) == ServiceAnswer::Silent) {
        // The default queue is not known yet: no PDF file in its place.
        fault_ = PrintFault::NoService;
        failure_ = "The print service does not answer.";
        return nullptr;
    }
    if (onQueue && !PrintsToFile() && !ServiceReached()) {
        fault_ = PrintFault::NoService;
        failure_ = QueueOf(Device().printerName().toStdString()) + ": The print service does not answer.";
        return nullptr;
    }
    if (!onQueue) {
        // Nothing may reach the chosen queue, and nothing goes to a PDF file in its place.
        const bool answers = ServiceReached();
        fault_ = answers ? PrintFault::Other : PrintFault::NoService;
        failure_ = QueueOf(unreachedQueue_.toStdString()) + ": " +
                   (answers ? "The printer or class does not exist." : "The print service does not answer.");
        return nullptr;
    }
    if (PrintsToFile()) {
        std::string name;
        if (!nextName_.empty()) {
            name = std::exchange(nextName_, std::string());
        } else if (!numberedName_.empty()) {
            name = NumberedFileName(numberedName_, ++documentNumber_);
        } else {
            Dialogs* dialogs = Platform().dialogs;
            if (dialogs == nullptr) return nullptr;
            const std::string proposed = Device().outputFileName().isEmpty()
                                             ? QDir::home().filePath(QStringLiteral("VELM.pdf")).toStdString()
                                             : Device().outputFileName().toStdString();
            FileDialogRequest request;
            if (fileRequest_) {
                request = fileRequest_(proposed);
            } else {
                request.defaultExtension = "pdf";
                request.fileName = proposed;
                request.fileMustExist = false;
            }
            const FileDialogResult answer = dialogs->ShowSave(request);
            if (answer.cancelled) {
                state_ = DocState::Cancelled;
                return nullptr;
            }
            name = answer.fileName;
        }
        Device().setOutputFileName(QString::fromStdString(name));
    } else if (!BeginServiceDocument()) {
        return nullptr;
    }
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(&Target())) {
        if (PrintsToFile()) failure_ = WriteFailure(Device().outputFileName());
        return nullptr;
    }
    painter_ = std::move(painter);
    state_ = DocState::Drawing;
    return painter_.get();
}

QPrinter& QtPrinter::Target() { return serviceDocument_ ? *serviceDocument_ : Device(); }

std::string QtPrinter::Title() const {
    return title_.empty() ? QCoreApplication::applicationName().toStdString() : title_;
}

bool QtPrinter::BeginServiceDocument() {
    auto file = std::make_unique<QTemporaryFile>(QDir::temp().filePath(QStringLiteral("velm-print-XXXXXX.pdf")));
    if (!file->open()) {
        failure_ = (file->fileName() + QStringLiteral(": ") + file->errorString()).toStdString();
        return false;
    }
    file->close();
    // The printer's own page layout and resolution, so that sizes and scale agree with what the page measured.
    auto pdf = std::make_unique<QPrinter>(QPrinter::HighResolution);
    pdf->setOutputFormat(QPrinter::PdfFormat);
    pdf->setResolution(Device().resolution());
    pdf->setPageLayout(Device().pageLayout());
    pdf->setDocName(QString::fromStdString(Title()));
    pdf->setOutputFileName(file->fileName());
    serviceFile_ = std::move(file);
    serviceDocument_ = std::move(pdf);
    return true;
}

bool QtPrinter::SubmitToService() {
    if (!serviceDocument_) return true;
    const std::string queue = QueueOf(Device().printerName().toStdString());
    const QPageLayout layout = Device().pageLayout();
    const PrintOptions options =
        TrueSizeOptions(layout.pageSize().key().toStdString(), layout.orientation() == QPageLayout::Landscape,
                        Device().copyCount(), Device().collateCopies());
    const ServiceAddress at = DefaultService();
    const std::string file = serviceFile_->fileName().toStdString(), title = Title();
    Submission sent;
    WaitForServiceCall([&] { sent = SubmitPdf(at, queue, file, title, options); });
    if (sent.job == 0) {
        failure_ = sent.refusal;
        fault_ = sent.noService ? PrintFault::NoService : PrintFault::Other;
        return false;
    }
    delivery_ = {queue, sent.hold, sent.stateMessage};
    deliveredJob_ = sent.job;
    deliveryServer_ = sent.server;
    return true;
}

namespace {

// A queue's sender reports a device it cannot reach only after its first
// tries: the job is looked at again every few seconds for a while.
constexpr int FollowUpMilliseconds = 5000;
constexpr int FollowUpLooks = 6;

void LookLater(const std::string& server, const std::string& queue, int job,
               std::function<bool(const PrintDelivery&)> then, int looksLeft) {
    if (QCoreApplication::instance() == nullptr) return;
    QTimer::singleShot(FollowUpMilliseconds, QCoreApplication::instance(), [=] {
        // Off the window thread: a silent service holds only the look.
        auto seen = std::make_shared<JobLook>();
        ServiceCallLater([=] { *seen = LookAtJob(server, queue, job); }, [=] {
            const JobLook& look = *seen;
            if (!look.answered) return;  // the service is gone: nothing new to say
            const bool wanted = then(PrintDelivery{queue, look.hold, look.stateMessage});
            if (wanted && look.unfinished && looksLeft > 1)
                LookLater(server, queue, job, then, looksLeft - 1);
        });
    });
}

}  // namespace

void QtPrinter::FollowLastDelivery(std::function<bool(const PrintDelivery&)> then) {
    if (delivery_.queue.empty() || deliveredJob_ == 0) return;
    LookLater(deliveryServer_, delivery_.queue, deliveredJob_, std::move(then), FollowUpLooks);
}

void QtPrinter::NewPage() {
    if (Begin()) Target().newPage();
}

DocumentResult QtPrinter::EndDocument() {
    DocumentResult result = DocumentResult::Empty;
    delivery_ = {};
    deliveredJob_ = 0;
    switch (state_) {
        case DocState::Idle: result = DocumentResult::Empty; break;
        case DocState::Cancelled: result = DocumentResult::Cancelled; break;
        case DocState::Failed: result = DocumentResult::Failed; break;
        case DocState::Drawing:
            result = painter_->end() && SubmitToService() ? DocumentResult::Printed : DocumentResult::Failed;
            break;
    }
    painter_.reset();
    serviceDocument_.reset();
    serviceFile_.reset();
    title_.clear();
    state_ = DocState::Idle;
    page_.ResetState();
    return result;
}

bool QtPrinter::PrintsToFile() {
    OnChosenQueue();
    return unreachedQueue_.isEmpty() && Device().outputFormat() == QPrinter::PdfFormat;
}

bool QtPrinter::ServiceAnswers() {
    OnChosenQueue();
    // Silent since the device was made: its default queue is not known, and is no PDF file.
    if (defaultUnknown_) return Service(true) != ServiceAnswer::Silent;
    return PrintsToFile() || ServiceReached();
}

QString QtPrinter::ChosenQueue() {
    OnChosenQueue();
    if (!unreachedQueue_.isEmpty()) return unreachedQueue_;
    return Device().outputFormat() == QPrinter::NativeFormat ? Device().printerName() : QString();
}

void QtPrinter::ChooseQueue(const QString& queue) {
    if (painter_) return;
    QPrinter& d = Device();
    defaultUnknown_ = false;  // a choice of the user's stands
    unreachedQueue_.clear();
    if (queue.isEmpty()) {
        d.setOutputFormat(QPrinter::PdfFormat);
        return;
    }
    // Qt asks the service for the queue without a limit: only when it answers.
    const NoServiceHere unasked(Service(false) != ServiceAnswer::Answers);
    d.setOutputFormat(QPrinter::NativeFormat);
    d.setPrinterName(queue);
    // Qt takes only a queue the service lists, else it stays on a PDF file or another queue.
    if (d.outputFormat() != QPrinter::NativeFormat || d.printerName() != queue) unreachedQueue_ = queue;
}

bool QtPrinter::OnChosenQueue(bool fresh) {
    Device();
    if (painter_ || (!defaultUnknown_ && unreachedQueue_.isEmpty())) return unreachedQueue_.isEmpty();
    if (Service(fresh) != ServiceAnswer::Answers) return unreachedQueue_.isEmpty();
    // The service answers again: its default queue is the printer, as if it had answered from the start.
    if (defaultUnknown_) TakeDefaultQueue();
    if (unreachedQueue_.isEmpty()) return true;
    if (QPrinterInfo::printerInfo(unreachedQueue_).isNull()) return false;
    ChooseQueue(QString(unreachedQueue_));
    return unreachedQueue_.isEmpty();
}

void QtPrinter::NumberDocuments(const std::string& fileName) {
    numberedName_ = fileName;
    documentNumber_ = 0;
}

}  // namespace velm

namespace velm {

namespace {

// Where Qt's print dialog leaves the print service's job options on the
// device: a list of name, value, name, value ...
const auto JobOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

}  // namespace

QtPrinter::SetUp QtPrinter::CurrentSetUp() {
    QPrinter& d = Device();
    const QString queue = ChosenQueue();
    if (!unreachedQueue_.isEmpty()) return {queue, QPrinter::NativeFormat, QString(), d.pageLayout()};
    return {d.printerName(), d.outputFormat(), d.outputFileName(), d.pageLayout(), defaultUnknown_};
}

void QtPrinter::PutSetUp(const SetUp& setUp) {
    if (painter_) return;
    QPrinter& d = Device();
    {
        const NoServiceHere unasked(Service(false) != ServiceAnswer::Answers);
        // The file name first: an empty one turns the device to the default queue.
        d.setOutputFileName(setUp.outputFile);
    }
    ChooseQueue(setUp.format == QPrinter::PdfFormat ? QString() : setUp.printerName);
    d.setPageLayout(setUp.layout);
    // A PDF file that only stood in for the default queue is no choice of the user's.
    if (setUp.defaultUnknown) defaultUnknown_ = true;
}

void QtPrinter::HoldSetUp() { held_ = CurrentSetUp(); }

void QtPrinter::RestoreSetUp() {
    if (!held_ || painter_) return;
    PutSetUp(*held_);
    held_.reset();
}

void QtPrinter::DropPrintChoices() {
    QPrinter& d = Device();
    d.setPrintRange(QPrinter::AllPages);
    d.setPageRanges(QPageRanges());
    d.setCopyCount(1);
    QPrintEngine* engine = d.printEngine();
    const QStringList options = engine->property(JobOptionsKey).toStringList();
    // A page list, odd or even pages, several pages on one sheet or a fit to
    // the paper would print a one-page piece blank or not true to size.
    static const QStringList dropped{QStringLiteral("page-ranges"), QStringLiteral("page-set"),
                                     QStringLiteral("number-up"), QStringLiteral("number-up-layout"),
                                     QStringLiteral("fit-to-page"), QStringLiteral("print-scaling")};
    QStringList kept;
    for (qsizetype i = 0; i + 1 < options.size(); i += 2)
        if (!dropped.contains(options[i])) kept << options[i] << options[i + 1];
    if (kept.size() != options.size()) engine->setProperty(JobOptionsKey, kept);
}

}  // namespace velm

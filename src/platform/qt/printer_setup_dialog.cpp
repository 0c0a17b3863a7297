#include "platform/qt/printer_setup_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/qt/qt_printer.h"

namespace velm {

namespace {

// A PDF file takes any paper: the usual sheets up to the plotter's A0.
QList<QPageSize> PdfPaperSizes() {
    QList<QPageSize> sizes;
    for (auto id : {QPageSize::A0, QPageSize::A1, QPageSize::A2, QPageSize::A3, QPageSize::A4, QPageSize::A5,
                    QPageSize::Letter, QPageSize::Legal, QPageSize::Tabloid})
        sizes << QPageSize(id);
    return sizes;
}

}  // namespace

PrinterSetupDialog::PrinterSetupDialog(const QPrinter& device, const QString& queue, bool serviceAnswers,
                                       QWidget* parent, bool defaultUnknown)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Printer set-up"));
    printers_ = new QComboBox(this);
    printers_->setObjectName(QStringLiteral("printers"));
    for (const QString& name : QPrinterInfo::availablePrinterNames()) printers_->addItem(name, name);
    printers_->addItem(QStringLiteral("PDF file"), QString());
    printers_->setCurrentIndex(printers_->findData(queue));
    // A silent print service lists no queue: the chosen one stays chosen,
    // to print once the service answers again, and is not taken for gone.
    const bool unlisted = printers_->currentIndex() < 0 && !serviceAnswers;
    auto* silent = new QLabel(this);
    silent->setObjectName(QStringLiteral("silent"));
    silent->setWordWrap(true);
    silent->setVisible(unlisted);
    if (unlisted) {
        silent->setText(
            QStringLiteral("The print service does not answer; %1 stays chosen and is used again once it answers.")
                .arg(queue));
        printers_->insertItem(0, queue, queue);
        printers_->setCurrentIndex(0);
    }
    // Silent since the start: the default queue is not known, and the PDF
    // file that stands in for it is no choice until the user picks it.
    if (defaultUnknown && !serviceAnswers) {
        silent->setText(QStringLiteral(
            "The print service does not answer; the system's default printer is used once it answers."));
        silent->setVisible(true);
        printers_->insertItem(0, QStringLiteral("System default printer"), QVariant());
        printers_->setCurrentIndex(0);
    }
    // A queue deleted since it was chosen is said so, and the system's
    // default queue offered in its place: OK must not turn to PDF files unasked.
    auto* gone = new QLabel(this);
    gone->setObjectName(QStringLiteral("gone"));
    gone->setWordWrap(true);
    gone->setVisible(printers_->currentIndex() < 0);
    QPageSize paper = device.pageLayout().pageSize();
    if (printers_->currentIndex() < 0) {
        gone->setText(QStringLiteral("The chosen printer %1 is gone.").arg(queue));
        const QPrinterInfo system = QPrinterInfo::defaultPrinter();
        printers_->setCurrentIndex(printers_->findData(system.printerName()));
        if (!system.isNull()) paper = system.defaultPageSize();
    }
    if (printers_->currentIndex() < 0) printers_->setCurrentIndex(printers_->count() - 1);

    paper_ = new QComboBox(this);
    paper_->setObjectName(QStringLiteral("paper"));
    FillPaperSizes(paper);
    // Another printer starts from its own default paper; a PDF file keeps the paper.
    connect(printers_, &QComboBox::currentIndexChanged, this, [this] {
        const QPrinterInfo info = QPrinterInfo::printerInfo(printers_->currentData().toString());
        FillPaperSizes(info.isNull() ? paper_->currentData().value<QPageSize>() : info.defaultPageSize());
    });

    portrait_ = new QRadioButton(QStringLiteral("Portrait"), this);
    portrait_->setObjectName(QStringLiteral("portrait"));
    landscape_ = new QRadioButton(QStringLiteral("Landscape"), this);
    landscape_->setObjectName(QStringLiteral("landscape"));
    (device.pageLayout().orientation() == QPageLayout::Landscape ? landscape_ : portrait_)->setChecked(true);
    auto* orientation = new QHBoxLayout;
    orientation->addWidget(portrait_);
    orientation->addWidget(landscape_);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Printer:"), printers_);
    form->addRow(QStringLiteral("Paper:"), paper_);
    form->addRow(QStringLiteral("Orientation:"), orientation);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(silent);
    layout->addWidget(gone);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void PrinterSetupDialog::FillPaperSizes(const QPageSize& keep) {
    const QString printer = printers_->currentData().toString();
    const QPrinterInfo info = printer.isEmpty() ? QPrinterInfo() : QPrinterInfo::printerInfo(printer);
    QList<QPageSize> sizes = info.isNull() ? PdfPaperSizes() : info.supportedPageSizes();
    if (sizes.isEmpty()) sizes = PdfPaperSizes();
    paper_->clear();
    for (const QPageSize& size : sizes) paper_->addItem(size.name(), QVariant::fromValue(size));
    int index = -1;
    for (int i = 0; i < paper_->count() && index < 0; ++i)
        if (paper_->itemData(i).value<QPageSize>().isEquivalentTo(keep)) index = i;
    if (index < 0 && !info.isNull()) index = paper_->findText(info.defaultPageSize().name());
    paper_->setCurrentIndex(std::max(index, 0));
}

void PrinterSetupDialog::Apply(QtPrinter& printer) const {
    if (printers_->currentData().isValid()) printer.ChooseQueue(printers_->currentData().toString());
    printer.ChoosePaper(paper_->currentData().value<QPageSize>());
    QPrinter& device = printer.Device();
    device.setPageOrientation(landscape_->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
}

}  // namespace velm

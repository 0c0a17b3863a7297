#pragma once
// Printer set-up: the printer (or a PDF file), its paper sizes and the
// orientation, and nothing that would scale a print. It reads the device
// when made and changes it only in Apply, so Cancel leaves everything as it
// was.
#include <QDialog>
#include <QPageSize>

class QComboBox;
class QPrinter;
class QRadioButton;

namespace velm {

class QtPrinter;

class PrinterSetupDialog : public QDialog {
public:
    // The device's paper and orientation, and `queue` chosen (empty: a PDF
    // file); `serviceAnswers` false when the print service is silent;
    // `defaultUnknown` when the device awaits the service's default queue.
    PrinterSetupDialog(const QPrinter& device, const QString& queue, bool serviceAnswers, QWidget* parent = nullptr,
                       bool defaultUnknown = false);
    // The choice onto the printer.
    void Apply(QtPrinter& printer) const;

private:
    void FillPaperSizes(const QPageSize& keep);  // the chosen printer's sizes, keeping `keep` when it has it
    QComboBox* printers_;  // objectName "printers"; a PDF file has no printer name, the awaited default queue no data
    QComboBox* paper_;     // "paper", the page size ids
    QRadioButton* portrait_;
    QRadioButton* landscape_;
};

}  // namespace velm

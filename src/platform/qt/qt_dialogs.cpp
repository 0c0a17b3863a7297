#include "platform/qt/qt_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QComboBox>
#include <QLineEdit>
#include <QPageRanges>
#include <QPageLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <algorithm>
#include <initializer_list>
#include <optional>
#include <vector>

#include "platform/qt/printer_setup_dialog.h"
#include "platform/qt/qt_printer.h"

namespace velm {

namespace {

QString Q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string S(const QString& s) { return s.toStdString(); }

std::vector<QMessageBox::StandardButton> ButtonsOf(int style) {
    switch (style & 7) {
        case 1: return {QMessageBox::Ok, QMessageBox::Cancel};
        case 2: return {QMessageBox::Abort, QMessageBox::Retry, QMessageBox::Ignore};
        case 3: return {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel};
        case 4: return {QMessageBox::Yes, QMessageBox::No};
        case 5: return {QMessageBox::Retry, QMessageBox::Cancel};
        default: return {QMessageBox::Ok};
    }
}

QMessageBox::Icon IconOf(int style) {
    switch (style & 0x70) {
        case MbCritical: return QMessageBox::Critical;
        case MbQuestion: return QMessageBox::Question;
        case MbExclamation: return QMessageBox::Warning;
        case MbInformation: return QMessageBox::Information;
        default: return QMessageBox::NoIcon;
    }
}

int AnswerCode(QMessageBox::StandardButton button) {
    switch (button) {
        case QMessageBox::Ok: return IdOk;
        case QMessageBox::Cancel: return IdCancel;
        case QMessageBox::Abort: return 3;
        case QMessageBox::Retry: return 4;
        case QMessageBox::Ignore: return 5;
        case QMessageBox::Yes: return IdYes;
        case QMessageBox::No: return IdNo;
        default: return IdCancel;
    }
}

// The bar-separated filter split into (description, patterns) pairs.
std::vector<std::pair<std::string, std::string>> FilterPairs(const std::string& filter) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= filter.size()) {
        const auto bar = filter.find('|', start);
        parts.push_back(filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    std::vector<std::pair<std::string, std::string>> pairs;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) pairs.emplace_back(parts[i], parts[i + 1]);
    return pairs;
}

QWidget* DialogParent() { return QApplication::activeWindow(); }

}  // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(const std::string& prompt, int style, const std::string& title,
                                            QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setIcon(IconOf(style));
    box->setWindowTitle(title.empty() ? QStringLiteral("VELM") : Q(title));
    box->setText(Q(prompt));
    const auto buttons = ButtonsOf(style);
    for (auto b : buttons) box->addButton(b);
    const std::size_t defaultIndex = (style & 0x300) == 0x200 ? 2 : (style & 0x300) == 0x100 ? 1 : 0;
    box->setDefaultButton(buttons[std::min(defaultIndex, buttons.size() - 1)]);
    if (std::find(buttons.begin(), buttons.end(), QMessageBox::Cancel) != buttons.end())
        box->setEscapeButton(QMessageBox::Cancel);
    else if (buttons.size() == 1)
        box->setEscapeButton(buttons.front());
    return box;
}

int MessageBoxAnswer(const QMessageBox& box) {
    if (QAbstractButton* clicked = box.clickedButton()) {
        const auto b = box.standardButton(clicked);
        if (b != QMessageBox::NoButton) return AnswerCode(b);
    }
    // Closed another way: the answer of backing out.
    const auto buttons = box.standardButtons();
    if (buttons & QMessageBox::Cancel) return IdCancel;
    if (buttons & QMessageBox::No) return IdNo;
    return IdOk;
}

int QtDialogs::MessageBox(const std::string& prompt, int style, const std::string& title) {
    auto box = MakeMessageBox(prompt, style, title, DialogParent());
    box->exec();
    return MessageBoxAnswer(*box);
}

QStringList NameFiltersFromBarList(const std::string& filter) {
    QStringList list;
    for (const auto& [description, patterns] : FilterPairs(filter)) {
        QString qtPatterns = Q(patterns);
        qtPatterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        qtPatterns = qtPatterns.simplified();
        const QString desc = Q(description).trimmed();
        // Qt takes the patterns from the last parentheses: append ours unless
        // the description already ends with exactly them.
        if (desc.endsWith(QLatin1Char('(') + qtPatterns + QLatin1Char(')')))
            list << desc;
        else
            list << desc + QStringLiteral(" (") + qtPatterns + QLatin1Char(')');
    }
    return list;
}

std::string FilterExtension(const std::string& filter, int index) {
    const auto pairs = FilterPairs(filter);
    if (index < 1 || index > static_cast<int>(pairs.size())) return "";
    const std::string& patterns = pairs[static_cast<std::size_t>(index - 1)].second;
    if (patterns.find(';') != std::string::npos || patterns.rfind("*.", 0) != 0) return "";
    const std::string ext = patterns.substr(2);
    if (ext.empty() || ext.find_first_of("*?. ") != std::string::npos) return "";
    return ext;
}

std::string AddDefaultExtension(const std::string& path, const std::string& extension) {
    if (extension.empty() || path.empty()) return path;
    const auto slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty() || name.find('.') != std::string::npos) return path;
    return path + "." + extension;
}

namespace {

struct FileChoice {
    bool accepted = false;
    std::string path;
    int filterIndex = 1;
};

FileChoice RunFileDialog(const FileDialogRequest& request, bool save, const std::string& proposed) {
    QFileDialog dialog(DialogParent(), Q(request.title), Q(request.initialDirectory));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save || !request.fileMustExist ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The overwrite question comes after the default extension is known.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    const QStringList filters = NameFiltersFromBarList(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = std::clamp(request.filterIndex, 1, static_cast<int>(filters.size()));
        dialog.selectNameFilter(filters[index - 1]);
    }
    if (!proposed.empty()) dialog.selectFile(Q(proposed));
    FileChoice choice;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return choice;
    choice.accepted = true;
    choice.path = S(dialog.selectedFiles().first());
    if (!filters.isEmpty()) choice.filterIndex = std::max(1, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1);
    return choice;
}

}  // namespace

FileDialogResult QtDialogs::ShowOpen(const FileDialogRequest& request) {
    FileDialogResult result;
    const FileChoice choice = RunFileDialog(request, false, request.fileName);
    if (!choice.accepted) return result;
    result.cancelled = false;
    result.filterIndex = choice.filterIndex;
    result.fileName = choice.path;
    // A name typed without its extension finds the file that has it.
    const std::string withExt = AddDefaultExtension(choice.path, request.defaultExtension);
    if (!QFileInfo::exists(Q(choice.path)) && QFileInfo::exists(Q(withExt))) result.fileName = withExt;
    return result;
}

FileDialogResult QtDialogs::ShowSave(const FileDialogRequest& request) {
    FileDialogResult result;
    std::string proposed = request.fileName;
    for (;;) {
        const FileChoice choice = RunFileDialog(request, true, proposed);
        if (!choice.accepted) return result;
        // The chosen filter's extension, else the default one, for a bare name.
        std::string ext = FilterExtension(request.filter, choice.filterIndex);
        if (ext.empty()) ext = request.defaultExtension;
        const std::string path = AddDefaultExtension(choice.path, ext);
        if (request.overwritePrompt && QFileInfo::exists(Q(path))) {
            const std::string name = S(QFileInfo(Q(path)).fileName());
            if (MessageBox(name + " already exists.\nDo you want to replace it?", MbYesNo + MbExclamation,
                           request.title) != IdYes) {
                proposed = path;
                continue;
            }
        }
        result.cancelled = false;
        result.fileName = path;
        result.filterIndex = choice.filterIndex;
        return result;
    }
}

bool QtDialogs::ShowPrinterSetup() {
    if (printer_ == nullptr) return false;
    const QString queue = printer_->ChosenQueue();
    const bool answers = printer_->ServiceAnswers();
    // Qt lists the queues without a time limit: only while the service answers.
    NoServiceHere unasked(!printer_->ServiceReached());
    PrinterSetupDialog dialog(printer_->Device(), queue, answers, DialogParent(), printer_->DefaultUnknown());
    if (dialog.exec() != QDialog::Accepted) return false;
    unasked.End();
    dialog.Apply(*printer_);
    return true;
}

namespace {

// Puts the dialog's widgets named `names` into a hidden box: the dialog
// shows or enables some of them again as it opens or changes printer.
void HideWidgets(QPrintDialog& dialog, std::initializer_list<const char*> names) {
    auto* hidden = new QWidget(&dialog);
    hidden->hide();
    for (const char* name : names)
        if (auto* widget = dialog.findChild<QWidget*>(QLatin1String(name))) widget->setParent(hidden);
}

// The dialog offers the pages from..to, the copies and the printer, and
// nothing that the program does not carry out.
void PreparePrintDialog(QPrintDialog& dialog, int minPage, int maxPage) {
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    // Each page's copies print together: a fitter takes one piece's sheets at a time.
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, false);
    dialog.setMinMax(minPage, maxPage);
    dialog.setFromTo(minPage, maxPage);
    // It opens on the pages from..to, all of them: the range is the question.
    dialog.setPrintRange(QAbstractPrintDialog::PageRange);
    // Its properties show a print queue's default paper rather than the one
    // chosen in set-up, and offer several pages per sheet: paper and
    // orientation are chosen in set-up alone. Odd or even pages, reverse
    // order and two-sided printing would be left to the print service, which
    // gets each page as a document of its own.
    HideWidgets(dialog, {"properties", "pageSetLabel", "pageSetCombo", "reverse", "duplex"});
}

// The pages asked for: all, from..to, or a page list.
void ReadPageChoice(const QPrintDialog& dialog, int maxPage, PrintRange& range) {
    // From and To as the dialog's own boxes show them: on OK the dialog
    // raises To to From, and a reversed range asks for the pages between.
    const auto* fromTo = dialog.findChild<QRadioButton*>(QStringLiteral("printRange"));
    const auto* from = dialog.findChild<QSpinBox*>(QStringLiteral("from"));
    const auto* to = dialog.findChild<QSpinBox*>(QStringLiteral("to"));
    if (fromTo != nullptr && from != nullptr && to != nullptr && fromTo->isChecked() && from->value() > 0) {
        range.allPages = false;
        range.fromPage = from->value();
        range.toPage = to->value();
    }
    // A page list goes to the print service as a selection within each
    // document; the program prints the listed pages itself instead.
    const auto* listed = dialog.findChild<QRadioButton*>(QStringLiteral("pagesRadioButton"));
    const auto* list = dialog.findChild<QLineEdit*>(QStringLiteral("pagesLineEdit"));
    if (listed == nullptr || list == nullptr || !listed->isChecked()) return;
    const QPageRanges pages = QPageRanges::fromString(list->text());
    if (pages.isEmpty()) return;
    range.allPages = false;
    // Past the last page only the first of a range is kept: it prints nothing.
    for (const QPageRanges::Range& r : pages.toRangeList())
        for (int p = r.from; p <= std::min(r.to, std::max(r.from, maxPage)); ++p) range.pages.push_back(p);
}

}  // namespace

PrintRange QtDialogs::ShowPrint(int minPage, int maxPage, const std::string& fileName) {
    PrintRange range;
    if (printer_ == nullptr) return range;
    if (maxPage < minPage) std::swap(minPage, maxPage);
    QPrinter& device = printer_->Device();
    const bool toFile = printer_->PrintsToFile();
    // Qt lists the queues without a time limit: only while the service answers.
    NoServiceHere unasked(!printer_->ServiceReached());
    if (toFile && !fileName.empty()) device.setOutputFileName(Q(fileName));
    const QtPrinter::SetUp before = printer_->CurrentSetUp();
    // Made on a PDF printer, the dialog turns the device to the system's
    // default queue; a cancelled dialog leaves it as it was.
    QPrintDialog dialog(&device, DialogParent());
    // Put back at once, the PDF file is what the dialog picks as it opens.
    if (toFile) printer_->PutSetUp(before);
    PreparePrintDialog(dialog, minPage, maxPage);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (accepted) {
        // On OK the dialog puts a queue's default paper on the device: the
        // set-up's paper stays for its own queue, and a queue picked here
        // takes its own default paper, as set-up gives it.
        const QString picked = device.outputFormat() == QPrinter::NativeFormat ? device.printerName() : QString();
        device.setPageLayout(before.layout);
        const QPrinterInfo pickedInfo = QPrinterInfo::printerInfo(picked);
        const bool otherQueue = before.format == QPrinter::PdfFormat || picked != before.printerName;
        if (!picked.isEmpty() && otherQueue && !pickedInfo.isNull()) device.setPageSize(pickedInfo.defaultPageSize());
        range.cancelled = false;
        range.fromPage = minPage;
        range.toPage = maxPage;
        // A PDF printer's dialog names the file itself: nobody asks again.
        if (printer_->PrintsToFile()) range.outputFile = S(device.outputFileName());
        ReadPageChoice(dialog, maxPage, range);
        const auto* copies = dialog.findChild<QSpinBox*>(QStringLiteral("copies"));
        range.copies = std::max(1, copies != nullptr ? copies->value() : device.copyCount());
    }
    if (!accepted) printer_->PutSetUp(before);
    printer_->DropPrintChoices();
    return range;
}

}  // namespace velm

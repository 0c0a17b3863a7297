// The Qt printer on its PDF printer: documents, file names, page size, true
// lengths, the text font, and the set-up dialog on the same printer.
#include "support/pdf_render.h"
#include "platform/qt/qt_printer.h"

#include <gtest/gtest.h>

#include <QAbstractPrintDialog>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QComboBox>
#include <QFontInfo>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <utility>
#include <regex>
#include <sstream>
#include <vector>

#include "platform/qt/qt_dialogs.h"
#include "platform/services.h"
#include "qt_application.h"
#include "support/modal_dialogs.h"
#include "support/scripted_dialogs.h"
#include "support/silent_service.h"
#include "support/temp_folder.h"

namespace velm {
namespace {

namespace fs = std::filesystem;

// Pages of a PDF file: its page objects, not the page tree.
int PageCount(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string pdf((std::istreambuf_iterator<char>(in)), {});
    static const std::regex page(R"(/Type\s*/Page(?![a-zA-Z]))");
    return static_cast<int>(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

// Page 1 rendered in grey at `dpi`; empty when it cannot be rendered.

class QtPrinterTest : public testing::Test {
protected:
    struct App {
        App() { EnsureQtApplication(); }
    } app_;
    QtPrinterTest() {
        // Never the machine's own printer: A4 with 10 mm margins to a PDF file.
        printer.Device().setOutputFormat(QPrinter::PdfFormat);
        printer.Device().setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                                   QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        saved_ = Platform();
        Platform().dialogs = &dialogs;
    }
    ~QtPrinterTest() override { Platform() = saved_; }
    void TearDown() override {
        dialogs.VerifyAllUsed();
        EXPECT_TRUE(dialogs.messages.empty());
    }

    TempFolder folder;
    ScriptedDialogs dialogs;
    QtPrinter printer;

private:
    Services saved_;
};

TEST_F(QtPrinterTest, NamedInAdvanceDocumentsAreNumberedAndHoldTheirPages) {
    printer.NumberDocuments(folder.File("elbow.pdf"));
    PrinterPage& page = printer.Page();
    page.Line(10, 10, 50, 10);
    printer.NewPage();
    page.Print("Piece 2");
    EXPECT_EQ(printer.EndDocument(), DocumentResult::Printed);
    printer.Page().Line(10, 10, 10, 50);
    EXPECT_EQ(printer.EndDocument(), DocumentResult::Printed);
    EXPECT_EQ(printer.EndDocument(), DocumentResult::Empty);  // nothing drawn: no third file

    EXPECT_EQ(PageCount(folder.File("elbow-1.pdf")), 2);
    EXPECT_EQ(PageCount(folder.File("elbow-2.pdf")), 1);
    EXPECT_FALSE(fs::exists(folder.File("elbow-3.pdf")));
    EXPECT_TRUE(dialogs.saves.empty());
}

TEST_F(QtPrinterTest, TheSaveDialogNamesEachDocument) {
    enum Answer { Name, Cancel, NameInMissingFolder, DrawNothing };
    struct Case {
        Answer answer;
        DocumentResult result;
        int pages;
        int asked;
    };
    const Case cases[] = {
        {Name, DocumentResult::Printed, 1, 1},
        {Cancel, DocumentResult::Cancelled, 0, 1},
        {NameInMissingFolder, DocumentResult::Failed, 0, 1},
        {DrawNothing, DocumentResult::Empty, 0, 0},
    };
    for (const Case& c : cases) {
        dialogs.Reset();
        const std::string name = c.answer == NameInMissingFolder ? folder.File("missing/sheet.pdf") : folder.File("sheet.pdf");
        if (c.answer == Name || c.answer == NameInMissingFolder) dialogs.ExpectSave(name);
        if (c.answer == Cancel) dialogs.ExpectSaveCancel();
        if (c.answer != DrawNothing) {
            printer.Page().Line(0, 0, 20, 20);
            printer.Page().Print("asked once");  // a refused start is not asked again
        }
        EXPECT_EQ(printer.EndDocument(), c.result) << c.answer;
        EXPECT_EQ(static_cast<int>(dialogs.saves.size()), c.asked) << c.answer;
        EXPECT_EQ(fs::exists(name) ? PageCount(name) : 0, c.pages) << c.answer;
        if (!dialogs.saves.empty()) {
            EXPECT_EQ(dialogs.saves[0].defaultExtension, "pdf");
        }
        fs::remove(name);
    }
}

// The program's texts come through the request it installs.
TEST_F(QtPrinterTest, TheInstalledRequestShapesTheSaveDialog) {
    std::string proposed;
    printer.SetFileRequest([&proposed](const std::string& fileName) {
        proposed = fileName;
        FileDialogRequest r;
        r.title = "Title";
        r.filter = "Sheets (*.pdf)|*.pdf";
        r.fileName = "proposed.pdf";
        return r;
    });
    dialogs.ExpectSaveCancel();
    printer.Page().Line(0, 0, 20, 20);
    EXPECT_EQ(printer.EndDocument(), DocumentResult::Cancelled);
    ASSERT_EQ(dialogs.saves.size(), 1u);
    EXPECT_EQ(dialogs.saves[0].title, "Title");
    EXPECT_EQ(dialogs.saves[0].filter, "Sheets (*.pdf)|*.pdf");
    EXPECT_EQ(dialogs.saves[0].fileName, "proposed.pdf");
    EXPECT_EQ(fs::path(proposed).filename(), "VELM.pdf");
}

TEST_F(QtPrinterTest, PageSizeIsThePrintableAreaInWholeMillimetresAfterOrientation) {
    // Letter less 14 points on each side: 584 x 764 points, 206.02 x 269.52 mm printable.
    printer.Device().setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                               QMarginsF(14, 14, 14, 14), QPageLayout::Point));
    const double across = 584.0 / 72, along = 764.0 / 72;  // inches
    struct Case {
        QPageLayout::Orientation set;
        PageOrientation orientation;
        int width, height;             // whole millimetres
        double inchWidth, inchHeight;  // the page's scale in inches
    };
    const Case cases[] = {
        {QPageLayout::Portrait, PagePortrait, 206, 269, across, along},
        {QPageLayout::Landscape, PageLandscape, 269, 206, along, across},
    };
    for (const Case& c : cases) {
        printer.Device().setPageOrientation(c.set);
        EXPECT_EQ(printer.Orientation(), c.orientation);
        EXPECT_EQ(printer.PageMillimetres().width, c.width);
        EXPECT_EQ(printer.PageMillimetres().height, c.height);
        printer.Page().SetUnits(PageInches);
        EXPECT_NEAR(printer.Page().ScaleWidth(), c.inchWidth, 0.002);
        EXPECT_NEAR(printer.Page().ScaleHeight(), c.inchHeight, 0.002);
        printer.Page().SetUnits(PageMillimetres);
        EXPECT_NEAR(printer.Page().ScaleWidth(), c.inchWidth * 25.4, 0.02);
    }
}

TEST_F(QtPrinterTest, ALineKeepsItsTrueLengthFromThePrintableCorner) {
    struct Case {
        PageUnits units;
        double x1, x2, y;      // page units
        double fromMm, toMm, yMm;  // on the paper, margins of 10 mm included
    };
    const Case cases[] = {
        {PageMillimetres, 20, 120, 30, 30, 130, 40},
        {PageInches, 1, 5, 2, 35.4, 137.0, 60.8},
    };
    constexpr int Dpi = 254;  // 10 pixels a millimetre
    for (const Case& c : cases) {
        const std::string name = folder.File("line.pdf");
        printer.NumberDocuments(name);
        PrinterPage& page = printer.Page();
        page.SetUnits(c.units);
        page.DrawWidth = 3;
        page.Line(c.x1, c.y, c.x2, c.y);
        ASSERT_EQ(printer.EndDocument(), DocumentResult::Printed);
        const Grey grey = RenderPdfPage(NumberedFileName(name, 1), Dpi, folder.Path() + "/render");
        ASSERT_GT(grey.width, 0) << "pdftoppm (poppler-utils) could not render the page";
        const int row = static_cast<int>(std::lround(c.yMm * 10));
        int first = -1, last = -1;
        for (int x = 0; x < grey.width; ++x)
            if (grey.Dark(x, row) || grey.Dark(x, row - 1)) {
                if (first < 0) first = x;
                last = x;
            }
        EXPECT_NEAR(first / 10.0, c.fromMm, 0.2) << c.units;
        EXPECT_NEAR((last + 1) / 10.0, c.toMm, 0.2) << c.units;
    }
}

TEST_F(QtPrinterTest, TextIsLiberationMonoOfTenPointsAndMeasuringPrintsNothing) {
    PrinterPage& page = printer.Page();
    const double tenPointCharacterMm = 0.6 * 10 / 72 * 25.4;  // a monospaced advance of 0.6 em
    EXPECT_NEAR(page.TextWidth("0123456789"), 10 * tenPointCharacterMm, 0.05);
    page.FontBold = true;
    EXPECT_NEAR(page.TextWidth("0123456789"), 10 * tenPointCharacterMm, 0.05);
    EXPECT_NEAR(page.TextHeight("Prova"), 1.1328 * 10 / 72 * 25.4, 0.1);
    EXPECT_EQ(QFontInfo(QFont(PrinterPage::TextFont)).family(), PrinterPage::TextFont);
    EXPECT_EQ(printer.EndDocument(), DocumentResult::Empty);  // and no save dialog
    EXPECT_FALSE(printer.Page().FontBold);  // a fresh document writes regular text
}

QSpinBox* Spin(QPrintDialog* dialog, const char* name) { return dialog->findChild<QSpinBox*>(name); }

// Set-up offers the PDF file among the printers, the paper and the
// orientation; Cancel leaves the device as it was, OK carries to the page.
TEST_F(QtPrinterTest, PrinterSetUpChangesPaperAndOrientationOnlyOnOk) {
    QtDialogs qtDialogs(&printer);
    for (bool accept : {false, true}) {
        bool offersFile = false;
        WhenShown<QDialog>([&](QDialog* dialog) {
            auto* printers = dialog->findChild<QComboBox*>("printers");
            auto* paper = dialog->findChild<QComboBox*>("paper");
            auto* landscape = dialog->findChild<QRadioButton*>("landscape");
            if (!printers || !paper || !landscape) return dialog->reject();
            offersFile = printers->findText("PDF file") >= 0;
            paper->setCurrentIndex(paper->findText(QPageSize(QPageSize::A3).name()));
            landscape->setChecked(true);
            accept ? dialog->accept() : dialog->reject();
        });
        EXPECT_EQ(qtDialogs.ShowPrinterSetup(), accept);
        EXPECT_TRUE(offersFile);
        const PageSize page = printer.PageMillimetres();  // A4, or A3 across, less 10 mm margins
        EXPECT_EQ(std::make_pair(page.width, page.height), accept ? std::make_pair(400, 277) : std::make_pair(190, 277));
        EXPECT_EQ(printer.Orientation(), accept ? PageLandscape : PagePortrait);
    }
}

// A page list and copies typed in the system's print dialog come back to the
// program and leave no selection, copy count or other paper on the printer.
TEST_F(QtPrinterTest, PrintDialogAnswersItsPageListAndLeavesThePrinterClean) {
    QtDialogs qtDialogs(&printer);
    const std::string proposed = folder.File("VELM.pdf");
    QString shownFile;
    bool offersProperties = true;
    WhenShown<QPrintDialog>([&](QPrintDialog* dialog) {
        auto* listed = dialog->findChild<QRadioButton*>("pagesRadioButton");
        auto* list = dialog->findChild<QLineEdit*>("pagesLineEdit");
        auto* copies = dialog->findChild<QSpinBox*>("copies");
        if (!listed || !list || !copies) return dialog->reject();
        shownFile = dialog->printer()->outputFileName();
        offersProperties = dialog->findChild<QPushButton*>("properties")->isVisibleTo(dialog);
        listed->setChecked(true);  // a print service's queue offers it
        list->setText("2,4");
        copies->setValue(2);
        dialog->printer()->setPageSize(QPageSize(QPageSize::A5));  // as a queue's dialog does on OK
        dialog->accept();
    });
    const PrintRange range = qtDialogs.ShowPrint(1, 5, proposed);
    EXPECT_EQ(shownFile.toStdString(), proposed);
    EXPECT_EQ(range.outputFile, proposed);
    EXPECT_EQ(PagesToPrint(range, 1, 5), std::vector<int>({2, 2, 4, 4}));
    EXPECT_EQ(printer.Device().copyCount(), 1);
    EXPECT_EQ(printer.Device().printRange(), QPrinter::AllPages);
    EXPECT_FALSE(offersProperties);
    EXPECT_EQ(printer.PageMillimetres().width, 190);
}


// The print dialog opens on the range From 1 To the last page. What the
// user leaves in its own boxes is what comes back, read after the dialog's
// OK (which raises To to From); what the program does not carry out is not
// offered.
TEST_F(QtPrinterTest, ThePrintDialogAnswersWhatItsBoxesShow) {
    QtDialogs qtDialogs(&printer);
    const struct {
        const char* what;
        std::function<void(QPrintDialog*)> choose;
        std::vector<int> pages;  // of 1 to 5
    } cases[] = {
        {"as it opens", [](QPrintDialog*) {}, {1, 2, 3, 4, 5}},
        {"From 4, then To 2", [](QPrintDialog* d) { Spin(d, "from")->setValue(4), Spin(d, "to")->setValue(2); }, {2, 3, 4}},
        {"To 2, then From 4", [](QPrintDialog* d) { Spin(d, "to")->setValue(2), Spin(d, "from")->setValue(4); }, {2, 3, 4}},
        {"2,4 twice, collated", [](QPrintDialog* d) {
             d->findChild<QRadioButton*>("pagesRadioButton")->setChecked(true);
             d->findChild<QLineEdit*>("pagesLineEdit")->setText("2,4");
             Spin(d, "copies")->setValue(2);
             d->findChild<QCheckBox*>("collate")->setChecked(true);  // as if left from another program
         }, {2, 2, 4, 4}},
    };
    for (const auto& c : cases) {
        QStringList offered;
        WhenShown<QPrintDialog>([&](QPrintDialog* dialog) {
            for (const char* name : {"collate", "reverse", "pageSetCombo", "duplex", "properties"})
                if (auto* w = dialog->findChild<QWidget*>(name); w && Offered(w, dialog)) offered << name;
            c.choose(dialog);
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        const PrintRange range = qtDialogs.ShowPrint(1, 5, folder.File("VELM.pdf"));
        EXPECT_EQ(PagesToPrint(range, 1, 5), c.pages) << c.what;
        EXPECT_FALSE(range.allPages) << c.what;
        EXPECT_EQ(offered.join(", ").toStdString(), "") << c.what;
    }
}

// A silent service costs a preview's layouts one short wait; a print, not turned into a PDF file, fails soon
// as the service's silence while the window runs.
TEST(QtPrinterSilentServiceTest, ASilentServiceCostsOneShortWaitAndPrintsNothing) {
    EnsureQtApplication();
    TempFolder folder;
    ScriptedDialogs dialogs;  // a save dialog would fail the test
    const Services saved = Platform();
    Platform().dialogs = &dialogs;
    for (const auto kind : {SilentService::Mute, SilentService::Swallowing}) {
        SCOPED_TRACE(kind == SilentService::Mute ? "takes the connection" : "lets it time out");
        const SilentService silent(folder.Path(), kind);
        ASSERT_FALSE(silent.Server().empty());
        QtPrinter printer;
        auto start = std::chrono::steady_clock::now();
        for (int layout = 0; layout < 4; ++layout) {
            EXPECT_TRUE(printer.Available());
            EXPECT_GT(printer.PageMillimetres().width, 0);
            printer.Page().TextHeight("Prova");
        }
        EXPECT_LT(SecondsSince(start), 5.0);
        EXPECT_FALSE(printer.ServiceAnswers());
        std::this_thread::sleep_for(std::chrono::milliseconds(1100));  // the silence heard is old: the print asks again
        start = std::chrono::steady_clock::now();
        printer.Page().Line(0, 0, 20, 20);
        EXPECT_LT(LongestPause([&] { EXPECT_EQ(printer.EndDocument(), DocumentResult::Failed); }), 1.0);
        EXPECT_LT(SecondsSince(start), 5.0);
        EXPECT_EQ(printer.LastFault(), PrintFault::NoService);
        // Choosing a queue and putting a set-up back do not ask the silent service either.
        start = std::chrono::steady_clock::now();
        printer.ChooseQueue("Workshop");
        printer.PutSetUp(printer.CurrentSetUp());
        EXPECT_LT(SecondsSince(start), 1.0);
        EXPECT_EQ(printer.CurrentSetUp().printerName, "Workshop");
    }
    dialogs.VerifyAllUsed();
    Platform() = saved;
}

}  // namespace
}  // namespace velm

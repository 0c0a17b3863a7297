// Printing through a private CUPS scheduler and its cups-pdf queue: what the
// queue wrote measures true to size, the job says what it is, and a queue
// that refuses or holds the job is reported.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QPrinter>
#include <filesystem>

#include "core/language_file.h"
#include "core/language.h"
#include "cylinders/cylinder_compute.h"
#include "output/calibration.h"
#include "output/print_job.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_printer.h"
#include "platform/services.h"
#include "support/pdf_render.h"
#include "support/modal_dialogs.h"
#include "support/private_cups.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

namespace velm {
namespace {

const std::string Queue = "VelmWorkshop";

class PrintServiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        cups_ = std::make_unique<PrivateCups>(folder_.Path());
        if (!cups_->Missing().empty()) GTEST_SKIP() << cups_->Missing();
        saved_ = Platform();
        Platform().dialogs = &dialogs_;
        // The program's texts: the job titles are made of them.
        ASSERT_TRUE(LoadLanguage(std::string(VELM_PROGRAM_DIR) + "/VELM.lng", folder_.File("VELM.txt"), Language()).ok);
    }
    void TearDown() override {
        if (cups_->Missing().empty()) Platform() = saved_;
        Language() = LanguageTexts{};
        for (const std::string& file : written_) std::filesystem::remove(file);
        cups_.reset();
    }
    // The page the queue wrote for the job just sent, rendered at 10 pixels a millimetre.
    Grey PrintedPage() {
        if (!PrivateCups::Idle(Queue, 20)) {
            ADD_FAILURE() << "the job did not finish in 20 s:\n" << cups_->Log();
            return {};
        }
        // The backend wrote it before the job completed.
        const std::string made = PrivateCups::OutputFileOf(PrivateCups::LastCompleted(Queue).id);
        if (made.empty()) return {};
        written_.push_back(made);
        return RenderPdfPage(made, 254, folder_.File("render"), 160);
    }

    TempFolder folder_;
    std::unique_ptr<PrivateCups> cups_;
    ScriptedDialogs dialogs_;
    Services saved_;
    std::vector<std::string> written_;
};

TEST_F(PrintServiceTest, ADevelopmentAndTheCalibrationRectanglePrintTrueToSize) {
    ASSERT_TRUE(cups_->AddQueue(Queue));
    QtPrinter printer;
    ASSERT_FALSE(printer.PrintsToFile()) << "the queue is the default printer";
    ASSERT_EQ(printer.Device().printerName().toStdString(), Queue);
    const QRectF area = printer.Device().pageLayout().paintRect(QPageLayout::Millimeter);

    // A cylinder at 1:1, a fifth of the sheet in from the left.
    WorkingState st;
    st.ShapeCode = ShapeCiRe;
    ASSERT_EQ(ValidateAndDevelopCylinder(ShapeCiRe, st).Message, 0);
    const CylinderResults& r = st.CylinderDevelopment.Results;
    const SheetPictures pictures{500, 500 * area.height() / area.width(), 100};
    st.Settings.Scale = 1;
    st.Sheet.CylinderFactors = {1, 1};
    st.Sheet.PageWidth = static_cast<float>(area.width());
    st.Sheet.PageHeight = static_cast<float>(area.height());
    st.Sheet.DrawingLeft = 100;
    st.Sheet.DrawingTop = 150;
    ASSERT_EQ(PrintSheetOn(printer, CylinderSheet, pictures, st), DocumentResult::Printed) << printer.FailureText();
    EXPECT_EQ(printer.LastDelivery().queue, Queue);
    EXPECT_EQ(printer.LastDelivery().hold, QueueHold::None);
    Grey page = PrintedPage();
    ASSERT_GT(page.width, 0) << "no page from the queue";
    EXPECT_EQ(PrivateCups::LastCompleted(Queue).title, "VELM - Right cylinder");
    ExpectPlateOnPage(page, area.left() + area.width() / 5, area.top() + 150 / pictures.SheetHeight * area.height(),
                      r.DevelopedLength, r.Hmax);

    // The calibration rectangle from the printable corner, on portrait and
    // landscape paper; a landscape page comes out turned on the sheet.
    for (const auto orientation : {QPageLayout::Portrait, QPageLayout::Landscape}) {
        SCOPED_TRACE(orientation);
        printer.Device().setPageOrientation(orientation);
        const QRectF corner = printer.Device().pageLayout().paintRect(QPageLayout::Millimeter);
        const Calibration c = LoadCalibration(printer.PageMillimetres(), 0, 1, 1);
        ASSERT_EQ(PrintCalibrationPattern(printer, c), DocumentResult::Printed) << printer.FailureText();
        page = PrintedPage();
        ASSERT_GT(page.width, 0) << "no page from the queue";
        const auto x = InkEdges(page, true, page.height / 2), y = InkEdges(page, false, page.width / 2);
        const bool turned = (page.width > page.height) != (orientation == QPageLayout::Landscape);
        EXPECT_NEAR(x.second - x.first, turned ? c.NominalLength : c.NominalWidth, 0.2);
        EXPECT_NEAR(y.second - y.first, turned ? c.NominalWidth : c.NominalLength, 0.2);
        if (!turned) {
            EXPECT_NEAR(x.first, corner.left(), 0.2);
            EXPECT_NEAR(y.first, corner.top(), 0.2);
        }
    }
}

TEST_F(PrintServiceTest, ARefusedJobFailsWithTheQueueAndItsReasonAndAHeldOneSaysSo) {
    const std::string socketDevice = "lpadmin -p " + Queue + " -v socket://127.0.0.1:9";
    struct Case {
        const char* name;
        std::string command;  // what happens to the queue after the printer chose it
        DocumentResult result;
        QueueHold hold;
        const char* reason;  // part of the service's words, or of the queue's message
        bool stopService = false;
    };
    const Case cases[] = {
        {"rejecting", "cupsreject " + Queue, DocumentResult::Failed, QueueHold::None, "not accepting jobs"},
        {"deleted", "lpadmin -x " + Queue, DocumentResult::Failed, QueueHold::None, "does not exist"},
        {"disabled", "cupsdisable " + Queue, DocumentResult::Printed, QueueHold::Stopped, ""},
        // Its device does not answer: the queue keeps retrying an earlier job and says why.
        {"device unreachable", socketDevice + " && lp -d " + Queue + " /etc/hostname", DocumentResult::Printed,
         QueueHold::Unreachable, "may not exist"},
        {"service stopped", "true", DocumentResult::Failed, QueueHold::None, "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(cups_->AddQueue(Queue));
        QtPrinter printer;
        ASSERT_FALSE(printer.PrintsToFile());
        ASSERT_TRUE(cups_->Run(c.command));
        if (c.hold == QueueHold::Unreachable) {
            ASSERT_NE(PrivateCups::StateMessage(Queue, 20), "");
        }
        if (c.stopService) cups_->Stop();
        const DocumentResult result = PrintCalibrationPattern(printer, LoadCalibration(printer.PageMillimetres(), 0, 1, 1));
        EXPECT_EQ(result, c.result);
        dialogs_.messages.clear();
        if (c.result == DocumentResult::Failed) {
            // The queue's name, then the service's own words; a service that
            // did not answer is said so, not taken for a missing queue.
            const std::string why = printer.FailureText();
            EXPECT_EQ(why.rfind(Queue + ": ", 0), 0u) << why;
            EXPECT_NE(why.find(c.reason), std::string::npos) << why;
            EXPECT_EQ(printer.LastFault(), c.stopService ? PrintFault::NoService : PrintFault::Other);
            EXPECT_EQ(printer.LastDelivery().queue, "");
            dialogs_.ExpectMessage(IdOk);
            ReportDocument(printer, result);
            ASSERT_EQ(dialogs_.messages.size(), 1u);
            EXPECT_EQ(dialogs_.messages[0].prompt, c.stopService ? Txt(LangCommon, 26) : why);
        } else {
            EXPECT_EQ(printer.LastDelivery().queue, Queue);
            EXPECT_EQ(printer.LastDelivery().hold, c.hold);
            EXPECT_NE(printer.LastDelivery().stateMessage.find(c.reason), std::string::npos);
            cups_->Run("cancel -a " + Queue);
        }
        if (c.stopService) {
            // Once the service is back, the next print goes through.
            ASSERT_TRUE(cups_->Restart()) << cups_->Log();
            EXPECT_EQ(PrintCalibrationPattern(printer, LoadCalibration(printer.PageMillimetres(), 0, 1, 1)),
                      DocumentResult::Printed) << printer.FailureText();
            EXPECT_EQ(printer.LastDelivery().queue, Queue);
            ASSERT_TRUE(PrivateCups::Idle(Queue, 20));
            written_.push_back(PrivateCups::OutputFileOf(PrivateCups::LastCompleted(Queue).id));
        }
        cups_->Run("lpadmin -x " + Queue);
    }
}

// The print dialog and the printer set-up on a service with queues: a PDF
// file chosen in set-up stays a PDF file though the service has a default
// queue, a queue chosen in the dialog offers nothing the program does not
// carry out, and From 4 To 2 asks for 2 to 4.
TEST_F(PrintServiceTest, ThePrintDialogKeepsThePdfFileAndReadsItsBoxesOnAQueue) {
    ASSERT_TRUE(cups_->AddQueue(Queue));
    const std::string proposed = folder_.File("VELM.pdf");
    const struct {
        const char* name;
        bool pickQueue;
        std::vector<int> pages;
    } cases[] = {{"PDF file", false, {1, 2, 3, 4, 5}}, {"queue", true, {2, 3, 4}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QtPrinter printer;
        ASSERT_FALSE(printer.PrintsToFile()) << "the queue is the default printer";
        printer.Device().setOutputFormat(QPrinter::PdfFormat);  // as set-up leaves it for a PDF file
        QtDialogs qtDialogs(&printer);
        QString shown;
        QStringList offered;
        WhenShown<QPrintDialog>([&](QPrintDialog* dialog) {
            auto* printers = dialog->findChild<QComboBox*>("printers");
            auto* buttons = dialog->findChild<QDialogButtonBox*>();
            if (!printers || !buttons) return dialog->reject();
            shown = printers->currentText();
            if (c.pickQueue) {
                printers->setCurrentIndex(printers->findText(QString::fromStdString(Queue)));
                dialog->findChild<QRadioButton*>("printRange")->setChecked(true);
                dialog->findChild<QSpinBox*>("from")->setValue(4);
                dialog->findChild<QSpinBox*>("to")->setValue(2);
            }
            for (const char* name : {"collate", "reverse", "pageSetCombo", "duplex", "properties"})
                if (auto* w = dialog->findChild<QWidget*>(name); w && Offered(w, dialog)) offered << name;
            buttons->button(QDialogButtonBox::Ok)->click();
        });
        const PrintRange range = qtDialogs.ShowPrint(1, 5, proposed);
        EXPECT_NE(shown.toStdString(), Queue);
        EXPECT_EQ(range.outputFile, c.pickQueue ? "" : proposed);
        EXPECT_EQ(printer.PrintsToFile(), !c.pickQueue);
        EXPECT_EQ(PagesToPrint(range, 1, 5), c.pages);
        EXPECT_EQ(offered.join(", ").toStdString(), "");
    }
    EXPECT_TRUE(PrivateCups::Idle(Queue, 1));
    EXPECT_EQ(PrivateCups::LastCompleted(Queue).id, 0) << "the dialogs sent the queue nothing";
}

// Printer set-up: another queue comes with its own default paper, and a
// queue deleted since it was chosen is said so, with the system's default
// queue offered in its place rather than a PDF file.
TEST_F(PrintServiceTest, PrinterSetUpTakesTheQueuesPaperAndSaysAQueueIsGone) {
    ASSERT_TRUE(cups_->AddQueue(Queue));
    ASSERT_TRUE(cups_->Run(std::string("lpadmin -p Office_A3 -v cups-pdf:/ -P ") + PrivateCups::Ppd + " -E -o PageSize=A3"));
    ASSERT_TRUE(cups_->Run(std::string("lpadmin -p Office_Gone -v cups-pdf:/ -P ") + PrivateCups::Ppd + " -E"));
    const struct {
        const char* name;
        const char* chosen;  // the queue the device is on
        const char* pick;    // the queue picked in the dialog; null: none
        const char* shown;   // the queue the dialog shows, then applies
        QPageSize::PageSizeId before, paper;
        bool gone;
    } cases[] = {
        {"switch", "VelmWorkshop", "Office_A3", "Office_A3", QPageSize::A4, QPageSize::A3, false},
        {"deleted", "Office_Gone", nullptr, "VelmWorkshop", QPageSize::A5, QPageSize::A4, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QtPrinter printer;
        printer.Device().setPrinterName(c.chosen);
        printer.Device().setPageSize(QPageSize(c.before));
        if (c.gone) {
            ASSERT_TRUE(cups_->Run(std::string("lpadmin -x ") + c.chosen));
        }
        QtDialogs qtDialogs(&printer);
        QString shown, goneText;
        WhenShown<QDialog>([&](QDialog* dialog) {
            auto* printers = dialog->findChild<QComboBox*>("printers");
            auto* gone = dialog->findChild<QLabel*>("gone");
            if (!printers || !gone) return dialog->reject();
            if (c.pick) printers->setCurrentIndex(printers->findText(c.pick));
            shown = printers->currentText();
            if (Offered(gone, dialog)) goneText = gone->text();
            dialog->accept();
        });
        ASSERT_TRUE(qtDialogs.ShowPrinterSetup());
        EXPECT_EQ(shown.toStdString(), c.shown);
        EXPECT_EQ(goneText.contains(c.chosen), c.gone) << goneText.toStdString();
        EXPECT_FALSE(printer.PrintsToFile());
        EXPECT_EQ(printer.Device().printerName().toStdString(), c.shown);
        EXPECT_EQ(printer.Device().pageLayout().pageSize().id(), c.paper);
    }
}

}  // namespace
}  // namespace velm

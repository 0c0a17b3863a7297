// Printing through a private CUPS scheduler and its cups-pdf queue: what the
// queue wrote measures true to size, the job says what it is, and a queue
// that refuses or holds the job is reported.
#include <gtest/gtest.h>

#include <QPageLayout>
#include <QPrinter>
#include <filesystem>

#include "core/language_file.h"
#include "cylinders/cylinder_compute.h"
#include "output/calibration.h"
#include "output/print_job.h"
#include "platform/qt/qt_printer.h"
#include "platform/services.h"
#include "support/pdf_render.h"
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
    ASSERT_EQ(ValidateAndDevelopCylinder(ShapeCiRe, st, st.CylinderDevelopment.Results), 0);
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
    struct Case {
        const char* name;
        std::string command;  // what happens to the queue after the printer chose it
        DocumentResult result;
        QueueHold hold;
        const char* reason;  // part of the service's words
    };
    const Case cases[] = {
        {"rejecting", "cupsreject " + Queue, DocumentResult::Failed, QueueHold::None, "not accepting jobs"},
        {"deleted", "lpadmin -x " + Queue, DocumentResult::Failed, QueueHold::None, "does not exist"},
        {"disabled", "cupsdisable " + Queue, DocumentResult::Printed, QueueHold::Stopped, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(cups_->AddQueue(Queue));
        QtPrinter printer;
        ASSERT_FALSE(printer.PrintsToFile());
        ASSERT_TRUE(cups_->Run(c.command));
        const DocumentResult result = PrintCalibrationPattern(printer, LoadCalibration(printer.PageMillimetres(), 0, 1, 1));
        EXPECT_EQ(result, c.result);
        dialogs_.messages.clear();
        if (c.result == DocumentResult::Failed) {
            // The queue's name, then the service's own words.
            const std::string why = printer.FailureText();
            EXPECT_EQ(why.rfind(Queue + ": ", 0), 0u) << why;
            EXPECT_NE(why.find(c.reason), std::string::npos) << why;
            EXPECT_EQ(printer.LastDelivery().queue, "");
            dialogs_.ExpectMessage(IdOk);
            ReportDocument(printer, result);
            ASSERT_EQ(dialogs_.messages.size(), 1u);
            EXPECT_EQ(dialogs_.messages[0].prompt, why);
        } else {
            EXPECT_EQ(printer.LastDelivery().queue, Queue);
            EXPECT_EQ(printer.LastDelivery().hold, c.hold);
            cups_->Run("cancel -a " + Queue);
        }
        cups_->Run("lpadmin -x " + Queue);
    }
}

}  // namespace
}  // namespace velm

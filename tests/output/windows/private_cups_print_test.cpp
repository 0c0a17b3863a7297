// Printing through a private CUPS scheduler and its cups-pdf queue: what the
// queue wrote measures true to size, the job says what it is, and a queue
// that refuses or holds the job is reported.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QTest>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <optional>

#include "core/language_file.h"
#include "core/language.h"
#include "core/messages.h"
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
#include "support/silent_service.h"
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
        {"rejecting with a reason", "cupsreject -r 'Out of paper in the workshop' " + Queue, DocumentResult::Failed,
         QueueHold::None, "is not accepting jobs. (Out of paper in the workshop)"},
        {"holding every job", "lpadmin -p " + Queue + " -o job-hold-until-default=indefinite", DocumentResult::Printed,
         QueueHold::JobHeld, ""},
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
        // within 20 s an unreachable queue says why it keeps retrying
        ASSERT_TRUE(c.hold != QueueHold::Unreachable || cups_->Run("for i in $(seq 100); do lpstat -p " + Queue + " | grep -q 'may not' && exit; sleep 0.2; done; false"));
        if (c.stopService) cups_->Stop();
        const DocumentResult result = PrintCalibrationPattern(printer, LoadCalibration(printer.PageMillimetres(), 0, 1, 1));
        EXPECT_EQ(result, c.result);
        dialogs_.messages.clear();
        if (c.result == DocumentResult::Failed) {
            // The queue's name, then the service's own words; a silent service is said so.
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
        cups_->Run("lpadmin -x " + Queue);
    }
}

DocumentResult PrintPattern(QtPrinter& printer) {
    return PrintCalibrationPattern(printer, LoadCalibration(printer.PageMillimetres(), 0, 1, 1));
}

// A busy queue takes the next job as it comes; the status line says a job held once its queue says so, and one
// ended unprinted (cancelled while held, past the first look, or aborted) with the words of when it last ran.
TEST_F(PrintServiceTest, ABusyQueueTakesTheNextJobAndOneHeldOrEndedUnprintedIsSaidSo) {
    // A printer on a local port that takes a few KiB every half second, as a busy one does.
    const int busy = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_in at{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
    socklen_t size = sizeof at;
    ASSERT_EQ(bind(busy, reinterpret_cast<sockaddr*>(&at), size) + listen(busy, 4) +
                  getsockname(busy, reinterpret_cast<sockaddr*>(&at), &size), 0);
    const std::jthread slow([busy](std::stop_token stop) {
        std::vector<int> taken{busy};
        for (char data[4096]; !stop.stop_requested(); std::this_thread::sleep_for(std::chrono::milliseconds(500))) {
            if (const int fd = accept4(busy, nullptr, nullptr, SOCK_NONBLOCK); fd >= 0) taken.push_back(fd);
            for (int fd : taken) (void)!recv(fd, data, sizeof data, 0);
        }
        for (int fd : taken) close(fd);
    });
    const std::string ppd = std::string(" -P ") + PrivateCups::Ppd + " -E";
    ASSERT_TRUE(cups_->Run("lpadmin -p VelmBusy -v socket://127.0.0.1:" + std::to_string(ntohs(at.sin_port)) + ppd));
    ASSERT_TRUE(cups_->Run("lpadmin -p VelmBroken -v socket://127.0.0.1:9" + ppd));
    ASSERT_TRUE(cups_->Run("lpadmin -p VelmHeld -v cups-pdf:/" + ppd + " -o job-hold-until-default=indefinite"));
    ASSERT_TRUE(cups_->Run("lpadmin -p VelmAborting -v 'socket://127.0.0.1:9/?contimeout=2'" + ppd +
                           " -o printer-error-policy=abort-job"));
    static std::vector<std::string> statusLines;
    statusLines.clear();
    InstallStatusLine([](const std::string& text) { statusLines.push_back(text); });
    const struct { std::string queue, first, later; } cases[] = {  // the status line at once, and later
        {"VelmBusy", "", ""},
        {"VelmBusy", "", ""},
        {"VelmBroken", "", "; " + Txt(LangCommon, 25) + " (The printer may not exist or is unavailable at this time.)"},
        {"VelmHeld", "; " + Txt(LangCommon, 29), "; " + Txt(LangCommon, 30)},
        {"VelmAborting", "", "; " + Txt(LangCommon, 31) + " (The printer is not responding.)"},
    };
    QtPrinter printer;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.queue);
        printer.Device().setPrinterName(QString::fromStdString(c.queue));
        ASSERT_EQ(PrintPattern(printer), DocumentResult::Printed) << printer.FailureText();
        ReportDocument(printer, DocumentResult::Printed);
        EXPECT_EQ(statusLines.back(), "Sent to " + c.queue + c.first);
        if (c.queue == "VelmHeld") {
            QTest::qWait(6000);  // past the first look; the queue's words now are not the job's, it never ran
            ASSERT_TRUE(cups_->Run("cupsdisable -r 'Closed for the night' VelmHeld && cancel -a VelmHeld"));
        }
        if (c.later.empty())
            cups_->Run("for i in $(seq 200); do lpstat -p VelmBusy | grep -q 'Waiting for printer' && exit; sleep 0.1; done");
        else
            EXPECT_TRUE(QTest::qWaitFor([&] { return statusLines.back() == "Sent to " + c.queue + c.later; }, 60000))
                << statusLines.back() << "\n" << cups_->Log();
    }
    InstallStatusLine(nullptr);
    cups_->Run("cancel -a");
}

// The print dialog: a PDF file chosen in set-up stays a PDF file though the
// service has a default queue, which is sent nothing; the set-up queue keeps
// the set-up paper, a queue picked there takes its own default paper.
TEST_F(PrintServiceTest, ThePrintDialogKeepsThePdfFileAndGivesAPickedQueueItsPaper) {
    ASSERT_TRUE(cups_->AddQueue(Queue));
    ASSERT_TRUE(cups_->Run(std::string("lpadmin -p Office_A3 -v cups-pdf:/ -P ") + PrivateCups::Ppd + " -E -o PageSize=A3"));
    // The queue chosen in set-up ("": a PDF file), the queue the range prints on, its paper.
    for (const auto& [setUp, pick, paper] : {std::tuple{"", "", QPageSize::A5}, std::tuple{"VelmWorkshop", "VelmWorkshop", QPageSize::A5},
                                             std::tuple{"VelmWorkshop", "Office_A3", QPageSize::A3}}) {
        SCOPED_TRACE(pick);
        QtPrinter printer;
        printer.ChooseQueue(setUp);
        printer.Device().setPageSize(QPageSize(QPageSize::A5));
        QtDialogs qtDialogs(&printer);
        WhenShown<QPrintDialog>([pick](QPrintDialog* dialog) {
            auto* printers = dialog->findChild<QComboBox*>("printers");
            if (printers && *pick) printers->setCurrentIndex(printers->findText(pick));
            dialog->accept();
        });
        EXPECT_EQ(qtDialogs.ShowPrint(1, 5, folder_.File("VELM.pdf")).outputFile, *pick ? "" : folder_.File("VELM.pdf"));
        EXPECT_EQ(printer.PrintsToFile(), !*pick);
        EXPECT_EQ(printer.ChosenQueue().toStdString(), pick);
        EXPECT_EQ(printer.Device().pageLayout().pageSize().id(), paper);
    }
    EXPECT_EQ(PrivateCups::LastCompleted(Queue).id, 0);
}

// A printer first reached while the service is silent prints to a file only
// until the service answers: then the default queue is its printer, unless
// the user chose otherwise meanwhile.
TEST_F(PrintServiceTest, APrinterMadeWhileTheServiceIsSilentTakesTheDefaultQueueOnceItAnswers) {
    ASSERT_TRUE(cups_->AddQueue(Queue));
    for (const bool chosePdf : {false, true}) {
        SCOPED_TRACE(chosePdf ? "a PDF file chosen meanwhile" : "nothing chosen");
        cups_->Stop();
        QtPrinter printer;
        EXPECT_TRUE(printer.PrintsToFile());
        EXPECT_FALSE(printer.ServiceAnswers());  // a stopped scheduler's default queue is awaited, not a PDF file
        if (chosePdf) printer.ChooseQueue({});
        cups_->StartAgain();
        EXPECT_EQ(printer.PrintsToFile(), chosePdf);
        EXPECT_EQ(printer.ChosenQueue().toStdString(), chosePdf ? "" : Queue);
    }
}

// Printer set-up: another queue comes with its own default paper; a queue
// deleted since it was chosen is said so, the default queue offered instead;
// while the print service is silent the chosen queue stays chosen.
TEST_F(PrintServiceTest, PrinterSetUpTakesTheQueuesPaperAndSaysAQueueIsGone) {
    ASSERT_TRUE(cups_->AddQueue(Queue));
    for (const char* queue : {"Office_A3", "Office_Gone"})
        ASSERT_TRUE(cups_->Run(std::string("lpadmin -p ") + queue + " -v cups-pdf:/ -P " + PrivateCups::Ppd + " -E"));
    ASSERT_TRUE(cups_->Run("lpadmin -p Office_A3 -o PageSize=A3"));
    const struct {
        const char* chosen;  // the queue the device is on
        const char* pick;    // the queue picked in the dialog; null: none
        const char* shown;   // the queue the dialog shows, then applies
        QPageSize::PageSizeId paper;
        const char* said;    // what the dialog says of the chosen queue
        bool stopService = false;
    } cases[] = {{Queue.c_str(), "Office_A3", "Office_A3", QPageSize::A3, ""},
                 {"Office_Gone", nullptr, "VelmWorkshop", QPageSize::A4, "Office_Gone is gone"},
                 // last: the scheduler stopped, then started again
                 {"Office_A3", nullptr, "Office_A3", QPageSize::A5, "does not answer; Office_A3 stays chosen", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen);
        QtPrinter printer;
        printer.Device().setPrinterName(c.chosen);
        printer.Device().setPageSize(QPageSize(QPageSize::A5));
        ASSERT_TRUE(c.pick || c.stopService || cups_->Run(std::string("lpadmin -x ") + c.chosen));
        if (c.stopService) cups_->Stop();
        QtDialogs qtDialogs(&printer);
        QString said;
        WhenShown<QDialog>([&](QDialog* dialog) {
            auto* printers = dialog->findChild<QComboBox*>("printers");
            if (!printers) return dialog->reject();
            if (c.pick) printers->setCurrentIndex(printers->findText(c.pick));
            for (auto* label : {dialog->findChild<QLabel*>("gone"), dialog->findChild<QLabel*>("silent")})
                if (label && Offered(label, dialog)) said += label->text();
            dialog->accept();
        });
        ASSERT_TRUE(qtDialogs.ShowPrinterSetup());
        EXPECT_TRUE(*c.said ? said.contains(c.said) : said.isEmpty()) << said.toStdString();
        EXPECT_EQ(printer.ChosenQueue().toStdString(), c.shown);  // a queue, not a PDF file
        EXPECT_EQ(printer.Device().pageLayout().pageSize().id(), c.paper);
        if (!c.stopService) continue;
        {  // a range printed to a PDF file picked in its dialog gives the queue back
            const HeldPrinterSetUp held(&printer);
            printer.ChooseQueue({});
        }
        cups_->StartAgain();  // the chosen queue prints once the service answers
        EXPECT_EQ(PrintCalibrationPattern(printer, LoadCalibration(printer.PageMillimetres(), 0, 1, 1)),
                  DocumentResult::Printed) << printer.FailureText();
        EXPECT_EQ(printer.LastDelivery().queue, "Office_A3");
    }
}

// A service silent since the printer was made: no PDF file stands in for its default queue, not after set-up's
// OK or Cancel nor a range's set-up put back; print and check say it is silent; once it answers, its queue prints.
// Hung after that print, it holds neither the look at the job, which runs beside the window, nor the next print.
TEST_F(PrintServiceTest, WhileTheServiceIsSilentTheDefaultQueueIsAwaitedNotAPdfFile) {
    ASSERT_TRUE(cups_->AddQueue(Queue));
    ASSERT_TRUE(cups_->Run("lpadmin -p " + Queue + " -o PageSize=A3"));
    enum Silence { HungScheduler, MuteSocket, StoppedScheduler };
    enum Step { SetUpOk, SetUpCancel, RangeSetUpPutBack };
    for (const auto& [silence, step] : {std::pair{HungScheduler, RangeSetUpPutBack}, std::pair{MuteSocket, SetUpOk},
                                        std::pair{StoppedScheduler, SetUpCancel}}) {
        SCOPED_TRACE(testing::Message() << "silence " << silence << ", step " << step);
        std::optional<SilentService> mute;
        silence == HungScheduler ? cups_->Hang() : silence == MuteSocket ? (void)mute.emplace(folder_.Path(), SilentService::Mute) : cups_->Stop();
        QtPrinter printer;
        QtDialogs qtDialogs(&printer);
        Platform().printer = &printer;
        dialogs_.messages.clear();
        dialogs_.ExpectMessage(IdOk);
        EXPECT_FALSE(CheckPrintServiceAnswers());  // as the elbow's Print asks
        ASSERT_EQ(dialogs_.messages.size(), 1u);
        EXPECT_EQ(dialogs_.messages[0].prompt, Txt(LangCommon, 26));
        if (step == RangeSetUpPutBack) {
            const HeldPrinterSetUp held(&printer);
            printer.ChooseQueue({});  // a range dialog's PDF file, for that range only
        } else {
            QString said;
            WhenShown<QDialog>([&](QDialog* dialog) {
                if (auto* label = dialog->findChild<QLabel*>("silent"); label && Offered(label, dialog)) said = label->text();
                step == SetUpOk ? dialog->accept() : dialog->reject();
            });
            EXPECT_EQ(qtDialogs.ShowPrinterSetup(), step == SetUpOk);
            EXPECT_TRUE(said.contains("does not answer")) << said.toStdString();
        }
        EXPECT_EQ(PrintPattern(printer), DocumentResult::Failed);
        EXPECT_EQ(printer.LastFault(), PrintFault::NoService);
        cups_->Wake(), cups_->StartAgain(), mute.reset();  // it answers again
        QTest::qWait(1100);
        EXPECT_EQ(PrintPattern(printer), DocumentResult::Printed) << printer.FailureText();
        EXPECT_EQ(printer.LastDelivery().queue, Queue);
        if (step != SetUpOk) { EXPECT_EQ(printer.Device().pageLayout().pageSize().id(), QPageSize::A3); }
        EXPECT_TRUE(dialogs_.saves.empty());
        Platform().printer = nullptr;
        if (silence == HungScheduler) {
            int looked = 0;
            printer.FollowLastDelivery([&looked](const PrintDelivery&) { return ++looked, true; });
            cups_->Hang();
            const std::jthread wake([this](std::stop_token stop) {  // ends a wait without limit
                for (int i = 0; i < 300 && !stop.stop_requested(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(100));
                cups_->Wake();
            });
            EXPECT_LT(LongestPause([] { QTest::qWait(9000); }), 1.0);  // the look comes 5 s after the print
            EXPECT_EQ(looked, 0);  // a silent service has nothing new to say
            const auto start = std::chrono::steady_clock::now();
            EXPECT_LT(LongestPause([&] { EXPECT_EQ(PrintPattern(printer), DocumentResult::Failed); }), 1.0);
            EXPECT_LT(SecondsSince(start), 8.0);
            EXPECT_EQ(printer.LastFault(), PrintFault::NoService);
        }
        cups_->Run("cancel -a " + Queue);
    }
}

}  // namespace
}  // namespace velm

// The windows that the previews and the Options menu open over themselves:
// the notes window, the value table and the printer calibration, driven as
// a user would in the running program, on the recording printer and, for
// the true size of the test rectangle, on the PDF printer.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrinter>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <fstream>
#include <functional>

#include "support/pdf_render.h"
#include "core/help_contexts.h"
#include "core/number_text.h"
#include "frame/command_registry.h"
#include "frame/windows/help_commands.h"
#include "frame/windows/shape_opener.h"
#include "frame/windows/window_test_actions.h"
#include "output/windows/frm_dati.h"
#include "output/windows/frm_tabella.h"
#include "output/windows/frm_taratura.h"
#include "output/windows/sheet_preview.h"
#include "preview_actions.h"
#include "output/print_items.h"
#include "platform/qt/qt_printer.h"
#include "platform/services.h"
#include "support/temp_folder.h"

namespace velm {
namespace {

using namespace wt;

// Runs `answer` on the modal window that the next action opens; the window
// is closed afterwards whatever the answer did, so a test never hangs.
template <class W>
void WhenModal(const char* name, std::function<void(W*)> answer, bool& seen) {
    seen = false;
    QTimer::singleShot(0, [name, answer, &seen] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* w = qobject_cast<W*>(modal);
        seen = w != nullptr && modal->objectName() == QLatin1String(name);
        if (seen) answer(w);
        if (modal && modal->isVisible()) modal->close();
    });
}

void Release(QWidget* w) {
    Mouse(w, QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    Mouse(w, QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton);
}

class OutputDialogsTest : public AppFixture {
protected:
    void StartProgram(double width = 200, double height = 287, PageOrientation o = PagePortrait) {
        printer.SetPage(width, height, o);
        ASSERT_TRUE(Start());
        Mdi()->resize(1280, 800);
        Wait(20);
    }
    ShapeWindow* OpenShape(int code) { return OpenDevelopedShape(code); }
    SheetPreview* Preview(int code) { return OpenPreviewOf(OpenShape(code)); }
    bool PrintedText(const std::string& text) const {
        if (printer.documents.empty()) return false;
        for (const auto& page : printer.documents.back().pages)
            for (const auto& t : page.texts)
                if (t.text == text) return true;
        return false;
    }
    void CloseEverything() {
        if (SheetPreview* p = SheetPreview::Current()) p->CmdIndietro->click();
        Wait(10);
        if (QWidget* shape = LoadedShapeWindow(State().ShapeCode))
            if (QMdiSubWindow* sub = wt::SubWindowOf(shape)) sub->close();
        Wait(10);
    }
};

TEST_F(OutputDialogsTest, NotesFromBothPreviewsArePrintedAsTheLastDataLine) {
    Seed("Options", "CheckData", "1");
    StartProgram();
    struct Case {
        int code;
        int k;
        const char* caption;
    };
    const Case cases[] = {{ShapeCiTaSup, 12, "Cylinder data and notes"}, {ShapeCoConcordi, 20, "Frustum data and notes"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        SheetPreview* preview = Preview(c.code);
        ASSERT_NE(preview, nullptr);
        ASSERT_TRUE(preview->LblArea->isVisible());
        bool seen = false;
        WhenModal<FrmDati>("FrmDati", [&](FrmDati* d) {
            EXPECT_EQ(S(d->windowTitle()), c.caption);
            EXPECT_EQ(d->ReservedRows(), c.k);
            EXPECT_EQ(static_cast<int>(d->Rows().size()), c.k - 1);
            EXPECT_EQ(d->TxtNota->y(), (c.k - 1) * d->LineHeight());
            EXPECT_EQ(d->CmdOK->y(), (c.k + 1) * d->LineHeight());
            EXPECT_GE(d->height(), d->CmdOK->geometry().bottom());
            EXPECT_EQ(d->TxtNota->text(), "");
            d->TxtNota->setText("Order 12\nsteel");  // pasted over two lines
            EXPECT_EQ(d->TxtNota->text(), "Order 12 steel");
            d->CmdOK->click();
        }, seen);
        Release(preview->LblArea);
        ASSERT_TRUE(seen);
        EXPECT_EQ(State().NoteText, "Order 12 steel");
        EXPECT_FALSE(StartPanel()->isEnabled());

        // The close box keeps the notes; the data box itself opens it too.
        WhenModal<FrmDati>("FrmDati", [](FrmDati* d) {
            EXPECT_EQ(d->TxtNota->text(), "Order 12 steel");
            d->TxtNota->setText("lost");
            d->close();
        }, seen);
        Release(preview->PctDati);
        ASSERT_TRUE(seen);
        EXPECT_EQ(State().NoteText, "Order 12 steel");
        EXPECT_FALSE(StartPanel()->isEnabled());

        preview->CmdStampa->click();
        EXPECT_TRUE(PrintedText("Order 12 steel"));
        CloseEverything();
        EXPECT_EQ(State().NoteText, "Order 12 steel");
        SheetPreview* again = Preview(c.code);
        ASSERT_NE(again, nullptr);
        EXPECT_EQ(State().NoteText, "") << "a new preview starts without notes";
        CloseEverything();
    }
}

TEST_F(OutputDialogsTest, NotesOnlyShowTheCaptionOnTheFirstRow) {
    Seed("Options", "CheckNote", "1");
    StartProgram();
    SheetPreview* preview = Preview(ShapeCiRe);
    ASSERT_NE(preview, nullptr);
    bool seen = false;
    WhenModal<FrmDati>("FrmDati", [](FrmDati* d) {
        EXPECT_EQ(d->ReservedRows(), 2);
        EXPECT_EQ(d->Rows(), std::vector<std::string>{" " + Txt(LangFrmAntep, 39) + ":"});
        EXPECT_EQ(d->TxtNota->y(), d->LineHeight());
        EXPECT_EQ(d->CmdOK->y(), 3 * d->LineHeight());
    }, seen);
    Release(preview->LblArea);
    EXPECT_TRUE(seen);
}

// A note longer than a printed line: the box shows it as it wraps on paper
// and grows by its further lines, the drawing moving down under it; the fit
// counts them (the 40 mm high plate fits a 56 mm page under three lines of
// 4 mm, not under five); every word shows; on paper too nothing typed is lost.
TEST_F(OutputDialogsTest, LongNotesWrapInTheDataBoxAndOnPaper) {
    Seed("Options", "CheckNote", "1");
    StartProgram(200, 56);
    SheetPreview* preview = Preview(ShapeCiRe);
    ASSERT_NE(preview, nullptr);
    const std::string note =
        "Roll the plate with the seam at the top, check both cut edges against the template before welding, "
        "grind the burrs off every edge and mark the seam side with red paint before the next piece.";
    const std::vector<std::string> lines = WrapText(note, 78);  // 200 mm of 2.54 mm characters
    const int shortBox = preview->PctDati->height();
    EXPECT_FALSE(preview->Pictures().CutOff);
    bool seen = false;
    WhenModal<FrmDati>("FrmDati", [&](FrmDati* d) {
        d->TxtNota->setText(QString::fromStdString(note));
        d->CmdOK->click();
    }, seen);
    Release(preview->LblArea);
    ASSERT_TRUE(seen);
    EXPECT_NEAR(preview->PctDati->height(), shortBox * 5 / 3.0, 1.5);
    EXPECT_GE(preview->PctDisegno->y(), preview->PctDati->height());
    EXPECT_EQ(S(preview->LblArea->text()), Txt(LangFrmAntep, 44) + "\n" + lines[0] + "\n" + lines[1] + "\n" + lines[2]);
    EXPECT_TRUE(preview->Pictures().CutOff);
    dialogs.ExpectMessage(IdYes);  // print it cut off
    preview->CmdStampa->click();
    for (const std::string& line : lines) EXPECT_TRUE(PrintedText(line)) << "on paper: " << line;
    // In the data box too, narrowed as on a portrait sheet: every word inside
    // the box (no ink on its edges), the lines left-aligned as on paper.
    preview->ChkDatiStampa[SheetPreview::PrintData]->setChecked(true);
    preview->LblArea->resize(preview->LblArea->width() / 3, preview->LblArea->height());
    const QImage ink = preview->LblArea->grab().toImage();
    int left = ink.width(), onEdge = 0;
    for (int y = 0; y < ink.height(); ++y)
        for (int x = 0; x < ink.width(); ++x)
            if (qGray(ink.pixel(x, y)) < 128) {
                left = std::min(left, x);
                onEdge += x == 0 || y == 0 || x == ink.width() - 1 || y == ink.height() - 1;
            }
    EXPECT_EQ(onEdge, 0);
    EXPECT_LE(left, 5);
    CloseEverything();
}

TEST_F(OutputDialogsTest, TableOfEachPreviewShowsPrintsAndCloses) {
    StartProgram();
    for (int code : {ShapeCiRe, ShapeCoRe}) {
        SCOPED_TRACE(code);
        SheetPreview* preview = Preview(code);
        ASSERT_NE(preview, nullptr);
        ASSERT_TRUE(preview->CmdTabella->isEnabled());
        const bool cone = code == ShapeCoRe;
        const std::size_t documents = printer.documents.size();
        bool seen = false;
        WhenModal<FrmTabella>("FrmTabella", [&](FrmTabella* t) {
            // Header row and 181 rows from 0 to 180 degrees.
            EXPECT_EQ(t->GrdDati->rowCount() + 1, 182);
            EXPECT_EQ(S(t->GrdDati->item(0, 0)->text()), "0");
            const WorkingState& st = State();
            const double half = cone ? st.ConeDevelopment.Results.ConeSectorAngleDeg / 2.0
                                     : st.CylinderDevelopment.Results.DevelopedLength / 2;
            EXPECT_NEAR(ReadNumber(S(t->GrdDati->item(180, 0)->text())), half, 0.006);
            const ProfileTable& upper =
                cone ? st.ConeDevelopment.Results.ConeUpperRadii : st.CylinderDevelopment.Results.CylUpperHeights;
            EXPECT_EQ(S(t->GrdDati->item(180, 1)->text()), FormatLengthFine(upper[180], 0));
            EXPECT_EQ(S(t->GrdDati->horizontalHeaderItem(1)->text()), Txt(LangFrmTabella, 4));
            EXPECT_EQ(t->Table().Head0, cone ? Txt(LangFrmTabella, 2) + "[\xC2\xB0]" : Txt(LangFrmTabella, 6) + "[mm]");
            EXPECT_GT(t->Head1Left(), QFontMetrics(t->font()).horizontalAdvance(QString::fromStdString(t->Table().Head0)));
            // The grid holds its three columns side by side.
            const int columns = t->GrdDati->columnWidth(0) + t->GrdDati->columnWidth(1) + t->GrdDati->columnWidth(2);
            EXPECT_GT(t->GrdDati->width(), columns);
            EXPECT_LT(t->GrdDati->width(), t->width());
            // No heading clipped: the column names in their columns, both headings in the window.
            const QFontMetrics metrics(t->font());
            for (int c = 1; c <= 2; ++c)
                EXPECT_GE(t->GrdDati->columnWidth(c), t->GrdDati->horizontalHeader()->sectionSizeHint(c)) << c;
            EXPECT_LE(t->Head1Left() + metrics.horizontalAdvance(QString::fromStdString(t->Table().Head1)), t->width());
            Click(t->CmdStampa);
            // F1 in the grid opens the table's topic, as the Help button does.
            ShowHelpContext(HelpContextContents);
            t->activateWindow();  // back from the help window
            QApplication::processEvents();
            QTest::keyClick(t->GrdDati, Qt::Key_F1);
            EXPECT_EQ(help.Window()->ShownTopic(), HelpContextFrmTabella);
            ShowHelpContext(HelpContextContents);
            Click(t->CmdHelp);
            Click(t->CmdEsci);
        }, seen);
        Click(preview->CmdTabella);
        ASSERT_TRUE(seen);
        ASSERT_EQ(printer.documents.size(), documents + 1);
        EXPECT_EQ(printer.documents.back().pages.size(), 3u);
        EXPECT_EQ(printer.results.back(), DocumentResult::Printed);
        ASSERT_NE(help.Window(), nullptr);
        EXPECT_EQ(help.Window()->ShownTopic(), HelpContextFrmTabella);
        EXPECT_FALSE(StartPanel()->isEnabled());
        CloseEverything();
    }
}

TEST_F(OutputDialogsTest, ATablePrintoutThatCannotStartSaysSo) {
    StartProgram();
    SheetPreview* preview = Preview(ShapeCiRe);
    ASSERT_NE(preview, nullptr);
    const struct {
        std::string why, message;
    } cases[] = {{"", Txt(LangErrore, 34) + "."}, {"Cannot write /x/table.pdf", "Cannot write /x/table.pdf"}};
    for (const auto& c : cases) {
        printer.failStart = true;
        printer.failureText = c.why;
        dialogs.messages.clear();
        dialogs.ExpectMessage(IdOk);
        bool seen = false;
        WhenModal<FrmTabella>("FrmTabella", [](FrmTabella* t) { t->CmdStampa->click(); }, seen);
        preview->CmdTabella->click();
        ASSERT_TRUE(seen);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].prompt, c.message);
        EXPECT_EQ(dialogs.messages[0].style, MbCritical);
    }
}

class CalibrationTest : public OutputDialogsTest {
protected:
    // Options item 3 with `answer` on the calibration dialog.
    bool Calibrate(std::function<void(FrmTaratura*)> answer) {
        bool seen = false;
        WhenModal<FrmTaratura>("FrmTaratura", std::move(answer), seen);
        Mdi()->OpzioniItem(3)->trigger();
        return seen;
    }
    const RecordingPrinter::LineRec& LastRectangleCorner() {
        return printer.documents.back().pages.at(0).lines.at(0);  // the bottom edge
    }
};

TEST_F(CalibrationTest, NoPrinterSaysSoAndOpensNothing) {
    StartProgram();
    printer.available = false;
    dialogs.ExpectMessage(IdOk);
    EXPECT_FALSE(Calibrate([](FrmTaratura*) {}));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].prompt, Txt(LangErrore, 33) + ".");
}

TEST_F(CalibrationTest, MeasureTestPrintAgainOkThenStandardValuesAndClose) {
    StartProgram();
    ASSERT_TRUE(Mdi()->OpzioniItem(3)->isEnabled());
    EXPECT_FALSE(Mdi()->OpzioniItem(3)->isChecked());
    ASSERT_TRUE(Calibrate([&](FrmTaratura* d) {
        EXPECT_EQ(S(d->LblLarghezza->text()), "198");
        EXPECT_EQ(S(d->LblLunghezza->text()), "285");
        EXPECT_FALSE(d->TxtLarghezza->isEnabled());
        EXPECT_FALSE(d->Label3->isEnabled());
        EXPECT_GT(d->PctFoglio[0]->height(), d->PctFoglio[0]->width()) << "a portrait page";
        Click(d->CmdStampa);
        EXPECT_TRUE(d->TxtLarghezza->isEnabled());
        EXPECT_EQ(d->ShpRettangolo[1]->BorderColor(), d->palette().color(QPalette::WindowText));
        EXPECT_NEAR(LastRectangleCorner().x2, 198, 1e-4);
        EXPECT_NEAR(LastRectangleCorner().y2, 285, 1e-4);

        // 110 % cannot be typed; below 90 % becomes 90 % on leaving the box.
        Type(d->TxtLunghezza, "400");
        EXPECT_EQ(d->TxtLunghezza->Text(), "40");
        EXPECT_TRUE(d->Label3->isEnabled());
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(d->TxtLunghezza, &out);
        EXPECT_EQ(d->TxtLunghezza->Text(), "256.5");
        MoveOver(d->TxtLunghezza);
        EXPECT_EQ(Status(), Txt(LangFrmTaratura, 7) + " (256.5 - 313.5)");

        Type(d->TxtLarghezza, "200");
        Type(d->TxtLunghezza, "285");
        Click(d->CmdStampa);
        EXPECT_NEAR(LastRectangleCorner().x2, 198 * 0.99, 1e-3);
        EXPECT_NEAR(LastRectangleCorner().y2, 285, 1e-3);
        EXPECT_EQ(d->TxtLarghezza->Text(), "198");
        EXPECT_FALSE(d->Label3->isEnabled());
        Click(d->CmdOK);
    }));
    EXPECT_EQ(Stored("System", "SettingXPrinter"), ".99");
    EXPECT_EQ(Stored("System", "SettingYPrinter"), "1");
    EXPECT_FLOAT_EQ(State().Settings.SettingXPrinter, 0.99f);
    EXPECT_TRUE(Mdi()->OpzioniItem(3)->isChecked());

    // The next preview lays out and prints with what OK stored.
    SheetPreview* preview = Preview(ShapeCiRe);
    ASSERT_NE(preview, nullptr);
    EXPECT_FLOAT_EQ(State().Sheet.CylinderFactors.X, 0.99f);
    preview->ComboScala->setCurrentIndex(1);  // 1:2
    EXPECT_FLOAT_EQ(State().Sheet.CylinderFactors.X, 0.99f / 2);
    EXPECT_FLOAT_EQ(State().Sheet.CylinderFactors.Y, 0.5f);
    CloseEverything();

    // Close keeps the settings; standard values are saved only on OK.
    ASSERT_TRUE(Calibrate([&](FrmTaratura* d) {
        EXPECT_FLOAT_EQ(d->Working().FactorX, 0.99f);
        dialogs.ExpectMessage(IdYes);
        Click(d->CmdDefault);
        EXPECT_EQ(dialogs.messages.back().prompt, Txt(LangMsgbox, 6));
        EXPECT_EQ(dialogs.messages.back().style, MbYesNo + MbQuestion);
        EXPECT_FLOAT_EQ(d->Working().FactorX, 1.0f);
        Click(d->CmdChiudi);
    }));
    EXPECT_EQ(Stored("System", "SettingXPrinter"), ".99");
    EXPECT_FLOAT_EQ(State().Settings.SettingXPrinter, 0.99f);
    ASSERT_TRUE(Calibrate([&](FrmTaratura* d) {
        dialogs.ExpectMessage(IdNo);
        Click(d->CmdDefault);
        EXPECT_FLOAT_EQ(d->Working().FactorX, 0.99f);
        dialogs.ExpectMessage(IdYes);
        Click(d->CmdDefault);
        Click(d->CmdOK);
    }));
    EXPECT_EQ(Stored("System", "SettingXPrinter"), "1");
    EXPECT_FALSE(Mdi()->OpzioniItem(3)->isChecked());
}

TEST_F(CalibrationTest, LandscapeAndInchPagesStorePortraitFactors) {
    struct Case {
        const char* what;
        PageOrientation orientation;
        const char* unit;
        const char *width, *length;  // typed; null: nothing
        const char *storedX, *storedY;
    };
    const Case cases[] = {
        {"landscape, OK alone", PageLandscape, "0", nullptr, nullptr, "1.02", ".97"},
        // Page width 285 measured 300: the portrait y factor.
        {"landscape, measured", PageLandscape, "0", "300", nullptr, "1.02", ".9215"},
        // 198 mm wide: 7.7 inches measured 7.8.
        {"inches", PagePortrait, "1", "7.8", nullptr, "1.00692308", ".97"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Seed("System", "SettingXPrinter", "1.02");
        Seed("System", "SettingYPrinter", ".97");
        Seed("System", "MeasuringSystem", c.unit);
        const bool landscape = c.orientation == PageLandscape;
        StartProgram(landscape ? 287 : 200, landscape ? 200 : 287, c.orientation);
        ASSERT_TRUE(Calibrate([&](FrmTaratura* d) {
            EXPECT_EQ(d->PctFoglio[0]->width() > d->PctFoglio[0]->height(), landscape);
            Click(d->CmdStampa);
            if (c.width) Type(d->TxtLarghezza, c.width);
            Click(d->CmdOK);
        }));
        EXPECT_NEAR(ReadNumber(Stored("System", "SettingXPrinter")), ReadNumber(c.storedX), 1e-5);
        EXPECT_NEAR(ReadNumber(Stored("System", "SettingYPrinter")), ReadNumber(c.storedY), 1e-5);
        TearDown();
        SetUp();
    }
}

// Page 1 of a PDF in grey at 10 pixels a millimetre.

TEST_F(CalibrationTest, TheTestRectangleIsTrueToItsWorkingFactorsOnPaper) {
    StartProgram();
    TempFolder folder;
    QtPrinter pdf;
    pdf.Device().setOutputFormat(QPrinter::PdfFormat);
    pdf.Device().setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                           QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    Platform().printer = &pdf;
    const std::string name = folder.File("calibration.pdf");
    pdf.NumberDocuments(name);
    {
        FrmTaratura d(MainWindow());  // A4 less 10 mm margins: 190 x 277, nominal 188 x 275
        ASSERT_EQ(d.Working().NominalWidth, 188);
        d.CmdStampa_Click();
        Type(d.TxtLarghezza, "190");
        Type(d.TxtLunghezza, "280");
        d.CmdStampa_Click();
        const double width = 188.0 * 188 / 190, length = 275.0 * 275 / 280;
        EXPECT_NEAR(d.Working().FactorX * 188, width, 1e-3);
        const Grey grey = RenderPdfPage(NumberedFileName(name, 2), 254, folder.File("render"), 160);
        ASSERT_GT(grey.width, 0) << "pdftoppm (poppler-utils) could not render the page";
        // Across the middle of the rectangle, and down it; the margin is 10 mm.
        auto span = [&](bool across) {
            int first = -1, last = -1;
            const int n = across ? grey.width : grey.height;
            for (int i = 0; i < n; ++i) {
                const bool dark = across ? grey.Dark(i, 1400) : grey.Dark(1000, i);
                if (!dark) continue;
                if (first < 0) first = i;
                last = i;
            }
            return std::pair((first + 0.5) / 10.0, (last + 0.5) / 10.0);
        };
        const auto [left, right] = span(true);
        const auto [top, bottom] = span(false);
        EXPECT_NEAR(left, 10, 0.2);
        EXPECT_NEAR(right - left, width, 0.2);
        EXPECT_NEAR(top, 10, 0.2);
        EXPECT_NEAR(bottom - top, length, 0.2);
        d.CmdOK_Click();
    }
    Platform().printer = &printer;
    EXPECT_FLOAT_EQ(State().Settings.SettingXPrinter, 188.0f / 190);
    EXPECT_FLOAT_EQ(State().Settings.SettingYPrinter, 275.0f / 280);
}

}  // namespace
}  // namespace velm

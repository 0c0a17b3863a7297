// FrmCuCilindri in the running program: opened from the start panel and the
// menu, typed into, pointed at and clicked, printing pieces and ranges on
// the recording printer.
#include "elbows/windows/cyl_elbow_window.h"

#include <QTimer>
#include <cmath>
#include <functional>
#include <fstream>
#include <sstream>

#include "core/data_file.h"
#include "core/development_checks.h"
#include "elbows/elbow_hit_test.h"
#include "elbows/elbow_messages.h"
#include "elbows/windows/elbow_window_test_steps.h"
#include "frame/windows/file_commands.h"
#include "frame/windows/shape_opener.h"
#include "frame/windows/startup.h"
#include "frame/windows/window_test_actions.h"
#include "geometry/angles.h"
#include "output/windows/sheet_preview.h"
#include "support/temp_folder.h"

namespace velm {
namespace {

using namespace wt;

class CylElbowWindowTest : public AppFixture {
protected:
    CylElbowWindow* Open() {
        printer.SetPage(200, 287);
        if (!Start()) return nullptr;
        Mdi()->resize(1280, 800);
        Mdi()->FormeItem(3)->trigger();
        Wait(20);
        auto* w = MdiArea()->findChild<CylElbowWindow*>("FrmCuCilindri");
        if (w) wt::SubWindowOf(w)->showMaximized();
        Wait(20);
        return w;
    }
    // A picture point inside piece p of the drawn elbow, just outside its axis.
    static QPointF PointOfPiece(const CylElbowWindow* w, int p) {
        const LastElbow& e = State().Elbow;
        const int n = e.PieceCount;
        const double a0 = Pi / 2 - e.Bend / 2, step = e.Bend / (n - 1);
        const double mid = p == 1 ? a0 + step / 4 : p == n ? Pi - a0 - step / 4 : a0 + step / 2 + (p - 1.5) * step;
        const ElbowDrawing& d = w->Drawing();
        const double r = d.DrawingRadius * 1.05;  // clear of the dotted axis arc
        return {d.DrawingCentreX - r * std::cos(mid), d.DrawingCentreY - r * std::sin(mid)};
    }
    static void Release(CylElbowWindow* w, QPointF at, Qt::MouseButton button) {
        Mouse(w->PctDisegno, QEvent::MouseButtonPress, at, button, button);
        Mouse(w->PctDisegno, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
    }
    static std::vector<std::string> Titles(std::initializer_list<int> pieces) {
        std::vector<std::string> t;
        for (int p : pieces) t.push_back("CYLINDER PIECE #" + std::to_string(p));
        return t;
    }
};

TEST_F(CylElbowWindowTest, OpensFromTheStartPanelAndTheMenuDrawsAndClosesBack) {
    printer.SetPage(200, 287);
    ASSERT_TRUE(Start());
    Mdi()->resize(1280, 800);
    for (bool fromMenu : {false, true}) {
        SCOPED_TRACE(fromMenu);
        if (fromMenu)
            Mdi()->FormeItem(3)->trigger();
        else
            OpenShapeForm(ShapeCuCilindri, StartPanel());
        Wait(20);
        auto* w = MdiArea()->findChild<CylElbowWindow*>("FrmCuCilindri");
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(Mdi()->FormeItem(3)->isChecked());
        EXPECT_EQ(State().ShapeCode, ShapeCuCilindri);
        EXPECT_EQ(S(w->CmdIndietro->text()), "<<<");
        EXPECT_EQ(S(w->LblInputDati[4]->text()), Txt(LangCommonFrmCurvaCili, 6) + " [\xC2\xB0] (A):");
        EXPECT_GT(CountColour(w->PctDisegno->canvas(), State().CylinderPieceFill), 1000);
        EXPECT_TRUE(w->CmdStampa->isEnabled());
        EXPECT_EQ(State().DevelopmentValid, True16);
        EXPECT_TRUE(Mdi()->FileItem(FileMenuItem::SaveDxf)->isEnabled()) << "DXF follows DevelopmentValid";
        EXPECT_FALSE(StartPanel()->isEnabled());
        Click(w->CmdIndietro);
        Wait(20);
        EXPECT_TRUE(StartPanel()->isEnabled());
    }
}

TEST_F(CylElbowWindowTest, NormalSizeKeepsItsMinimumAndThePictureKeepsFourToThree) {
    CylElbowWindow* w = Open();
    ASSERT_NE(w, nullptr);
    QMdiSubWindow* sub = wt::SubWindowOf(w);
    sub->showNormal();
    sub->resize(5000 / 15, 4000 / 15);
    Wait(20);
    EXPECT_EQ(sub->size(), QSize(620, 414));
    EXPECT_NEAR(w->PctDisegno->width() * 3.0, w->PctDisegno->height() * 4.0, 8);
    // Minimised: no layout, no apply.
    const QRect before = w->PctDisegno->geometry();
    Type(w->TxtInputDati[0], "0");
    sub->showMinimized();
    Wait(20);
    EXPECT_EQ(w->PctDisegno->geometry(), before);
    EXPECT_TRUE(dialogs.messages.empty());
}

// Maximised the window has no minimum size: a picture under 24 pixels either
// way has no room for the fit's margins, so a resize lays out but applies
// nothing; from 24 pixels on it applies.
TEST_F(CylElbowWindowTest, NoApplyWhenThePictureIsTooSmall) {
    CylElbowWindow* w = Open();
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(wt::SubWindowOf(w)->isMaximized());
    const struct {
        int width, height;  // of the window, pixels
        bool applies;
    } cases[] = {{900, 27, false}, {900, 28, true}, {240, 600, false}, {260, 600, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        const std::uint64_t before = State().Elbow.Generation;
        w->resize(c.width, c.height);  // the resize event comes at once
        EXPECT_EQ(std::min(w->PctDisegno->width(), w->PctDisegno->height()) >= 24, c.applies);
        EXPECT_EQ(State().Elbow.Generation != before, c.applies);
        if (!c.applies) {
            EXPECT_EQ(CountColour(w->PctDisegno->canvas(), State().CylinderPieceFill), 0);
        }
    }
}

TEST_F(CylElbowWindowTest, TypingCouplesBendLengthAndRadius) {
    CylElbowWindow* w = Open();
    ASSERT_NE(w, nullptr);
    auto text = [w](int i) { return w->TxtInputDati[static_cast<std::size_t>(i)]->Text(); };
    // d = 25, A = 90: L 157.08 leaves R at 100; its first digits raise R to 18.75.
    look.beeps = 0;
    Type(w->TxtInputDati[5], "157.08");
    EXPECT_EQ(text(6), "100");
    EXPECT_EQ(text(5), "157.08");
    EXPECT_EQ(look.beeps, 2);
    Type(w->TxtInputDati[6], "50");
    EXPECT_EQ(text(5), "78.54");
    // A from 90 to 4: R from L is far above 300, set to 300, and L follows.
    Type(w->TxtInputDati[5], "471.23");
    Type(w->TxtInputDati[4], "4");
    EXPECT_EQ(text(6), "300");
    EXPECT_EQ(text(5), "20.94");
    Keys(w->TxtInputDati[4], "5");
    EXPECT_EQ(text(4), "45");
    // A = 0: L and R stay; R typed sets L to 0; leaving A makes it 10.
    const std::string l = text(5), r = text(6);
    w->TxtInputDati[6]->setFocus();
    w->TxtInputDati[4]->SetText("0");
    EXPECT_EQ(text(5), l);
    EXPECT_EQ(text(6), r);
    w->TxtInputDati[6]->selectAll();
    Keys(w->TxtInputDati[6], "40");
    EXPECT_EQ(text(5), "0");
    w->TxtInputDati[4]->setFocus();
    w->TxtInputDati[7]->setFocus();
    EXPECT_EQ(text(4), "10");
}

TEST_F(CylElbowWindowTest, LeavingChecksAndHints) {
    CylElbowWindow* w = Open();
    ASSERT_NE(w, nullptr);
    Type(w->TxtInputDati[7], "2");
    Type(w->TxtInputDati[6], "10");
    EXPECT_EQ(w->TxtInputDati[7]->Text(), "3");
    w->TxtInputDati[0]->setFocus();
    EXPECT_EQ(w->TxtInputDati[6]->Text(), "18.75");
    EXPECT_EQ(w->TxtInputDati[5]->Text(), "29.45");
    MoveOver(w->LblInputDati[5]);
    EXPECT_EQ(Status(), Txt(LangFrmCuCil, 7) + " (29.45 - 471.24)");
    EXPECT_TRUE(w->TxtInputDati[5]->hasFocus());
    MoveOver(w->TxtInputDati[2]);
    EXPECT_EQ(Status(), Txt(LangFrmCuCil, 4) + " (-60\xC2\xB0 - 60\xC2\xB0)");
    MoveOver(w->CmdStampa);
    EXPECT_EQ(Status(), Txt(LangHelp, 7));
    MoveOver(w->PnlSfondo);
    EXPECT_EQ(Status(), "");
}

TEST_F(CylElbowWindowTest, PointingNamesPiecesAndAClickPreviewsOrPrintsOne) {
    CylElbowWindow* w = Open();
    ASSERT_NE(w, nullptr);
    for (int p = 1; p <= 5; ++p) {
        MoveOver(w->PctDisegno, PointOfPiece(w, p));
        EXPECT_EQ(Status(), "CYLINDER PIECE #" + std::to_string(p) + ": " + Txt(LangHelp, 31)) << p;
    }
    MoveOver(w->PctDisegno, {2, 2});
    EXPECT_EQ(Status(), "");
    // Below the centre line nothing is named even on a filled pixel.
    const ElbowDrawing& d = w->Drawing();
    EXPECT_EQ(CylElbowPieceAt(d.DrawingCentreX, d.DrawingCentreY + 5, d.DrawingCentreX, d.DrawingCentreY, 5,
                              State().Inputs.CylElbowData[11]),
              0);

    // Right click: developed, printed, closed; the window as it was, not
    // minimised, enabled.
    Release(w, PointOfPiece(w, 2), Qt::RightButton);
    Wait(10);
    EXPECT_EQ(State().OpenPreview, -1);
    EXPECT_EQ(SheetPreview::Current(), nullptr);
    EXPECT_TRUE(wt::SubWindowOf(w)->isMaximized());
    EXPECT_TRUE(w->isEnabled());
    EXPECT_EQ(State().SelectedPiece, 2);
    EXPECT_EQ(State().DirectPrint, True16);
    EXPECT_EQ(PrintedPieceTitles(printer), Titles({2}));
    EXPECT_FLOAT_EQ(State().LastCylinderInputs.Diameter, 25);

    // Left click straight after: the preview shows, the window waits
    // minimised and disabled.
    Release(w, PointOfPiece(w, 4), Qt::LeftButton);
    Wait(10);
    ASSERT_NE(SheetPreview::Current(), nullptr);
    EXPECT_EQ(S(SheetPreview::Current()->objectName()), "FrmAnteprimaCilindri");
    EXPECT_EQ(State().SelectedPiece, 4);
    EXPECT_FALSE(w->isEnabled());
    EXPECT_TRUE(wt::SubWindowOf(w)->isMinimized());
    EXPECT_EQ(printer.documents.size(), 1u);
    Click(SheetPreview::Current()->CmdIndietro);
    Wait(10);
    EXPECT_TRUE(w->isEnabled());
}

TEST_F(CylElbowWindowTest, ClicksThatDevelopNothing) {
    CylElbowWindow* w = Open();
    ASSERT_NE(w, nullptr);
    // The background, and a middle click (which tests the corner pixel).
    Release(w, {3, 3}, Qt::LeftButton);
    Release(w, PointOfPiece(w, 3), Qt::MiddleButton);
    EXPECT_EQ(w->ClickX, 0);
    EXPECT_EQ(State().SelectedPiece, 0);
    // After the boxes were edited to inputs the apply refuses: its message, no development.
    Type(w->TxtInputDati[0], "0");
    dialogs.ExpectMessage(IdOk);
    Release(w, PointOfPiece(w, 3), Qt::LeftButton);
    Wait(10);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].prompt, Txt(LangErrore, 2));
    EXPECT_EQ(SheetPreview::Current(), nullptr);
    EXPECT_EQ(State().SelectedPiece, 0);
    EXPECT_EQ(State().DevelopmentValid, False16);
    EXPECT_FALSE(w->CmdStampa->isEnabled());
    EXPECT_FALSE(Mdi()->FileItem(FileMenuItem::SaveDxf)->isEnabled());
    EXPECT_EQ(CountColour(w->PctDisegno->canvas(), State().CylinderPieceFill), 0);
    EXPECT_EQ(w->TxtInputDati[0]->Text(), "0") << "the box keeps what was typed";
    // No printer: text 32 for a preview, nothing applied.
    Type(w->TxtInputDati[0], "0.3");
    Click(w->CmdApplica);
    printer.available = false;
    dialogs.ExpectMessage(IdOk);
    Release(w, PointOfPiece(w, 3), Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].prompt, Txt(LangErrore, 32) + ".");
    EXPECT_EQ(State().SelectedPiece, 0);
    // A piece that cannot be developed: its message, by its number; nothing opens.
    printer.available = true;
    State().Settings.AngleStep = 0;  // a step no table holds
    dialogs.ExpectMessage(IdOk);
    Release(w, PointOfPiece(w, 3), Qt::LeftButton);
    State().Settings.AngleStep = 1;
    EXPECT_EQ(dialogs.messages.back().prompt, "CYLINDER PIECE #3: " + Txt(LangErrore, ErrConeElbowPiece));
    EXPECT_EQ(SheetPreview::Current(), nullptr);
    // A step that does not divide the half turn (a hand-edited settings
    // file): the click's apply refuses it with the step's own text.
    State().Settings.AngleStep = 1.7946f;
    dialogs.ExpectMessage(IdOk);
    Release(w, PointOfPiece(w, 3), Qt::LeftButton);
    State().Settings.AngleStep = 1;
    EXPECT_EQ(dialogs.messages.back().prompt, Txt(LangErrore, ErrAngleStep));
    EXPECT_EQ(SheetPreview::Current(), nullptr);
    EXPECT_FALSE(Mdi()->FileItem(FileMenuItem::SaveDxf)->isEnabled()) << "no drawing to export";
}

TEST_F(CylElbowWindowTest, RangePrints) {
    const struct {
        const char* name;
        RangeAnswer answer;
        int from, to;
        std::vector<std::string> titles;
    } cases[] = {
        {"all", RangeAnswer::All, 0, 0, Titles({1, 2, 3, 4, 5})},
        {"reversed", RangeAnswer::Range, 4, 2, Titles({2, 3, 4})},
        {"out of range", RangeAnswer::Range, 0, 9, Titles({1, 2, 3, 4, 5})},
        {"one", RangeAnswer::Range, 5, 5, Titles({5})},
        {"cancel", RangeAnswer::Cancel, 0, 0, {}},
    };
    CylElbowWindow* w = Open();
    ASSERT_NE(w, nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PrepareRangePrint(printer, dialogs, w, c.answer, c.from, c.to);
        bool disabledThroughout = true;
        dialogs.afterPrint = [&] {
            // Seen at every pause of the loop.
            QTimer* t = new QTimer(w);
            QObject::connect(t, &QTimer::timeout, [&, w] { disabledThroughout &= !w->isEnabled(); });
            t->start(0);
        };
        Click(w->CmdStampa);
        dialogs.afterPrint = nullptr;
        for (QTimer* t : w->findChildren<QTimer*>()) delete t;
        ASSERT_EQ(dialogs.prints.size(), 1u);
        EXPECT_EQ(dialogs.prints[0].minPage, 1);
        EXPECT_EQ(dialogs.prints[0].maxPage, 5);
        EXPECT_EQ(PrintedPieceTitles(printer), c.titles);
        EXPECT_TRUE(disabledThroughout);
        EXPECT_TRUE(w->isEnabled());
        EXPECT_EQ(State().OpenPreview, -1);
        if (!c.titles.empty()) {
            EXPECT_EQ("CYLINDER PIECE #" + std::to_string(State().SelectedPiece), c.titles.back());
        }
        EXPECT_EQ(State().DirectPrint, True16) << "stays set after the command";
        ExpectBackAfterPrint(w, PointOfPiece(w, 3));
    }
}

// A range whose sheets the page cuts off asks once: Yes prints every
// piece, No ends the range. With nothing ticked it says so once, before the
// print dialog, and where the boxes are; so does a right click on a piece. A range
// a refusal cuts short names the pieces printed and those not.
TEST_F(CylElbowWindowTest, ARangePrintAsksOnce) {
    CylElbowWindow* w = Open();
    ASSERT_NE(w, nullptr);
    const struct {
        bool nothingTicked;
        int answer;
        std::vector<std::string> titles;
    } cases[] = {{false, IdYes, Titles({1, 2, 3, 4, 5})}, {false, IdNo, {}}, {true, IdOk, {}}};
    printer.SetPage(40, 287);  // every piece cut off
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        State().Settings.CheckSviluppo = c.nothingTicked ? 0 : 1;
        dialogs.Reset();
        PrepareRangePrint(printer, dialogs, w, RangeAnswer::All);
        if (c.nothingTicked) dialogs.Reset();  // said before the print dialog: none to answer
        dialogs.ExpectMessage(c.answer);
        Click(w->CmdStampa);
        EXPECT_EQ(PrintedPieceTitles(printer), c.titles);
        ASSERT_EQ(dialogs.messages.size(), 1u) << "asked once a range";
        EXPECT_EQ(dialogs.messages[0].prompt.rfind(Txt(LangMsgbox, c.nothingTicked ? 26 : 16), 0), 0u);
        EXPECT_TRUE(w->isEnabled());
    }
    dialogs.ExpectMessage(IdOk);
    Release(w, PointOfPiece(w, 2), Qt::RightButton);
    Wait(10);
    EXPECT_EQ(dialogs.messages.back().prompt, Txt(LangMsgbox, 26));
    EXPECT_TRUE(printer.documents.empty());
    State().Settings.CheckSviluppo = 1;
    printer.SetPage(200, 287);
    // Cut short by a refusal: the pages asked, the documents out before it, the fault, what is said.
    printer.failureText = "Workshop: not accepting jobs";
    const struct { std::vector<int> pages; std::size_t before; PrintFault fault; std::string message; } cut[] = {
        {{1, 2, 3, 4}, 1, PrintFault::NoService, Txt(LangCommon, 32) + "\n\nPiece 1 was printed. Pieces 2 to 4 were not printed."},
        {{1, 3, 4, 5}, 2, PrintFault::Other, printer.failureText + "\n\nPieces 1 and 3 were printed. Pieces 4 and 5 were not printed."}};
    for (const auto& c : cut) {
        SCOPED_TRACE(c.message);
        printer.documents.clear(), printer.failStart = false, printer.fault = c.fault;
        printer.beforeEnd = [&] { printer.failStart = printer.documents.size() == c.before; };
        dialogs.Reset();
        dialogs.ExpectPrintPages(c.pages, 1);
        dialogs.ExpectMessage(IdOk);
        Click(w->CmdStampa);
        EXPECT_EQ(printer.documents.size(), c.before);
        ASSERT_EQ(dialogs.messages.size(), 1u) << "said once, by the range";
        EXPECT_TRUE(dialogs.messages[0].prompt == c.message && dialogs.messages[0].style == MbCritical) << dialogs.messages[0].prompt;
    }
    printer.beforeEnd = nullptr;
}

TEST_F(CylElbowWindowTest, RangePrintRefusedOrWithoutPrinterOpensNoDialog) {
    CylElbowWindow* w = Open();
    ASSERT_NE(w, nullptr);
    Type(w->TxtInputDati[1], "0");
    dialogs.ExpectMessage(IdOk);
    Click(w->CmdStampa);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].prompt, Txt(LangErrore, 14));
    EXPECT_TRUE(dialogs.prints.empty());
    Type(w->TxtInputDati[1], "25");
    Click(w->CmdApplica);
    printer.available = false;
    dialogs.ExpectMessage(IdOk);
    Click(w->CmdStampa);
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].prompt, Txt(LangErrore, 34) + ".");
    // A silent print service is said so as the preview's Print says it; no file instead.
    printer.available = true;
    printer.serviceAnswers = false;
    dialogs.ExpectMessage(IdOk);
    Click(w->CmdStampa);
    ASSERT_EQ(dialogs.messages.size(), 3u);
    EXPECT_EQ(dialogs.messages[2].prompt, Txt(LangCommon, 26));
    EXPECT_TRUE(dialogs.prints.empty());
    EXPECT_TRUE(printer.documents.empty());
    // A queue that refuses the first piece is reported once, not once a piece.
    printer.serviceAnswers = true;
    printer.failStart = true;
    printer.failureText = "Workshop_PDF: not accepting jobs";
    PrepareRangePrint(printer, dialogs, w, RangeAnswer::All);
    dialogs.ExpectMessage(IdOk);
    Click(w->CmdStampa);
    ASSERT_EQ(dialogs.messages.size(), 4u);
    EXPECT_EQ(dialogs.messages[3].prompt, printer.failureText);
}

TEST_F(CylElbowWindowTest, RangePrintToPdfNamesItsFileOnceAndCloseWaitsForTheLoop) {
    CylElbowWindow* w = Open();
    ASSERT_NE(w, nullptr);
    printer.printsToFile = true;
    // The save dialog speaks the language file's words.
    Language().Sections[LangCommon][20] = "Stampa su file";
    Language().Sections[LangCommon][21] = "File PDF";
    dialogs.ExpectPrintRange(2, 4);
    const std::string pdf = ProgramFolder() + "/Elbow.pdf";
    dialogs.ExpectSave(pdf);
    dialogs.afterPrint = [w] { QTimer::singleShot(0, [w] { wt::SubWindowOf(w)->close(); }); };
    Click(w->CmdStampa);
    ASSERT_EQ(dialogs.saves.size(), 1u);
    EXPECT_EQ(dialogs.saves[0].title, "Stampa su file");
    EXPECT_EQ(dialogs.saves[0].filter, "File PDF (*.pdf)|*.pdf");
    ASSERT_EQ(printer.documents.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(printer.documents[static_cast<std::size_t>(i)].fileName,
                  LabelledFileName(pdf, "-piece" + std::to_string(i + 2)));
    EXPECT_EQ(PrintedPieceTitles(printer), Titles({2, 3, 4}));
    Wait(10);
    EXPECT_EQ(MdiArea()->findChild<CylElbowWindow*>("FrmCuCilindri"), nullptr) << "closed once the loop ended";
    EXPECT_TRUE(StartPanel()->isEnabled());
}

// Every way out of the program asked during a range print, from inside a
// piece's print or between two pieces: the question at once, and on Yes the
// program ends once that piece is printed whole; no later piece is printed.
TEST_F(CylElbowWindowTest, ExitDuringARangePrintEndsAfterThePiece) {
    const struct {
        const char* name;
        std::function<void()> exit;
        bool inside;  // asked inside piece 2's print, else after piece 1
    } cases[] = {
        {"File > Exit", [] { Mdi()->FileItemClick(FileMenuItem::Exit); }, true},
        {"toolbar", [] { Mdi()->ToolBarClick(7); }, true},
        {"start panel", [] { StartPanel()->close(); }, true},
        {"main window", [] { Mdi()->close(); }, true},
        {"File > Exit between pieces", [] { Mdi()->FileItemClick(FileMenuItem::Exit); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // A fresh program each time: the recorded exit left the last one ending.
        CloseAllWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        printer.documents.clear();
        dialogs.Reset();
        CylElbowWindow* w = Open();
        ASSERT_NE(w, nullptr);
        printer.printsToFile = true;
        const std::string pdf = ProgramFolder() + "/Range.pdf";
        dialogs.ExpectPrintAll();
        dialogs.ExpectSave(pdf);
        dialogs.ExpectMessage(IdYes);
        int exits = 0;
        bool printingAtExit = true, endedAtExit = false;
        SetExitHook([&](int) {
            ++exits;
            printingAtExit = w->PrintingRange();
            endedAtExit = !printer.documents.empty() && printer.documents.back().ended;
        });
        if (c.inside) {
            printer.beforeEnd = [&] {
                if (printer.documents.size() == 2) c.exit();
            };
        } else {
            dialogs.afterPrint = [&] { QTimer::singleShot(0, c.exit); };
        }
        Click(w->CmdStampa);
        printer.beforeEnd = nullptr;
        dialogs.afterPrint = nullptr;
        EXPECT_EQ(dialogs.messages.size(), 1u) << "asked once";
        EXPECT_EQ(exits, 1);
        EXPECT_FALSE(printingAtExit);
        EXPECT_TRUE(endedAtExit) << "the last document was ended before the exit";
        EXPECT_EQ(PrintedPieceTitles(printer), c.inside ? Titles({1, 2}) : Titles({1}));
        EXPECT_EQ(printer.documents.back().fileName, LabelledFileName(pdf, c.inside ? "-piece2" : "-piece1"));
    }
}

// While a range prints, from its print dialog to its last piece, no data
// file opens and no printer set-up is offered: their commands are off and
// the opener and the set-up ask nothing, so a later save writes the elbow
// job and the range's set-up is the one put back.
TEST_F(CylElbowWindowTest, NoDataFileOpensNorPrinterSetUpWhileARangePrints) {
    CylElbowWindow* w = Open();
    ASSERT_NE(w, nullptr);
    TempFolder folder;
    DataFileRecord other;  // a cylinder job, its elbow block 40 wide
    other.ShapeCode = ShapeCiRe;
    other.Inputs.CylElbowData[2] = 40;
    std::string otherJob = folder.File("other.qvl");
    folder.Write("other.qvl", WriteDataFileText(other));
    const std::string elbowText = WriteDataFileText(DataFileRecordOf(State()));
    int tries = 0;
    const auto tryOpen = [&] {
        ++tries;
        EXPECT_FALSE(Mdi()->FileItem(FileMenuItem::Open)->isEnabled() || Mdi()->ToolButton(0)->isEnabled() ||
                     Mdi()->FileItem(RecentFileItem(1))->isEnabled());
        EXPECT_FALSE(OpenDataFile(otherJob));
        EXPECT_FALSE(Mdi()->FileItem(FileMenuItem::PrinterSetup)->isEnabled() || Mdi()->ToolButton(2)->isEnabled());
        DispatchFileCommand(FileMenuItem::PrinterSetup);  // no dialog is answered: none may show
        Mdi()->FileItemClick(FileMenuItem::PrinterSetup);
    };
    PrepareRangePrint(printer, dialogs, w, RangeAnswer::All);
    dialogs.afterPrint = [&] {  // in the print dialog, then between two pieces
        tryOpen();
        QTimer::singleShot(0, tryOpen);
    };
    Click(w->CmdStampa);
    dialogs.afterPrint = nullptr;
    Wait(10);
    EXPECT_EQ(tries, 2);
    EXPECT_EQ(PrintedPieceTitles(printer), Titles({1, 2, 3, 4, 5}));
    EXPECT_TRUE(Mdi()->FileItem(FileMenuItem::PrinterSetup)->isEnabled() && Mdi()->ToolButton(2)->isEnabled());
    dialogs.ExpectSave(folder.File("saved.qvl"));
    DispatchFileCommand(FileMenuItem::SaveAs);
    EXPECT_EQ(folder.Read("saved.qvl"), elbowText);
    EXPECT_TRUE(OpenDataFile(otherJob));
    EXPECT_EQ(State().ShapeCode, ShapeCiRe);
}

// A PDF file already named in the print dialog is used as it is: no second question.
TEST_F(CylElbowWindowTest, RangePrintToAFileNamedInThePrintDialogAsksNothingMore) {
    CylElbowWindow* w = Open();
    ASSERT_NE(w, nullptr);
    printer.printsToFile = true;
    const std::string pdf = ProgramFolder() + "/Chosen.pdf";
    dialogs.ExpectPrintRange(1, 2, pdf);
    Click(w->CmdStampa);
    EXPECT_TRUE(dialogs.saves.empty());
    ASSERT_EQ(printer.documents.size(), 2u);
    EXPECT_EQ(printer.documents[1].fileName, LabelledFileName(pdf, "-piece2"));
}

// A page list with copies prints exactly those pieces, on paper each as often
// as asked; what the dialog changed holds for the range only. PDF files are
// named by piece in the folder dialogs start from; files that exist are asked
// about once.
TEST_F(CylElbowWindowTest, RangePrintOfAPageListToPaperOrPieceFiles) {
    const struct {
        const char* name;
        bool toFile, pieceFourExists;
        int answer;  // to the question about existing files, 0 when none is asked
        std::vector<int> printed;
    } cases[] = {
        {"paper", false, false, 0, {2, 2, 4, 4}},
        {"files", true, false, 0, {2, 4}},
        {"files, one kept", true, true, IdNo, {}},
        {"files, one replaced", true, true, IdYes, {2, 4}},
    };
    CylElbowWindow* w = Open();
    ASSERT_NE(w, nullptr);
    TempFolder folder;
    State().CurrentFileName = folder.File("job.qvl");
    const std::string pdf = folder.File("List.pdf");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        printer.documents.clear();
        dialogs.Reset();
        wt::SubWindowOf(w)->showMaximized();  // the last piece's preview minimised it
        Wait(10);
        printer.printsToFile = c.toFile;
        if (c.pieceFourExists) folder.Write("List-piece4.pdf", "");
        dialogs.ExpectPrintPages({2, 4}, 2);
        dialogs.afterPrint = [this] { printer.SetPage(287, 200, PageLandscape); };  // the dialog turned the paper
        if (c.toFile) dialogs.ExpectSave(pdf);
        if (c.answer != 0) dialogs.ExpectMessage(c.answer);
        Click(w->CmdStampa);
        std::vector<std::string> expected, printed = PrintedPieceTitles(printer);
        for (std::size_t i = 0; i < printed.size(); ++i) printed[i] += "|" + printer.documents[i].fileName;
        for (int p : c.printed)
            expected.push_back(Titles({p})[0] + "|" + (c.toFile ? LabelledFileName(pdf, "-piece" + std::to_string(p)) : ""));
        EXPECT_EQ(printed, expected);
        EXPECT_EQ(printer.Orientation(), PagePortrait);
        EXPECT_EQ(dialogs.prints.at(0).fileName, c.toFile ? folder.File("VELM.pdf") : "");
        if (c.toFile) {
            EXPECT_EQ(dialogs.saves.at(0).initialDirectory, folder.Path());
        }
        ASSERT_EQ(dialogs.messages.size(), c.answer != 0 ? 1u : 0u);
        if (c.answer != 0) {
            EXPECT_EQ(dialogs.messages[0].prompt.rfind("List-piece4.pdf\n\n", 0), 0u);
        }
    }
    dialogs.afterPrint = nullptr;
}

TEST_F(CylElbowWindowTest, SaveAppliesEditedBoxesFirstAndTheFileReopens) {
    CylElbowWindow* w = Open();
    ASSERT_NE(w, nullptr);
    Type(w->TxtInputDati[7], "7");
    const std::string path = ProgramFolder() + "/Elbow.qvl";
    dialogs.ExpectSave(path);
    DispatchFileCommand(FileMenuItem::SaveAs);
    EXPECT_FLOAT_EQ(State().Inputs.CylElbowData[8], 7);
    EXPECT_EQ(State().Elbow.PieceCount, 7);
    // A refused edit saves nothing.
    Type(w->TxtInputDati[0], "0");
    dialogs.ExpectMessage(IdOk);
    DispatchFileCommand(FileMenuItem::Save);
    EXPECT_EQ(dialogs.saves.size(), 1u);
    w = CloseAndReopen(w, dialogs, path, [] { State().Inputs.CylElbowData[8] = 3; });
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->TxtInputDati[7]->Text(), "7");
    EXPECT_EQ(w->TxtInputDati[0]->Text(), "0.3");

    // The whole elbow as DXF: one polyline outline per piece.
    const std::string dxf = ProgramFolder() + "/Elbow.dxf";
    dialogs.ExpectSave(dxf);
    DispatchFileCommand(FileMenuItem::SaveDxf);
    std::ifstream in(dxf);
    std::stringstream text;
    text << in.rdbuf();
    ASSERT_FALSE(text.str().empty());
    int polylines = 0;
    for (std::size_t at = text.str().find("POLYLINE"); at != std::string::npos;
         at = text.str().find("POLYLINE", at + 1))
        ++polylines;
    EXPECT_GE(polylines, 7);
}

}  // namespace
}  // namespace velm

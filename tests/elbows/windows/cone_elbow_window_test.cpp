// The three conical elbow windows driven as a user drives them: opened from
// the Shapes menu, applied and drawn on the first showing, pieces named under
// the pointer and previewed by a click; the end-piece option of the first and
// the end-connection panel of the third.
#include "elbows/windows/cone_elbow_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <QTest>

#include "core/number_text.h"
#include "elbows/windows/elbow_window_test_steps.h"
#include "frame/windows/file_commands.h"
#include "frame/windows/shape_opener.h"
#include "frame/windows/window_test_actions.h"
#include "output/windows/sheet_preview.h"
#include "platform/qt/qt_text.h"

namespace velm {
namespace {

using namespace wt;

class ConeElbowWindowTest : public AppFixture {
protected:
    ConeElbowWindow* Open(int code) {
        printer.SetPage(200, 287);
        if (!Mdi()) {
            EXPECT_TRUE(Start());
        }
        Mdi()->resize(1280, 800);
        Mdi()->FormeSub3Item(code - ShapeCuCilindri)->trigger();
        Wait(20);
        auto* w = qobject_cast<ConeElbowWindow*>(LoadedShapeWindow(code));
        EXPECT_NE(w, nullptr);
        if (w) {
            w->parentWidget()->showMaximized();
            Wait(20);
        }
        return w;
    }
    // A filled point of `piece` away from its edges (the middle one of its
    // filled pixels in scan order), or (-1, -1).
    static QPoint PointOf(ConeElbowWindow* w, int piece) {
        const ImageCanvas& c = w->PctDisegno->canvas();
        std::vector<QPoint> found;
        for (int y = 0; y < c.PixelHeight(); ++y)
            for (int x = 0; x < c.PixelWidth(); ++x) {
                if (c.Point(x, y) != State().ConePieceFill) continue;
                if (w->HitTestPiece(static_cast<float>(x), static_cast<float>(y)) == piece) found.emplace_back(x, y);
            }
        return found.empty() ? QPoint(-1, -1) : found[found.size() / 2];
    }
    static std::string HintOf(int piece, int frmAntepText) {
        return UpperCase(Txt(LangFrmAntep, frmAntepText)) + std::to_string(piece) + ": " + Txt(LangHelp, 31);
    }
    // A left click on the piece: its preview, or null.
    static SheetPreview* Preview(ConeElbowWindow* w, QPoint at) {
        Mouse(w->PctDisegno, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        Mouse(w->PctDisegno, QEvent::MouseButtonRelease, at, Qt::LeftButton);
        Wait(20);
        return SheetPreview::Current();
    }
    static void ClosePreview(ConeElbowWindow* w, SheetPreview* p) {
        MoveOver(p->CmdIndietro);
        Click(p->CmdIndietro);
        EXPECT_EQ(Status(), "");  // the preview's hint went with it
        Wait(20);
        wt::SubWindowOf(w)->showMaximized();
        Wait(20);
    }
};

// Every window opens applied and drawn; each kind of piece names itself and
// previews on its own sheet.
TEST_F(ConeElbowWindowTest, OpensDrawsNamesAndPreviewsPieces) {
    struct Case {
        int code;
        int boxes;
        std::vector<std::pair<int, bool>> pieces;  // piece, previewed as a cylinder
    };
    // Default data: FrmCuConica1 with conical ends, FrmCuConica3 with a
    // cylindrical start connection and a conical end one (7 pieces).
    // (FrmCuConica3 first: every apply of FrmCuConica1 rewrites both kinds.)
    for (const Case& c : {Case{ShapeCuConica3, 5, {{1, true}, {2, false}, {7, false}}},
                          Case{ShapeCuConica1, 9, {{1, false}, {3, false}, {5, false}}},
                          Case{ShapeCuConica2, 9, {{1, false}, {5, false}}}}) {
        SCOPED_TRACE(c.code);
        ConeElbowWindow* w = Open(c.code);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(wt::S(w->objectName()), ConeElbowVariantOf(c.code)->Name);
        // The caption names the variant, as the start panel does under its picture.
        EXPECT_TRUE(w->windowTitle().endsWith(Q(Txt(LangFrmIniziale, 8 + 2 * (c.code - ShapeCuCilindri)))));
        EXPECT_EQ(static_cast<int>(w->TxtInputDati.size()), c.boxes);
        EXPECT_TRUE(w->LastApplyAccepted());
        EXPECT_EQ(State().DevelopmentValid, True16);
        EXPECT_TRUE(w->CmdStampa->isEnabled());
        const std::string result = wt::S(w->LblInputDati[static_cast<std::size_t>(c.boxes)]->text());
        EXPECT_EQ(result.rfind(Txt(LangCommonFrmCurvaConica, 11) + ": ", 0), 0u) << result;
        EXPECT_NE(result.find("\xC2\xB0"), std::string::npos) << "the apex angle is shown: " << result;
        EXPECT_GT(CountColour(w->PctDisegno->canvas(), State().ConePieceFill), 500);
        for (auto [piece, cylinder] : c.pieces) {
            SCOPED_TRACE(piece);
            const QPoint at = PointOf(w, piece);
            ASSERT_GE(at.x(), 0) << "piece not drawn";
            MoveOver(w->PctDisegno, at);
            EXPECT_EQ(Status(), HintOf(piece, cylinder ? 41 : 40));
            SheetPreview* p = Preview(w, at);
            ASSERT_NE(p, nullptr);
            EXPECT_EQ(wt::S(p->objectName()), cylinder ? "FrmAnteprimaCilindri" : "FrmAnteprima");
            EXPECT_EQ(State().SelectedPiece, piece);
            EXPECT_FALSE(w->isEnabled());
            EXPECT_TRUE(wt::SubWindowOf(w)->isMinimized());
            ClosePreview(w, p);
        }
        Click(w->CmdIndietro);
        Wait(20);
    }
}

// FrmCuConica1's option writes CylindricalEnds and both kinds and applies at
// once: the end pieces become cylinders in the hint and the preview.
TEST_F(ConeElbowWindowTest, EndPieceOptionWritesBothKindsAndReapplies) {
    ConeElbowWindow* w = Open(ShapeCuConica1);
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->OptRaccordi.size(), 2u);
    const std::uint64_t before = State().Elbow.Generation;
    w->OptRaccordi[1]->click();
    EXPECT_GT(State().Elbow.Generation, before) << "the option re-applies";
    EXPECT_EQ(State().Inputs.CylindricalEnds, "S");
    EXPECT_EQ(State().Inputs.EndConnections[1], 1.0f);
    EXPECT_EQ(State().Inputs.EndConnections[6], 1.0f);
    for (auto [piece, cylinder] : {std::pair{1, true}, std::pair{2, false}, std::pair{5, true}}) {
        const QPoint at = PointOf(w, piece);
        ASSERT_GE(at.x(), 0);
        MoveOver(w->PctDisegno, at);
        EXPECT_EQ(Status(), HintOf(piece, cylinder ? 41 : 40));
    }
    SheetPreview* p = Preview(w, PointOf(w, 5));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(wt::S(p->objectName()), "FrmAnteprimaCilindri");
    ClosePreview(w, p);

    w->OptRaccordi[0]->click();
    EXPECT_EQ(State().Inputs.CylindricalEnds, "N");
    EXPECT_EQ(State().Inputs.EndConnections[1], 0.0f);
    EXPECT_EQ(State().Inputs.EndConnections[6], 0.0f);
}

// The end-connection panel: opened over the input frame, the drawing deaf
// meanwhile, the other record's button discards what was typed, Enter and Esc
// confirm, the hidden fourth value is stored, a refused record leaves nothing
// valid and a resize only lays out.
TEST_F(ConeElbowWindowTest, EndConnectionPanel) {
    ConeElbowWindow* w = Open(ShapeCuConica3);
    ASSERT_NE(w, nullptr);
    WorkingState& st = State();
    const QPoint piece2 = PointOf(w, 2);
    ASSERT_GE(piece2.x(), 0);
    EXPECT_FALSE(w->PanelOpen());

    Click(w->CmdRaccordi[0]);
    EXPECT_TRUE(w->PanelOpen());
    EXPECT_FALSE(w->FraInput->isVisible());
    EXPECT_EQ(w->FraPanel->pos(), QPoint(Px(135), Px(990)));
    EXPECT_FALSE(w->CmdApplica->isEnabled());
    EXPECT_FALSE(w->CmdStampa->isEnabled());
    EXPECT_FALSE(w->CmdRaccordi[0]->isEnabled());
    EXPECT_TRUE(w->CmdRaccordi[1]->isEnabled());
    EXPECT_TRUE(w->OptRaccordo[1]->isChecked()) << "the default start connection is cylindrical";
    EXPECT_FALSE(w->TxtRaccordi[3]->isVisible());
    EXPECT_EQ(w->TxtRaccordi[0]->Text(), FormatLength(st.Inputs.EndConnections[2], 0));
    EXPECT_EQ(wt::S(w->FraPanel->title()), Txt(LangCommonFrmCurvaConica, 15));

    // The drawing ignores the pointer and clicks while the panel is open.
    SetStatusText("x");
    MoveOver(w->PctDisegno, piece2);
    EXPECT_EQ(Status(), "");
    EXPECT_EQ(Preview(w, piece2), nullptr);
    SetStatusText("x");
    MoveOver(w->FraPanel);
    EXPECT_EQ(Status(), "");

    // Typed but not confirmed: the other record's button discards it.
    const std::string stored = w->TxtRaccordi[0]->Text();
    Type(w->TxtRaccordi[0], "99");
    Click(w->CmdRaccordi[1]);
    EXPECT_EQ(wt::S(w->FraPanel->title()), Txt(LangCommonFrmCurvaConica, 16));
    EXPECT_TRUE(w->OptRaccordo[0]->isChecked());
    Click(w->CmdRaccordi[0]);
    EXPECT_EQ(w->TxtRaccordi[0]->Text(), stored);

    // A resize while open lays out only: nothing is applied.
    const std::uint64_t generation = st.Elbow.Generation;
    wt::SubWindowOf(w)->showNormal();
    wt::SubWindowOf(w)->resize(1000, 700);
    Wait(20);
    EXPECT_EQ(st.Elbow.Generation, generation);
    EXPECT_TRUE(w->PanelOpen());
    EXPECT_FALSE(w->CmdApplica->isEnabled());
    EXPECT_FALSE(w->CmdStampa->isEnabled());

    // A refused record: its message, nothing valid, the panel stays open.
    Type(w->TxtRaccordi[0], "0");
    dialogs.ExpectMessage(IdOk);
    Click(w->CmdARI);
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(st.DevelopmentValid, False16);
    EXPECT_EQ(CountColour(w->PctDisegno->canvas(), st.ConePieceFill), 0);
    EXPECT_TRUE(w->PanelOpen());

    // Conical now, confirmed by Enter: the fourth value is stored too.
    w->OptRaccordo[0]->click();
    EXPECT_TRUE(w->TxtRaccordi[3]->isVisible());
    Type(w->TxtRaccordi[0], "20");
    Type(w->TxtRaccordi[3], "24");
    QTest::keyClick(w->TxtRaccordi[3], Qt::Key_Return);
    Wait(20);
    EXPECT_FALSE(w->PanelOpen());
    EXPECT_EQ(st.Inputs.EndConnections[1], 0.0f);
    EXPECT_EQ(st.Inputs.EndConnections[5], 24.0f);
    EXPECT_TRUE(w->LastApplyAccepted());
    EXPECT_EQ(st.DevelopmentValid, True16);
    EXPECT_TRUE(w->CmdStampa->isEnabled());

    // Esc confirms as well: the cylindrical option keeps the hidden value.
    Click(w->CmdRaccordi[1]);
    w->OptRaccordo[1]->click();
    EXPECT_FALSE(w->TxtRaccordi[3]->isVisible());
    QTest::keyClick(w->TxtRaccordi[0], Qt::Key_Escape);
    Wait(20);
    EXPECT_FALSE(w->PanelOpen());
    EXPECT_EQ(st.Inputs.EndConnections[6], 1.0f);
    EXPECT_EQ(st.Inputs.EndConnections[10], 30.0f);

    // Confirmed: Enter applies and Esc goes back, taking the window's hints along.
    const std::uint64_t confirmed = st.Elbow.Generation;
    QTest::keyClick(w->TxtInputDati[0], Qt::Key_Return);
    EXPECT_GT(st.Elbow.Generation, confirmed);
    SetStatusText("x");
    QTest::keyClick(w->TxtInputDati[0], Qt::Key_Escape);
    EXPECT_TRUE(w->Unloaded() && Status().empty());
    Wait(20);
}

// In inches the panel shows the records in inches, and the unit label stays
// in view for the input frame and the panel alike: in the shown frame's
// title row, after its title, clear of every control.
TEST_F(ConeElbowWindowTest, EndConnectionPanelInInches) {
    Seed("System", "MeasuringSystem", "1");
    ConeElbowWindow* w = Open(ShapeCuConica3);
    ASSERT_NE(w, nullptr);
    const auto rectIn = [w](QWidget* c) { return QRect(c->mapTo(w, QPoint(0, 0)), c->size()); };
    const struct {
        int record;  // -1 the input frame
        std::vector<std::string> texts;
    } cases[] = {{-1, {}}, {0, {"0.7874", "10", "1.7717"}}, {1, {"1.063", "10", "1.378", "1.1811"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.record);
        if (c.record >= 0) Click(w->CmdRaccordi[static_cast<std::size_t>(c.record)]);
        QGroupBox* frame = c.record < 0 ? w->FraInput : w->FraPanel;
        ASSERT_TRUE(frame->isVisible());
        for (std::size_t k = 0; k < c.texts.size(); ++k) EXPECT_EQ(w->TxtRaccordi[k]->Text(), c.texts[k]) << k;
        QLabel* unit = w->LblUnMisura;
        EXPECT_TRUE(unit->isVisible());
        EXPECT_EQ(wt::S(unit->text()), Txt(LangCommon, 10));
        const QRect r = rectIn(unit);
        EXPECT_TRUE(rectIn(frame).contains(r));
        EXPECT_GT(r.left(), rectIn(frame).left() + frame->fontMetrics().horizontalAdvance(frame->title()) + 8)
            << "clear of the title";
        EXPECT_GE(r.width(), unit->fontMetrics().horizontalAdvance(unit->text()));
        for (QWidget* child : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->isVisible()) {
                EXPECT_FALSE(r.intersects(rectIn(child))) << wt::S(child->objectName());
            }
        }
        EXPECT_EQ(w->childAt(r.center()), unit) << "nothing drawn over it";
    }
    for (QWidget* over : std::initializer_list<QWidget*>{w->LblRaccordi[2], w->TxtRaccordi[2]}) {
        SetStatusText("");
        MoveOver(over);
        EXPECT_EQ(Status(), Txt(LangFrmCuCon2, 12) + " (0 - 39.3701)");
    }
}


// A piece past the bend centre: the message names the least radius, accepted typed and in the other
// unit either way; where no radius the box takes builds the elbow, it names none.
TEST_F(ConeElbowWindowTest, TooTightABendNamesTheLeastBendRadius) {
    // Typed, named, the unit switched to, the radius box then.
    const struct { const char *radius, *named; int unit; const char* switched; } cases[] = {
        {"95.49", "100.16", 1, "3.9433"}, {"3.9", "3.9432", 0, "100.16"}};
    ConeElbowWindow* w = Open(ShapeCuConica1);
    ASSERT_NE(w, nullptr);
    for (auto [box, text] : {std::pair{1, "10"}, {2, "0"}, {3, "200"}, {4, "0"}, {5, "90"}})
        Type(w->TxtInputDati[static_cast<std::size_t>(box)], text);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.radius);
        Type(w->TxtInputDati[7], c.radius);
        dialogs.ExpectMessage(IdOk);
        Click(w->CmdApplica);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].prompt, Txt(LangErrore, 48) + " " + c.named);
        EXPECT_TRUE(State().DevelopmentValid == False16 && !w->CmdStampa->isEnabled());
        dialogs.messages.clear();
        Type(w->TxtInputDati[7], c.named);
        Click(w->CmdApplica);
        EXPECT_TRUE(w->LastApplyAccepted());
        Click(w->CmdIndietro);
        Wait(20);
        QTimer::singleShot(0, [&c] {  // the unit switched through the Options menu, the window closed
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_TRUE(box && box->objectName() == "FrmUnMis");
            box->findChild<QAbstractButton*>(QString("OptUnMisura(%1)").arg(c.unit))->click();
            box->findChild<QAbstractButton*>("CmdOK")->click();
        });
        Mdi()->OpzioniItem(2)->trigger();
        ASSERT_EQ(State().Settings.MeasuringSystem, c.unit);
        w = Open(ShapeCuConica1);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->TxtInputDati[7]->Text(), c.switched);
        Click(w->CmdApplica);
        EXPECT_TRUE(w->LastApplyAccepted());
    }
    // Cylindrical end pieces cut 48 and 56 degrees: built only past the limit.
    for (auto [box, text] : {std::pair{1, "56"}, {2, "48"}, {3, "146"}, {4, "56"}, {5, "106"}, {7, "54"}, {8, "21"}})
        Type(w->TxtInputDati[static_cast<std::size_t>(box)], text);
    dialogs.ExpectMessage(IdOk);
    w->OptRaccordi[1]->click();  // applies
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].prompt, Txt(LangErrore, 49));
    EXPECT_FALSE(w->LastApplyAccepted());
    Click(w->CmdIndietro);
    Wait(20);
}

// A, L and R follow each other key by key in both layouts of the input
// column (boxes 5 to 7 of nine, 1 to 3 of five); each box keeps its own
// field's filter and hint.
TEST_F(ConeElbowWindowTest, BendBoxesCoupleAndKeepTheirFieldsRules) {
    for (int code : {ShapeCuConica2, ShapeCuConica3}) {
        SCOPED_TRACE(code);
        ConeElbowWindow* w = Open(code);
        ASSERT_NE(w, nullptr);
        const std::size_t a = code == ShapeCuConica3 ? 1 : 5, l = a + 1, r = a + 2, n = a + 3;
        Type(w->TxtInputDati[a], "90");
        Type(w->TxtInputDati[r], "100");
        EXPECT_EQ(w->TxtInputDati[l]->Text(), "157.08");
        Type(w->TxtInputDati[l], "50");
        EXPECT_EQ(w->TxtInputDati[r]->Text(), "31.83");
        // A typed as 4, then 45: R over its maximum is cut to 500 and moves
        // L, which then stays as the 5 recomputes R.
        Type(w->TxtInputDati[l], "100");
        Type(w->TxtInputDati[a], "45");
        EXPECT_EQ(w->TxtInputDati[l]->Text(), "34.91");
        EXPECT_EQ(w->TxtInputDati[r]->Text(), "44.45");
        // The count takes whole numbers only; the thickness its own limit.
        Type(w->TxtInputDati[n], "5.");
        EXPECT_EQ(w->TxtInputDati[n]->Text(), "5");
        MoveOver(w->LblInputDati[a]);
        EXPECT_EQ(Status(), Txt(LangFrmCuCon2, 7) + " (10\xC2\xB0 - 180\xC2\xB0)");
        EXPECT_TRUE(w->TxtInputDati[a]->hasFocus());
        MoveOver(w->LblInputDati[0]);
        EXPECT_EQ(Status().rfind(Txt(LangFrmCuCon2, 2) + " (", 0), 0u) << Status();
        Click(w->CmdIndietro);
        Wait(20);
    }
}


// Saving with the panel open: the changed box is applied first, the records
// are saved as stored (not as typed in the panel), and the file reopens the
// window with what was saved.
TEST_F(ConeElbowWindowTest, SaveWithThePanelOpenKeepsTheStoredRecords) {
    ConeElbowWindow* w = Open(ShapeCuConica3);
    ASSERT_NE(w, nullptr);
    WorkingState& st = State();
    const float storedDiameter = st.Inputs.EndConnections[2];
    Type(w->TxtInputDati[0], "0.5");
    Click(w->CmdRaccordi[0]);
    Type(w->TxtRaccordi[0], "77");
    const std::string path = ProgramFolder() + "/Elbow.qvl";
    dialogs.ExpectSave(path);
    DispatchFileCommand(FileMenuItem::SaveAs);
    EXPECT_TRUE(w->PanelOpen()) << "saving leaves the panel as it was";
    EXPECT_FALSE(w->CmdStampa->isEnabled());
    EXPECT_EQ(st.Inputs.EndConnections[2], storedDiameter);
    EXPECT_EQ(st.Inputs.ConeElbowData[1], 0.5f);

    auto* reopened = CloseAndReopen(w, dialogs, path, [&st] {
        st.Inputs.ConeElbowData[1] = 1;
        st.Inputs.EndConnections[2] = 1;
    });
    ASSERT_NE(reopened, nullptr);
    EXPECT_FALSE(reopened->PanelOpen());
    EXPECT_EQ(reopened->TxtInputDati[0]->Text(), "0.5");
    EXPECT_EQ(st.Inputs.EndConnections[2], storedDiameter);
}

// FrmCuConica1 and FrmCuConica2: boxes edited but not applied are applied by
// the save and come back with the file, and so does FrmCuConica1's end-piece
// choice (CylindricalEnds and both kinds).
TEST_F(ConeElbowWindowTest, SavedBoxesAndEndPieceChoiceReopen) {
    for (int code : {ShapeCuConica1, ShapeCuConica2}) {
        SCOPED_TRACE(code);
        ConeElbowWindow* w = Open(code);
        ASSERT_NE(w, nullptr);
        WorkingState& st = State();
        const bool option = code == ShapeCuConica1;
        if (option) w->OptRaccordi[1]->click();
        Type(w->TxtInputDati[0], "0.5");
        Type(w->TxtInputDati[8], "6");
        const std::string path = ProgramFolder() + "/Elbow" + std::to_string(code) + ".qvl";
        dialogs.ExpectSave(path);
        DispatchFileCommand(FileMenuItem::SaveAs);
        EXPECT_EQ(st.Inputs.ConeElbowData[9], 6.0f) << "applied before the save";
        EXPECT_EQ(st.Elbow.PieceCount, 6);

        w = CloseAndReopen(w, dialogs, path, [&st] {
            st.Inputs.ConeElbowData[1] = 1;
            st.Inputs.ConeElbowData[9] = 3;
            SetCylindricalEnds(st.Inputs, false);
        });
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->TxtInputDati[0]->Text(), "0.5");
        EXPECT_EQ(w->TxtInputDati[8]->Text(), "6");
        EXPECT_EQ(st.Elbow.PieceCount, 6) << "the reopened window applied what was saved";
        if (option) {
            EXPECT_TRUE(w->OptRaccordi[1]->isChecked());
            EXPECT_EQ(st.Inputs.CylindricalEnds, "S");
            EXPECT_EQ(st.Inputs.EndConnections[1], 1.0f);
            EXPECT_EQ(st.Inputs.EndConnections[6], 1.0f);
        }
        Click(w->CmdIndietro);
        Wait(20);
    }
}


// The print command over each kind: all, a reversed range, one past both
// ends (clamped to the N pieces, n + 2 between connections), cancelled.
TEST_F(ConeElbowWindowTest, RangePrintsEveryKind) {
    struct Code {
        int code;
        int pieces;
        std::vector<int> cylinders;
    };
    // FrmCuConica3 first: its default start connection is cylindrical until
    // an apply of FrmCuConica1 rewrites it.
    for (const Code& k : {Code{ShapeCuConica3, 7, {1}}, Code{ShapeCuConica1, 5, {}}, Code{ShapeCuConica2, 5, {}}}) {
        SCOPED_TRACE(k.code);
        const int n = k.pieces;
        ConeElbowWindow* w = Open(k.code);  // loads the texts the titles read
        ASSERT_NE(w, nullptr);
        const struct {
            const char* name;
            RangeAnswer answer;
            int from, to;
            std::vector<std::string> titles;
        } cases[] = {
            {"all", RangeAnswer::All, 0, 0, PieceTitles(1, n, k.cylinders)},
            {"reversed", RangeAnswer::Range, 4, 2, PieceTitles(2, 4, k.cylinders)},
            {"out of range", RangeAnswer::Range, n + 3, -1, PieceTitles(1, n, k.cylinders)},
            {"cancel", RangeAnswer::Cancel, 0, 0, {}},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            PrepareRangePrint(printer, dialogs, w, c.answer, c.from, c.to);
            Click(w->CmdStampa);
            ASSERT_EQ(dialogs.prints.size(), 1u);
            EXPECT_EQ(dialogs.prints[0].minPage, 1);
            EXPECT_EQ(dialogs.prints[0].maxPage, n);
            EXPECT_EQ(PrintedPieceTitles(printer), c.titles);
            EXPECT_TRUE(w->isEnabled());
            EXPECT_FALSE(w->PrintingRange());
            EXPECT_EQ(State().OpenPreview, -1);
            EXPECT_EQ(SheetPreview::Current(), nullptr);
            if (!c.titles.empty()) {
                EXPECT_EQ(PieceTitles(State().SelectedPiece, State().SelectedPiece, k.cylinders)[0], c.titles.back());
            }
            ExpectBackAfterPrint(w, PointOf(w, 2));
        }
        Click(w->CmdIndietro);
        Wait(20);
    }
}

// A right click prints that one piece at once: one document, the piece
// selected, the window as it was and a left click previews a piece.
TEST_F(ConeElbowWindowTest, RightClickPrintsThePieceDirectly) {
    struct Case {
        int code;
        int piece;
        bool cylinder;
    };
    for (const Case& c : {Case{ShapeCuConica3, 1, true}, Case{ShapeCuConica3, 7, false},
                          Case{ShapeCuConica1, 3, false}, Case{ShapeCuConica2, 5, false}}) {
        SCOPED_TRACE(std::to_string(c.code) + " piece " + std::to_string(c.piece));
        ConeElbowWindow* w = Open(c.code);
        ASSERT_NE(w, nullptr);
        printer.documents.clear();
        State().SelectedPiece = 0;
        const QPoint at = PointOf(w, c.piece);
        ASSERT_GE(at.x(), 0) << "piece not drawn";
        Mouse(w->PctDisegno, QEvent::MouseButtonPress, at, Qt::RightButton, Qt::RightButton);
        Mouse(w->PctDisegno, QEvent::MouseButtonRelease, at, Qt::RightButton);
        Wait(20);
        EXPECT_EQ(PrintedPieceTitles(printer), PieceTitles(c.piece, c.piece, c.cylinder ? std::vector<int>{c.piece} : std::vector<int>{}));
        EXPECT_EQ(State().SelectedPiece, c.piece);
        EXPECT_EQ(State().DirectPrint, True16);
        EXPECT_EQ(State().OpenPreview, -1);
        EXPECT_EQ(SheetPreview::Current(), nullptr);
        ExpectBackAfterPrint(w, PointOf(w, 2));
        Click(w->CmdIndietro);
        Wait(20);
    }
}

}  // namespace
}  // namespace velm

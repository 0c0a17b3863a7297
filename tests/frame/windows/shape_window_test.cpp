// What the cylinder and frustum windows share: how they open and paint, one
// window per code, whose results they redraw when two of a family are loaded,
// and that their boxes and labels show whole inside the picture.
#include "frame/windows/shape_window.h"

#include <QAbstractButton>
#include <QScreen>
#include <QScrollBar>
#include <QWindow>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "cones/windows/cone_window.h"
#include "cylinders/cylinder_compute.h"
#include "core/data_file.h"
#include "core/control_names.h"
#include "core/file_names.h"
#include "core/language_file.h"
#include "core/number_text.h"
#include "cylinders/windows/cylinder_window.h"
#include "frame/windows/window_test_actions.h"
#include "geometry/cylinder_geometry.h"

namespace velm {
namespace {

using namespace wt;

const std::int16_t AllShapes[] = {ShapeCoRe, ShapeCoTaSup, ShapeCoTaInf, ShapeCoConcordi, ShapeCoDiscordi,
                                  ShapeCiRe, ShapeCiTaSup, ShapeCiConcordi, ShapeCiDiscordi};

bool IsCylinder(int code) { return code >= ShapeCiRe && code <= ShapeCiDiscordi; }

// The family's window for the code, made on first use.
ShapeWindow* FamilyWindow(int code) {
    return static_cast<ShapeWindow*>(IsCylinder(code) ? CylinderWindow::Open(code) : ConeWindow::Open(code));
}

std::vector<std::string> Captions(const std::vector<QLabel*>& labels) {
    std::vector<std::string> texts;
    for (QLabel* l : labels) texts.push_back(l->isVisible() ? S(l->text()) : "(hidden)");
    return texts;
}

class ShapeWindowTest : public AppFixture {
protected:
    void StartProgram(bool inches = false) {
        if (inches) Seed("System", "MeasuringSystem", "1");
        ASSERT_TRUE(Start());
        Mdi()->resize(1100, 800);
        Wait(20);
    }
    // From the start panel, or from the menu while another shape window is active.
    ShapeWindow* Open(int code) {
        OpenShapeForm(code, ActiveChild() ? ActiveChild() : StartPanel());
        Wait(30);
        ShapeWindow* w = FamilyWindow(code);
        EXPECT_TRUE(w && w->isVisible()) << code;
        return w;
    }
    // A second window of a family next to one already open.
    static ShapeWindow* OpenBeside(int code) {
        ShapeWindow* w = FamilyWindow(code);
        SubWindowOf(w)->show();
        Wait(30);
        return w;
    }
    // The panel and the picture as the window system last painted them.
    static void ExpectPaintedOnScreen(ShapeWindow* w) {
        const QImage screen = Mdi()->windowHandle()->screen()->grabWindow(Mdi()->winId()).toImage();
        for (QWidget* part : {static_cast<QWidget*>(w->PnlSfondo), static_cast<QWidget*>(w->PctDisegno)}) {
            const QImage shown = screen.copy(QRect(part->mapTo(Mdi(), QPoint(0, 0)), part->size()));
            EXPECT_TRUE(shown.convertToFormat(QImage::Format_RGB32) == part->grab().toImage().convertToFormat(QImage::Format_RGB32))
                << S(part->objectName()) << " differs on the screen";
        }
    }
};

// A window opens filling the main window's area and painted whole, from the
// start panel and from the menu; the caller's hint goes.
TEST_F(ShapeWindowTest, OpensFillingTheAreaAndPaintedWhole) {
    StartProgram();
    for (std::int16_t code : {ShapeCoDiscordi, ShapeCiTaSup}) {  // the second opened from the menu
        SCOPED_TRACE(code);
        SetStatusText("the caller's hint");
        ShapeWindow* w = Open(code);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(Status(), "");
        EXPECT_EQ(SubWindowOf(w)->geometry(), QRect(QPoint(0, 0), MdiArea()->viewport()->size()));
        ExpectPaintedOnScreen(w);
    }
}

// A shape window that does not fit is scrolled in the main window's area;
// one in the normal state follows the main window when that is maximised
// and restored.
TEST_F(ShapeWindowTest, AreaScrollsAndShapeWindowsFollowTheMainWindow) {
    ASSERT_TRUE(Start());
    Mdi()->resize(Mdi()->minimumSize());
    Wait(20);
    ShapeWindow* w = Open(ShapeCoTaSup);
    ASSERT_NE(w, nullptr);
    QMdiSubWindow* sub = SubWindowOf(w);
    EXPECT_GT(sub->height(), MdiArea()->viewport()->height());
    EXPECT_TRUE(MdiArea()->verticalScrollBar()->isVisible()) << "the window's lower part cannot be reached";

    Mdi()->resize(700, 560);
    Wait(20);
    sub->setGeometry(QRect(QPoint(0, 0), MdiArea()->viewport()->size()));
    Wait(20);
    const QSize normal = sub->size();
    for (bool maximised : {true, false}) {
        SCOPED_TRACE(maximised ? "maximised" : "restored");
        if (maximised) Mdi()->showMaximized(); else Mdi()->showNormal();
        Wait(30);
        EXPECT_EQ(sub->geometry(), QRect(QPoint(0, 0), MdiArea()->viewport()->size()));
        if (maximised) {
            EXPECT_NE(sub->size(), normal);
        }
    }
    EXPECT_EQ(sub->size(), normal);
}

// Each family opener answers only its own codes, keeps one window per code
// with its family's command captions, and replaces a window that unloaded.
TEST_F(ShapeWindowTest, FamilyOpenerKeepsOneWindowPerCode) {
    ASSERT_TRUE(Start());
    for (int outside : {0, 6, 100}) EXPECT_EQ(ConeWindow::Open(outside), nullptr) << outside;
    for (int outside : {5, 10, -1}) EXPECT_EQ(CylinderWindow::Open(outside), nullptr) << outside;
    std::vector<ShapeWindow*> opened;
    for (std::int16_t code : AllShapes) {
        ShapeWindow* w = FamilyWindow(code);
        ASSERT_NE(w, nullptr) << code;
        EXPECT_EQ(w->ShapeCode(), code);
        EXPECT_EQ(FamilyWindow(code), w) << "a second opening finds the same window";
        EXPECT_EQ(std::count(opened.begin(), opened.end(), w), 0) << code;
        opened.push_back(w);
        EXPECT_EQ(S(w->CmdApplica->text()), Txt(LangCommon, IsCylinder(code) ? 14 : 1));
        EXPECT_EQ(S(w->CmdModifica->text()), Txt(LangCommon, IsCylinder(code) ? 16 : 3));
    }
    ShapeWindow* first = FamilyWindow(ShapeCiTaSup);
    first->Form_Unload();
    ShapeWindow* second = FamilyWindow(ShapeCiTaSup);
    EXPECT_TRUE(second && second != first && !second->Unloaded());
}

// Every window's captions and status-line hints in both views: the family
// decides the command captions and hint numbers, the window its title and
// which of the fields' hints it shows.
TEST_F(ShapeWindowTest, CaptionsAndHintsOfEveryWindow) {
    StartProgram();
    // Some shipped texts read alike ("Development" twice): numbered, a wrong
    // number shows.
    for (TextSectionId section : {LangHelp, LangCommon}) {
        TextSection& texts = Language().Sections[section];
        for (std::size_t i = 1; i < texts.size(); ++i) texts[i] += " #" + std::to_string(i);
    }
    struct Family {
        int apply, develop, modify, resultView;  // LangCommon texts
        int applyHint, developHint;              // LangHelp texts
        TextSectionId fieldSection;
    };
    const Family cone{1, 2, 3, 12, 1, 2, LangFrmCoRe}, cylinder{14, 15, 16, 13, 30, 3, LangFrmCiRe};
    const struct {
        std::int16_t code;
        TextSectionId title;
        std::vector<int> fieldTexts;  // hint text of each input row in the family's section
    } windows[] = {
        {ShapeCoRe, LangFrmCoRe, {2, 3, 4, 5}},          {ShapeCoTaSup, LangFrmCoTS, {2, 3, 4, 5, 6}},
        {ShapeCoTaInf, LangFrmCoTI, {2, 3, 4, 5, 7}},    {ShapeCoConcordi, LangFrmCoCon, {2, 3, 4, 5, 6, 7}},
        {ShapeCoDiscordi, LangFrmCoDis, {2, 3, 4, 5, 6, 7}}, {ShapeCiRe, LangFrmCiRe, {2, 3, 4}},
        {ShapeCiTaSup, LangFrmCiTS, {2, 3, 4, 5}},       {ShapeCiConcordi, LangFrmCiCon, {2, 3, 4, 5, 6}},
        {ShapeCiDiscordi, LangFrmCiDis, {2, 3, 4, 5, 6}},
    };
    auto hint = [](QWidget* control) {
        MoveOver(control);
        return Status();
    };
    auto text = [](QAbstractButton* b) { return S(b->text()); };
    for (const auto& c : windows) {
        SCOPED_TRACE(c.code);
        const Family& f = IsCylinder(c.code) ? cylinder : cone;
        ShapeWindow* w = Open(c.code);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(S(w->windowTitle()), Txt(c.title, 1) + ": " + Txt(LangCommon, 11));
        EXPECT_EQ(text(w->CmdApplica), Txt(LangCommon, f.apply));
        EXPECT_EQ(text(w->CmdSviluppa), Txt(LangCommon, f.develop));
        EXPECT_EQ(hint(w->CmdApplica), Txt(LangHelp, f.applyHint));
        EXPECT_EQ(hint(w->CmdSviluppa), Txt(LangHelp, f.developHint));
        EXPECT_EQ(hint(w->CmdIndietro), Txt(LangHelp, 6));
        EXPECT_EQ(w->CmdSaldatura != nullptr, c.code != ShapeCoRe && c.code != ShapeCiRe);
        if (w->CmdSaldatura) {
            EXPECT_EQ(text(w->CmdSaldatura), Txt(LangCommon, 18));
            EXPECT_EQ(hint(w->CmdSaldatura), Txt(LangHelp, 41));
        }
        for (std::size_t i = 0; i < w->LblDiffLato.size(); ++i)
            EXPECT_EQ(hint(w->LblDiffLato[i]), Txt(LangHelp, 39 + static_cast<int>(i)));
        ASSERT_EQ(w->TxtInputDati.size(), c.fieldTexts.size());
        for (std::size_t k = 0; k < c.fieldTexts.size(); ++k)
            EXPECT_EQ(hint(w->TxtInputDati[k]).rfind(Txt(f.fieldSection, c.fieldTexts[k]) + " (", 0), 0u)
                << k << ": " << Status();

        Click(w->CmdSviluppa);
        EXPECT_EQ(S(w->windowTitle()), Txt(c.title, 1) + ": " + Txt(LangCommon, f.resultView));
        EXPECT_EQ(text(w->CmdModifica), Txt(LangCommon, f.modify));
        EXPECT_EQ(text(w->CmdAnteprima), Txt(LangCommon, 4));
        EXPECT_EQ(hint(w->CmdModifica), Txt(LangHelp, 4));
        EXPECT_EQ(hint(w->CmdAnteprima), Txt(LangHelp, 5));
        for (std::size_t i = 0; i < w->LblArco.size(); ++i)
            EXPECT_EQ(hint(w->LblArco[i]), Txt(LangHelp, 37 + static_cast<int>(i)));
        Click(w->CmdModifica);
    }
}

// Two windows of one family share one set of results: a window redrawn,
// flipped or developed after the other applied works on its own inputs again.
TEST_F(ShapeWindowTest, RedrawAfterAnotherWindowAppliedShowsItsOwnResults) {
    StartProgram();
    ShapeWindow* a = Open(ShapeCiTaSup);
    ASSERT_NE(a, nullptr);
    a->CmdSviluppa->click();
    const QImage developed = a->PctDisegno->canvas().Image();
    const std::vector<std::string> results = Captions(a->LblDatiSviluppo);
    ShapeWindow* b = OpenBeside(ShapeCiRe);
    Type(b->TxtInputDati[1], "150");
    b->CmdApplica->click();
    EXPECT_TRUE(b->OwnsResults() && !a->OwnsResults());

    for (int d : {-1, 1}) SubWindowOf(a)->resize(SubWindowOf(a)->width() + d, SubWindowOf(a)->height());
    EXPECT_TRUE(a->PctDisegno->canvas().Image() == developed);
    EXPECT_EQ(Captions(a->LblDatiSviluppo), results);

    b->CmdApplica->click();
    a->CmdSaldatura->click();
    a->CmdSaldatura->click();
    EXPECT_TRUE(a->PctDisegno->canvas().Image() == developed);
    b->CmdSviluppa->click();
    EXPECT_EQ(S(b->LblOutputDati[1]->text()), "150");
}

// Something other than a shape window (an elbow piece, an export) develops
// into the shared results and takes a new generation: the window left in its
// result view redraws its own development, never the stranger's.
TEST_F(ShapeWindowTest, ResultViewRedrawsItsOwnAfterAnotherWriterDeveloped) {
    StartProgram();
    ShapeWindow* a = Open(ShapeCiTaSup);
    ASSERT_NE(a, nullptr);
    a->CmdSviluppa->click();
    const QImage developed = a->PctDisegno->canvas().Image();
    ASSERT_TRUE(a->OwnsResults());

    WorkingState& st = State();
    CylinderArray piece = st.Inputs.CylinderData;
    piece[2] = 180;  // a much wider body
    ASSERT_EQ(CheckAndDevelopCylinder(ShapeCiRe, piece, CylinderSettingsOf(st), st.CylinderDevelopment.Results).Message, 0);
    st.CylinderDevelopment.Generation = st.NewGeneration();
    EXPECT_FALSE(a->OwnsResults());

    for (int d : {-1, 1}) SubWindowOf(a)->resize(SubWindowOf(a)->width() + d, SubWindowOf(a)->height());
    EXPECT_TRUE(a->PctDisegno->canvas().Image() == developed);
    EXPECT_TRUE(a->OwnsResults());
}

// A refused apply may leave its results behind (impossible cuts are found by
// developing): no window owns them, and the window accepted before applies
// again before it redraws.
TEST_F(ShapeWindowTest, RefusedApplyElsewhereIsNeverDrawn) {
    StartProgram();
    ShapeWindow* a = Open(ShapeCiTaSup);
    ASSERT_NE(a, nullptr);
    a->CmdSviluppa->click();
    const QImage developed = a->PctDisegno->canvas().Image();
    ShapeWindow* b = OpenBeside(ShapeCiDiscordi);
    for (auto [row, text] : {std::pair{1, "100"}, {2, "20"}, {3, "45"}, {4, "45"}}) Type(b->TxtInputDati[row], text);
    dialogs.ExpectMessage(IdOk);
    b->CmdApplica->click();
    EXPECT_EQ(dialogs.messages.at(0).prompt, Txt(LangErrore, 19));
    EXPECT_FALSE(a->OwnsResults() || b->OwnsResults());
    for (int d : {3, -3}) SubWindowOf(a)->resize(SubWindowOf(a)->width() + d, SubWindowOf(a)->height());
    EXPECT_EQ(State().CylinderDevelopment.Results.Hmin, 0.f);  // the first window's top-cut-only body
    EXPECT_TRUE(a->PctDisegno->canvas().Image() == developed);
}

// At the smallest window and at the full area, in both views, every label on
// the picture lies wholly inside it (the frusta's chord labels clear of the
// sector's sides), every sketch box shows its whole value, and the panel's
// value labels keep their designed width. Inches give the longest values.
TEST_F(ShapeWindowTest, BoxesAndLabelsShowWhole) {
    StartProgram(true);
    for (std::int16_t code : {ShapeCoDiscordi, ShapeCiDiscordi}) {
        ShapeWindow* w = Open(code);
        ASSERT_NE(w, nullptr);
        for (bool smallest : {true, false}) {
            SCOPED_TRACE(std::to_string(code) + (smallest ? " smallest" : " full"));
            SubWindowOf(w)->resize(smallest ? QSize(100, 100) : MdiArea()->viewport()->size());
            Wait(10);
            const QRect picture = w->PctDisegno->rect();
            for (bool resultView : {false, true}) {
                if (resultView) w->CmdSviluppa->click();
                for (QLabel* l : w->LblDatiSviluppo)
                    EXPECT_TRUE(!l->isVisible() || picture.contains(l->geometry())) << S(l->objectName());
                for (int chord : {3, 4}) {
                    if (!resultView || IsCylinder(code)) break;
                    const QRect r = w->LblDatiSviluppo[chord]->geometry();
                    int crossed = 0;
                    for (int y = r.top(); y <= r.bottom(); ++y)
                        for (int x = r.left(); x <= r.right(); ++x)
                            crossed += w->PctDisegno->canvas().Point(x, y) == RGB(255, 255, 0);
                    EXPECT_EQ(crossed, 0) << chord << " crosses the sector's side";
                }
                for (TextBox* box : w->TxtAnt)
                    EXPECT_TRUE(!box->isVisible() || box->width() >= box->fontMetrics().horizontalAdvance(box->text()) + 4)
                        << box->Text();
                for (QLabel* l : w->LblOutputDati) EXPECT_TRUE(!l->isVisible() || l->width() >= 51) << S(l->text());
            }
            w->CmdModifica->click();
        }
    }
}

// The box shows its whole text, cursor at the end, as the left part of a much wider box does.
bool ShowsWholeText(TextBox* box) {
    const QSize size = box->size();
    box->setCursorPosition(static_cast<int>(box->text().size()));
    const QImage shown = box->grab().toImage();
    box->resize(size.width() + 300, size.height());
    const bool whole = shown == box->grab().toImage().copy(QRect({0, 0}, size));
    box->resize(size);
    box->setCursorPosition(0);
    return whole;
}

// Every sketch box and label lies whole in the picture, each box clear of its label and showing its whole
// value: each kind at wide and tall extremes, both units, 0 x 0 to a large screen, also in a bolder font.
TEST_F(ShapeWindowTest, SketchBoxesInsideThePictureAtEverySize) {
    StartProgram();
    // cylinder: diameter, axis length, cuts; cone: diameters, height, cuts
    const std::pair<std::vector<double>, std::vector<double>> extremes[] = {
        {{299.99, 30.5, 2, 2}, {280.5, 299.99, 20.5, 3, 3}}, {{10, 1000, 45, 30}, {10.5, 20.5, 999.99, 30, 30}}};
    const std::pair<QSize, bool> sizes[] = {{{0, 0}, false}, {{3840, 2160}, false}, {{0, 0}, true}, {{1600, 1000}, true}};
    QFont bold = QApplication::font("QLineEdit");
    const QFont plain = bold;
    bold.setBold(true);
    std::string faults;
    for (std::int16_t code : AllShapes) {
        ShapeWindow* w = Open(code);
        ASSERT_NE(w, nullptr);
        for (const auto& [screen, bolder] : sizes) {
            QApplication::setFont(bolder ? bold : plain, "QLineEdit");
            if (!screen.isEmpty()) Mdi()->resize(screen);
            Wait(1);
            SubWindowOf(w)->setGeometry(QRect({0, 0}, screen.isEmpty() ? QSize(100, 100) : MdiArea()->viewport()->size()));
            for (std::int16_t unit : {1, 0})  // ends in mm, as the next window opens
                for (const auto& [cylinder, cone] : extremes) {
                    State().Settings.MeasuringSystem = unit;
                    const std::vector<double>& v = IsCylinder(code) ? cylinder : cone;
                    w->TxtInputDati[0]->SetText(unit ? "0.0394" : "1");  // the thickness
                    for (std::size_t i = 0; i < v.size() && i + 1 < w->TxtInputDati.size(); ++i)
                        w->TxtInputDati[i + 1]->SetText(i + 2 < v.size() ? FormatLength(v[i] / (unit ? 25.4 : 1), unit)
                                                                         : FormatFixed2(v[i]));
                    w->CmdApplica_Click();
                    const std::string where = std::to_string(code) + (unit ? " in " : " mm ") + FormatFixed2(v[1]) +
                                              (bolder ? " bold at " : " at ") + std::to_string(screen.width()) + ":";
                    ASSERT_TRUE(w->LastApplyAccepted()) << where;
                    const QRect picture = w->PctDisegno->rect();
                    for (std::size_t k = 0; k < w->TxtAnt.size(); ++k) {
                        const QRect r = w->TxtAnt[k]->geometry();
                        if (w->TxtAnt[k]->isVisible() && (!picture.contains(r) || !ShowsWholeText(w->TxtAnt[k]) ||
                                                          r.intersects(w->LblDatiSviluppo[k]->geometry())))
                            faults += where + " box " + std::to_string(k) + " " + w->TxtAnt[k]->Text() + "\n";
                    }
                    for (QLabel* l : w->LblDatiSviluppo)
                        if (l->isVisible() && !picture.contains(l->geometry())) faults += where + S(l->objectName()) + "\n";
                }
        }
        CloseShapeWindows();
    }
    QApplication::setFont(plain, "QLineEdit");
    EXPECT_EQ(faults, "");
}

// Typed but not applied: save and save as apply first, as the button does
// (check, compute, redraw); refused inputs show their message and nothing
// is written, not even the save dialog, however often asked; a resize shows
// a refusal only once per change of the inputs.
TEST_F(ShapeWindowTest, SaveAppliesWhatTheBoxesShowFirst) {
    StartProgram();
    const std::string file = ProgramFolder() + "/typed.qvl";
    auto saved = [&file] {
        std::string text;
        return ReadWholeFile(file, text) == 0 ? text : "<none>";
    };
    const struct {
        std::int16_t code;
        FileMenuItem refusingItem;
        int message;  // LangErrore text of a zero diameter
    } cases[] = {{ShapeCiTaSup, FileMenuItem::Save, 14}, {ShapeCoConcordi, FileMenuItem::SaveAs, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        ShapeWindow* w = Open(c.code);
        ASSERT_NE(w, nullptr);
        const QImage before = w->PctDisegno->canvas().Image();
        Type(w->TxtInputDati[0], "2");
        ASSERT_TRUE(w->InputsChanged);
        dialogs.ExpectSave(file);
        Mdi()->FileItem(FileMenuItem::SaveAs)->trigger();
        EXPECT_EQ(IsCylinder(c.code) ? State().Inputs.CylinderData[1] : State().Inputs.ConeData[1], 2.0f);
        EXPECT_EQ(saved(), WriteDataFileText(DataFileRecordOf(State())));
        EXPECT_TRUE(State().DevelopmentValid && !w->InputsChanged && w->OwnsResults());
        EXPECT_FALSE(w->PctDisegno->canvas().Image() == before) << "sketch not redrawn";

        const std::string kept = saved();
        ASSERT_NE(kept, "<none>");
        Type(w->TxtInputDati[1], "0");
        dialogs.ExpectMessage(IdOk);
        Mdi()->FileItem(c.refusingItem)->trigger();  // a save dialog here fails the test
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].prompt, Txt(LangErrore, c.message));
        EXPECT_EQ(dialogs.messages[0].style, MbCritical);
        EXPECT_EQ(saved(), kept);
        EXPECT_FALSE(State().DevelopmentValid);
        // Asked again unchanged: refused again; a resize applies again without a word.
        dialogs.ExpectMessage(IdOk);
        Mdi()->FileItem(FileMenuItem::Save)->trigger();
        SubWindowOf(w)->resize(SubWindowOf(w)->size() - QSize(3, 0));
        EXPECT_EQ(std::pair(dialogs.messages.size(), saved()), std::pair(std::size_t{2}, kept));
        // A changed box: the next resize shows the refusal once more.
        Type(w->TxtInputDati[1], "0.0");
        dialogs.ExpectMessage(IdOk);
        SubWindowOf(w)->resize(SubWindowOf(w)->size() + QSize(3, 0));
        EXPECT_EQ(dialogs.messages.size(), 3u);
        dialogs.messages.clear();
        Type(w->TxtInputDati[1], "20");
        Click(w->CmdApplica);
    }
}

// A refused value stays in the inputs when its window is closed: a save
// from the start panel checks them with the family's own checks, shows the
// apply's message every time it is asked, and writes nothing. Another shape
// or a data file opened later saves the family's accepted values.
TEST_F(ShapeWindowTest, ClosedWindowsRefusedInputsAreNeverSaved) {
    StartProgram();
    const std::string file = ProgramFolder() + "/job.qvl";
    const auto saved = [&file] {
        std::string text;
        return ReadWholeFile(file, text) == 0 ? text : "<none>";
    };
    const std::pair<std::int16_t, int> cases[] = {{ShapeCiRe, 14}, {ShapeCoRe, 3}, {ShapeCuCilindri, 14}, {ShapeCuConica2, 24}};
    for (const auto& [code, message] : cases) {  // a zero in the second box, and its error text
        SCOPED_TRACE(code);
        OpenShapeForm(code, StartPanel());
        Wait(30);
        QWidget* w = ActiveChild();
        dialogs.ExpectSave(file);
        Mdi()->FileItem(FileMenuItem::SaveAs)->trigger();  // save as, accepted
        const std::string kept = saved();
        ASSERT_NE(kept, "<none>");
        Type(w->findChild<TextBox*>(QString::fromStdString(IndexedName("TxtInputDati", 1))), "0");
        dialogs.ExpectMessage(IdOk);
        Click(w->findChild<QPushButton*>("CmdApplica"));
        Click(w->findChild<QPushButton*>("CmdIndietro"));
        Wait(20);
        ASSERT_EQ(ActiveChild(), StartPanel());
        for (FileMenuItem item : {FileMenuItem::Save, FileMenuItem::Save, FileMenuItem::SaveAs}) {  // save (Ctrl+S) twice, save as
            dialogs.ExpectMessage(IdOk);
            Mdi()->FileItem(item)->trigger();
        }
        ASSERT_EQ(dialogs.messages.size(), 4u);
        for (const auto& m : dialogs.messages) EXPECT_EQ(m.prompt, Txt(LangErrore, message));
        EXPECT_EQ(saved(), kept);
        dialogs.messages.clear();
        // Opened again, it refuses again; once another shape is opened (or,
        // last, a file of an older version, which has no elbow block), the
        // values saved before are back, whatever the shape.
        dialogs.ExpectMessage(IdOk);
        OpenShapeForm(code, StartPanel());
        Wait(30);
        Click(ActiveChild()->findChild<QPushButton*>("CmdIndietro"));
        Wait(20);
        if (code == ShapeCuConica2) {  // a file of version 2, up to the cylinder's block
            const std::vector<std::string> lines = SplitTextLines(kept);
            std::ofstream old(ProgramFolder() + "/old.qvl", std::ios::binary);
            for (int i = 0; i < 15; ++i) old << (i == 1 ? "\"2\"" : i == 3 ? std::to_string(ShapeCiRe) : lines[i]) << "\r\n";
            old.close();
            dialogs.ExpectOpen(ProgramFolder() + "/old.qvl");
            Mdi()->FileItem(FileMenuItem::Open)->trigger();
        } else {
            OpenShapeForm(code == ShapeCiRe ? ShapeCoRe : ShapeCiRe, StartPanel());
        }
        Wait(30);
        dialogs.ExpectSave(file);
        Mdi()->FileItem(FileMenuItem::SaveAs)->trigger();
        std::vector<std::string> now = SplitTextLines(saved()), before = SplitTextLines(kept);
        now.at(3) = before.at(3);  // the shape code
        EXPECT_EQ(now, before);
        EXPECT_EQ(dialogs.messages.size(), 1u);
        dialogs.messages.clear();
        CloseShapeWindows();
        std::filesystem::remove(file);
        State().CurrentFileName.clear();
        State().Inputs = DefaultInputArrays();  // the next family's window opens on sound values
    }
}

// A window in the background keeps its picture parked in a quarter of the
// memory, and shows the same pixels when it is active again, without being
// drawn anew.
TEST_F(ShapeWindowTest, WindowSwitchedAwayAndBackShowsTheSamePicture) {
    StartProgram();
    ShapeWindow* first = Open(ShapeCiRe);
    ASSERT_NE(first, nullptr);
    first->CmdSviluppa_Click();
    Wait(20);
    // A mark that any new apply or develop would wipe.
    first->PctDisegno->canvas().PSet(1, 1, RGB(1, 2, 3));
    const QImage developed = first->PctDisegno->canvas().Image();
    ShapeWindow* second = OpenBeside(ShapeCoRe);
    MdiArea()->setActiveSubWindow(SubWindowOf(second));
    Wait(20);
    EXPECT_TRUE(first->PctDisegno->canvas().Parked());
    EXPECT_FALSE(second->PctDisegno->canvas().Parked());
    EXPECT_EQ(first->PctDisegno->canvas().Image().convertToFormat(QImage::Format_RGB32), developed);

    MdiArea()->setActiveSubWindow(SubWindowOf(first));
    Wait(20);
    EXPECT_FALSE(first->PctDisegno->canvas().Parked());
    EXPECT_TRUE(second->PctDisegno->canvas().Parked());
    EXPECT_EQ(first->PctDisegno->canvas().Image(), developed);
    EXPECT_EQ(first->InputViewActive, False16);
    ExpectPaintedOnScreen(first);
}

}  // namespace
}  // namespace velm

// The sheet previews in the running program, opened from the cylinder and
// frustum windows and driven as a user would: options, part, scale, drag,
// printing on the recording printer, closing.
#include "preview_actions.h"
#include "output/windows/sheet_preview.h"

#include <QCheckBox>
#include <QImage>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QRadioButton>
#include <cmath>

#include "core/settings.h"
#include "frame/command_registry.h"
#include "frame/windows/frame_api.h"
#include "frame/windows/shape_opener.h"
#include "frame/windows/window_test_actions.h"

namespace velm {
namespace {

using namespace wt;

class SheetPreviewTest : public AppFixture {
protected:
    void StartProgram() {
        printer.SetPage(200, 287);
        ASSERT_TRUE(Start());
        Mdi()->resize(1280, 800);
        Wait(20);
    }
    ShapeWindow* OpenShape(int code) { return OpenDevelopedShape(code); }
    SheetPreview* Preview(ShapeWindow* shape) { return OpenPreviewOf(shape); }
};

TEST_F(SheetPreviewTest, OpensFromTheShapeWindowIntoPreviewModeAndClosesBack) {
    StartProgram();
    for (int code : {ShapeCiTaSup, ShapeCoRe}) {
        SCOPED_TRACE(code);
        ShapeWindow* shape = OpenShape(code);
        ASSERT_NE(shape, nullptr);
        SheetPreview* preview = Preview(shape);
        ASSERT_NE(preview, nullptr);
        const bool cone = code == ShapeCoRe;
        EXPECT_EQ(S(preview->objectName()), cone ? "FrmAnteprima" : "FrmAnteprimaCilindri");
        EXPECT_EQ(State().OpenPreview, cone ? 0 : 1);
        EXPECT_FALSE(shape->isEnabled());
        EXPECT_TRUE(wt::SubWindowOf(shape)->isMinimized());
        EXPECT_TRUE(Mdi()->FileItem(FileMenuItem::Print)->isEnabled());
        EXPECT_FALSE(Mdi()->FileItem(FileMenuItem::Open)->isEnabled());
        EXPECT_FALSE(Mdi()->FileItem(FileMenuItem::Save)->isEnabled());
        EXPECT_TRUE(preview->PctFoglio->isVisible());
        EXPECT_TRUE(preview->PctDisegno->isVisible());
        EXPECT_GT(preview->PctDisegno->width(), 10);

        Click(preview->CmdIndietro);
        Wait(20);
        EXPECT_EQ(State().OpenPreview, -1);
        EXPECT_EQ(SheetPreview::Current(), nullptr);
        EXPECT_TRUE(shape->isEnabled());
        EXPECT_TRUE(wt::SubWindowOf(shape)->isMinimized()) << "stays minimised until the user restores it";
        EXPECT_FALSE(Mdi()->FileItem(FileMenuItem::Print)->isEnabled());
        EXPECT_TRUE(Mdi()->FileItem(FileMenuItem::Open)->isEnabled());
        EXPECT_EQ(Stored("Options", "CheckSviluppo"), "1");
        EXPECT_EQ(Stored("Options", "CheckData"), "0");
        wt::SubWindowOf(shape)->close();
        Wait(20);
    }
}

// The print options move the data box and the drawing and keep the cache in step.
TEST_F(SheetPreviewTest, PrintOptionsMoveTheDataBoxAndTheDrawing) {
    StartProgram();
    SheetPreview* p = Preview(OpenShape(ShapeCiTaSup));
    ASSERT_NE(p, nullptr);
    const WorkingState& st = State();
    const int dataHeight = static_cast<int>(std::lround(st.Sheet.DataBoxHeight));
    const int noteHeight = static_cast<int>(std::lround(st.Sheet.NoteBoxHeight));
    ASSERT_GT(dataHeight, noteHeight);

    p->ChkDatiStampa[2]->click();  // notes only
    EXPECT_TRUE(p->PctDati->isVisible());
    EXPECT_EQ(p->PctDati->height(), noteHeight);
    EXPECT_EQ(p->PctDisegno->y(), noteHeight);
    EXPECT_EQ(S(p->LblArea->text()), Txt(LangFrmAntep, 44));

    p->ChkDatiStampa[1]->click();  // the data lines: the notes box goes
    EXPECT_FALSE(p->ChkDatiStampa[2]->isChecked());
    EXPECT_EQ(p->PctDati->height(), dataHeight);
    EXPECT_EQ(p->PctDisegno->y(), dataHeight) << "just under the data box";
    EXPECT_EQ(S(p->LblArea->text()), Txt(LangFrmAntep, 13));
    EXPECT_EQ(st.Settings.CheckData, 1);
    EXPECT_EQ(st.Settings.CheckNote, 0);
    EXPECT_EQ(st.Sheet.DrawingTop, static_cast<float>(dataHeight));

    p->ChkDatiStampa[1]->click();  // cleared: back to the top, wherever it was
    EXPECT_FALSE(p->PctDati->isVisible());
    EXPECT_EQ(p->PctDisegno->y(), 0);
    EXPECT_EQ(st.Sheet.DrawingTop, 0);

    // Dragged well below, the drawing stays there when a data box comes.
    p->PctDisegno->move(p->PctDisegno->x(), dataHeight + 200);
    p->ChkDatiStampa[1]->click();
    EXPECT_EQ(p->PctDisegno->y(), dataHeight + 200);
    EXPECT_EQ(st.Sheet.DrawingTop, static_cast<float>(dataHeight + 200));

    p->ChkDatiStampa[0]->click();
    EXPECT_FALSE(p->PctDisegno->isVisible());
    EXPECT_EQ(st.Settings.CheckSviluppo, 0);
    Click(p->CmdIndietro);
    EXPECT_EQ(Stored("Options", "CheckSviluppo"), "0");
}

// The scale box: moving keys pass, typed characters and edits do not; a new
// scale is stored and lays the sheet out; the same scale does nothing.
TEST_F(SheetPreviewTest, ScaleBoxKeysAndChoices) {
    StartProgram();
    SheetPreview* p = Preview(OpenShape(ShapeCiRe));
    ASSERT_NE(p, nullptr);
    const float pageWidth = State().Sheet.PageWidth;
    const int drawingWidth = p->PctDisegno->width();
    QLineEdit* edit = p->ComboScala->lineEdit();
    edit->setFocus();
    Keys(edit, "3");
    EXPECT_EQ(S(p->ComboScala->currentText()), "1:1");
    edit->setText(QStringLiteral("1:9"));  // pasted
    EXPECT_EQ(S(p->ComboScala->currentText()), "1:1");
    EXPECT_EQ(Stored("System", "Scale"), "Not Used");

    Key(edit, Qt::Key_Down);
    EXPECT_EQ(State().Settings.Scale, 2);
    EXPECT_EQ(Stored("System", "Scale"), "2");
    EXPECT_EQ(S(p->ComboScala->currentText()), "1:2");
    EXPECT_NEAR(State().Sheet.PageWidth, 2 * pageWidth, 1e-3);
    EXPECT_NEAR(p->PctDisegno->width(), drawingWidth / 2.0, 1.0);

    p->ComboScala->setCurrentIndex(3);  // chosen from the list
    EXPECT_EQ(Stored("System", "Scale"), "4");
    Settings().SaveSetting("VELM.INI", "System", "Scale", "x");  // a store of the same scale would show
    p->ComboScala_Click(3);
    EXPECT_EQ(Stored("System", "Scale"), "x");
    Click(p->CmdIndietro);
}

// A plate larger than the sheet (63.8 x 40 at 1:1 on a 40 x 60 page): the
// status line says so and what fits, red lines mark the cut, and Print asks
// first, a direct print too; at 1:2 nothing is asked. Tab leaves the scale
// box; with nothing ticked nothing prints.
TEST_F(SheetPreviewTest, ADrawingLargerThanTheSheetIsMarkedAndAskedAboutBeforePrinting) {
    StartProgram();
    printer.SetPage(40, 60);
    ShapeWindow* shape = OpenShape(ShapeCiRe);
    SheetPreview* p = Preview(shape);
    ASSERT_NE(p, nullptr);
    const std::string said = Txt(LangMsgbox, 16) + ". " + Txt(LangMsgbox, 17) + " 1:2. " + Txt(LangMsgbox, 18) + ".";
    MoveOver(p->PctFoglio);
    EXPECT_EQ(Status(), said);
    auto cutMarked = [p] {
        return p->PctFoglio->grab().toImage().pixelColor(0, p->PctFoglio->height() / 4) == Qt::red;
    };
    EXPECT_TRUE(cutMarked());
    p->ComboScala->setFocus();
    Key(p->window()->focusWidget(), Qt::Key_Tab);
    EXPECT_NE(p->window()->focusWidget(), p->ComboScala);
    for (int answer : {IdNo, IdYes, IdNo}) dialogs.ExpectMessage(answer);
    Click(p->CmdStampa);
    Click(p->CmdStampa);
    p->ComboScala->setCurrentIndex(1);
    Click(p->CmdStampa);
    EXPECT_FALSE(cutMarked());
    for (QCheckBox* box : p->ChkDatiStampa) box->setChecked(false);
    dialogs.ExpectMessage(IdOk);
    Click(p->CmdStampa);
    p->ChkDatiStampa[0]->setChecked(true);
    Click(p->CmdIndietro);
    State().Settings.Scale = 1;
    State().DirectPrint = True16;
    EXPECT_TRUE(OpenSheetPreview(CylinderSheet, shape));
    State().DirectPrint = False16;
    const std::string ask = said + "\n\n" + Txt(LangMsgbox, 22);
    std::vector<std::string> prompts;
    for (const auto& m : dialogs.messages) prompts.push_back(m.prompt);
    EXPECT_EQ(prompts, (std::vector<std::string>{ask, ask, Txt(LangMsgbox, 23), ask}));
    ASSERT_EQ(printer.documents.size(), 2u) << "after No, Yes, and at 1:2 without a question";
    // On paper as on the sheet: red marks where it cuts the plate.
    for (std::size_t i = 0; i < 2; ++i) {
        const auto& lines = printer.documents[i].pages.at(0).lines;
        EXPECT_EQ(std::any_of(lines.begin(), lines.end(), [](const auto& l) { return l.colour == RGB(255, 0, 0); }), i == 0);
    }
}

// A4 and A1 landscape sheets show whole in the area of a 1600 x 1000 main window.
TEST_F(SheetPreviewTest, TheWholeSheetIsInViewOnLandscapePaper) {
    StartProgram();
    Mdi()->resize(1600, 1000);
    Wait(20);
    for (const auto& [width, height, shape] : {std::tuple{287, 200, ShapeCiRe}, std::tuple{831, 584, ShapeCoRe}}) {
        SCOPED_TRACE(width);
        printer.SetPage(width, height, PageLandscape);
        SheetPreview* p = Preview(OpenShape(shape));
        ASSERT_NE(p, nullptr);
        const QRect r = p->PctFoglio->rect();
        for (QPoint corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
            EXPECT_TRUE(MdiArea()->viewport()->rect().contains(p->PctFoglio->mapTo(MdiArea()->viewport(), corner)));
        Click(p->CmdIndietro);
    }
}

// Opening a preview shows the stored scale and keeps it stored. The list's
// selection is that scale: Down and Up move on from it, also in a preview
// opened again on a scale kept from the one before.
TEST_F(SheetPreviewTest, OpeningKeepsTheStoredScale) {
    Seed("System", "Scale", "3");
    StartProgram();
    ShapeWindow* shape = OpenShape(ShapeCoRe);
    SheetPreview* p = Preview(shape);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(S(p->ComboScala->currentText()), "1:3");
    EXPECT_EQ(State().Settings.Scale, 3);
    EXPECT_EQ(Stored("System", "Scale"), "3");
    for (const auto& [key, wanted] : {std::pair{Qt::Key_Down, "1:4"}, std::pair{Qt::Key_Up, "1:3"}}) {
        Key(p->ComboScala->lineEdit(), key);
        EXPECT_EQ(S(p->ComboScala->currentText()), wanted);
        Click(p->CmdIndietro);
        wt::SubWindowOf(shape)->showMaximized();  // it waits minimised after a preview
        p = Preview(shape);
        ASSERT_NE(p, nullptr);
    }
    Click(p->CmdIndietro);
}

// Dragging within the sheet moves the drawing and what prints; a refused
// step ends the drag and keeps the last accepted place.
TEST_F(SheetPreviewTest, DragPlacesTheDrawingAndARefusedStepKeepsIt) {
    StartProgram();
    SheetPreview* p = Preview(OpenShape(ShapeCiRe));
    ASSERT_NE(p, nullptr);
    const QPoint sheet = p->PctFoglio->pos();
    const QPoint start = p->PctDisegno->pos();
    p->PctDisegno_MouseDown(5, 5);
    p->DragTo(sheet + start + QPoint(5 + 30, 5 + 40));
    EXPECT_EQ(p->PctDisegno->pos(), start + QPoint(30, 40));
    EXPECT_EQ(State().Sheet.DrawingLeft, static_cast<float>(start.x() + 30));
    EXPECT_EQ(State().Sheet.DrawingTop, static_cast<float>(start.y() + 40));

    // Past the left edge: refused, the drag ends, the place stays.
    p->DragTo(sheet + QPoint(1, start.y() + 45));
    EXPECT_FALSE(p->Dragging());
    EXPECT_EQ(p->PctDisegno->pos(), start + QPoint(30, 40));
    EXPECT_EQ(State().Sheet.DrawingLeft, static_cast<float>(start.x() + 30));
    p->DragTo(sheet + start + QPoint(60, 60));  // no drag any more
    EXPECT_EQ(p->PctDisegno->pos(), start + QPoint(30, 40));

    // The bottom edge may not be reached; over the left panel the drag goes on.
    p->PctDisegno_MouseDown(0, 0);
    p->DragTo(QPoint(20, 20));
    EXPECT_TRUE(p->Dragging());
    p->DragTo(sheet + QPoint(start.x(), p->PctFoglio->height() - p->PctDisegno->height()));
    EXPECT_FALSE(p->Dragging());
    Click(p->CmdIndietro);
}

// A direct print lays the preview out, prints and closes it before the
// opener returns: three in a row make three documents and leave the caller
// enabled, where it was.
TEST_F(SheetPreviewTest, DirectPrintsOneDocumentEachAndLeavesTheCallerEnabled) {
    StartProgram();
    ShapeWindow* shape = OpenShape(ShapeCoTaSup);
    ASSERT_NE(shape, nullptr);
    State().DirectPrint = True16;
    for (int i = 1; i <= 3; ++i) {
        EXPECT_TRUE(OpenSheetPreview(ConeSheet, shape));
        EXPECT_EQ(State().OpenPreview, -1);
        EXPECT_EQ(SheetPreview::Current(), nullptr);
        EXPECT_EQ(static_cast<int>(printer.documents.size()), i);
        EXPECT_TRUE(printer.documents.back().ended);
        EXPECT_FALSE(printer.documents.back().pages.at(0).lines.empty());
        EXPECT_TRUE(shape->isEnabled());
        EXPECT_FALSE(wt::SubWindowOf(shape)->isMinimized()) << "nothing shown in its place";
    }
    State().DirectPrint = False16;
}

// No printer: the numbered message and nothing opens. A document that
// cannot start: text 34. The File menu prints the open preview.
TEST_F(SheetPreviewTest, NoPrinterOpensNothingAndFileMenuPrints) {
    StartProgram();
    ShapeWindow* shape = OpenShape(ShapeCiRe);
    ASSERT_NE(shape, nullptr);
    printer.available = false;
    dialogs.ExpectMessage(IdOk);
    Click(shape->CmdAnteprima);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].prompt, Txt(LangErrore, 32) + ".");
    EXPECT_EQ(SheetPreview::Current(), nullptr);
    EXPECT_TRUE(shape->isEnabled());

    printer.available = true;
    SheetPreview* p = Preview(shape);
    ASSERT_NE(p, nullptr);
    Mdi()->FileItemClick(FileMenuItem::Print);
    EXPECT_EQ(printer.documents.size(), 1u);
    printer.failStart = true;
    dialogs.ExpectMessage(IdOk);
    Click(p->CmdStampa);
    EXPECT_EQ(dialogs.messages.back().prompt, Txt(LangErrore, 34) + ".");
    Click(p->CmdIndietro);
}

}  // namespace
}  // namespace velm

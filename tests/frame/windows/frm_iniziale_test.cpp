// The start panel and the shape opener, in the running program with stand-in
// shape windows registered for some codes.
#include "frame/windows/frm_iniziale.h"

#include <QFontMetricsF>
#include <QPainter>
#include <array>
#include <filesystem>
#include <fstream>

#include "core/data_file.h"
#include "frame/start_panel_layout.h"
#include "frame/windows/shape_pictures.h"
#include "frame/windows/window_test_actions.h"

namespace velm {
namespace {

using namespace wt;

void ClickOn(QWidget* w) {
    const QPointF mid(w->width() / 2.0, w->height() / 2.0);
    Mouse(w, QEvent::MouseButtonPress, mid, Qt::LeftButton, Qt::LeftButton);
    Mouse(w, QEvent::MouseButtonRelease, mid, Qt::LeftButton);
}

// What the window system sends for a double-click.
void DoubleClickOn(QWidget* w) {
    const QPointF mid(w->width() / 2.0, w->height() / 2.0);
    ClickOn(w);
    Mouse(w, QEvent::MouseButtonDblClick, mid, Qt::LeftButton, Qt::LeftButton);
    Mouse(w, QEvent::MouseButtonRelease, mid, Qt::LeftButton);
}

// The loaded (not closed) window of the shape, or null.
ShapeWindow* Shown(int code) {
    for (ShapeWindow* w : MdiArea()->findChildren<ShapeWindow*>())
        if (w->ShapeCode() == code && !w->Unloaded()) return w;
    return nullptr;
}

class StartPanelTest : public AppFixture {
protected:
    void StartAndSettle(const std::string& file = "") {
        ASSERT_TRUE(Start(file));
        Wait(30);
    }
    static frmIniziale* Panel() { return static_cast<frmIniziale*>(StartPanel()); }
    static QMdiSubWindow* PanelSub() { return SubWindowOf(Panel()); }
    static QWidget* Control(const QString& name) { return Panel()->findChild<QWidget*>(name); }
    static QWidget* Picture(int i) { return Control(QStringLiteral("PctVettore(%1)").arg(i)); }
    static QLabel* Caption(int i) { return Panel()->findChild<QLabel*>(QStringLiteral("LblSezione(%1)").arg(i)); }
    static void ShowPage(int family) {
        State().ShapeFamily = static_cast<std::int16_t>(family);
        Panel()->SetupShapePicker();
    }
};

TEST_F(StartPanelTest, PagesPicturesAndCaptions) {
    StartAndSettle();
    const struct {
        int clickCell;  // -1: the back button, -2: none
        int family, pictures;
        bool captions;
    } steps[] = {{-2, 0, 4, true}, {0, 1, 5, false}, {-1, 0, 4, true}, {3, 4, 3, true}};
    for (const auto& s : steps) {
        SCOPED_TRACE(s.family);
        if (s.clickCell == -1) ClickOn(Control("CmdIndietro"));
        if (s.clickCell == 0) ClickOn(Picture(0));
        if (s.clickCell > 0) Panel()->PctVettore_Click(s.clickCell);  // the elbows' group has no window yet
        EXPECT_EQ(State().ShapeFamily, s.family);
        int pictures = 0;
        for (int i = 0; i < 5; ++i) pictures += Picture(i)->isVisible();
        EXPECT_EQ(pictures, s.pictures);
        EXPECT_EQ(Control("CmdIndietro")->isVisible(), s.family != 0);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(Caption(i)->isVisible(), s.captions && i < s.pictures) << i;
    }
    // Upper case, a group's two texts on two lines; frusta and elbows red, cylinders green.
    const auto upper = [](TextSectionId section, int i) { return QString::fromStdString(Txt(section, i)).toUpper(); };
    const auto two = [&](int i) { return upper(LangFrmIniziale, i) + "\n" + upper(LangFrmIniziale, i + 1); };
    const std::tuple<int, int, QString, QColor> captions[] = {
        {0, 0, upper(LangFrmConi, 1), Qt::red}, {0, 1, upper(LangFrmCili, 1), Qt::green}, {4, 2, two(13), Qt::red}};
    for (const auto& [family, cell, text, colour] : captions) {
        ShowPage(family);
        EXPECT_EQ(Caption(cell)->text(), text);
        EXPECT_EQ(Caption(cell)->palette().color(QPalette::WindowText), colour) << family << "/" << cell;
    }
}

// Fitting starts from the same base size each time; an empty caption or a
// minimised panel leaves the font alone.
TEST_F(StartPanelTest, CaptionsFitTheCellWidthWithoutDrifting) {
    StartAndSettle();
    for (int i = 0; i < 4; ++i) {
        double widest = 0;
        for (const QString& line : Caption(i)->text().split('\n'))
            widest = std::max(widest, QFontMetricsF(Caption(i)->font()).horizontalAdvance(line + " "));
        EXPECT_NEAR(widest, Caption(i)->width(), Caption(i)->width() * 0.04) << i;
    }
    const double size = Caption(1)->font().pointSizeF();
    for (int k = 0; k < 5; ++k) Panel()->SetupShapePicker();
    EXPECT_DOUBLE_EQ(Caption(1)->font().pointSizeF(), size);

    Language().Sections[LangFrmConi].clear();
    const double before = Caption(0)->font().pointSizeF();
    Panel()->SetupShapePicker();
    EXPECT_DOUBLE_EQ(Caption(0)->font().pointSizeF(), before);
    PanelSub()->showMinimized();
    Wait(10);
    Panel()->resize(37, 23);
    Panel()->SetupShapePicker();
    EXPECT_DOUBLE_EQ(Caption(1)->font().pointSizeF(), size);
}

// What a widget paints itself, without its children or background.
QImage Painted(QWidget* w) {
    QImage image(w->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    w->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

// The panel's background is the tile repeated from the top left corner,
// also for a part painted alone.
TEST_F(StartPanelTest, BackgroundIsTheTileRepeated) {
    StartAndSettle();
    const QImage tile = BackgroundTile().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Panel()->resize(tile.width() * 2 + 17, tile.height() * 2 + 9);
    const QImage whole = Painted(Panel());
    QImage part(40, 30, QImage::Format_ARGB32_Premultiplied);
    part.fill(Qt::transparent);
    const QPoint corner(tile.width() - 20, tile.height() + 3);  // across a tile's edge
    Panel()->render(&part, QPoint(), QRegion(QRect(corner, part.size())), QWidget::RenderFlags());
    int wrong = 0;
    for (int y = 0; y < whole.height(); y += 3)
        for (int x = 0; x < whole.width(); x += 3)
            wrong += whole.pixel(x, y) != tile.pixel(x % tile.width(), y % tile.height());
    for (int y = 0; y < part.height(); ++y)
        for (int x = 0; x < part.width(); ++x)
            wrong += part.pixel(x, y) != whole.pixel(corner.x() + x, corner.y() + y);
    EXPECT_EQ(wrong, 0);
}

// Pictures are drawn in the background once a page is laid out: one begun
// for a page or a size that changed before it was shown never shows.
TEST_F(StartPanelTest, PicturesShowTheirLatestLookAfterQuickChanges) {
    StartAndSettle();
    ShowPage(4);
    Wait(0);  // the drawing of that page begins
    ShowPage(0);
    Panel()->resize(Panel()->width() - 60, Panel()->height() - 40);
    for (int i = 0; i < 5; ++i) {
        auto* box = static_cast<ShapePictureBox*>(Picture(i));
        if (box->isHidden()) continue;
        SCOPED_TRACE(i);
        QImage expected(box->size(), QImage::Format_ARGB32_Premultiplied);
        expected.fill(Qt::transparent);
        QPainter(&expected).drawImage(0, 0, ShapeImage(box->Picture(), box->size(), box->isEnabled(), box->CaptionHeight()));
        EXPECT_EQ(Painted(box), expected);
    }
}

// A caption keeps its outline only while its text, font and size stay: after
// each change it paints as a new caption would.
TEST_F(StartPanelTest, CaptionPaintsItsCurrentText) {
    StartAndSettle();
    auto* caption = static_cast<CaptionLabel*>(Caption(0));
    QFont smaller = caption->font();
    smaller.setPointSizeF(smaller.pointSizeF() * 0.7);
    const struct {
        const char* name;
        void (*change)(CaptionLabel*, const QFont&);
    } changes[] = {
        {"text", [](CaptionLabel* c, const QFont&) { c->setText("CILINDRI\nCONI"); }},
        {"font", [](CaptionLabel* c, const QFont& f) { c->setFont(f); }},
        {"size", [](CaptionLabel* c, const QFont&) { c->resize(c->width() + 40, c->height()); }},
    };
    for (const auto& c : changes) {
        SCOPED_TRACE(c.name);
        const QImage before = Painted(caption);
        c.change(caption, smaller);
        CaptionLabel fresh(Panel(), 0);
        fresh.setText(caption->text());
        fresh.setFont(caption->font());
        fresh.setPalette(caption->palette());
        fresh.resize(caption->size());
        const QImage after = Painted(caption);
        EXPECT_NE(after, before.copy(QRect(QPoint(), after.size())));
        EXPECT_EQ(after, Painted(&fresh));
    }
}

TEST_F(StartPanelTest, HintsOnTheStatusLine) {
    StartAndSettle();
    const std::pair<int, std::array<int, 5>> pages[] = {  // 0: no hint, the status line keeps its text
        {0, {8, 9, 33, 32, 14}}, {1, {10, 11, 12, 13, 14}}, {2, {15, 16, 17, 18, 14}}, {4, {34, 35, 36, 0, 14}}};
    for (const auto& [family, hints] : pages) {
        ShowPage(family);
        for (int cell = 0; cell < 5; ++cell) {
            SetStatusText("before");
            Panel()->PctVettore_MouseMove(cell);
            EXPECT_EQ(Status(), hints[cell] ? Txt(LangHelp, hints[cell]) : "before") << family << "/" << cell;
        }
    }
    ShowPage(0);
    MoveOver(Caption(1));  // a caption passes the pointer on to its picture
    EXPECT_EQ(Status(), Txt(LangHelp, 9));
    ShowPage(1);
    MoveOver(Control("CmdIndietro"));
    EXPECT_EQ(Status(), Txt(TextBackToShapes));
}

// Only shapes with a window are offered; codes
// without one change nothing.
TEST_F(StartPanelTest, PicturesAndOpenerOfferOnlyShapesWithAWindow) {
    StartAndSettle();
    for (auto [family, enabled] : {std::pair{0, 4}, {1, 5}, {4, 3}}) {  // the first `enabled` cells
        ShowPage(family);
        for (int i = 0; i < PickerPageFor(family)->cellCount; ++i) EXPECT_EQ(Picture(i)->isEnabled(), i < enabled) << i;
    }
    for (int code : {-1, 0, 14}) {
        OpenShapeForm(code, Panel());
        EXPECT_EQ(State().ShapeFamily, 4) << code;
        EXPECT_EQ(State().SwitchingForms, False16) << code;
        EXPECT_TRUE(Panel()->isEnabled() && !PanelSub()->isMinimized()) << code;
    }
}

// The start panel is minimised and disabled, never closed; a shape window
// closes while the opener switches (the panel stays disabled).
TEST_F(StartPanelTest, OpenerDecidesByTheCallersKind) {
    StartAndSettle();
    OpenShapeForm(ShapeCoTaSup, ActiveChild());
    Wait(10);
    ShapeWindow* frustum = Shown(ShapeCoTaSup);
    ASSERT_NE(frustum, nullptr);
    EXPECT_EQ(ActiveChild(), frustum);
    EXPECT_TRUE(PanelSub()->isMinimized() && PanelSub()->isVisible() && !Panel()->isEnabled());
    EXPECT_EQ(exitCalls, 0);

    OpenShapeForm(ShapeCiDiscordi, ActiveChild());
    Wait(10);
    ShapeWindow* cylinder = Shown(ShapeCiDiscordi);
    ASSERT_NE(cylinder, nullptr);
    EXPECT_EQ(Shown(ShapeCoTaSup), nullptr) << "closed, not minimised";
    EXPECT_FALSE(Panel()->isEnabled());
    EXPECT_TRUE(Mdi()->FormeSub2Item(4)->isChecked() && !Mdi()->FormeSubItem(2)->isChecked());
}

// A double-click on a group, on its picture or its caption, turns the page
// once: its second click does not open the shape that the new page shows there.
TEST_F(StartPanelTest, DoubleClickOnAGroupCountsAsOneClick) {
    StartAndSettle();
    const struct {
        bool caption;
        int cell, page;
    } cases[] = {{false, 0, 1}, {true, 0, 1}, {false, 1, 2}, {true, 1, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.cell) + (c.caption ? " caption" : " picture"));
        ShowPage(0);
        DoubleClickOn(c.caption ? static_cast<QWidget*>(Caption(c.cell)) : Picture(c.cell));
        Wait(10);
        EXPECT_EQ(State().ShapeFamily, c.page);
        EXPECT_EQ(ActiveChild(), Panel());
        EXPECT_TRUE(Panel()->isEnabled() && !PanelSub()->isMinimized());
        EXPECT_FALSE(Panel()->SelectionVisible());
    }
    for (int code = ShapeCoRe; code <= ShapeCiDiscordi; ++code) EXPECT_EQ(Shown(code), nullptr) << code;
    ClickOn(Picture(1));  // a single click still opens
    Wait(10);
    EXPECT_NE(Shown(ShapeCiTaSup), nullptr);
}

// While a shape window is open the panel's whole sub-window is disabled, so
// that its frame buttons neither restore nor close it. After the shape
// window's back button the panel is enabled, still minimised, and the
// restore button brings it back as large as it was, not as a thumbnail.
TEST_F(StartPanelTest, DisabledPanelFrameAndItsRestoredSize) {
    StartAndSettle();
    const QSize full = PanelSub()->size();
    ASSERT_TRUE(PanelSub()->isMaximized());
    for (bool fromMenu : {false, true}) {
        SCOPED_TRACE(fromMenu ? "menu" : "picture");
        if (fromMenu) {
            Mdi()->FormeSub2Item(1)->trigger();
        } else {
            ShowPage(2);
            ClickOn(Picture(1));
        }
        Wait(10);
        ShapeWindow* w = Shown(fromMenu ? ShapeCiRe : ShapeCiTaSup);
        ASSERT_NE(w, nullptr);
        ASSERT_TRUE(PanelSub()->isMinimized());
        EXPECT_FALSE(PanelSub()->isEnabled()) << "its frame's buttons still take clicks";

        Click(w->CmdIndietro);
        Wait(10);
        EXPECT_TRUE(PanelSub()->isEnabled() && Panel()->isEnabled());
        EXPECT_TRUE(PanelSub()->isMinimized()) << "left minimised for the user to restore";
        PanelSub()->showNormal();  // the restore button
        Wait(10);
        EXPECT_EQ(PanelSub()->size(), full);
        EXPECT_EQ(ActiveChild(), Panel());
    }
}

TEST_F(StartPanelTest, CommandLineFileOpensOnceAtFirstActivation) {
    WorkingState saved;
    saved.ShapeCode = ShapeCiTaSup;
    saved.Inputs.CylinderData[2] = 77;
    const std::string file = (std::filesystem::path(ProgramFolder()) / "job one.qvl").string();
    std::ofstream(file, std::ios::binary) << WriteDataFileText(DataFileRecordOf(saved));
    StartAndSettle(file);
    ShapeWindow* cylinder = Shown(ShapeCiTaSup);
    ASSERT_NE(cylinder, nullptr);
    EXPECT_EQ(cylinder->TxtInputDati[1]->Text(), "77");
    EXPECT_EQ(State().CurrentFileName, file);

    State().Inputs.CylinderData[2] = 5;  // closed and the panel active again: not opened again
    Click(cylinder->CmdIndietro);
    Wait(30);
    EXPECT_TRUE(Panel()->isEnabled());
    ASSERT_EQ(MdiArea()->currentSubWindow(), PanelSub());
    PanelSub()->showMaximized();
    Wait(30);
    EXPECT_EQ(Shown(ShapeCiTaSup), nullptr);
    EXPECT_EQ(State().Inputs.CylinderData[2], 5.0f);
}

}  // namespace
}  // namespace velm

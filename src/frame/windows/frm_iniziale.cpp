#include "frame/windows/frm_iniziale.h"

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <future>
#include <utility>
#include <vector>

#include "core/control_names.h"
#include "core/file_names.h"
#include "core/language.h"
#include "core/text_ids.h"
#include "frame/start_panel_layout.h"
#include "frame/windows/file_commands.h"
#include "frame/windows/frame_api.h"
#include "frame/windows/shape_opener.h"
#include "frame/windows/shape_pictures.h"
#include "core/working_state.h"
#include "platform/qt/qt_text.h"
#include "frame/windows/frm_iniziale_texts.h"

namespace velm {

namespace {

QPointer<frmIniziale> g_panel;
std::string g_commandLineFile;

ShapePickerLayout g_layout;  // the start panel's current cells


QRect PxRect(const TwipRect& r) { return QRect(Px(r.Left), Px(r.Top), Px(r.Width), Px(r.Height)); }

QString Upper(const std::string& text) { return QString::fromStdString(text).toUpper(); }

// Two language texts as one caption on two lines.
QString TwoLines(const TwoLineText& text) {
    return Upper(Txt(text.First)) + QLatin1Char('\n') + Upper(Txt(text.Second));
}



bool PageHasWindow(int family) {
    const PickerPage* page = PickerPageFor(family);
    if (!page) return false;
    for (int i = 0; i < page->cellCount; ++i)
        if (page->actions[i].kind == PickerAction::OpenShape && ShapeWindowAvailable(page->actions[i].value))
            return true;
    return false;
}

// A cell offers what it leads to only when there is a window behind it.
bool CellAvailable(const PickerAction& action) {
    switch (action.kind) {
        case PickerAction::OpenShape: return ShapeWindowAvailable(action.value);
        case PickerAction::TurnPage: return PageHasWindow(action.value);
        default: return false;
    }
}

// A picture and its caption take the mouse as one cell: both report with
// the picture's index; a release inside `cell` is a click.
void CellPress(frmIniziale* panel, int index, const QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) panel->PctVettore_MouseDown(index);
}

void CellRelease(frmIniziale* panel, int index, const QWidget* cell, const QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    panel->PctVettore_MouseUp(index);
    if (panel->TakeDoubleClickRelease()) return;
    if (cell->rect().contains(e->position().toPoint())) panel->PctVettore_Click(index);
}

void CellDoubleClick(frmIniziale* panel, int index, const QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) panel->PctVettore_DblClick(index);
}

}  // namespace

// ---- PctVettore ----

ShapePictureBox::ShapePictureBox(frmIniziale* panel, int index) : QWidget(panel), panel_(panel), index_(index) {
    setObjectName(Q(IndexedName("PctVettore", index)));
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor);
}

void ShapePictureBox::SetPicture(int picture) {
    if (picture == picture_) return;
    picture_ = picture;
    update();
}

void ShapePictureBox::SetCaptionHeight(int pixels) {
    if (pixels == captionHeight_) return;
    captionHeight_ = pixels;
    update();
}

QImage ShapePictureBox::Draw(const Look& look) {
    return ShapeImage(look.picture, look.size, look.enabled, look.captionHeight);
}

void ShapePictureBox::paintEvent(QPaintEvent*) {
    panel_->UpToDate(this);
    QPainter p(this);
    if (cache_.isNull())
        p.fillRect(rect(), palette().window());
    else
        p.drawImage(0, 0, cache_);
}

void ShapePictureBox::mousePressEvent(QMouseEvent* e) { CellPress(panel_, index_, e); }

void ShapePictureBox::mouseReleaseEvent(QMouseEvent* e) { CellRelease(panel_, index_, this, e); }

void ShapePictureBox::mouseDoubleClickEvent(QMouseEvent* e) { CellDoubleClick(panel_, index_, e); }

void ShapePictureBox::mouseMoveEvent(QMouseEvent*) { panel_->PctVettore_MouseMove(index_); }

// ---- LblSezione ----

namespace {

// `shape` grown by a disc of `radius` pixels, in `colour` with the shape's
// coverage: each pixel takes the largest coverage within the disc.
QImage Grown(const QImage& shape, int radius, QColor colour) {
    const int w = shape.width(), h = shape.height();
    const auto row = static_cast<std::size_t>(w);
    const std::size_t n = row * static_cast<std::size_t>(h);
    // level[r]: the largest coverage within r pixels along the row
    std::vector<std::vector<uchar>> level(static_cast<std::size_t>(radius) + 1, std::vector<uchar>(n));
    for (int y = 0; y < h; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(shape.constScanLine(y));
        uchar* out = level[0].data() + static_cast<std::size_t>(y) * row;
        for (int x = 0; x < w; ++x) out[x] = static_cast<uchar>(qAlpha(in[x]));
    }
    for (std::size_t r = 1; r < level.size(); ++r) {
        for (int y = 0; y < h; ++y) {
            const uchar* a = level[r - 1].data() + static_cast<std::size_t>(y) * row;
            uchar* b = level[r].data() + static_cast<std::size_t>(y) * row;
            for (int x = 0; x < w; ++x) b[x] = std::max({a[std::max(x - 1, 0)], a[x], a[std::min(x + 1, w - 1)]});
        }
    }
    std::vector<uchar> grown(n, 0);
    for (int dy = -radius; dy <= radius; ++dy) {
        const auto reach = static_cast<std::size_t>(std::lround(std::sqrt(radius * radius - dy * dy)));
        for (int y = std::max(0, -dy); y < std::min(h, h - dy); ++y) {
            const uchar* a = level[reach].data() + static_cast<std::size_t>(y + dy) * row;
            uchar* b = grown.data() + static_cast<std::size_t>(y) * row;
            for (int x = 0; x < w; ++x) b[x] = std::max(b[x], a[x]);
        }
    }
    QImage out(w, h, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        const uchar* g = grown.data() + static_cast<std::size_t>(y) * row;
        for (int x = 0; x < w; ++x) {
            const int a = g[x] * colour.alpha() / 255;
            line[x] = qRgba(colour.red() * a / 255, colour.green() * a / 255, colour.blue() * a / 255, a);
        }
    }
    return out;
}

QFont CaptionFont() {
    QFont f(QStringLiteral("Times New Roman"));
    f.setBold(true);
    f.setPointSizeF(frmIniziale::CaptionBaseSize);
    return f;
}

}  // namespace

std::future<void> BeginLoadingCaptionFont() {
    // Finding and opening the font is a good part of the first caption's
    // drawing; it runs beside the rest of the start-up.
    return std::async(std::launch::async, [] {
        QPainterPath path;
        path.addText(0, 0, CaptionFont(), QStringLiteral("A"));
    });
}

CaptionLabel::CaptionLabel(frmIniziale* panel, int index) : QLabel(panel), panel_(panel), index_(index) {
    setObjectName(Q(IndexedName("LblSezione", index)));
    setMouseTracking(true);
    setAttribute(Qt::WA_TranslucentBackground);
    setFont(CaptionFont());
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, QColor(255, 0, 0));  // the design colour
    setPalette(pal);
    setCursor(Qt::PointingHandCursor);
}

CaptionLabel::Look CaptionLabel::CurrentLook() const {
    return {text(), font(), size(), palette().color(QPalette::WindowText), isEnabled()};
}

QImage CaptionLabel::Draw(const Look& look) {
    // Bright captions over a light picture: a dark rim keeps them readable.
    // Only the letters' box is kept, at its offset in the label.
    const QFontMetricsF fm(look.font);
    QPainterPath outline;
    double y = fm.ascent() + 2;
    for (const QString& line : look.text.split(QLatin1Char('\n'))) {
        outline.addText(QPointF((look.size.width() - fm.horizontalAdvance(line)) / 2, y), look.font, line);
        y += fm.lineSpacing();
    }
    // The rim: the letters grown by half a pen's width, as a round pen
    // would stroke them, at a fraction of a stroke's cost.
    const int radius = std::max(1, static_cast<int>(std::lround(std::max(1.5, fm.height() / 14) / 2)));
    const QRect box = outline.boundingRect().toAlignedRect().adjusted(-radius - 1, -radius - 1, radius + 1, radius + 1) &
                      QRect(QPoint(), look.size);
    if (box.isEmpty()) return QImage();
    outline.translate(-box.topLeft());
    QImage letters(box.size(), QImage::Format_ARGB32_Premultiplied);
    letters.fill(Qt::transparent);
    {
        QPainter p(&letters);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(outline, Qt::black);
    }
    QImage image = Grown(letters, radius, QColor(20, 24, 30, look.enabled ? 230 : 90));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(outline, look.enabled ? look.fill : QColor(170, 170, 170));
    p.end();
    image.setOffset(box.topLeft());
    return image;
}

void CaptionLabel::paintEvent(QPaintEvent*) {
    panel_->UpToDate(this);
    QPainter(this).drawImage(cache_.offset(), cache_);
}

void CaptionLabel::mousePressEvent(QMouseEvent* e) { CellPress(panel_, index_, e); }

void CaptionLabel::mouseReleaseEvent(QMouseEvent* e) { CellRelease(panel_, index_, this, e); }

void CaptionLabel::mouseDoubleClickEvent(QMouseEvent* e) { CellDoubleClick(panel_, index_, e); }

void CaptionLabel::mouseMoveEvent(QMouseEvent*) { panel_->PctVettore_MouseMove(index_); }

// ---- ShpSelezione ----

SelectionFrame::SelectionFrame(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ShpSelezione"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_TranslucentBackground);
}

void SelectionFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int w = std::max(3, std::min(width(), height()) / 60);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 160, 20));
    QPainterPath outer, inner;
    outer.addRect(rect());
    inner.addRect(rect().adjusted(w, w, -w, -w));
    p.drawPath(outer.subtracted(inner));
    p.setPen(QPen(QColor(90, 50, 0), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

// ---- frmIniziale ----

frmIniziale::frmIniziale(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmIniziale"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 150);
    for (int i = 0; i < 5; ++i) PctVettore[i] = new ShapePictureBox(this, i);
    for (int i = 0; i < 4; ++i) LblSezione[i] = new CaptionLabel(this, i);
    ShpSelezione = new SelectionFrame(this);
    CmdIndietro = new QPushButton(this);
    CmdIndietro->setObjectName(QStringLiteral("CmdIndietro"));
    CmdIndietro->setMouseTracking(true);
    CmdIndietro->installEventFilter(this);
    CmdIndietro->setFocusPolicy(Qt::NoFocus);
    connect(CmdIndietro, &QPushButton::clicked, this, [this] { CmdIndietro_Click(); });
    for (int i = 0; i < 5; ++i) {
        hints_.Call(PctVettore[i], [i] {
            if (const int hint = PickerHintFor(i, State().ShapeFamily)) SetStatusText(Txt(LangHelp, hint));
        }, ToolTip::Hides);
    }
    hints_.Text(CmdIndietro, TextBackToShapes);
    for (auto* w : PctVettore) w->hide();
    for (auto* w : LblSezione) w->hide();
    CmdIndietro->hide();
    Form_Load();
}

void frmIniziale::Form_Load() {
    setWindowTitle(QString::fromStdString(Txt(TextStartTitle)));
    ShpSelezione->hide();

    // The tile covers the screen's area; the paint event draws the tiles it
    // needs, so that no screen-sized copy is kept.
    PctSfondo = BackgroundTile();
    const QScreen* screen = QGuiApplication::primaryScreen();
    tiledArea_ = QRect(QPoint(0, 0), screen ? screen->size() : QSize(1280, 1024));

    firstActivation_ = true;
}

QMdiSubWindow* frmIniziale::SubWindow() const { return qobject_cast<QMdiSubWindow*>(parentWidget()); }

bool frmIniziale::IsMinimised() const {
    if (const QMdiSubWindow* sub = SubWindow()) return sub->isMinimized();
    return isMinimized();
}

void frmIniziale::resizeEvent(QResizeEvent*) { SetupShapePicker(); }

template <class Widget>
void frmIniziale::StartPicture(std::vector<PendingPicture<Widget>>& pending, Widget* widget) {
    const auto look = widget->CurrentLook();
    if (widget->drawn_ == look) return;
    for (const auto& p : pending)
        if (p.widget == widget && p.look == look) return;  // on its way
    pending.push_back({widget, look, std::async(std::launch::async, [look] { return Widget::Draw(look); })});
}

template <class Widget>
void frmIniziale::FinishPictures(std::vector<PendingPicture<Widget>>& pending) {
    // A picture for a look that has changed since is not waited for; it is
    // dropped once it is done.
    std::erase_if(pending, [](PendingPicture<Widget>& p) {
        if (p.widget->CurrentLook() == p.look) {
            p.widget->cache_ = p.image.get();
            p.widget->drawn_ = p.look;
            return true;
        }
        return p.image.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    });
}

template <class Widget>
void frmIniziale::UpToDate(Widget* widget) {
    if (widget->drawn_ == widget->CurrentLook()) return;
    StartPictures();
    FinishPictures();
    if (widget->drawn_ == widget->CurrentLook()) return;
    // One of no page of the panel.
    widget->drawn_ = widget->CurrentLook();
    widget->cache_ = Widget::Draw(widget->drawn_);
}

void frmIniziale::BeginPictures() {
    placed_ = true;
    if (isVisible() && !picturesShown_) StartPictures();
}

void frmIniziale::StartPictures() {
    for (ShapePictureBox* box : PctVettore)
        if (!box->isHidden()) StartPicture(pendingPictures_, box);
    for (CaptionLabel* label : LblSezione)
        if (!label->isHidden()) StartPicture(pendingCaptions_, label);
}

void frmIniziale::FinishPictures() {
    FinishPictures(pendingPictures_);
    FinishPictures(pendingCaptions_);
    picturesShown_ = true;
}

void frmIniziale::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    const QRect area = e->rect() & tiledArea_;
    if (area.isEmpty() || PctSfondo.isNull()) {
        p.fillRect(e->rect(), QColor(128, 138, 148));
        return;
    }
    for (const QRect& r : QRegion(e->rect()).subtracted(area)) p.fillRect(r, QColor(128, 138, 148));
    // The tiles lie edge to edge from the panel's top left corner, as the
    // layout places them: one tiled fill draws them all.
    const QPoint offset(area.x() % PctSfondo.width(), area.y() % PctSfondo.height());
    p.drawTiledPixmap(area, PctSfondo, offset);
}

void frmIniziale::mouseMoveEvent(QMouseEvent*) {
    HideToolTip();
    SetStatusText("");
}

void frmIniziale::closeEvent(QCloseEvent* e) {
    // The panel closes only with the program.
    if (AskExitQuestion()) ExitProgram();
    e->ignore();
}

void frmIniziale::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() != QEvent::EnabledChange || !isEnabled()) return;
    // Enabled again when a shape window closed: once that window is gone the
    // panel is the active child again, so its keys and hints work at once.
    QTimer::singleShot(0, this, [this] {
        QMdiSubWindow* sub = SubWindow();
        if (!sub || !isEnabled() || !sub->mdiArea()) return;
        QMdiSubWindow* current = sub->mdiArea()->currentSubWindow();
        if (current != sub && (!current || !current->isVisible())) sub->mdiArea()->setActiveSubWindow(sub);
        SyncActivation();
    });
}

void frmIniziale::showEvent(QShowEvent*) {
    // Restored from the minimised state: laid out again, as a resize would.
    if (!IsMinimised()) SetupShapePicker();
    // The area tells of a change of child only while the program is the
    // active application; the first showing may come before that.
    QTimer::singleShot(0, this, [this] { SyncActivation(); });
}

void frmIniziale::SyncActivation() {
    if (QMdiSubWindow* sub = SubWindow(); sub && sub->mdiArea())
        OnSubWindowActivated(sub->mdiArea()->currentSubWindow());
}

bool frmIniziale::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove && hints_.Show(watched)) {
        // Not on to the panel, whose own move empties the status line.
        if (static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton) return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmIniziale::OnSubWindowActivated(QMdiSubWindow* window) {
    // No child at all means the program itself lost the focus (or its main
    // window is going away): not a change between its own windows.
    if (!window) return;
    if (window == SubWindow()) {
        // A disabled panel cannot become the active window.
        if (isEnabled() && !active_) {
            active_ = true;
            Form_Activate();
        }
    } else {
        // Also when the panel never got to be active: another window is.
        active_ = false;
        Form_Deactivate();
    }
}

void frmIniziale::Form_Activate() {
    EnableOptionCommands(true);
    if (firstActivation_ && !commandLineFile_.empty()) {
        // After the activation has settled: opening the file may ask
        // questions and open a shape window.
        QTimer::singleShot(0, this, [this] { OpenCommandLineFile(); });
    }
    firstActivation_ = false;
}

void frmIniziale::Form_Deactivate() { EnableOptionCommands(false); }

void frmIniziale::OpenCommandLineFile() {
    std::string name = commandLineFile_;
    if (!FileExists(name)) return;  // a name that is no file is ignored
    if (!OpenDataFile(name)) return;
    if (State().ShapeCode != ShapeNone) OpenShapeForm(State().ShapeCode, this, true);
}

void frmIniziale::PlaceFrameOnCell(int cell) {
    if (cell < 0 || cell > 4) return;
    ShpSelezione->setGeometry(PxRect(g_layout.Cells[cell]));
    ShpSelezione->raise();
    ShpSelezione->show();
}

void frmIniziale::FitCaption(CaptionLabel* label, int cellWidthPixels) {
    // From the same base size every time, so that repeated layouts never drift.
    if (IsMinimised()) return;
    QFont font = label->font();
    font.setPointSizeF(CaptionBaseSize);
    const QFontMetricsF fm(font);
    double textWidth = 0;
    for (const QString& line : label->text().split(QLatin1Char('\n')))
        if (!line.isEmpty()) textWidth = std::max(textWidth, fm.horizontalAdvance(line + QLatin1Char(' ')));
    const double factor = FontFitFactor(cellWidthPixels, textWidth);
    if (factor <= 0) return;
    font.setPointSizeF(CaptionBaseSize * factor);
    label->setFont(font);
}

int frmIniziale::CaptionHeight(const CaptionLabel* label) {
    const QFontMetricsF fm(label->font());
    return static_cast<int>(std::ceil(label->text().count(QLatin1Char('\n')) * fm.lineSpacing() + fm.height() + 2));
}

void frmIniziale::SetupShapePicker() {
    for (auto* w : PctVettore) w->hide();
    for (auto* w : LblSezione) w->hide();
    CmdIndietro->hide();
    UpdateMdiState();
    PlacePickerCells();

    const WorkingState& st = State();
    const PickerPage* page = PickerPageFor(st.ShapeFamily);
    if (!page) return;
    if (st.ShapeFamily != FamilyTop) CmdIndietro->show();
    SetSectionCaptions(static_cast<ShapeFamilyKind>(st.ShapeFamily));

    // The current shape's cell; a shape of another page leaves no frame.
    const int selected = SelectionCellFor(st.ShapeFamily, st.ShapeCode);
    if (selected >= 0)
        PlaceFrameOnCell(selected);
    else
        ShpSelezione->hide();

    ShowPageCells(*page);
    for (auto* w : LblSezione) w->raise();
    ShpSelezione->raise();
    CmdIndietro->raise();
    // At start-up the pictures begin once the panel has its place and is on
    // the screen, before it first paints: a size it passes through on the
    // way there is never drawn. Later pages are drawn when they are painted,
    // so that a panel hidden behind other windows holds no pictures it never
    // shows.
    if (placed_ && isVisible() && !picturesShown_) StartPictures();
}

void frmIniziale::PlacePickerCells() {
    g_layout = ComputeShapePickerLayout(width() * TwipsPerPixel, height() * TwipsPerPixel);
    for (int i = 0; i < 5; ++i) {
        PctVettore[i]->move(Px(g_layout.Cells[i].Left), Px(g_layout.Cells[i].Top));
        if (i < 4) LblSezione[i]->move(Px(g_layout.Cells[i].Left), Px(g_layout.Cells[i].Top));
    }
    CmdIndietro->setGeometry(PxRect(g_layout.BackButton));
    const int arrow = std::max(1, CmdIndietro->height() * 3 / 5);
    CmdIndietro->setIconSize(QSize(arrow * 3 / 2, arrow));
    CmdIndietro->setIcon(QIcon(BackArrowPicture(arrow)));
    ShpSelezione->resize(Px(g_layout.CellWidth), Px(g_layout.CellHeight));
}

void frmIniziale::SetSectionCaptions(ShapeFamilyKind page) {
    switch (page) {
        case FamilyTop: {
            LblSezione[FrustaCell]->setText(Upper(Txt(TextFrustaGroup)));
            LblSezione[CylindersCell]->setText(Upper(Txt(TextCylindersGroup)));
            LblSezione[CylElbowCell]->setText(TwoLines(TextCylElbowGroup));
            LblSezione[ConeElbowsCell]->setText(TwoLines(TextConeElbowsGroup));
            const QColor colours[4] = {QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 255, 0), QColor(255, 0, 0)};
            for (int i = 1; i < 4; ++i) {
                QPalette pal = LblSezione[i]->palette();
                pal.setColor(QPalette::WindowText, colours[i]);
                LblSezione[i]->setPalette(pal);
            }
            break;
        }
        case FamilyConeElbows:
            LblSezione[HalfEndPiecesCell]->setText(TwoLines(TextHalfEndPiecesGroup));
            LblSezione[EqualPiecesCell]->setText(TwoLines(TextEqualPiecesGroup));
            LblSezione[BetweenConnectionsCell]->setText(TwoLines(TextBetweenConnectionsGroup));
            for (int i = 1; i < 3; ++i) {
                QPalette pal = LblSezione[i]->palette();
                pal.setColor(QPalette::WindowText, QColor(255, 0, 0));
                LblSezione[i]->setPalette(pal);
            }
            break;
        case FamilyFrusta:
        case FamilyCylinders: break;  // their pages have no group captions
    }
}

void frmIniziale::ShowPageCells(const PickerPage& page) {
    const int cw = Px(g_layout.CellWidth), ch = Px(g_layout.CellHeight);
    for (int i = 0; i < page.cellCount; ++i) {
        const bool available = CellAvailable(page.actions[i]);
        PctVettore[i]->resize(cw, ch);
        PctVettore[i]->SetPicture(page.pictures[i]);
        PctVettore[i]->setEnabled(available);
        PctVettore[i]->SetCaptionHeight(0);
        PctVettore[i]->show();
        if (page.captions && i <= 3) {
            LblSezione[i]->resize(cw, ch);
            LblSezione[i]->setEnabled(available);
            FitCaption(LblSezione[i], cw);
            PctVettore[i]->SetCaptionHeight(CaptionHeight(LblSezione[i]));
            LblSezione[i]->show();
        }
    }
}

void frmIniziale::CmdIndietro_Click() {
    State().ShapeFamily = FamilyTop;
    SetupShapePicker();
}

void frmIniziale::PctVettore_MouseDown(int index) {
    if (index < 0 || index > 4) return;
    PlaceFrameOnCell(index);
    ShpSelezione->resize(Px(g_layout.CellWidth), Px(g_layout.CellHeight));
    selectionVisible_ = true;
}

void frmIniziale::PctVettore_MouseUp(int) {
    if (!selectionVisible_) return;
    ShpSelezione->hide();
    selectionVisible_ = false;
}

void frmIniziale::PctVettore_DblClick(int) { doubleClick_ = true; }

bool frmIniziale::TakeDoubleClickRelease() { return std::exchange(doubleClick_, false); }

void frmIniziale::PctVettore_MouseMove(int index) {
    if (index >= 0 && index < static_cast<int>(PctVettore.size())) hints_.Show(PctVettore[index]);
}

void frmIniziale::PctVettore_Click(int index) {
    WorkingState& st = State();
    const PickerPage* page = PickerPageFor(st.ShapeFamily);
    if (page && index >= 0 && index < page->cellCount) {
        const PickerAction action = page->actions[index];
        if (action.kind == PickerAction::TurnPage) {
            st.ShapeFamily = action.value;
            SetupShapePicker();
        } else if (action.kind == PickerAction::OpenShape) {
            // The same road as the Shapes menu: this panel waits minimised and
            // disabled, and no other shape window stays open beside the new one.
            OpenShapeForm(action.value, this);
        }
    }
    CheckShapeMenuItem(st.ShapeCode);
}

// ---- The shape opener and the registry ----

frmIniziale* ExistingStartPanel() { return g_panel; }

QWidget* StartPanel() {
    if (g_panel) return g_panel;
    auto* panel = new frmIniziale;
    panel->SetCommandLineFile(g_commandLineFile);
    if (QMdiArea* area = MdiArea()) {
        QMdiSubWindow* sub = area->addSubWindow(panel);
        sub->setAttribute(Qt::WA_DeleteOnClose, false);
        sub->setWindowState(Qt::WindowMaximized);
        QObject::connect(area, &QMdiArea::subWindowActivated, panel,
                         [panel](QMdiSubWindow* w) { panel->OnSubWindowActivated(w); });
        KeepMaximisedOnRestore(sub);
    }
    g_panel = panel;
    panel->BeginPictures();
    return panel;
}

void EnableStartPanel(bool enable) {
    if (!g_panel) return;
    g_panel->setEnabled(enable);
    if (QMdiSubWindow* sub = SubWindowOf(g_panel)) sub->setEnabled(enable);
}

QMdiArea* ChildArea() {
    if (QMdiArea* area = MdiArea()) return area;
    if (QMdiSubWindow* sub = SubWindowOf(g_panel)) return sub->mdiArea();
    return nullptr;
}

void SetCommandLineFile(const std::string& fileName) {
    g_commandLineFile = fileName;
    if (g_panel) g_panel->SetCommandLineFile(fileName);
}

}  // namespace velm

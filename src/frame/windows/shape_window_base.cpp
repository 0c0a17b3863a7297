#include "frame/windows/shape_window_base.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPushButton>
#include <QResizeEvent>
#include <QShowEvent>
#include <algorithm>

#include "core/development_checks.h"
#include "frame/windows/shape_opener.h"
#include "platform/qt/picture_box.h"
#include "platform/qt/qt_colour.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/text_box.h"

namespace velm {

namespace {

bool SameFamily(int code, int other) {
    const ShapeKindInfo* a = FindShapeKind(code);
    const ShapeKindInfo* b = FindShapeKind(other);
    return a && b && a->Family == b->Family;
}

}  // namespace

ShapeWindowBase::ShapeWindowBase(const char* name, std::int16_t shapeCode, int minWidthTwips, int minHeightTwips,
                                 Colour back, QWidget* parent)
    : QWidget(parent), shapeCode_(shapeCode), minWidthTwips_(minWidthTwips), minHeightTwips_(minHeightTwips) {
    setObjectName(QString::fromLatin1(name));
    resize(CeilPixels(minWidthTwips_), CeilPixels(minHeightTwips_));
    QPalette dark = palette();
    dark.setColor(QPalette::Window, ToQColor(back));
    setPalette(dark);
    setAutoFillBackground(true);
    QFont small = font();
    small.setPointSizeF(8);  // 8 points: the designed rows hold their captions
    setFont(small);
}

ShapeWindowBase::~ShapeWindowBase() {
    // The children outlive the family's part of the window: no handler may
    // reach a hook from now on (a focused box loses its focus as it goes).
    closing_ = true;
    for (const QPointer<TextBox>& box : wiredBoxes_) {
        if (!box) continue;
        box->OnKeyDown = nullptr;
        box->OnKeyPress = nullptr;
        box->OnChange = nullptr;
        box->OnLostFocus = nullptr;
        box->OnMouseMove = nullptr;
    }
}

void ShapeWindowBase::TrackBox(TextBox* box) {
    wiredBoxes_.emplace_back(box);
    box->setAttribute(Qt::WA_NoMousePropagation);
}

void ShapeWindowBase::WireInputBox(TextBox* box, int field) {
    box->OnKeyDown = [this, box, field](int& keyCode, int shift) { FilterKeyDown(*box, field, keyCode, shift); };
    box->OnKeyPress = [this, box, field](int& keyAscii) { FilterKeyPress(*box, field, keyAscii); };
    box->OnChange = [this, field] { InputBoxChanged(field); };
    box->OnLostFocus = [this, box, field] { CheckFieldRange(*box, field); };
    box->OnMouseMove = [this, box, field](int, int, int, int) {
        ShowFieldHint(field);
        box->setFocus();
    };
    TrackBox(box);
}

void ShapeWindowBase::TrackHints(const std::vector<QWidget*>& controls) {
    for (QWidget* w : controls) {
        w->setMouseTracking(true);
        w->setAttribute(Qt::WA_NoMousePropagation);
        w->installEventFilter(this);
    }
}

void ShapeWindowBase::SetShapeState() {
    WorkingState& st = State();
    st.SwitchingForms = False16;
    st.ShapeCode = shapeCode_;
    accepted_ = {shapeCode_, st.Settings.MeasuringSystem, st.Inputs};
}

// --- Controls ---

QLabel* ShapeWindowBase::MakeLabel(QWidget* parent, const std::string& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(Q(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

QPushButton* ShapeWindowBase::MakeButtonAt(QWidget* parent, const char* name, int leftTwips, int topTwips,
                                           int widthTwips, int heightTwips) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(Px(leftTwips), Px(topTwips), Px(widthTwips), Px(heightTwips));
    button->setAutoDefault(false);
    return button;
}

QPalette ShapeWindowBase::StandardPalette() {
    QPalette p = QApplication::palette();
    for (int group = 0; group < QPalette::NColorGroups; ++group)
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto g = static_cast<QPalette::ColorGroup>(group);
            const auto r = static_cast<QPalette::ColorRole>(role);
            if (r == QPalette::NoRole) continue;
            p.setColor(g, r, p.color(g, r));
        }
    return p;
}

QGroupBox* ShapeWindowBase::MakePanel() {
    auto* panel = new QGroupBox(this);
    panel->setObjectName(QStringLiteral("PnlSfondo"));
    panel->setPalette(StandardPalette());
    panel->setAutoFillBackground(true);
    panel->setAlignment(Qt::AlignHCenter);
    return panel;
}

PictureBox* ShapeWindowBase::MakePicture(Colour backColour) {
    auto* picture = new PictureBox(this);
    picture->setObjectName(QStringLiteral("PctDisegno"));
    picture->canvas().BackColor = backColour;
    picture->canvas().Cls();
    picture->SetParkedWhileInactive(true);  // a window in the background holds a quarter of the memory
    return picture;
}

void ShapeWindowBase::SetForeColour(QLabel* label, Colour colour) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, ToQColor(colour));
    label->setPalette(p);
}

void ShapeWindowBase::SetCaption(QLabel* label, const std::string& caption) {
    label->setText(Q(caption));
    label->adjustSize();
}

// --- Life cycle ---

void ShapeWindowBase::AddToMainArea(ShapeWindowBase* window) {
    QMdiArea* area = MdiArea();
    if (!area) return;
    QMdiSubWindow* sub = area->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose, true);
    KeepMaximisedOnRestore(sub);
    // The whole area, or the window's minimum size when the area is smaller.
    sub->setGeometry(QRect(QPoint(0, 0), area->viewport()->size()).united(QRect(0, 0, sub->width(), sub->height())));
}

QWidget* ShapeWindowBase::Frame() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) return sub;
    return this;
}

const QWidget* ShapeWindowBase::Frame() const { return const_cast<ShapeWindowBase*>(this)->Frame(); }

bool ShapeWindowBase::KeepMinimumSize() {
    QWidget* frame = Frame();
    if (frame->isMinimized() || frame->isMaximized()) return false;
    const int minWidth = CeilPixels(minWidthTwips_);
    const int minHeight = CeilPixels(minHeightTwips_);
    if (frame->height() >= minHeight && frame->width() >= minWidth) return false;
    const QSize before = size();
    frame->resize(std::max(frame->width(), minWidth), std::max(frame->height(), minHeight));
    return size() != before && frame->isVisible();
}

void ShapeWindowBase::Form_Unload() {
    unloaded_ = true;
    SetStatusText("");  // the window's hints go with it
    if (State().SwitchingForms) return;  // the opener is replacing this window
    if (MainWindow()) EnableStartPanel(true);
}

void ShapeWindowBase::CmdIndietro_Click() { Frame()->close(); }

bool ShapeWindowBase::ApplyPendingInputs() {
    if (unloaded_) return true;
    CmdApplica_Click();
    return LastApplyAccepted();
}

Bool16 ShapeWindowBase::ReportApplyResult(int message, const std::string& value) {
    const bool shownBefore = message != 0 && message == shownRefusal_ && !InputsChanged && InGeometryEvent();
    shownRefusal_ = message;
    const Bool16 refused = shownBefore ? True16 : ReportCheckResult(message, value);
    if (refused != False16) {
        HoldAcceptedInputs();
        return refused;
    }
    WorkingState& st = State();
    accepted_ = {shapeCode_, st.Settings.MeasuringSystem, st.Inputs};
    if (SameFamily(st.AcceptedBeforeRefusal.ShapeCode, shapeCode_)) st.AcceptedBeforeRefusal = {};
    return refused;
}

void ShapeWindowBase::HoldAcceptedInputs() {
    WorkingState& st = State();
    HeldInputs& held = st.AcceptedBeforeRefusal;
    if (SameFamily(held.ShapeCode, shapeCode_)) {
        // Held before this window loaded (it may have loaded refused values):
        // those are the family's last accepted ones.
        held.ShapeCode = shapeCode_;
        return;
    }
    // One shape is current: another's refusal goes back before this one is held.
    PutBackHeldInputs(held, st.Settings.MeasuringSystem, st.Inputs);
    held = accepted_;
}

bool ApplyChangedInputs(QWidget* window) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window)) window = sub->widget();
    auto* shape = qobject_cast<ShapeWindowBase*>(window);
    return !shape || shape->ApplyPendingInputs();
}

void ShapeWindowBase::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!isVisible()) return;  // a hidden window is drawn when it shows
    ++inGeometryEvent_;
    Form_Resize();
    --inGeometryEvent_;
}

void ShapeWindowBase::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The first showing counts as the first resize: it runs apply.
    if (event->spontaneous()) return;
    ++inGeometryEvent_;
    Form_Resize();
    --inGeometryEvent_;
}

void ShapeWindowBase::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

// --- Hints ---

void ShapeWindowBase::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    HideToolTip();
    FormMouseMove();
}

bool ShapeWindowBase::eventFilter(QObject* watched, QEvent* event) {
    if (!closing_ && event->type() == QEvent::MouseMove) hints_.Show(watched);
    return QWidget::eventFilter(watched, event);
}

}  // namespace velm

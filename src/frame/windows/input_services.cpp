#include "frame/windows/input_services.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QPalette>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/number_text.h"
#include "frame/windows/frame_api.h"
#include "platform/qt/text_box.h"

namespace velm {

namespace {

FieldSettings Current() { return FieldSettingsOf(State()); }

TextBox* NamedBox(QWidget* window, const char* name, int index) {
    if (!window) return nullptr;
    return window->findChild<TextBox*>(QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index));
}

std::string BendAngleText(QWidget* window) {
    const TextBox* box = InputBox(window, 5);
    return box ? box->Text() : std::string();
}

void WriteChecked(TextBox& box, bool replaced, const std::string& text) {
    if (replaced) box.SetText(text);
}

int Whole(double v) { return static_cast<int>(std::nearbyint(v)); }  // halves to even

QColor White() { return QColor(255, 255, 255); }

// The usual longest text of a sketch box: inches have four decimals.
const char* UsualLength(std::int16_t unit) { return unit != 0 ? "00.0000" : "00.00"; }

// The width of a borderless box that shows `text` whole and unscrolled, as
// the line edit lays it out in its own font (a desktop may give line edits
// another font than the window's): the text with any overhang of its end
// glyphs, the cursor, its own margin of 2 at each side, and its text and
// contents margins.
int WholeTextWidth(const TextBox& box, const QString& text) {
    const QFontMetricsF metrics(box.font());
    const QMargins t = box.textMargins();
    const QMargins c = box.contentsMargins();
    double overhang = 0;
    if (!text.isEmpty())
        overhang = std::max(0.0, -metrics.leftBearing(text.front())) + std::max(0.0, -metrics.rightBearing(text.back()));
    return static_cast<int>(std::ceil(metrics.horizontalAdvance(text) + overhang)) + 1 + 2 * 2 + t.left() +
           t.right() + c.left() + c.right();
}

// Moves a sketch box and sizes it, in its font (the window's), for `widest`
// (the longest text that the unit usually shows) or for `text` when that is
// longer.
void FitSketchBox(TextBox& box, float left, float top, const char* widest, const std::string& text) {
    const QFontMetricsF metrics(box.font());
    box.SetForeColor(RGB(255, 255, 255));
    box.move(Whole(left), Whole(top));
    box.resize(std::max(WholeTextWidth(box, QLatin1String(widest)), WholeTextWidth(box, QString::fromStdString(text))),
               Whole(metrics.height()));
}

}  // namespace

BoxState BoxStateOf(const TextBox& box) {
    // The filters count in bytes of the UTF-8 text.
    const QString text = QString::fromStdString(box.Text());
    BoxState state;
    state.Text = box.Text();
    state.SelStart = static_cast<int>(text.left(box.SelStart()).toUtf8().size());
    state.SelLength = static_cast<int>(text.mid(box.SelStart(), box.SelLength()).toUtf8().size());
    return state;
}

TextBox* InputBox(QWidget* window, int index) { return NamedBox(window, "TxtInputDati", index); }
TextBox* SketchBox(QWidget* window, int index) { return NamedBox(window, "TxtAnt", index); }

void FilterCylinderKeyDown(TextBox& box, int field, int& keyCode, int shift) {
    FilterCylinderKeyDown(BoxStateOf(box), field, keyCode, shift, Current());
}
void FilterCylinderKeyPress(TextBox& box, int field, int& keyAscii) {
    FilterCylinderKeyPress(BoxStateOf(box), field, keyAscii, Current());
}
void CheckCylinderFieldRange(TextBox& box, int field) {
    std::string text = box.Text();
    WriteChecked(box, CheckCylinderFieldRange(text, field, Current()), text);
}
void ShowCylinderFieldHint(int field) {
    if (const auto hint = CylinderFieldHint(field, Current())) SetStatusText(*hint);
}

void FilterConeKeyDown(TextBox& box, int field, int& keyCode, int shift) {
    FilterConeKeyDown(BoxStateOf(box), field, keyCode, shift, Current());
}
void FilterConeKeyPress(TextBox& box, int field, int& keyAscii) {
    FilterConeKeyPress(BoxStateOf(box), field, keyAscii, Current());
}
void CheckConeFieldRange(TextBox& box, int field) {
    std::string text = box.Text();
    WriteChecked(box, CheckConeFieldRange(text, field, Current()), text);
}
void ShowConeFieldHint(int field, bool lowerCutWindow) {
    if (const auto hint = ConeFieldHint(field, Current(), lowerCutWindow)) SetStatusText(*hint);
}

void FilterConeElbowKeyDown(QWidget* window, TextBox& box, int field, int& keyCode, int shift) {
    FilterConeElbowKeyDown(BendAngleText(window), BoxStateOf(box), field, keyCode, shift, Current());
}
void FilterConeElbowKeyPress(QWidget* window, TextBox& box, int field, int& keyAscii) {
    FilterConeElbowKeyPress(BendAngleText(window), BoxStateOf(box), field, keyAscii, Current());
}
void CheckConeElbowFieldRange(QWidget* window, TextBox& box, int field) {
    std::string text = box.Text();
    WriteChecked(box, CheckConeElbowFieldRange(BendAngleText(window), text, field, Current()), text);
}
void ShowConeElbowFieldHint(QWidget* window, int field) {
    const auto hint = ConeElbowFieldHint(BendAngleText(window), field, Current());
    if (!hint) return;
    SetStatusText(*hint);
    // Moving into another row runs the leaving check of the box left.
    if (TextBox* box = InputBox(window, field)) box->setFocus();
}

void CopyAntToInput(QWidget* window, int k, Bool16& mirrorEnabled) {
    if (k < 0 || k > 4 || mirrorEnabled == 0) return;
    mirrorEnabled = False16;
    const TextBox* from = SketchBox(window, k);
    TextBox* to = InputBox(window, k + 1);
    if (from && to) to->SetText(FormatLength(ReadNumber(from->Text()), State().Settings.MeasuringSystem));
    mirrorEnabled = True16;
}

void CopyInputToAnt(QWidget* window, int k, Bool16& mirrorEnabled, Bool16& inputsChanged) {
    if (k >= 1 && k <= 5 && mirrorEnabled != 0) {
        mirrorEnabled = False16;
        const TextBox* from = InputBox(window, k);
        TextBox* to = SketchBox(window, k - 1);
        if (from && to) to->SetText(FormatLength(ReadNumber(from->Text()), State().Settings.MeasuringSystem));
        mirrorEnabled = True16;
    }
    inputsChanged = True16;
}

void HighlightTextBox(TextBox& box) {
    box.SetBackColor(RGB(255, 255, 255));
    box.SetForeColor(RGB(0, 0, 255));
    box.setFocus();
}

void PlaceLengthValueBox(TextBox& box, float x, float y, float value) {
    const std::int16_t unit = State().Settings.MeasuringSystem;
    const std::string text = FormatLength(value, unit);
    FitSketchBox(box, x, y, UsualLength(unit), text);
    box.SetText("");
    box.SetText(text);
    box.SetSelStart(0);  // the value read from its first digit
}

void PlaceAngleValueBox(TextBox& box, QLabel& label, float value, float x, float y) {
    QPalette p = label.palette();
    p.setColor(QPalette::WindowText, White());
    label.setPalette(p);
    // A caption wider than the 53 pixels before the box moves left, clear of it.
    label.adjustSize();
    label.move(std::min(Whole(x - 112.0f), Whole(x - 57.0f) - 2 - label.width()), Whole(y));
    KeepInsideParent(label);
    label.show();
    const std::string text = FormatFixed2(value);
    FitSketchBox(box, x - 57.0f, y, "0000", text);
    box.SetText("");
    box.SetText(text);
    box.SetSelStart(0);
}

int SketchBoxWidth(const TextBox& box, float value) {
    const std::int16_t unit = State().Settings.MeasuringSystem;
    return std::max(WholeTextWidth(box, QLatin1String(UsualLength(unit))),
                    WholeTextWidth(box, QString::fromStdString(FormatLength(value, unit))));
}

int SketchBoxHeight(const TextBox& box) { return Whole(QFontMetricsF(box.font()).height()); }

void KeepInsideParent(QWidget& control) {
    const QWidget* parent = control.parentWidget();
    if (!parent) return;
    const int x = std::max(0, std::min(control.x(), parent->width() - control.width()));
    const int y = std::max(0, std::min(control.y(), parent->height() - control.height()));
    control.move(x, y);
}

}  // namespace velm

#pragma once
// The input-box services on the boxes themselves: what the shape windows'
// handlers call with the box that raised the event and its field. They read
// the limits and units of the running program's state and hand the deciding
// to frame/input_fields.h. Boxes are found in a window by their names
// "TxtInputDati(i)" (the input column) and "TxtAnt(k)" (the sketch boxes).
#include <string>

#include "core/input_fields.h"
#include "core/working_state.h"

class QLabel;
class QWidget;

namespace velm {

class TextBox;

// The box's text and selection as the filters count them.
BoxState BoxStateOf(const TextBox& box);
TextBox* InputBox(QWidget* window, int index);   // TxtInputDati(index), or null
TextBox* SketchBox(QWidget* window, int index);  // TxtAnt(index), or null

// Cylinder windows.
void FilterCylinderKeyDown(TextBox& box, int field, int& keyCode, int shift);
void FilterCylinderKeyPress(TextBox& box, int field, int& keyAscii);
void CheckCylinderFieldRange(TextBox& box, int field);
void ShowCylinderFieldHint(int field);

// Frustum windows; the frustum cut at the bottom passes lowerCutWindow.
void FilterConeKeyDown(TextBox& box, int field, int& keyCode, int shift);
void FilterConeKeyPress(TextBox& box, int field, int& keyAscii);
void CheckConeFieldRange(TextBox& box, int field);
void ShowConeFieldHint(int field, bool lowerCutWindow = false);

// Conical elbow windows: `window` holds TxtInputDati(0) to (8); its box 5
// (the bend angle) bounds the axis length. The hint also moves the focus
// into the window's box of that field.
void FilterConeElbowKeyDown(QWidget* window, TextBox& box, int field, int& keyCode, int shift);
void FilterConeElbowKeyPress(QWidget* window, TextBox& box, int field, int& keyAscii);
void CheckConeElbowFieldRange(QWidget* window, TextBox& box, int field);
void ShowConeElbowFieldHint(QWidget* window, int field);

// Mirroring between the sketch box TxtAnt(k) and the input column's
// TxtInputDati(k + 1). The flag is cleared while one copy is written so
// that the copy's own Change does not copy back.
void CopyAntToInput(QWidget* window, int k, Bool16& mirrorEnabled);
void CopyInputToAnt(QWidget* window, int k, Bool16& mirrorEnabled, Bool16& inputsChanged);

// White background, blue text, and the focus.
void HighlightTextBox(TextBox& box);

// Sketch value boxes at (x, y) of their container, sized in their font (the
// window's) to show whole and unscrolled the unit's usual values ("00.00" in
// millimetres, "00.0000" in inches, "0000" for an angle) and the value
// itself. The text is cleared first so that Change (and with it the
// mirroring) runs even when the value is the same.
void PlaceLengthValueBox(TextBox& box, float x, float y, float value);
// The angle box's caption goes left of the box, clear of it, kept inside the
// picture.
void PlaceAngleValueBox(TextBox& box, QLabel& label, float value, float x, float y);
// The width and height that PlaceLengthValueBox gives the box for `value`
// (an angle box is never wider): what a sketch leaves room for.
int SketchBoxWidth(const TextBox& box, float value);
int SketchBoxHeight(const TextBox& box);

// Moves a control placed on a picture so that the whole of it lies inside
// the picture (its parent); one wider than the picture starts at its left.
void KeepInsideParent(QWidget& control);

}  // namespace velm

#pragma once
// The side view of a computed elbow in an elbow window's picture, in pixels:
// the filled outline of the whole elbow, dotted joints, and a dotted figure
// of the bend (axis arc, sides, radius, bend angle, straight axis ends) with
// the letters "D", "R", "A", "d". The fit turns the elbow so that it stands
// symmetric about the vertical through the bend centre, start on the left.
#include "core/last_elbow.h"
#include "platform/canvas.h"

namespace velm {

// What the fit leaves: the elbow windows find the piece under the pointer
// from the drawing centre.
struct ElbowDrawing {
    float DrawingRotation = 0;  // pi/2 - bend/2
    float DrawingScaleNum = 1;  // pixels per length unit: num / den
    float DrawingScaleDen = 1;
    float DrawingRadius = 0;    // the bend radius in pixels
    float DrawingCentreX = 0;   // the bend centre in the picture
    float DrawingCentreY = 0;
};

// Fits faces 1 to faceCount + 1 of `e`, turned by the bend, into the picture
// less a 10-pixel margin; the drawn extent ends between three quarters of the
// room and the whole room. False, leaving `d` alone, for a picture without
// room inside the margin or an elbow without extent.
bool FitElbowToPicture(const Canvas& picture, float bendAngle, const LastElbow& e, int faceCount, float R,
                       ElbowDrawing& d);

// The closed outline through the outer corners of faces 1 to faceCount + 1
// and back through the inner ones, in yellow, from the current point set on
// the first inner corner.
void DrawPieceCurve(RasterCanvas& picture, const LastElbow& e, int faceCount, float R, const ElbowDrawing& d);

// The cylindrical elbow and the conical variant 1: `sweep` is the angle the
// drawn elbow sweeps; ElbowIsCylinder chooses the figure's sides.
void DrawElbowAssembly(RasterCanvas& picture, float sweep, float startWidth, float endWidth, const LastElbow& e,
                       int n, float axisLength, float R, const ElbowDrawing& d, Colour fill);

// The conical variants 2 and 3: the figure's sides run linearly from the
// large end's half widths (oE, iE) to the small end's (oS, iS).
void DrawConeElbowAssembly(RasterCanvas& picture, float sweep, float oS, float iS, float oE, float iE,
                           const LastElbow& e, float axisLength, float R, const ElbowDrawing& d, Colour fill);

// The cylindrical elbow: fit, then the assembly over the bend.
bool DrawCylElbow(RasterCanvas& picture, const LastElbow& e, ElbowDrawing& d, Colour fill);
// A conical elbow, by its variant (shape code 11 to 13).
bool DrawConeElbow(RasterCanvas& picture, const LastElbow& e, ElbowDrawing& d, Colour fill);

// Fit and draw the last elbow as its kind draws it; false, drawing nothing,
// for an elbow that failed or does not fit.
bool DrawElbow(RasterCanvas& picture, const LastElbow& e, ElbowDrawing& d, Colour cylinderFill, Colour coneFill);

}  // namespace velm

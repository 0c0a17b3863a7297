#pragma once
// The start panel's pictures, drawn in code so that they stay sharp at any
// cell size: the sixteen shape pictures `Immagini`, the background tile
// `PctSfondo` and the back button's arrow.
#include <QImage>
#include <QPixmap>
#include <QSize>

namespace velm {

constexpr int ShapePictureCount = 16;

// Immagini(index), drawn to fill `size`:
//  0 frusta (group), 1 cylinders (group), 2-6 the five frusta (right, cut at
//  the top, cut at the bottom, cut at both ends the same way, opposite ways),
//  7-10 the four cylinders (right, cut at the top, both ends the same way,
//  opposite ways), 11 the segmented cylindrical elbow, 12 conical elbows
//  (group), 13-15 the three conical elbows (half end pieces, equal pieces,
//  between two end connections).
// `captionHeight` pixels at the top are left to a caption laid over the
// picture, as far as the shape keeps a fair size. A disabled picture is drawn
// greyed. An index outside 0-15 or an empty size gives a null image. Safe to
// draw in any thread.
QImage ShapeImage(int index, QSize size, bool enabled = true, int captionHeight = 0);

// The background tile: chequer plate, seamless in both directions.
QPixmap BackgroundTile();

// A left-pointing arrow for the back button.
QPixmap BackArrowPicture(int height);

}  // namespace velm

#pragma once
// The main window's own pictures, drawn in code: the twelve toolbar pictures
// `Icone` (enabled and disabled forms), the exit button's picture and the
// splash picture.
#include <QImage>
#include <QPixmap>

namespace velm {

constexpr int ToolbarPictureSize = 24;  // pixels

// Icone(0) to Icone(11): 0/1 open, 2/3 save as, 4 printer set-up, 5/6 print,
// 7/8 calculation method, 9/10 unit, 11 help (enabled / disabled).
QPixmap Icone(int index);
// The same as images: safe to draw in any thread.
QImage IconeImage(int index);
QImage ExitImage();
QPixmap SplashPicture();
// The program's window icon.
QPixmap ProgramIcon();

}  // namespace velm

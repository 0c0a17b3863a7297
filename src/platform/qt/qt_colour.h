#pragma once
// Colours between the program's form (red + 256 green + 65536 blue) and Qt.
#include <QColor>
#include <QRgb>

#include "platform/look.h"

namespace velm {

inline QRgb ToQRgb(Colour c) { return qRgb(RedOf(c), GreenOf(c), BlueOf(c)); }
inline QColor ToQColor(Colour c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }
inline Colour FromQRgb(QRgb c) { return RGB(qRed(c), qGreen(c), qBlue(c)); }
inline Colour FromQColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

}  // namespace velm

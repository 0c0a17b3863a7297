#pragma once
// Conversions between the program's plain values and Qt's: texts (UTF-8)
// and window units (twips to whole pixels).
#include <QString>
#include <cmath>
#include <string>

#include "platform/look.h"

namespace velm {

inline QString Q(const std::string& s) { return QString::fromStdString(s); }
inline std::string S(const QString& s) { return s.toStdString(); }

// Twips to the nearest whole pixel, and to the pixels that hold them whole.
inline int Px(int twips) { return static_cast<int>(std::lround(twips / static_cast<double>(TwipsPerPixel))); }
inline int CeilPixels(int twips) { return (twips + TwipsPerPixel - 1) / TwipsPerPixel; }

}  // namespace velm

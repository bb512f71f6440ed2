#pragma once

#include <QImage>

inline constexpr int frameWidth = 280;
inline constexpr int frameHeight = 539;

// Draws frame `index` (0..23) of the mechanism, the crank turned by index x 15 degrees: black
// lines on white, one bit per pixel.
QImage drawFrame(int index);

#pragma once

#include <QImage>

class QPainter;

inline constexpr int frameWidth = 280;
inline constexpr int frameHeight = 539;

// Draws frame `index` (0..23) of the mechanism, the crank turned by index x 15 degrees: black
// lines on white, one bit per pixel.
QImage drawFrame(int index);

// Paints the same mechanism at `index` onto any painter, in the frame's coordinates and with the
// painter's pen and transform, so it can be drawn at any size: the icon is made with it. The crank
// is turned directly rather than mirrored, and nothing is rounded to one-bit pixels.
void paintMechanism(QPainter& painter, int index);

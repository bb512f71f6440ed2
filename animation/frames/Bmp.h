#pragma once

#include <QImage>
#include <vector>

// Writes a 280 x 539 picture as a one-bit BMP: black is colour 0, white colour 1, rows bottom-up,
// each padded with zero bytes to a multiple of four. Every header byte is fixed, so the bytes are
// the same on every build.
std::vector<unsigned char> encodeBmp(const QImage& picture);

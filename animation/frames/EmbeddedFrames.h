#pragma once

#include <cstddef>
#include <span>

// Size of each frame picture as a 280 x 539 one-bit BMP file.
inline constexpr std::size_t frameBmpSize = 19466;

// The BMP file of frame `index` (0..23), built into the program at compile time.
std::span<const unsigned char, frameBmpSize> frameBmp(int index);

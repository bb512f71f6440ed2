#pragma once

// Reads the frames' one-bit BMP files without Qt, so that the X11 benchmarks see exactly the
// bits the program shows.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace bench {

// A picture as 0x00rrggbb pixels, row by row from the top.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;

    std::uint32_t at(int x, int y) const {
        return rgb[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                   static_cast<std::size_t>(x)];
    }
};

namespace detail {
inline std::uint32_t le32(const unsigned char* at) {
    return at[0] | (at[1] << 8) | (at[2] << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}
} // namespace detail

// An uncompressed one-bit BMP (bottom-up or top-down, two-colour palette), cut to its top-left
// `width` x `height` pixels.
inline Pixels decodeBmp1(const unsigned char* data, std::size_t size, int width, int height) {
    if (size < 62 || data[0] != 'B' || data[1] != 'M') {
        throw std::runtime_error("not a BMP file");
    }
    const std::uint32_t pixelOffset = detail::le32(data + 10);
    const std::uint32_t headerSize = detail::le32(data + 14);
    const auto fileWidth = static_cast<std::int32_t>(detail::le32(data + 18));
    const auto fileHeight = static_cast<std::int32_t>(detail::le32(data + 22));
    const unsigned bitsPerPixel = data[28] | (data[29] << 8);
    if (bitsPerPixel != 1 || detail::le32(data + 30) != 0) {
        throw std::runtime_error("not an uncompressed one-bit BMP");
    }
    const bool bottomUp = fileHeight > 0;
    const int rows = bottomUp ? fileHeight : -fileHeight;
    if (fileWidth < width || rows < height) {
        throw std::runtime_error("BMP smaller than asked for");
    }
    const unsigned char* palette = data + 14 + headerSize;
    const std::uint32_t colour[2] = {detail::le32(palette) & 0xffffff,
                                     detail::le32(palette + 4) & 0xffffff};
    const std::size_t rowBytes = (static_cast<std::size_t>(fileWidth) + 31) / 32 * 4;
    if (pixelOffset + rowBytes * static_cast<std::size_t>(rows) > size) {
        throw std::runtime_error("BMP cut short");
    }

    Pixels pixels{width, height, {}};
    pixels.rgb.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const int fileRow = bottomUp ? rows - 1 - y : y;
        const unsigned char* row =
            data + pixelOffset + rowBytes * static_cast<std::size_t>(fileRow);
        for (int x = 0; x < width; ++x) {
            const int bit = (row[x / 8] >> (7 - x % 8)) & 1;
            pixels.rgb[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                       static_cast<std::size_t>(x)] = colour[bit];
        }
    }
    return pixels;
}

} // namespace bench

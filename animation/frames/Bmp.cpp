#include "Bmp.h"

#include "FrameArt.h"

#include <cstdint>
#include <stdexcept>

namespace {

void put16(std::vector<unsigned char>& out, std::uint16_t value) {
    out.push_back(static_cast<unsigned char>(value & 0xff));
    out.push_back(static_cast<unsigned char>(value >> 8));
}

void put32(std::vector<unsigned char>& out, std::uint32_t value) {
    put16(out, static_cast<std::uint16_t>(value & 0xffff));
    put16(out, static_cast<std::uint16_t>(value >> 16));
}

} // namespace

std::vector<unsigned char> encodeBmp(const QImage& picture) {
    if (picture.width() != frameWidth || picture.height() != frameHeight) {
        throw std::invalid_argument("a frame is 280 x 539 pixels");
    }
    constexpr std::uint32_t rowBytes = (frameWidth + 31) / 32 * 4;
    constexpr std::uint32_t pixelBytes = rowBytes * frameHeight;
    constexpr std::uint32_t pixelOffset = 14 + 40 + 8;

    std::vector<unsigned char> out;
    out.reserve(pixelOffset + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, pixelOffset + pixelBytes);
    put32(out, 0); // two reserved words
    put32(out, pixelOffset);

    put32(out, 40);
    put32(out, frameWidth);
    put32(out, frameHeight); // positive: rows are stored bottom-up
    put16(out, 1);           // planes
    put16(out, 1);           // bits per pixel
    put32(out, 0);           // no compression
    put32(out, pixelBytes);
    put32(out, 0); // horizontal resolution
    put32(out, 0); // vertical resolution
    put32(out, 0); // colours used
    put32(out, 0); // important colours

    put32(out, 0x00000000); // colour 0: black
    put32(out, 0x00ffffff); // colour 1: white

    for (int y = frameHeight - 1; y >= 0; --y) {
        for (std::uint32_t byte = 0; byte < rowBytes; ++byte) {
            unsigned char bits = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const int x = static_cast<int>(byte * 8) + bit;
                const bool white = x < frameWidth && qGray(picture.pixel(x, y)) >= 128;
                bits = static_cast<unsigned char>(bits | (white ? 0x80 >> bit : 0));
            }
            out.push_back(bits);
        }
    }
    return out;
}

// The 24 frame pictures exactly as they are built into the program: BMP bytes parsed here with
// plain C++, so a fault in the drawing, the encoder or the embedding all show up.
#include "EmbeddedFrames.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <span>

namespace {

constexpr int frameCount = 24;
constexpr int width = 280;
constexpr int height = 539;
constexpr std::size_t rowBytes = 36;
constexpr std::size_t pixelOffset = 62;

// Column x mirrors to 273 - x: the centre line x = 136.5 of the guide bars.
constexpr int mirrorSum = 273;

struct Rect {
    int left, right, top, bottom; // inclusive

    bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    bool onBorder(int x, int y) const {
        return contains(x, y) && (x == left || x == right || y == top || y == bottom);
    }
};

constexpr std::array<Rect, 2> guideBars = {{{59, 85, 173, 487}, {187, 214, 173, 487}}};

// Black if the pixel's bit is 0, colour 0 of the colour table; rows counted from the top.
bool black(std::span<const unsigned char, frameBmpSize> bmp, int x, int y) {
    const std::size_t row = pixelOffset + static_cast<std::size_t>(height - 1 - y) * rowBytes;
    return (bmp[row + static_cast<std::size_t>(x / 8)] & (0x80 >> (x % 8))) == 0;
}

bool black(int frame, int x, int y) {
    return black(frameBmp(frame), x, y);
}

bool onGuideBar(int x, int y) {
    for (const Rect& bar : guideBars) {
        if (bar.contains(x, y)) {
            return true;
        }
    }
    return false;
}

int topRow(int frame) {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (black(frame, x, y)) {
                return y;
            }
        }
    }
    return -1;
}

std::uint32_t littleEndian(std::span<const unsigned char, frameBmpSize> bmp, std::size_t offset,
                           std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;) {
        value = value << 8 | bmp[offset + i];
    }
    return value;
}

TEST(FrameFile, HeadersColourTableAndRowPadding) {
    struct Field {
        std::size_t offset;
        std::size_t size;
        std::uint32_t value;
    };
    constexpr std::array<Field, 25> fields = {{
        {0, 1, 'B'}, {1, 1, 'M'},  {2, 4, 19466},  {6, 2, 0},    {8, 2, 0},
        {10, 4, 62}, {14, 4, 40},  {18, 4, 280},   {22, 4, 539}, {26, 2, 1},
        {28, 2, 1},  {30, 4, 0},   {34, 4, 19404}, {38, 4, 0},   {42, 4, 0},
        {46, 4, 0},  {50, 4, 0},   {54, 1, 0},     {55, 1, 0},   {56, 1, 0},
        {57, 1, 0},  {58, 1, 255}, {59, 1, 255},   {60, 1, 255}, {61, 1, 0},
    }};
    static_assert(pixelOffset + rowBytes * height == frameBmpSize);
    for (int frame = 0; frame < frameCount; ++frame) {
        const auto bmp = frameBmp(frame);
        for (const Field& field : fields) {
            EXPECT_EQ(littleEndian(bmp, field.offset, field.size), field.value)
                << "frame " << frame << ", offset " << field.offset;
        }
        for (int row = 0; row < height; ++row) {
            ASSERT_EQ(bmp[pixelOffset + static_cast<std::size_t>(row) * rowBytes + 35], 0)
                << "frame " << frame << ", pad byte of stored row " << row;
        }
    }
}

// The piston's crown is the topmost black pixel, and the crank drives it as a cosine: row
// 15 + 69.5 x (1 - cos(frame x 15 degrees)), frame 0 following frame 23 without a jump.
TEST(FrameContent, PistonTopRowFollowsTheCrank) {
    constexpr std::array<int, frameCount> expected = {15,  17,  24,  35,  50,  66,  84,  102,
                                                      119, 134, 145, 152, 154, 152, 145, 134,
                                                      119, 102, 85,  67,  50,  35,  24,  17};
    for (int frame = 0; frame < frameCount; ++frame) {
        EXPECT_EQ(topRow(frame), expected[static_cast<std::size_t>(frame)]) << "frame " << frame;
    }
}

TEST(FrameContent, GuideBarsAreOnePixelOutlinesInEveryFrame) {
    for (int frame = 0; frame < frameCount; ++frame) {
        for (const Rect& bar : guideBars) {
            for (int y = bar.top; y <= bar.bottom; ++y) {
                for (int x = bar.left; x <= bar.right; ++x) {
                    ASSERT_EQ(black(frame, x, y), bar.onBorder(x, y))
                        << "frame " << frame << " at (" << x << ", " << y << ")";
                }
            }
        }
    }
}

// Everything but the guide bars moves, so no pixel outside them is black in all 24 frames.
TEST(FrameContent, NothingButTheGuideBarsStandsStill) {
    int stillPixels = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (onGuideBar(x, y)) {
                continue;
            }
            bool alwaysBlack = true;
            for (int frame = 0; frame < frameCount && alwaysBlack; ++frame) {
                alwaysBlack = black(frame, x, y);
            }
            if (alwaysBlack && stillPixels++ == 0) {
                ADD_FAILURE() << "(" << x << ", " << y << ") is black in every frame";
            }
        }
    }
    EXPECT_EQ(stillPixels, 0) << "pixels black in every frame outside the guide bars";
}

// The window shows columns 0..276 and rows 0..521; the drawing keeps a white margin inside that.
TEST(FrameContent, DrawingStaysInsideItsMargins) {
    const Rect drawing{5, 267, 15, 511};
    for (int frame = 0; frame < frameCount; ++frame) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (black(frame, x, y)) {
                    ASSERT_TRUE(drawing.contains(x, y))
                        << "frame " << frame << " has a black pixel at (" << x << ", " << y << ")";
                }
            }
        }
    }
}

// Frame 24 - j is frame j with the crank on the other side: the picture mirrored about the
// centre line. The guide bars are one column off being mirror images of each other, so the
// columns they cover, and their mirror images, are left out. Frames 0 and 12 are their own twins.
// Twice the table rounds a half-pixel height differently on the way down and on the way up
// (frames 5 and 19, 6 and 18); there the slider sits one row lower in one twin, so a black pixel
// only has to find its mirror image within that row's difference.
TEST(FrameContent, FrameTwentyFourMinusJMirrorsFrameJ) {
    const auto outsideBars = [](int x, int y) {
        return !onGuideBar(x, y) && !onGuideBar(mirrorSum - x, y);
    };
    // A black pixel of `frame` at (x, y) whose mirror image in `other` is white in every row
    // within `slack` of y.
    const auto unmatched = [&](int frame, int other, int slack) {
        int count = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x <= mirrorSum; ++x) {
                if (!black(frame, x, y) || !outsideBars(x, y)) {
                    continue;
                }
                bool found = false;
                for (int row = std::max(0, y - slack); row <= std::min(height - 1, y + slack);
                     ++row) {
                    found = found || black(other, mirrorSum - x, row);
                }
                count += !found;
            }
        }
        return count;
    };
    for (int frame = 0; frame <= 12; ++frame) {
        const int twin = (frameCount - frame) % frameCount;
        const int slack = std::abs(topRow(frame) - topRow(twin));
        ASSERT_LE(slack, 1) << "frames " << frame << " and " << twin;
        EXPECT_EQ(unmatched(frame, twin, slack), 0) << "frame " << frame << " in " << twin;
        EXPECT_EQ(unmatched(twin, frame, slack), 0) << "frame " << twin << " in " << frame;
    }
}

TEST(FrameContent, AllTwentyFourPicturesDiffer) {
    for (int a = 0; a < frameCount; ++a) {
        for (int b = a + 1; b < frameCount; ++b) {
            const auto first = frameBmp(a).subspan<pixelOffset>();
            const auto second = frameBmp(b).subspan<pixelOffset>();
            EXPECT_FALSE(std::equal(first.begin(), first.end(), second.begin()))
                << "frames " << a << " and " << b;
        }
    }
}

// Drawn lines are one or two pixels wide and leave no specks: no black pixel stands alone, and
// no 3 x 3 square is solid black.
TEST(FrameContent, LinesAreThinAndNoPixelStandsAlone) {
    for (int frame = 0; frame < frameCount; ++frame) {
        const auto at = [frame](int x, int y) {
            return x >= 0 && x < width && y >= 0 && y < height && black(frame, x, y);
        };
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (!at(x, y)) {
                    continue;
                }
                int neighbours = 0;
                int square = 0;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        neighbours += at(x + dx, y + dy);
                        square += at(x + 1 + dx, y + 1 + dy);
                    }
                }
                ASSERT_GT(neighbours, 1)
                    << "frame " << frame << ": lone pixel at (" << x << ", " << y << ")";
                ASSERT_LT(square, 9)
                    << "frame " << frame << ": solid 3 x 3 square from (" << x << ", " << y << ")";
            }
        }
    }
}

} // namespace

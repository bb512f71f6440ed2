// The icon exactly as it is built into the program: each size's PNG decoded here, so a fault in
// the drawing, the PNG encoding or the embedding shows up. The same bytes are installed into the
// icon theme.
#include "EmbeddedIcon.h"

#include <QImage>
#include <QRectF>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

QImage decode(const IconPicture& picture) {
    return QImage::fromData(picture.png.data(), static_cast<int>(picture.png.size()), "PNG")
        .convertToFormat(QImage::Format_ARGB32);
}

std::vector<int> sizes() {
    std::vector<int> result;
    for (const IconPicture& picture : iconPictures()) {
        result.push_back(picture.size);
    }
    return result;
}

TEST(Icon, ComesInTheThemeSizesSmallestFirst) {
    EXPECT_EQ(sizes(), (std::vector<int>{48, 128, 256}));
}

TEST(Icon, EachSizeIsASquarePngOfThatSize) {
    for (const IconPicture& picture : iconPictures()) {
        SCOPED_TRACE(picture.size);
        const QImage image = decode(picture);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width(), picture.size);
        EXPECT_EQ(image.height(), picture.size);
        EXPECT_TRUE(image.hasAlphaChannel());
    }
}

// A sheet in the middle with the mechanism's dark lines on it, and nothing at the corners, so
// the icon sits on any background.
TEST(Icon, IsADrawingOnAnOpaqueSheetWithClearCorners) {
    for (const IconPicture& picture : iconPictures()) {
        SCOPED_TRACE(picture.size);
        const QImage image = decode(picture);
        const int last = picture.size - 1;
        for (const auto& [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}}) {
            EXPECT_EQ(qAlpha(image.pixel(x, y)), 0) << x << "," << y;
        }

        // The sheet is the opaque part; the lines are its dark pixels.
        int opaque = 0;
        int dark = 0;
        for (int y = 0; y < picture.size; ++y) {
            for (int x = 0; x < picture.size; ++x) {
                const QRgb pixel = image.pixel(x, y);
                if (qAlpha(pixel) == 255) {
                    ++opaque;
                    dark += qGray(pixel) < 96 ? 1 : 0;
                }
            }
        }
        const int area = picture.size * picture.size;
        EXPECT_GT(opaque, area / 2);
        EXPECT_GT(dark, opaque / 20) << "too few lines: the mechanism is missing";
        EXPECT_LT(dark, opaque / 2) << "too much ink: not a line drawing";
        EXPECT_EQ(qAlpha(image.pixel(picture.size / 2, picture.size / 2)), 255);
    }
}

// Where the sheet and the lines lie, as fractions of the icon's side.
struct Layout {
    QRectF sheet; // bounds of the opaque pixels
    QRectF ink;   // bounds of the dark pixels
};

Layout layout(const QImage& image) {
    const double side = image.width();
    int sheetLeft = image.width(), sheetTop = image.height(), sheetRight = -1, sheetBottom = -1;
    int inkLeft = image.width(), inkTop = image.height(), inkRight = -1, inkBottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) != 255) {
                continue;
            }
            sheetLeft = std::min(sheetLeft, x);
            sheetRight = std::max(sheetRight, x);
            sheetTop = std::min(sheetTop, y);
            sheetBottom = std::max(sheetBottom, y);
            if (qGray(pixel) < 96) {
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
                inkTop = std::min(inkTop, y);
                inkBottom = std::max(inkBottom, y);
            }
        }
    }
    const auto fraction = [side](int left, int top, int right, int bottom) {
        return QRectF(left / side, top / side, (right + 1 - left) / side,
                      (bottom + 1 - top) / side);
    };
    return {fraction(sheetLeft, sheetTop, sheetRight, sheetBottom),
            fraction(inkLeft, inkTop, inkRight, inkBottom)};
}

void expectNear(const QRectF& actual, const QRectF& expected, double tolerance) {
    EXPECT_NEAR(actual.left(), expected.left(), tolerance);
    EXPECT_NEAR(actual.top(), expected.top(), tolerance);
    EXPECT_NEAR(actual.right(), expected.right(), tolerance);
    EXPECT_NEAR(actual.bottom(), expected.bottom(), tolerance);
}

// The sizes are one drawing: the sheet and the mechanism's lines (the piston's crown at the top,
// the guide bars' feet at the bottom) lie in the same place in each, to within two of its pixels.
TEST(Icon, AllSizesShowTheSameDrawingInTheSamePlace) {
    const auto pictures = iconPictures();
    const Layout largest = layout(decode(pictures.back()));
    for (const IconPicture& picture : pictures.first(pictures.size() - 1)) {
        SCOPED_TRACE(picture.size);
        const Layout small = layout(decode(picture));
        const double pixel = 1.0 / picture.size;
        expectNear(small.sheet, largest.sheet, 2 * pixel);
        expectNear(small.ink, largest.ink, 2 * pixel);
    }
}

} // namespace

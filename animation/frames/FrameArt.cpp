#include "FrameArt.h"

#include <QPainter>
#include <QPainterPath>
#include <array>
#include <cmath>
#include <numbers>

// The mechanism is a Scotch yoke. A crank turns about a fixed axis; its pin slides in the
// horizontal slot of a yoke, and the yoke, a crosshead and the piston are one rigid slider that
// runs up and down between two upright guide bars. The slider therefore moves as the cosine of
// the crank angle: 69.5 px of crank radius gives 139 px of stroke.
//
// Only the guide bars stand still. They are drawn last, filled white, so the slider and the crank
// pass behind them, and nothing else is the same in every frame: no circle is drawn about the
// crank axis and no straight edge of the slider is longer than the stroke.
//
// The drawing is symmetric about the line between columns 136 and 137 (column x mirrors to
// 273 - x). Frames 0..12 are drawn with the crank on the right; frame 24 - j is frame j's
// picture mirrored, the crank then on the left, so the two are mirror images pixel for pixel
// (the rasteriser alone would not round a mirrored crank to mirrored pixels).

namespace {

// Topmost row of the piston crown in each frame, 15 + 69.5 x (1 - cos(index x 15 degrees))
// rounded. Where the value sits on a half pixel the table rounds the falling and rising strokes
// differently, so frames 5 and 19 (and 6 and 18) are one row apart.
constexpr std::array<int, 24> pistonTop = {15,  17,  24,  35,  50,  66,  84,  102,
                                           119, 134, 145, 152, 154, 152, 145, 134,
                                           119, 102, 85,  67,  50,  35,  24,  17};

constexpr int mirrorSum = 273;            // column x mirrors to mirrorSum - x
constexpr double axisX = mirrorSum / 2.0; // crank axis, on the centre line
constexpr double axisY = 385.5;
constexpr double crankRadius = 69.5;
constexpr int slotRowAtTop = 316; // slot centre row with the piston at the top of its stroke

// Columns left..(273 - left) as a rectangle whose 1 px outline lies on those columns and on
// rows top..bottom.
QRect centred(int left, int top, int bottom) {
    return QRect(left, top, mirrorSum - 2 * left, bottom - top);
}

QPainterPath roundedBox(const QRectF& box, double radius) {
    QPainterPath path;
    path.addRoundedRect(box, radius, radius);
    return path;
}

void outline(QPainter& painter, const QPainterPath& path) {
    painter.setBrush(Qt::white);
    painter.drawPath(path);
}

void box(QPainter& painter, const QRect& rect) {
    painter.setBrush(Qt::white);
    painter.drawRect(rect);
}

// A rivet head: a 2 x 2 dot on whole pixels wherever the painter's transform puts `centre`.
void rivet(QPainter& painter, QPointF centre) {
    const QPointF at = painter.transform().map(centre);
    painter.save();
    painter.resetTransform();
    painter.fillRect(QRect(static_cast<int>(std::floor(at.x() - 0.5)),
                           static_cast<int>(std::floor(at.y() - 0.5)), 2, 2),
                     Qt::black);
    painter.restore();
}

// The crank, turned by `degrees` clockwise from pointing straight up, in front of the yoke: a
// tapered arm out to the pin, which rides in the yoke's slot, a half-round counterweight
// opposite, a square shaft end and a lightening slot. The pin sits where the crank puts it, while
// the slider stands on whole rows from the table; the two stay within half a pixel, well inside
// the slot's clearance.
void drawCrank(QPainter& painter, double degrees) {
    painter.save();
    painter.translate(axisX, axisY);
    painter.rotate(degrees);

    QPainterPath hub;
    hub.addEllipse(QPointF(0, 0), 16, 16);
    QPainterPath arm;
    arm.moveTo(-12, 0);
    arm.lineTo(-7, -crankRadius);
    arm.lineTo(7, -crankRadius);
    arm.lineTo(12, 0);
    arm.closeSubpath();
    QPainterPath boss;
    boss.addEllipse(QPointF(0, -crankRadius), 7, 7);
    QPainterPath disc;
    disc.addEllipse(QPointF(0, 0), 44, 44);
    QPainterPath below;
    below.addRect(QRectF(-50, 6, 100, 50));
    outline(painter, hub.united(arm).united(boss).united(disc.intersected(below)));

    // A groove along the counterweight's rim and two rivets holding the weight on.
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(-37, -37, 74, 74), 200 * 16, 140 * 16);
    for (const double side : {-1.0, 1.0}) {
        const double angle = std::numbers::pi / 2 + side * 0.5;
        rivet(painter, QPointF(28 * std::cos(angle), 28 * std::sin(angle)));
    }

    outline(painter, roundedBox(QRectF(-4, -52, 8, 28), 4));
    box(painter, QRect(-6, -6, 12, 12));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(0, -crankRadius), 3.5, 3.5);
    painter.restore();
}

// The rigid slider, `drop` rows below the top of its stroke: piston, piston rod, crosshead,
// yoke rod and yoke. No vertical edge is longer than about 110 px, so none of them stays black
// over the whole 139 px stroke.
void drawSlider(QPainter& painter, int drop) {
    painter.save();
    painter.translate(0, drop);

    // Yoke: a frame with a long round-ended slot; its ends pass behind the guide bars.
    QPainterPath yoke = roundedBox(QRectF(centred(47, 295, 337)), 4);
    yoke.addRoundedRect(QRectF(centred(60, slotRowAtTop - 9, slotRowAtTop + 9)), 9, 9);
    yoke.setFillRule(Qt::OddEvenFill);
    outline(painter, yoke);
    for (const double x : {51.5, mirrorSum - 51.5}) {
        rivet(painter, QPointF(x, 301.5));
        rivet(painter, QPointF(x, 331.5));
    }
    box(painter, centred(121, 337, 343)); // boss under the yoke

    // Yoke rod, from the crosshead down to a flange on the yoke.
    box(painter, centred(131, 205, 289));
    box(painter, centred(122, 289, 295));

    // Crosshead, sliding between the bars on two shoes.
    box(painter, centred(86, 179, 202));
    box(painter, centred(92, 176, 205));
    painter.drawLine(92, 190, 181, 190);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(axisX, 190.5), 7, 7);
    rivet(painter, QPointF(axisX, 190.5));

    // Piston rod, with a nut where it enters the crosshead and a flange under the piston.
    box(painter, centred(131, 66, 176));
    box(painter, centred(126, 169, 176));
    box(painter, centred(124, 66, 72));

    // Piston: chamfered crown, three ring grooves, skirt.
    QPainterPath piston;
    piston.moveTo(98, 19);
    piston.lineTo(102, 15);
    piston.lineTo(171, 15);
    piston.lineTo(175, 19);
    piston.lineTo(175, 66);
    piston.lineTo(98, 66);
    piston.closeSubpath();
    outline(painter, piston);
    for (const int groove : {23, 29, 35}) {
        box(painter, centred(97, groove, groove + 2));
    }
    painter.drawLine(100, 44, 173, 44);

    painter.restore();
}

// Draws the moving parts with the crank on the right (0..180 degrees).
QImage drawMovingParts(double degrees, int drop) {
    QImage picture(frameWidth, frameHeight, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    drawSlider(painter, drop);
    drawCrank(painter, degrees);
    return picture;
}

// Column x of the result is column 273 - x of `picture`; columns with no partner stay white.
QImage mirrored(const QImage& picture) {
    QImage result(picture.size(), picture.format());
    result.fill(Qt::white);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x <= mirrorSum && x < picture.width(); ++x) {
            result.setPixel(x, y, picture.pixel(mirrorSum - x, y));
        }
    }
    return result;
}

// With the crank straight up or down the picture is its own mirror image; copying the left half
// onto the right makes that exact whatever the rasteriser did with the round parts.
void makeSymmetric(QImage& picture) {
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = mirrorSum / 2 + 1; x <= mirrorSum; ++x) {
            picture.setPixel(x, y, picture.pixel(mirrorSum - x, y));
        }
    }
}

void paintGuideBars(QPainter& painter) {
    painter.setBrush(Qt::white);
    painter.drawRect(QRect(59, 173, 85 - 59, 487 - 173));
    painter.drawRect(QRect(187, 173, 214 - 187, 487 - 173));
}

void drawGuideBars(QImage& picture) {
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    paintGuideBars(painter);
}

QImage toMono(const QImage& picture) {
    QImage mono(picture.size(), QImage::Format_Mono);
    mono.setColorCount(2);
    mono.setColor(0, qRgb(0, 0, 0));
    mono.setColor(1, qRgb(255, 255, 255));
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            mono.setPixel(x, y, qGray(picture.pixel(x, y)) >= 128 ? 1 : 0);
        }
    }
    return mono;
}

} // namespace

QImage drawFrame(int index) {
    const int step = index <= 12 ? index : 24 - index; // the crank-on-the-right twin
    const double degrees = step * 15.0;
    const int drop = pistonTop.at(static_cast<std::size_t>(index)) - pistonTop[0];

    QImage picture = drawMovingParts(degrees, drop);
    if (step == 0 || step == 12) {
        makeSymmetric(picture);
    }
    if (index > 12) {
        picture = mirrored(picture);
    }
    drawGuideBars(picture);
    return toMono(picture);
}

void paintMechanism(QPainter& painter, int index) {
    drawSlider(painter, pistonTop.at(static_cast<std::size_t>(index)) - pistonTop[0]);
    drawCrank(painter, index * 15.0);
    paintGuideBars(painter);
}

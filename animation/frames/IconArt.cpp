#include "IconArt.h"

#include "FrameArt.h"

#include <QPainter>
#include <algorithm>

// The icon shares the frames' drawing: the whole mechanism in frame 9, the crank at 135 degrees
// and the piston near the bottom of its stroke, where the drawing is at its most compact and so
// fills the most of a square. It stands on an upright sheet of paper. The frames' lines are one
// pixel wide at full size; here the mechanism is shrunk to a fraction of that, so the lines are
// drawn thicker in the frame's own units to stay one to one and a half pixels wide on screen.

namespace {

constexpr int iconFrame = 9;

// What the mechanism covers in frame `iconFrame`, in the frame's coordinates, with a little room
// for the lines' width: yoke ends to yoke ends across, piston crown to the guide bars' feet down.
constexpr QRectF mechanismBounds(44, 130, 186, 362);

} // namespace

void paintIcon(QPainter& painter, int size) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    const double unit = size / 256.0;

    // The sheet: upright, three wide by four high, with a soft shadow under its lower right edge.
    const double sheetHeight = 244 * unit;
    const double sheetWidth = sheetHeight * 0.75;
    const QRectF sheet((size - sheetWidth) / 2, (size - sheetHeight) / 2, sheetWidth, sheetHeight);
    const double corner = 6 * unit;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 60));
    painter.drawRoundedRect(sheet.translated(2 * unit, 3 * unit), corner, corner);
    painter.setBrush(QColor(0xfb, 0xfa, 0xf5));
    painter.setPen(QPen(QColor(0x8a, 0x86, 0x7c), std::max(1.0, 1.5 * unit)));
    painter.drawRoundedRect(sheet, corner, corner);

    // The mechanism, centred on the sheet and as tall as its margins allow.
    const double margin = 10 * unit;
    const double scale = (sheet.height() - 2 * margin) / mechanismBounds.height();
    painter.translate(sheet.center());
    painter.scale(scale, scale);
    painter.translate(-mechanismBounds.center());
    const double lineWidth = std::clamp(0.9 + 0.5 * unit, 1.0, 1.6); // in pixels on screen
    QPen ink(QColor(0x1c, 0x1c, 0x1c), lineWidth / scale);
    ink.setJoinStyle(Qt::MiterJoin);
    painter.setPen(ink);
    paintMechanism(painter, iconFrame);
    painter.restore();
}

QImage drawIcon(int size) {
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    paintIcon(painter, size);
    painter.end();
    return icon.convertToFormat(QImage::Format_ARGB32);
}
